// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's topocentric libration and the position angle of its axis for an instant and a
// place (J. Meeus, Astronomical Algorithms, 2nd ed.: ch. 47 for the Moon's position, ch. 22 for
// nutation and obliquity, ch. 12 for sidereal time, ch. 40 for the topocentric place, ch. 53
// for the libration). Angles in radians.
#pragma once

#include <string>

namespace vesk {

struct LibrationResult {
    double l = 0, b = 0;                 // total libration in longitude and latitude
    double opticalL = 0, opticalB = 0;   // l', b'
    double physicalL = 0, physicalB = 0; // l'', b''
    double positionAngle = 0;            // P of the axis (may be negative)
};

struct MoonPlace {
    double lambda = 0, beta = 0; // geocentric ecliptic of date, radians
    double distance = 0;         // km
};

// Libration at a UT clock time of a calendar date (year and month taken as whole numbers), with
// Delta T seconds, at a west-positive longitude, a latitude (radians) and a height (metres).
// The four-line report (optical, physical, total libration, position angle) goes to report
// when it is given.
LibrationResult lunarLibration(double year, double month, double day, double utHours, double deltaT,
                               double lonWest, double lat, double height,
                               std::string* report = nullptr);

// The calendar date with a fractional day to a Julian date (Meeus eq. 7.1).
double lunarJulianDate(double year, double month, double day);
// The Moon's geocentric place for T Julian centuries (TT) from J2000.0 (Meeus ch. 47).
MoonPlace moonPosition(double t);
// Mean obliquity of the ecliptic (Laskar's polynomial, Meeus eq. 22.3), radians.
double meanObliquity(double t);

} // namespace vesk
