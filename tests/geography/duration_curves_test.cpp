// SPDX-License-Identifier: GPL-3.0-or-later
// The curves of equal duration against the central line table, whose durations come from the
// closed formula 2 L2 / n at the central line, and against each other.
#include "central_table.h"
#include "duration_curves.h"
#include "test_support.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

// The table's duration on the central line at an east longitude, seconds.
double tableDurationAt(CatalogEclipse& e, const PathGeometry& path, double lon) {
    const std::vector<CentralTableRow> rows =
        centralTableRows(e.catalog.record, path, lon, 15, e.deltaT);
    EXPECT_TRUE(rows.at(0).durationSeconds.has_value()) << "at " << lon;
    return rows.at(0).durationSeconds.value_or(-100);
}

// The arc from a point to the nearest point of the central line, degrees.
double arcToCentralLine(const PathGeometry& path, const PathPoint& p) {
    double nearest = 180;
    for (const auto& piece : path.centralLine)
        for (const CentralPathPoint& c : piece)
            nearest = std::min(nearest, arcDegrees(p.lon, p.lat, c.lon, c.lat));
    return nearest;
}

} // namespace

TEST(DurationCurves, LevelsAreEveryHalfMinuteUpToThreeMinutesElseEveryMinute) {
    EXPECT_EQ(durationLevels(76), (std::vector<double>{30, 60}));
    EXPECT_EQ(durationLevels(180), (std::vector<double>{30, 60, 90, 120, 150}));
    EXPECT_EQ(durationLevels(268), (std::vector<double>{60, 120, 180, 240}));
    EXPECT_TRUE(durationLevels(0).empty());
    // damaged elements: no more levels than the longest central eclipse can have
    EXPECT_EQ(durationLevels(1e12).size(), 14u);
    EXPECT_TRUE(durationLevels(std::nan("")).empty());
}

// Where a curve meets the central line, the central line table gives its duration within 1 s:
// the total eclipse of 2024 April 8 (4 min 28 s at most), the annular one of 2023 October 14
// (5 min 17 s) and the hybrid one of 2023 April 20 (1 min 16 s).
TEST(DurationCurves, CrossingsOfTheCentralLineAgreeWithTheCentralTable) {
    // (the curves of the shorter durations of 2024 and of 2023 October run the path's length)
    for (const auto& [year, month, levels, crossed] :
         {std::tuple{2024.0, 4.0, 4u, 4}, {2023.0, 10.0, 5u, 2}, {2023.0, 4.0, 2u, 4}}) {
        SCOPED_TRACE(year + month / 100);
        CatalogEclipse e(year, month);
        const PathGeometry path = tracePathGeometry(e.catalog.record, e.deltaT, 1.0 / 600);
        const std::vector<DurationCurve> curves = traceDurationCurves(e.catalog.record, path);
        ASSERT_EQ(curves.size(), levels);
        int crossings = 0;
        for (const DurationCurve& curve : curves) {
            EXPECT_FALSE(curve.sides.empty()) << curve.seconds;
            for (const PathPoint& x : curve.centralCrossings) {
                EXPECT_NEAR(tableDurationAt(e, path, x.lon), curve.seconds, 1)
                    << curve.seconds << " s at " << x.lon << ", " << x.lat;
                EXPECT_LT(arcToCentralLine(path, x), 0.05);
                ++crossings;
            }
        }
        EXPECT_EQ(crossings, crossed);
    }
}

// A longer duration lies nearer the central line than a shorter one on the same cut, and every
// point of a curve lies inside the path: its own duration is the curve's.
TEST(DurationCurves, CurvesNestInsideThePath) {
    CatalogEclipse e(2024, 4);
    const PathGeometry path = tracePathGeometry(e.catalog.record, e.deltaT, 1.0 / 600);
    const std::vector<DurationCurve> curves = traceDurationCurves(e.catalog.record, path);
    ASSERT_EQ(curves.size(), 4u);
    // the cut at greatest eclipse: the one nearest its instant on each curve's sides
    std::vector<double> offsets;
    for (const DurationCurve& curve : curves) {
        double nearestTime = 1, offset = 0;
        for (const auto& side : curve.sides)
            for (const PathPoint& p : side)
                if (std::fabs(p.t - path.greatest.time) < nearestTime) {
                    nearestTime = std::fabs(p.t - path.greatest.time);
                    offset = arcToCentralLine(path, p);
                }
        ASSERT_LT(nearestTime, 0.02) << curve.seconds;
        offsets.push_back(offset);
        const PathPoint& sample = curve.sides.front()[curve.sides.front().size() / 2];
        EXPECT_NEAR(centralDurationAt(e.catalog.record, e.deltaT, sample.lon, sample.lat, sample.t),
                    curve.seconds, 0.1);
    }
    for (std::size_t k = 1; k < offsets.size(); ++k)
        EXPECT_LT(offsets[k], offsets[k - 1]) << curves[k].seconds;
    // the path is 198 km wide there (0.89 degree either side), and a duration of 60 s of the
    // 268 s at the centre lies sqrt(1 - (60 / 268)^2) of the half width out: 0.87 degree
    EXPECT_NEAR(offsets.front(), 0.87, 0.04);
}
