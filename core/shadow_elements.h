// SPDX-License-Identifier: GPL-3.0-or-later
// The Besselian elements of an eclipse evaluated at one instant: the shadow axis (x, y) on the
// fundamental plane, the declination d and hour angle mu of its direction, the radii l1 and l2 of
// the penumbra and umbra on the plane, their rates per hour, and the quantities derived from them
// that the path and contact formulae share (the flattened Earth's rho1, rho2, d1, d2 and the
// a', b', c', n of the limit curves).
//
// Time t is hours from the record's t0 in TT. Formulae after the Explanatory Supplement to the
// Astronomical Ephemeris (1961), ch. 9, and W. Chauvenet, Spherical and Practical Astronomy,
// vol. 1; the Earth's figure of J. Meeus, Elements of Solar Eclipses 1951-2200 (1989).
#pragma once

#include "catalog.h"
#include "earth.h"

namespace vesk {

// The Moon's radii of the catalog's cones, Earth equatorial radii: k1 for the penumbra (the outer
// contacts) and k2, the mean limb, for the umbra (the inner contacts), as adopted by the IAU
// (1982) for eclipse predictions.
constexpr double moonRadiusPenumbra = 0.2725076;
constexpr double moonRadiusUmbra = 0.2722810;
// The Sun's radius of the cones: 696,000 km, in Earth equatorial radii of 6378.137 km.
constexpr double sunRadiusKm = 696000;
constexpr double sunRadiusEarthRadii = sunRadiusKm / 6378.137;

// Degrees of Earth rotation per second of Delta T: 1.00273791 turns a day, the sidereal rate
// that the catalog's hour angle mu is made with (360 * 1.00273791 / 86400).
constexpr double hourAngleRatePerSecond = 0.00417807462;

struct ShadowElements {
    double t = 0;                                       // hours from t0, TT
    double x = 0, y = 0, d = 0, mu = 0, l1 = 0, l2 = 0; // d in radians, mu in degrees
    double xRate = 0, yRate = 0, dRate = 0, muRate = 0, l1Rate = 0, l2Rate = 0; // per hour
    double tanF1 = 0, tanF2 = 0; // the cones' half-angles (of the record)
    double sinD = 0, cosD = 0, rho1 = 0, rho2 = 0, invRho1 = 0, rho1Rho2 = 0;
    double sinD1 = 0, cosD1 = 0, sinD2 = 0, cosD2 = 0, sinD1MinusD2 = 0, cosD1MinusD2 = 0;
    double aPrimePen = 0, aPrimeUmb = 0, bPrime = 0, cPrimePen = 0, cPrimeUmb = 0;
    double bPrimeRate = 0, cPrimePenRate = 0, cPrimeUmbRate = 0, nPen = 0, nUmb = 0;
};

// The elements of record r, their rates and the derived shadow quantities at t.
ShadowElements evaluateElements(const EclipseRecord& r, double t);

// The Moon's height z above the fundamental plane (Earth radii) from the penumbra's cone: its
// radius l1 = z tan f1 + k1 / cos f1 on the plane (Explanatory Supplement, 1961, ch. 9).
double moonHeight(const EclipseRecord& record, const ShadowElements& elements);

// The astronomical unit (IAU 2012), km: the Sun's angular radius at 1 au gives its radius.
constexpr double astronomicalUnitKm = 149597870.7;

// The Sun's radius (km) of an angular radius at 1 au (arcseconds): 959.63" is the catalog's
// 696,000 km, 959.95" the radius of recent eclipse maps.
double sunRadiusOfArcseconds(double arcseconds);

// The record with its cones re-derived for another radius of the Sun (km): the Sun-Moon distance
// G from sin f1 = (R + k1) / G with the catalog's radius R, then sin f = (R' + k1) / G and
// (R' - k2) / G, and l = z tan f + k1 / cos f and z tan f - k2 / cos f with the Moon's height z
// of the penumbra's polynomial (Explanatory Supplement, 1961, ch. 9). The axis, the declination
// and the hour angle are unchanged.
EclipseRecord withSunRadius(const EclipseRecord& record, double sunRadiusKm);
// The Sun's radius (km) a record's cones were made with: from sin f1 = (R + k1) / G and
// sin f2 = (R - k2) / G, R = (k1 sin f2 + k2 sin f1) / (sin f1 - sin f2).
double sunRadiusOf(const EclipseRecord& record);

// The Sun's altitude (radians) at geodetic latitude phi (radians) where the hour angle of the
// shadow axis is h (radians): sin a = cos h cos phi cos d + sin phi sin d, d the declination of
// the elements (the Sun's, to the parallax of the Moon's shadow).
double sunAltitude(const ShadowElements& e, double h, double phi);

} // namespace vesk
