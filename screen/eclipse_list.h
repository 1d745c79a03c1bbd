// SPDX-License-Identifier: GPL-3.0-or-later
// The lines of the eclipse list: date, type name, Saros series and the number of the eclipse
// within its series.
#pragma once

#include "session.h"

#include <array>
#include <string>

namespace vesk {

// The type names of the list by type code (0: none), in Japanese and in English; the English
// names are those that --type takes.
extern const std::array<const char*, 7> listTypeNames;
extern const std::array<const char*, 7> englishTypeNames;

enum class TypeNames { japanese, english };
enum class ListDate {
    packed,  // yyyy.mmdd as packedDate gives it
    readable // 2035-09-02 (years before 1 as -762)
};

// The form of a line: the date, the type names' language, and whether the list is first shown
// (four blanks before and five after the type name instead of three and three).
struct ListStyle {
    ListDate date = ListDate::packed;
    TypeNames names = TypeNames::japanese;
    bool initial = false;
};

// The list's header line.
extern const char* const listHeader;

// A date packed into one signed number as yyyy.mmdd, the sign covering the whole number for a
// negative year (-100 May 12 is -100.0512; year 0 June 20 is 0.0620).
double packedDate(double year, double month, double day);

// The line of a hit: "%12.4f   %s   %4.0f/%2d" in the packed form with Japanese names (the
// English names padded to the longest), then "   (763 BC)" for a year before 1; the readable
// date takes the same 12 columns.
std::string listLine(const SearchHit& hit, const ListStyle& style = {});

} // namespace vesk
