// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_lines.h"

#include "printable_text.h"
#include "recording_surface.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace vesk;

namespace {

// The recording surface's widths, with the measurements counted.
class CountingSurface : public vesk::testing::RecordingSurface {
  public:
    TextSize textSize(const std::string& text) const override {
        ++measured;
        return RecordingSurface::textSize(text);
    }
    mutable std::size_t measured = 0;
};

std::string repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

} // namespace

// A word far wider than a line (a place's name of thousands of characters) is broken between
// characters, never inside one, each line as full as fits, with a number of measurements that
// grows as the lines times the logarithm of their length: the byte-at-a-time search it replaced
// measured the whole remaining word for every byte (minutes for 9,000 characters).
TEST(LinesWithin, LongWordsBreakBetweenCharactersInFewMeasurements) {
    for (const std::string& piece : {std::string("東"), std::string("a"), std::string("é東a")}) {
        CountingSurface surface;
        const int width = 600; // 12-pixel font: 50 wide characters, 100 narrow ones, a line
        const std::string word = repeated(piece, 9000 / static_cast<int>(piece.size()) * 3);
        const std::string text = "Place: " + word + " end";
        const std::vector<std::string> lines = linesWithin(surface, text, width, " \\", "  ");
        ASSERT_GT(lines.size(), 10u);
        std::string joined;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            std::string line = lines[i];
            EXPECT_LE(surface.textSize(line).width, width) << i;
            EXPECT_EQ(printableText(line), line) << "whole characters only, line " << i;
            if (line.ends_with(" \\")) { // broken at a space
                line.resize(line.size() - 2);
                line += ' ';
            } else if (line.ends_with("\\")) { // within the word
                line.pop_back();
                // as full as fits: one more character of the word would not
                const std::string next = lines[i + 1].substr(2);
                const std::size_t more = codePointAt(next, 0).second;
                EXPECT_GT(surface.textSize(line + next.substr(0, more) + " \\").width, width) << i;
            }
            joined += i == 0 ? line : line.substr(2);
        }
        EXPECT_EQ(joined, text) << "the text, less its breaks";
        surface.measured = 0;
        linesWithin(surface, text, width, " \\", "  ");
        const double perLine = 2 * std::ceil(std::log2(word.size())) + 2;
        EXPECT_LE(surface.measured, static_cast<std::size_t>(lines.size() * perLine) + 4) << piece;
    }
    // Narrower than the indent and a character: each line still takes one character of the
    // word (a line of the indent's spaces alone would make the rest longer, never shorter).
    CountingSurface surface;
    const std::vector<std::string> narrow = linesWithin(surface, "東東東東東", 20, " \\", "  ");
    ASSERT_EQ(narrow.size(), 5u);
    EXPECT_EQ(narrow.front(), "東\\");
    EXPECT_EQ(narrow.back(), "  東");
}
