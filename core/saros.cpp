// SPDX-License-Identifier: GPL-3.0-or-later
#include "saros.h"

#include "checked_int.h"

#include <cmath>

namespace vesk {

namespace {
// Mean length of a Saros cycle in years, as the member count uses it.
constexpr double sarosYears = 18.03;
} // namespace

std::optional<double> sarosStartYear(double saros) {
    const double n = std::trunc(saros);
    if (!(std::fabs(n) < sarosRows))
        return std::nullopt;
    const auto row = static_cast<std::size_t>(std::fabs(n));
    return n > 0 ? sarosStartYears[row][0] : sarosStartYears[row][1];
}

int sarosMember(double year, double saros) {
    const std::optional<double> first = sarosStartYear(saros);
    if (!first)
        return 0;
    return clampedInt((year - *first) / sarosYears + 1.5);
}

} // namespace vesk
