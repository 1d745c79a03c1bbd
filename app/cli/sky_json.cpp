// SPDX-License-Identifier: GPL-3.0-or-later
#include "sky_json.h"

#include "angles.h"
#include "info_command.h"
#include "sky_page.h"
#include "sky_positions.h"

namespace vesk {

namespace {

// One object of the sky as a JSON object; the azimuth from north through east.
std::string skyObjectJson(const std::string& name, const HorizontalPlace& place) {
    const double fromNorth = degreesWithinTurn(place.azimuth + 180);
    return "{\"name\": " + jsonString(name) + ", \"alt\": " + jsonNumber(place.altitude, 4) +
           ", \"az\": " + jsonNumber(fromNorth, 4) + ", \"ra\": " + jsonNumber(place.ra, 4) +
           ", \"dec\": " + jsonNumber(place.dec, 4) +
           ", \"magnitude\": " + jsonNumber(place.magnitude, 2) +
           ", \"up\": " + (place.altitude > 0 ? "true" : "false") + "}";
}

} // namespace

std::optional<std::string> skyAtMaximumJson(const AppState& state, const ScreenFrame& frame) {
    const std::optional<EclipseSky> sky = skyOnScreen(state, frame);
    if (!sky)
        return std::nullopt;
    std::vector<std::string> objects;
    for (std::size_t row = 0; row < sky->bodies.size(); ++row) {
        objects.push_back(skyObjectJson(skyCatalogue[row].name, sky->bodies[row]));
        if (row == 0)
            objects.push_back(skyObjectJson("Moon", sky->moon));
    }
    for (const StarInSky& star : sky->stars)
        objects.push_back(skyObjectJson(skyCatalogue[star.row].name, star.place));
    std::string json = "[";
    for (std::size_t i = 0; i < objects.size(); ++i)
        json += (i == 0 ? "" : ",\n ") + objects[i];
    return json + "]\n";
}

} // namespace vesk
