// The eclipse map composition and its KML documents, drawn on a recording surface from the
// committed catalog.
#include "kml.h"
#include "palette.h"
#include "path_map.h"
#include "recording_surface.h"
#include "redraw_pipeline.h"
#include "test_support.h"
#include "timescales.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace vesk;
using namespace vesk::testing;

namespace {

struct MapOf {
    Catalog catalog;
    EclipseState eclipse;
    CityTable cities;
    ReliefData relief;
    DataPaths paths{{sourceDataDir()}};
    RecordingSurface surface;
    MapProjection projection;
    ViewState view;
    MapCanvas canvas{surface, projection, view};

    MapOf(double year, double month, int mapRange = 0) {
        catalog.paths = paths;
        eclipse.record = &catalog.record;
        EXPECT_EQ(catalogFind(catalog, 0, year, month), 1);
        view.year = catalog.record.year;
        view.month = catalog.record.month;
        view.mapRange = mapRange;
        loadEclipseSummary(eclipse);
        loadCityTable(cities, paths);
        view.useCiaMap = 0; // the base data are tested on their own
        layoutView(view, 1000, 700);
        resetProjection(projection, view, mapRange);
    }

    void draw(PathMapObserver* observer = nullptr) {
        PathMapInputs inputs{eclipse, catalog.record, cities, relief, paths};
        drawPathMap(canvas, inputs, observer);
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
    EXPECT_NEAR(map.eclipse.greatestLat, 25.29, 0.02);
    EXPECT_NEAR(map.eclipse.greatestLon, -104.14, 0.02);
    EXPECT_NEAR(-map.projection.rotationLat, 25.29, 0.02);
    // The curves in their colours: central line red, limits rose, partial curves yellow,
    // sunrise/sunset green; the progress read-out is blanked at the end.
    EXPECT_GT(map.pixelsOf(red), 100);
    EXPECT_GT(map.pixelsOf(rose), 100);
    EXPECT_GT(map.pixelsOf(yellow), 1000);
    EXPECT_GT(map.pixelsOf(green), 100);
    EXPECT_EQ(map.surface.texts.back().text, "         ");
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
    MapOf asia(2035, 9, 1);
    asia.draw();
    EXPECT_NE(asia.textAt(30, 32), nullptr);
    EXPECT_EQ(asia.textAt(30, 48)->text, "CENTRAL TOTAL ECLIPSE");
    EXPECT_FALSE(asia.hasText("CANON OF SOLAR ECLIPSE"));
    EXPECT_FALSE(asia.hasText("東京")) << "magnification 2.7: no city labels";

    MapOf zoomed(2035, 9, 3);
    zoomed.view.centreLon = 139.7;
    zoomed.view.centreLat = 35.7;
    zoomed.view.baseRadius = 340; // the whole-globe radius of the window
    zoomed.view.mapScale = zoomed.view.baseRadius * 12;
    zoomed.draw();
    EXPECT_TRUE(zoomed.hasText("東京"));
}

TEST(PathMap, NoCurvesForAStepThatIsNotPositive) {
    MapOf map(2024, 4);
    map.view.drawStepHours = 0;
    map.draw();
    EXPECT_EQ(map.pixelsOf(rose), 0);
    EXPECT_TRUE(map.hasText("CANON OF SOLAR ECLIPSE"));
}

namespace {

// Draws a map with the KML pass into a scratch folder and returns the documents' texts.
struct KmlRun {
    ScratchDir out;
    std::string earth, path;
    bool written = false;
    std::string failure;

    KmlRun(double year, double month, DataPaths headerPaths = {{sourceDataDir()}}) {
        MapOf map(year, month);
        KmlPass kml(map.catalog.record, headerPaths, out.path());
        map.draw(&kml);
        written = kml.written();
        failure = kml.failure();
        const auto files = kml.documents();
        earth = readFile(files[0]);
        path = readFile(files[1]);
    }

    bool wellFormed(const std::string& text) const {
        const std::filesystem::path file = out.path() / "check.kml";
        std::ofstream(file) << text;
        return runProgram("/usr/bin/xmllint", {"--noout", file.string()}, out.path()).status == 0;
    }
};

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
    EXPECT_NE(run.earth.find("Curve at same time Line"), std::string::npos);
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
    EXPECT_EQ(count(dateLine.path, "Total Eclipse Shadow(East)"), 1);
    EXPECT_EQ(count(dateLine.path, "Total Eclipse Shadow(West)"), 1);

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
