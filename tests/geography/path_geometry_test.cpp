// SPDX-License-Identifier: GPL-3.0-or-later
// The path geometry: its curves against the points of the tracers as they were before the
// geometry existed (tests/golden/path_2024_04_previous_tracers.txt, written by the tracers that
// plotted while they computed), its pieces, and the map's strokes of it at sizes where a pixel
// is smaller than the tracing step.
#include "path_geometry.h"
#include "path_map.h"
#include "recording_surface.h"
#include "redraw_pipeline.h"
#include "test_support.h"
#include "timescales.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

using namespace vesk;
using namespace vesk::testing;

namespace {

using Eclipse = CatalogEclipse;

struct ReferencePoint {
    std::string curve;
    double t;
    int sign;
    double lon, lat;
};

std::vector<ReferencePoint> previousTracerPoints() {
    std::ifstream in(std::filesystem::path(VESK_SOURCE_DIR) / "tests" / "golden" /
                     "path_2024_04_previous_tracers.txt");
    std::vector<ReferencePoint> points;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        ReferencePoint p;
        words >> p.curve >> p.t >> p.sign >> p.lon >> p.lat;
        points.push_back(p);
    }
    return points;
}

// The point of the pieces at instant t, or null.
template <typename Point> const Point* pointAt(const Pieces<Point>& pieces, double t) {
    for (const auto& piece : pieces)
        for (const Point& p : piece)
            if (std::fabs(p.t - t) < 1e-7)
                return &p;
    return nullptr;
}

double separation(double lon1, double lat1, double lon2, double lat2) {
    return arcDegrees(lon1, lat1, lon2, lat2);
}

} // namespace

TEST(PathGeometry, CurvesAreThoseOfThePreviousTracers) {
    Eclipse e(2024, 4);
    const PathGeometry g = tracePathGeometry(e.catalog.record, e.deltaT, 0.05);
    const std::vector<ReferencePoint> reference = previousTracerPoints();
    ASSERT_GT(reference.size(), 600u);
    std::map<std::string, int> compared;
    double worstCentral = 0;
    for (const ReferencePoint& r : reference) {
        const int i = r.sign > 0 ? 0 : 1;
        const PathPoint* p = nullptr;
        if (r.curve == "central")
            p = pointAt(g.centralLine, r.t);
        else if (r.curve == "penumbra")
            p = pointAt(g.penumbralLimits[i], r.t);
        else if (r.curve == "riseset")
            p = pointAt(g.riseSetCurves[i], r.t);
        else if (r.curve == "maxriseset")
            p = pointAt(g.maxAtRiseSetCurves[i], r.t);
        else if (r.curve == "magnitude60")
            p = pointAt(g.magnitudeCurves[2][i], r.t);
        else if (r.curve == "umbra") // kept by side: the one of the two at this sign's place
            for (const auto& side : g.umbralLimits)
                if (const PathPoint* q = pointAt(side, r.t);
                    q && separation(q->lon, q->lat, r.lon, r.lat) < 0.01)
                    p = q;
        const bool everyOtherStep = r.curve == "magnitude60";
        if (p == nullptr && everyOtherStep)
            continue;
        ASSERT_NE(p, nullptr) << r.curve << " t " << r.t << " sign " << r.sign;
        const double off = separation(p->lon, p->lat, r.lon, r.lat);
        EXPECT_LT(off, 0.001) << r.curve << " t " << r.t << " sign " << r.sign;
        if (r.curve == "central")
            worstCentral = std::max(worstCentral, off);
        ++compared[r.curve];
    }
    EXPECT_EQ(compared["central"], 65);
    EXPECT_EQ(compared["umbra"], 129);
    EXPECT_GT(compared["magnitude60"], 50);
    std::printf("central line vs the previous tracers: %.7f deg at worst\n", worstCentral);
}

// Every point of the reference also lies in the geometry, and nothing else: a point more or less
// would be a curve traced differently.
TEST(PathGeometry, HasAPointWhereThePreviousTracersHadOne) {
    Eclipse e(2024, 4);
    const PathGeometry g = tracePathGeometry(e.catalog.record, e.deltaT, 0.05);
    std::size_t central = 0, umbra = 0;
    for (const auto& piece : g.centralLine)
        central += piece.size();
    for (const auto& side : g.umbralLimits)
        for (const auto& piece : side)
            umbra += piece.size();
    EXPECT_EQ(central, 65u);
    EXPECT_EQ(umbra, 129u);
    EXPECT_EQ(g.centralLine.size(), 1u) << "one unbroken central line";
    // The central line carries the circumstances of its points: 4 min 28 s and 198 km near
    // greatest eclipse, the Sun highest there.
    const CentralPathPoint* top = nullptr;
    for (const CentralPathPoint& p : g.centralLine[0])
        if (top == nullptr || p.sunAlt > top->sunAlt)
            top = &p;
    EXPECT_NEAR(std::fabs(top->duration) * 3600, 268, 3);
    EXPECT_NEAR(top->width, 198, 3);
    EXPECT_NEAR(top->t, g.greatest.time, 0.05);
}

TEST(PathGeometry, PiecesBreakAtGapsAndJumps) {
    EXPECT_NEAR(arcDegrees(0, 0, 90, 0), 90, 1e-9);
    EXPECT_NEAR(arcDegrees(179.5, 10, -179.5, 10), 0.9848, 1e-3) << "across the 180th meridian";
    EXPECT_NEAR(arcDegrees(0, 89, 180, 89), 2, 1e-9) << "over the pole";
    // 2009 July 22 crosses the 180th meridian: the central line stays one piece on the sphere.
    Eclipse e(2009, 7);
    const PathGeometry g = tracePathGeometry(e.catalog.record, e.deltaT, 1.0 / 600);
    ASSERT_EQ(g.centralLine.size(), 1u);
    bool crosses = false;
    const auto& line = g.centralLine[0];
    for (std::size_t i = 1; i < line.size(); ++i) {
        EXPECT_LE(arcDegrees(line[i - 1].lon, line[i - 1].lat, line[i].lon, line[i].lat),
                  maxJoinDegrees);
        crosses = crosses || std::fabs(line[i].lon - line[i - 1].lon) > 180;
    }
    EXPECT_TRUE(crosses);
    // A partial eclipse has neither a central line nor umbral limits.
    Eclipse partial(2025, 3);
    const PathGeometry p = tracePathGeometry(partial.catalog.record, partial.deltaT, 0.05);
    EXPECT_TRUE(p.centralLine.empty());
    EXPECT_TRUE(p.umbralLimits[0].empty() && p.umbralLimits[1].empty());
    EXPECT_FALSE(p.penumbralLimits[0].empty());
}

TEST(PathGeometry, CacheKeepsTheGeometryWhileItsInputsStay) {
    Eclipse e(2024, 4);
    PathGeometryCache cache;
    const PathGeometry* first = &cache.geometry(e.catalog.record, e.deltaT, 0.05);
    const double lon = first->greatest.point.lon;
    EXPECT_EQ(&cache.geometry(e.catalog.record, e.deltaT, 0.05), first);
    const PathGeometry& moved = cache.geometry(e.catalog.record, e.deltaT + 100, 0.05);
    EXPECT_NEAR(moved.greatest.point.lon - lon, 100 * hourAngleRatePerSecond, 1e-6)
        << "100 s more Delta T turn the path east";
    // Back to the first: still kept, as after paging to another eclipse and back.
    EXPECT_EQ(&cache.geometry(e.catalog.record, e.deltaT, 0.05), first);
    // A tracing that was stopped is not kept.
    std::stop_source stop;
    stop.request_stop();
    const PathGeometry& cut =
        cache.geometry(e.catalog.record, e.deltaT + 200, 0.05, stop.get_token());
    EXPECT_TRUE(cut.centralLine.empty());
    EXPECT_FALSE(cache.geometry(e.catalog.record, e.deltaT + 200, 0.05).centralLine.empty());
}

namespace {

// The segments of a colour of a map of 2024 April 8 drawn at a size (at least 100 of them: a
// line, not dots), counting those that do not start where the previous one ended.
int breaksOfCurves(int width, int height, int colour) {
    Eclipse e(2024, 4);
    CityTable cities;
    ReliefData relief;
    RecordingSurface surface(width, height);
    MapProjection projection;
    ViewSettings view;
    MapLayout layout;
    view.baseMap = BaseMapKind::none;
    layout = layoutView(view, width, height);
    projection = {};
    MapCanvas canvas{surface, projection, view, layout};
    const PathGeometry g = tracePathGeometry(e.catalog.record, e.deltaT, view.drawStepHours);
    drawPathMap(canvas, {e.catalog.record, std::nullopt, g, cities, relief, e.catalog.paths});
    int breaks = 0, segments = 0;
    const RecordedLine* previous = nullptr;
    for (const RecordedLine& line : surface.lines) {
        if (!(line.pen.colour == paletteColour(colour)))
            continue;
        if (previous != nullptr && !(previous->to == line.from))
            ++breaks;
        previous = &line;
        ++segments;
    }
    EXPECT_GT(segments, 100) << width << " x " << height;
    return breaks;
}

} // namespace

TEST(PathGeometry, TheMapStrokesTheCentralLineAndLimitsUnbroken) {
    // The red lines are the central line and, for a total eclipse, nothing else; on the globe it
    // lies on the near side and inside the frame from end to end. The rose ones are the two
    // umbral limits, one after the other.
    for (const auto& [width, height] : {std::pair{1000, 700}, {2000, 1400}}) {
        EXPECT_EQ(breaksOfCurves(width, height, red), 0) << width;
        EXPECT_EQ(breaksOfCurves(width, height, rose), 1) << width;
    }
}
