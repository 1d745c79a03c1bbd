// SPDX-License-Identifier: GPL-3.0-or-later
// The civil time of a place (QTimeZone over the system's tzdata), the observer options of the
// commands (--place by name, the relief grid's height) and what the commands print of them.
#include "civil_time.h"
#include "place_options.h"
#include "timescales.h"

#include "parsed_output.h"
#include "test_support.h"

#include <QJsonObject>
#include <gtest/gtest.h>

namespace vesk {
namespace {

using testing::ScratchDir;

ObserverPlace zonePlace(const char* zone) {
    ObserverPlace place;
    place.zone = zone;
    place.zoneSource = ZoneSource::gazetteer;
    return place;
}

double jdUt(double year, double month, double day, double hour) {
    return calendarToJd(year, month, day, hour, 0, 0);
}

// The clocks of the eclipse days the users ask about, with daylight saving where it was kept.
TEST(CivilTime, ClocksOfTheEclipseDays) {
    struct Case {
        const char* zone;
        double year, month, day, hour;
        int offset;
        const char* abbreviation;
    };
    const Case cases[] = {
        {"Africa/Cairo", 2027, 8, 2, 10.0, 3 * 3600, "EEST"},      // Luxor
        {"America/Chicago", 2024, 4, 8, 18.7, -5 * 3600, "CDT"},   // Dallas
        {"Asia/Tokyo", 2035, 9, 2, 1.5, 9 * 3600, "JST"},          // Tokyo
        {"Europe/Madrid", 2026, 8, 12, 18.5, 2 * 3600, "CEST"},    // Burgos
        {"America/New_York", 1925, 1, 24, 14.0, -5 * 3600, "EST"}, // standard time in winter
        {"Asia/Kolkata", 1995, 10, 24, 3.0, 5 * 3600 + 1800, "IST"},
    };
    for (const Case& c : cases) {
        const std::optional<CivilClock> clock =
            civilClockAt(zonePlace(c.zone), 0, jdUt(c.year, c.month, c.day, c.hour));
        ASSERT_TRUE(clock) << c.zone;
        EXPECT_EQ(clock->offsetSeconds, c.offset) << c.zone;
        EXPECT_EQ(clock->abbreviation, c.abbreviation) << c.zone;
    }
    const CivilClock cairo{3 * 3600, "EEST"};
    EXPECT_EQ(civilTimestamp(jdUt(2027, 8, 2, 10 + 2 / 60.0 + 6.9 / 3600), cairo),
              "2027-08-02T13:02:07+03:00");
}

// Before the zone's standard time, far in the future and without a zone: nothing invented.
TEST(CivilTime, NotInventedWhereTheDatabaseDoesNotReach) {
    const ObserverPlace boston = zonePlace("America/New_York");
    EXPECT_FALSE(civilClockAt(boston, 0, jdUt(1806, 6, 16, 16))); // local mean time then
    EXPECT_TRUE(civilClockAt(boston, 0, jdUt(1884, 6, 16, 16)));  // after 1883 Nov 18
    EXPECT_FALSE(civilClockAt(boston, 0, jdUt(-762, 6, 15, 8)));  // ancient
    EXPECT_FALSE(civilClockAt(boston, 0, jdUt(2150, 6, 15, 8)));  // beyond lastCivilYear
    EXPECT_FALSE(civilClockAt(zonePlace("Not/AZone"), 0, jdUt(2024, 4, 8, 18)));
    EXPECT_FALSE(civilClockAt(ObserverPlace{}, 0, jdUt(2024, 4, 8, 18)));
    const PlaceClocks none = placeClocks(ObserverPlace{}, 0);
    EXPECT_FALSE(none.clockAt);
    EXPECT_EQ(civilTimeNote(boston, std::nullopt, true),
              " Civil time : not known at this date (America/New_York); STD time and LMT shown");
}

// Far from every gazetteer place the nautical zone of the longitude, and the report says so.
TEST(CivilTime, NauticalZoneInTheOpenOcean) {
    Gazetteer g;
    g.places.push_back(
        {"Hilo", "", "US", "", "", -155.09, 19.73, 10.0, "Pacific/Honolulu", 43263, false, "", ""});
    const ObserverPlace ocean = observerPlaceAt(
        nullptr, [&g] { return &g; }, -150, 0);
    EXPECT_EQ(ocean.zoneSource, ZoneSource::nautical);
    const std::optional<CivilClock> clock = civilClockAt(ocean, -150, jdUt(2024, 4, 8, 16.8));
    ASSERT_TRUE(clock);
    EXPECT_EQ(clock->offsetSeconds, -10 * 3600);
    EXPECT_EQ(civilTimeNote(ocean, clock, true),
              " Civil time : UTC-10:00, the nautical zone of the longitude");
    EXPECT_FALSE(civilClockAt(ocean, -150, jdUt(1900, 1, 1, 0))); // before the nautical zones
    const ObserverPlace nearHilo = observerPlaceAt(
        nullptr, [&g] { return &g; }, -155.0, 19.7);
    EXPECT_EQ(nearHilo.zoneSource, ZoneSource::nearestPlace);
    EXPECT_EQ(nearHilo.zone, "Pacific/Honolulu");
    EXPECT_EQ(utcOffsetText(5 * 3600 + 1800), "UTC+05:30");
}

// The relief grid's height of coordinates typed without one: the Tibetan plateau, and the sea.
TEST(ObserverOptions, TypedCoordinatesTakeTheReliefGridsHeight) {
    AppState state(DataPaths{{testing::sourceDataDir()}});
    if (groundHeightAt(state, 88, 33) == 0)
        GTEST_SKIP() << "no relief grid (globe04.dat) in the data folder";
    EXPECT_GT(groundHeightAt(state, 88, 33), 4000); // Tibet: ETOPO5 gives about 4,900 m
    EXPECT_EQ(groundHeightAt(state, -150, 0), 0);   // the Pacific
    CommandLine options;
    std::string error;
    ASSERT_TRUE(
        options.parse({"--lon", "88", "--lat", "33"}, {"--lon", "--lat", "--height"}, {}, error));
    EXPECT_TRUE(applyObserverOptions(options, state, stderr).given);
    EXPECT_GT(state.session.view.observerHeight, 4000);
    EXPECT_EQ(state.session.view.observerPlace.heightSource, HeightSource::reliefGrid);
}

// The commands with a place by name, on the list Debian installs (skipped without it).
class PlaceCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        IgnoredFiles ignored;
        if (!loadGazetteer(gazetteerPaths(DataPaths{}), ignored))
            GTEST_SKIP() << "libtimezonemap-data is not installed";
    }
    testing::CommandResult run(const std::vector<std::string>& args) const {
        return testing::runProgram(VESK_EXECUTABLE, args, dir.path());
    }
    ScratchDir dir;
};

TEST_F(PlaceCommands, ContactsOnTheClocksOfANamedPlace) {
    testing::CommandResult r =
        run({"render", "--mode", "local", "--place", "Luxor", "--year", "2027", "--month", "8",
             "--text", "--out", (dir.path() / "luxor.png").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Luxor"), std::string::npos);
    EXPECT_NE(r.out.find(" EEST"), std::string::npos);
    // the second contact: 10:02:06.9 UT, 13:02:07 on Egypt's clocks (to the nearest second)
    EXPECT_NE(r.out.find("First Umbra    Contact 10:02:06"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("13:02:07"), std::string::npos) << r.out;

    r = run({"info", "--place", "Luxor, EG", "--year", "2027", "--month", "8", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject luxor = testing::parsedJson(r.out).object();
    EXPECT_EQ(luxor["civil"]["zone"].toString(), "Africa/Cairo") << r.out;
    EXPECT_EQ(luxor["civil"]["c2"].toString(), "2027-08-02T13:02:07+03:00") << r.out;
    EXPECT_EQ(luxor["local"]["height_source"].toString(), "gazetteer");

    r = run({"info", "--place", "Boston", "--year", "1806", "--month", "6", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(testing::parsedJson(r.out)["civil"].isNull()) << r.out;

    r = run({"info", "--place", "Springfield"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Springfield (Missouri, United States)"), std::string::npos) << r.err;
    r = run({"info", "--place", "Nowhere-on-Earth"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("no place called"), std::string::npos);
    r = run({"info", "--place", "Luxor", "--lon", "10", "--lat", "10"});
    EXPECT_EQ(r.status, 2);

    // Anchorage does not see the partial eclipse of 2000 July 1: no clock is asked for.
    r = run({"info", "--place", "Anchorage", "--year", "2000", "--month", "7"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Civil time : the eclipse is not seen there (America/Anchorage)"),
              std::string::npos)
        << r.out;
    // Egypt's Western Desert, far from any town: Egypt's clocks, from the zones' boundaries.
    r = run(
        {"info", "--lon", "25.15", "--lat", "29.28", "--year", "2027", "--month", "8", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonValue desert = testing::parsedJson(r.out)["civil"];
    EXPECT_EQ(desert["zone"].toString(), "Africa/Cairo") << r.out;
    EXPECT_EQ(desert["zone_source"].toString(), "boundaries");
    EXPECT_EQ(desert["abbreviation"].toString(), "EEST");
    // 330 E is 30 W, at sea: the nautical zone two hours behind UT, not 22 ahead.
    r = run({"info", "--lon", "330", "--lat", "20", "--year", "2024", "--month", "4"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Civil time : UTC-02:00"), std::string::npos) << r.out;

    r = run({"next", "--place", "東京", "--year", "2035", "--month", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("2035.0902"), std::string::npos) << r.out;
}

// One instant, one second: the local screen's civil column prints each contact's
// civil time as info does (rounded to the nearest second, not cut).
TEST_F(PlaceCommands, EveryOutputGivesTheSameCivilSecond) {
    for (const auto& [place, year, month] :
         {std::tuple{"Luxor", "2027", "8"}, {"Dallas", "2024", "4"}}) {
        const std::vector<std::string> when = {"--place", place, "--year", year, "--month", month};
        std::vector<std::string> info = {"info", "--json"},
                                 local = {"render", "--mode", "local", "--text", "--out", "l.png"};
        info.insert(info.end(), when.begin(), when.end());
        local.insert(local.end(), when.begin(), when.end());
        const QJsonObject civil = testing::parsedJson(run(info).out)["civil"].toObject();
        const std::string screen = run(local).out;
        for (const char* contact : {"c1", "c2", "max", "c3", "c4"}) {
            // "2027-08-02T13:02:07+03:00": its clock
            const std::string clock = civil[contact].toString().mid(11, 8).toStdString();
            ASSERT_EQ(clock.size(), 8u) << place << " " << contact;
            EXPECT_NE(screen.find(" " + clock), std::string::npos)
                << place << " " << contact << " " << clock << "\n"
                << screen;
        }
    }
}

} // namespace
} // namespace vesk
