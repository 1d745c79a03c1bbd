// The lines of the eclipse list: packed date, Japanese type name, Saros series and the number
// of the eclipse within its series.
#pragma once

#include "session.h"

#include <array>
#include <string>

namespace vesk {

// The type names of the list by type code (0: none).
extern const std::array<const char*, 7> listTypeNames;

// The list's header line.
extern const char* const listHeader;

// A date packed into one signed number as yyyy.mmdd, the sign covering the whole number for a
// negative year (-100 May 12 is -100.0512; year 0 June 20 is 0.0620).
double packedDate(double year, double month, double day);

// The line of a hit: "%12.4f   %s   %4.0f/%2d" after a search, or with four blanks before and
// five after the type name when the list is first shown (initial).
std::string listLine(const SearchHit& hit, bool initial = false);

} // namespace vesk
