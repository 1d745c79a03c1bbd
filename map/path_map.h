// SPDX-License-Identifier: GPL-3.0-or-later
// The eclipse path map: the map centre, the base map, the panel with the eclipse's circumstances,
// the contact markers and city labels, and every curve of the eclipse's path geometry projected
// and stroked.
#pragma once

#include "base_map.h"
#include "city_table.h"
#include "delta_t_band_layer.h"
#include "gazetteer.h"
#include "observed_shadow.h"
#include "path_geometry.h"

namespace vesk {

// The observer's place that the user chose, marked on the map with its name.
struct MarkedPlace {
    double lon = 0, lat = 0; // degrees east, north
    std::string name;
};

struct PathMapInputs {
    const EclipseRecord& record;
    // The local maximum of the place search at the view's observer (the panel shows it), or none.
    std::optional<ObservedShadow> placeSearchMaximum;
    const PathGeometry& geometry;
    const CityTable& cities;
    const ReliefData& relief;
    const DataPaths& paths;
    const DeltaTBandLayer* band = nullptr; // the band of Delta T's uncertainty, or none
    const Gazetteer* gazetteer = nullptr;  // the places named on regional maps, or none
    const std::vector<DurationCurve>* durations = nullptr; // the curves of equal duration, or none
    std::optional<MarkedPlace> observer = std::nullopt;    // the place chosen, or none
    const CorrectedLimits* correctedLimits = nullptr;      // with the lunar limb, or none
};

// Draws the map of the eclipse.
void drawPathMap(MapCanvas& canvas, const PathMapInputs& inputs);

} // namespace vesk
