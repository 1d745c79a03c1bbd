// SPDX-License-Identifier: GPL-3.0-or-later
#include "checked_int.h"

#include <cmath>

namespace vesk {

std::optional<int> intWithin(double v, int low, int high) {
    if (!(v >= low && v < high + 1.0))
        return std::nullopt;
    return static_cast<int>(std::trunc(v));
}

} // namespace vesk
