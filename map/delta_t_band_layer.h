// SPDX-License-Identifier: GPL-3.0-or-later
// The band of the uncertainty of Delta T on the eclipse map: the ground the central path covers
// for Delta T within +-K standard errors, shaded under the curves (a sparse pattern of the band's
// colour, so the relief shows through), the +-1 standard error part denser, and the band's
// edges labelled with their Delta T at the latitude of greatest eclipse.
#pragma once

#include "delta_t_band.h"
#include "map_projection.h"

namespace vesk {

// The band's colour.
constexpr Rgb deltaTBandColour{255, 96, 0};

struct DeltaTBandLayer {
    DeltaTBand outer, inner;      // +-K sigma, +-1 sigma
    double deltaT = 0, sigma = 0; // seconds
    double sigmas = 0;            // K
};

// The layer of a path for Delta T with its standard error and K.
DeltaTBandLayer deltaTBandLayer(const PathGeometry& g, double deltaT, double sigma, double k);

// Shades the band: one pixel in two within +-1 sigma, one in four out to +-K sigma.
void drawDeltaTBand(MapCanvas& canvas, const DeltaTBandLayer& band);
// The band's labels, over the curves and clear of the labels placed before: the Delta T of each
// edge where the band is wider than the path, else one label for both.
void labelDeltaTBand(MapCanvas& canvas, const DeltaTBandLayer& band, const PathGeometry& g);

// Shades the central path of g (between its limits, the band of Delta T's value) with one pixel
// in two of its colour, so the relief shows through.
void fillCentralPath(MapCanvas& canvas, const PathGeometry& g, Rgb colour);

} // namespace vesk
