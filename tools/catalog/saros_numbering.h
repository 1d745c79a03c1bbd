// SPDX-License-Identifier: GPL-3.0-or-later
// Saros series numbers continuing the published numbering.
//
// Lunations 223 apart belong to one series and one inex (358 lunations) later the series number
// rises by one, so the series number s of lunation N (N = 0 at the new moon of 2000 January 6)
// satisfies s = 38 N + 112 (mod 223). Series with the same residue start about 6,400 years
// apart, while one lasts at most about 1,550 years: the representative is the series alive in
// the eclipse's year, found from the approximate first year of each series.
#pragma once

#include "catalog.h"
#include "saros.h"

#include <vector>

namespace vesk::catalog {

int sarosSeries(double lunation, double year);

// The table of first years from the catalog's entries (UT years after the program's
// conversion), for the source file of the program.
std::array<std::array<std::optional<double>, 2>, sarosRows>
sarosStartYearsOf(const std::vector<EclipseRecord>& entries);

} // namespace vesk::catalog
