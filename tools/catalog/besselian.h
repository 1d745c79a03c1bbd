// SPDX-License-Identifier: GPL-3.0-or-later
// Besselian elements of a solar eclipse at one instant, from the apparent geocentric places of
// the Sun and the Moon (Explanatory Supplement to the Astronomical Ephemeris, 1961, ch. 9;
// W. Chauvenet, Spherical and Practical Astronomy, vol. 1, "Eclipses").
#pragma once

#include "ephemeris.h"
#include "shadow_elements.h"

namespace vesk::catalog {

// Lengths in Earth equatorial radii.
constexpr double earthRadiusKm = 6378.137;
constexpr double astronomicalUnitKm = 149597870.700;

struct InstantElements {
    double x = 0, y = 0, z = 0; // the Moon on the fundamental plane, Earth radii
    double d = 0;               // declination of the shadow axis, degrees
    double mu = 0;              // Greenwich hour angle of the axis (sidereal time at UT = TT)
    double tanF1 = 0, tanF2 = 0;
    double l1 = 0, l2 = 0; // radii of the penumbral and umbral cones on the fundamental plane
};

InstantElements besselianFromPlaces(const SunMoonPlaces& places);

} // namespace vesk::catalog
