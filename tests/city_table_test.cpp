#include "city_table.h"
#include "test_support.h"

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
    EXPECT_DOUBLE_EQ(table.rows[0].fourth, 9);
    EXPECT_DOUBLE_EQ(table.rows[1].height, 0);
    EXPECT_EQ(table.rows[2].name, "Greenwich");
    EXPECT_EQ(table.rows[2].lon, 0);
    EXPECT_DOUBLE_EQ(table.rows[3].lon, 135.768);
    EXPECT_DOUBLE_EQ(table.rows[3].height, 50);
    EXPECT_EQ(table.rows[3].fourth, 0) << "a comment ends the line";
    EXPECT_EQ(table.rows[4].lon, 0) << "text that is not a number reads as 0";
    EXPECT_DOUBLE_EQ(table.rows[4].lat, 35);
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
    table.rows.push_back({"kept", 1, 2, 3, 4});
    EXPECT_EQ(loadCityTable(table, paths), -1);
    ASSERT_EQ(table.rows.size(), 1u) << "a missing file keeps the table";

    // "東京" in Shift-JIS (CP932).
    dir.write("location.new", "\x93\x8C\x8B\x9E,139.767,35.683,40,0\n");
    ASSERT_EQ(loadCityTable(table, paths), 1);
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0].name, "東京");
    dir.write("location.new", "東京,139.767,35.683,40,0\n");
    ASSERT_EQ(loadCityTable(table, paths), 1);
    EXPECT_EQ(table.rows[0].name, "東京");
    dir.write("location.new", "; only a comment\n");
    ASSERT_EQ(loadCityTable(table, paths), 1);
    EXPECT_TRUE(table.rows.empty());
}

TEST(CityTable, ShippedListStartsAtTheDefaultObserver) {
    DataPaths paths;
    paths.dirs = {vesk::testing::sourceDataDir()};
    CityTable table;
    ASSERT_EQ(loadCityTable(table, paths), 1);
    ASSERT_EQ(table.rows.size(), 40u);
    EXPECT_EQ(table.rows[0].lon, 135);
    EXPECT_EQ(table.rows[0].lat, 35);
}
