// SPDX-License-Identifier: GPL-3.0-or-later
// Where the Sun and the five naked-eye planets stand for the observer at an instant of the
// current eclipse. The Sun is the eclipsed Sun of the eclipse's Besselian elements (hour angle mu
// and declination d); each planet stands at its right ascension from the Sun and its declination,
// from the catalog's DE431 places (ecplanets.dat) at the instant when they are given, else from
// the mean-element theory at the TT instant (accurate over 1000-3000 only).
#pragma once

#include "observed_shadow.h"
#include "planet_places.h"

#include <array>
#include <optional>

namespace vesk {

struct HorizontalPlace {
    double azimuth = 0;  // degrees from the south, positive towards the west
    double altitude = 0; // degrees, without refraction
    double magnitude = 0;
};

struct SolarSystemSky {
    // The Sun, then Mercury, Venus, Mars, Jupiter and Saturn.
    std::array<HorizontalPlace, 1 + planetCount> bodies{};
    bool planetsFromEphemeris = false;
    // The Moon's apparent diameter in the Sun's at the maximum, drawn over the Sun (0: none).
    // Inside the central path the centres lie less than |1 - ratio| solar radii apart, under a
    // pixel at the chart's scale: the Moon is drawn concentric.
    double moonToSunRatio = 0;
};

// The sky of the observer at t hours from t0 (TT) of an eclipse record with deltaT seconds.
SolarSystemSky solarSystemSky(const EclipseRecord& record, const Observer& observer, double t,
                              double deltaT, const std::optional<EclipsePlanets>& places);

} // namespace vesk
