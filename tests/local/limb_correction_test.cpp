// SPDX-License-Identifier: GPL-3.0-or-later
// The lunar grid from NASA's LDEM_4 product, the limb profile and the corrected contacts.
#include "limb_correction.h"
#include "limb_margins.h"
#include "local/lunar_grid.h"
#include "local_circumstances.h"
#include "local_report.h"
#include "lunar_libration.h"
#include "recording_surface.h"
#include "test_support.h"
#include "timescales.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

using namespace vesk;
using namespace vesk::testing;

TEST(LimbCorrection, GridFromTheLolaProduct) {
    if (!std::filesystem::exists(ldemLabel()))
        GTEST_SKIP() << "no LDEM_4 product at " << ldemLabel();
    ScratchDir dir;
    ASSERT_TRUE(makeLunarGrid(dir));
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "LRO.dat"), 33177600u);
    LimbData limb;
    ASSERT_EQ(loadLunarGrid(limb, DataPaths{{dir.path()}}), std::nullopt);
    // Heights within the Moon's range, and the far side's highlands above the near side's maria.
    double lowest = 1e9, highest = -1e9;
    for (const std::int16_t h : limb.grid) {
        lowest = std::min<double>(lowest, h);
        highest = std::max<double>(highest, h);
    }
    EXPECT_GT(lowest, -9500);
    EXPECT_LT(highest, 11000);
    EXPECT_LT(elevationAt(limb, 340, 25), 0) << "Mare Imbrium lies low";
    EXPECT_GT(elevationAt(limb, 180, 5), 2) << "the far-side highlands";

    // Registered on the product: at the centres of LDEM_4's cells the grid gives the product's
    // heights (to the smoothing of the resampling), and clearly better than half a cell of the
    // output grid away (a shift that changes the corrections by tenths of a second).
    std::ifstream product(ldemLabel().parent_path() / "LDEM_4.IMG", std::ios::binary);
    std::vector<std::int16_t> heights(720 * 1440);
    ASSERT_TRUE(product.read(reinterpret_cast<char*>(heights.data()), 720 * 1440 * 2));
    double onCentre = 0, shifted = 0;
    for (int row = 40; row < 680; row += 7) {
        for (int column = 0; column < 1440; column += 5) {
            const double lon = (column + 0.5) / 4, lat = 90 - (row + 0.5) / 4;
            const double km = heights[row * 1440 + column] * 0.5 / 1000; // SCALING_FACTOR 0.5 m
            onCentre += std::pow(elevationAt(limb, lon, lat) - km, 2);
            shifted += std::pow(elevationAt(limb, lon + 1.0 / 32, lat - 1.0 / 32) - km, 2);
        }
    }
    EXPECT_LT(onCentre, shifted / 2) << "sums of squares " << onCentre << " " << shifted;

    // A short file is no grid.
    dir.write("LRO.dat", std::string(1000, '\0'));
    EXPECT_NE(loadLunarGrid(limb, DataPaths{{dir.path()}}), std::nullopt);
    EXPECT_TRUE(limb.grid.empty());
}

TEST(LimbCorrection, GridFetchedByAddressResumedAndCheckedAgainstTheLabel) {
    if (!std::filesystem::exists(ldemLabel()))
        GTEST_SKIP() << "no LDEM_4 product";
    const std::filesystem::path image = ldemLabel().parent_path() / "LDEM_4.IMG";
    const std::string product = readFile(image);
    ScratchDir direct, fetched, resumed, source, cut;
    const auto make = [](const std::vector<std::string>& how, const ScratchDir& dir) {
        std::vector<std::string> args = how;
        args.insert(args.end(), {"--out", (dir.path() / "LRO.dat").string()});
        return runProgram(VESK_MAKE_LRO, args, dir.path());
    };
    ASSERT_EQ(make({"--label", ldemLabel().string()}, direct).status, 0);
    const std::string grid = readFile(direct.path() / "LRO.dat");
    // The label, then the image it names, beside the output under the tool's own names.
    CommandResult r = make({"--url", fileUrl(ldemLabel())}, fetched);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(fetched.path() / "LRO.dat.img"), product);
    EXPECT_TRUE(readFile(fetched.path() / "LRO.dat") == grid);
    EXPECT_NE(r.err.find("LRO.dat.img: 2073600 bytes"), std::string::npos) << r.err;
    // A download cut off after a megabyte goes on where it stopped.
    resumed.write("LRO.dat.img.part", product.substr(0, 1000000));
    r = make({"--url", fileUrl(ldemLabel())}, resumed);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(readFile(resumed.path() / "LRO.dat") == grid);
    EXPECT_FALSE(std::filesystem::exists(resumed.path() / "LRO.dat.img.part"));
    // A product whose image is shorter than its label states is refused; nothing is made.
    source.write("LDEM_4.LBL", readFile(ldemLabel()));
    source.write("LDEM_4.IMG", product.substr(0, 1500000));
    r = make({"--url", fileUrl(source.path() / "LDEM_4.LBL")}, cut);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("gave 1500000 bytes; the label states 2073600"), std::string::npos)
        << r.err;
    EXPECT_FALSE(std::filesystem::exists(cut.path() / "LRO.dat"));
    EXPECT_FALSE(std::filesystem::exists(cut.path() / "LRO.dat.img"));
    r = make({"--url", fileUrl(source.path() / "NO_SUCH.LBL")}, cut);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot fetch"), std::string::npos) << r.err;
}

namespace {

// The limb screen of an eclipse for a place, drawn with the grid of LDEM_4.
struct LimbScreen {
    ScratchDir dir;
    Catalog catalog;
    Observer observer;
    LimbData limb;
    LimbProfile profile; // as drawn
    RecordingSurface surface;

    LimbScreen(double year, double month, double lon, double lat, double deltaTAdjust = 0,
               const CivilClockAt& civil = {}) {
        if (!makeLunarGrid(dir))
            return;
        catalog.paths.dirs = {sourceDataDir()};
        EXPECT_EQ(catalogFind(catalog, year, month), std::nullopt);
        observer = observerAt(lon, lat);
        EXPECT_EQ(loadLunarGrid(limb, DataPaths{{dir.path()}}), std::nullopt);
        const double deltaT = recordDeltaT(catalog.record) + deltaTAdjust;
        profile = drawLimbCorrection(surface, catalog.record,
                                     localCircumstances(catalog.record, observer, deltaT), limb,
                                     deltaT, civil);
    }
};

} // namespace

TEST(LimbCorrection, HeightsAtTheCentresOfTheGridsCells) {
    // A synthetic grid: cell (row, column) holds row * 7 + column % 1000 metres.
    LimbData limb;
    limb.grid.resize(static_cast<std::size_t>(lunarGridRows) * lunarGridColumns);
    for (int r = 0; r < lunarGridRows; ++r)
        for (int c = 0; c < lunarGridColumns; ++c)
            limb.grid[static_cast<std::size_t>(r) * lunarGridColumns + c] =
                static_cast<std::int16_t>(r * 7 + c % 1000);
    const auto centreLon = [](int c) { return (c + 0.5) / 16; };
    const auto centreLat = [](int r) { return 90 - (r + 0.5) / 16; };
    for (const auto& [r, c] : {std::pair{0, 0}, {100, 200}, {1440, 2880}, {2879, 5759}, {7, 999}})
        EXPECT_DOUBLE_EQ(elevationAt(limb, centreLon(c), centreLat(r)), (r * 7 + c % 1000) / 1000.0)
            << r << " " << c;
    // Halfway between centres: the mean of the neighbours; west of the first centre the
    // longitude wraps to the last column.
    EXPECT_DOUBLE_EQ(elevationAt(limb, centreLon(200) + 1.0 / 32, centreLat(100)), 0.9005);
    EXPECT_DOUBLE_EQ(elevationAt(limb, 0, centreLat(0)), (759 + 0) / 2.0 / 1000);
    EXPECT_DOUBLE_EQ(elevationAt(limb, centreLon(1) - 360, centreLat(0)), 0.001);
}

TEST(LimbCorrection, ProfileOfAFlatMoonForAnyAxisAngle) {
    // Axis angles whose reduction to a turn loses every digit still land in the profile.
    LimbData limb;
    limb.grid.assign(static_cast<std::size_t>(lunarGridRows) * lunarGridColumns, 0);
    for (const double p : {0.3, -1e300, 1e300, 1e17}) {
        const LimbProfile profile = limbProfile(limb, 0.01, -0.02, p);
        int written = 0;
        for (const double r : profile.radius)
            if (r != 0) {
                EXPECT_NEAR(r, moonReferenceRadiusKm, 0.01) << p; // the sphere of the grid
                ++written;
            }
        if (p == 0.3) {
            EXPECT_GT(written, 1000);
        }
    }
}

TEST(LimbCorrection, ProfileAndContactsOf2024AtGreatestEclipse) {
    if (!std::filesystem::exists(ldemLabel()))
        GTEST_SKIP() << "no LDEM_4 product";
    const LimbScreen screen(2024, 4, -104.14, 25.29);
    const RecordingSurface& surface = screen.surface;
    // The profile has mountains and valleys of a few km about the mean limb.
    double lowest = 1e9, highest = -1e9;
    for (const double r : screen.profile.radius) {
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_GT(highest - lowest, 2);
    EXPECT_LT(highest - lowest, 15);
    EXPECT_NEAR((highest + lowest) / 2, moonMeanLimbKm, 3);
    // Both contacts are corrected, and the report says so.
    bool second = false, third = false, duration = false;
    std::vector<double> corrections;
    for (const auto& t : surface.texts) {
        second = second || (t.y == 112 && t.text.rfind("  Corrected ", 0) == 0);
        third = third || (t.y == 170 && t.text.rfind("  Corrected ", 0) == 0);
        duration = duration || t.text.rfind("Duration       4m:", 0) == 0;
        if (t.text.rfind(" (Correction : ", 0) == 0)
            corrections.push_back(std::stod(t.text.substr(15)));
    }
    // The second and third contacts move by -0.3 s and -0.8 s with the LDEM_4 grid.
    EXPECT_EQ(corrections, (std::vector<double>{-0.3, -0.8}));
    EXPECT_TRUE(second);
    EXPECT_TRUE(third);
    EXPECT_TRUE(duration) << "totality 4 min 28 s on the central line";
}

// The printed corrected contacts are the contacts the correction finds, in the zone's time: at
// the greatest eclipse of 2024 and at a place 2 km inside the southern limit near Nazas, where
// the profile moves the contacts by seconds; the shift added to the smooth contact, not taken.
TEST(LimbCorrection, PrintedCorrectedContactsAreTheCorrectionsInZoneTime) {
    if (!std::filesystem::exists(ldemLabel()))
        GTEST_SKIP() << "no LDEM_4 product";
    for (const auto& [lon, lat] : {std::pair{-104.14, 25.29}, std::pair{-104.14, 24.53}}) {
        const LimbScreen screen(2024, 4, lon, lat);
        const EclipseRecord& r = screen.catalog.record;
        const double dT = recordDeltaT(r);
        const LocalCircumstances local = localCircumstances(r, screen.observer, dT);
        const CorrectedContacts corrected = correctedContacts(screen.profile, r, local, dT);
        ASSERT_TRUE(corrected.second && corrected.third) << lat;
        const double zone = -7; // the zone of 104 W
        for (const auto& [y, contact] :
             {std::pair{112, *corrected.second}, {170, *corrected.third}}) {
            std::string printed;
            for (const auto& t : screen.surface.texts)
                if (t.y == y && t.text.rfind("  Corrected ", 0) == 0)
                    printed = t.text.substr(12);
            ASSERT_EQ(printed.size(), 10u) << lat << " " << y;
            const double seconds = std::stod(printed.substr(0, 2)) * 3600 +
                                   std::stod(printed.substr(3, 2)) * 60 +
                                   std::stod(printed.substr(6));
            const double expected = (contact.t + r.t0 - dT / 3600 + zone) * 3600;
            EXPECT_NEAR(seconds, expected, 0.11) << lat << " " << printed;
        }
    }
}

// West of Greenwich the zone date of the maximum is the day before the UT date: 2035 September 2
// at 3:24 UT is September 1 at 16:24 in the zone of 165 W, as the local circumstances say.
TEST(LimbCorrection, DateIsTheZoneDateOfTheMaximum) {
    if (!std::filesystem::exists(ldemLabel()))
        GTEST_SKIP() << "no LDEM_4 product";
    const LimbScreen pacific(2035, 9, -165, 10.49);
    ASSERT_FALSE(pacific.surface.texts.empty());
    EXPECT_EQ(pacific.surface.texts.front().text.substr(0, 10), "2035/ 9/ 1");
    const LimbScreen japan(2035, 9, 137.2, 36.7);
    EXPECT_EQ(japan.surface.texts.front().text.substr(0, 10), "2035/ 9/ 2");
}

// The user's Delta T adjustment moves the limb screen's contacts as it moves the local
// circumstances': the uncorrected second contact is the local report's, with the same Delta T.
TEST(LimbCorrection, ContactsTakeTheAdjustedDeltaT) {
    if (!std::filesystem::exists(ldemLabel()))
        GTEST_SKIP() << "no LDEM_4 product";
    for (const double adjust : {0.0, 300.0}) {
        LimbScreen screen(2024, 4, -104.14, 25.29, adjust);
        const double dT = recordDeltaT(screen.catalog.record) + adjust;
        const LocalCircumstances contacts =
            localCircumstances(screen.catalog.record, screen.observer, dT);
        ASSERT_TRUE(contacts.second.has_value());
        // zone -7 h at 104 W
        const auto [h, m, s] = splitHoursToTenths(screen.catalog.record.t0 +
                                                  contacts.second->shadow.t - dT / 3600 - 7);
        char expected[64];
        std::snprintf(expected, sizeof expected, "2nd Contact %02.0f:%02.0f:%04.1f", h, m, s);
        bool found = false;
        for (const auto& t : screen.surface.texts)
            found = found || t.text == expected;
        EXPECT_TRUE(found) << expected << " with an adjustment of " << adjust << " s";
    }
}

// With the place's clocks the corrected contacts are also given in civil time, under the frame:
// the zone of 104 W is UT-7, Mexico's clocks were on UT-6 (CST) in 2024, one hour later.
TEST(LimbCorrection, CorrectedContactsOnThePlacesClocks) {
    if (!std::filesystem::exists(ldemLabel()))
        GTEST_SKIP() << "no LDEM_4 product";
    const CivilClockAt cst = [](double) { return std::optional(CivilClock{-6 * 3600, "CST"}); };
    const LimbScreen screen(2024, 4, -104.14, 25.29, 0, cst);
    std::string corrected2, civil2;
    for (const auto& t : screen.surface.texts) {
        if (t.y == 112)
            corrected2 = t.text;
        if (t.text.rfind("2C ", 0) == 0 && t.text.size() > 3)
            civil2 = t.text;
    }
    ASSERT_EQ(corrected2.substr(0, 12), "  Corrected ");
    ASSERT_EQ(civil2.size(), 17u) << civil2;
    const int zoneHour = std::stoi(corrected2.substr(12, 2));
    EXPECT_EQ(std::stoi(civil2.substr(3, 2)), zoneHour + 1);
    EXPECT_EQ(civil2.substr(5, 8), corrected2.substr(14, 8)) << "the same minutes and seconds";
    EXPECT_EQ(civil2.substr(14), "CST");
    const LimbScreen unknown(2024, 4, -104.14, 25.29, 0,
                             [](double) { return std::optional<CivilClock>(); });
    for (const auto& t : unknown.surface.texts)
        EXPECT_NE(t.text.substr(0, 3), "2C ") << "no civil line where it is not known";
}
