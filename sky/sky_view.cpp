// SPDX-License-Identifier: GPL-3.0-or-later
#include "sky_view.h"

#include "angles.h"
#include "checked_int.h"
#include "label_placement.h"
#include "palette.h"
#include "sky_positions.h"
#include "text_format.h"
#include "timescales.h"

#include <cmath>
#include <cstdio>

namespace vesk {

namespace {

// The chart's disc: the header's right edge, the room for "East" left of the disc and "West"
// right of it, and above and below it for "North" and "South", pixels.
constexpr int headerRight = 190, eastRoom = 35, westRoom = 45, northSouthRoom = 25;
constexpr int smallestChartRadius = 60;
constexpr double sunAngularRadius = 0.2666; // degrees, at the mean distance
constexpr Rgb skyBlue{160, 192, 240}, nameColour{64, 0, 0};
constexpr Rgb brightFill{255, 255, 0}, mediumFill{240, 192, 160}, faintFill{192, 240, 160};
constexpr Rgb moonFill{48, 48, 48};
// The header's row of the planets above the horizon (under the place and the note on the
// planets' theory).
constexpr int planetsRow = 15;

std::string clock(const char* label, double hours) {
    const auto [h, m, s] = splitHoursToSeconds(hours);
    return format(" %-9s : %02.0f:%02.0f:%02.0f", label, h, m, s);
}

} // namespace

SkyBody skyBodyAt(int cx, int cy, double angle, double altitude, double magnitude, double scale,
                  const std::string& name) {
    const double d = 90 - altitude;
    // A body of magnitude exactly -5 takes the fill of the medium range.
    const Rgb fill = magnitude < -5 ? brightFill : magnitude < 0 ? mediumFill : faintFill;
    return {clampedInt(cx - std::sin(angle * chartDegToRad) * d * scale),
            clampedInt(cy + std::cos(angle * chartDegToRad) * d * scale),
            clampedInt(magnitude < 0 ? 7 - 0.5 * magnitude : 7 * std::pow(2.0, -magnitude)),
            magnitude,
            name,
            fill};
}

SkyChart skyChartOf(int width, int height) {
    const int radius =
        std::max(smallestChartRadius, std::min((height - 2 * northSouthRoom) / 2,
                                               (width - headerRight - eastRoom - westRoom) / 2));
    return {headerRight + eastRoom + radius, height / 2, radius, radius / 90.0};
}

int sunDiscRadius(double scale) {
    return std::max(sunMinimumRadius, static_cast<int>(std::lround(sunAngularRadius * scale)));
}

int moonDiscRadius(int sunRadius, double ratio) {
    const double r = sunRadius * ratio;
    return static_cast<int>(ratio >= 1 ? std::ceil(r) : std::floor(r));
}

void drawSkyBodies(DrawSurface& surface, const std::vector<SkyBody>& bodies, int cx, int cy,
                   int radius) {
    // Names lie inside the chart's disc, off every body and off each other.
    LabelPlacer names;
    for (const SkyBody& b : bodies)
        names.reserve({b.x - b.r, b.y - b.r, b.x + b.r + 1, b.y + b.r + 1});
    const auto insideChart = [&](const LabelBox& box) {
        for (const int x : {box.left, box.right})
            for (const int y : {box.top, box.bottom})
                if (std::hypot(x - cx, y - cy) > radius)
                    return false;
        return true;
    };
    for (const SkyBody& b : bodies) {
        if (b.magnitude < 1 || b.alwaysNamed) {
            const TextSize size = surface.textSize(b.name);
            if (const auto box = names.place(labelCandidates(b.x, b.y, size.width, size.height, 0,
                                                             std::max(7, b.r + 1), b.r + 2),
                                             insideChart)) {
                surface.setTextColour(nameColour);
                surface.textOut(box->left, box->top, b.name);
            }
        }
        const Brush previous = surface.selectBrush({false, b.fill});
        surface.ellipse(b.x - b.r, b.y - b.r, b.x + b.r, b.y + b.r);
        surface.selectBrush(previous);
    }
}

void drawSkyView(DrawSurface& surface, double packedDate, double utHours, double lonEast,
                 double lat, const EclipseSky& sky, const std::optional<CivilClock>& civil,
                 bool atMaximum) {
    const Font previous = surface.selectFont({FontRole::panel, -11, 500});
    const auto [year, month, dayPart] = splitPacked(packedDate);
    const double day = std::round(dayPart);
    const double zone = zoneHours(lonEast);
    surface.setTextColour(palette[white]);
    frameRect(surface, 5, 15, 180, 195, brown);
    const auto row = [&](int r, const std::string& text) { surface.textOut(10, 15 * r, text); };
    row(2, atMaximum ? " Sky at Max. Magnitude" : " Sky at the slider's time");
    if (isJulianCalendarDate(year, month, day))
        row(3, " (Julian calendar)");
    row(4, format(" Zone date :%5d %2d %2d ", static_cast<int>(year), static_cast<int>(month),
                  static_cast<int>(day)));
    row(5, clock("UT", utHours));
    row(6, clock("Zone time", utHours + zone));
    row(7, clock("LMT", utHours + lonEast / 15));
    if (civil)
        row(8, clock(civil->abbreviation.c_str(), utHours + civil->offsetSeconds / 3600.0));
    row(9, " Location");
    row(10, format("   Lon(deg.):%8.2f", lonEast));
    row(11, format("   Lat(deg.):%8.2f", lat));
    if (!sky.planetsFromEphemeris)
        row(13, " Planets: mean elements");

    surface.selectFont({FontRole::mono, -11, 500});
    surface.setBackgroundOpaque(false);
    const SkyChart c = skyChartOf(surface.width(), surface.height());
    const Brush previousBrush = surface.selectBrush({false, skyBlue});
    surface.ellipse(c.cx - c.radius, c.cy - c.radius, c.cx + c.radius, c.cy + c.radius);
    surface.selectBrush(previousBrush);
    for (const int altitude : {0, 30, 60})
        frameCircle(surface, c.cx, c.cy, static_cast<int>(std::lround((90 - altitude) * c.scale)),
                    vesk::white);
    drawLine(surface, c.cx, c.cy - c.radius, c.cx, c.cy + c.radius, vesk::white);
    drawLine(surface, c.cx - c.radius, c.cy, c.cx + c.radius, c.cy, vesk::white);

    const int sunRadius = sunDiscRadius(c.scale);
    std::vector<SkyBody> bodies;
    std::string planetsUp; // the planets above the horizon, named under the header
    // the Sun and the planets (the catalogue's first rows), then the stars
    std::vector<std::pair<std::size_t, HorizontalPlace>> places;
    for (std::size_t row = 0; row < sky.bodies.size(); ++row)
        places.emplace_back(row, sky.bodies[row]);
    for (const StarInSky& star : sky.stars)
        places.emplace_back(star.row, star.place);
    for (const auto& [row, place] : places) {
        if (place.altitude <= 0)
            continue;
        const char* name = skyCatalogue[row].name;
        const bool solar = row < sky.bodies.size();
        SkyBody body =
            skyBodyAt(c.cx, c.cy, -place.azimuth, place.altitude, place.magnitude, c.scale, name);
        body.alwaysNamed = solar;
        if (solar && row > 0)
            planetsUp += (planetsUp.empty() ? "" : ", ") + std::string(name);
        if (row == 0) { // the Sun to its size, and the Moon over it
            body.r = sunRadius;
            bodies.push_back(body);
            if (sky.moonToSunRatio > 0)
                bodies.push_back({body.x, body.y, moonDiscRadius(sunRadius, sky.moonToSunRatio), 0,
                                  "", moonFill});
            continue;
        }
        body.r = std::min(body.r, sunRadius - 1); // no planet or star larger than the Sun
        bodies.push_back(body);
    }
    drawSkyBodies(surface, bodies, c.cx, c.cy, c.radius);
    surface.setTextColour(palette[white]);
    surface.selectFont({FontRole::panel, -11, 500});
    surface.textOut(10, 15 * planetsRow, " Planets up:");
    surface.textOut(10, 15 * (planetsRow + 1), "   " + (planetsUp.empty() ? "none" : planetsUp));
    surface.selectFont({FontRole::mono, -11, 500});
    surface.setTextColour(skyBlue);
    surface.textOut(c.cx - 15, c.cy - c.radius - 15, "North");
    surface.textOut(c.cx - 15, c.cy + c.radius, "South");
    surface.textOut(c.cx - c.radius - 25, c.cy - 5, "East");
    surface.textOut(c.cx + c.radius + 5, c.cy - 5, "West");
    surface.selectFont(previous);
}

} // namespace vesk
