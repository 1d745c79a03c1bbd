// SPDX-License-Identifier: GPL-3.0-or-later
// The apparent sidereal time with which the catalog's hour angle mu was made.
#pragma once

namespace vesk {

// The apparent Greenwich sidereal time (degrees, 0 to 360) of a TT Julian date taken as UT, the
// sidereal time from which the catalog tool subtracted the shadow axis's right ascension to make
// mu. Where IAU 2006/2000A holds (1850 to 2050) it is ERFA's eraGst06a. Outside that span it is
// the long-term sidereal time the catalog's ephemeris library keeps there: the mean longitude of
// the Earth (J. L. Simon et al., A&A 282, 663 (1994)) less the annual aberration, carried from the
// J2000 ecliptic to the ecliptic of date by the long-term precession (J. Vondrak, N. Capitaine and
// P. Wallace, A&A 534, A22 (2011), ERFA's eraLtecm), plus the equation of the equinoxes (IAU
// 2000A nutation, eraNut06a) and the hour of the day, less that library's constant offset which
// joins it to IAU 2006 at either end of the span.
double catalogSiderealTime(double jdTT);

} // namespace vesk
