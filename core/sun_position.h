// The Sun's apparent place at low precision and its altitude and azimuth for the observer
// (J. Meeus, Astronomical Algorithms, 2nd ed.: ch. 25 for the Sun, ch. 22 for the mean
// obliquity, ch. 12 for the sidereal time).
#pragma once

#include "eclipse_state.h"

namespace vesk {

// Altitude and azimuth (from north through east, 0..360) of the Sun in degrees for the current
// observer at t hours from t0 (TT) with deltaT seconds. The altitude is -50 when the sine of the
// altitude comes out beyond +-1.
void sunAltAz(const EclipseState& state, double t, double deltaT, double& altitude,
              double& azimuth);

// Julian date of a local mean time h (hours) on a calendar date at a west-positive longitude:
// the calendar rule of calendarToJd with the zone term replaced by + longitude / 360 days.
double localJulianDate(double year, double month, double day, double h, double latitude,
                       double lonWest);

// Local mean sidereal time in hours (0 <= result < 24) for T Julian centuries from J2000 at a
// west-positive longitude (Meeus eq. 12.4).
double localSiderealHours(double jd, double t, double lonWest);

// Apparent longitude, latitude (0), right ascension (0..360) and declination of the Sun in
// degrees for T Julian centuries from J2000 (Meeus ch. 25, low accuracy, about 0.01 degree).
void sunApparentPosition(double t, double& longitude, double& latitude, double& rightAscension,
                         double& declination);

} // namespace vesk
