// SPDX-License-Identifier: GPL-3.0-or-later
#include "sky_view.h"

#include "angles.h"
#include "checked_int.h"
#include "label_placement.h"
#include "palette.h"
#include "sky_positions.h"
#include "timescales.h"

#include <cmath>
#include <cstdio>

namespace vesk {

namespace {

constexpr int chartX = 430, chartY = 200, horizonRadius = 180;
constexpr double chartScale = 2; // pixels per degree of zenith distance
constexpr Rgb whiteText{255, 255, 255}, skyBlue{160, 192, 240}, nameColour{64, 0, 0};
constexpr Rgb brightFill{255, 255, 0}, mediumFill{240, 192, 160}, faintFill{192, 240, 160};
constexpr double faintestStar = 4;

template <typename... Args> std::string format(const char* pattern, Args... args) {
    char text[120];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

std::string clock(const char* label, double hours) {
    double h = 0, m = 0, s = 0;
    splitHours(hours, h, m, s);
    return format(" %-9s : %02.0f:%02.0f:%02.0f", label, h, m, std::floor(s));
}

} // namespace

SkyBody skyBodyAt(int cx, int cy, double angle, double altitude, double magnitude, double scale,
                  const std::string& name) {
    const double d = 90 - altitude;
    return {clampedInt(cx - std::sin(angle * chartDegToRad) * d * scale),
            clampedInt(cy + std::cos(angle * chartDegToRad) * d * scale),
            clampedInt(magnitude < 0 ? 7 - 0.5 * magnitude : 7 * std::pow(2.0, -magnitude)),
            magnitude, name};
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
        if (b.magnitude < 1) {
            const TextSize size = surface.textSize(b.name);
            if (const auto box = names.place(labelCandidates(b.x, b.y, size.width, size.height, 0,
                                                             std::max(7, b.r + 1), b.r + 2),
                                             insideChart)) {
                surface.setTextColour(nameColour);
                surface.textOut(box->left, box->top, b.name);
            }
        }
        // A body of magnitude exactly -5 takes the fill of the medium range.
        const Rgb fill = b.magnitude < -5 ? brightFill : b.magnitude < 0 ? mediumFill : faintFill;
        const Brush previous = surface.selectBrush({false, fill});
        surface.ellipse(b.x - b.r, b.y - b.r, b.x + b.r, b.y + b.r);
        surface.selectBrush(previous);
    }
}

void drawSkyView(DrawSurface& surface, double packedDate, double utHours, double lonEast,
                 double lat, const SolarSystemSky& solarSystem,
                 const std::optional<CivilClock>& civil) {
    const Font previous = surface.selectFont({"ＭＳ　明朝", -11, 500, true});
    double year = 0, month = 0, dayPart = 0;
    splitPacked(packedDate, year, month, dayPart);
    const double day = std::round(dayPart);
    const double zone = zoneHours(lonEast);
    surface.setTextColour(whiteText);
    frameRect(surface, 5, 15, 180, 195, brown);
    const auto row = [&](int r, const std::string& text) { surface.textOut(10, 15 * r, text); };
    row(2, " Sky at Max. Magnitude");
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
    if (!solarSystem.planetsFromEphemeris)
        row(13, " Planets: mean elements");

    surface.selectFont({"Times Roman", -11, 500, true});
    // The zone clock time of the zone date (the UT hours may run past a day when Delta T is
    // large).
    const double localHour = utHours + zone - 24 * std::floor((utHours + zone) / 24);
    surface.setBackgroundOpaque(false);
    const Brush sky = surface.selectBrush({false, skyBlue});
    surface.ellipse(chartX - horizonRadius, chartY - horizonRadius, chartX + horizonRadius,
                    chartY + horizonRadius);
    surface.selectBrush(sky);
    for (const int r : {180, 120, 60})
        frameCircle(surface, chartX, chartY, r, vesk::white);
    drawLine(surface, chartX, chartY - horizonRadius, chartX, chartY + horizonRadius, vesk::white);
    drawLine(surface, chartX - horizonRadius, chartY, chartX + horizonRadius, chartY, vesk::white);

    const double jd = calendarToJd(year, month, day, localHour, 1, lonEast);
    std::vector<SkyBody> bodies;
    for (std::size_t i = 0; skyCatalogue[i].name != nullptr; ++i) {
        const StarEntry& entry = skyCatalogue[i];
        HorizontalPlace place{0, 0, entry.magnitude};
        if (i < solarSystem.bodies.size()) {
            place = solarSystem.bodies[i];
        } else if (entry.magnitude < faintestStar) {
            double ra = 0, dec = 0;
            starPlace(jd, entry.ra, entry.dec, entry.pmRa, entry.pmDec, ra, dec);
            equatorialToHorizontal(jd, ra, dec, lat, lonEast, place.azimuth, place.altitude);
        } else {
            continue;
        }
        if (place.altitude > 0)
            bodies.push_back(skyBodyAt(chartX, chartY, -place.azimuth, place.altitude,
                                       place.magnitude, chartScale, entry.name));
    }
    drawSkyBodies(surface, bodies, chartX, chartY, horizonRadius);
    surface.setTextColour(skyBlue);
    surface.textOut(chartX - 15, chartY - horizonRadius - 15, "North");
    surface.textOut(chartX - 15, chartY + horizonRadius, "South");
    surface.textOut(chartX - horizonRadius - 25, chartY - 5, "East");
    surface.textOut(chartX + horizonRadius + 5, chartY - 5, "West");
    surface.selectFont(previous);
}

} // namespace vesk
