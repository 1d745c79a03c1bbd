// SPDX-License-Identifier: GPL-3.0-or-later
#include "angles.h"
#include "map_projection.h"
#include "palette.h"
#include "recording_surface.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <set>

using namespace vesk;
using vesk::testing::RecordingSurface;

namespace {

// A whole-globe view of 1000 x 700 pixels: radius 340 about (610, 350).
struct GlobeFixture : ::testing::Test {
    RecordingSurface surface;
    MapProjection projection;
    ViewSettings view;
    MapLayout layout;
    MapCanvas canvas{surface, projection, view, layout};

    void SetUp() override {
        layout.baseRadius = layout.mapRadius = 340;
        layout.mapCentreX = 610;
        layout.mapCentreY = 350;
        layout.mapLeft = 270;
        layout.mapRight = 950;
        layout.mapTop = 10;
        layout.mapBottom = 690;
        projection = {};
        setMapCentre(projection, layout, 139.7, 35.7);
    }
};

// A Mercator view of the same window.
struct MercatorFixture : GlobeFixture {
    void SetUp() override {
        GlobeFixture::SetUp();
        view.projection = Projection::mercator;
        layout.baseRadius = layout.mapRadius = 770 / 3.1415926536 / 2;
        layout.mercator = true;
        layout.mapCentreX = 385 + 225;
        layout.mapCentreY = 303;
        layout.mapLeft = layout.mapCentreX - static_cast<int>(layout.baseRadius * 3.1415926536);
        layout.mapRight = layout.mapCentreX + static_cast<int>(layout.baseRadius * 3.1415926536);
        layout.mapTop = 303 - 298 - 1;
        layout.mapBottom = 303 + 298 + 1;
        projection = {};
        setMapCentre(projection, layout, 0, 0);
    }
};

} // namespace

TEST_F(GlobeFixture, OrthographicProjectionAboutTheCentre) {
    int x = 0, y = 0, depth = 0;
    projectGlobe(projection, 139.7, 35.7, x, y, depth);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(depth, -340);
    // 90 degrees due north of the centre lies on the rim; the antipode is on the far side.
    projectGlobe(projection, 139.7 + 180, 90 - 35.7, x, y, depth);
    EXPECT_NEAR(y, 340, 1);
    EXPECT_NEAR(depth, 0, 1);
    projectGlobe(projection, 139.7 - 180, -35.7, x, y, depth);
    EXPECT_EQ(depth, 340);
    // East of the centre is to the right (x = R cos phi sin(lon - lonc)).
    projectGlobe(projection, 149.7, 35.7, x, y, depth);
    EXPECT_EQ(
        x, static_cast<int>(340 * std::cos(35.7 * 0.01745329252) * std::sin(10 * 0.01745329252)));
    EXPECT_EQ(mapCentreLat(projection), 35.7);
    EXPECT_EQ(mapCentreLon(projection), 139.7);
}

TEST_F(GlobeFixture, PixelsMapBackToLongitudeAndLatitude) {
    const auto tokyo = pixelToLonLat(projection, layout, 610, 350);
    ASSERT_TRUE(tokyo);
    EXPECT_NEAR(tokyo->first, 139.7, 0.05);
    EXPECT_NEAR(tokyo->second, 35.7, 0.05);
    for (double pLon = 60; pLon <= 220; pLon += 20) {
        for (double pLat = -40; pLat <= 85; pLat += 15) {
            int x = 0, y = 0, depth = 0;
            projectGlobe(projection, pLon, pLat, x, y, depth);
            if (depth > -150) // keep clear of the rim, where a pixel spans degrees
                continue;
            const auto found = pixelToLonLat(projection, layout, 610 + x, 350 - y);
            ASSERT_TRUE(found) << pLon << " " << pLat;
            const auto [lon, lat] = *found;
            // The pixel is truncated: compare on the ground, within a pixel in each direction.
            const double k = 0.01745329252;
            const double cosDistance =
                std::sin(lat * k) * std::sin(pLat * k) +
                std::cos(lat * k) * std::cos(pLat * k) * std::cos((lon - pLon) * k);
            EXPECT_LT(std::acos(std::min(1.0, cosDistance)) / k, 0.6) << pLon << " " << pLat;
        }
    }
    EXPECT_FALSE(pixelToLonLat(projection, layout, 610 + 345, 350)) << "off the globe";
}

TEST_F(GlobeFixture, PlotterJoinsPointsInsideTheFrameOnly) {
    // A point exactly on the left edge is drawn; one pixel outside lifts the pen.
    plotMapPoint(canvas, 270 - 610, 0, red);
    ASSERT_EQ(surface.pixels.size(), 1u);
    EXPECT_EQ(surface.pixels[0].first, (PixelPoint{270, 350}));
    EXPECT_EQ(surface.pixels[0].second, palette[red]);
    plotMapPoint(canvas, 280 - 610, 0, red);
    ASSERT_EQ(surface.lines.size(), 1u);
    EXPECT_EQ(surface.lines[0].pen.colour, palette[red]);
    plotMapPoint(canvas, 269 - 610, 0, red);
    EXPECT_FALSE(canvas.pen.down);
    plotMapPoint(canvas, 280 - 610, 10, red);
    EXPECT_EQ(surface.lines.size(), 1u) << "no line from outside the frame";
    // Points that are not numbers (from a failed solution) only lift the pen.
    plotMapPoint(canvas, std::nan(""), 0, red);
    EXPECT_FALSE(canvas.pen.down);
}

TEST_F(GlobeFixture, DotsAndRingsOnTheNearSideOnly) {
    plotDot(canvas, 139.7, 35.7, yellow);
    ASSERT_EQ(surface.pixels.size(), 1u);
    EXPECT_NEAR(surface.pixels[0].first.x, 610, 1); // truncated from 610 - 1e-13
    EXPECT_EQ(surface.pixels[0].first.y, 350);
    plotDot(canvas, 139.7 - 180, -35.7, yellow);
    EXPECT_EQ(surface.pixels.size(), 1u);
    EXPECT_FALSE(canvas.pen.down);
    plotRing(canvas, 139.7, 35.7, red, 3);
    ASSERT_EQ(surface.shapes.size(), 1u);
    EXPECT_EQ(surface.shapes[0].left, surface.pixels[0].first.x - 3);
    EXPECT_EQ(surface.shapes[0].bottom, 353);
    EXPECT_TRUE(surface.shapes[0].brush.hollow);
    // A centre on the equator at 90 W gives no rotation, and its rings are drawn all the same.
    setMapCentre(projection, layout, -90, 0);
    EXPECT_EQ(projection.rotationLon, 0);
    plotRing(canvas, -90, 0, red, 3);
    EXPECT_EQ(surface.shapes.size(), 2u);
}

TEST_F(GlobeFixture, GridOnlyWhenAskedFor) {
    drawGrid(canvas);
    EXPECT_TRUE(surface.lines.empty());
    view.gridLines = true;
    drawGrid(canvas);
    int equatorSegments = 0;
    for (const auto& line : surface.lines)
        equatorSegments += line.pen.colour == palette[lightBlue];
    EXPECT_GT(equatorSegments, 50) << "the equator and the 0/180 meridian in light blue";
    EXPECT_GT(surface.lines.size(), 1000u);
    // Zoomed in near the equator the grid follows the frame's corners.
    surface.lines.clear();
    layout.mapRadius = layout.baseRadius * 30;
    view.centreLat = 35.7;
    setMapCentre(projection, layout, 139.7, 35.7);
    drawGrid(canvas);
    EXPECT_GT(surface.lines.size(), 100u);
    for (const auto& line : surface.lines) {
        EXPECT_GE(line.to.x, layout.mapLeft);
        EXPECT_LE(line.to.x, layout.mapRight);
    }
}

TEST_F(MercatorFixture, JumpsAcrossTheMapBreakTheLine) {
    int x = 0, y = 0, depth = 0;
    projectMercator(projection, 0, 0, x, y, depth);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(depth, mercatorDepth);
    projectMercator(projection, 190, 0, x, y, depth); // wraps to -170
    EXPECT_LT(x, 0);
    projectMercator(projection, 0, 90, x, y, depth); // the pole: far off every frame
    EXPECT_GT(y, 100000);

    plotMapPoint(canvas, -350, 0, navy);
    plotMapPoint(canvas, 350, 0, navy);
    EXPECT_TRUE(surface.lines.empty()) << "a 700-pixel jump is a break";
    canvas.pen.drawingParallels = true;
    plotMapPoint(canvas, -350, 0, navy);
    EXPECT_EQ(surface.lines.size(), 1u) << "the parallels span the map";
}

TEST_F(MercatorFixture, MiddleLatitudesFollowTheMercatorFormula) {
    // y = R ln tan(45 deg + phi / 2) (Snyder, Map Projections: A Working Manual, eq. 7-2)
    const double r = projection.mapRadius;
    for (const double lat : {-70.0, -45.0, -20.0, 10.0, 35.7, 49.0, 60.0, 75.0}) {
        int x = 0, y = 0, depth = 0;
        projectMercator(projection, 30, lat, x, y, depth);
        const double expected = r * std::log(std::tan(std::numbers::pi / 4 + lat * degToRad / 2));
        EXPECT_NEAR(y, expected, 1) << lat;
        EXPECT_NEAR(x, r * 30 * degToRad, 1) << lat;
    }
    // The parallels of the grid lie where the formula puts them: 60 N is 1.32 R above the
    // equator, where the equator-scale formula without the halving would put it at 1.0 R.
    view.gridLines = true;
    drawGrid(canvas);
    std::set<int> parallelRows;
    for (const auto& line : surface.lines)
        if (line.from.y == line.to.y && std::abs(line.to.x - line.from.x) > 700)
            parallelRows.insert(layout.mapCentreY - line.from.y);
    for (int lat = -80; lat <= 80; lat += 10) {
        const double expected = r * std::log(std::tan(std::numbers::pi / 4 + lat * degToRad / 2));
        const auto nearest = parallelRows.lower_bound(static_cast<int>(std::floor(expected)) - 1);
        EXPECT_TRUE(nearest != parallelRows.end() && std::abs(*nearest - expected) <= 1.5)
            << "no parallel at " << lat << " (" << expected << " px)";
    }
}

// The projector of a Mercator map reads its pixels back by the Mercator inverse (not the globe's):
// each point comes back within a pixel's width, across the whole frame, and a pixel off the
// frame is off the map.
TEST_F(MercatorFixture, ProjectorReadsItsPixelsBack) {
    const Projector projector{Projection::mercator, projection, layout};
    const double degreesPerPixel = 1 / (projection.mapRadius * degToRad);
    for (double lon = -170; lon <= 170; lon += 34)
        for (const double lat : {-70.0, -35.7, 0.0, 20.0, 60.0}) {
            const ViewPixel at = projector.toView(lon, lat);
            ASSERT_TRUE(at.visible) << lon << " " << lat;
            const std::optional<GeoPoint> back = projector.toGeo(at.x, at.y);
            ASSERT_TRUE(back) << lon << " " << lat;
            EXPECT_NEAR(back->lon, lon, degreesPerPixel) << lat;
            EXPECT_NEAR(back->lat, lat, degreesPerPixel / std::cos(lat * degToRad)) << lon;
        }
    EXPECT_FALSE(projector.toGeo(layout.mapRight + 5, layout.mapCentreY));
}

TEST_F(MercatorFixture, GridSpansTheMap) {
    view.gridLines = true;
    drawGrid(canvas);
    int parallels = 0, equator = 0;
    for (const auto& line : surface.lines) {
        if (line.from.y == line.to.y && std::abs(line.to.x - line.from.x) > 700) {
            ++parallels;
            equator += line.pen.colour == palette[lightBlue];
        }
    }
    EXPECT_EQ(parallels, 17) << "80 N to 80 S; the pole has no line";
    EXPECT_EQ(equator, 1);
    EXPECT_FALSE(canvas.pen.drawingParallels);
}
