// SPDX-License-Identifier: GPL-3.0-or-later
#include "eclipse_list.h"

#include "saros.h"
#include "timescales.h"

#include <cmath>
#include <cstdio>

namespace vesk {

const std::array<const char*, 7> listTypeNames = {"",         "部分日蝕", "皆既日蝕", "金環日蝕",
                                                  "金環皆既", "中無皆既", "中無金環"};

const std::array<const char*, 7> englishTypeNames = {
    "", "partial", "total", "annular", "hybrid", "noncentral-total", "noncentral-annular"};

double packedDate(double year, double month, double day) {
    if (year >= 0)
        return year + month / 100 + day / 10000;
    return -(month / 100 - year + day / 10000);
}

std::string listLine(const SearchHit& hit, TypeNames names) {
    const double type = std::trunc(hit.typeCode);
    const bool known = type >= 0 && type <= 6;
    const std::size_t code = known ? static_cast<std::size_t>(type) : 0;
    const bool english = names == TypeNames::english;
    const char* name = english ? englishTypeNames[code] : listTypeNames[code];
    char line[160];
    std::snprintf(line, sizeof line, "%12.4f   %-*s   %4.0f/%2d",
                  packedDate(hit.year, hit.month, hit.day), english ? 18 : 0, name, hit.saros,
                  sarosMember(hit.year, hit.saros));
    const std::string note = calendarNote(hit.year, hit.month, hit.day);
    return note.empty() ? std::string(line) : std::string(line) + "  " + note;
}

} // namespace vesk
