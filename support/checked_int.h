// SPDX-License-Identifier: GPL-3.0-or-later
// Checked conversions of computed values to integers: pixel coordinates, member numbers and
// values read from data files. A conversion of a double that is not a number, or lies outside
// the range of int, is undefined in C++; these routines never perform one.
#pragma once

#include <optional>

namespace vesk {

// Largest magnitude of a clamped integer: far beyond any frame or count, well within int.
constexpr double clampedIntLimit = 1e9;

// The integer part of v (truncated towards zero), clamped to +-clampedIntLimit; not a number
// gives +clampedIntLimit, a pixel off every frame. (Inline: the rasters call it per pixel.)
inline int clampedInt(double v) {
    if (v >= -clampedIntLimit && v <= clampedIntLimit)
        return static_cast<int>(v);
    return static_cast<int>(v < 0 ? -clampedIntLimit : clampedIntLimit);
}

// The integer part of v when v is a number within [low, high]; nothing otherwise.
std::optional<int> intWithin(double v, int low, int high);

} // namespace vesk
