// SPDX-License-Identifier: GPL-3.0-or-later
// What the eclipse map's colours mean: the colours of its curves, a legend box that names them,
// and labels on the magnitude curves (their magnitude) and the curves of equal time (their UT).
#pragma once

#include "map_projection.h"
#include "path_geometry.h"

#include <optional>
#include <string>
#include <vector>

namespace vesk {

// The palette colours of the curves of the eclipse map.
struct CurveColours {
    int central = red, umbra = rose, annularUmbra = red, penumbra = yellow, riseSet = green,
        maxRiseSet = paleGreen, duration = orange;
};

// The rings that mark greatest eclipse and the first and last contacts on the map: colour and
// radius in pixels.
constexpr int markedPointColour = red, markedPointRadius = 3;

// Whether the map shows its legend: by default on the globe, whole or regional (the Asia and
// Europe views and zooms), not on the Mercator map; else as chosen.
bool legendShown(const ViewSettings& view);

// How a legend line shows its colour: a stroke (a curve) or a ring (a marked point).
enum class LegendMark { stroke, ring, none };

struct LegendEntry {
    Rgb colour;
    std::string text;
    LegendMark mark = LegendMark::stroke;
};

// The legend's lines for an eclipse of a type (its central path's limits only for a central
// type), with the band of Delta T's uncertainty of bandSigmas standard errors (none when 0) and
// with the curves of equal duration or without; last the rings of the points marked.
// With corrected limits (the heights they were traced for): their interior limits, on the
// ground or at sea level, and graze zones; with a solar radius (arcseconds at 1 au) other than
// the catalog's, a line that says so.
std::vector<LegendEntry>
legendEntries(int type, double bandSigmas, bool durations = false,
              std::optional<GroundHeightSource> correctedLimits = std::nullopt,
              std::optional<double> solarRadiusArcsec = std::nullopt);

// The legend's box: on the whole globe in the corner below the text panel, where it has room;
// else at the map frame's lower left.
LabelBox legendBox(const MapCanvas& canvas, const std::vector<LegendEntry>& entries);

// Draws the legend in its box: a stroke of each colour and its text.
void drawLegend(MapCanvas& canvas, const std::vector<LegendEntry>& entries);

// Labels each magnitude curve with its magnitude and each curve of equal time with its UT
// (hh:mm, t0 the elements' hour of TT), near the middle of the curve's visible part, where a
// label finds room.
void labelCurves(MapCanvas& canvas, const PathGeometry& g, double t0);

// Strokes the curves of equal duration and labels each side of a curve with its duration
// ("2m30s") where a label finds room: the k-th of n curves from (k + 1) / (n + 1) of the way
// along the visible part of its side, so that the labels stand apart.
void drawDurationCurves(MapCanvas& canvas, const std::vector<DurationCurve>& curves);

} // namespace vesk
