// SPDX-License-Identifier: GPL-3.0-or-later
#include "failure.h"

#include <gtest/gtest.h>

using namespace vesk;

// The fixed lines of a failure go through the translation; the file, the line, the reason and
// the command to paste do not.
TEST(Failure, LinesTranslateWhatIsSaidNotWhereOrWhy) {
    const Translation shout = [](const char* text) { return std::string("[") + text + "]"; };
    const Failure damaged{FailureKind::damagedFile, "/d/color.txt", 3, "four numbers expected"};
    EXPECT_EQ(failureLines(damaged, shout),
              (std::vector<std::string>{std::string("[") + messageDamagedDataFile + "]",
                                        "/d/color.txt: line 3: four numbers expected"}));
    const Failure grid{FailureKind::lunarGridMissing, "LRO.dat", std::nullopt, "short"};
    const std::vector<std::string> gridLines = failureLines(grid, shout);
    ASSERT_EQ(gridLines.size(), 3u);
    EXPECT_EQ(gridLines[2], lunarGridCommand);
    const Failure searched{FailureKind::catalogMissingInSearch, "ecp03001p08000.prn", std::nullopt,
                           ""};
    EXPECT_EQ(failureLines(searched),
              (std::vector<std::string>{messageNoCatalogDuringSearch, messageStartHere,
                                        "ecp03001p08000.prn"}));
    EXPECT_EQ(failureText({FailureKind::catalogEnded, "x.prn", std::nullopt, ""}),
              messageCatalogEnded);
    EXPECT_EQ(failureDetail({FailureKind::badValue, "--year", std::nullopt, "needs a year"}),
              "--year: needs a year");
}
