// SPDX-License-Identifier: GPL-3.0-or-later
#include "view_from_place_screen.h"

#include "angles.h"
#include "label_placement.h"
#include "palette.h"
#include "text_format.h"
#include "timescales.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace vesk {

namespace {

// The text's lines: left edge, first line and spacing; the width they take at the left.
constexpr int textLeft = 10, textTop = 15, lineSpacing = 15, textWidth = 330;
// Half the frame in the Sun's radii: at a contact the Moon's far edge lies 1 + 2 x 1.08 = 3.16 of
// them from the Sun's centre (the Moon's diameter is at most 1.08 times the Sun's).
constexpr double frameInSunRadii = 3.3;
// The contacts' ticks on the Sun's limb and their labels, in the Sun's radii from its centre.
constexpr double tickInner = 1.04, tickOuter = 1.14, tickLabel = 1.26, labelStep = 0.12;
// The corona's hint at totality: rings out to this many solar radii.
constexpr double coronaReach = 1.7;
constexpr int coronaRings = 14;
// Points of the Moon's outline: one every half degree.
constexpr int moonOutlinePoints = 720;

constexpr Rgb daySky{86, 128, 186}, darkSky{8, 12, 34}, ground{44, 40, 30},
    horizonLine{150, 140, 110};
constexpr Rgb sunColour{255, 238, 176}, moonColour{22, 22, 30}, coronaColour{236, 236, 255};
constexpr Rgb contactColour{255, 96, 80}, textColour{255, 255, 255};

Rgb mixed(Rgb from, Rgb to, double share) {
    const auto channel = [share](int a, int b) {
        return static_cast<std::uint8_t>(std::lround(a + (b - a) * std::clamp(share, 0.0, 1.0)));
    };
    return {channel(from.r, to.r), channel(from.g, to.g), channel(from.b, to.b)};
}

// The sky darkens as the Sun is covered: slowly until the last few per cent, then fast; dark in
// totality.
Rgb skyColour(double obscuration, bool total) {
    return total ? darkSky : mixed(daySky, darkSky, std::pow(obscuration, 30));
}

struct Placing {
    PlaceViewFrame frame;
    double pixelsPerDegree = 0;
    double up = 0; // the position angle (degrees) that points up

    // The point at position angle pa (degrees) and distance (degrees of sky) from a centre.
    std::pair<double, double> at(double x, double y, double pa, double distance) const {
        const double a = (pa - up) * degToRad;
        return {x - std::sin(a) * distance * pixelsPerDegree,
                y - std::cos(a) * distance * pixelsPerDegree};
    }
};

PixelPoint pixel(std::pair<double, double> p) {
    return {static_cast<int>(std::lround(p.first)), static_cast<int>(std::lround(p.second))};
}

void disc(DrawSurface& surface, double x, double y, double r, Rgb colour) {
    surface.selectPen({PenStyle::solid, colour});
    surface.selectBrush({false, colour});
    const auto edge = [](double v) { return static_cast<int>(std::lround(v)); };
    surface.ellipse(edge(x - r), edge(y - r), edge(x + r) + 1, edge(y + r) + 1);
}

// The ground below the horizon, a line perpendicular to the zenith through the point altitude
// degrees from the Sun towards the nadir; nothing when it lies below the frame, the whole frame
// when the Sun is that far below it.
void drawGround(DrawSurface& surface, const Placing& placing, const ViewFromPlace& view) {
    const double reach = std::hypot(surface.width(), surface.height());
    const double offset = view.sun.altitude * placing.pixelsPerDegree;
    if (offset > reach)
        return;
    const double nadir = view.shadow.zenithAngle + 180;
    const double across = std::max(-offset, 0.0) + 2 * reach; // past the frame's far side
    const auto [fx, fy] = placing.at(placing.frame.cx, placing.frame.cy, nadir, view.sun.altitude);
    const auto along = [&](double x, double y, double pa, double pixels) {
        return placing.at(x, y, pa, pixels / placing.pixelsPerDegree);
    };
    const auto left = along(fx, fy, nadir + 90, across), right = along(fx, fy, nadir - 90, across);
    const auto farLeft = along(left.first, left.second, nadir, across);
    const auto farRight = along(right.first, right.second, nadir, across);
    surface.selectPen({PenStyle::solid, ground});
    surface.selectBrush({false, ground});
    surface.polygon({pixel(left), pixel(right), pixel(farRight), pixel(farLeft)});
    surface.selectPen({PenStyle::solid, horizonLine});
    surface.lineBetween(left.first, left.second, right.first, right.second);
}

// The Moon: its outline from the limb profile where there is one (radius in km at each sky
// position angle, the mean limb k2), else the smooth circle.
void drawMoon(DrawSurface& surface, const Placing& placing, const ViewFromPlace& view,
              const LimbProfile* limb) {
    const auto [mx, my] =
        placing.at(placing.frame.cx, placing.frame.cy, view.positionAngle, view.separation);
    std::vector<PixelPoint> outline;
    outline.reserve(moonOutlinePoints);
    for (int i = 0; i < moonOutlinePoints; ++i) {
        const double pa = 360.0 * i / moonOutlinePoints;
        const double radius =
            limb ? view.moonRadius * limb->radius[static_cast<std::size_t>(std::lround(pa * 10))] /
                       moonMeanLimbKm
                 : view.moonRadius;
        outline.push_back(pixel(placing.at(mx, my, pa, radius)));
    }
    surface.selectPen({PenStyle::solid, moonColour});
    surface.selectBrush({false, moonColour});
    surface.polygon(outline);
}

// The contacts' ticks on the Sun's limb, their labels beyond them (beyond the corona's hint at
// totality).
void drawContactMarks(DrawSurface& surface, const Placing& placing, const LocalCircumstances& local,
                      ViewUp up, bool total) {
    const std::array<std::pair<const std::optional<LocalEvent>*, const char*>, 4> contacts{
        {{&local.first, "C1"}, {&local.second, "C2"}, {&local.third, "C3"}, {&local.fourth, "C4"}}};
    const PlaceViewFrame& f = placing.frame;
    // the marks' angles from the top: vertex angles with the zenith up, else position angles;
    // their distances in the Sun's radii
    Placing marks = placing;
    marks.up = 0;
    marks.pixelsPerDegree = f.sunRadius;
    surface.selectPen({PenStyle::solid, contactColour});
    surface.setTextColour(contactColour);
    surface.setBackgroundOpaque(false);
    LabelPlacer labels; // the inner contacts of a total eclipse lie near the outer ones
    for (const auto& [event, name] : contacts) {
        if (!*event)
            continue;
        const ObservedShadow& s = (*event)->shadow;
        const double angle = up == ViewUp::zenith ? s.vertexAngle : s.positionAngle;
        const auto inner = marks.at(f.cx, f.cy, angle, tickInner);
        const auto outer = marks.at(f.cx, f.cy, angle, tickOuter);
        surface.lineBetween(inner.first, inner.second, outer.first, outer.second);
        // the label beyond the tick, further out where an earlier one stands
        const TextSize size = surface.textSize(name);
        std::vector<LabelBox> candidates;
        const double nearest = total ? coronaReach : tickLabel;
        for (double out = nearest; out < 2 * nearest; out += labelStep) {
            const auto [lx, ly] = marks.at(f.cx, f.cy, angle, out);
            const int left = static_cast<int>(std::lround(lx - size.width / 2.0));
            const int top = static_cast<int>(std::lround(ly - size.height / 2.0));
            candidates.push_back({left, top, left + size.width, top + size.height});
        }
        if (const auto box = labels.place(candidates, [](const LabelBox&) { return true; }))
            surface.textOut(box->left, box->top, name);
    }
}

// "2024-04-08 18:42:00 UT", and the place's clock beside it where it is known.
std::string instantLine(const EclipseRecord& record, double t, double deltaT,
                        const PlaceClocks& clocks) {
    const double jdUt = instantJdUt(record, t, deltaT);
    const auto [year, month, day, hour] = jdToCalendar(std::floor(jdUt + 0.5) - 0.5, 0, 0);
    const double ut = (jdUt + 0.5 - std::floor(jdUt + 0.5)) * 24;
    std::string line =
        format(" %.0f-%02.0f-%02.0f %s UT", year, month, day, hmsOfHours(ut).c_str());
    if (const std::optional<CivilClock> clock =
            clocks.clockAt ? clocks.clockAt(jdUt) : std::nullopt)
        line += "   " + hmsOfHours(ut + clock->offsetSeconds / 3600.0) + " " + clock->abbreviation;
    return line + calendarNote(year, month, day);
}

} // namespace

PlaceViewFrame placeViewFrame(int width, int height) {
    const double across = std::max(1, width - textWidth);
    const double half = std::min(across, static_cast<double>(height)) / 2;
    return {textWidth + across / 2, height / 2.0, std::max(1.0, half / frameInSunRadii)};
}

void drawViewFromPlace(DrawSurface& surface, const EclipseRecord& record,
                       const LocalCircumstances& local, const ViewFromPlace& view, double deltaT,
                       const PlaceViewScreen& screen) {
    Placing placing;
    placing.frame = placeViewFrame(surface.width(), surface.height());
    placing.pixelsPerDegree = placing.frame.sunRadius / view.sunRadius;
    placing.up = screen.up == ViewUp::zenith ? view.shadow.zenithAngle : 0;
    const PlaceViewFrame& f = placing.frame;
    const double obscuration = view.obscuration();
    const bool total = view.separation + view.sunRadius <= view.moonRadius;
    surface.fillSolidRect(0, 0, surface.width(), surface.height(), skyColour(obscuration, total));
    if (total)
        for (int ring = coronaRings; ring >= 1; --ring) {
            const double share = 1 - static_cast<double>(ring) / (coronaRings + 1);
            disc(surface, f.cx, f.cy, f.sunRadius * (1 + (coronaReach - 1) * ring / coronaRings),
                 mixed(darkSky, coronaColour, 0.8 * share * share));
        }
    disc(surface, f.cx, f.cy, f.sunRadius, sunColour);
    drawMoon(surface, placing, view, screen.limb);
    drawGround(surface, placing, view);
    drawContactMarks(surface, placing, local, screen.up, total);

    surface.setTextColour(textColour);
    surface.setBackgroundOpaque(false);
    const std::vector<std::string> lines{
        " View from the place",
        instantLine(record, view.shadow.t, deltaT, screen.clocks),
        screen.location,
        format(" Sun   Alt %5.1f゜ (geometric)  Az %5.1f゜", view.sun.altitude, view.sun.azimuth),
        format(" Mag. %6.3f   Obscuration %5.1f%%", shownMagnitude(view.shadow.magnitude()),
               100 * obscuration),
        screen.up == ViewUp::zenith ? " Zenith up" : " North up, east left",
        screen.limb ? " Moon's limb: LRO profile" : " Moon's limb: smooth (no lunar grid)",
        view.sun.altitude < -view.sunRadius ? " The Sun is below the horizon" : "",
        screen.doubtfulCentral ? format(" %s", centralChanceLine(*screen.doubtfulCentral).c_str())
                               : "",
    };
    int y = textTop;
    for (const std::string& line : lines) {
        if (!line.empty())
            surface.textOut(textLeft, y, line);
        y += lineSpacing;
    }
}

} // namespace vesk
