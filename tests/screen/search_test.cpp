// SPDX-License-Identifier: GPL-3.0-or-later
#include "eclipse_list.h"
#include "eclipse_search.h"
#include "test_support.h"
#include "timescales.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

struct SearchFixture : ::testing::Test {
    ScratchDir dir;
    Session session{DataPaths{{dir.path()}}};
    std::vector<std::string> messages;
    SearchMessage message = [this](int, int, const char* text) { messages.emplace_back(text); };
};

// The UT Julian date of an entry of catalogEntry (12h TT).
double noonJd(int year, int month, int day) {
    const double tt = calendarToJd(year, month, day, 12, 0, 0);
    return tt - deltaT((tt - 2451545) / 36525) / 86400;
}

} // namespace

TEST_F(SearchFixture, PreviousIsTheLastMatchBeforeTheEclipseShown) {
    dir.write("ecp00001p03000.prn",
              catalogEntry(2029, 1, 14, 2, 1) + catalogEntry(2029, 6, 12, 2, 2) +
                  catalogEntry(2029, 7, 11, 1, 3) + catalogEntry(2029, 12, 5, 2, 4) +
                  catalogEntry(2030, 6, 1, 3, 5));
    SearchCriteria c;
    c.mode = searchType;
    c.type = 2;
    c.typePastYears = 0; // only earlier eclipses of the same year
    double year = 0, month = 0;
    ASSERT_EQ(findPreviousMatch(session, message, 2029, noonJd(2029, 12, 5), c, year, month), 0);
    EXPECT_EQ(year, 2029);
    EXPECT_EQ(month, 6 + 12 / 32.0) << "the later of the two matches before December";
    c.mode = searchAll;
    ASSERT_EQ(findPreviousMatch(session, message, 2030, noonJd(2030, 6, 1), c, year, month), 0);
    EXPECT_EQ(month, 12 + 5 / 32.0);
    // Nothing before the first eclipse of the range.
    EXPECT_EQ(findPreviousMatch(session, message, 2029, noonJd(2029, 1, 14), c, year, month), -1);
    EXPECT_TRUE(messages.empty());
}

// Two eclipses in one month: the previous one of the second is the first, and the month that
// comes back picks it out. Looking back from the first eclipse of the catalog finds nothing,
// without reading before the catalog's first year.
TEST_F(SearchFixture, PreviousInAMonthWithTwoEclipsesAndAtTheStart) {
    dir.write("ecp00001p03000.prn", catalogEntry(2000, 2, 5, 1, 150) +
                                        catalogEntry(2000, 7, 1, 1, 117) +
                                        catalogEntry(2000, 7, 31, 1, 155));
    SearchCriteria c;
    double year = 0, month = 0;
    ASSERT_EQ(findPreviousMatch(session, message, 2000, noonJd(2000, 7, 31), c, year, month), 0);
    EXPECT_EQ(year, 2000);
    EXPECT_EQ(month, 7 + 1 / 32.0);
    ASSERT_EQ(catalogFind(session.catalog, year, month), std::nullopt);
    EXPECT_EQ(session.catalog.record.saros, 117);

    dir.write("ecm13000m08000.prn",
              catalogEntry(-12999, 8, 20, 1, 10) + catalogEntry(-12999, 9, 19, 1, 11));
    c.mode = searchType;
    c.type = 1;
    year = month = 0;
    EXPECT_EQ(findPreviousMatch(session, message, -12999, noonJd(-12999, 8, 20), c, year, month),
              -1);
    ASSERT_EQ(findPreviousMatch(session, message, -12999, noonJd(-12999, 9, 19), c, year, month),
              0);
    EXPECT_EQ(year, -12999);
    EXPECT_EQ(std::trunc(month), 8);
}

TEST_F(SearchFixture, PreviousMemberOfASarosSeries) {
    // (A file holds an eclipse within two years of any month it covers.)
    dir.write("ecp00001p03000.prn",
              catalogEntry(2015, 3, 20, 2, 120) + catalogEntry(2017, 8, 21, 2, 145) +
                  catalogEntry(2024, 4, 8, 2, 139) + catalogEntry(2035, 9, 2, 2, 145));
    SearchCriteria c;
    c.mode = searchSarosNumber;
    c.saros = 145;
    double year = 0, month = 0;
    SearchHit hit;
    ASSERT_EQ(findPreviousMatch(session, message, 2035, noonJd(2035, 9, 2), c, year, month, &hit),
              0);
    EXPECT_EQ(year, 2017);
    EXPECT_EQ(hit.day, 21);
}

TEST_F(SearchFixture, CollectAcrossFilesFromTheFirstEntry) {
    dir.write("ecp00001p03000.prn",
              catalogEntry(2999, 3, 10, 2, 1) + catalogEntry(3000, 5, 10, 1, 2));
    dir.write("ecp03001p08000.prn", catalogEntry(3001, 2, 5, 1, 3) +
                                        catalogEntry(3001, 8, 5, 2, 4) +
                                        catalogEntry(3003, 8, 5, 2, 5));
    SearchCriteria c;
    ASSERT_EQ(collectMatches(session, message, 2999, 3, c), 0);
    ASSERT_EQ(session.searchHits.size(), 4u);
    EXPECT_EQ(session.searchHits[0].saros, 1) << "the first entry of the first file counts";
    EXPECT_EQ(session.searchHits[3].saros, 4);
    EXPECT_TRUE(messages.empty());
    c.mode = searchType;
    c.type = 2;
    ASSERT_EQ(collectMatches(session, message, 2999, 10, c, 2), 0);
    EXPECT_EQ(session.searchHits.size(), 2u) << "stops at the limit";
    EXPECT_EQ(collectMatches(session, message, 9000, 10, c), -1);
    // A missing file on the way ends the walk with a failure; the hits before it stay.
    std::filesystem::remove(dir.path() / "ecp03001p08000.prn");
    c.mode = searchAll;
    EXPECT_EQ(collectMatches(session, message, 2999, 10, c), -1);
    EXPECT_EQ(session.searchHits.size(), 2u);
}

TEST(SearchCatalog, HundredHitsAndTheCanonOfAFewYears) {
    Session session(DataPaths{{sourceDataDir()}});
    const SearchMessage quiet = [](int, int, const char*) {};
    SearchCriteria c;
    ASSERT_EQ(collectMatches(session, quiet, 2024, 11, c), 0);
    EXPECT_EQ(session.searchHits.size(), 26u) << "two eclipses a year, four in 2029";
    ASSERT_EQ(collectMatches(session, quiet, 1, 3000, c), 0);
    EXPECT_EQ(session.searchHits.size(), 100u);
    // Tokyo above magnitude 0.5: 2035 September 2 is among the next ones.
    session.view.observerLon = 139.767;
    session.view.observerLat = 35.683;
    c.mode = searchPlace;
    c.minMagnitude = 0.5;
    ASSERT_EQ(collectMatches(session, quiet, 2024, 20, c), 0);
    bool found2035 = false;
    for (const SearchHit& hit : session.searchHits)
        found2035 = found2035 || (hit.year == 2035 && hit.month == 9);
    EXPECT_TRUE(found2035);
}

TEST(EclipseList, LineFormat) {
    EXPECT_EQ(listLine({2035, 9, 2, 2, 145}), "   2035.0902   皆既日蝕    145/23");
    // English names padded to the longest
    EXPECT_EQ(listLine({2035, 9, 2, 4, 145}, TypeNames::english),
              "   2035.0902   hybrid                145/23");
    EXPECT_EQ(listLine({-762, 6, 15, 6, 61}, TypeNames::english),
              "   -762.0615   noncentral-annular     61/13   (763 BC, Julian)");
    EXPECT_NEAR(packedDate(-100, 5, 12), -100.0512, 1e-9);
    EXPECT_NEAR(packedDate(-500, 3, 15), -500.0315, 1e-9);
    // Year 0 is not negative: June 20 of year 0 is 0.0620, not -0.0620.
    EXPECT_NEAR(packedDate(0, 6, 20), 0.0620, 1e-9);
    EXPECT_EQ(listLine({0, 6, 20, 1, 56}), "      0.0620   部分日蝕     56/66   (1 BC, Julian)");
    EXPECT_EQ(listLine({1582, 6, 20, 2, 120}), "   1582.0620   皆既日蝕    120/37   (Julian)");
    EXPECT_EQ(listLine({1582, 12, 25, 3, 125}), "   1582.1225   金環日蝕    125/30");
}
