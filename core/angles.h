// Degree and radian factors shared by the computations (the maps keep the rounded factors of
// their own formulas).
#pragma once

namespace vesk {

constexpr double degToRad = 0.017453292519943295;
constexpr double radToDeg = 57.29577951308232;

} // namespace vesk
