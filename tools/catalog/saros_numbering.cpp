// SPDX-License-Identifier: GPL-3.0-or-later
#include "saros_numbering.h"

#include <cmath>
#include <map>

namespace vesk::catalog {

namespace {

// Published first years of a few series; between them the first year of a series is taken as
// linear in its number, and beyond them the outer slopes continue.
struct SeriesStart {
    double series, year;
};
constexpr SeriesStart knownStarts[] = {{-145, -7729}, {0, -2955}, {145, 1639}, {698, 16996}};

// Half the life of a series: the year of an eclipse lies about this long after its series began.
constexpr double halfLifeYears = 650;

double estimatedSeries(double firstYear) {
    constexpr std::size_t n = std::size(knownStarts);
    std::size_t i = 0;
    while (i + 2 < n && firstYear > knownStarts[i + 1].year)
        ++i;
    const SeriesStart& a = knownStarts[i];
    const SeriesStart& b = knownStarts[i + 1];
    return a.series + (firstYear - a.year) * (b.series - a.series) / (b.year - a.year);
}

} // namespace

int sarosSeries(double lunation, double year) {
    const long long n = std::llround(lunation);
    const int residue = static_cast<int>(((38 * n + 112) % 223 + 223) % 223);
    const double estimate = estimatedSeries(year - halfLifeYears);
    const double cycles = std::round((estimate - residue) / 223);
    return residue + 223 * static_cast<int>(cycles);
}

std::array<std::array<std::optional<double>, 2>, sarosRows>
sarosStartYearsOf(const std::vector<EclipseRecord>& entries) {
    std::map<int, double> firstYear;
    for (EclipseRecord entry : entries) {
        convertEntryToUt(entry);
        const int series = static_cast<int>(entry.saros);
        const auto found = firstYear.find(series);
        if (found == firstYear.end() || entry.year < found->second)
            firstYear[series] = entry.year;
    }
    std::array<std::array<std::optional<double>, 2>, sarosRows> table{};
    for (int row = 0; row < sarosRows; ++row) {
        const auto positive = firstYear.find(row);
        const auto negative = firstYear.find(-row);
        if (positive != firstYear.end())
            table[row][0] = positive->second;
        if (negative != firstYear.end())
            table[row][1] = negative->second;
    }
    return table;
}

} // namespace vesk::catalog
