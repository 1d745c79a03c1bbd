// SPDX-License-Identifier: GPL-3.0-or-later
#include "grid_labels.h"

#include "angles.h"
#include "palette.h"

#include <cmath>
#include <cstdio>

namespace vesk {

namespace {

const Font gridFont{FontRole::mono, -10, 400};

// The index of the grid line at or below a value (degrees) of lines at origin + k * spacing.
double lineIndex(double value, double origin, double spacing) {
    return std::floor((value - origin) / spacing + 1e-9);
}

// A label of a line's degrees in its box, when the box finds room within the frame.
void placeLabel(MapCanvas& c, const std::string& text, int left, int top) {
    const MapLayout& l = c.layout;
    const TextSize size = c.surface.textSize(text);
    const LabelBox box{left, top, left + size.width, top + size.height};
    const LabelBox frame{l.mapLeft + 1, l.mapTop + 1, l.mapRight, l.mapBottom};
    if (c.labels.place({box}, [&](const LabelBox& b) { return boxWithin(b, frame); }))
        c.surface.textOut(box.left, box.top, text);
}

} // namespace

std::string degreesText(double degrees, bool longitude) {
    if (longitude)
        degrees = wrappedLongitude(degrees);
    const double rounded = std::round(degrees * 10) / 10;
    const char* side = rounded == 0 ? ""
                       : longitude  ? (rounded > 0 ? "E" : "W")
                                    : (rounded > 0 ? "N" : "S");
    char text[24];
    std::snprintf(text, sizeof text, "%g°%s", std::fabs(rounded), side);
    return text;
}

void labelGridAtFrame(MapCanvas& c) {
    const std::optional<GridLines> lines = gridLinesOf(c);
    if (!lines)
        return;
    const MapLayout& l = c.layout;
    const Font previous = c.surface.selectFont(gridFont);
    c.surface.setBackgroundOpaque(false);
    c.surface.setTextColour(palette[lightBlue]);
    const int height = c.surface.textSize("0").height;
    // meridians along the bottom, parallels along the left side
    std::optional<std::pair<double, double>> last;
    for (int px = l.mapLeft + 1; px < l.mapRight; ++px) {
        const auto here = lonLatAtPixel(c, px, l.mapBottom - 1);
        if (here && last && std::fabs(here->first - last->first) < 180) {
            const double a = lineIndex(last->first, lines->lonOrigin, lines->lonSpacing);
            const double b = lineIndex(here->first, lines->lonOrigin, lines->lonSpacing);
            if (a != b) {
                const std::string text =
                    degreesText(lines->lonOrigin + std::max(a, b) * lines->lonSpacing, true);
                placeLabel(c, text, px + 2, l.mapBottom - height - 2);
            }
        }
        last = here;
    }
    last.reset();
    for (int py = l.mapTop + 1; py < l.mapBottom; ++py) {
        const auto here = lonLatAtPixel(c, l.mapLeft + 1, py);
        if (here && last) {
            const double a = lineIndex(last->second, lines->latOrigin, lines->latSpacing);
            const double b = lineIndex(here->second, lines->latOrigin, lines->latSpacing);
            if (a != b)
                placeLabel(
                    c, degreesText(lines->latOrigin + std::max(a, b) * lines->latSpacing, false),
                    l.mapLeft + 3, py - height - 1);
        }
        last = here;
    }
    c.surface.setBackgroundOpaque(true);
    c.surface.selectFont(previous);
}

} // namespace vesk
