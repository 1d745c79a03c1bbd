// SPDX-License-Identifier: GPL-3.0-or-later
#include "city_table.h"
#include "test_support.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace vesk;
using vesk::testing::ScratchDir;

TEST(CityTable, LineFormat) {
    CityTable table;
    parseCityTable(table, "Tokyo,139.767,35.683,40,9\n"
                          "Naha,127.68,26.21\n"
                          ";Tokyo,139.767,35.683,40,9\n"
                          "Greenwich\n"
                          "Kyoto, 135.768 ,35.012,50;comment,99\n"
                          "Bad,east,35\r\n");
    ASSERT_EQ(table.rows.size(), 5u);
    EXPECT_EQ(table.rows[0].name, "Tokyo");
    EXPECT_DOUBLE_EQ(table.rows[0].lon, 139.767);
    EXPECT_DOUBLE_EQ(table.rows[0].lat, 35.683);
    EXPECT_DOUBLE_EQ(table.rows[0].height, 40);
    EXPECT_DOUBLE_EQ(table.rows[0].spare, 9);
    EXPECT_DOUBLE_EQ(table.rows[1].height, 0);
    EXPECT_EQ(table.rows[2].name, "Greenwich");
    EXPECT_EQ(table.rows[2].lon, 0);
    EXPECT_DOUBLE_EQ(table.rows[3].lon, 135.768);
    EXPECT_DOUBLE_EQ(table.rows[3].height, 50);
    EXPECT_EQ(table.rows[3].spare, 0) << "a comment ends the line";
    EXPECT_EQ(table.rows[4].lon, 0) << "text that is not a number reads as 0";
    EXPECT_DOUBLE_EQ(table.rows[4].lat, 35);
    // a sixth field, the English name, named in English only
    parseCityTable(table, "東京,139.767,35.683,40,0,Tokyo\n"
                          "京都,135.768,35.012,50,0;Kyoto\n");
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0].englishName, "Tokyo");
    EXPECT_EQ(cityName(table.rows[0], true), "Tokyo");
    EXPECT_EQ(cityName(table.rows[0], false), "東京");
    EXPECT_EQ(cityName(table.rows[1], true), "京都") << "a comment is no name";
    EXPECT_DOUBLE_EQ(table.rows[0].lat, 35.683);
}

TEST(CityTable, AtMostFortyRowsAndLongLinesContinue) {
    std::string text;
    for (int i = 0; i < 45; ++i)
        text += "; comment\nPlace" + std::to_string(i) + "," + std::to_string(i) + ",1,2,3\n";
    CityTable table;
    parseCityTable(table, text);
    ASSERT_EQ(table.rows.size(), 40u);
    EXPECT_EQ(table.rows[39].name, "Place39");

    // A line of more than 79 characters goes on as the next line.
    parseCityTable(table, std::string(85, 'x') + ",1,2\n");
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0].name, std::string(79, 'x'));
    EXPECT_EQ(table.rows[1].name, "xxxxxx");
    EXPECT_DOUBLE_EQ(table.rows[1].lon, 1);
    // Japanese names count in characters, not bytes.
    std::string longName;
    for (int i = 0; i < 30; ++i)
        longName += "東";
    parseCityTable(table, longName + ",1,2\n");
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0].name, longName);
}

TEST(CityTable, FilesInUtf8OrShiftJis) {
    ScratchDir dir;
    DataPaths paths;
    paths.dirs = {dir.path()};
    CityTable table;
    IgnoredFiles ignored;
    table.rows.push_back({"kept", 1, 2, 3, 4, ""});
    EXPECT_NE(loadCityTable(table, paths, ignored), std::nullopt);
    ASSERT_EQ(table.rows.size(), 1u) << "a missing file keeps the table";

    // "東京" in Shift-JIS (CP932).
    dir.write("location.new", "\x93\x8C\x8B\x9E,139.767,35.683,40,0\n");
    ASSERT_EQ(loadCityTable(table, paths, ignored), std::nullopt);
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0].name, "東京");
    dir.write("location.new", "東京,139.767,35.683,40,0\n");
    ASSERT_EQ(loadCityTable(table, paths, ignored), std::nullopt);
    EXPECT_EQ(table.rows[0].name, "東京");
    dir.write("location.new", "; only a comment\n");
    ASSERT_EQ(loadCityTable(table, paths, ignored), std::nullopt);
    EXPECT_TRUE(table.rows.empty());
}

TEST(CityTable, ShippedListStartsAtTheDefaultObserver) {
    DataPaths paths;
    paths.dirs = {vesk::testing::sourceDataDir()};
    CityTable table;
    IgnoredFiles ignored;
    ASSERT_EQ(loadCityTable(table, paths, ignored), std::nullopt);
    EXPECT_TRUE(ignored.empty());
    ASSERT_EQ(table.rows.size(), 40u);
    EXPECT_EQ(table.rows[0].lon, 135);
    EXPECT_EQ(table.rows[0].lat, 35);
    for (const City& city : table.rows) // every place has a name in Latin letters
        EXPECT_LT(static_cast<unsigned char>(cityName(city, true).front()), 0x80) << city.name;
}

// Places no observer can stand at are left out with a warning naming the line; the file is read
// line by line up to its 40th row, and a line longer than the bound is cut.
TEST(CityTable, ImpossiblePlacesAreLeftOutAndHugeFilesStayCheap) {
    CityTable table;
    parseCityTable(table, "Tokyo,139.767,35.683,40,0\n"
                          "East,361,0\n"
                          "West,-180.5,0\n"
                          "North,0,90.01\n"
                          "Deep,0,0,-501\n"
                          "High,0,0,100001\n"
                          "NaN,nan,0\n"
                          "Edge,360,-90,100000\n");
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[1].name, "Edge");
    ASSERT_EQ(table.warnings.size(), 6u);
    EXPECT_EQ(table.warnings[0],
              "location.new line 2: longitude outside -180 to 360: the place is left out");
    EXPECT_NE(table.warnings[3].find("line 5: height outside"), std::string::npos);
    EXPECT_NE(table.warnings[5].find("line 7: longitude"), std::string::npos);

    // 41 rows and then a line of 20 MB: the file stops at the 40th row.
    ScratchDir dir;
    {
        std::ofstream file(dir.path() / "location.new", std::ios::binary);
        for (int i = 0; i < 41; ++i)
            file << 'P' << i << ",1,2\n";
        const std::string block(1 << 20, 'x');
        for (int i = 0; i < 20; ++i)
            file << block;
    }
    IgnoredFiles ignored;
    ASSERT_EQ(loadCityTable(table, DataPaths{{dir.path()}}, ignored), std::nullopt);
    EXPECT_EQ(table.rows.size(), 40u);
    EXPECT_TRUE(ignored.empty());
    // A first line of 20 MB: cut at 64 KB, whose first 40 pieces are the table.
    std::filesystem::resize_file(dir.path() / "location.new", 0);
    {
        std::ofstream file(dir.path() / "location.new", std::ios::binary);
        file << std::string(20 << 20, 'y') << "\nLast,1,2\n";
    }
    ASSERT_EQ(loadCityTable(table, DataPaths{{dir.path()}}, ignored), std::nullopt);
    EXPECT_EQ(table.rows.size(), 40u);
    EXPECT_EQ(table.rows[0].name, std::string(79, 'y'));
}

// The table is read again when its file changes (even to the same size), and only then; the
// notes of the reading come with every load.
TEST(CityTable, ReadAgainWhenTheFileChanges) {
    ScratchDir dir;
    const DataPaths paths{{dir.path()}};
    const std::filesystem::path file = dir.write("location.new", "Aaaa,1,2\nBad,400,0\n");
    CityTable table;
    for (int load = 0; load < 2; ++load) {
        IgnoredFiles ignored;
        ASSERT_EQ(loadCityTable(table, paths, ignored), std::nullopt);
        ASSERT_EQ(table.rows.size(), 1u);
        EXPECT_EQ(table.rows[0].name, "Aaaa");
        ASSERT_EQ(ignored.size(), 1u) << "load " << load;
    }
    const auto written = std::filesystem::last_write_time(file);
    dir.write("location.new", "Bbbb,1,2\nBad,400,0\n");
    std::filesystem::last_write_time(file, written + std::chrono::seconds(1));
    IgnoredFiles ignored;
    ASSERT_EQ(loadCityTable(table, paths, ignored), std::nullopt);
    EXPECT_EQ(table.rows[0].name, "Bbbb");
    // A file in an earlier folder of the search order takes over.
    ScratchDir first;
    first.write("location.new", "Cccc,1,2\n");
    ASSERT_EQ(loadCityTable(table, DataPaths{{first.path(), dir.path()}}, ignored), std::nullopt);
    EXPECT_EQ(table.rows[0].name, "Cccc");
}
