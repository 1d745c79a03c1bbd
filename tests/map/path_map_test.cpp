// SPDX-License-Identifier: GPL-3.0-or-later
// The eclipse map composition, drawn on a recording surface from the committed catalog.
#include "angles.h"
#include "delta_t_band_layer.h"
#include "eclipse_search.h"
#include "label_placement.h"
#include "local_circumstances.h"
#include "map_legend.h"
#include "palette.h"
#include "path_map.h"
#include "path_tracers.h"
#include "recording_surface.h"
#include "redraw_pipeline.h"
#include "shadow_elements.h"
#include "shadow_layer.h"
#include "test_support.h"
#include "timescales.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

using namespace vesk;
using namespace vesk::testing;

namespace {

struct MapOf {
    Catalog catalog;
    CityTable cities;
    ReliefData relief;
    DataPaths paths{{sourceDataDir()}};
    RecordingSurface surface;
    MapProjection projection;
    ViewSettings view;
    MapLayout layout;
    MapCanvas canvas{surface, projection, view, layout};

    MapOf(double year, double month, MapRange mapRange = MapRange::globe) {
        catalog.paths = paths;
        EXPECT_EQ(catalogFind(catalog, year, month), std::nullopt);
        view.year = catalog.record.year;
        view.month = catalog.record.month;
        view.mapRange = mapRange;
        IgnoredFiles ignored;
        loadCityTable(cities, paths, ignored);
        view.baseMap = BaseMapKind::none; // the base data are tested on their own
        layout = layoutView(view, 1000, 700);
        projection = {};
    }

    PathGeometry geometry;

    double deltaT() const { return recordDeltaT(catalog.record) + view.deltaTAdjust; }
    void draw(std::optional<ObservedShadow> placeSearch = std::nullopt,
              std::optional<MarkedPlace> observer = std::nullopt) {
        geometry = tracePathGeometry(catalog.record, deltaT(), view.drawStepHours);
        drawPathMap(canvas, {catalog.record, placeSearch, geometry, cities, relief, paths, nullptr,
                             nullptr, nullptr, observer});
    }

    const RecordedText* textAt(int x, int y) const {
        for (const auto& t : surface.texts)
            if (t.x == x && t.y == y)
                return &t;
        return nullptr;
    }
    bool hasText(const std::string& text) const {
        for (const auto& t : surface.texts)
            if (t.text == text)
                return true;
        return false;
    }
    int pixelsOf(int index) const {
        int count = 0;
        for (const auto& p : surface.pixels)
            count += p.second == palette[index];
        for (const auto& l : surface.lines)
            count += l.pen.colour == palette[index];
        return count;
    }
};

} // namespace

TEST(PathMap, PanelOfATotalEclipse) {
    MapOf map(2024, 4);
    map.draw();
    EXPECT_TRUE(map.hasText("CANON OF SOLAR ECLIPSE"));
    EXPECT_TRUE(map.hasText("DATE(UT) : 2024  4  8"));
    EXPECT_TRUE(map.hasText("CENTRAL TOTAL ECLIPSE"));
    EXPECT_TRUE(map.hasText("JD/Saros : 2460409.26/139/30"));
    ASSERT_NE(map.textAt(30, 208), nullptr);
    EXPECT_EQ(map.textAt(30, 208)->text.substr(0, 13), "Ratio: 1.0565");
    ASSERT_NE(map.textAt(30, 224), nullptr);
    EXPECT_EQ(map.textAt(30, 224)->text.substr(0, 12), "Dura.: 4:28.") << "4 min 28 s";
    EXPECT_EQ(map.textAt(30, 160)->text, "Time     : 18:17:20.3 UT");
    ASSERT_NE(map.textAt(30, 368), nullptr) << "last penumbral contact below the umbra lines";
    // Greatest eclipse from the tracers, the map centred on it.
    EXPECT_NEAR(map.geometry.greatest.point.lat, 25.29, 0.02);
    EXPECT_NEAR(map.geometry.greatest.point.lon, -104.14, 0.02);
    EXPECT_NEAR(-map.projection.rotationLat, 25.29, 0.02);
    // The curves in their colours: central line red, limits rose, partial curves yellow,
    // sunrise/sunset green; no blank field of a progress read-out.
    EXPECT_GT(map.pixelsOf(red), 100);
    EXPECT_GT(map.pixelsOf(rose), 100);
    EXPECT_GT(map.pixelsOf(yellow), 1000);
    EXPECT_GT(map.pixelsOf(green), 100);
    EXPECT_FALSE(map.hasText("         "));
}

// The place search's find: its magnitude and the Sun's altitude in the map's corner where the
// eclipse reaches the search's least magnitude at the observer, nothing elsewhere.
TEST(PathMap, PlaceSearchShowsTheMagnitudeItFound) {
    for (const auto& [lon, lat, shown] :
         {std::tuple{-96.8, 32.78, true}, std::tuple{-58.4, -34.6, false}}) {
        MapOf map(2024, 4);
        map.view.searchMode = searchPlace;
        map.view.observerLon = lon;
        map.view.observerLat = lat;
        const std::optional<ObservedShadow> found =
            placeSearchMaximum(map.catalog.record, map.view);
        ASSERT_TRUE(found);
        map.draw(found);
        const RecordedText* magnitude =
            map.textAt(map.layout.mapRight - 90, map.layout.mapBottom - 30);
        EXPECT_EQ(magnitude != nullptr, shown) << lon;
        if (magnitude == nullptr)
            continue;
        // the local circumstances' maximum, found from greatest eclipse, is the same one
        const LocalCircumstances local = localCircumstances(
            map.catalog.record, viewObserver(map.view), viewDeltaT(map.catalog.record, map.view));
        ASSERT_TRUE(local.maximum);
        char expected[2][32];
        std::snprintf(expected[0], sizeof expected[0], "Mag. : %5.3f", local.magnitude);
        std::snprintf(expected[1], sizeof expected[1], "Alt. : %5.1f",
                      local.maximum->shadow.sunAltitude);
        EXPECT_EQ(magnitude->text, expected[0]) << "Dallas, inside the path";
        EXPECT_EQ(map.textAt(map.layout.mapRight - 90, map.layout.mapBottom - 16)->text,
                  expected[1]);
        EXPECT_GT(local.magnitude, 1);
    }
}

TEST(PathMap, PanelsOfPartialAndNonCentralEclipses) {
    MapOf partial(2025, 3);
    partial.draw();
    EXPECT_TRUE(partial.hasText("PARTIAL ECLIPSE"));
    EXPECT_EQ(partial.textAt(30, 208), nullptr) << "no Ratio line";
    ASSERT_NE(partial.textAt(30, 224), nullptr);
    EXPECT_EQ(partial.textAt(30, 224)->text, "Magnitude:   0.9376");
    ASSERT_NE(partial.textAt(30, 336), nullptr);
    EXPECT_EQ(partial.textAt(30, 336)->text.substr(0, 10), "Penumbra :");
    EXPECT_EQ(partial.textAt(30, 288), nullptr) << "no umbral contact";
    EXPECT_EQ(partial.pixelsOf(rose), 0);

    MapOf nonCentral(2014, 4); // 2014 April 29, non-central annular
    nonCentral.draw();
    EXPECT_TRUE(nonCentral.hasText("NO CENTRAL ANNULAR ECLIPSE"));
    EXPECT_NE(nonCentral.textAt(30, 208), nullptr) << "the Ratio line";
    EXPECT_EQ(nonCentral.textAt(30, 224), nullptr) << "no duration";
}

TEST(PathMap, RegionalMapsShowDateTypeAndCities) {
    MapOf asia(2035, 9, MapRange::asia);
    asia.draw();
    EXPECT_NE(asia.textAt(30, 32), nullptr);
    EXPECT_EQ(asia.textAt(30, 48)->text, "CENTRAL TOTAL ECLIPSE");
    EXPECT_FALSE(asia.hasText("CANON OF SOLAR ECLIPSE"));
    EXPECT_FALSE(asia.hasText("東京")) << "magnification 2.7: no city labels";

    MapOf zoomed(2035, 9, MapRange::centred);
    zoomed.view.centreLon = 139.7;
    zoomed.view.centreLat = 35.7;
    zoomed.layout.baseRadius = 340; // the whole-globe radius of the window
    zoomed.layout.mapRadius = zoomed.layout.baseRadius * 12;
    zoomed.draw();
    EXPECT_TRUE(zoomed.hasText("東京"));
    // Place and city names lie within the frame and never on each other.
    std::vector<LabelBox> names;
    const LabelBox frame{zoomed.layout.mapLeft, zoomed.layout.mapTop, zoomed.layout.mapRight,
                         zoomed.layout.mapBottom};
    for (const RecordedText& t : zoomed.surface.texts) {
        if (!(t.colour == Rgb{255, 255, 191}))
            continue;
        zoomed.surface.selectFont(t.font);
        const TextSize size = zoomed.surface.textSize(t.text);
        const LabelBox box{t.x, t.y, t.x + size.width, t.y + size.height};
        EXPECT_TRUE(boxWithin(box, frame)) << t.text;
        for (const LabelBox& other : names)
            EXPECT_FALSE(boxesOverlap(box, other)) << t.text;
        names.push_back(box);
    }
    EXPECT_GE(names.size(), 10u);
}

// The observer's place is marked and named on the globe, regional or whole, and on Mercator's
// map; the city table does not name it a second time.
TEST(PathMap, ObserversPlaceIsMarkedOnEveryMap) {
    const MarkedPlace dallas{-96.8, 32.78, "96.8° W, 32.78° N"};
    for (const Projection projection : {Projection::globe, Projection::mercator})
        for (const MapRange range : {MapRange::globe, MapRange::centred}) {
            MapOf map(2024, 4, range);
            map.view.projection = projection;
            map.view.centreLon = -97;
            map.view.centreLat = 33;
            map.view.magnification = 12;
            map.layout = layoutView(map.view, 1000, 700);
            map.draw(std::nullopt, dallas);
            const ViewPixel at = viewPixel(map.canvas, dallas.lon, dallas.lat);
            ASSERT_TRUE(at.visible);
            EXPECT_TRUE(map.hasText(dallas.name));
            const auto ring = std::ranges::find_if(map.surface.shapes, [&](const RecordedShape& s) {
                return s.left < at.x && s.right > at.x && s.top < at.y && s.bottom > at.y &&
                       !s.brush.hollow && s.brush.colour == palette[cyan];
            });
            EXPECT_NE(ring, map.surface.shapes.end());
        }
    MapOf none(2024, 4, MapRange::centred);
    none.draw();
    EXPECT_FALSE(none.hasText(dallas.name));
}

// The legend names the colours of the eclipse's own curves; the labels of the curves of equal
// time sit on the curve of that UT.
TEST(PathMap, LegendAndCurveLabels) {
    // On the whole globe by default, in the corner below the text panel, naming the rings too;
    // none when asked for none.
    MapOf globe(2024, 4);
    globe.draw();
    EXPECT_TRUE(globe.hasText("Central line")) << "a legend on the whole globe by default";
    // in the view of a window of the size it first opens at (700 x 600, menus and status bar
    // taken) as in a picture of 1000 x 700
    for (const auto& [width, height] : {std::pair{700, 520}, {1000, 700}}) {
        RecordingSurface surface(width, height);
        const MapLayout layout = layoutView(globe.view, width, height);
        MapCanvas canvas{surface, globe.projection, globe.view, layout};
        const LabelBox box = legendBox(canvas, legendEntries(typeTotal, 0));
        EXPECT_EQ(box.left, panelMargin) << width << " x " << height;
        EXPECT_GT(box.top, panelBottom);
        EXPECT_LE(box.bottom, height);
    }
    EXPECT_TRUE(globe.hasText("Greatest eclipse, first and last contacts"));
    MapOf none(2024, 4);
    none.view.legend = MapLegend::never;
    none.draw();
    EXPECT_FALSE(none.hasText("Central line"));
    EXPECT_FALSE(none.hasText("0.2") || none.hasText("0.4")) << "nor the curves' labels";

    MapOf map(2024, 4);
    map.draw();
    EXPECT_TRUE(map.hasText("Central line"));
    EXPECT_TRUE(map.hasText("Limits of totality"));
    EXPECT_FALSE(map.hasText("Limits of annularity"));
    EXPECT_TRUE(map.hasText("0.2") || map.hasText("0.4") || map.hasText("0.6"));
    int timeLabels = 0;
    for (const SameTimeCurve& curve : map.geometry.sameTimeCurves) {
        const double ut = map.catalog.record.t0 + curve.t - map.geometry.deltaT / 3600;
        char text[8];
        std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(std::floor(ut)),
                      static_cast<int>(std::lround((ut - std::floor(ut)) * 60)));
        for (const auto& t : map.surface.texts) {
            if (t.text != text)
                continue;
            ++timeLabels;
            double nearest = 1e9;
            for (const TracedPoint& p : curve.points) {
                const ViewPixel at = viewPixel(map.canvas, p.lon, p.lat);
                if (p.found && at.visible)
                    nearest = std::min(nearest, std::hypot(at.x - t.x, at.y - t.y));
            }
            EXPECT_LT(nearest, 30) << text;
        }
    }
    EXPECT_GE(timeLabels, 3);

    MapOf annular(2023, 10);
    annular.view.legend = MapLegend::always;
    annular.draw();
    EXPECT_TRUE(annular.hasText("Limits of annularity"));
    EXPECT_FALSE(annular.hasText("Limits of totality"));
    MapOf partial(2025, 3);
    partial.view.legend = MapLegend::always;
    partial.draw();
    EXPECT_FALSE(partial.hasText("Central line"));
    EXPECT_TRUE(partial.hasText("Eclipse at sunrise/sunset"));
}

// The central path shaded: pixels of the limits' colour along the central line, each within the
// path's half width (100 km, 5 pixels on the whole globe) of it.
TEST(PathMap, CentralPathFilled) {
    MapOf plain(2024, 4), filled(2024, 4);
    filled.view.fillCentralPath = true;
    plain.draw();
    filled.draw();
    const int shaded = filled.pixelsOf(rose) - plain.pixelsOf(rose);
    EXPECT_GT(shaded, 500);
    std::vector<ViewPixel> line;
    for (const auto& piece : filled.geometry.centralLine)
        for (const auto& p : piece)
            if (const ViewPixel at = viewPixel(filled.canvas, p.lon, p.lat); at.visible)
                line.push_back(at);
    int checked = 0;
    for (std::size_t i = 0; i < filled.surface.pixels.size(); i += 37) {
        const auto& [at, colour] = filled.surface.pixels[i];
        if (!(colour == palette[rose]))
            continue;
        double nearest = 1e9;
        for (const ViewPixel& l : line)
            nearest = std::min(nearest, std::hypot(at.x - l.x, at.y - l.y));
        EXPECT_LT(nearest, 9) << at.x << "," << at.y;
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

// The band of Delta T's uncertainty labels its two edges where they lie apart, the second moved
// clear of the first where they would overlap (Babylon, 10 BC June 30, on a map of the Near
// East, where the two labels once ran into each other); the legend names it.
TEST(PathMap, DeltaTBandLabelsStandApart) {
    MapOf near(-9, 6, MapRange::centred);
    near.view.centreLon = 45;
    near.view.centreLat = 33;
    near.view.magnification = 3;
    near.view.legend = MapLegend::always;
    near.geometry = tracePathGeometry(near.catalog.record, near.deltaT(), near.view.drawStepHours);
    const double sigma = deltaTSigma(near.catalog.record.year);
    const DeltaTBandLayer band = deltaTBandLayer(near.geometry, near.deltaT(), sigma, 2);
    drawPathMap(near.canvas, {near.catalog.record, std::nullopt, near.geometry, near.cities,
                              near.relief, near.paths, &band});
    std::vector<LabelBox> boxes;
    for (const RecordedText& t : near.surface.texts) {
        if (t.text.rfind("ΔT ", 0) != 0)
            continue;
        const TextSize size = near.surface.textSize(t.text);
        boxes.push_back({t.x, t.y, t.x + size.width, t.y + size.height});
        EXPECT_TRUE(boxWithin(boxes.back(), {near.layout.mapLeft, near.layout.mapTop,
                                             near.layout.mapRight, near.layout.mapBottom}))
            << t.text;
    }
    ASSERT_EQ(boxes.size(), 2u) << "one label for each edge of the band";
    EXPECT_FALSE(boxesOverlap(boxes[0], boxes[1]));
    EXPECT_TRUE(near.hasText("Path if ΔT is within ±2σ"));
}

// The shadow at an instant: the umbra's outline centred on the central line's point of that
// instant (two tracers, to 0.05 degrees), the umbra filled about that point on the map, the
// instant in UT, and the shadow's ground speed and direction.
TEST(PathMap, ShadowAtAnInstant) {
    for (const double ut : {18.0, 18.5, 19.0}) {
        MapOf map(2024, 4);
        map.view.shadowAt = ShadowInstant{ut, false};
        map.draw();
        const EclipseRecord& r = map.catalog.record;
        const double deltaT = map.geometry.deltaT;
        const double t = shadowHours(r, *map.view.shadowAt, deltaT);
        EXPECT_NEAR(t, ut + deltaT / 3600 - r.t0, 1e-6);
        const TracedPoint centre = centralLinePoint(evaluateElements(r, t), deltaT);
        ASSERT_TRUE(centre.found);
        double lon = 0, lat = 0;
        const std::vector<TracedPoint> umbra = shadowOutline(r, t, deltaT, ShadowCone::umbra);
        for (const TracedPoint& p : umbra) {
            lon += p.lon / static_cast<double>(umbra.size());
            lat += p.lat / static_cast<double>(umbra.size());
        }
        EXPECT_NEAR(lon, centre.lon, 0.05) << ut;
        EXPECT_NEAR(lat, centre.lat, 0.05) << ut;
        // the fill's pixels about the centre's pixel
        const ViewPixel at = viewPixel(map.canvas, centre.lon, centre.lat);
        double x = 0, y = 0;
        int filled = 0;
        for (const auto& [p, colour] : map.surface.pixels)
            if (colour == (Rgb{24, 24, 24})) {
                x += p.x;
                y += p.y;
                ++filled;
            }
        ASSERT_GT(filled, 10) << ut;
        EXPECT_NEAR(x / filled, at.x, 2) << ut;
        EXPECT_NEAR(y / filled, at.y, 2) << ut;
        char clock[16];
        std::snprintf(clock, sizeof clock, "%02d:%02d:00 UT", static_cast<int>(ut),
                      static_cast<int>((ut - std::floor(ut)) * 60));
        EXPECT_TRUE(map.hasText(clock)) << clock;
        // over North America the shadow runs north-east at 0.6 to 0.9 km/s (2,200-3,200 km/h)
        const auto motion = shadowMotion(r, t, deltaT);
        ASSERT_TRUE(motion.has_value());
        EXPECT_GT(motion->kmPerSecond, 0.5) << ut;
        EXPECT_LT(motion->kmPerSecond, 1.2) << ut;
        EXPECT_GT(motion->bearing, 0) << "north-east over North America";
        EXPECT_LT(motion->bearing, 90);
    }
    MapOf plain(2024, 4);
    plain.draw();
    EXPECT_FALSE(plain.hasText("18:30:00 UT")) << "no shadow unless asked for";
}

TEST(PathMap, NoCurvesForAStepThatIsNotPositive) {
    MapOf map(2024, 4);
    map.view.drawStepHours = 0;
    map.draw();
    EXPECT_EQ(map.pixelsOf(rose), 0);
    EXPECT_TRUE(map.hasText("CANON OF SOLAR ECLIPSE"));
}

TEST(PathMap, CurvesEndWithinAnyRealEclipsesSpan) {
    EXPECT_EQ(curveSteps(-2.5, 2.5, 0.1), 50) << "a real eclipse: every step to the last contact";
    EXPECT_EQ(curveSteps(0, 1e6, 0.1), 90);
    EXPECT_EQ(curveSteps(1e15, 1e16, 0.01), 900) << "a time too large to advance by a step";
    EXPECT_LE(curveSteps(0, std::nan(""), 0.01), 900);
    EXPECT_EQ(curveSteps(0, 5, 0), -1);
    EXPECT_EQ(curveSteps(0, 5, std::nan("")), -1);
}
