// SPDX-License-Identifier: GPL-3.0-or-later
// printf-style formatting into a string, for the fixed layouts of the screens and files (their
// widths and roundings are those of C's printf, which the layouts were made with).
#pragma once

#include <cmath>
#include <cstdio>
#include <string>

namespace vesk {

// The text of pattern with args as snprintf writes it, cut at 255 bytes.
template <typename... Args> std::string format(const char* pattern, Args... args) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

// value, or 0 where it rounds to zero at the given decimals: a printed "-0.0000" says nothing.
inline double withoutNegativeZero(double value, int decimals) {
    return std::fabs(value) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : value;
}

} // namespace vesk
