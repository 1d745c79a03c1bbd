// SPDX-License-Identifier: GPL-3.0-or-later
// The historical sites beside the gazetteer: a small list in a scratch folder (the rule that a
// name of both lists means the modern place), and the list vesk installs against GeoNames'
// modern places.
#include "gazetteer.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <set>

namespace vesk {
namespace {

using testing::ScratchDir;

// A line of historical_places.txt.
std::string siteLine(const std::string& name, const std::string& japanese,
                     const std::string& others, double lat, double lon, const std::string& country,
                     const std::string& zone, const std::string& successor) {
    return name + "\t" + japanese + "\t" + others + "\t" + std::to_string(lat) + "\t" +
           std::to_string(lon) + "\t" + country + "\t" + zone + "\t" + successor + "\tArticle\n";
}

TEST(HistoricalPlaces, ANameOfBothListsMeansTheModernPlaceUnlessQualified) {
    ScratchDir dir;
    dir.write("cities15000.txt", "1\tParis\tParis\t\t48.85341\t2.3488\tP\tPPL\tFR\t\t11\t\t\t\t"
                                 "2138551\t\t42\tEurope/Paris\t2020-01-01\n");
    dir.write("countryInfo.txt", "FR\tFRA\t250\tFR\tFrance\tParis\nIQ\tIRQ\t368\tIZ\tIraq\n");
    dir.write(
        "historical_places.txt",
        "# a comment\n" +
            siteLine("Paris", "パリ", "Lutetia", 48.853, 2.349, "FR", "Europe/Paris", "Paris, FR") +
            siteLine("Nineveh", "", "Ninua,Kuyunjik", 36.359, 43.153, "IQ", "Asia/Baghdad",
                     "Mosul, IQ") +
            siteLine("Heian-kyō", "平安京", "Heiankyo", 35.02, 135.74, "JP", "Asia/Tokyo", "") +
            "Atlantis\t\t\tnorth\t0\t\tUTC\t\t\n" +
            siteLine("Mu", "", "", 10, 170, "", "Pacific/Nowhere", ""));
    IgnoredFiles ignored;
    const std::optional<Gazetteer> g = loadGazetteer(DataPaths{{dir.path()}}, ignored);
    ASSERT_TRUE(g);
    ASSERT_EQ(g->places.size(), 5u);
    ASSERT_EQ(ignored.size(), 2u);
    EXPECT_NE(ignored[0].find("historical_places.txt line 5: no name or no position"),
              std::string::npos)
        << ignored[0];
    EXPECT_NE(ignored[1].find("line 6: time zone \"Pacific/Nowhere\""), std::string::npos);

    const auto found = [&](std::string_view query) -> std::string {
        const PlaceLookup lookup = findPlace(*g, query);
        return lookup.place ? placeLabel(g->places[*lookup.place], false) : "none";
    };
    EXPECT_EQ(found("Paris"), "Paris (France)");
    EXPECT_EQ(found("Paris, historical"), "Paris (historical site)");
    EXPECT_EQ(found("パリ, 史跡"), "Paris (historical site)");
    EXPECT_EQ(found("Lutetia"), "Paris (historical site)"); // a name of the historical list only
    EXPECT_EQ(found("Nineveh"), "Nineveh (historical site)");
    EXPECT_EQ(found("kuyunjik"), "Nineveh (historical site)");
    EXPECT_EQ(found("Nineveh, Iraq"), "Nineveh (historical site)");
    EXPECT_EQ(found("Nineveh, FR"), "none");
    EXPECT_EQ(found("heian-kyo"), "Heian-kyō (historical site)");
    EXPECT_EQ(found("Mosul, historical"), "none");

    const GazetteerPlace& heian = g->places[*findPlace(*g, "平安京").place];
    EXPECT_EQ(placeLabel(heian, true), "平安京 (史跡)");
    EXPECT_EQ(heian.zone, "Asia/Tokyo");
    const GazetteerPlace& nineveh = g->places[*findPlace(*g, "Nineveh").place];
    EXPECT_EQ(nineveh.countryName, "Iraq");
    EXPECT_EQ(nineveh.successor, "Mosul, IQ");
    EXPECT_TRUE(g->places[*findPlace(*g, "Mu").place].zone.empty());

    // The part read for one query answers as the whole lists do.
    for (const char* query : {"Paris", "Paris, historical", "Nin", "平安京", "Lutetia"}) {
        IgnoredFiles notes;
        const std::optional<Gazetteer> part =
            loadGazetteerFor(DataPaths{{dir.path()}}, query, notes);
        ASSERT_TRUE(part) << query;
        const PlaceLookup a = findPlace(*part, query), b = findPlace(*g, query);
        ASSERT_EQ(a.place.has_value(), b.place.has_value()) << query;
        if (a.place) {
            EXPECT_EQ(part->places[*a.place].name, g->places[*b.place].name) << query;
        }
        EXPECT_EQ(a.candidates.size(), b.candidates.size()) << query;
    }

    // Without the modern list the historical sites are still found.
    ScratchDir alone;
    alone.write("historical_places.txt",
                siteLine("Nineveh", "", "", 36.359, 43.153, "IQ", "Asia/Baghdad", ""));
    IgnoredFiles none;
    const std::optional<Gazetteer> sites = loadGazetteer(DataPaths{{alone.path()}}, none);
    ASSERT_TRUE(sites);
    EXPECT_TRUE(sites->source.empty());
    EXPECT_TRUE(findPlace(*sites, "nineveh").place);
}

// The list vesk installs: at least 150 sites, each found by its name (qualified where the modern
// list has the name too), Japanese names for the sites of Japan and China, and every site with a
// modern successor in GeoNames' cities15000.txt within 10 km of it.
TEST(HistoricalPlaces, InstalledListAgreesWithTheModernPlaces) {
    IgnoredFiles ignored;
    const std::optional<Gazetteer> g =
        loadGazetteer(gazetteerPaths(DataPaths{{testing::sourceDataDir()}}), ignored);
    ASSERT_TRUE(g);
    if (g->source.empty())
        GTEST_SKIP() << "libtimezonemap-data is not installed";
    EXPECT_TRUE(ignored.empty()) << ignored.front();
    std::set<std::string> names;
    int sites = 0, successors = 0;
    for (std::uint32_t i = 0; i < g->places.size(); ++i) {
        const GazetteerPlace& site = g->places[i];
        if (!site.historical)
            continue;
        ++sites;
        EXPECT_TRUE(names.insert(site.name).second) << site.name << " twice";
        const PlaceLookup plain = findPlace(*g, site.name);
        const PlaceLookup qualified = findPlace(*g, site.name + ", historical");
        EXPECT_TRUE(plain.place == i || qualified.place == i) << site.name;
        EXPECT_FALSE(site.zone.empty()) << site.name;
        if (site.country == "JP" || site.country == "CN") {
            EXPECT_FALSE(site.japaneseName.empty()) << site.name;
        }
        if (site.successor.empty())
            continue;
        const PlaceLookup modern = findPlace(*g, site.successor);
        if (!modern.place) {
            ADD_FAILURE() << site.name << ": no one place " << site.successor;
            continue;
        }
        const GazetteerPlace& city = g->places[*modern.place];
        EXPECT_FALSE(city.historical) << site.successor;
        EXPECT_LT(greatCircleKm(site.lon, site.lat, city.lon, city.lat), 10)
            << site.name << " and " << site.successor;
        ++successors;
    }
    EXPECT_GE(sites, 150);
    EXPECT_GE(successors, 20);
}

} // namespace
} // namespace vesk
