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

// A date packed into one signed number as yyyy.mmdd, the sign covering the whole number for a
// negative year (-100 May 12 is -100.0512; year 0 June 20 is 0.0620).
double packedDate(double year, double month, double day);

// The line of a hit: "%12.4f   %s   %4.0f/%2d" of the packed date, the type's name (the English
// names padded to the longest), the Saros series and member, then "   (763 BC, Julian)" or
// "   (Julian)" for a Julian date.
std::string listLine(const SearchHit& hit, TypeNames names = TypeNames::japanese);

} // namespace vesk
