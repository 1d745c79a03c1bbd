// SPDX-License-Identifier: GPL-3.0-or-later
// The committed catalog against published eclipse data: Besselian elements of 2024 April 8,
// types, times and Saros numbers of recent eclipses, the statistics of the Five Millennium
// Canon of Solar Eclipses (F. Espenak and J. Meeus, NASA/TP-2006-214141), and a regeneration
// of one decade from the DE431 ephemeris.
#include "catalog.h"
#include "saros.h"
#include "test_support.h"
#include "timescales.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

using namespace vesk;
using namespace vesk::testing;

namespace {

Catalog committedCatalog() {
    Catalog catalog;
    catalog.paths.dirs = {sourceDataDir()};
    return catalog;
}

// The record of the eclipse of a month, or a failed assertion.
EclipseRecord eclipseOf(double year, double month) {
    Catalog catalog = committedCatalog();
    EXPECT_EQ(catalogFind(catalog, year, month), std::nullopt);
    return catalog.record;
}

// Hours TT of greatest eclipse.
double greatestEclipseHoursTT(const EclipseRecord& r) {
    const double tt = r.jd + deltaT((r.jd - 2451545) / 36525) / 86400;
    return std::fmod(tt + 0.5, 1.0) * 24;
}

double hms(double h, double m, double s) {
    return h + m / 60 + s / 3600;
}

} // namespace

TEST(CatalogReference, BesselianElementsOf2024April8) {
    const EclipseRecord r = eclipseOf(2024, 4);
    ASSERT_EQ(r.t0, 18);
    const double xy = 3e-5, angle = 1e-4;
    EXPECT_NEAR(r.x0, -0.3182440, xy);
    EXPECT_NEAR(r.x1, 0.5117116, xy);
    EXPECT_NEAR(r.x2, 0.0000326, xy);
    EXPECT_NEAR(r.x3, -0.0000084, xy);
    EXPECT_NEAR(r.y0, 0.2197640, xy);
    EXPECT_NEAR(r.y1, 0.2709589, xy);
    EXPECT_NEAR(r.y2, -0.0000595, xy);
    EXPECT_NEAR(r.y3, -0.0000047, xy);
    EXPECT_NEAR(r.d0, 7.5862002, angle);
    EXPECT_NEAR(r.d1, 0.0148440, angle);
    EXPECT_NEAR(r.d2, -0.0000020, angle);
    EXPECT_NEAR(r.mu0, 89.591217, angle);
    EXPECT_NEAR(r.mu1, 15.004080, angle);
    EXPECT_NEAR(r.l1c0, 0.5358140, xy);
    EXPECT_NEAR(r.l1c1, 0.0000618, xy);
    EXPECT_NEAR(r.l1c2, -0.0000128, xy);
    EXPECT_NEAR(r.l2c0, -0.0102720, xy);
    EXPECT_NEAR(r.l2c1, 0.0000615, xy);
    EXPECT_NEAR(r.l2c2, -0.0000127, xy);
    EXPECT_NEAR(r.tanF1, 0.0046683, 2e-7); // published to 7 decimals
    EXPECT_NEAR(r.tanF2, 0.0046450, 2e-7);
}

TEST(CatalogReference, TypesTimesAndSeriesOfRecentEclipses) {
    const double second = 1.0 / 3600;
    EclipseRecord r = eclipseOf(2024, 4);
    EXPECT_EQ(r.typeCode, typeTotal);
    EXPECT_NEAR(greatestEclipseHoursTT(r), hms(18, 18, 29), 1.5 * second);
    EXPECT_NEAR(r.gamma, 0.3431, 1e-4);
    EXPECT_NEAR(r.magnitude, 1.0566, 2e-4);
    EXPECT_EQ(r.saros, 139);

    r = eclipseOf(2023, 10);
    EXPECT_EQ(r.typeCode, typeAnnular);
    EXPECT_EQ(r.saros, 134);
    EXPECT_NEAR(greatestEclipseHoursTT(r), hms(18, 0, 41), 1.5 * second);
    EXPECT_NEAR(r.gamma, 0.3753, 1e-4);

    r = eclipseOf(2023, 4);
    EXPECT_EQ(r.typeCode, typeAnnularTotal);
    EXPECT_EQ(r.saros, 129);
    EXPECT_NEAR(greatestEclipseHoursTT(r), hms(4, 17, 56), 1.5 * second);
    EXPECT_NEAR(r.gamma, -0.3952, 1e-4);

    r = eclipseOf(2025, 3);
    EXPECT_EQ(r.typeCode, typePartial);
    EXPECT_EQ(r.saros, 149);
    EXPECT_NEAR(r.gamma, 1.0405, 1e-4);
    EXPECT_NEAR(r.magnitude, 0.9376, 2e-4);

    r = eclipseOf(2017, 8);
    EXPECT_EQ(r.saros, 145);
    EXPECT_EQ(sarosMember(r.year, r.saros), 22);
    r = eclipseOf(2035, 9);
    EXPECT_EQ(r.day, 2);
    EXPECT_EQ(r.saros, 145);
    EXPECT_EQ(sarosMember(r.year, r.saros), 23);
}

// Saros series and member numbers as NASA's eclipse pages give them (F. Espenak), from early
// members to late ones of their series.
TEST(CatalogReference, SarosMembersOfPublishedEclipses) {
    struct Published {
        double year, month;
        int saros, member;
    };
    for (const Published& p :
         {Published{1973, 6, 136, 35}, Published{2006, 3, 139, 29}, Published{2009, 7, 136, 37},
          Published{2010, 1, 141, 23}, Published{2012, 5, 128, 58}, Published{2015, 3, 120, 61},
          Published{2016, 3, 130, 52}, Published{2019, 7, 127, 58}, Published{2020, 6, 137, 36},
          Published{2021, 12, 152, 13}, Published{2024, 4, 139, 30}, Published{2027, 8, 136, 38}}) {
        const EclipseRecord r = eclipseOf(p.year, p.month);
        EXPECT_EQ(r.saros, p.saros) << p.year << "/" << p.month;
        EXPECT_EQ(sarosMember(r.year, r.saros), p.member) << p.year << "/" << p.month;
    }
}

// Series and members a thousand years and more from today, as NASA's summary of the Saros series
// 0 to 180 gives them (F. Espenak, eclipse.gsfc.nasa.gov/SEsaros/SEsaroscat.html): the first and
// last eclipses of series, whose member numbers are 1 and the series' count.
TEST(CatalogReference, SarosMembersFarFromToday) {
    struct Published {
        double year, month;
        int saros, member;
    };
    for (const Published& p :
         {Published{-1675, 6, 0, 72}, Published{-2872, 6, 1, 1}, Published{-1592, 7, 1, 72},
          Published{-1563, 6, 2, 73}, Published{933, 5, 120, 1}, Published{3056, 10, 151, 72}}) {
        const EclipseRecord r = eclipseOf(p.year, p.month);
        EXPECT_EQ(r.saros, p.saros) << p.year << "/" << p.month;
        EXPECT_EQ(sarosMember(r.year, r.saros), p.member) << p.year << "/" << p.month;
    }
}

TEST(CatalogReference, SarosSeriesStartWhereThePublishedNumberingHasThem) {
    const std::map<int, double> firstYears = {{0, -2955},  {1, -2872},  {2, -2861},  {-1, -3002},
                                              {-2, -3013}, {136, 1360}, {145, 1639}, {-136, -7324}};
    for (const auto& [series, year] : firstYears)
        EXPECT_EQ(sarosStartYear(series), year) << "series " << series;
    EXPECT_FALSE(sarosStartYears[699][0]);
    EXPECT_FALSE(sarosStartYears[699][1]);
    EXPECT_FALSE(sarosStartYear(9999));
    EXPECT_EQ(sarosMember(2024, 9999), 0);
    // Years no catalog holds give a far-off member number, not an undefined conversion.
    EXPECT_EQ(sarosMember(1e300, 145), 1000000000);
    EXPECT_EQ(sarosMember(-1e300, 145), -1000000000);
    EXPECT_EQ(sarosMember(std::nan(""), 145), 1000000000);
}

// Every entry of the seven files, read as the program reads them.
TEST(CatalogReference, WholeCatalogMatchesTheFiveMillenniumCanon) {
    Catalog catalog = committedCatalog();
    std::map<int, int> byType;
    std::map<int, std::pair<int, double>> lastMember; // series: member and Julian date
    int entries = 0, canon = 0, memberSteps = 0;
    double previousJd = -1e12, previousLunation = -1e12;
    for (const double fileYear : {-13000, -7999, -2999, 1, 3001, 8001, 13001}) {
        Outcome failure = catalogOpenFirst(catalog, fileYear);
        ASSERT_EQ(failure, std::nullopt) << "file of " << fileYear;
        for (; !failure; failure = catalogReadNext(catalog)) {
            const EclipseRecord& r = catalog.record;
            ++entries;
            ASSERT_GT(r.jd, previousJd) << r.year << "-" << r.month;
            ASSERT_GT(r.lunation, previousLunation) << "lunation read twice";
            ASSERT_STREQ(catalogFileForYear(r.year), catalogFileForYear(fileYear));
            ASSERT_GE(r.typeCode, 1);
            ASSERT_LE(r.typeCode, 6);
            previousJd = r.jd;
            previousLunation = r.lunation;
            // The members of a series count from 1, one more for each Saros of 223 synodic
            // months (6585.3211 days; a few series miss members in remote eras).
            const int member = sarosMember(r.year, r.saros);
            const auto last = lastMember.find(static_cast<int>(r.saros));
            const long expected =
                last == lastMember.end()
                    ? 1
                    : last->second.first + std::lround((r.jd - last->second.second) / 6585.3211);
            memberSteps += member != expected;
            lastMember[static_cast<int>(r.saros)] = {member, r.jd};
            // The canon counts by the TT calendar year.
            const auto [year, month, day, hour] =
                jdToCalendar(r.jd + deltaT((r.jd - 2451545) / 36525) / 86400, 0, 0);
            if (year >= -1999 && year <= 3000) {
                ++canon;
                ++byType[static_cast<int>(r.typeCode)];
            }
        }
    }
    EXPECT_GT(entries, 70000);
    EXPECT_LT(entries, 72500);
    EXPECT_EQ(memberSteps, 0) << "members that do not follow the one before";
    EXPECT_EQ(canon, 11898);
    EXPECT_EQ(byType[typePartial], 4200);
    EXPECT_EQ(byType[typeAnnularTotal], 569);
    EXPECT_NEAR(byType[typeTotal] + byType[typeNonCentralTotal], 3173, 1);
    EXPECT_NEAR(byType[typeAnnular] + byType[typeNonCentralAnnular], 3956, 1);
}

TEST(CatalogReference, RegeneratedDecadeEqualsTheCommittedFile) {
    if (!std::filesystem::is_directory(ephemerisDir()))
        GTEST_SKIP() << "no ephemeris files at " << ephemerisDir() << ": regeneration not checked";
    ScratchDir out;
    const CommandResult run = runProgram(VESK_MAKE_CATALOG,
                                         {"--ephe", ephemerisDir().string(), "--out",
                                          out.path().string(), "--from", "2020", "--to", "2030"},
                                         out.path());
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string decade = readFile(out.path() / "ecp00001p03000.prn");
    ASSERT_GT(decade.size(), 1000u);
    const std::string committed = readFile(sourceDataDir() / "ecp00001p03000.prn");
    const std::size_t at = committed.find(decade.substr(0, decade.find('\n') + 1));
    ASSERT_NE(at, std::string::npos) << "first regenerated entry not in the committed file";
    EXPECT_EQ(committed.substr(at, decade.size()), decade);
    // The decade starts with the first eclipse of 2020 and ends with the last of 2030.
    EXPECT_EQ(decade.rfind("2020 6 21", 0), 0u);
    EXPECT_NE(decade.find("\n2030 11 25 "), std::string::npos);
}

// A range computed into a folder that holds the catalog is merged into its files: regenerated,
// the catalog file and the planet file come out byte for byte as committed, and no other file
// is touched. A file that cannot be read whole is left as it is.
TEST(CatalogGenerator, RangeIsMergedIntoTheFileItBelongsTo) {
    if (!std::filesystem::is_directory(ephemerisDir()))
        GTEST_SKIP() << "no ephemeris files at " << ephemerisDir();
    ScratchDir out;
    const std::string committed = readFile(sourceDataDir() / "ecp00001p03000.prn");
    const std::filesystem::path file = out.write("ecp00001p03000.prn", committed);
    const std::string planets = readFile(sourceDataDir() / "ecplanets.dat");
    const std::filesystem::path planetFile = out.write("ecplanets.dat", planets);
    const std::vector<std::string> range = {
        "--ephe", ephemerisDir().string(), "--out", out.path().string(), "--from", "2000", "--to",
        "2001"};
    CommandResult run = runProgram(VESK_MAKE_CATALOG, range, out.path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("6 eclipses of 2000 to 2001 merged with 7118 others"), std::string::npos)
        << run.out;
    EXPECT_TRUE(readFile(file) == committed);
    EXPECT_TRUE(readFile(planetFile) == planets);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out.path()),
                            std::filesystem::directory_iterator()),
              2);
    const std::string broken = committed.substr(0, committed.size() - 20);
    out.write("ecp00001p03000.prn", broken);
    run = runProgram(VESK_MAKE_CATALOG, range, out.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("is malformed; nothing was written"), std::string::npos) << run.err;
    EXPECT_TRUE(readFile(file) == broken);
    out.write("ecp00001p03000.prn", committed);
    out.write("ecplanets.dat", "not a planet file");
    run = runProgram(VESK_MAKE_CATALOG, range, out.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(readFile(planetFile), "not a planet file");
    // The table of Saros start years needs the whole catalog.
    std::vector<std::string> table = range;
    table.insert(table.end(), {"--saros-table", (out.path() / "saros.cpp").string()});
    EXPECT_EQ(runProgram(VESK_MAKE_CATALOG, table, out.path()).status, 2);
    EXPECT_FALSE(std::filesystem::exists(out.path() / "saros.cpp"));
}

// The month asked for is a UT month: in every era, asking for the UT month of an eclipse gives
// an eclipse of that UT month (where Delta T is days, the TT month is often the next one).
TEST(CatalogReference, TheMonthAskedForIsAUniversalTimeMonth) {
    Catalog catalog, probe;
    catalog.paths.dirs = probe.paths.dirs = {sourceDataDir()};
    int checked = 0, monthsApart = 0;
    for (const double from : {-12000.0, -5000.0, 2020.0, 16000.0}) {
        ASSERT_EQ(catalogOpenFirst(catalog, from), std::nullopt);
        while (catalog.record.year < from)
            ASSERT_EQ(catalogReadNext(catalog), std::nullopt);
        for (bool more = true; more && catalog.record.year < from + 10;
             more = !catalogReadNext(catalog)) {
            const EclipseRecord& e = catalog.record;
            ASSERT_EQ(catalogFind(probe, e.year, e.month), std::nullopt)
                << e.year << "/" << e.month;
            EXPECT_EQ(probe.record.year, e.year);
            EXPECT_EQ(probe.record.month, e.month) << e.year << "/" << e.month << "/" << e.day;
            const auto [ttYear, ttMonth, ttDay, hour] = jdToCalendar(e.jdTT, 0, 0);
            monthsApart += ttMonth != e.month;
            ++checked;
        }
    }
    EXPECT_GT(checked, 80);
    EXPECT_GT(monthsApart, 5) << "eclipses whose TT date lies in another month";
}

// One Delta T per eclipse: the UT Julian date is the TT one less the Delta T that every screen
// uses, in every era.
TEST(CatalogReference, OneDeltaTPerEclipse) {
    Catalog catalog;
    catalog.paths.dirs = {sourceDataDir()};
    for (const double year : {-12990.0, -5000.0, -500.0, 2024.0, 8000.0, 16774.0}) {
        ASSERT_EQ(catalogFind(catalog, year, 11), std::nullopt) << year;
        const EclipseRecord& r = catalog.record;
        EXPECT_NEAR((r.jdTT - r.jd) * 86400, recordDeltaT(r), 1e-4) << year;
    }
}
