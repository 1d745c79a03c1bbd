// SPDX-License-Identifier: GPL-3.0-or-later
// Saros series: the year of the first eclipse of each series, and an eclipse's member number.
#pragma once

#include <array>
#include <optional>

namespace vesk {

constexpr int sarosRows = 700;

// Row n: column 0 the first year of series n, column 1 the first year of series -n (both
// astronomical UT years of the catalog's first member of the series).
extern const std::array<std::array<std::optional<double>, 2>, sarosRows> sarosStartYears;

// The first year of a series (column 0 for saros > 0, column 1 at row -saros for saros <= 0);
// none for a series the catalog does not hold.
std::optional<double> sarosStartYear(double saros);

// The member number of an eclipse of the given year within its series: trunc((year - Y1) / 18.03
// + 1.5) with Y1 the series' first year; 0 when the series is not in the table.
int sarosMember(double year, double saros);

} // namespace vesk
