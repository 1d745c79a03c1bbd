// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a text file line by line with a bound on what one line may cost: a line longer than
// the bound is cut there and the rest of it is passed over, so that a file of one huge line
// never has to fit in memory.
#pragma once

#include <cstddef>
#include <istream>
#include <string>

namespace vesk {

// The next line of in without its '\n' (at most maxBytes of it: cut tells whether more was
// passed over); false at the end of the input.
bool readBoundedLine(std::istream& in, std::string& line, std::size_t maxBytes, bool& cut);

} // namespace vesk
