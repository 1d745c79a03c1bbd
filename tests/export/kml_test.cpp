// SPDX-License-Identifier: GPL-3.0-or-later
// The KML documents of an eclipse's path geometry, written from the committed catalog and read
// back as an XML parser reads them.
#include "angles.h"
#include "kml.h"
#include "path_tracers.h"
#include "save_files.h"
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

// Writes the KML documents of an eclipse into a scratch folder and returns their texts.
struct KmlRun {
    ScratchDir out;
    SaveFileSink files;
    std::string earth, path;
    bool written = false;
    std::string failure;

    KmlRun(double year, double month, DataPaths headerPaths = {{sourceDataDir()}},
           const KmlBand& extras = {}) {
        const CatalogEclipse eclipse(year, month);
        const EclipseRecord& r = eclipse.catalog.record;
        const ExportOutcome kml =
            writeKmlDocuments(r, tracePathGeometry(r, eclipse.deltaT, kmlStepHours), headerPaths,
                              out.path(), files, extras);
        written = !kml.documents.empty();
        failure = kml.failure;
        const std::string code =
            exportFileStem(static_cast<int>(r.year), static_cast<int>(r.month));
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

TEST(Kml, FileStemsBeginWithADigitInEveryEra) {
    EXPECT_EQ(exportFileStem(2035, 9), "203509");
    EXPECT_EQ(exportFileStem(12, 1), "1201");
    EXPECT_EQ(exportFileStem(-762, 6), "0763BC-06");
    EXPECT_EQ(exportFileStem(0, 12), "0001BC-12");
    EXPECT_EQ(exportFileStem(-12999, 1), "13000BC-01");
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

// The limits corrected for the lunar limb follow the other placemarks in both documents, one
// line a side, limit and piece of two points or more; the documents stay well formed.
TEST(Kml, CorrectedLimitsAreNamedLines) {
    CorrectedLimits limits;
    limits.sunRadiusKm = 696000;
    limits.interior[0] = {{{-84.5, 40.9, 0.1}, {-84.0, 41.2, 0.15}}};
    limits.exterior[0] = {{{-84.6, 40.95, 0.1}, {-84.1, 41.25, 0.15}}};
    limits.interior[1] = {{{-84.0, 39.6, 0.1}}, {{-83.5, 39.9, 0.2}, {-83.0, 40.2, 0.25}}};
    const KmlRun plain(2024, 4);
    KmlRun run(2024, 4, {{sourceDataDir()}}, {nullptr, "", &limits});
    ASSERT_TRUE(run.written) << run.failure;
    for (const std::string* text : {&run.path, &run.earth}) {
        EXPECT_TRUE(run.wellFormed(*text));
        EXPECT_EQ(count(*text, "<name>North limit, limb-corrected (interior)</name>"), 1);
        EXPECT_EQ(count(*text, "<name>North limit, limb-corrected (exterior)</name>"), 1);
        EXPECT_EQ(count(*text, "<name>South limit, limb-corrected (interior)</name>"), 1);
        EXPECT_EQ(count(*text, "limb-corrected (exterior)"), 1);
    }
    const std::string ending = "\n</Document>\n</kml>\n";
    EXPECT_EQ(run.path.compare(0, plain.path.size() - ending.size(), plain.path, 0,
                               plain.path.size() - ending.size()),
              0)
        << "the other placemarks as before, first";
    EXPECT_NE(run.path.find(" -0084.000000,00041.200000,0.0\n"), std::string::npos);
    EXPECT_NE(run.path.find("solar radius 696000 km; for observers at sea level."),
              std::string::npos);
    limits.heights = GroundHeightSource::reliefGrid;
    const KmlRun onGround(2024, 4, {{sourceDataDir()}}, {nullptr, "", &limits});
    EXPECT_EQ(count(onGround.path, "for observers on the ground (relief grid)."), 3);
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
