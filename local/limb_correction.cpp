// SPDX-License-Identifier: GPL-3.0-or-later
#include "limb_correction.h"

#include "angles.h"
#include "checked_int.h"
#include "limb_margins.h"
#include "local_circumstances.h"
#include "lunar_libration.h"
#include "palette.h"
#include "text_format.h"
#include "timescales.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <optional>
#include <string>

namespace vesk {

namespace {

constexpr int chartX = 440, chartY = 250;
constexpr double chartFactor = 0.85;
constexpr double kmPerArcsecond = 1.863619; // at the Moon's distance
constexpr double spikeLimitKm = 3;
constexpr double windowLeadInDeg = 5;
constexpr double limbBandLow = 1727, limbBandHigh = 1747;
constexpr Rgb profilePen{255, 200, 155}, ringBlue{0, 0, 255}, ringMagenta{255, 0, 255};

int nearest(double v) {
    return clampedInt(v < 0 ? std::ceil(v - 0.5) : std::floor(v + 0.5));
}

// Chart radius of a limb radius (km).
double chartRadius(double rho) {
    return 200 + 10 * (rho - moonMeanLimbKm);
}

int gridValue(const LimbData& limb, int row, int column) {
    row = std::clamp(row, 0, lunarGridRows - 1);
    column = ((column % lunarGridColumns) + lunarGridColumns) % lunarGridColumns;
    return limb.grid[static_cast<std::size_t>(row) * lunarGridColumns + column];
}

} // namespace

Outcome loadLunarGrid(LimbData& limb, const DataPaths& paths) {
    // a short file counts as missing
    limb.grid = readInt16Grid(paths, lunarGridFileName,
                              static_cast<std::size_t>(lunarGridRows) * lunarGridColumns);
    if (limb.grid.empty())
        return Failure{FailureKind::lunarGridMissing, lunarGridFileName, std::nullopt,
                       "not in the data folders, or shorter than the grid"};
    return std::nullopt;
}

LunarRelief lunarRelief(const LimbData& limb) {
    if (limb.grid.empty())
        return {};
    const auto [lowest, highest] = std::minmax_element(limb.grid.begin(), limb.grid.end());
    return {moonReferenceRadiusKm + *lowest / 1000.0, moonReferenceRadiusKm + *highest / 1000.0};
}

double elevationAt(const LimbData& limb, double lon, double lat) {
    if (limb.grid.empty())
        return 0;
    lon -= 360 * std::floor(lon / 360);
    const double x = (lon - 1.0 / 32) * 16, y = (90 - 1.0 / 32 - lat) * 16;
    const int c0 = clampedInt(std::floor(x)), r0 = clampedInt(std::floor(y));
    const double fx = x - c0, fy = y - r0;
    if (c0 >= 0 && c0 + 1 < lunarGridColumns && r0 >= 0 && r0 + 1 < lunarGridRows) {
        // inside the grid: the four nodes directly
        const std::int16_t* upper = &limb.grid[static_cast<std::size_t>(r0) * lunarGridColumns +
                                               static_cast<std::size_t>(c0)];
        const std::int16_t* lower = upper + lunarGridColumns;
        const double top = (1 - fx) * upper[0] + fx * upper[1];
        const double bottom = (1 - fx) * lower[0] + fx * lower[1];
        return ((1 - fy) * top + fy * bottom) / 1000;
    }
    const double top = (1 - fx) * gridValue(limb, r0, c0) + fx * gridValue(limb, r0, c0 + 1);
    const double bottom =
        (1 - fx) * gridValue(limb, r0 + 1, c0) + fx * gridValue(limb, r0 + 1, c0 + 1);
    return ((1 - fy) * top + fy * bottom) / 1000;
}

LimbProfile limbProfile(const LimbData& limb, double l, double b, double p,
                        std::optional<ProfileWindow> window) {
    const double lDeg = l / chartDegToRad;
    LimbProfile profile;
    profile.axisAngleDeg = p / chartDegToRad;
    // the lines of sight across the limb, every 0.2 degrees within 5 of it
    constexpr int acrossSteps = 51;
    std::array<double, acrossSteps> cosDelta{}, sinDelta{};
    for (int across = 0; across < acrossSteps; ++across) {
        const double delta = (-5 + 0.2 * across) * chartDegToRad;
        cosDelta[static_cast<std::size_t>(across)] = std::cos(delta);
        sinDelta[static_cast<std::size_t>(across)] = std::sin(delta);
    }
    const double sinB = std::sin(b), cosB = std::cos(b);
    std::array<bool, 3601> written{};
    std::optional<double> previousHeight;
    if (!window)
        previousHeight = 0;
    for (int step = 0; step <= 3600; ++step) {
        const double a = step / 10.0, s = (a + 90) * chartDegToRad;
        double f = a + profile.axisAngleDeg;
        f -= 360 * std::floor(f / 360);
        // outside a window: skipped, but for a lead-in that sets the spike rule's height
        const double fromCentre =
            window ? std::fabs(wrappedLongitude(f - window->centreDeg)) - window->halfWidthDeg : 0;
        if (fromCentre > windowLeadInDeg)
            continue;
        const double sinS = std::sin(s), cosS = std::cos(s);
        double q = -30;
        for (std::size_t across = 0; across < acrossSteps; ++across) {
            const double cosD = cosDelta[across], sinD = sinDelta[across];
            const double lambda = std::atan2(cosD * sinB * sinS - sinD * cosB, cosS * cosD);
            const double beta =
                std::atan2(cosD * cosB * sinS + sinD * sinB, cosS * cosD / std::cos(lambda));
            const double rho =
                elevationAt(limb, lambda / chartDegToRad + 90 + lDeg, beta / chartDegToRad) +
                moonReferenceRadiusKm;
            q = std::max(q, rho * cosD - moonMeanLimbKm);
        }
        if (!previousHeight)
            previousHeight = q; // a window starts from its first height
        if (std::fabs(q - *previousHeight) > spikeLimitKm)
            q = *previousHeight; // a spike of the grid keeps the previous height
        else
            previousHeight = q;
        if (fromCentre > 0)
            continue;
        profile.tracedHeight[static_cast<std::size_t>(step)] = q;
        const int index = (clampedInt(10 * f + 0.5) % 3600 + 3600) % 3600;
        profile.radius[static_cast<std::size_t>(index)] = q + moonMeanLimbKm;
        written[static_cast<std::size_t>(index)] = true;
    }
    if (written[1] && written[3599]) { // north: the mean of its neighbours, under both indices
        profile.radius[0] = profile.radius[3600] = (profile.radius[1] + profile.radius[3599]) / 2;
        written[0] = written[3600] = true;
    } else if (written[0]) { // a window's edge at north: under both indices too
        profile.radius[3600] = profile.radius[0];
        written[3600] = true;
    }
    profile.lowest = std::numeric_limits<double>::infinity();
    profile.highest = -std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i]) {
            profile.lowest = std::min(profile.lowest, profile.radius[i]);
            profile.highest = std::max(profile.highest, profile.radius[i]);
        }
    }
    return profile;
}

void drawLimbProfile(DrawSurface& surface, const LimbProfile& profile) {
    drawLine(surface, chartX - 10, chartY, chartX + 10, chartY, pink);
    drawLine(surface, chartX, chartY - 10, chartX, chartY + 10, pink);
    const Brush previousBrush = surface.selectBrush({true, {}});
    for (int ring = -2; ring <= 3; ++ring) {
        const int r = static_cast<int>(chartFactor * (200 + 10 * kmPerArcsecond * ring));
        const Pen previous =
            surface.selectPen({PenStyle::dotted, ring == 0 ? ringMagenta : ringBlue});
        surface.ellipse(chartX - r, chartY - r, chartX + r, chartY + r);
        surface.selectPen(previous);
    }
    surface.selectBrush(previousBrush);
    const Pen previousPen = surface.selectPen({PenStyle::solid, profilePen});
    bool first = true;
    for (int step = 0; step <= 3600; ++step) {
        const double a = step / 10.0, pDeg = profile.axisAngleDeg;
        const double r = 200 + 10 * profile.tracedHeight[static_cast<std::size_t>(step)];
        const int x = chartX - nearest(chartFactor * r * std::sin((a + pDeg) * chartDegToRad));
        const int y = chartY - nearest(chartFactor * r * std::cos((a + pDeg) * chartDegToRad));
        if (y <= 0 || y >= 800)
            continue;
        if (first)
            surface.moveTo(x, y);
        else
            surface.lineTo(x, y);
        first = false;
    }
    surface.selectPen(previousPen);
}

namespace {

// Plots the Sun's limb at t in a palette colour on the chart.
void drawSolarLimb(DrawSurface& surface, const EclipseRecord& record, const Observer& observer,
                   double t, double deltaT, int colour) {
    const SunAgainstLimb sun = sunAgainstLimb(observeShadow(record, observer, t, deltaT));
    for (int i = 0; i <= 1440; ++i) {
        const double theta = i * 0.25 * chartDegToRad;
        const double x = sun.sunRadius * std::cos(theta) + sun.x;
        const double y = sun.sunRadius * std::sin(theta) + sun.y;
        const double rho = std::hypot(x, y), psi = std::atan2(x, y);
        if (rho > limbBandLow && rho < limbBandHigh) {
            const double r = chartRadius(rho);
            plotPixel(surface, chartX + nearest(chartFactor * r * std::sin(psi)),
                      chartY + nearest(chartFactor * r * std::cos(psi)), colour);
        }
    }
}

} // namespace

namespace {

// The lines of the corrected contacts in civil time: below the frame of the text.
constexpr int civilLineTop = 222, civilLinePitch = 16;
// How far the place's height moves the path's near edge: below the civil times.
constexpr int heightLineTop = civilLineTop + 3 * civilLinePitch;

// The second (c = 0) or third (c = 1) contact: the Sun's limb at it and 3 and 6 s about it, its
// zone time, the correction for the Moon's limb and the corrected time, and its mark on the chart.
// Where the smooth Moon gives no such contact, only the corrected one. The corrected zone time in
// hours, or nothing without a corrected contact.
std::optional<double> drawContact(DrawSurface& surface, const EclipseRecord& record,
                                  const LocalCircumstances& local,
                                  const std::optional<CorrectedContact>& corrected, double dT,
                                  double zone, int c) {
    const int y0 = c == 0 ? 80 : 138;
    const std::optional<LocalEvent>& contact = c == 0 ? local.second : local.third;
    if (!contact && !corrected)
        return std::nullopt;
    const auto limbAt = [&](double at, int colour) {
        drawSolarLimb(surface, record, local.observer, at, dT, colour);
    };
    const auto zoneHoursAt = [&](double t) { return t + record.t0 - dT / 3600 + zone; };
    const char* name = c == 0 ? "2nd Contact" : "3rd Contact";
    std::optional<double> correctedZoneHours;
    if (contact) {
        const double t = contact->shadow.t;
        limbAt(t, pink);
        for (const double offset : {3.0, 6.0}) {
            limbAt(t + offset / 3600, lightBlue);
            limbAt(t - offset / 3600, rose);
        }
        const auto [h, m, sec] = splitHoursToTenths(zoneHoursAt(t));
        surface.textOut(10, y0, format("%s %02.0f:%02.0f:%04.1f", name, h, m, sec));
        if (corrected) {
            const double shift = corrected->shiftSeconds.value_or(0);
            surface.textOut(10, y0 + 16, format(" (Correction : %+3.1fsec)", shift));
            correctedZoneHours = zoneHoursAt(t) + shift / 3600;
        } else {
            surface.textOut(10, y0 + 16, " (No Correction) ");
        }
    } else {
        surface.textOut(10, y0, format("%s (smooth Moon: none)", name));
        correctedZoneHours = zoneHoursAt(corrected->t);
    }
    if (corrected) {
        limbAt(corrected->t, cyan);
        const ClockReading fixed = splitHoursToTenths(*correctedZoneHours);
        surface.textOut(
            10, y0 + 32,
            format("  Corrected %02.0f:%02.0f:%04.1f", fixed.hours, fixed.minutes, fixed.seconds));
    }
    // the mark at the contact's position angle: the corrected contact's where there is one
    const double markedAt = corrected ? corrected->t : contact->shadow.t;
    const double pa =
        observeShadow(record, local.observer, markedAt, dT).positionAngle * chartDegToRad;
    int x = chartX - static_cast<int>(std::trunc(50 * std::sin(pa)));
    int y = chartY - static_cast<int>(std::trunc(50 * std::cos(pa)));
    if (x < chartX)
        x -= 20;
    if (y < chartY)
        y -= 10;
    surface.textOut(x, y, c == 0 ? "2C" : "3C");
    return correctedZoneHours;
}

} // namespace

LibrationResult librationAt(const EclipseRecord& record, const Observer& observer, double t,
                            double deltaT) {
    // The libration's clock hours count from midnight of the TT date of greatest eclipse.
    const auto [year, month, day, hour] = jdToCalendar(record.jdTT, 0, 0);
    return lunarLibration(year, month, day, record.t0 + t - deltaT / 3600, deltaT,
                          -observer.lonEast * degToRad, observer.lat * degToRad, 0);
}

LimbProfile drawLimbCorrection(DrawSurface& surface, const EclipseRecord& r,
                               const LocalCircumstances& local, const LimbData& limb, double dT,
                               const CivilClockAt& civil) {
    const double lonEast = local.observer.lonEast, lat = local.observer.lat;
    const Font previousFont = surface.selectFont({FontRole::mono, -12, 500});
    surface.setBackgroundOpaque(true);
    surface.setBackgroundColour({0, 0, 0});
    surface.setTextColour(palette[white]);
    const double tMax = local.nearest ? local.nearest->shadow.t : 0;

    // The zone date of the maximum, as the local circumstances give it.
    const auto [zoneYear, zoneMonth, zoneDay, zoneHour] =
        jdToCalendar(instantJdUt(r, tMax, dT), 1, lonEast);
    surface.textOut(10, 10,
                    format("%4.0f/%2.0f/%2.0f DT:%8.1fs%s", zoneYear, zoneMonth, zoneDay, dT,
                           calendarNote(zoneYear, zoneMonth, zoneDay).c_str()));
    surface.textOut(10, 26, format("Lon:%7.3f Lat:%7.3f ", lonEast, lat));
    const LibrationResult lib = librationAt(r, local.observer, tMax, dT);
    surface.textOut(10, 42,
                    format("Lib=%7.3f Bet= %7.3f", lib.l / chartDegToRad, lib.b / chartDegToRad));
    surface.textOut(10, 58, format("Pos=%7.3f", lib.positionAngle / chartDegToRad));
    const LimbProfile profile = limbProfile(limb, lib.l, lib.b, lib.positionAngle);
    drawLimbProfile(surface, profile);

    const double zone = zoneHours(lonEast);
    const CorrectedContacts corrected = correctedContacts(profile, r, local, dT);
    const std::optional<double> second =
        drawContact(surface, r, local, corrected.second, dT, zone, 0);
    const std::optional<double> third =
        drawContact(surface, r, local, corrected.third, dT, zone, 1);
    if (second && third) {
        const auto [h, m, sec] = splitHoursToTenths(*third - *second);
        surface.textOut(10, 192, format("Duration      %2.0fm:%04.1fs", m, sec));
    }
    if (const auto clock = civil ? civil(instantJdUt(r, tMax, dT)) : std::nullopt) {
        // the corrected contacts on the place's clocks, under the frame
        const double civilLessZone = clock->offsetSeconds / 3600.0 - zone;
        int y = civilLineTop;
        for (const auto& [name, corrected] : {std::pair{"2C", second}, std::pair{"3C", third}}) {
            if (!corrected)
                continue;
            const auto [h, m, sec] = splitHoursToTenths(*corrected + civilLessZone);
            surface.textOut(
                10, y,
                format("%s %02.0f:%02.0f:%04.1f %s", name, h, m, sec, clock->abbreviation.c_str()));
            y += civilLinePitch;
        }
    }
    const double height = local.observer.height;
    if (const std::optional<double> shift = heightEdgeShiftKm(r, local.observer, dT);
        shift && height != 0) {
        surface.textOut(10, heightLineTop, format("Height %.0f m moves the", height));
        surface.textOut(
            10, heightLineTop + civilLinePitch,
            format("near edge %.2f km %s", std::fabs(*shift), *shift > 0 ? "outward" : "inward"));
    }
    surface.textOut(10, 470, "Based on LRO/NASA data");
    surface.selectFont(previousFont);
    return profile;
}

} // namespace vesk
