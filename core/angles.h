// SPDX-License-Identifier: GPL-3.0-or-later
// Degree and radian factors: the exact ones of the computations, and the rounded ones with which
// the map's projection, relief raster, layout, sky chart and limb screen are made (they decide
// which pixel a point falls on, so each is kept as its formula gives it, in this one place).
#pragma once

#include <cmath>
#include <numbers>

namespace vesk {

constexpr double degToRad = std::numbers::pi / 180;
constexpr double radToDeg = 180 / std::numbers::pi;

// The map projection: degrees to radians, pi and pi / 4.
constexpr double projectionDegToRad = 0.01745329252;
constexpr double roundedPi = 3.1415926536;
constexpr double roundedQuarterPi = 0.7853981634;
// The relief raster, the sky chart and the limb screen: degrees to radians and back.
constexpr double chartDegToRad = 0.0174532925;
constexpr double chartRadToDeg = 1 / chartDegToRad;
// The rates of the observer's motion in the fundamental plane.
constexpr double rateDegToRad = 0.01745329;
// The latitude step of the central table's iteration (degrees per radian).
constexpr double tableRadToDeg = 57.29578;

// A longitude (degrees east, any turn) brought into -180 (excluded) to 180 (included): 330 is
// 30 degrees west. Exact: the IEEE remainder.
inline double foldedLongitude(double lonEast) {
    const double folded = std::remainder(lonEast, 360.0);
    return folded == -180 ? 180 : folded;
}

// A longitude brought into -180 (included) to 180 (excluded), as the map's rasters, grids and
// rings take it.
inline double wrappedLongitude(double lon) {
    return lon - 360 * std::floor((lon + 180) / 360);
}

// An angle in degrees brought into 0 (included) to 360 (excluded).
inline double degreesWithinTurn(double degrees) {
    return degrees - 360 * std::floor(degrees / 360);
}

} // namespace vesk
