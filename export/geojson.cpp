// SPDX-License-Identifier: GPL-3.0-or-later
#include "geojson.h"

#include "kml.h"
#include "path_tracers.h"
#include "timescales.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vesk {

namespace {

// The outlines of the shadow: one every this many hours.
constexpr double outlineStepHours = 0.5;

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

std::string positions(const std::vector<LonLat>& points) {
    std::string text = "[";
    for (const auto& [lon, lat] : points) {
        if (text.size() > 1)
            text += ',';
        text += '[' + number(lon) + ',' + number(lat) + ']';
    }
    return text + ']';
}

std::string feature(const std::string& geometry, const std::string& properties) {
    return "{\"type\":\"Feature\",\"properties\":{" + properties + "},\"geometry\":" + geometry +
           "}";
}

// Twice the signed area of a ring in degrees (positive counterclockwise).
double signedArea(const std::vector<LonLat>& ring) {
    double area = 0;
    for (std::size_t i = 0; i + 1 < ring.size(); ++i)
        area += ring[i].first * ring[i + 1].second - ring[i + 1].first * ring[i].second;
    return area;
}

// A MultiLineString of lines cut at the antimeridian; empty when no part has two points.
std::string multiLine(const std::vector<std::vector<LonLat>>& lines) {
    std::string parts;
    for (const auto& line : lines)
        for (const auto& part : cutLineAtAntimeridian(line))
            if (part.size() >= 2) {
                if (!parts.empty())
                    parts += ',';
                parts += positions(part);
            }
    return parts.empty() ? "" : "{\"type\":\"MultiLineString\",\"coordinates\":[" + parts + "]}";
}

// A MultiPolygon of a ring cut at the antimeridian, each part closed and counterclockwise.
std::string multiPolygon(const std::vector<LonLat>& ring) {
    if (ring.size() < 3)
        return "";
    std::vector<KmlPoint> points;
    for (const auto& [lon, lat] : ring)
        points.push_back({lon, lat, 0});
    std::string parts;
    for (const auto& piece : splitRingAtDateLine(points)) {
        std::vector<LonLat> closed;
        for (const KmlPoint& p : piece)
            closed.push_back({p.lon, p.lat});
        if (signedArea(closed) < 0)
            std::reverse(closed.begin(), closed.end());
        if (!parts.empty())
            parts += ',';
        parts += '[' + positions(closed) + ']';
    }
    return "{\"type\":\"MultiPolygon\",\"coordinates\":[" + parts + "]}";
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

struct Collection {
    std::string features;
    void add(const std::string& geometry, const std::string& properties) {
        if (geometry.empty())
            return;
        if (!features.empty())
            features += ',';
        features += '\n' + feature(geometry, properties);
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
            c.add(multiPolygon(ring), std::string("\"curve\":\"shadow\",\"shadow\":\"") +
                                          (cone == ShadowCone::umbra ? "umbra" : "penumbra") +
                                          "\",\"time_ut\":\"" + utText(r, t, g.deltaT) + "\"");
        }
}

// The limits corrected for the lunar limb, named as the map's legend and a chaser's list name
// them.
void addCorrectedLimits(Collection& c, const CorrectedLimits& limits) {
    const std::string computed = ",\"solar_radius_km\":" + number(std::round(limits.sunRadiusKm)) +
                                 ",\"lunar_grid\":\"LRO LOLA (LRO.dat)\",\"height_source\":\"" +
                                 groundHeightSourceName(limits.heights) + "\"";
    for (int side = 0; side < 2; ++side) {
        const std::string name = side == 0 ? "North" : "South";
        const auto s = static_cast<std::size_t>(side);
        for (const auto& [kind, pieces] :
             {std::pair{"interior", &limits.interior[s]}, {"exterior", &limits.exterior[s]}})
            c.add(multiLine(linesOf(*pieces)),
                  "\"curve\":\"limb-corrected limit\",\"name\":\"" + name +
                      " limit, limb-corrected (" + kind + ")\",\"side\":\"" +
                      (side == 0 ? "north" : "south") + "\",\"limit\":\"" + kind + "\"" + computed);
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
    c.add(multiLine(linesOf(g.centralLine)), "\"curve\":\"central line\"");
    for (int side = 0; side < 2; ++side) {
        const char* name = side == 0 ? "north" : "south";
        c.add(multiLine(linesOf(g.umbralLimits[side])),
              std::string("\"curve\":\"umbral limit\",\"side\":\"") + name + "\"");
        c.add(multiLine(linesOf(g.penumbralLimits[side])),
              std::string("\"curve\":\"penumbral limit\",\"side\":\"") + name + "\"");
        c.add(multiLine(linesOf(g.riseSetCurves[side])), "\"curve\":\"sunrise/sunset\"");
        c.add(multiLine(linesOf(g.maxAtRiseSetCurves[side])),
              "\"curve\":\"maximum at sunrise/sunset\"");
    }
    for (std::size_t level = 0; level < g.magnitudeCurves.size(); ++level)
        for (const auto& side : g.magnitudeCurves[level])
            c.add(multiLine(linesOf(side)),
                  "\"curve\":\"magnitude\",\"magnitude\":" + number(magnitudeLevels[level]));
    c.add(multiPolygon(centralPathRing(g)), "\"curve\":\"central path\"");
    addOutlines(c, r, g);
    if (corrected)
        addCorrectedLimits(c, *corrected);
    char date[32];
    std::snprintf(date, sizeof date, "%.0f-%02.0f-%02.0f", r.year, r.month, r.day);
    return "{\"type\":\"FeatureCollection\",\"name\":\"solar eclipse " + std::string(date) +
           "\",\"delta_t\":" + number(g.deltaT) + ",\"features\":[" + c.features + "\n]}\n";
}

} // namespace vesk
