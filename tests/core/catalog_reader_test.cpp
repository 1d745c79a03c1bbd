// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog.h"
#include "test_support.h"
#include "timescales.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

using namespace vesk;
using vesk::testing::ScratchDir;

namespace {

// One entry at an hour TT of a date; x0 carries the day so that mixing shows.
std::string entry(int year, int month, int day, double hour = 12) {
    return vesk::testing::catalogEntry(year, month, day, 2, 145, day / 100.0, hour);
}

struct CatalogFixture : ::testing::Test {
    ScratchDir dir;
    Catalog catalog;

    void SetUp() override { catalog.paths.dirs = {dir.path()}; }

    // Writes the file for years 1..3000.
    void writeModern(const std::string& text) { dir.write("ecp00001p03000.prn", text); }

    // Writes it again, a second later than its last writing (the reader knows it by its time).
    void rewriteModern(const std::string& text) {
        const std::filesystem::path path = dir.path() / "ecp00001p03000.prn";
        const auto written = std::filesystem::last_write_time(path);
        writeModern(text);
        std::filesystem::last_write_time(path, written + std::chrono::seconds(1));
    }

    void expectDate(int year, int month, int day) const {
        EXPECT_EQ(catalog.record.year, year);
        EXPECT_EQ(catalog.record.month, month);
        EXPECT_EQ(catalog.record.day, day);
        EXPECT_EQ(catalog.record.x0, day / 100.0) << "coefficients of another entry";
    }
};

const std::string modern =
    entry(2030, 3, 10) + entry(2030, 6, 1) + entry(2030, 6, 28) + entry(2031, 2, 14);

} // namespace

TEST(CatalogFileForYear, RangesIncludeTheirUpperEnd) {
    EXPECT_STREQ(catalogFileForYear(-13000), "ecm13000m08000.prn");
    EXPECT_STREQ(catalogFileForYear(-8000), "ecm13000m08000.prn");
    EXPECT_STREQ(catalogFileForYear(-7999.5), "ecm07999m03000.prn");
    EXPECT_STREQ(catalogFileForYear(0), "ecm02999m00000.prn");
    EXPECT_STREQ(catalogFileForYear(0.5), "ecp00001p03000.prn");
    EXPECT_STREQ(catalogFileForYear(3000.5), "ecp03001p08000.prn");
    EXPECT_STREQ(catalogFileForYear(16999), "ecp13001p16999.prn");
    EXPECT_EQ(catalogFileForYear(17000), nullptr);
    EXPECT_EQ(catalogFileForYear(-13000.5), nullptr);
    EXPECT_EQ(ephemerisSpanFirstJd, calendarToJd(-12999, 8, 10, 0, 0, 0));
    EXPECT_EQ(ephemerisSpanLastJd, calendarToJd(16997, 2, 16, 0, 0, 0));
}

TEST_F(CatalogFixture, SelectsTheMonthOrTheNextEclipse) {
    writeModern(modern);
    ASSERT_EQ(catalogFind(catalog, 2030, 3), std::nullopt);
    expectDate(2030, 3, 10);
    ASSERT_EQ(catalogFind(catalog, 2030, 4), std::nullopt);
    expectDate(2030, 6, 1);
    ASSERT_EQ(catalogFind(catalog, 2030, 12), std::nullopt);
    expectDate(2031, 2, 14);
    // A file that leaves out years its name says it holds is named, not read past: no other
    // year's eclipse is shown for them.
    Outcome failure = catalogFind(catalog, 2500, 1);
    ASSERT_NE(failure, std::nullopt);
    EXPECT_EQ(failure->what, FailureKind::damagedFile);
    EXPECT_NE(failureDetail(*failure).find("ecp00001p03000.prn: holds no eclipse near 2500/1"),
              std::string::npos)
        << failureDetail(*failure);
    EXPECT_NE(catalogFind(catalog, 1500, 1), std::nullopt);
    // Past a file's last entry the next eclipse is the first of the next file: while that file
    // is missing there is none to show.
    writeModern(modern + entry(3000, 10, 1));
    failure = catalogFind(catalog, 3000, 12);
    ASSERT_NE(failure, std::nullopt);
    EXPECT_EQ(failure->what, FailureKind::catalogMissing);
    EXPECT_EQ(failure->where, "ecp03001p08000.prn");
    dir.write("ecp03001p08000.prn", entry(3001, 5, 1));
    ASSERT_EQ(catalogFind(catalog, 3000, 12), std::nullopt);
    expectDate(3001, 5, 1);
    // After the last eclipse of the last file the catalog has ended; the record holds that one.
    dir.write("ecp13001p16999.prn", entry(16996, 11, 29));
    const Failure ended{FailureKind::catalogEnded, (dir.path() / "ecp13001p16999.prn").string(),
                        std::nullopt, ""};
    EXPECT_EQ(catalogFind(catalog, 16996, 12), ended);
    EXPECT_EQ(catalog.record.x0, 0.29) << "the last eclipse (its UT date lies days earlier)";
    EXPECT_EQ(catalogFind(catalog, 16999, 12), ended);
    ASSERT_EQ(catalogFind(catalog, 16996, 11), std::nullopt);
    // A last file that stops years before the ephemeris does is no end of the catalog.
    dir.write("ecp13001p16999.prn", entry(16990, 11, 29));
    failure = catalogFind(catalog, 16995, 1);
    ASSERT_NE(failure, std::nullopt);
    EXPECT_NE(failure->why.find("does not cover the years its name says"), std::string::npos);
}

TEST_F(CatalogFixture, MonthFractionChoosesBetweenTwoEclipsesOfAMonth) {
    writeModern(modern);
    ASSERT_EQ(catalogFind(catalog, 2030, 6), std::nullopt);
    expectDate(2030, 6, 1);
    ASSERT_EQ(catalogFind(catalog, 2030, 6.25), std::nullopt);
    expectDate(2030, 6, 1);
    ASSERT_EQ(catalogFind(catalog, 2030, 6.75), std::nullopt);
    expectDate(2030, 6, 28);
    EXPECT_EQ(catalog.prevYear, 2030);
    EXPECT_EQ(catalog.prevMonth, 6);
    // Exactly one half takes neither and goes on to the next eclipse.
    ASSERT_EQ(catalogFind(catalog, 2030, 6.5), std::nullopt);
    expectDate(2031, 2, 14);
}

TEST_F(CatalogFixture, ReadsAreConvertedToUniversalTime) {
    writeModern(modern);
    ASSERT_EQ(catalogFind(catalog, 2030, 3), std::nullopt);
    const double tt = calendarToJd(2030, 3, 10, 12, 0, 0);
    EXPECT_NEAR(catalog.record.jd, tt - deltaT((tt - 2451545) / 36525) / 86400, 1e-9);
    // Entries read later are converted too.
    ASSERT_EQ(catalogReadNext(catalog), std::nullopt);
    EXPECT_LT(catalog.record.jd, calendarToJd(2030, 6, 1, 12, 0, 0));
    // A TT instant just after midnight is on the previous day in UT.
    writeModern(entry(2030, 3, 10, 0.01));
    ASSERT_EQ(catalogFind(catalog, 2030, 3), std::nullopt);
    EXPECT_EQ(catalog.record.day, 9);
}

TEST_F(CatalogFixture, ReadNextStepsThroughTheFileAndStopsAtItsEnd) {
    writeModern(modern);
    ASSERT_EQ(catalogFind(catalog, 2030, 3), std::nullopt);
    ASSERT_EQ(catalogReadNext(catalog), std::nullopt);
    expectDate(2030, 6, 1);
    EXPECT_EQ(catalog.prevMonth, 3);
    ASSERT_EQ(catalogReadNext(catalog), std::nullopt);
    ASSERT_EQ(catalogReadNext(catalog), std::nullopt);
    expectDate(2031, 2, 14);
    EXPECT_NE(catalogReadNext(catalog), std::nullopt);
    expectDate(2031, 2, 14);
    EXPECT_NE(catalogReadNext(catalog), std::nullopt);
}

TEST_F(CatalogFixture, MalformedOrTruncatedEntriesNeverMixWithThePreviousOne) {
    std::string broken = entry(2030, 6, 28);
    broken.replace(broken.find("0.2 0.1"), 3, "abc");
    writeModern(entry(2030, 3, 10) + broken + entry(2031, 2, 14));
    // The fault ends the read before the month asked for: no eclipse, and the fault is named.
    const Outcome malformed = catalogFind(catalog, 2030, 12);
    expectDate(2030, 3, 10);
    ASSERT_NE(malformed, std::nullopt);
    EXPECT_EQ(failureLines(*malformed),
              (std::vector<std::string>{messageDamagedDataFile,
                                        (dir.path() / "ecp00001p03000.prn").string() +
                                            ": entry 2 is malformed"}));
    ASSERT_EQ(catalogFind(catalog, 2030, 3), std::nullopt);
    EXPECT_EQ(catalogReadNext(catalog), malformed); // nothing is read past the fault
    expectDate(2030, 3, 10);

    const std::string whole = entry(2031, 2, 14);
    writeModern(entry(2030, 3, 10) + whole.substr(0, whole.size() / 2));
    ASSERT_EQ(catalogFind(catalog, 2030, 3), std::nullopt);
    EXPECT_NE(catalogReadNext(catalog), std::nullopt);
    expectDate(2030, 3, 10);

    // Numbers may be split over lines at will; a leading '+' is a number too.
    std::string loose = entry(2030, 3, 10);
    for (char& c : loose)
        c = c == ' ' ? '\n' : c;
    writeModern("+" + loose);
    ASSERT_EQ(catalogFind(catalog, 2030, 3), std::nullopt);
    expectDate(2030, 3, 10);
}

TEST_F(CatalogFixture, MissingOrEmptyFilesAreFailures) {
    EXPECT_NE(catalogFind(catalog, 2030, 3), std::nullopt);
    writeModern(modern);
    ASSERT_EQ(catalogFind(catalog, 2030, 3), std::nullopt);
    EXPECT_NE(catalogFind(catalog, 17000, 1), std::nullopt);
    expectDate(2030, 3, 10);
    dir.write("ecp03001p08000.prn", "\n");
    EXPECT_NE(catalogFind(catalog, 3001, 1), std::nullopt);
    expectDate(2030, 3, 10);
}

TEST_F(CatalogFixture, OpenFirstFallsBackToTheModernFile) {
    writeModern(modern);
    ASSERT_EQ(catalogOpenFirst(catalog, 2500), std::nullopt);
    expectDate(2030, 3, 10);
    EXPECT_NE(catalogOpenFirst(catalog, 5000), std::nullopt); // no file for 3001..8000 here
    ASSERT_EQ(catalogReadNext(catalog), std::nullopt);        // but the modern file is open
    expectDate(2030, 3, 10);
    EXPECT_NE(catalogOpenFirst(catalog, 17000), std::nullopt);
    EXPECT_NE(catalog.file, nullptr);
}

TEST_F(CatalogFixture, RepeatedFindsDoNotAccumulateOpenFiles) {
    writeModern(modern);
    for (int i = 0; i < 3000; ++i)
        ASSERT_EQ(catalogFind(catalog, 2030, 6.75), std::nullopt) << "after " << i << " finds";
}

// Entries whose numbers no eclipse has are malformed: the read ends there and names the entry.
// A file whose entries carry years before its own is left for the next file all the same.
TEST_F(CatalogFixture, ImplausibleEntriesAreMalformed) {
    const std::string good = entry(2030, 3, 10);
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = entry(2030, 6, 1);
        text.replace(text.find(from), from.size(), to);
        return good + text;
    };
    for (const std::string& bad :
         {replaced(" 145 ", " 3000000000 "), replaced("2030 6 1 2", "2030 13 1 2"),
          replaced("2030 6 1 2", "2030 6 1 9"), replaced(" 12\n", " 25\n"),
          replaced("15.004", "1e300"), replaced("0.0046 0.0046", "0.0046 46"),
          replaced("2030 6 1", "5000 6 1")}) {
        writeModern(bad);
        ASSERT_EQ(catalogFind(catalog, 2030, 3), std::nullopt);
        EXPECT_NE(catalogReadNext(catalog), std::nullopt) << bad;
        expectDate(2030, 3, 10);
        const Outcome failure = catalogFind(catalog, 2030, 5);
        ASSERT_NE(failure, std::nullopt);
        EXPECT_EQ(failure->why, "entry 2 holds a value no eclipse has");
    }
    // The walk goes on with the next file in order.
    writeModern(good);
    ASSERT_EQ(catalogFind(catalog, 2030, 3), std::nullopt);
    EXPECT_EQ(nextFileYear(catalog), std::optional(3001.0));
    dir.write("ecp13001p16999.prn", entry(16000, 1, 20)); // January 13 UT
    ASSERT_EQ(catalogFind(catalog, 16000, 1), std::nullopt);
    EXPECT_FALSE(nextFileYear(catalog)) << "no file after the last";
}

// A find repeated with the reader where the last one left it answers from the record held; a
// read in between, or a new catalog file, makes it read again.
TEST_F(CatalogFixture, RepeatedFindAnswersFromTheRecordUntilTheReaderMoves) {
    writeModern(modern);
    ASSERT_EQ(catalogFind(catalog, 2030, 6), std::nullopt);
    const long moves = catalog.moves;
    ASSERT_EQ(catalogFind(catalog, 2030, 6), std::nullopt);
    EXPECT_EQ(catalog.moves, moves) << "nothing read again";
    expectDate(2030, 6, 1);
    ASSERT_EQ(catalogReadNext(catalog), std::nullopt);
    ASSERT_EQ(catalogFind(catalog, 2030, 6), std::nullopt);
    expectDate(2030, 6, 1);
    EXPECT_EQ(catalog.prevMonth, 3);
    rewriteModern(entry(2030, 6, 9) + entry(2031, 2, 14));
    ASSERT_EQ(catalogFind(catalog, 2030, 6), std::nullopt);
    expectDate(2030, 6, 9);
}

// A month far into a file is read from the last seek point well before it: the same entry, the
// same entry before it and the same count of entries read as from the file's start, whatever
// whitespace lies between the entries; a changed file is read from its start again.
TEST_F(CatalogFixture, SeekPointsFindWhatAReadFromTheStartFinds) {
    std::string file;
    const char* const between[] = {"", "\r\n", "  \t", "\n\n \f\v"};
    for (int year = 1000; year < 1400; ++year)
        file += entry(year, 2, 10) + between[year % 4] + entry(year, 8, 20);
    writeModern(file);
    ASSERT_EQ(catalogFind(catalog, 1390, 1), std::nullopt);
    ASSERT_GE(catalog.seekPoints.size(), 12u) << "800 entries read, one point in 64";
    for (const auto& [year, month] : {std::pair{1300, 8}, {1201, 3}, {1032, 2}, {1390, 1}}) {
        Catalog fresh;
        fresh.paths = catalog.paths;
        ASSERT_EQ(catalogFind(fresh, year, month), std::nullopt);
        ASSERT_EQ(catalogFind(catalog, year, month), std::nullopt) << year;
        EXPECT_EQ(catalog.record.jd, fresh.record.jd) << year;
        EXPECT_EQ(catalog.record.x0, fresh.record.x0) << year;
        EXPECT_EQ(catalog.prevYear, fresh.prevYear) << year;
        EXPECT_EQ(catalog.prevMonth, fresh.prevMonth) << year;
        EXPECT_EQ(catalog.entriesRead, fresh.entriesRead) << year;
    }
    rewriteModern(entry(1300, 8, 5) + entry(1301, 1, 4));
    ASSERT_EQ(catalogFind(catalog, 1300, 8), std::nullopt);
    expectDate(1300, 8, 5);
    EXPECT_EQ(catalog.entriesRead, 1);
}
