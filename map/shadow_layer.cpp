// SPDX-License-Identifier: GPL-3.0-or-later
#include "shadow_layer.h"

#include "angles.h"
#include "gazetteer.h"
#include "palette.h"
#include "path_tracers.h"
#include "shadow_elements.h"
#include "timescales.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vesk {

namespace {

constexpr Rgb umbraFill{24, 24, 24};
// The step either side of the instant for the shadow's motion, hours.
constexpr double motionStepHours = 1.0 / 60;

// The visible pixels of an outline.
std::vector<ViewPixel> pixelsOf(const MapCanvas& c, const std::vector<TracedPoint>& outline) {
    std::vector<ViewPixel> pixels;
    for (const TracedPoint& p : outline)
        if (const ViewPixel at = viewPixel(c, p.lon, p.lat); at.visible)
            pixels.push_back(at);
    return pixels;
}

// Fills the inside of a closed outline of pixels (even-odd rule, pixel centres).
void fillOutline(MapCanvas& c, const std::vector<ViewPixel>& ring, Rgb colour) {
    if (ring.size() < 3)
        return;
    const auto [minY, maxY] = std::minmax_element(
        ring.begin(), ring.end(), [](const ViewPixel& a, const ViewPixel& b) { return a.y < b.y; });
    std::vector<ColouredPixel> dots;
    for (int y = minY->y; y <= maxY->y; ++y) {
        std::vector<double> crossings;
        for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
            const ViewPixel &a = ring[i], &b = ring[j];
            if ((a.y > y) != (b.y > y))
                crossings.push_back(a.x + double(y - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t k = 0; k + 1 < crossings.size(); k += 2)
            for (int x = static_cast<int>(std::ceil(crossings[k]));
                 x <= static_cast<int>(std::floor(crossings[k + 1])); ++x)
                dots.push_back({x, y, colour});
    }
    c.surface.setPixels(dots);
}

// 0 h UT of the day of greatest eclipse, a Julian date.
double dayStartJd(const EclipseRecord& r) {
    return std::floor(r.jd - 0.5) + 0.5;
}

} // namespace

double dayHoursOf(const EclipseRecord& r, double t, double deltaT) {
    return (jdOfElementHours(r.jdTT, r.t0) - deltaT / 86400 - dayStartJd(r)) * 24 + t;
}

std::pair<double, double> contactSpanUt(const EclipseRecord& r, double deltaT) {
    return {dayHoursOf(r, penumbralContactOnEarth(r, 0, deltaT, -1).time, deltaT),
            dayHoursOf(r, penumbralContactOnEarth(r, 0, deltaT, +1).time, deltaT)};
}

double shadowHours(const EclipseRecord& r, const ShadowInstant& at, double deltaT) {
    const double jdUt = at.julianDate ? at.value : dayStartJd(r) + at.value / 24;
    return (jdUt + deltaT / 86400 - jdOfElementHours(r.jdTT, r.t0)) * 24;
}

std::optional<ShadowMotion> shadowMotion(const EclipseRecord& r, double t, double deltaT) {
    const TracedPoint before = centralLinePoint(evaluateElements(r, t - motionStepHours), deltaT);
    const TracedPoint after = centralLinePoint(evaluateElements(r, t + motionStepHours), deltaT);
    if (!before.found || !after.found)
        return std::nullopt;
    const double km = greatCircleKm(before.lon, before.lat, after.lon, after.lat);
    const double phi1 = before.lat * degToRad, phi2 = after.lat * degToRad;
    const double dLon = (after.lon - before.lon) * degToRad;
    const double bearing = std::atan2(std::sin(dLon) * std::cos(phi2),
                                      std::cos(phi1) * std::sin(phi2) -
                                          std::sin(phi1) * std::cos(phi2) * std::cos(dLon)) *
                           radToDeg;
    return ShadowMotion{km / (2 * motionStepHours * 3600),
                        bearing - 360 * std::floor(bearing / 360)};
}

namespace {

// The caption's top-left corner and the spacing of its lines.
PixelPoint captionCorner(const MapCanvas& c) {
    return {c.layout.mapRight - 230, c.layout.mapTop + 8};
}
constexpr int captionLineSpacing = 16;

} // namespace

LabelBox shadowCaptionBox(const MapCanvas& c) {
    const PixelPoint at = captionCorner(c);
    const TextSize widest = c.surface.textSize("Shadow: 00.00 km/s toward 000°");
    return {at.x, at.y, at.x + widest.width, at.y + captionLineSpacing + widest.height};
}

void drawShadowAt(MapCanvas& c, const EclipseRecord& r, double t, double deltaT) {
    std::vector<TracedPoint> penumbra = shadowOutline(r, t, deltaT, ShadowCone::penumbra);
    if (!penumbra.empty())
        penumbra.push_back(penumbra.front());
    strokeCurve(c, penumbra, white);
    fillOutline(c, pixelsOf(c, shadowOutline(r, t, deltaT, ShadowCone::umbra)), umbraFill);
    const TracedPoint centre = centralLinePoint(evaluateElements(r, t), deltaT);
    if (centre.found)
        plotRing(c, centre.lon, centre.lat, yellow, 4);
    // the instant and the shadow's motion, at the frame's top right
    char text[96];
    std::snprintf(text, sizeof text, "%s UT", hmsOfHours(r.t0 + t - deltaT / 3600).c_str());
    c.surface.setBackgroundOpaque(false);
    c.surface.setTextColour(palette[white]);
    const PixelPoint at = captionCorner(c);
    c.surface.textOut(at.x, at.y, text);
    if (const auto motion = shadowMotion(r, t, deltaT)) {
        std::snprintf(text, sizeof text, "Shadow: %.2f km/s toward %.0f°", motion->kmPerSecond,
                      motion->bearing);
        c.surface.textOut(at.x, at.y + captionLineSpacing, text);
    }
}

} // namespace vesk
