// SPDX-License-Identifier: GPL-3.0-or-later
#include "place_names_layer.h"

#include "base_map.h"
#include "palette.h"

namespace vesk {

long long namedPopulation(double magnification) {
    return static_cast<long long>(namedPopulationScale / (magnification * magnification));
}

void drawPlaceNames(MapCanvas& c, const Gazetteer* gazetteer) {
    if (c.view.mapRange == MapRange::globe || gazetteer == nullptr)
        return;
    const double m = magnification(c);
    const Font previous = c.surface.selectFont({FontRole::mono, -11, 500});
    c.surface.setBackgroundOpaque(false);
    const long long fewest = namedPopulation(m);
    for (const std::uint32_t i : gazetteer->byPopulation) {
        const GazetteerPlace& place = gazetteer->places[i];
        if (place.population < fewest || c.stop.stop_requested())
            break;
        drawPlaceLabel(c, place.lon, place.lat, place.name, pink, LoneDot::left_out);
    }
    c.surface.setBackgroundOpaque(true);
    c.surface.selectFont(previous);
}

} // namespace vesk
