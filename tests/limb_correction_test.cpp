// The lunar grid from NASA's LDEM_4 product, the limb profile and the corrected contacts.
#include "limb_correction.h"
#include "local_report.h"
#include "lunar_libration.h"
#include "recording_surface.h"
#include "test_support.h"
#include "timescales.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

std::filesystem::path ldemLabel() {
    return ephemerisDir().parent_path() / "moon" / "LDEM_4.LBL";
}

// LRO.dat made by the tool from LDEM_4 into a scratch folder.
bool makeGrid(const ScratchDir& dir) {
    const CommandResult r = runProgram(
        VESK_MAKE_LRO,
        {"--label", ldemLabel().string(), "--out", (dir.path() / "LRO.dat").string()}, dir.path());
    EXPECT_EQ(r.status, 0) << r.err;
    return r.status == 0;
}

} // namespace

TEST(LimbCorrection, GridFromTheLolaProduct) {
    if (!std::filesystem::exists(ldemLabel()))
        GTEST_SKIP() << "no LDEM_4 product at " << ldemLabel();
    ScratchDir dir;
    ASSERT_TRUE(makeGrid(dir));
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "LRO.dat"), 33177600u);
    LimbData limb;
    ASSERT_TRUE(loadLunarGrid(limb, DataPaths{{dir.path()}}));
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

    // A short file is no grid.
    dir.write("LRO.dat", std::string(1000, '\0'));
    EXPECT_FALSE(loadLunarGrid(limb, DataPaths{{dir.path()}}));
    EXPECT_TRUE(limb.grid.empty());
}

namespace {

// The limb screen of an eclipse for a place, drawn with the grid of LDEM_4.
struct LimbScreen {
    ScratchDir dir;
    Catalog catalog;
    EclipseState state;
    ViewState view;
    LimbData limb;
    RecordingSurface surface;

    LimbScreen(double year, double month, double lon, double lat) {
        if (!makeGrid(dir))
            return;
        catalog.paths.dirs = {sourceDataDir()};
        state.record = &catalog.record;
        EXPECT_EQ(catalogFind(catalog, 0, year, month), 1);
        loadEclipseSummary(state);
        view.observerLon = lon;
        view.observerLat = lat;
        setObserver(state, view);
        EXPECT_TRUE(loadLunarGrid(limb, DataPaths{{dir.path()}}));
        drawLimbCorrection(surface, state, limb, view.observerLon, view.observerLat);
    }
};

} // namespace

TEST(LimbCorrection, ProfileAndContactsOf2024AtGreatestEclipse) {
    if (!std::filesystem::exists(ldemLabel()))
        GTEST_SKIP() << "no LDEM_4 product";
    const LimbScreen screen(2024, 4, -104.14, 25.29);
    const LimbData& limb = screen.limb;
    const RecordingSurface& surface = screen.surface;
    // The profile has mountains and valleys of a few km about the mean limb.
    double lowest = 1e9, highest = -1e9;
    for (const double r : limb.profile) {
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_GT(highest - lowest, 2);
    EXPECT_LT(highest - lowest, 15);
    EXPECT_NEAR((highest + lowest) / 2, moonMeanLimbKm, 3);
    // Both contacts are corrected by a few seconds at most, and the report says so.
    bool second = false, third = false, duration = false;
    for (const auto& t : surface.texts) {
        second = second || (t.y == 112 && t.text.rfind("  Corrected ", 0) == 0);
        third = third || (t.y == 170 && t.text.rfind("  Corrected ", 0) == 0);
        duration = duration || t.text.rfind("Duration       4m:", 0) == 0;
        if (t.text.rfind(" (Correction : ", 0) == 0) {
            const double seconds = std::stod(t.text.substr(15));
            EXPECT_LT(std::fabs(seconds), 3) << t.text;
        }
    }
    EXPECT_TRUE(second);
    EXPECT_TRUE(third);
    EXPECT_TRUE(duration) << "totality 4 min 28 s on the central line";
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
