// SPDX-License-Identifier: GPL-3.0-or-later
#include "bounded_line.h"

#include <algorithm>

namespace vesk {

bool readBoundedLine(std::istream& in, std::string& line, std::size_t maxBytes, bool& cut) {
    line.clear();
    cut = false;
    bool any = false;
    // The line in pieces of a chunk: the stream's getline stops at '\n' (taken, not stored), at
    // the end, or with a full chunk (failbit) where the line goes on.
    char chunk[4096];
    for (;;) {
        in.getline(chunk, sizeof chunk);
        const auto taken = static_cast<std::size_t>(in.gcount());
        const bool full = in.fail() && !in.eof() && taken + 1 == sizeof chunk;
        if (taken == 0 && !full)
            return any; // the end of the input
        any = true;
        const bool ended = !in.fail() && !in.eof(); // at a '\n', which gcount counted
        const std::size_t stored = ended ? taken - 1 : taken;
        const std::size_t room = maxBytes - std::min(maxBytes, line.size());
        line.append(chunk, std::min(stored, room));
        cut = cut || stored > room;
        if (!full)
            return true;
        in.clear(in.rdstate() & ~std::ios::failbit);
    }
}

} // namespace vesk
