// SPDX-License-Identifier: GPL-3.0-or-later
// The Earth's figure as the eclipse formulae take it: the ellipsoid of the IAU 1976 system
// (equatorial radius 6378.140 km, flattening 1/298.257), after J. Meeus, Elements of Solar
// Eclipses 1951-2200 (1989), and the mean radius of the sphere that great-circle distances use.
#pragma once

namespace vesk {

// Squared eccentricity e^2, 1 - e^2 and the axis ratio b/a = sqrt(1 - e^2).
constexpr double earthE2 = 0.006694385;
constexpr double earthOneMinusE2 = 0.993305615;
constexpr double earthAxisRatio = 0.99664719;
// Geocentric to geodetic latitude: tan(phi) = tan(phi') / (b/a), as a factor of the tangent;
// 1 / earthAxisRatio to the nine digits that the path's curves and files are made with.
constexpr double geodeticFactor = 1.00336409;

// The equatorial radius, metres and km (the shadow's unit on the fundamental plane), and the
// diameter to the km that the path's widths are given in.
constexpr double earthRadiusMetres = 6378140;
constexpr double earthRadiusKm = earthRadiusMetres / 1000;
constexpr double earthDiameterKm = 12756;

// The mean radius of the Earth, km (IUGG): the sphere of great-circle distances.
constexpr double meanEarthRadiusKm = 6371.0;

} // namespace vesk
