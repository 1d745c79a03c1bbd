// SPDX-License-Identifier: GPL-3.0-or-later
#include "bounded_line.h"

namespace vesk {

bool readBoundedLine(std::istream& in, std::string& line, std::size_t maxBytes, bool& cut) {
    line.clear();
    cut = false;
    bool any = false;
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
        any = true;
        if (c == '\n')
            return true;
        if (line.size() < maxBytes)
            line += static_cast<char>(c);
        else
            cut = true;
    }
    return any;
}

} // namespace vesk
