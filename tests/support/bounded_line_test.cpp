// SPDX-License-Identifier: GPL-3.0-or-later
// Reading lines with a bound: every line as a plain split gives it, whatever its length against
// the reader's chunks, and a line beyond the bound cut there with the rest passed over.
#include "bounded_line.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace vesk {
namespace {

struct Line {
    std::string text;
    bool cut;
    bool operator==(const Line&) const = default;
};

std::vector<Line> linesOf(const std::string& text, std::size_t maxBytes) {
    std::istringstream in(text);
    std::vector<Line> lines;
    std::string line;
    bool cut = false;
    while (readBoundedLine(in, line, maxBytes, cut))
        lines.push_back({line, cut});
    return lines;
}

// The lines of text split at '\n' by hand, each cut at maxBytes.
std::vector<Line> splitByHand(const std::string& text, std::size_t maxBytes) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string whole = text.substr(start, end - start);
        lines.push_back({whole.substr(0, maxBytes), whole.size() > maxBytes});
        start = end + 1;
    }
    return lines;
}

TEST(BoundedLine, LinesOfEveryLengthAboutTheChunks) {
    std::string text;
    for (const std::size_t length : {0, 1, 4094, 4095, 4096, 4097, 8190, 8191, 8192, 20000, 3})
        text += std::string(length, 'a' + static_cast<char>(length % 26)) + "\n";
    text += std::string("with a\0NUL byte\r", 16) + "\n";
    text += "no newline at the end";
    for (const std::size_t bound : {std::size_t{100000}, std::size_t{4096}, std::size_t{10}}) {
        const std::vector<Line> lines = linesOf(text, bound);
        EXPECT_EQ(lines, splitByHand(text, bound)) << "bound " << bound;
    }
    EXPECT_TRUE(linesOf("", 10).empty());
    EXPECT_EQ(linesOf("\n\n", 10), (std::vector<Line>{{"", false}, {"", false}}));
}

} // namespace
} // namespace vesk
