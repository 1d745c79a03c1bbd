// SPDX-License-Identifier: GPL-3.0-or-later
#include "geojson.h"

#include "json_values.h"
#include "kml.h"
#include "path_tracers.h"
#include "timescales.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

namespace vesk {

namespace {

// The outlines of the shadow: one every this many hours.
constexpr double outlineStepHours = 0.5;

// Positions to a micro-degree, about 0.1 m.
constexpr int positionDecimals = 6;

Json positions(const std::vector<LonLat>& points) {
    Json list = Json::array();
    for (const auto& [lon, lat] : points)
        list.push_back({roundedJson(lon, positionDecimals), roundedJson(lat, positionDecimals)});
    return list;
}

// Twice the signed area of a ring in degrees (positive counterclockwise).
double signedArea(const std::vector<LonLat>& ring) {
    double area = 0;
    for (std::size_t i = 0; i + 1 < ring.size(); ++i)
        area += ring[i].first * ring[i + 1].second - ring[i + 1].first * ring[i].second;
    return area;
}

// A MultiLineString of lines cut at the antimeridian; null when no part has two points.
Json multiLine(const std::vector<std::vector<LonLat>>& lines) {
    Json parts = Json::array();
    for (const auto& line : lines)
        for (const auto& part : cutLineAtAntimeridian(line))
            if (part.size() >= 2)
                parts.push_back(positions(part));
    if (parts.empty())
        return nullptr;
    return Json{{"type", "MultiLineString"}, {"coordinates", std::move(parts)}};
}

// A MultiPolygon of a ring cut at the antimeridian, each part closed and counterclockwise.
Json multiPolygon(const std::vector<LonLat>& ring) {
    if (ring.size() < 3)
        return nullptr;
    std::vector<KmlPoint> points;
    for (const auto& [lon, lat] : ring)
        points.push_back({lon, lat, 0});
    Json parts = Json::array();
    for (const auto& piece : splitRingAtDateLine(points)) {
        std::vector<LonLat> closed;
        for (const KmlPoint& p : piece)
            closed.push_back({p.lon, p.lat});
        if (signedArea(closed) < 0)
            std::reverse(closed.begin(), closed.end());
        parts.push_back(Json::array({positions(closed)}));
    }
    return Json{{"type", "MultiPolygon"}, {"coordinates", std::move(parts)}};
}

template <typename Point> std::vector<std::vector<LonLat>> linesOf(const Pieces<Point>& pieces) {
    std::vector<std::vector<LonLat>> lines;
    for (const auto& piece : pieces) {
        std::vector<LonLat> line;
        for (const Point& p : piece)
            line.push_back({p.lon, p.lat});
        lines.push_back(line);
    }
    return lines;
}

// "2024-04-08T18:30:00Z" of t hours from t0 (TT) with Delta T.
std::string utText(const EclipseRecord& r, double t, double deltaT) {
    const double jd = jdOfElementHours(r.jdTT, r.t0 + t) - deltaT / 86400;
    const auto [year, month, day, hour] = jdToCalendar(jd, 0, 0);
    char text[48];
    std::snprintf(text, sizeof text, "%.0f-%02.0f-%02.0fT%sZ", year, month, day,
                  hmsOfHours(hour).c_str());
    return text;
}

// The features; one without a geometry (a curve the eclipse does not have) is left out.
struct Collection {
    Json features = Json::array();
    void add(Json geometry, Json properties) {
        if (geometry.is_null())
            return;
        features.push_back({{"type", "Feature"},
                            {"properties", std::move(properties)},
                            {"geometry", std::move(geometry)}});
    }
};

// The central path: along the northern limit and back along the southern one.
std::vector<LonLat> centralPathRing(const PathGeometry& g) {
    std::vector<LonLat> ring;
    for (const auto& piece : g.umbralLimits[0])
        for (const auto& p : piece)
            ring.push_back({p.lon, p.lat});
    for (auto piece = g.umbralLimits[1].rbegin(); piece != g.umbralLimits[1].rend(); ++piece)
        for (auto p = piece->rbegin(); p != piece->rend(); ++p)
            ring.push_back({p->lon, p->lat});
    if (!ring.empty())
        ring.push_back(ring.front());
    return ring;
}

void addOutlines(Collection& c, const EclipseRecord& r, const PathGeometry& g) {
    // on the half hours of UT: t hours from t0 (TT) is UT t0 + t - Delta T
    const double utOffset = r.t0 - g.deltaT / 3600;
    const double first =
        std::ceil((g.firstContact.time + utOffset) / outlineStepHours) * outlineStepHours -
        utOffset;
    for (double t = first; t <= g.lastContact.time; t += outlineStepHours)
        for (const ShadowCone cone : {ShadowCone::penumbra, ShadowCone::umbra}) {
            std::vector<LonLat> ring;
            for (const TracedPoint& p : shadowOutline(r, t, g.deltaT, cone))
                ring.push_back({p.lon, p.lat});
            if (ring.size() < 3)
                continue;
            ring.push_back(ring.front());
            c.add(multiPolygon(ring), {{"curve", "shadow"},
                                       {"shadow", cone == ShadowCone::umbra ? "umbra" : "penumbra"},
                                       {"time_ut", utText(r, t, g.deltaT)}});
        }
}

// The limits corrected for the lunar limb, named as the map's legend and a chaser's list name
// them.
void addCorrectedLimits(Collection& c, const CorrectedLimits& limits) {
    for (int side = 0; side < 2; ++side) {
        const std::string name = side == 0 ? "North" : "South";
        const auto s = static_cast<std::size_t>(side);
        for (const auto& [kind, pieces] :
             {std::pair{"interior", &limits.interior[s]}, {"exterior", &limits.exterior[s]}})
            c.add(multiLine(linesOf(*pieces)),
                  {{"curve", "limb-corrected limit"},
                   {"name", name + " limit, limb-corrected (" + kind + ")"},
                   {"side", side == 0 ? "north" : "south"},
                   {"limit", kind},
                   {"solar_radius_km", std::round(limits.sunRadiusKm)},
                   {"lunar_grid", "LRO LOLA (LRO.dat)"},
                   {"height_source", groundHeightSourceName(limits.heights)}});
    }
}

} // namespace

std::vector<std::vector<LonLat>> cutLineAtAntimeridian(const std::vector<LonLat>& line) {
    std::vector<std::vector<LonLat>> parts(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (i > 0 && std::fabs(line[i].first - line[i - 1].first) > 180) {
            const auto [edge, lat] = dateLineCrossing(line[i - 1].first, line[i - 1].second,
                                                      line[i].first, line[i].second);
            parts.back().push_back({edge, lat});
            parts.push_back({{-edge, lat}});
        }
        parts.back().push_back(line[i]);
    }
    return parts;
}

std::string pathGeoJson(const EclipseRecord& r, const PathGeometry& g,
                        const CorrectedLimits* corrected) {
    Collection c;
    c.add(multiLine(linesOf(g.centralLine)), {{"curve", "central line"}});
    for (int side = 0; side < 2; ++side) {
        const char* name = side == 0 ? "north" : "south";
        c.add(multiLine(linesOf(g.umbralLimits[side])),
              {{"curve", "umbral limit"}, {"side", name}});
        c.add(multiLine(linesOf(g.penumbralLimits[side])),
              {{"curve", "penumbral limit"}, {"side", name}});
        c.add(multiLine(linesOf(g.riseSetCurves[side])), {{"curve", "sunrise/sunset"}});
        c.add(multiLine(linesOf(g.maxAtRiseSetCurves[side])),
              {{"curve", "maximum at sunrise/sunset"}});
    }
    for (std::size_t level = 0; level < g.magnitudeCurves.size(); ++level)
        for (const auto& side : g.magnitudeCurves[level])
            c.add(multiLine(linesOf(side)),
                  {{"curve", "magnitude"},
                   {"magnitude", roundedJson(magnitudeLevels[level], positionDecimals)}});
    c.add(multiPolygon(centralPathRing(g)), {{"curve", "central path"}});
    addOutlines(c, r, g);
    if (corrected)
        addCorrectedLimits(c, *corrected);
    char date[32];
    std::snprintf(date, sizeof date, "%.0f-%02.0f-%02.0f", r.year, r.month, r.day);
    const Json collection{{"type", "FeatureCollection"},
                          {"name", "solar eclipse " + std::string(date)},
                          {"delta_t", roundedJson(g.deltaT, positionDecimals)},
                          {"features", std::move(c.features)}};
    return jsonText(collection) + "\n";
}

} // namespace vesk
