// SPDX-License-Identifier: GPL-3.0-or-later
// The gazetteer: reading GeoNames' lists (a small list in a scratch folder, and the list that
// libtimezonemap-data installs), folding names, finding places by name and by position.
#include "gazetteer.h"
#include "gazetteer_index.h"
#include "save_files.h"

#include "test_support.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace vesk {
namespace {

using testing::ScratchDir;

// A line of cities15000.txt.
std::string cityLine(const std::string& name, const std::string& alternates, double lat, double lon,
                     const std::string& country, const std::string& region, long long population,
                     const std::string& elevation, const std::string& terrain,
                     const std::string& zone) {
    return "1\t" + name + "\t" + name + "\t" + alternates + "\t" + std::to_string(lat) + "\t" +
           std::to_string(lon) + "\tP\tPPL\t" + country + "\t\t" + region + "\t\t\t\t" +
           std::to_string(population) + "\t" + elevation + "\t" + terrain + "\t" + zone +
           "\t2020-01-01\n";
}

Gazetteer smallGazetteer(const ScratchDir& dir, IgnoredFiles& ignored) {
    dir.write("cities15000.txt", cityLine("Zürich", "Zuerich,Zurigo,チューリッヒ", 47.37, 8.55,
                                          "CH", "ZH", 341730, "", "429", "Europe/Zurich") +
                                     cityLine("Paris", "Lutetia", 48.85, 2.35, "FR", "11", 2138551,
                                              "", "42", "Europe/Paris") +
                                     cityLine("Paris", "", 33.66, -95.56, "US", "TX", 24782, "177",
                                              "180", "America/Chicago") +
                                     cityLine("Springfield", "", 37.2, -93.3, "US", "MO", 159498,
                                              "", "396", "America/Chicago") +
                                     cityLine("Springfield", "", 42.1, -72.6, "US", "MA", 153060,
                                              "", "25", "America/New_York") +
                                     cityLine("Tokyo", "Edo,東京,Tōkyō", 35.69, 139.69, "JP", "40",
                                              8336599, "", "44", "Asia/Tokyo") +
                                     "broken line without tabs\n" +
                                     cityLine("Nowhere", "", 95, 0, "XX", "", 1, "", "", "UTC"));
    dir.write("admin1Codes.txt", "CH.ZH\tZurich\tZurich\t1\nUS.MO\tMissouri\tMissouri\t2\n"
                                 "US.MA\tMassachusetts\tMassachusetts\t3\n");
    dir.write("countryInfo.txt", "# comment\nCH\tCHE\t756\tSZ\tSwitzerland\tBern\n"
                                 "US\tUSA\t840\tUS\tUnited States\tWashington\n");
    std::optional<Gazetteer> g = loadGazetteer(DataPaths{{dir.path()}}, ignored);
    EXPECT_TRUE(g.has_value());
    return g.value_or(Gazetteer{});
}

TEST(Gazetteer, FoldsCaseAndLatinAccentsAndKeepsOtherScripts) {
    EXPECT_EQ(foldName("Zürich"), "zurich");
    EXPECT_EQ(foldName("ŁÓDŹ"), "lodz");
    EXPECT_EQ(foldName("Straße"), "strasse");
    EXPECT_EQ(foldName("Zu\xCC\x88rich"), "zurich"); // u and a combining diaeresis
    EXPECT_EQ(foldName("東京"), "東京");
    EXPECT_EQ(foldName("\xFF\xC3"), "\xFF\xC3"); // stray bytes stay as they are
}

TEST(Gazetteer, ReadsPlacesAndPassesOverBrokenLinesWithANote) {
    ScratchDir dir;
    IgnoredFiles ignored;
    const Gazetteer g = smallGazetteer(dir, ignored);
    ASSERT_EQ(g.places.size(), 6u);
    ASSERT_EQ(ignored.size(), 2u);
    EXPECT_NE(ignored[0].find("cities15000.txt line 7: fewer than 19 fields"), std::string::npos);
    EXPECT_NE(ignored[1].find("line 8"), std::string::npos);
    const GazetteerPlace& zurich = g.places[0];
    EXPECT_EQ(zurich.region, "Zurich");
    EXPECT_EQ(zurich.countryName, "Switzerland");
    EXPECT_EQ(zurich.japaneseName, "チューリッヒ");
    EXPECT_EQ(zurich.height, 429); // the terrain model's, without an elevation
    EXPECT_EQ(g.places[2].height, 177);
    EXPECT_EQ(g.places[5].japaneseName, "東京"); // kanji, in Japan
    EXPECT_EQ(placeLabel(zurich, false), "Zürich (Zurich, Switzerland)");
    EXPECT_EQ(placeLabel(zurich, true), "チューリッヒ (Zurich, Switzerland)");
}

// A population no place has (beyond the integers, or negative) reads as unknown.
TEST(Gazetteer, ImpossiblePopulationsAreUnknown) {
    ScratchDir dir;
    std::string lines = cityLine("Big", "", 10, 10, "XX", "", 5, "", "", "UTC") +
                        cityLine("Small", "", 11, 11, "XX", "", -5, "", "", "UTC");
    const std::size_t at = lines.find("\t5\t");
    lines.replace(at, 3, "\t42240999999999999999997\t");
    dir.write("cities15000.txt", lines);
    IgnoredFiles ignored;
    const std::optional<Gazetteer> g = loadGazetteer(DataPaths{{dir.path()}}, ignored);
    ASSERT_TRUE(g.has_value());
    ASSERT_EQ(g->places.size(), 2u);
    EXPECT_EQ(g->places[0].population, 0);
    EXPECT_EQ(g->places[1].population, 0);
}

TEST(Gazetteer, FindsANameOrSaysWhichPlacesItCouldMean) {
    ScratchDir dir;
    IgnoredFiles ignored;
    const Gazetteer g = smallGazetteer(dir, ignored);
    EXPECT_EQ(findPlace(g, "Zurich").place, 0u);
    EXPECT_EQ(findPlace(g, " ZÜRICH ").place, 0u);
    EXPECT_EQ(findPlace(g, "東京").place, 5u);
    EXPECT_EQ(findPlace(g, "Paris").place, 1u); // 86 times the Texan town's inhabitants
    EXPECT_EQ(findPlace(g, "Paris, US").place, 2u);
    EXPECT_EQ(findPlace(g, "Springfield, Massachusetts").place, 4u);
    const PlaceLookup springfield = findPlace(g, "Springfield");
    EXPECT_FALSE(springfield.place);
    EXPECT_EQ(springfield.candidates, (std::vector<std::uint32_t>{3, 4}));
    const PlaceLookup partial = findPlace(g, "Spring");
    EXPECT_FALSE(partial.place);
    EXPECT_EQ(partial.candidates.size(), 2u);
    EXPECT_TRUE(findPlace(g, "Atlantis").candidates.empty());
    EXPECT_TRUE(findPlace(g, "").candidates.empty());
    EXPECT_EQ(placesStartingWith(g, "to", 10), (std::vector<std::uint32_t>{5}));
}

TEST(Gazetteer, NearestPlaceWithinADistance) {
    ScratchDir dir;
    IgnoredFiles ignored;
    const Gazetteer g = smallGazetteer(dir, ignored);
    // Paris to Zürich: 488 km along the great circle.
    EXPECT_NEAR(greatCircleKm(2.35, 48.85, 8.55, 47.37), 488, 2);
    EXPECT_EQ(nearestPlace(g, 8.0, 47.5, 150), 0u);
    EXPECT_FALSE(nearestPlace(g, -150, 0, 150));
}

// A zone field is a zone name of the system's database or nothing: never a path that is opened
// (a FIFO there would hang the reader).
TEST(Gazetteer, ZoneNamesAreTheDatabasesOrNone) {
    ScratchDir dir;
    ASSERT_EQ(mkfifo((dir.path() / "fifo").c_str(), 0600), 0);
    std::string traversal = "../../../../../../../..";
    traversal += (dir.path() / "fifo").string();
    dir.write("cities15000.txt",
              cityLine("Kairo", "", 30.06, 31.25, "EG", "", 100, "", "", "Africa/Cairo") +
                  cityLine("Trap", "", 10, 10, "XX", "", 100, "", "", traversal) +
                  cityLine("Root", "", 11, 11, "XX", "", 100, "", "", "/etc/passwd") +
                  cityLine("Made", "", 12, 12, "XX", "", 100, "", "", "Mars/Olympus_Mons"));
    IgnoredFiles ignored;
    const std::optional<Gazetteer> g = loadGazetteer(DataPaths{{dir.path()}}, ignored);
    ASSERT_TRUE(g);
    ASSERT_EQ(g->places.size(), 4u);
    EXPECT_EQ(g->places[0].zone, "Africa/Cairo");
    for (std::size_t i = 1; i < 4; ++i) {
        EXPECT_EQ(g->places[i].zone, "");
        EXPECT_EQ(observerPlaceOf(g->places[i], false).zoneSource, ZoneSource::none);
    }
    ASSERT_EQ(ignored.size(), 3u);
    EXPECT_NE(ignored[0].find("line 2: time zone"), std::string::npos) << ignored[0];
    EXPECT_TRUE(isSystemZoneName("America/Argentina/Buenos_Aires"));
    EXPECT_TRUE(isSystemZoneName("Etc/GMT+5"));
    for (const char* bad : {"", "Europe/../Europe/Paris", "Europe//Paris", "Europe/", "./UTC",
                            "Europe/Paris\n", "Europe/Par is"})
        EXPECT_FALSE(isSystemZoneName(bad)) << bad;
}

// Two places of one name whose populations are unknown are ambiguous; names of invalid UTF-8
// come out as valid text; a line of thousands of alternate names is indexed only in part.
TEST(Gazetteer, HostileListsGiveBoundedHonestAnswers) {
    ScratchDir dir;
    std::string many;
    for (int i = 0; i < 5000; ++i)
        many.append(i ? ",alias" : "alias").append(std::to_string(i));
    dir.write("cities15000.txt",
              cityLine("Twin", "", 10, 10, "XX", "", 0, "", "", "UTC") +
                  cityLine("Twin", "", 20, 20, "XX", "", 0, "", "", "UTC") +
                  cityLine("Bad\xFF\xC3Name", "", 30, 30, "XX", "", 10, "", "", "UTC") +
                  cityLine("Many", many, 40, 40, "XX", "", 10, "", "", "UTC"));
    IgnoredFiles ignored;
    const std::optional<Gazetteer> g = loadGazetteer(DataPaths{{dir.path()}}, ignored);
    ASSERT_TRUE(g);
    const PlaceLookup twin = findPlace(*g, "Twin");
    EXPECT_FALSE(twin.place);
    EXPECT_EQ(twin.candidates.size(), 2u);
    EXPECT_EQ(g->places[2].name, "Bad\uFFFD\uFFFDName");
    EXPECT_TRUE(findPlace(*g, "alias999").place);
    EXPECT_FALSE(findPlace(*g, "alias1000").place);
    EXPECT_LE(g->names.size(), 1010u);
    ASSERT_EQ(ignored.size(), 1u);
    EXPECT_NE(ignored[0].find("line 4: more alternate names"), std::string::npos);
}

// A folder or a FIFO of that name is passed over (nothing waits on the FIFO); a list of garbage
// gives no places and a bounded number of notes.
TEST(Gazetteer, SpecialFilesAndGarbageAreRefused) {
    ScratchDir dir;
    IgnoredFiles ignored;
    std::filesystem::create_directory(dir.path() / "cities15000.txt"); // a folder, not a file
    EXPECT_FALSE(loadGazetteer(DataPaths{{dir.path()}}, ignored));
    ScratchDir fifoDir;
    ASSERT_EQ(mkfifo((fifoDir.path() / "cities15000.txt").c_str(), 0600), 0);
    EXPECT_FALSE(loadGazetteer(DataPaths{{fifoDir.path()}}, ignored));
    ScratchDir garbage;
    std::string text;
    for (int i = 0; i < 500; ++i)
        text += std::string(i % 7 == 0 ? 70000 : 40, static_cast<char>('a' + i % 26)) + "\t\n";
    garbage.write("cities15000.txt", text);
    ignored.clear();
    const std::optional<Gazetteer> g = loadGazetteer(DataPaths{{garbage.path()}}, ignored);
    ASSERT_TRUE(g);
    EXPECT_TRUE(g->places.empty());
    ASSERT_EQ(ignored.size(), 11u);
    EXPECT_NE(ignored[0].find("longer than 65536 bytes"), std::string::npos);
    EXPECT_NE(ignored.back().find("490 more lines passed over"), std::string::npos);
    EXPECT_FALSE(findPlace(*g, "x").place);
}

// The list Debian installs (libtimezonemap-data): the places the users ask for.
TEST(Gazetteer, InstalledListFindsTheUsersPlaces) {
    IgnoredFiles ignored;
    const std::optional<Gazetteer> g = loadGazetteer(gazetteerPaths(DataPaths{}), ignored);
    if (!g)
        GTEST_SKIP() << "libtimezonemap-data is not installed";
    EXPECT_GT(g->places.size(), 23000u);
    const auto zoneOf = [&](const char* name) {
        const PlaceLookup found = findPlace(*g, name);
        return found.place ? g->places[*found.place].zone : std::string("none");
    };
    EXPECT_EQ(zoneOf("Luxor"), "Africa/Cairo");
    EXPECT_EQ(zoneOf("Luxor, EG"), "Africa/Cairo");
    EXPECT_EQ(zoneOf("Dallas"), "America/Chicago");
    EXPECT_EQ(zoneOf("東京"), "Asia/Tokyo");
    EXPECT_EQ(zoneOf("Zürich"), "Europe/Zurich");
    EXPECT_EQ(zoneOf("Zurich"), "Europe/Zurich");
    EXPECT_EQ(zoneOf("Burgos"), "Europe/Madrid");
    EXPECT_EQ(zoneOf("Boston"), "America/New_York");
    const PlaceLookup springfield = findPlace(*g, "Springfield");
    EXPECT_FALSE(springfield.place);
    EXPECT_GE(springfield.candidates.size(), 5u);
    EXPECT_LE(springfield.candidates.size(), maxCandidates);
    const std::optional<std::uint32_t> luxor = findPlace(*g, "Luxor").place;
    ASSERT_TRUE(luxor);
    EXPECT_EQ(g->places[*luxor].region, "Luxor");
    EXPECT_EQ(g->places[*luxor].countryName, "Egypt");
    EXPECT_EQ(g->places[*luxor].japaneseName, "ルクソール");
}

// A command that asks for one place reads only the places whose names begin like the query's:
// the answer is the whole list's, and the notes are those of the lines read.
TEST(Gazetteer, ThePartReadForOneQueryAnswersAsTheWholeList) {
    const auto answer = [](const Gazetteer& g, std::string_view query) {
        const PlaceLookup found = findPlace(g, query);
        std::vector<std::string> places;
        for (std::uint32_t i : found.place ? std::vector{*found.place} : found.candidates)
            places.push_back(placeLabel(g.places[i], false) + " " +
                             std::to_string(g.places[i].lon));
        return std::pair(found.place.has_value(), places);
    };
    IgnoredFiles ignored;
    const std::optional<Gazetteer> whole = loadGazetteer(gazetteerPaths(DataPaths{}), ignored);
    if (!whole)
        GTEST_SKIP() << "libtimezonemap-data is not installed";
    for (const char* query :
         {"Dallas", "Springfield", "Paris, FR", "paris", "東京", "Zurich", "zur", "Saint",
          "São Paulo", "Évora", "evora", "Luxor, Egypt", "", " , EG", "xyzzy"}) {
        const std::optional<Gazetteer> part =
            loadGazetteerFor(gazetteerPaths(DataPaths{}), query, ignored);
        ASSERT_TRUE(part) << query;
        EXPECT_EQ(answer(*part, query), answer(*whole, query)) << query;
        EXPECT_LT(part->places.size(), whole->places.size() / 10) << query;
    }

    ScratchDir dir;
    IgnoredFiles small;
    smallGazetteer(dir, small);
    ASSERT_FALSE(small.empty()) << "the small list has a broken line";
    IgnoredFiles notes;
    const std::optional<Gazetteer> paris =
        loadGazetteerFor(DataPaths{{dir.path()}}, "Paris", notes);
    ASSERT_TRUE(paris);
    EXPECT_EQ(paris->places.size(), 2u);
    EXPECT_TRUE(notes.empty()) << notes.front();
    loadGazetteerFor(DataPaths{{dir.path()}}, "Nowhere", notes);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("line 8: no name or no position"), std::string::npos) << notes[0];
}

// With a cache folder the modern places come through an index kept there: the same places, names
// and notes as parsing gives; made again when the list changes (its size, or its bytes at the
// same size); a damaged index is passed over with a note and made again.
TEST(Gazetteer, IndexInTheCacheFollowsTheListAndIsPassedOverWhenDamaged) {
    ScratchDir dir;
    IgnoredFiles parsedNotes;
    smallGazetteer(dir, parsedNotes);
    const DataPaths parsedPaths{{dir.path()}};
    DataPaths cachedPaths{{dir.path()}, dir.path() / "cache"};
    cachedPaths.cacheFiles = std::make_shared<CacheFileSink>();
    const std::filesystem::path index =
        gazetteerIndexPath(cachedPaths.cacheDir, dir.path() / "cities15000.txt");
    const auto summary = [](const DataPaths& paths, std::optional<std::string> query) {
        IgnoredFiles notes;
        const std::optional<Gazetteer> g =
            query ? loadGazetteerFor(paths, *query, notes) : loadGazetteer(paths, notes);
        std::string text;
        for (const GazetteerPlace& p : g->places)
            text += placeLabel(p, true) + " " + std::to_string(p.lon) + " " + p.zone + " " +
                    std::to_string(p.height.value_or(-1)) + "\n";
        for (const auto& [name, place] : g->names) // the names a query's lookups read
            if (!query || name.starts_with(foldName(*query)))
                text += name + "=" + std::to_string(place) + " ";
        for (const std::string& note : notes)
            text += "\n" + note;
        return text;
    };
    for (const auto& query : std::initializer_list<std::optional<std::string>>{
             std::nullopt, "Paris", "zur", "東京", "Nowhere", ""}) {
        EXPECT_EQ(summary(cachedPaths, query), summary(parsedPaths, query)) << query.value_or("-");
        EXPECT_TRUE(std::filesystem::exists(index));
    }
    const auto answer = [&](const std::string& query) {
        IgnoredFiles notes;
        const std::optional<Gazetteer> g = loadGazetteerFor(cachedPaths, query, notes);
        const PlaceLookup found = findPlace(*g, query);
        return found.place ? g->places[*found.place].name : "";
    };
    // a place added: a new size
    std::string cities = testing::readFile(dir.path() / "cities15000.txt");
    cities += cityLine("Veskton", "", 10, 20, "XX", "", 5, "", "", "UTC");
    dir.write("cities15000.txt", cities);
    EXPECT_EQ(answer("Veskton"), "Veskton");
    // a place renamed at the same size, its time set back to the index's: the bytes tell
    const auto madeAt = std::filesystem::last_write_time(index);
    for (std::size_t at = cities.find("Veskton"); at != std::string::npos;
         at = cities.find("Veskton"))
        cities.replace(at, 7, "Vesktin"); // its name and ASCII name
    dir.write("cities15000.txt", cities);
    std::filesystem::last_write_time(dir.path() / "cities15000.txt", madeAt);
    EXPECT_EQ(answer("Vesktin"), "Vesktin");
    EXPECT_EQ(answer("Veskton"), "");
    // damaged: a count that is not the file's, then a name beyond the text
    const std::size_t counts = 64, places = 80; // where the header's counts and the places begin
    const std::size_t firstName =
        places + 80 * static_cast<unsigned char>(testing::readFile(index)[counts]);
    for (const std::size_t at : {counts, firstName + 3}) {
        std::string bytes = testing::readFile(index);
        bytes[at] ^= 0x40;
        dir.write(std::filesystem::relative(index, dir.path()).string(), bytes);
        IgnoredFiles notes;
        const std::optional<Gazetteer> g = loadGazetteerFor(cachedPaths, "Tokyo", notes);
        ASSERT_EQ(notes.size(), 1u) << at;
        EXPECT_NE(notes[0].find(": damaged ("), std::string::npos) << notes[0];
        EXPECT_EQ(g->places.size(), 1u);
        IgnoredFiles again;
        loadGazetteerFor(cachedPaths, "Tokyo", again);
        EXPECT_TRUE(again.empty()) << "made again";
    }
}

} // namespace
} // namespace vesk
