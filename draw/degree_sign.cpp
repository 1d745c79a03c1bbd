// SPDX-License-Identifier: GPL-3.0-or-later
#include "degree_sign.h"

namespace vesk {

std::string withDegreeSigns(std::string_view utf8) {
    constexpr std::string_view screenSign = "゜", degreeSign = "°";
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        if (utf8.substr(i, screenSign.size()) == screenSign) {
            out += degreeSign;
            i += screenSign.size();
        } else {
            out += utf8[i++];
        }
    }
    return out;
}

} // namespace vesk
