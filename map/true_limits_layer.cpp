// SPDX-License-Identifier: GPL-3.0-or-later
#include "true_limits_layer.h"

#include "palette.h"

#include <cmath>
#include <map>
#include <utility>
#include <vector>

namespace vesk {

namespace {

bool regional(const MapCanvas& c) {
    return magnification(c) >= correctedLimitsMagnification;
}

// The points of a limit's pieces by their instant.
std::map<double, PathPoint> byInstant(const Pieces<PathPoint>& pieces) {
    std::map<double, PathPoint> points;
    for (const auto& piece : pieces)
        for (const PathPoint& p : piece)
            points.emplace(p.t, p);
    return points;
}

// The polygon clipped to the map's frame (Sutherland and Hodgman, one edge of the frame at a
// time) and filled.
void fillWithinFrame(MapCanvas& c, std::vector<std::pair<double, double>> polygon) {
    const MapLayout& l = c.layout;
    const double left = l.mapLeft + 1, right = l.mapRight - 1;
    const double top = l.mapTop + 1, bottom = l.mapBottom - 1;
    // each edge: whether a point is inside, and where a segment crosses it
    const auto clip = [&](auto inside, auto crossing) {
        std::vector<std::pair<double, double>> kept;
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const auto& a = polygon[i];
            const auto& b = polygon[(i + 1) % polygon.size()];
            if (inside(a))
                kept.push_back(a);
            if (inside(a) != inside(b))
                kept.push_back(crossing(a, b));
        }
        polygon = std::move(kept);
    };
    const auto atX = [](double x) {
        return [x](const auto& a, const auto& b) {
            return std::pair{x, a.second +
                                    (b.second - a.second) * (x - a.first) / (b.first - a.first)};
        };
    };
    const auto atY = [](double y) {
        return [y](const auto& a, const auto& b) {
            return std::pair{a.first + (b.first - a.first) * (y - a.second) / (b.second - a.second),
                             y};
        };
    };
    clip([&](const auto& p) { return p.first >= left; }, atX(left));
    clip([&](const auto& p) { return p.first <= right; }, atX(right));
    clip([&](const auto& p) { return p.second >= top; }, atY(top));
    clip([&](const auto& p) { return p.second <= bottom; }, atY(bottom));
    if (polygon.size() < 3)
        return;
    std::vector<PixelPoint> pixels;
    for (const auto& [x, y] : polygon)
        pixels.push_back({static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))});
    c.surface.polygon(pixels);
}

} // namespace

void shadeGrazeZones(MapCanvas& c, const CorrectedLimits& limits) {
    if (!regional(c))
        return;
    const Pen previousPen = c.surface.selectPen({PenStyle::solid, grazeZoneColour});
    const Brush previousBrush = c.surface.selectBrush({false, grazeZoneColour});
    for (std::size_t side = 0; side < 2; ++side) {
        // between consecutive instants at which both limits have a point: a quadrilateral
        const std::map<double, PathPoint> interior = byInstant(limits.interior[side]);
        const std::map<double, PathPoint> exterior = byInstant(limits.exterior[side]);
        const PathPoint* previousInterior = nullptr;
        const PathPoint* previousExterior = nullptr;
        for (const auto& [t, inner] : interior) {
            const auto outer = exterior.find(t);
            if (outer == exterior.end()) {
                previousInterior = previousExterior = nullptr;
                continue;
            }
            if (previousInterior) {
                std::vector<std::pair<double, double>> corners;
                for (const PathPoint* p :
                     {previousInterior, &inner, &outer->second, previousExterior}) {
                    const ViewPixel at = viewPixel(c, p->lon, p->lat);
                    if (at.nearSide)
                        corners.push_back({at.exactX, at.exactY});
                }
                if (corners.size() == 4)
                    fillWithinFrame(c, corners);
            }
            previousInterior = &inner;
            previousExterior = &outer->second;
        }
    }
    c.surface.selectBrush(previousBrush);
    c.surface.selectPen(previousPen);
}

void strokeInteriorLimits(MapCanvas& c, const CorrectedLimits& limits) {
    if (!regional(c))
        return;
    for (const auto& side : limits.interior)
        for (const auto& piece : side)
            strokeCurve(c, piece, interiorLimitColour);
}

} // namespace vesk
