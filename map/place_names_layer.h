// SPDX-License-Identifier: GPL-3.0-or-later
// The names of places on regional maps, thinned by population: the more the map is magnified,
// the smaller the places named.
#pragma once

#include "gazetteer.h"
#include "map_projection.h"

namespace vesk {

// The fewest inhabitants a place needs for its name on a map of magnification m:
// namedPopulationScale / m², 1.4 million on the Asia map (m = 2.7), 25,000 at m = 20.
constexpr double namedPopulationScale = 1e7;
long long namedPopulation(double magnification);

// The names of places on a regional map (none on the whole globe): the gazetteer's places of at
// least namedPopulation, the most populous first, each where its name finds room beside its dot
// and its dot covers no earlier label or dot (a place already named by the observing places is
// not named twice). Without a gazetteer, none.
void drawPlaceNames(MapCanvas& canvas, const Gazetteer* gazetteer);

} // namespace vesk
