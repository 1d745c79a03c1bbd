// SPDX-License-Identifier: GPL-3.0-or-later
// The Sun's altitude and azimuth for an observer, taken from an eclipse's Besselian
// elements: the shadow axis points at the Sun (to far better than 0.01 degree), with declination
// d and Greenwich hour angle mu. Valid at every epoch of the catalog, since the elements come from
// the ephemeris itself (Explanatory Supplement to the Astronomical Ephemeris, 1961, ch. 9; the
// horizon conversion of J. Meeus, Astronomical Algorithms, 2nd ed., eqs. 13.5 and 13.6).
#pragma once

#include "observed_shadow.h"

namespace vesk {

// The Sun's local hour angle (west of the meridian) and declination, degrees, for the observer at
// t hours from t0 (TT) with deltaT seconds: the shadow axis's d and mu.
struct SunDirection {
    double hourAngle = 0, declination = 0;
};
SunDirection sunDirection(const EclipseRecord& record, const Observer& observer, double t,
                          double deltaT);

// Altitude and azimuth (from north through east, 0..360) of the Sun in degrees for the observer
// (geodetic latitude) at t hours from t0 (TT) with deltaT seconds. No refraction; the Sun's
// parallax (9 arcseconds) is neglected.
struct Horizontal {
    double altitude = 0, azimuth = 0;
};
Horizontal sunHorizontal(const EclipseRecord& record, const Observer& observer, double t,
                         double deltaT);

} // namespace vesk
