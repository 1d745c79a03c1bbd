// SPDX-License-Identifier: GPL-3.0-or-later
#include "delta_t_band_layer.h"

#include "angles.h"
#include "label_placement.h"
#include "palette.h"
#include "parallel_rows.h"

#include <cmath>
#include <cstdio>

namespace vesk {

namespace {

// One pixel in outerSpacing of the +-K sigma band is shaded, one in innerSpacing of the +-1 sigma.
constexpr int outerSpacing = 4, innerSpacing = 2;
// The band's edges are labelled each with its Delta T when they lie this far (degrees of
// longitude) from the path; nearer, one label gives the Delta T and its reach.
constexpr double separateLabelsDegrees = 0.5;

// The margin of black about a label's text, pixels.
constexpr int labelMargin = 2;

// A label at greatest eclipse moved by shiftSeconds of Delta T, on black so that it stands out
// from the hatching: its top-left corner at that point, or beside it where it covers no earlier
// label within the map's frame; left out where nothing fits.
void label(MapCanvas& c, const PathGeometry& g, double shiftSeconds, const char* text) {
    const ViewPixel at = viewPixel(
        c, g.greatest.point.lon + shiftSeconds * pathDegreesPerDeltaTSecond, g.greatest.point.lat);
    if (!at.visible)
        return;
    const TextSize size = c.surface.textSize(text);
    const MapLayout& l = c.layout;
    const LabelBox frame{l.mapLeft, l.mapTop, l.mapRight, l.mapBottom};
    const auto box = c.labels.place(labelCandidates(at.x, at.y, size.width + 2 * labelMargin,
                                                    size.height + 2 * labelMargin, 0, 0, 4),
                                    [&](const LabelBox& b) { return boxWithin(b, frame); });
    if (!box)
        return;
    c.surface.fillSolidRect(box->left, box->top, box->right, box->bottom, palette[black]);
    c.surface.textOut(box->left + labelMargin, box->top + labelMargin, text);
}

// Sets the pixels (px, py) of the map frame that the pattern wants (pattern(px, py)) and for
// which colourAt(lon, lat, px, py) gives a colour.
template <typename Pattern, typename ColourAt>
void shadeMap(MapCanvas& c, Pattern pattern, ColourAt colourAt) {
    const ViewSettings& v = c.view;
    const MapLayout& l = c.layout;
    const bool globe = v.projection == Projection::globe;
    const GlobeInverse inverse(c.projection, c.layout, 0);
    const int firstRow = l.mapTop + 1, rows = std::max(0, l.mapBottom - l.mapTop - 1);
    std::vector<std::vector<ColouredPixel>> dots(static_cast<std::size_t>(rows));
    forEachRowInParallel(dots.size(), [&](std::size_t row) {
        const int py = firstRow + static_cast<int>(row);
        for (int px = l.mapLeft + 1; px < l.mapRight; ++px) {
            if (!pattern(px, py))
                continue;
            const auto place =
                globe ? inverse.lonLat(px, py) : std::optional(mercatorLonLat(c, px, py));
            if (!place)
                continue;
            if (const std::optional<Rgb> colour = colourAt(place->first, place->second, px, py))
                dots[row].push_back({px, py, *colour});
        }
    });
    for (const std::vector<ColouredPixel>& row : dots)
        c.surface.setPixels(row);
}

} // namespace

DeltaTBandLayer deltaTBandLayer(const PathGeometry& g, double deltaT, double sigma, double k) {
    return {deltaTBand(g, k * sigma), deltaTBand(g, sigma), deltaT, sigma, k};
}

void fillCentralPath(MapCanvas& c, const PathGeometry& g, Rgb colour) {
    const DeltaTBand path = deltaTBand(g, 0);
    shadeMap(
        c, [](int px, int py) { return (px + py) % 2 == 0; },
        [&](double lon, double lat, int, int) -> std::optional<Rgb> {
            return path.contains(lon, lat) ? std::optional(colour) : std::nullopt;
        });
}

void drawDeltaTBand(MapCanvas& c, const DeltaTBandLayer& band) {
    shadeMap(
        c, [](int px, int py) { return (px + py) % innerSpacing == 0; },
        [&](double lon, double lat, int px, int py) -> std::optional<Rgb> {
            const bool outerPhase = (px + py) % outerSpacing == 0;
            if ((outerPhase && band.outer.contains(lon, lat)) || band.inner.contains(lon, lat))
                return deltaTBandColour;
            return std::nullopt;
        });
}

void labelDeltaTBand(MapCanvas& c, const DeltaTBandLayer& band, const PathGeometry& g) {
    c.surface.setBackgroundOpaque(false);
    c.surface.setTextColour(deltaTBandColour);
    // the edges' Delta T where the band is wider than the path, else one label for both
    const double reach = band.sigmas * band.sigma;
    char text[64];
    if (reach * pathDegreesPerDeltaTSecond < separateLabelsDegrees) {
        std::snprintf(text, sizeof text, "ΔT %.0f ± %.1f s", band.deltaT, reach);
        label(c, g, 0, text);
        return;
    }
    for (const double shift : {-reach, reach}) {
        std::snprintf(text, sizeof text, "ΔT %.0f s", band.deltaT + shift);
        label(c, g, shift, text);
    }
}

} // namespace vesk
