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

TEST(LimbCorrection, ProfileAndContactsOf2024AtGreatestEclipse) {
    if (!std::filesystem::exists(ldemLabel()))
        GTEST_SKIP() << "no LDEM_4 product";
    ScratchDir dir;
    ASSERT_TRUE(makeGrid(dir));
    Catalog catalog;
    catalog.paths.dirs = {sourceDataDir()};
    EclipseState state;
    state.record = &catalog.record;
    ASSERT_EQ(catalogFind(catalog, 0, 2024, 4), 1);
    loadEclipseSummary(state);
    ViewState view;
    view.observerLon = -104.14;
    view.observerLat = 25.29;
    setObserver(state, view);
    LimbData limb;
    ASSERT_TRUE(loadLunarGrid(limb, DataPaths{{dir.path()}}));

    RecordingSurface surface;
    drawLimbCorrection(surface, state, limb, view.observerLon, view.observerLat);
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
