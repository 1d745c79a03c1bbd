// SPDX-License-Identifier: GPL-3.0-or-later
// The eclipse map composition and its KML documents, drawn on a recording surface from the
// committed catalog.
#include "angles.h"
#include "kml.h"
#include "palette.h"
#include "path_map.h"
#include "path_tracers.h"
#include "recording_surface.h"
#include "redraw_pipeline.h"
#include "save_files.h"
#include "shadow_elements.h"
#include "shadow_layer.h"
#include "test_support.h"
#include "timescales.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
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
    ViewState view;
    MapCanvas canvas{surface, projection, view};

    MapOf(double year, double month, MapRange mapRange = MapRange::globe) {
        catalog.paths = paths;
        EXPECT_EQ(catalogFind(catalog, year, month), 1);
        view.year = catalog.record.year;
        view.month = catalog.record.month;
        view.mapRange = mapRange;
        IgnoredFiles ignored;
        loadCityTable(cities, paths, ignored);
        view.baseMap = BaseMapKind::none; // the base data are tested on their own
        layoutView(view, 1000, 700);
        resetProjection(projection, view, mapRange);
    }

    PathGeometry geometry;

    double deltaT() const { return recordDeltaT(catalog.record) + view.deltaTAdjust; }
    void draw() {
        geometry = tracePathGeometry(catalog.record, deltaT(), view.drawStepHours);
        drawPathMap(canvas, {catalog.record, std::nullopt, geometry, cities, relief, paths});
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
    zoomed.view.baseRadius = 340; // the whole-globe radius of the window
    zoomed.view.mapScale = zoomed.view.baseRadius * 12;
    zoomed.draw();
    EXPECT_TRUE(zoomed.hasText("東京"));
    // Place and city names lie within the frame and never on each other.
    std::vector<LabelBox> names;
    const LabelBox frame{zoomed.view.mapLeft, zoomed.view.mapTop, zoomed.view.mapRight,
                         zoomed.view.mapBottom};
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

// The legend names the colours of the eclipse's own curves; the labels of the curves of equal
// time sit on the curve of that UT.
TEST(PathMap, LegendAndCurveLabels) {
    MapOf globe(2024, 4);
    globe.draw();
    EXPECT_FALSE(globe.hasText("Central line")) << "no legend on the whole globe by default";

    MapOf map(2024, 4);
    map.view.legend = MapLegend::always;
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

namespace {

// Writes the KML documents of an eclipse into a scratch folder and returns their texts.
struct KmlRun {
    ScratchDir out;
    SaveFileSink files;
    std::string earth, path;
    bool written = false;
    std::string failure;

    KmlRun(double year, double month, DataPaths headerPaths = {{sourceDataDir()}}) {
        MapOf map(year, month);
        const EclipseRecord& r = map.catalog.record;
        const KmlOutcome kml = writeKmlDocuments(
            r, tracePathGeometry(r, map.deltaT(), kmlStepHours), headerPaths, out.path(), files);
        written = !kml.documents.empty();
        failure = kml.failure;
        const std::string code =
            std::to_string(kmlFileCode(static_cast<int>(r.year), static_cast<int>(r.month)));
        earth = readFile(out.path() / (code + "_earth.kml"));
        path = readFile(out.path() / (code + ".kml"));
    }

    bool wellFormed(const std::string& text) const {
        const std::filesystem::path file = out.path() / "check.kml";
        std::ofstream(file) << text;
        return runProgram("/usr/bin/xmllint", {"--noout", file.string()}, out.path()).status == 0;
    }
};

// The placemarks of a KML document as an XML parser reads them: name and points.
struct Placemark {
    std::string name;
    std::vector<KmlPoint> points;
};

std::vector<Placemark> parseKml(const std::string& text) {
    std::vector<Placemark> placemarks;
    QXmlStreamReader xml(QByteArray::fromStdString(text));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("Placemark"))
            placemarks.emplace_back();
        else if (xml.isStartElement() && xml.name() == QLatin1String("name") && !placemarks.empty())
            placemarks.back().name = xml.readElementText().toStdString();
        else if (xml.isStartElement() && xml.name() == QLatin1String("coordinates")) {
            for (const QString& word :
                 xml.readElementText().split(QRegularExpression("\\s+"), Qt::SkipEmptyParts)) {
                const QStringList values = word.split(',');
                if (values.size() == 3)
                    placemarks.back().points.push_back(
                        {values[0].toDouble(), values[1].toDouble(), values[2].toDouble()});
            }
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return placemarks;
}

const Placemark* findPlacemark(const std::vector<Placemark>& placemarks, const std::string& name) {
    for (const Placemark& p : placemarks)
        if (p.name == name)
            return &p;
    return nullptr;
}

int count(const std::string& text, const std::string& word) {
    int n = 0;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++n;
    return n;
}

} // namespace

TEST(Kml, FileCodes) {
    EXPECT_EQ(kmlFileCode(2035, 9), 203509);
    EXPECT_EQ(kmlFileCode(-100, 5), -10005);
}

TEST(Kml, TotalEclipseDocuments) {
    KmlRun run(2024, 4);
    ASSERT_TRUE(run.written) << run.failure;
    EXPECT_TRUE(run.wellFormed(run.earth));
    EXPECT_TRUE(run.wellFormed(run.path));
    EXPECT_EQ(count(run.path, "<Placemark>"), 4);
    EXPECT_EQ(count(run.path, "<name>Total Eclipse Shadow</name>"), 1);
    EXPECT_NE(run.path.find("<name>Eclipse   2024/04/08</name>"), std::string::npos);
    EXPECT_NE(run.path.find("  <styleUrl>#redLinePoly</styleUrl>"), std::string::npos);
    EXPECT_GT(count(run.earth, "<Placemark>"), 20);
    EXPECT_NE(run.earth.find("Curve of same time Line"), std::string::npos);
    EXPECT_NE(run.earth.find(",3.0\n"), std::string::npos) << "points of equal time";
    // The central line passes the point of greatest eclipse (25.3 N, 104.1 W).
    std::istringstream lines(run.path.substr(run.path.find("<name>Central Line")));
    std::string line;
    double nearest = 1e9;
    while (std::getline(lines, line) && line != "</coordinates>") {
        double lon = 0, lat = 0;
        if (std::sscanf(line.c_str(), " %lf,%lf", &lon, &lat) == 2)
            nearest = std::min(nearest, std::hypot(lon + 104.14, lat - 25.29));
    }
    EXPECT_LT(nearest, 0.15);
}

TEST(Kml, PathAcrossTheDateLineAndPartialEclipses) {
    KmlRun dateLine(2009, 7); // 2009 July 22: India to the central Pacific
    ASSERT_TRUE(dateLine.written);
    EXPECT_TRUE(dateLine.wellFormed(dateLine.path));
    // The shadow is cut exactly at the meridian into two closed rings that meet there: each
    // crossing latitude is in both.
    const std::vector<Placemark> placemarks = parseKml(dateLine.path);
    const Placemark* east = findPlacemark(placemarks, "Total Eclipse Shadow(East)");
    const Placemark* west = findPlacemark(placemarks, "Total Eclipse Shadow(West)");
    ASSERT_TRUE(east != nullptr && west != nullptr);
    EXPECT_EQ(findPlacemark(placemarks, "Total Eclipse Shadow"), nullptr);
    std::vector<double> eastCuts, westCuts;
    for (const auto& [ring, sign, cuts] : {std::tuple{east, 1, &eastCuts}, {west, -1, &westCuts}}) {
        ASSERT_GT(ring->points.size(), 3u);
        EXPECT_EQ(ring->points.front().lon, ring->points.back().lon) << "closed";
        EXPECT_EQ(ring->points.front().lat, ring->points.back().lat) << "closed";
        for (std::size_t i = 0; i + 1 < ring->points.size(); ++i) {
            const KmlPoint& p = ring->points[i];
            EXPECT_TRUE(sign > 0 ? p.lon >= 0 && p.lon <= 180 : p.lon >= -180 && p.lon < 0);
            if (std::fabs(p.lon) == 180)
                cuts->push_back(p.lat);
        }
        std::sort(cuts->begin(), cuts->end());
    }
    ASSERT_EQ(eastCuts.size(), 2u);
    EXPECT_EQ(eastCuts, westCuts);
    // The cuts lie on the limits' own crossing of the meridian: between their neighbours.
    EXPECT_GT(eastCuts[1] - eastCuts[0], 1.5) << "the path is some 250 km wide there";

    // Every line has two points at least, and no join line is written twice.
    std::set<std::pair<std::pair<double, double>, std::pair<double, double>>> joins;
    for (const Placemark& p : parseKml(dateLine.earth)) {
        EXPECT_GE(p.points.size(), 2u) << p.name;
        if (p.points.size() != 2)
            continue;
        const std::pair a{p.points[0].lon, p.points[0].lat}, b{p.points[1].lon, p.points[1].lat};
        EXPECT_TRUE(joins.insert(a < b ? std::pair{a, b} : std::pair{b, a}).second)
            << p.name << " twice";
    }

    KmlRun partial(2025, 3);
    ASSERT_TRUE(partial.written);
    EXPECT_TRUE(partial.wellFormed(partial.earth));
    EXPECT_TRUE(partial.path.empty()) << "no path document for a partial eclipse";
    EXPECT_EQ(count(partial.earth, "Shadow"), 0);
}

TEST(Kml, NoHeaderNoDocuments) {
    ScratchDir empty;
    KmlRun run(2024, 4, DataPaths{{empty.path()}});
    EXPECT_FALSE(run.written);
    EXPECT_NE(run.failure.find("echead.prn"), std::string::npos);
    EXPECT_TRUE(run.earth.empty());
    EXPECT_TRUE(run.path.empty());
    EXPECT_TRUE(std::filesystem::is_empty(run.out.path()));
}

// A ring cut at the meridian: the crossings are interpolated on the straight line across it.
TEST(Kml, RingSplitAtTheDateLine) {
    const std::vector<KmlPoint> square = {{170, 0, 0}, {-170, 0, 0}, {-170, 10, 0}, {170, 10, 0}};
    const auto pieces = splitRingAtDateLine(square);
    ASSERT_EQ(pieces.size(), 2u);
    const auto lonLat = [](const std::vector<KmlPoint>& ring) {
        std::vector<std::pair<double, double>> points;
        for (const KmlPoint& p : ring)
            points.emplace_back(p.lon, p.lat);
        return points;
    };
    using Points = std::vector<std::pair<double, double>>;
    EXPECT_EQ(lonLat(pieces[0]), (Points{{180, 10}, {170, 10}, {170, 0}, {180, 0}, {180, 10}}));
    EXPECT_EQ(lonLat(pieces[1]), (Points{{-180, 0}, {-170, 0}, {-170, 10}, {-180, 10}, {-180, 0}}));
    const std::vector<KmlPoint> slanted = {{175, 0, 0}, {-175, 10, 0}, {-175, 20, 0}, {175, 20, 0}};
    const auto cut = splitRingAtDateLine(slanted);
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_NEAR(cut[1].front().lat, 5, 1e-9) << "half way in longitude, half way in latitude";
    const auto whole = splitRingAtDateLine({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}});
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0].size(), 4u) << "closed";
}

TEST(Kml, LinesAreContinuous) {
    // One KML step is 36 s of the shadow's motion (72 s on the magnitude curves). Near sunrise
    // and sunset the ground speed rises steeply: the longest step of twelve eclipses from -1000
    // to 2035 is 17 degrees. A longer step is a jump between two curves.
    constexpr double longestStep = 25;
    for (const auto& [year, month] :
         {std::pair{2024, 4}, {2009, 7}, {2035, 9}, {2023, 10}, {2022, 10}, {-1000, 3}}) {
        KmlRun run(year, month);
        ASSERT_TRUE(run.written) << run.failure;
        for (const std::string* document : {&run.earth, &run.path}) {
            if (document->empty())
                continue; // a partial eclipse has no path document
            for (const Placemark& p : parseKml(*document)) {
                for (std::size_t i = 1; i < p.points.size(); ++i) {
                    const KmlPoint &a = p.points[i - 1], &b = p.points[i];
                    const double cosArc = std::sin(a.lat * degToRad) * std::sin(b.lat * degToRad) +
                                          std::cos(a.lat * degToRad) * std::cos(b.lat * degToRad) *
                                              std::cos((a.lon - b.lon) * degToRad);
                    EXPECT_LT(std::acos(std::clamp(cosArc, -1.0, 1.0)) * radToDeg, longestStep)
                        << year << "/" << month << " " << p.name << " point " << i;
                }
            }
        }
    }
}

// Each northern line of the KML documents lies north of its southern partner: the partial
// limits, the limits of each magnitude and the path's limits, for a total, an annular, a
// southern and a hybrid eclipse (the tracers' sides of the path's limits turn with the sign of
// L2).
TEST(Kml, NorthernLinesLieNorthOfTheirSouthernPartners) {
    const auto meanLatitude = [](const Placemark* p) {
        double sum = 0;
        for (const KmlPoint& point : p->points)
            sum += point.lat;
        return sum / static_cast<double>(p->points.size());
    };
    for (const auto& [year, month] : {std::pair{2024, 4}, {2023, 10}, {2019, 7}, {2023, 4}}) {
        KmlRun run(year, month);
        ASSERT_TRUE(run.written) << run.failure;
        const std::vector<Placemark> earth = parseKml(run.earth);
        int pairs = 0;
        for (const char* line :
             {"Partial Limit Line", "20pct. Partial Limit Line", "40pct. Partial Limit Line",
              "60pct. Partial Limit Line", "80pct. Partial Limit Line", "Limit Line"}) {
            const Placemark* north = findPlacemark(earth, std::string("North ") + line);
            const Placemark* south = findPlacemark(earth, std::string("South ") + line);
            if (north == nullptr || south == nullptr || north->points.empty() ||
                south->points.empty())
                continue;
            EXPECT_GT(meanLatitude(north), meanLatitude(south))
                << year << "/" << month << " " << line;
            ++pairs;
        }
        EXPECT_GE(pairs, 4) << year << "/" << month;
    }
}
