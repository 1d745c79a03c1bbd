// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_projection.h"
#include "angles.h"

#include "checked_int.h"
#include "palette.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vesk {

namespace {

constexpr double scanDegree = 0.017453292522222223; // one degree of the pixel scan
constexpr double bisectionTolerance = 1e-7;
constexpr int maxHalvings = 1000;
// Whole-globe grid: magnification below which the coarse spacings apply, and above which (near
// the equator) the zoomed grid is drawn.
constexpr double fineGridMagnification = 8;
constexpr double zoomedGridMagnification = 20;
// Mercator: a jump of more than this many pixels between points breaks the line.
constexpr int mercatorJump = 200;
constexpr int mercatorSideMargin = 5;

// The globe projection before truncation.
void projectGlobeExact(const MapProjection& p, double lon, double lat, double& x, double& y,
                       double& depth) {
    const double phi = lat * projectionDegToRad;
    const double a = lon * projectionDegToRad + p.rotationLonRad;
    const double rho = p.rotationLatRad;
    const double r = p.mapRadius;
    x = r * std::cos(phi) * std::cos(a);
    y = r * std::sin(phi) * std::cos(rho) - r * std::cos(phi) * std::sin(a) * std::sin(rho);
    depth = r * std::sin(phi) * std::sin(rho) + r * std::cos(phi) * std::sin(a) * std::cos(rho);
}

bool insideFrame(const MapLayout& l, int px, int py) {
    return px >= l.mapLeft && px <= l.mapRight && py >= l.mapTop && py <= l.mapBottom;
}

} // namespace

namespace {

// The view pixel of a longitude and latitude on a map of that kind, projection and layout.
ViewPixel viewPixelOn(Projection kind, const MapProjection& p, const MapLayout& l, double lon,
                      double lat) {
    double x = 0, y = 0, depth = 0, exactX = 0, exactY = 0;
    if (kind == Projection::globe) {
        projectGlobeExact(p, lon, lat, x, y, depth);
        exactX = x, exactY = y;
    } else {
        // the pixel from the projection's whole pixels, as the Mercator map always placed it
        projectMercatorExact(p, lon, lat, exactX, exactY);
        x = clampedInt(exactX), y = clampedInt(exactY), depth = mercatorDepth;
    }
    if (!(depth <= nearSideDepth) || !std::isfinite(x) || !std::isfinite(y))
        return {};
    const int px = clampedInt(l.mapCentreX + x), py = clampedInt(l.mapCentreY - y);
    return {px, py, insideFrame(l, px, py), l.mapCentreX + exactX, l.mapCentreY - exactY, true};
}

// The longitude and latitude of a pixel of a Mercator map: the inverse of the projection
// (J. P. Snyder, Map Projections: A Working Manual, 1987, eq. 7-4 and 7-2).
std::pair<double, double> mercatorLonLatOn(const MapProjection& p, const MapLayout& l, int px,
                                           int py) {
    const double lon = -p.rotationLon + (px - l.mapCentreX) / p.mapRadius / chartDegToRad;
    const double lat =
        (2 * std::atan(std::exp((l.mapCentreY - py) / p.mapRadius)) - roundedPi / 2) /
        chartDegToRad;
    return {wrappedLongitude(lon), lat};
}

} // namespace

ViewPixel viewPixel(const MapCanvas& c, double lon, double lat) {
    return viewPixelOn(c.view.projection, c.projection, c.layout, lon, lat);
}

ViewPixel Projector::toView(double lon, double lat) const {
    return viewPixelOn(kind, projection, layout, lon, lat);
}

bool Projector::contains(int x, int y) const {
    if (kind != Projection::globe)
        return insideFrame(layout, x, y);
    const double dx = layout.mapCentreX - x, dy = layout.mapCentreY - y;
    if (dx * dx + dy * dy > projection.mapRadius * projection.mapRadius)
        return false;
    const int r = static_cast<int>(projection.mapRadius);
    return !((range == MapRange::asia || range == MapRange::europe) &&
             (std::fabs(dx) > r || std::fabs(dy) > r));
}

std::optional<GeoPoint> Projector::toGeo(int x, int y) const {
    if (!contains(x, y))
        return std::nullopt;
    if (kind != Projection::globe) {
        const auto [lon, lat] = mercatorLonLatOn(projection, layout, x, y);
        return GeoPoint{foldedLongitude(lon), lat};
    }
    const std::optional<std::pair<double, double>> found = pixelToLonLat(projection, layout, x, y);
    if (!found)
        return std::nullopt;
    return GeoPoint{foldedLongitude(found->first), found->second};
}

bool joinsOnMap(const MapCanvas& c, const ViewPixel& a, const ViewPixel& b) {
    return c.view.projection == Projection::globe || std::abs(a.x - b.x) <= mercatorJump;
}

namespace {

// A dot or ring at a longitude and latitude (ringRadius 0: a single pixel).
void plotMarker(MapCanvas& c, double lon, double lat, int colour, int ringRadius) {
    c.pen.down = false;
    const ViewPixel at = viewPixel(c, lon, lat);
    if (!at.visible)
        return;
    c.pen.down = true;
    if (ringRadius > 0)
        frameCircle(c.surface, at.x, at.y, ringRadius, colour);
    else
        plotPixel(c.surface, at.x, at.y, colour);
}

// A circle of the whole-globe grid: points (x, y, depth) of t in 0..6.3 rad.
template <typename Point> void gridCircle(MapCanvas& c, double step, int colour, Point point) {
    c.pen.down = false;
    for (double t = 0; t <= 6.3; t += step) {
        double x = 0, y = 0, depth = 0;
        point(t, x, y, depth);
        if (depth > gridNearSideDepth)
            c.pen.down = false;
        else
            plotMapPoint(c, x, y, colour);
    }
}

void drawWholeGlobeGrid(MapCanvas& c) {
    MapProjection& p = c.projection;
    const double zoom = magnification(c);
    const double r = p.mapRadius;
    const double rho = p.rotationLatRad;
    const double step = (zoom < fineGridMagnification ? 0.3 : 2.4 / zoom) * projectionDegToRad;
    const double meridianSpacing =
        (zoom < fineGridMagnification ? 15 : std::max(1.0, std::floor(60 / zoom))) *
        projectionDegToRad;
    for (double m = 0; m <= 3.15; m += meridianSpacing) {
        const double g = m + p.rotationLonRad;
        const int colour = std::fabs(m - roundedPi) < 1e-7 ? lightBlue : navy;
        gridCircle(c, step, colour, [&](double t, double& x, double& y, double& depth) {
            x = r * std::cos(t) * std::cos(g);
            y = r * std::sin(t) * std::cos(rho) - r * std::cos(t) * std::sin(g) * std::sin(rho);
            depth = r * std::cos(t) * std::sin(g) * std::cos(rho) + r * std::sin(t) * std::sin(rho);
        });
    }
    c.pen.colour = navy;
    drawGlobeOutline(c);
    const double parallelSpacing =
        (zoom < fineGridMagnification ? 10 : std::max(1.0, std::floor(40 / zoom))) *
        projectionDegToRad;
    int count = 0;
    for (double theta = 10 * projectionDegToRad; theta <= 3.15; theta += parallelSpacing) {
        const int colour = ++count == 9 ? lightBlue : navy;
        gridCircle(c, step, colour, [&](double t, double& x, double& y, double& depth) {
            x = r * std::sin(theta) * std::cos(t);
            y = r * std::cos(theta) * std::cos(rho) -
                r * std::sin(theta) * std::sin(t) * std::sin(rho);
            depth = r * std::cos(theta) * std::sin(rho) +
                    r * std::sin(theta) * std::sin(t) * std::cos(rho);
        });
    }
}

// A line of the zoomed grid through projectGlobe: latitude and longitude as functions of s.
template <typename Point>
void zoomedGridLine(MapCanvas& c, double from, double to, double step, Point point) {
    c.pen.down = false;
    for (double s = from; s <= to; s += step) {
        double lon = 0, lat = 0;
        point(s, lon, lat);
        int x = 0, y = 0, depth = 0;
        projectGlobe(c.projection, lon, lat, x, y, depth);
        if (depth > gridNearSideDepth)
            c.pen.down = false;
        else
            plotMapPoint(c, x, y, navy);
    }
}

void drawZoomedGlobeGrid(MapCanvas& c) {
    const MapLayout& l = c.layout;
    const double zoom = magnification(c);
    // A corner off the disc leaves the extent unknown: no grid rather than a runaway one.
    const auto topLeft = pixelToLonLat(c.projection, c.layout, l.mapLeft, l.mapTop);
    const auto bottomRight = pixelToLonLat(c.projection, c.layout, l.mapRight, l.mapBottom);
    if (!topLeft || !bottomRight)
        return;
    const auto [left, top] = *topLeft;
    const auto [right, bottom] = *bottomRight;
    const double spacing = std::max(1.0, std::floor(60 / zoom));
    const double step = 0.1 / zoom;
    const double margin = std::fabs(top) > 70 ? 20 : 2;
    for (double lat = std::floor(top); lat >= std::floor(bottom); lat -= spacing)
        zoomedGridLine(c, std::floor(left - margin), std::floor(right + margin), step,
                       [&](double s, double& lon, double& la) { lon = s, la = lat; });
    for (double lon = std::floor(left); lon <= std::floor(right); lon += spacing)
        zoomedGridLine(c, std::floor(bottom - 2), std::floor(top + 2), step,
                       [&](double s, double& lo, double& lat) { lo = lon, lat = s; });
}

void drawMercatorGrid(MapCanvas& c) {
    MapProjection& p = c.projection;
    const double r = p.mapRadius;
    const auto mercatorY = [&](double latDeg) {
        return r * std::log(std::tan(latDeg * projectionDegToRad / 2 + roundedQuarterPi));
    };
    const auto meridian = [&](double d, int colour) {
        c.pen.down = false;
        for (const double lat : {80.0, 0.0, -80.0})
            plotMapPoint(c, d * r, mercatorY(lat), colour);
    };
    const double ten = 10 * projectionDegToRad;
    for (double d = p.rotationLonRad - roundedPi - ten * std::trunc(p.rotationLonRad / ten);
         d <= roundedPi; d += ten)
        meridian(d, navy);
    meridian(p.rotationLonRad, lightBlue);
    c.pen.drawingParallels = true;
    for (int lat = 80; lat >= -90; lat -= 10) {
        const int colour = std::trunc(lat * projectionDegToRad * 10) == 0 ? lightBlue : navy;
        c.pen.down = false;
        plotMapPoint(c, -roundedPi * r, mercatorY(lat), colour);
        plotMapPoint(c, roundedPi * r, mercatorY(lat), colour);
    }
    c.pen.drawingParallels = false;
}

// F of the pixel inversion: zero at the latitude theta of the point under the pixel.
double inversionResidual(double theta, double xi, double eta, double centreLat) {
    const double c = std::cos(theta);
    const double q = 1 - xi * xi / (c * c);
    const double root = q < 0 ? 0 : std::sqrt(q);
    return std::cos(centreLat) * std::sin(theta) + std::sin(centreLat) * c * root - eta;
}

bool signChange(double a, double b) {
    return (a < 0) != (b < 0);
}

} // namespace

void setMapCentre(MapProjection& p, const MapLayout& layout, double lon, double lat) {
    p.centre = MapProjection::Centre{lon, lat};
    p.mapRadius = layout.mapRadius;
    // the globe turned so that the centre faces the viewer; the Mercator map shifted
    p.rotationLon = layout.mercator ? -lon : -lon - 90;
    p.rotationLat = layout.mercator ? 0 : -lat;
    p.rotationLonRad = p.rotationLon * projectionDegToRad;
    p.rotationLatRad = p.rotationLat * projectionDegToRad;
}

double mapCentreLon(const MapProjection& p) {
    return p.centre ? p.centre->lon : 0;
}

double mapCentreLat(const MapProjection& p) {
    return p.centre ? p.centre->lat : 0;
}

std::optional<GeoPoint> orthographicCentreSeeing(GeoPoint point, double east, double north,
                                                 GeoPoint near) {
    const double depthSquared = 1 - east * east - north * north;
    const double cosLat = std::cos(point.lat * degToRad);
    if (!(depthSquared > 0) || !(std::fabs(east) <= cosLat))
        return std::nullopt;
    const double depth = std::sqrt(depthSquared);
    const double sinDLon = cosLat > 0 ? east / cosLat : 0;
    std::optional<GeoPoint> best;
    double bestDistance = 0;
    for (const double sign : {1.0, -1.0}) {
        const double cosDLon = sign * std::sqrt(std::max(0.0, 1 - sinDLon * sinDLon));
        // (north, depth) is (sin lat, cos lat cos dLon) turned by the centre's latitude
        const double centreLat = std::remainder(
            std::atan2(depth, north) - std::atan2(cosLat * cosDLon, std::sin(point.lat * degToRad)),
            2 * std::numbers::pi);
        if (std::fabs(centreLat) > std::numbers::pi / 2)
            continue;
        const GeoPoint centre{point.lon - std::atan2(sinDLon, cosDLon) * radToDeg,
                              centreLat * radToDeg};
        const double distance =
            std::hypot(std::remainder(centre.lon - near.lon, 360.0), centre.lat - near.lat);
        if (!best || distance < bestDistance) {
            best = centre;
            bestDistance = distance;
        }
    }
    return best;
}

void projectGlobe(const MapProjection& p, double lon, double lat, int& x, int& y, int& depth) {
    double dx = 0, dy = 0, dd = 0;
    projectGlobeExact(p, lon, lat, dx, dy, dd);
    x = clampedInt(dx);
    y = clampedInt(dy);
    depth = clampedInt(dd);
}

void projectMercatorExact(const MapProjection& p, double lon, double lat, double& x, double& y) {
    double d = lon + p.rotationLon;
    if (d > 180)
        d -= 360;
    if (d < -180)
        d += 360;
    x = p.mapRadius * d * projectionDegToRad;
    y = p.mapRadius * std::log(std::tan(lat * projectionDegToRad / 2 + roundedQuarterPi));
}

void projectMercator(const MapProjection& p, double lon, double lat, int& x, int& y, int& depth) {
    double exactX = 0, exactY = 0;
    projectMercatorExact(p, lon, lat, exactX, exactY);
    x = clampedInt(exactX);
    y = clampedInt(exactY);
    depth = mercatorDepth;
}

void plotMapPoint(MapCanvas& c, double x, double y, int colour) {
    const ViewSettings& v = c.view;
    const MapLayout& l = c.layout;
    if (!(std::fabs(x) < clampedIntLimit) || !(std::fabs(y) < clampedIntLimit)) {
        c.pen.down = false;
        return;
    }
    const int px = clampedInt(l.mapCentreX + x);
    const int py = clampedInt(l.mapCentreY - y);
    if (v.projection == Projection::globe) {
        if (!insideFrame(l, px, py)) {
            c.pen.down = false;
            return;
        }
    } else {
        if (std::abs(c.surface.currentPosition().x - px) > mercatorJump && !c.pen.drawingParallels)
            c.pen.down = false;
        if (px < l.mapLeft - mercatorSideMargin || px > l.mapRight + mercatorSideMargin ||
            py < l.mapTop || py > l.mapBottom) {
            c.pen.down = false;
            return;
        }
    }
    const double exactX = l.mapCentreX + x, exactY = l.mapCentreY - y;
    if (c.pen.down && c.surface.drawsBetweenPixels()) {
        drawLineBetween(c.surface, c.pen.lastX, c.pen.lastY, exactX, exactY, colour);
    } else if (c.pen.down) {
        lineToColour(c.surface, px, py, colour);
    } else {
        c.surface.moveTo(px, py);
        plotPixel(c.surface, px, py, colour);
        c.pen.down = true;
    }
    c.pen.lastX = exactX;
    c.pen.lastY = exactY;
}

void plotDot(MapCanvas& c, double lon, double lat, int colour) {
    plotMarker(c, lon, lat, colour, 0);
}

void plotRing(MapCanvas& c, double lon, double lat, int colour, int r) {
    // Until a centre is set the globe's rotation is (0, 0): rings would land anywhere.
    if (c.view.projection == Projection::globe && !c.projection.centre) {
        c.pen.down = false;
        return;
    }
    plotMarker(c, lon, lat, colour, r);
}

GlobeInverse::GlobeInverse(const MapProjection& p, const MapLayout& l, double minDepth)
    : sinPhi0(std::sin(-p.rotationLat * chartDegToRad)),
      cosPhi0(std::cos(-p.rotationLat * chartDegToRad)), centreLon(-p.rotationLon - 90),
      radius(p.mapRadius), centreX(l.mapCentreX), centreY(l.mapCentreY),
      minDepthSquared(minDepth * minDepth) {}

std::optional<std::pair<double, double>> GlobeInverse::lonLat(int px, int py) const {
    const double y = (centreY - py) / radius;
    const double x = (centreX - px) / radius;
    const double z2 = 1 - x * x - y * y;
    if (!(z2 >= minDepthSquared))
        return std::nullopt;
    const double z = std::sqrt(z2);
    const double lat = std::asin(std::clamp(y * cosPhi0 + z * sinPhi0, -1.0, 1.0)) / chartDegToRad;
    double lon = std::atan2(z * cosPhi0 - y * sinPhi0, x) / chartDegToRad + centreLon + 270;
    lon = wrappedLongitude(lon);
    return std::pair{lon, lat};
}

namespace {

// The root of f between a and b, where f changes sign, by halving the bracket until its middle
// moves less than bisectionTolerance (or maxHalvings times).
template <class Function> double bisectedRoot(const Function& f, double a, double b) {
    double fa = f(a);
    double middle = (a + b) / 2, previous = a;
    for (int i = 0; i < maxHalvings && std::fabs(middle - previous) >= bisectionTolerance; ++i) {
        const double fm = f(middle);
        if (signChange(fa, fm)) {
            b = middle;
        } else {
            a = middle;
            fa = fm;
        }
        previous = middle;
        middle = (a + b) / 2;
    }
    return middle;
}

} // namespace

std::optional<std::pair<double, double>> pixelToLonLat(const MapProjection& p, const MapLayout& l,
                                                       int px, int py) {
    const double r = p.mapRadius;
    const double xi = (px - l.mapCentreX) / r;
    const double eta = (l.mapCentreY - py) / r;
    if (!(std::fabs(xi) <= 1))
        return std::nullopt;
    const double alpha = std::acos(std::fabs(xi));
    const double centreLat = -p.rotationLatRad;
    const auto f = [&](double theta) { return inversionResidual(theta, xi, eta, centreLat); };

    // The inner end of a family of brackets around 'middle': 'middle' itself when one of its
    // halves changes sign, else the first degree step from the low end where F changes sign.
    const auto innerEnd = [&](double middle) {
        const double low = middle - alpha, high = middle + alpha;
        if (signChange(f(low), f(middle)) || signChange(f(middle), f(high)))
            return middle;
        const double fLow = f(low);
        double theta = low;
        while (theta < high && !signChange(f(theta), fLow))
            theta += scanDegree;
        return theta;
    };
    const double inner1 = innerEnd(0);
    const double inner2 = innerEnd(roundedPi);
    struct Bracket {
        double a, b;
        bool secondFamily;
    };
    const Bracket brackets[] = {{inner1, alpha, false},
                                {-alpha, inner1, false},
                                {inner2, roundedPi + alpha, true},
                                {roundedPi - alpha, inner2, true}};
    for (const Bracket& bracket : brackets) {
        if (!signChange(f(bracket.a), f(bracket.b)))
            continue;
        const double theta = bisectedRoot(f, bracket.a, bracket.b);
        const double a2 = std::acos(xi / std::cos(theta));
        double rootLon = (a2 - p.rotationLonRad) / scanDegree;
        double rootLat = theta / scanDegree;
        if (std::fabs(rootLat) > 90)
            rootLat = 180 - rootLat;
        const double depth = r * std::sin(theta) * std::sin(p.rotationLatRad) +
                             r * std::cos(theta) * std::sin(a2) * std::cos(p.rotationLatRad);
        if (!(depth < nearSideDepth))
            continue;
        if (bracket.secondFamily)
            rootLon -= 180;
        return std::pair{rootLon, rootLat};
    }
    return std::nullopt;
}

void drawGlobeOutline(MapCanvas& c) {
    MapProjection& p = c.projection;
    c.pen.down = false;
    for (double t = 0; t <= 6.3; t += 7.5 * projectionDegToRad)
        plotMapPoint(c, p.mapRadius * std::cos(t), p.mapRadius * std::sin(t), c.pen.colour);
    c.pen.down = false;
}

void drawGrid(MapCanvas& c) {
    if (!c.view.gridLines)
        return;
    if (c.view.projection != Projection::globe)
        drawMercatorGrid(c);
    else if (magnification(c) <= zoomedGridMagnification || std::fabs(c.view.centreLat) >= 60)
        drawWholeGlobeGrid(c);
    else
        drawZoomedGlobeGrid(c);
}

std::pair<double, double> mercatorLonLat(const MapCanvas& c, int px, int py) {
    return mercatorLonLatOn(c.projection, c.layout, px, py);
}

std::optional<std::pair<double, double>> lonLatAtPixel(const MapCanvas& c, int px, int py) {
    if (c.view.projection != Projection::globe)
        return mercatorLonLat(c, px, py);
    const std::optional<std::pair<double, double>> found =
        pixelToLonLat(c.projection, c.layout, px, py);
    if (!found)
        return std::nullopt;
    const auto [lon, lat] = *found;
    return std::pair{wrappedLongitude(lon), lat};
}

std::optional<GridLines> gridLinesOf(const MapCanvas& c) {
    const ViewSettings& v = c.view;
    const MapLayout& l = c.layout;
    const double zoom = magnification(c);
    if (v.projection != Projection::globe)
        return GridLines{0, 10, 0, 10};
    if (zoom <= zoomedGridMagnification || std::fabs(v.centreLat) >= 60) {
        const bool fine = zoom >= fineGridMagnification;
        return GridLines{mapCentreLon(c.projection),
                         fine ? std::max(1.0, std::floor(60 / zoom)) : 15, 80,
                         fine ? std::max(1.0, std::floor(40 / zoom)) : 10};
    }
    const auto topLeft = pixelToLonLat(c.projection, c.layout, l.mapLeft, l.mapTop);
    if (!topLeft || !pixelToLonLat(c.projection, c.layout, l.mapRight, l.mapBottom))
        return std::nullopt;
    const double spacing = std::max(1.0, std::floor(60 / zoom));
    return GridLines{std::floor(topLeft->first), spacing, std::floor(topLeft->second), spacing};
}

double magnification(const MapCanvas& c) {
    return c.layout.baseRadius > 0 ? c.projection.mapRadius / c.layout.baseRadius : 1;
}

} // namespace vesk
