// SPDX-License-Identifier: GPL-3.0-or-later
#include "printable_text.h"

#include <gtest/gtest.h>

using namespace vesk;

// Controls (C0, DEL, C1), stray bytes and encoded surrogates become U+FFFD; every character
// of every script stays, and the result is the same when made printable again.
TEST(PrintableText, ControlsAndBrokenBytesAreReplacedCharactersKept) {
    const std::string r = "\xEF\xBF\xBD";
    EXPECT_EQ(printableText(std::string("a\0b", 3)), "a" + r + "b");
    EXPECT_EQ(printableText("Bad\x1b[31mTown\x07\t\r\n\x7f"),
              "Bad" + r + "[31mTown" + r + r + r + r + r);
    EXPECT_EQ(printableText("\xC2\x85\xC2\x9F\xC2\xA0"), r + r + "\xC2\xA0") << "C1, then NBSP";
    EXPECT_EQ(printableText("\xED\xA0\x80x"), r + "x") << "an encoded surrogate";
    EXPECT_EQ(printableText("\xE6\x9D"), r + r) << "a sequence cut off";
    EXPECT_EQ(printableText("\x80\xFF"), r + r);
    const std::string kept = "東京 Zürich 𝄞 ←";
    EXPECT_EQ(printableText(kept), kept);
    const std::string once = printableText("\x01\xE6\x9D\x80\x9F");
    EXPECT_EQ(printableText(once), once);
}

// A long name is cut by characters, ending in an ellipsis, within the count asked for.
TEST(PrintableText, ElidedTextCountsCharactersNotBytes) {
    std::string tokyo;
    for (int i = 0; i < 300; ++i)
        tokyo += "東";
    const std::string cut = elidedText(tokyo, 60);
    EXPECT_EQ(cut, tokyo.substr(0, 59 * 3) + "…");
    EXPECT_EQ(elidedText("Dallas", 6), "Dallas");
    EXPECT_EQ(elidedText("Dallas", 5), "Dall…");
    EXPECT_EQ(elidedText("", 3), "");
}
