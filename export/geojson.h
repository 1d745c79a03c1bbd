// SPDX-License-Identifier: GPL-3.0-or-later
// The eclipse path as GeoJSON (RFC 7946) for GIS tools and web maps: one FeatureCollection with
// the central line and the umbral limits, the central path as a polygon, the penumbral limits,
// the magnitude curves, the sunrise/sunset curves, and the outlines of the penumbra and the
// umbra every half hour as polygons. Longitudes lie in -180..180; lines and rings that cross the
// antimeridian are cut there into parts (RFC 7946, 3.1.9), and exterior rings run
// counterclockwise (3.1.6).
#pragma once

#include "catalog.h"
#include "path_geometry.h"

#include <string>
#include <utility>
#include <vector>

namespace vesk {

using LonLat = std::pair<double, double>;

// A line cut where it crosses the antimeridian (a step of more than 180 degrees of longitude):
// each part ends on +-180 at the crossing, interpolated in latitude, and the next begins on the
// other side.
std::vector<std::vector<LonLat>> cutLineAtAntimeridian(const std::vector<LonLat>& line);

// The GeoJSON document of the eclipse of record from its path geometry; with the limits corrected
// for the lunar limb, those too (named features after the others, with the solar radius and the
// lunar grid they were computed with).
std::string pathGeoJson(const EclipseRecord& record, const PathGeometry& geometry,
                        const CorrectedLimits* corrected = nullptr);

} // namespace vesk
