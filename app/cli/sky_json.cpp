// SPDX-License-Identifier: GPL-3.0-or-later
#include "sky_json.h"

#include "angles.h"
#include "json_values.h"
#include "sky_page.h"
#include "sky_positions.h"

#include <nlohmann/json.hpp>

namespace vesk {

namespace {

// One object of the sky as a JSON object; the azimuth from north through east.
Json skyObjectJson(const std::string& name, const HorizontalPlace& place) {
    return {{"name", name},
            {"alt", roundedJson(place.altitude, 4)},
            {"az", roundedJson(degreesWithinTurn(place.azimuth + 180), 4)},
            {"ra", roundedJson(place.ra, 4)},
            {"dec", roundedJson(place.dec, 4)},
            {"magnitude", roundedJson(place.magnitude, 2)},
            {"up", place.altitude > 0}};
}

} // namespace

std::optional<std::string> skyAtMaximumJson(const AppState& state, const ScreenFrame& frame) {
    const std::optional<EclipseSky> sky = skyOnScreen(state, frame);
    if (!sky)
        return std::nullopt;
    Json objects = Json::array();
    for (std::size_t row = 0; row < sky->bodies.size(); ++row) {
        objects.push_back(skyObjectJson(skyCatalogue[row].name, sky->bodies[row]));
        if (row == 0)
            objects.push_back(skyObjectJson("Moon", sky->moon));
    }
    for (const StarInSky& star : sky->stars)
        objects.push_back(skyObjectJson(skyCatalogue[star.row].name, star.place));
    return jsonText(objects) + "\n";
}

} // namespace vesk
