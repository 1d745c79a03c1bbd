// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of every map of the golden set, as "vesk render --text-boxes" gives them: no two
// overlap, and the texts that every map of its kind carries are all there.
#include "test_support.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace vesk::testing;

namespace {

struct PlacedText {
    int left = 0, top = 0, right = 0, bottom = 0;
    std::string text;
};

// The lines "LEFT TOP RIGHT BOTTOM<tab>TEXT" of --text-boxes.
std::vector<PlacedText> placedTexts(const std::string& output) {
    std::vector<PlacedText> texts;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        PlacedText t;
        std::istringstream fields(line.substr(0, line.find('\t')));
        fields >> t.left >> t.top >> t.right >> t.bottom;
        t.text = line.substr(line.find('\t') + 1);
        texts.push_back(t);
    }
    return texts;
}

bool overlap(const PlacedText& a, const PlacedText& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool has(const std::vector<PlacedText>& texts, const std::string& start) {
    return std::ranges::any_of(texts,
                               [&](const PlacedText& t) { return t.text.starts_with(start); });
}

// The map cases of the golden set: name and arguments.
std::vector<std::pair<std::string, std::vector<std::string>>> mapCases() {
    std::ifstream file(std::string(VESK_SOURCE_DIR) + "/tests/golden/cases.txt");
    std::vector<std::pair<std::string, std::vector<std::string>>> cases;
    for (std::string line; std::getline(file, line);) {
        std::istringstream words(line);
        std::string name;
        if (!(words >> name) || name.starts_with('#'))
            continue;
        std::vector<std::string> args;
        for (std::string word; words >> word;)
            args.push_back(word);
        if (std::ranges::find(args, "--mode") == args.end())
            cases.emplace_back(name, args);
    }
    return cases;
}

} // namespace

TEST(MapTexts, NoTwoOverlapAndEveryMapSaysWhatItMust) {
    ScratchDir dir;
    const auto cases = mapCases();
    ASSERT_GE(cases.size(), 20u);
    for (const auto& mapCase : cases) {
        // named, not bound: the lambdas below capture them
        const std::string& name = mapCase.first;
        const std::vector<std::string>& args = mapCase.second;
        SCOPED_TRACE(name);
        std::vector<std::string> render{"render", "--out", "map.png", "--text-boxes"};
        render.insert(render.end(), args.begin(), args.end());
        const CommandResult r = runProgram(VESK_EXECUTABLE, render, dir.path());
        ASSERT_EQ(r.status, 0) << r.err;
        const std::vector<PlacedText> texts = placedTexts(r.out);
        for (std::size_t i = 0; i < texts.size(); ++i)
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_FALSE(overlap(texts[i], texts[j]))
                    << "\"" << texts[j].text << "\" and \"" << texts[i].text << "\"";
        const auto given = [&](const char* option) {
            return std::ranges::find(args, option) != args.end();
        };
        const bool regional = given("--centre") || given("--range");
        EXPECT_TRUE(has(texts, "DATE(UT) : "));
        EXPECT_TRUE(std::ranges::any_of(
            texts, [](const PlacedText& t) { return t.text.ends_with("ECLIPSE"); }));
        if (!regional || given("--mercator")) {
            for (const char* head : {"CANON OF SOLAR ECLIPSE", "GREATEST ECLIPSE", "FIRST CONTACT",
                                     "LAST CONTACT", "JD/Saros", "Delta T"})
                EXPECT_TRUE(has(texts, head)) << head;
        }
        if (!given("--mercator") && !given("--no-legend")) {
            EXPECT_TRUE(has(texts, "Partial limits, magnitude and UT curves"));
        }
        if (given("--at")) {
            EXPECT_TRUE(std::ranges::any_of(
                texts, [](const PlacedText& t) { return t.text.ends_with(" UT"); }));
            EXPECT_TRUE(has(texts, "Shadow: "));
        }
        if (given("--lon")) {
            EXPECT_TRUE(has(texts, "96.8° W, 32.78° N")) << "the observer's place";
        }
        if (given("--delta-t-band")) {
            EXPECT_TRUE(has(texts, "ΔT "));
        }
    }
}
