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
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace vesk {

struct HorizontalPlace {
    double azimuth = 0;  // degrees from the south, positive towards the west
    double altitude = 0; // degrees, without refraction
    double magnitude = 0;
    double ra = 0, dec = 0; // right ascension and declination of date, degrees
};

// A star of the sky catalogue (its row) and its place.
struct StarInSky {
    std::size_t row = 0;
    HorizontalPlace place;
};

// The stars are drawn down to this magnitude.
constexpr double faintestStar = 4;

struct EclipseSky {
    // The Sun, then Mercury, Venus, Mars, Jupiter and Saturn.
    std::array<HorizontalPlace, 1 + planetCount> bodies{};
    bool planetsFromEphemeris = false;
    // The Moon's apparent diameter in the Sun's at the maximum, drawn over the Sun (0: none).
    // Inside the central path the centres lie less than |1 - ratio| solar radii apart, under a
    // pixel at the chart's scale: the Moon is drawn concentric.
    double moonToSunRatio = 0;
    // The Moon: as the observer sees it (topocentric altitude and azimuth), its right ascension
    // and declination geocentric.
    HorizontalPlace moon;
    // The catalogue's stars brighter than faintestStar, above the horizon or not.
    std::vector<StarInSky> stars;
};

// The right ascension of the shadow axis (the Sun's, to 9 arcseconds) at t hours from t0 (TT),
// degrees: the apparent sidereal time of the TT instant that the catalog's hour angle mu was made
// with, less mu.
double shadowAxisRightAscension(const EclipseRecord& record, double t);

// The long-term precession from J2000 to the mean equator and equinox of a TT Julian date: J.
// Vondrak, N. Capitaine and P. Wallace, A&A 534, A22 (2011), ERFA's eraLtp, valid for 200,000
// years about J2000.
struct LongTermPrecession {
    explicit LongTermPrecession(double jdTT);
    double jdTT;
    double matrix[3][3];
};

// A catalogue star's mean place of date (right ascension and declination, degrees): its J2000
// place moved to the precession's date by its proper motion along a great circle (ERFA's
// eraPmsafe, without parallax or radial velocity), then precessed.
struct StarEntry;
std::pair<double, double> starPlaceOfDate(const StarEntry& star,
                                          const LongTermPrecession& precession);

// The sky of the observer at t hours from t0 (TT) of an eclipse record with deltaT seconds: the
// Sun's and the planets' places (the planets' from the catalog's DE431 places where they are
// given), the Moon's and the stars'. Every hour angle is the Sun's from the elements plus the
// difference of right ascension, so that the sky turns with the catalog's Earth.
EclipseSky eclipseSky(const EclipseRecord& record, const Observer& observer, double t,
                      double deltaT, const std::optional<EclipsePlanets>& places);

} // namespace vesk
