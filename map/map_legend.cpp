// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_legend.h"

#include "delta_t_band_layer.h"
#include "palette.h"
#include "true_limits_layer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vesk {

namespace {

const Font legendFont{FontRole::mono, -11, 500};
// The stroke of a colour and the gaps of the box, pixels.
constexpr int sampleLength = 22, padding = 6, lineGap = 3, frameMargin = 8;
// A curve's label is tried at this many of its points at most, spread along it.
constexpr std::size_t labelTries = 40;

// The visible points of a curve, first the one a fraction of the way along its visible part,
// then outwards from it on both sides: labelTries of them at most, spread along it.
template <typename Point>
std::vector<ViewPixel> visibleFromFraction(const MapCanvas& c, const std::vector<Point>& points,
                                           double fraction) {
    std::vector<ViewPixel> visible;
    for (const Point& p : points)
        if (const ViewPixel at = viewPixel(c, p.lon, p.lat); at.visible)
            visible.push_back(at);
    std::vector<ViewPixel> ordered;
    if (visible.empty())
        return ordered;
    const auto start = static_cast<std::size_t>(std::lround(fraction * (visible.size() - 1)));
    const std::size_t stride = std::max<std::size_t>(1, 2 * visible.size() / labelTries);
    for (std::size_t step = 0; step <= std::max(start, visible.size() - start); step += stride) {
        if (start + step < visible.size())
            ordered.push_back(visible[start + step]);
        if (step > 0 && step <= start)
            ordered.push_back(visible[start - step]);
    }
    return ordered;
}

// A label beside the first of the points where it finds room within the map frame, gap pixels
// clear of every other label on each side (labels of one kind that lie in a row, like the
// durations across the path, would otherwise read as one).
void labelAt(MapCanvas& c, const std::vector<ViewPixel>& points, const std::string& text,
             int gap = 0) {
    const MapLayout& l = c.layout;
    const TextSize size = c.surface.textSize(text);
    const LabelBox frame{l.mapLeft + 1, l.mapTop + 1, l.mapRight, l.mapBottom};
    for (const ViewPixel& at : points) {
        const auto box = c.labels.place(
            labelCandidates(at.x, at.y, size.width + 2 * gap, size.height + 2 * gap, 3, 2, 3),
            [&](const LabelBox& b) { return boxWithin(b, frame); });
        if (box) {
            c.surface.textOut(box->left + gap, box->top + gap, text);
            return;
        }
    }
}

// The gap around a duration's label.
constexpr int durationLabelGap = 3;

} // namespace

bool legendShown(const ViewSettings& v) {
    return v.legend == MapLegend::always ||
           (v.legend == MapLegend::globes && v.projection == Projection::globe);
}

std::vector<LegendEntry> legendEntries(int type, double bandSigmas, bool durations,
                                       std::optional<GroundHeightSource> correctedLimits,
                                       std::optional<double> solarRadiusArcsec) {
    const CurveColours colours;
    std::vector<LegendEntry> entries;
    const bool annular = type == typeAnnular || type == typeNonCentralAnnular;
    const bool hybrid = type == typeAnnularTotal;
    if (type != typePartial) {
        entries.push_back({palette[colours.central], "Central line"});
        if (!annular)
            entries.push_back({palette[colours.umbra], "Limits of totality"});
        if (annular || hybrid)
            entries.push_back({palette[colours.annularUmbra], "Limits of annularity"});
        if (durations)
            entries.push_back({palette[colours.duration], hybrid ? "Equal central duration"
                                                          : annular
                                                              ? "Equal duration of annularity"
                                                              : "Equal duration of totality"});
        if (correctedLimits) {
            entries.push_back({palette[interiorLimitColour],
                               *correctedLimits == GroundHeightSource::reliefGrid
                                   ? "Interior limits, lunar limb (LRO), on the ground"
                                   : "Interior limits, lunar limb (LRO), at sea level"});
            entries.push_back({grazeZoneColour, "Graze zones (Baily's beads)"});
        }
    }
    entries.push_back({palette[colours.penumbra], "Partial limits, magnitude and UT curves"});
    entries.push_back({palette[colours.riseSet], "Eclipse at sunrise/sunset"});
    entries.push_back({palette[colours.maxRiseSet], "Maximum at sunrise/sunset"});
    if (bandSigmas > 0) {
        char text[64];
        std::snprintf(text, sizeof text, "Path if \u0394T is within \u00b1%g\u03c3", bandSigmas);
        entries.push_back({deltaTBandColour, text});
    }
    if (solarRadiusArcsec) {
        char text[64];
        std::snprintf(text, sizeof text, "Sun's radius %.2f\" (%.0f km)", *solarRadiusArcsec,
                      sunRadiusOfArcseconds(*solarRadiusArcsec));
        entries.push_back({palette[white], text, LegendMark::none});
    }
    entries.push_back({palette[markedPointColour],
                       type == typePartial ? "Greatest eclipse, first and last contact"
                                           : "Greatest eclipse, first and last contacts",
                       LegendMark::ring});
    return entries;
}

LabelBox legendBox(const MapCanvas& c, const std::vector<LegendEntry>& entries) {
    const Font previous = c.surface.selectFont(legendFont);
    int width = 0, lineHeight = 0;
    for (const LegendEntry& e : entries) {
        const TextSize size = c.surface.textSize(e.text);
        width = std::max(width, size.width);
        lineHeight = std::max(lineHeight, size.height);
    }
    c.surface.selectFont(previous);
    const int w = padding * 3 + sampleLength + width;
    const int h = padding * 2 + static_cast<int>(entries.size()) * (lineHeight + lineGap);
    // the whole globe's: in the view's corner below the text panel where it has room
    const ViewSettings& v = c.view;
    const int panelEnd = static_cast<int>(std::lround(panelBottom * c.layout.panelScale));
    const int viewBottom = c.surface.height() - panelMargin;
    if (v.projection == Projection::globe && showsWholeGlobe(v) &&
        viewBottom - h > panelEnd + panelMargin)
        return {panelMargin, viewBottom - h, panelMargin + w, viewBottom};
    const int bottom = c.layout.mapBottom - frameMargin;
    const int left = c.layout.mapLeft + frameMargin;
    return {left, bottom - h, left + w, bottom};
}

void drawLegend(MapCanvas& c, const std::vector<LegendEntry>& entries) {
    const LabelBox box = legendBox(c, entries);
    DrawSurface& s = c.surface;
    fillBox(s, box.left, box.top, box.right, box.bottom, black);
    frameRect(s, box.left, box.top, box.right, box.bottom, brown);
    const Font previous = s.selectFont(legendFont);
    s.setBackgroundOpaque(false);
    s.setTextColour(palette[white]);
    const int lineHeight = (box.bottom - box.top - 2 * padding) / static_cast<int>(entries.size());
    int y = box.top + padding;
    for (const LegendEntry& e : entries) {
        const int middle = y + (lineHeight - lineGap) / 2;
        if (e.mark == LegendMark::ring) {
            const Pen pen = s.selectPen({PenStyle::solid, e.colour});
            const Brush brush = s.selectBrush({true, {}});
            const int x = box.left + padding + sampleLength / 2;
            s.ellipse(x - markedPointRadius, middle - markedPointRadius, x + markedPointRadius,
                      middle + markedPointRadius);
            s.selectBrush(brush);
            s.selectPen(pen);
        } else if (e.mark == LegendMark::stroke) {
            s.fillSolidRect(box.left + padding, middle - 1, box.left + padding + sampleLength,
                            middle + 1, e.colour);
        }
        s.textOut(box.left + 2 * padding + sampleLength, y, e.text);
        y += lineHeight;
    }
    s.selectFont(previous);
}

void labelCurves(MapCanvas& c, const PathGeometry& g, double t0) {
    const Font previous = c.surface.selectFont(legendFont);
    c.surface.setBackgroundOpaque(false);
    c.surface.setTextColour(palette[CurveColours{}.penumbra]);
    char text[16];
    for (std::size_t level = 0; level < g.magnitudeCurves.size(); ++level)
        for (const auto& side : g.magnitudeCurves[level])
            for (const auto& piece : side) {
                std::snprintf(text, sizeof text, "%.1f", magnitudeLevels[level]);
                labelAt(c, visibleFromFraction(c, piece, 0.5), text);
            }
    for (const SameTimeCurve& curve : g.sameTimeCurves) {
        const double minutes = std::round((t0 + curve.t - g.deltaT / 3600) * 60);
        const double dayMinutes = minutes - 1440 * std::floor(minutes / 1440);
        std::snprintf(text, sizeof text, "%02.0f:%02.0f", std::floor(dayMinutes / 60),
                      std::fmod(dayMinutes, 60));
        std::vector<TracedPoint> found;
        for (const TracedPoint& p : curve.points)
            if (p.found)
                found.push_back(p);
        labelAt(c, visibleFromFraction(c, found, 0.5), text);
    }
    c.surface.setBackgroundOpaque(true);
    c.surface.selectFont(previous);
}

void drawDurationCurves(MapCanvas& c, const std::vector<DurationCurve>& curves) {
    const int colour = CurveColours{}.duration;
    for (const DurationCurve& curve : curves)
        for (const std::vector<PathPoint>& side : curve.sides)
            strokeCurve(c, side, colour);
    const Font previous = c.surface.selectFont(legendFont);
    c.surface.setBackgroundOpaque(false);
    c.surface.setTextColour(palette[colour]);
    // each curve's labels a step farther along the path than the last's, so that they stand
    // apart across the narrow path
    char text[32];
    for (std::size_t k = 0; k < curves.size(); ++k) {
        const long seconds = std::lround(curves[k].seconds);
        std::snprintf(text, sizeof text, "%ldm%02lds", seconds / 60, seconds % 60);
        const double fraction = (k + 1.0) / (curves.size() + 1.0);
        for (const std::vector<PathPoint>& side : curves[k].sides)
            labelAt(c, visibleFromFraction(c, side, fraction), text, durationLabelGap);
    }
    c.surface.setBackgroundOpaque(true);
    c.surface.selectFont(previous);
}

} // namespace vesk
