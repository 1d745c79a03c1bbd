// SPDX-License-Identifier: GPL-3.0-or-later
// The GeoJSON document of an eclipse path and the shadow's outline on the ground, read back as a
// GIS tool would: valid JSON, longitudes within +-180, no segment across the antimeridian, and
// places inside or outside the polygons where the path puts them.
#include "geojson.h"
#include "parsed_output.h"
#include "path_tracers.h"
#include "test_support.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

using namespace vesk;

namespace {

// Whether a point lies inside a closed ring (ray casting).
bool inside(const std::vector<LonLat>& ring, double lon, double lat) {
    bool in = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const auto [xi, yi] = ring[i];
        const auto [xj, yj] = ring[j];
        if ((yi > lat) != (yj > lat) && lon < (xj - xi) * (lat - yi) / (yj - yi) + xi)
            in = !in;
    }
    return in;
}

std::vector<LonLat> ringOf(const QJsonArray& positions) {
    std::vector<LonLat> ring;
    for (const QJsonValue& p : positions)
        ring.push_back({p.toArray()[0].toDouble(), p.toArray()[1].toDouble()});
    return ring;
}

struct PathDocument {
    Catalog catalog;
    PathGeometry geometry;
    QJsonObject document;

    PathDocument(int year, int month) {
        catalog.paths = DataPaths{{vesk::testing::sourceDataDir()}};
        EXPECT_EQ(catalogFind(catalog, year, month), std::nullopt);
        geometry = tracePathGeometry(catalog.record, recordDeltaT(catalog.record), 0.02);
        const std::string text = pathGeoJson(catalog.record, geometry);
        QJsonParseError error;
        document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error).object();
        EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    }

    // The lines and rings of every feature, as lists of positions.
    std::vector<std::pair<std::string, std::vector<LonLat>>> parts() const {
        std::vector<std::pair<std::string, std::vector<LonLat>>> all;
        for (const QJsonValue& f : document["features"].toArray()) {
            const QJsonObject geometry = f.toObject()["geometry"].toObject();
            const std::string curve =
                f.toObject()["properties"].toObject()["curve"].toString().toStdString();
            const QJsonArray coordinates = geometry["coordinates"].toArray();
            const bool polygon = geometry["type"].toString() == QStringLiteral("MultiPolygon");
            for (const QJsonValue& part : coordinates) {
                if (polygon) {
                    for (const QJsonValue& ring : part.toArray())
                        all.push_back({curve, ringOf(ring.toArray())});
                } else {
                    all.push_back({curve, ringOf(part.toArray())});
                }
            }
        }
        return all;
    }
};

} // namespace

TEST(GeoJson, LinesCutAtTheAntimeridian) {
    const auto parts = cutLineAtAntimeridian({{170, 10}, {-170, 20}, {-160, 20}});
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].back(), (LonLat{180, 15}));
    EXPECT_EQ(parts[1].front(), (LonLat{-180, 15}));
    EXPECT_EQ(parts[1].back(), (LonLat{-160, 20}));
    EXPECT_EQ(cutLineAtAntimeridian({{-10, 0}, {10, 0}}).size(), 1u);
}

// 2024 April 8 (Dallas in the path, Houston south of it) and 2009 July 22 (whose shadow crosses
// the antimeridian over the Pacific).
TEST(GeoJson, PathDocumentsReadBackAsGisToolsReadThem) {
    for (const auto& [year, month] : {std::pair{2024, 4}, std::pair{2009, 7}}) {
        const PathDocument path(year, month);
        EXPECT_EQ(path.document["type"].toString(), QStringLiteral("FeatureCollection"));
        int crossing = 0, beyond = 0, polygons = 0;
        for (const auto& [curve, points] : path.parts()) {
            for (std::size_t i = 0; i < points.size(); ++i) {
                beyond += std::fabs(points[i].first) > 180 || std::fabs(points[i].second) > 90;
                crossing += i > 0 && std::fabs(points[i].first - points[i - 1].first) > 180;
            }
            polygons += curve == "central path";
        }
        EXPECT_EQ(beyond, 0) << year;
        EXPECT_EQ(crossing, 0) << year;
        EXPECT_GE(polygons, 1) << year;
    }
    const PathDocument april(2024, 4);
    bool dallas = false, houston = false;
    for (const auto& [curve, ring] : april.parts()) {
        if (curve != "central path")
            continue;
        dallas = dallas || inside(ring, -96.797, 32.777);
        houston = houston || inside(ring, -95.369, 29.760);
    }
    EXPECT_TRUE(dallas);
    EXPECT_FALSE(houston);
}

// At Dallas's maximum (18:42:39 UT) the umbra's outline holds Dallas; 2 degrees of latitude
// south of it lies outside the umbra (about 100 km wide there) but inside the penumbra.
TEST(GeoJson, ShadowOutlineHoldsThePlaceOfTotality) {
    Catalog catalog;
    catalog.paths = DataPaths{{vesk::testing::sourceDataDir()}};
    ASSERT_EQ(catalogFind(catalog, 2024, 4), std::nullopt);
    const double deltaT = recordDeltaT(catalog.record);
    const double t = 18 + 42.0 / 60 + 39.0 / 3600 + deltaT / 3600 - catalog.record.t0;
    const auto ringAt = [&](ShadowCone cone) {
        std::vector<LonLat> ring;
        for (const TracedPoint& p : shadowOutline(catalog.record, t, deltaT, cone))
            ring.push_back({p.lon, p.lat});
        return ring;
    };
    const std::vector<LonLat> umbra = ringAt(ShadowCone::umbra),
                              penumbra = ringAt(ShadowCone::penumbra);
    ASSERT_GE(umbra.size(), 100u);
    EXPECT_TRUE(inside(umbra, -96.797, 32.777));
    EXPECT_FALSE(inside(umbra, -96.797, 30.777));
    EXPECT_TRUE(inside(penumbra, -96.797, 30.777));
    // the cone misses the Earth long after the last contact
    EXPECT_TRUE(shadowOutline(catalog.record, 6, deltaT, ShadowCone::penumbra).empty());
}

// The limits corrected for the lunar limb follow the other features, one named feature a side
// and limit, with what they were computed with; a document without them is the same as before.
TEST(GeoJson, CorrectedLimitsAreNamedFeatures) {
    const PathDocument plain(2024, 4);
    CorrectedLimits limits;
    limits.sunRadiusKm = 696229;
    limits.interior[0] = {{{-84.5, 40.9, 0.1}, {-84.0, 41.2, 0.15}}};
    limits.exterior[0] = {{{-84.6, 40.95, 0.1}, {-84.1, 41.25, 0.15}}};
    limits.interior[1] = {{{-84.0, 39.6, 0.1}}, {{-83.5, 39.9, 0.2}, {-83.0, 40.2, 0.25}}};
    const std::string text = pathGeoJson(plain.catalog.record, plain.geometry, &limits);
    const std::string before = pathGeoJson(plain.catalog.record, plain.geometry);
    const std::string features = "\n]}\n";
    ASSERT_EQ(text.compare(0, before.size() - features.size(), before, 0,
                           before.size() - features.size()),
              0)
        << "the other features unchanged, first";
    const QJsonArray all =
        QJsonDocument::fromJson(QByteArray::fromStdString(text)).object()["features"].toArray();
    std::map<std::string, QJsonObject> named;
    for (const QJsonValue& f : all)
        if (f.toObject()["properties"].toObject()["curve"].toString() == "limb-corrected limit")
            named[f.toObject()["properties"].toObject()["name"].toString().toStdString()] =
                f.toObject();
    ASSERT_EQ(named.size(), 3u) << "the south side has no exterior limit here";
    const QJsonObject north = named["North limit, limb-corrected (interior)"];
    EXPECT_EQ(north["properties"].toObject()["solar_radius_km"].toDouble(), 696229);
    EXPECT_EQ(north["properties"].toObject()["lunar_grid"].toString(), "LRO LOLA (LRO.dat)");
    EXPECT_EQ(north["properties"].toObject()["height_source"].toString(), "sea level");
    limits.heights = GroundHeightSource::reliefGrid;
    const QJsonArray relief = vesk::testing::parsedJson(pathGeoJson(
        plain.catalog.record, plain.geometry, &limits))["features"]
                                  .toArray();
    EXPECT_EQ(relief.last()["properties"]["height_source"].toString(), "relief grid");
    EXPECT_EQ(north["geometry"]
                  .toObject()["coordinates"]
                  .toArray()[0]
                  .toArray()[1]
                  .toArray()[1]
                  .toDouble(),
              41.2);
    EXPECT_TRUE(named.contains("North limit, limb-corrected (exterior)"));
    EXPECT_EQ(named["South limit, limb-corrected (interior)"]["geometry"]
                  .toObject()["coordinates"]
                  .toArray()
                  .size(),
              1)
        << "one line a piece of two points or more";
}
