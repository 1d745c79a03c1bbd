// The central line table against the path tracers, the Swiss Ephemeris and the published
// circumstances of 2024 April 8.
#include "central_table.h"
#include "local_contacts.h"
#include "path_tracers.h"
#include "recording_surface.h"
#include "test_support.h"
#include "timescales.h"

#include <cmath>
#include <gtest/gtest.h>
#include <swephexp.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

struct Table2024 {
    Catalog catalog;
    EclipseState state;
    ViewState view;
    double deltaT = 0;
    Table2024() {
        catalog.paths.dirs = {sourceDataDir()};
        state.record = &catalog.record;
        EXPECT_EQ(catalogFind(catalog, 0, 2024, 4), 1);
        loadEclipseSummary(state);
        deltaT = vesk::deltaT((catalog.record.jd - 2451545) / 36525);
    }
    CentralPoint at(double lon) {
        state.obsLonWest = -lon;
        state.obsHeight = 0;
        return centralPointAt(state, deltaT);
    }
};

} // namespace

TEST(CentralTable, CentralLineAgreesWithTheTracersAndTheSwissEphemeris) {
    Table2024 table;
    const bool swiss = std::filesystem::is_directory(ephemerisDir());
    if (swiss) {
        swe_set_ephe_path(ephemerisDir().c_str());
        swe_set_delta_t_userdef(table.deltaT / 86400);
    }
    double worst = 0;
    for (const double lon : {-120.0, -105.0, -95.0, -85.0, -75.0}) {
        const CentralPoint c = table.at(lon);
        ASSERT_NE(c.lat, 100) << lon;
        // The tracer's central line at the table's instant lies at the same place.
        PathTracer tracer{table.state};
        const TracedPoint p = centralLinePoint(tracer, c.t, table.deltaT, 0);
        ASSERT_EQ(p.status, 1);
        EXPECT_NEAR(p.lon, lon, 0.01) << lon;
        EXPECT_NEAR(p.lat, c.lat, 0.01) << lon;
        if (swiss) {
            double geopos[10] = {}, attr[20] = {};
            char error[AS_MAXCH] = "";
            swe_sol_eclipse_where(instantJdUt(table.state, c.t, table.deltaT), SEFLG_SWIEPH, geopos,
                                  attr, error);
            // The table's latitude at the Swiss point's longitude: the two central lines differ
            // by up to about 0.03 degree (the Swiss Ephemeris takes another shadow axis than
            // the apparent places of Besselian elements; see the central line test).
            const CentralPoint there = table.at(geopos[0]);
            EXPECT_NEAR(there.lat, geopos[1], 0.04) << lon;
            worst = std::max(worst, std::fabs(there.lat - geopos[1]));
        }
    }
    if (swiss)
        std::printf("central line table vs Swiss Ephemeris: worst %.4f deg\n", worst);
    swe_close();
}

TEST(CentralTable, WidthAndDurationAtGreatestEclipse) {
    Table2024 table;
    const CentralPoint c = table.at(-104.14);
    ASSERT_TRUE(c.hasWidth);
    EXPECT_NEAR(c.lat, 25.29, 0.02);
    EXPECT_NEAR(c.width, 198, 2);
    EXPECT_NEAR(std::fabs(c.duration) * 3600, 4 * 60 + 28, 2);
    EXPECT_LT(c.duration, 0) << "negative where total";
    EXPECT_NEAR(c.sunAltitude, 69.8, 0.3);
    const double north = limitPointAt(table.state, table.deltaT, +1);
    const double south = limitPointAt(table.state, table.deltaT, -1);
    EXPECT_GT(north, c.lat + 0.5);
    EXPECT_LT(south, c.lat - 0.5);
}

TEST(CentralTable, RowsScreenAndFile) {
    Table2024 table;
    table.view.tableLon = -180;
    table.view.tableStep = 15;
    RecordingSurface surface;
    ScratchDir dir;
    EXPECT_EQ(drawCentralTable(surface, table.state, table.view, table.deltaT, true, dir.path()),
              "");
    const std::string file = readFile(dir.path() / "central.prn");
    EXPECT_EQ(file.rfind(" Date     : 2024  4  8 :  CENTRAL TOTAL ECLIPSE \n", 0), 0u);
    EXPECT_NE(file.find("  -180.00  =========  No Central Calculation Availabel   =========  \n"),
              std::string::npos);
    EXPECT_NE(file.find("  -105.00 "), std::string::npos);
    EXPECT_NE(file.find("\n     0.00  ===="), std::string::npos) << "13 rows up to 0 degrees";
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 18);
    ASSERT_EQ(surface.texts.size(), 17u);
    EXPECT_EQ(surface.texts[4].y, 165);
    const std::size_t firstRow = file.find("  -180.00");
    EXPECT_EQ(surface.texts[4].text + "\n",
              file.substr(firstRow, file.find('\n', firstRow) + 1 - firstRow));
    // -105: 18:14 UT, 11:14 local mean time.
    EXPECT_NE(file.find("18:14  11:14"), std::string::npos);
}

TEST(CentralTable, UnwritableFileIsReportedAndLeavesNothing) {
    Table2024 table;
    table.view.tableLon = -120;
    RecordingSurface surface;
    ScratchDir dir;
    const std::filesystem::path missing = dir.path() / "no such folder";
    const std::string failure =
        drawCentralTable(surface, table.state, table.view, table.deltaT, true, missing);
    EXPECT_NE(failure.find("central.prn"), std::string::npos);
    EXPECT_EQ(surface.texts.back().text, "central.prnファイルを作成できません。");
    EXPECT_EQ(surface.texts.size(), 18u) << "the table is drawn all the same";
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}
