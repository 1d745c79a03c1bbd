// SPDX-License-Identifier: GPL-3.0-or-later
// The central line table against the path tracers, the Swiss Ephemeris and the published
// circumstances of 2024 April 8.
#include "central_table.h"
#include "local_circumstances.h"
#include "path_tracers.h"
#include "recording_surface.h"
#include "save_files.h"
#include "test_support.h"
#include "timescales.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <gtest/gtest.h>
#include <sstream>
#include <swephexp.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

// The map's drawing step, 0.1 minute.
constexpr double mapStepHours = 1.0 / 600;

struct Table {
    Catalog catalog;
    SaveFileSink files;
    double deltaT = 0;
    double firstLon = 0, step = 15; // of the rows
    PathGeometry path;              // at the map's step
    explicit Table(double year = 2024, double month = 4) {
        catalog.paths.dirs = {sourceDataDir()};
        EXPECT_EQ(catalogFind(catalog, year, month), std::nullopt);
        deltaT = vesk::deltaT((catalog.record.jd - 2451545) / 36525);
        path = tracePathGeometry(catalog.record, deltaT, mapStepHours);
    }
    const EclipseRecord& record() const { return catalog.record; }
    // The points of the central line, every piece in turn.
    std::vector<CentralPathPoint> centralLine() const {
        std::vector<CentralPathPoint> points;
        for (const auto& piece : path.centralLine)
            points.insert(points.end(), piece.begin(), piece.end());
        return points;
    }
    std::optional<CentralPoint> at(double lon, IterationStart start = {}) const {
        return centralPointAt(catalog.record, lon, deltaT, start);
    }
    std::vector<CentralTableRow> rows() const {
        return centralTableRows(catalog.record, path, firstLon, step, deltaT);
    }
};

} // namespace

TEST(CentralTable, CentralLineAgreesWithTheTracersAndTheSwissEphemeris) {
    Table table;
    const bool swiss = std::filesystem::is_directory(ephemerisDir());
    if (swiss) {
        swe_set_ephe_path(ephemerisDir().c_str());
        swe_set_delta_t_userdef(table.deltaT / 86400);
    }
    double worst = 0;
    for (const double lon : {-120.0, -105.0, -95.0, -85.0, -75.0}) {
        const std::optional<CentralPoint> found = table.at(lon);
        ASSERT_TRUE(found) << lon;
        const CentralPoint& c = *found;
        // The tracer's central line at the table's instant lies at the same place.
        const TracedPoint p = centralLinePoint(evaluateElements(table.record(), c.t), table.deltaT);
        ASSERT_TRUE(p.found);
        EXPECT_NEAR(p.lon, lon, 0.01) << lon;
        EXPECT_NEAR(p.lat, c.lat, 0.01) << lon;
        if (swiss) {
            double geopos[10] = {}, attr[20] = {};
            char error[AS_MAXCH] = "";
            swe_sol_eclipse_where(instantJdUt(table.record(), c.t, table.deltaT), SEFLG_SWIEPH,
                                  geopos, attr, error);
            // The table's latitude at the Swiss point's longitude: the two central lines differ
            // by up to about 0.03 degree (the Swiss Ephemeris takes another shadow axis than
            // the apparent places of Besselian elements; see the central line test).
            const std::optional<CentralPoint> there = table.at(geopos[0]);
            ASSERT_TRUE(there) << lon;
            EXPECT_NEAR(there->lat, geopos[1], 0.04) << lon;
            worst = std::max(worst, std::fabs(there->lat - geopos[1]));
        }
    }
    if (swiss)
        std::printf("central line table vs Swiss Ephemeris: worst %.4f deg\n", worst);
    swe_close();
}

TEST(CentralTable, WidthAndDurationAtGreatestEclipse) {
    Table table;
    const std::optional<CentralPoint> found = table.at(-104.14);
    ASSERT_TRUE(found && found->width);
    const CentralPoint& c = *found;
    EXPECT_NEAR(c.lat, 25.29, 0.02);
    EXPECT_NEAR(*c.width, 198, 2);
    EXPECT_NEAR(std::fabs(c.duration) * 3600, 4 * 60 + 28, 2);
    EXPECT_LT(c.duration, 0) << "negative where total";
    EXPECT_NEAR(c.sunAltitude, 69.8, 0.3);
    const std::optional<double> north =
        limitPointAt(table.record(), -104.14, table.deltaT, PathLimit::north);
    const std::optional<double> south =
        limitPointAt(table.record(), -104.14, table.deltaT, PathLimit::south);
    ASSERT_TRUE(north && south);
    EXPECT_GT(*north, c.lat + 0.5);
    EXPECT_LT(*south, c.lat - 0.5);
}

TEST(CentralTable, RowsScreenAndFile) {
    Table table;
    table.firstLon = -180;
    RecordingSurface surface;
    drawCentralTable(surface, table.record(), table.rows());
    const std::string file = centralTablePrn(table.record(), table.rows());
    EXPECT_EQ(file.rfind(" Date     : 2024  4  8 :  CENTRAL TOTAL ECLIPSE \n", 0), 0u);
    EXPECT_NE(file.find("  -180.00  =========  No Central Calculation Available   =========  \n"),
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

// The rows for scripts: the CSV and JSON hold the values that central.prn rounds, unrounded,
// with empty fields and nulls where the file says "No Central Calculation Available".
TEST(CentralTable, RowsAsCsvAndJsonAtFullPrecision) {
    Table table;
    const std::vector<CentralTableRow> rows =
        centralTableRows(table.record(), table.path, -180, 15, table.deltaT);
    ASSERT_EQ(rows.size(), 13u);
    const CentralTableRow& dallasRow = rows[5]; // -105
    ASSERT_TRUE(dallasRow.centre.has_value());
    EXPECT_NEAR(*dallasRow.utHours, 18 + 14.0 / 60, 1.0 / 60) << "18:14 UT as in central.prn";
    const std::string csv = centralTableCsv(rows);
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "lon,north,centre,south,ut_hours,lmt_hours,duration_seconds,width_km,"
                    "sun_altitude\r");
    std::getline(lines, line);
    EXPECT_EQ(line, "-180,,,,,,,,\r") << "no central line at -180";
    for (int i = 0; i < 5; ++i)
        std::getline(lines, line);
    double lon = 0, north = 0, centre = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "%lf,%lf,%lf", &lon, &north, &centre), 3) << line;
    EXPECT_EQ(lon, -105);
    EXPECT_EQ(centre, *dallasRow.centre) << "full precision";
    const QJsonArray json =
        QJsonDocument::fromJson(QByteArray::fromStdString(centralTableJson(rows))).array();
    ASSERT_EQ(json.size(), 13);
    EXPECT_TRUE(json[0].toObject()["centre"].isNull());
    EXPECT_EQ(json[5].toObject()["centre"].toDouble(), *dallasRow.centre);
    EXPECT_EQ(json[5].toObject()["width_km"].toDouble(), *dallasRow.widthKm);
    EXPECT_FALSE(json[5].toObject().contains("corrected_duration_seconds"));

    // with the limb's correction, one column more, last, empty where there is none
    std::vector<CentralTableRow> corrected = rows;
    corrected[5].correctedDurationSeconds = 265.5;
    const std::string limbCsv = centralTableCsv(corrected, TableColumns::limbCorrected);
    EXPECT_EQ(limbCsv.substr(0, limbCsv.find('\n')),
              "lon,north,centre,south,ut_hours,lmt_hours,duration_seconds,width_km,"
              "sun_altitude,corrected_duration_seconds\r");
    EXPECT_NE(limbCsv.find(",265.5\r\n"), std::string::npos);
    EXPECT_NE(limbCsv.find("\r\n-180,,,,,,,,,\r\n"), std::string::npos);
    const QJsonArray limbJson =
        QJsonDocument::fromJson(
            QByteArray::fromStdString(centralTableJson(corrected, TableColumns::limbCorrected)))
            .array();
    EXPECT_EQ(limbJson[5].toObject()["corrected_duration_seconds"].toDouble(), 265.5);
    EXPECT_TRUE(limbJson[4].toObject()["corrected_duration_seconds"].isNull());
}

// Drawing the table writes nothing; its file written into a folder that is not there is refused
// with its name, and nothing is left.
TEST(CentralTable, UnwritableFileIsReportedAndLeavesNothing) {
    Table table;
    table.firstLon = -120;
    RecordingSurface surface;
    ScratchDir dir;
    const std::filesystem::path missing = dir.path() / "no such folder";
    drawCentralTable(surface, table.record(), table.rows());
    EXPECT_EQ(surface.texts.size(), 17u) << "the table is drawn, and nothing else";
    const std::string failure = table.files.writeTogether(
        {{missing / "central.prn", centralTablePrn(table.record(), table.rows())}});
    EXPECT_NE(failure.find("central.prn"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// 2026 August 12: the central line runs at 87-88 degrees north from 12 to 36 degrees east, with
// the Sun 14 degrees up. An iteration from the equator never gets there; every row the line
// crosses must lie on the tracers' central line.
TEST(CentralTable, RowsNearThePoleLieOnTheTracedCentralLine) {
    Table table(2026, 8);
    ASSERT_GT(table.centralLine().size(), 100u);
    for (const double lon : {12.0, 20.0, 28.0, 36.0, -20.0, 0.0}) {
        const std::optional<CentralPoint> found = table.at(lon, crossingStart(table.path, lon));
        ASSERT_TRUE(found) << lon;
        const CentralPoint& c = *found;
        EXPECT_GT(c.sunAltitude, 0) << lon;
        const TracedPoint p = centralLinePoint(evaluateElements(table.record(), c.t), table.deltaT);
        ASSERT_TRUE(p.found) << lon;
        const double across = std::hypot(
            std::remainder(p.lon - lon, 360.0) * std::cos(c.lat * 0.0174533), p.lat - c.lat);
        EXPECT_LT(across, 0.01) << lon;
    }
    ASSERT_TRUE(table.at(20, crossingStart(table.path, 20)));
    EXPECT_NEAR(table.at(20, crossingStart(table.path, 20))->lat, 87.5, 1);

    table.firstLon = 12;
    table.step = 8;
    RecordingSurface surface;
    drawCentralTable(surface, table.record(), table.rows());
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(surface.texts[4 + row].text.find("No Central"), std::string::npos)
            << surface.texts[4 + row].text;
}

// The northern and southern limits of the table are where the umbra or antumbra only grazes the
// observer: a hundredth of a degree inside the eclipse is central there, a hundredth outside it
// is not, and at a total eclipse's limit the local magnitude is 1. Eclipses of six eras.
TEST(CentralTable, LimitsAreWhereTheCentralEclipseGrazes) {
    struct Case {
        double year, month;
    };
    double worstMagnitude = 0, worstTraced = 0;
    for (const Case& era : {Case{-3000, 4}, Case{-652, 2}, Case{1200, 1}, Case{2024, 4},
                            Case{9000, 7}, Case{15000, 3}}) {
        Table table(era.year, era.month);
        const std::vector<CentralPathPoint> line = table.centralLine();
        ASSERT_GT(line.size(), 20u) << era.year;
        for (const double fraction : {0.3, 0.5, 0.7}) {
            const double lon = line[static_cast<std::size_t>(fraction * (line.size() - 1))].lon;
            const std::optional<CentralPoint> found = table.at(lon, crossingStart(table.path, lon));
            ASSERT_TRUE(found) << era.year << " " << lon;
            const CentralPoint& c = *found;
            for (const int sign : {+1, -1}) {
                const std::optional<double> limitFound = limitPointAt(
                    table.record(), lon, table.deltaT,
                    sign > 0 ? PathLimit::north : PathLimit::south, IterationStart{c.lat, c.t});
                ASSERT_TRUE(limitFound) << era.year << " " << lon;
                const double limit = *limitFound;
                const auto at = [&](double lat) {
                    return localCircumstances(table.record(), observerAt(lon, lat), table.deltaT);
                };
                // The tracers' limit curve crosses the row's longitude at the same latitude.
                // (The tracers name a limit by the side of the signed umbral radius L2, which
                // is positive for an annular eclipse.)
                const EclipseRecord& record = table.record();
                const int side = c.duration < 0 ? sign : -sign;
                const auto offset = [&](double t) {
                    const TracedPoint p =
                        umbralLimitPoint(evaluateElements(record, t), table.deltaT, side);
                    return std::pair{p.found, std::remainder(p.lon - lon, 360.0)};
                };
                double early = c.t - 0.3, late = c.t + 0.3;
                ASSERT_TRUE(offset(early).first && offset(late).first) << era.year << " " << lon;
                ASSERT_LT(offset(early).second * offset(late).second, 0) << era.year << " " << lon;
                for (int i = 0; i < 50; ++i) {
                    const double middle = (early + late) / 2;
                    (offset(middle).second * offset(early).second > 0 ? early : late) = middle;
                }
                const TracedPoint traced =
                    umbralLimitPoint(evaluateElements(record, early), table.deltaT, side);
                EXPECT_NEAR(traced.lat, limit, 0.005) << era.year << " " << lon << " " << sign;
                worstTraced = std::max(worstTraced, std::fabs(traced.lat - limit));
                const double inward = c.lat > limit ? 0.01 : -0.01;
                const LocalCircumstances inside = at(limit + inward);
                EXPECT_TRUE(inside.central) << era.year << " " << lon << " " << sign;
                // Just inside, the second and third contacts lie on either side of the maximum.
                ASSERT_TRUE(inside.second && inside.third && inside.maximum) << era.year;
                EXPECT_LT(inside.second->shadow.t, inside.maximum->shadow.t)
                    << era.year << " " << lon;
                EXPECT_GT(inside.third->shadow.t, inside.maximum->shadow.t)
                    << era.year << " " << lon;
                EXPECT_FALSE(at(limit - inward).central) << era.year << " " << lon << " " << sign;
                if (c.duration < 0) { // total
                    const double magnitude = at(limit).magnitude;
                    EXPECT_NEAR(magnitude, 1, 0.0005) << era.year << " " << lon << " " << sign;
                    worstMagnitude = std::max(worstMagnitude, std::fabs(magnitude - 1));
                }
            }
        }
    }
    std::printf("table limits: local magnitude within %.6f of 1, %.5f deg from the traced limits\n",
                worstMagnitude, worstTraced);
}

// A row whose iteration goes off the Earth says so instead of printing a number that is no
// latitude (-652 February: the rows from 199.61 E). The northern limit at 165.50 E is the
// 52.7320 degrees of a solution from DE431.
TEST(CentralTable, RowsWithoutASolutionSaySo) {
    Table table(-652, 2);
    table.firstLon = 120.02;
    table.step = 11.37;
    RecordingSurface surface;
    drawCentralTable(surface, table.record(), table.rows());
    int rows = 0;
    for (const RecordedText& text : surface.texts) {
        double lon = 0, north = 0, centre = 0, south = 0;
        if (std::sscanf(text.text.c_str(), "%lf %lf %lf %lf", &lon, &north, &centre, &south) != 4)
            continue;
        ++rows;
        EXPECT_LE(std::fabs(north), 90) << text.text;
        EXPECT_LE(std::fabs(south), 90) << text.text;
        EXPECT_GT(north, centre) << text.text;
        EXPECT_LT(south, centre) << text.text;
    }
    EXPECT_EQ(rows, 7);
    EXPECT_NE(surface.texts[8].text.find("165.50   52.7320   49.4028   46.4917"), std::string::npos)
        << surface.texts[8].text;
}
