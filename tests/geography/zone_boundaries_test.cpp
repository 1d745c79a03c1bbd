// SPDX-License-Identifier: GPL-3.0-or-later
// The time zone of a point from the zones' boundaries (data/timezones.dat, made by setup.sh from
// the geo-tz package): named places on either side of borders whose clocks differ, agreement
// with the package itself at 10,000 random points on land, and damaged files refused.
#include "zone_boundaries.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <sstream>

namespace vesk {
namespace {

using testing::ScratchDir;

// Where a zone file's tree length lies: after the magic, the zone count and the zones' names and
// areas.
std::size_t treeLengthAt(const std::string& file) {
    std::uint32_t zoneCount = 0;
    std::memcpy(&zoneCount, file.data() + 8, 4);
    std::size_t at = 12;
    for (std::uint32_t i = 0; i < zoneCount; ++i)
        at += 1 + static_cast<unsigned char>(file[at]) + sizeof(double);
    return at;
}

std::optional<ZoneBoundaries> sourceBoundaries() {
    IgnoredFiles ignored;
    return ZoneBoundaries::load(DataPaths{{testing::sourceDataDir()}}, ignored);
}

// Places whose zone the nearest town would get wrong, from the tz database's own descriptions
// of its zones (zone1970.tab) and the states' laws on their clocks.
TEST(ZoneBoundaries, BorderPlacesTakeTheirOwnZone) {
    const std::optional<ZoneBoundaries> zones = sourceBoundaries();
    if (!zones)
        GTEST_SKIP() << "no timezones.dat in the data folder (bash setup.sh makes it)";
    struct Place {
        const char* what;
        double lon, lat;
        const char* zone;
    };
    for (const Place& p : {
             Place{"Egypt's Western Desert, in the path of 2027 Aug 2", 25.15, 29.28,
                   "Africa/Cairo"},
             Place{"Phoenix: Arizona keeps no daylight saving", -112.07, 33.45, "America/Phoenix"},
             Place{"Window Rock, Navajo Nation: it does", -109.05, 36.68, "America/Denver"},
             Place{"Second Mesa, Hopi lands inside the Navajo Nation", -110.64, 35.87,
                   "America/Phoenix"},
             Place{"Indianapolis", -86.16, 39.77, "America/Indiana/Indianapolis"},
             Place{"Gary, Lake County, Indiana: Central time", -87.35, 41.6, "America/Chicago"},
             Place{"Vincennes, Knox County, Indiana", -87.53, 38.68, "America/Indiana/Vincennes"},
             Place{"Tell City, Perry County, Indiana", -86.77, 37.95, "America/Indiana/Tell_City"},
             Place{"Kashgar: Xinjiang's own zone within China's", 75.99, 39.47, "Asia/Urumqi"},
             Place{"Wakhan, Afghanistan, at the Chinese border", 73.5, 37.0, "Asia/Kabul"},
             Place{"Tashkurgan, China, at the Afghan border", 75.23, 37.77, "Asia/Urumqi"},
         }) {
        EXPECT_EQ(zones->zoneAt(p.lon, p.lat).zone.value_or("none"), p.zone) << p.what;
    }
    // the two zones of Xinjiang, and 315 E folded to 45 W (Greenland)
    EXPECT_EQ(zones->zonesAt(75.99, 39.47).size(), 2u);
    EXPECT_EQ(zones->zoneAt(315, 65).zone, zones->zoneAt(-45, 65).zone);
    EXPECT_FALSE(zones->zoneAt(-30, 20).zone) << "at sea";
    EXPECT_FALSE(zones->zoneAt(0, 90).zone) << "at the pole";
    // on the antimeridian, the zone that holds the point from the east or the west: Fiji on
    // 2012 November 13, not the nautical zone
    for (const double lon : {180.0, -180.0, 179.9999, -179.9999, 179.99995})
        EXPECT_EQ(zones->zoneAt(lon, -16.1).zone.value_or("none"), "Pacific/Fiji") << lon;
}

// At 10,000 random points on land the zone is the package's (one of them, where it gives two).
TEST(ZoneBoundaries, AgreesWithThePackageAtRandomLandPoints) {
    const std::optional<ZoneBoundaries> zones = sourceBoundaries();
    const std::filesystem::path tools =
        std::filesystem::path(VESK_SOURCE_DIR) / "tools" / "timezones";
    if (!zones || !std::filesystem::exists(tools / "node_modules" / "geo-tz"))
        GTEST_SKIP() << "no timezones.dat or geo-tz (bash setup.sh installs them)";
    ScratchDir dir;
    const testing::CommandResult sample = testing::runProgram(
        "/usr/bin/env", {"node", (tools / "sample_zones.js").string(), "10000", "1"}, dir.path());
    ASSERT_EQ(sample.status, 0) << sample.err;
    std::istringstream lines(sample.out);
    int points = 0, agree = 0, several = 0;
    std::map<std::string, int> misses;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        double lon = 0, lat = 0;
        std::string listed;
        ASSERT_TRUE(fields >> lon >> lat >> listed) << line;
        ++points;
        several += listed.find(',') != std::string::npos;
        const std::string zone = zones->zoneAt(lon, lat).zone.value_or("none");
        if (("," + listed + ",").find("," + zone + ",") != std::string::npos)
            ++agree;
        else
            ++misses[listed + " here, " + zone + " by the file"];
    }
    ASSERT_EQ(points, 10000);
    EXPECT_GE(agree, 9950) << misses.size() << " kinds of miss";
    std::printf("(%d of %d points agree; %d where the package gives two zones)\n", agree, points,
                several);
    for (const auto& [what, count] : misses)
        std::printf("  miss x%d: %s\n", count, what.c_str());
}

// A damaged file is passed over with a note naming it, and the next folder's serves. A length
// beyond the file is refused before anything is allocated (a tree of 4 GB was allocated first).
TEST(ZoneBoundaries, DamagedFilesArePassedOver) {
    if (!sourceBoundaries())
        GTEST_SKIP() << "no timezones.dat in the data folder (bash setup.sh makes it)";
    ScratchDir dir;
    const std::string whole = testing::readFile(testing::sourceDataDir() / "timezones.dat");
    std::string longTree = whole;
    longTree.replace(treeLengthAt(whole), 4, "\xff\xff\xff\xff");
    for (const std::string& damaged : {std::string(), std::string("VESKTZ1\n\xff\xff\xff\xff"),
                                       whole.substr(0, 2000), std::string(4096, 'x'), longTree}) {
        dir.write("timezones.dat", damaged);
        IgnoredFiles ignored;
        const std::optional<ZoneBoundaries> zones =
            ZoneBoundaries::load(DataPaths{{dir.path(), testing::sourceDataDir()}}, ignored);
        ASSERT_EQ(ignored.size(), 1u) << damaged.size();
        EXPECT_NE(ignored[0].find(dir.path().filename().string() + "/timezones.dat"),
                  std::string::npos)
            << ignored[0];
        ASSERT_TRUE(zones);
        EXPECT_EQ(zones->zoneAt(25.15, 29.28).zone, "Africa/Cairo") << "the next folder's file";
    }
    IgnoredFiles ignored;
    dir.write("timezones.dat", longTree);
    ZoneBoundaries::load(DataPaths{{dir.path()}}, ignored);
    ASSERT_EQ(ignored.size(), 1u);
    EXPECT_NE(ignored[0].find("the tree is longer than the file (4294967295 bytes"),
              std::string::npos)
        << ignored[0];
}

// Random bytes in place of the polygons (as a disk's fault would leave them) are no zone: a
// lookup in Chicago says the file is damaged there, and the program takes the nearest place's
// zone and says why, instead of the nautical zone an hour wrong. A damaged file that the
// program passes over is named on standard error.
TEST(ZoneBoundaries, DamagedPolygonsAreNoZone) {
    if (!sourceBoundaries())
        GTEST_SKIP() << "no timezones.dat in the data folder (bash setup.sh makes it)";
    ScratchDir dir;
    std::string damaged = testing::readFile(testing::sourceDataDir() / "timezones.dat");
    const std::size_t treeAt = treeLengthAt(damaged);
    std::uint32_t treeBytes = 0;
    std::memcpy(&treeBytes, damaged.data() + treeAt, 4);
    std::mt19937 random(7);
    for (std::size_t i = treeAt + 4 + treeBytes; i < damaged.size(); ++i)
        damaged[i] = static_cast<char>(random());
    dir.write("timezones.dat", damaged);
    IgnoredFiles ignored;
    const std::optional<ZoneBoundaries> zones =
        ZoneBoundaries::load(DataPaths{{dir.path()}}, ignored);
    ASSERT_TRUE(zones);
    const ZoneLookup chicago = zones->zoneAt(-87.63, 41.88);
    EXPECT_FALSE(chicago.zone);
    EXPECT_NE(chicago.fault.find("timezones.dat: damaged: the polygons at byte"), std::string::npos)
        << chicago.fault;

    const std::vector<std::string> args = {"info", "--year",  "2024",        "--month",
                                           "4",    "--place", "-87.63,41.88"};
    testing::CommandResult r = testing::runProgram(VESK_EXECUTABLE, args, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("timezones.dat: damaged: the polygons at byte"), std::string::npos)
        << r.err;
    EXPECT_NE(r.out.find("America/Chicago, the zone of Chicago"), std::string::npos) << r.out;

    dir.write("timezones.dat", "VESKTZ1\n");
    r = testing::runProgram(VESK_EXECUTABLE, args, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("vesk: " + std::filesystem::canonical(dir.path()).string() +
                         "/timezones.dat: damaged: no zones"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.out.find("America/Chicago"), std::string::npos) << "the next folder's file";
}

} // namespace
} // namespace vesk
