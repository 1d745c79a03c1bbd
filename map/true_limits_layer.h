// SPDX-License-Identifier: GPL-3.0-or-later
// The limits of the central path corrected for the lunar limb on a regional map: the graze zones
// between the interior and the exterior limits shaded, the interior limits as solid lines.
#pragma once

#include "map_projection.h"
#include "path_geometry.h"

namespace vesk {

// The colours of the layer and the least magnification at which it is drawn (a regional map:
// on the whole globe the zones are a pixel wide).
constexpr Rgb grazeZoneColour{150, 220, 255};
constexpr int interiorLimitColour = white;
constexpr double correctedLimitsMagnification = 10;

// Shades the graze zones, under the path's curves.
void shadeGrazeZones(MapCanvas& canvas, const CorrectedLimits& limits);
// Strokes the interior limits, over the path's curves.
void strokeInteriorLimits(MapCanvas& canvas, const CorrectedLimits& limits);

} // namespace vesk
