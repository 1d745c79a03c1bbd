// SPDX-License-Identifier: GPL-3.0-or-later
#include "place_options.h"

#include "printable_text.h"
#include "typed_coordinates.h"
#include "view_commands.h"

#include <cmath>

namespace vesk {

namespace {

// "  Springfield (Missouri, United States)  37.2153 N  93.2982 W" for each candidate.
std::string candidateLines(const Gazetteer& g, const std::vector<std::uint32_t>& candidates) {
    std::string lines;
    for (std::uint32_t i : candidates) {
        const GazetteerPlace& p = g.places[i];
        char position[64];
        std::snprintf(position, sizeof position, "  %.4f %c  %.4f %c", std::fabs(p.lat),
                      p.lat < 0 ? 'S' : 'N', std::fabs(p.lon), p.lon < 0 ? 'W' : 'E');
        lines += "\n  " + placeLabel(p, false) + position;
    }
    return lines;
}

// The gazetteer place of a name, or why there is none; notes about the gazetteer's lines go to err.
std::optional<GazetteerPlace> namedPlace(const AppState& state, const std::string& name,
                                         std::FILE* err, std::string& error) {
    IgnoredFiles notes;
    const std::optional<Gazetteer> g =
        loadGazetteerFor(gazetteerPaths(state.session.catalog.paths), name, notes);
    for (const std::string& note : notes)
        std::fprintf(err, "vesk: %s\n", note.c_str());
    if (!g) {
        error = "--place: no gazetteer (cities15000.txt of libtimezonemap-data, or "
                "historical_places.txt) was found";
        return std::nullopt;
    }
    const PlaceLookup found = findPlace(*g, name);
    if (found.place)
        return g->places[*found.place];
    if (found.candidates.empty())
        error = "--place: no place called \"" + printableText(name) + "\"" +
                (g->source.empty() ? " (the gazetteer of modern places, cities15000.txt of "
                                     "libtimezonemap-data, was not found)"
                                   : "");
    else
        error = "--place: \"" + printableText(name) +
                "\" may be any of these (add \", COUNTRY\" or \", REGION\"):" +
                candidateLines(*g, found.candidates);
    return std::nullopt;
}

} // namespace

ObserverOptions applyObserverOptions(const CommandLine& options, AppState& state, std::FILE* err) {
    ObserverOptions chosen;
    std::string& error = chosen.error;
    std::optional<double> lon = options.number("--lon", error);
    std::optional<double> lat = options.number("--lat", error);
    const std::optional<double> height = options.number("--height", error);
    const std::optional<std::string> name = options.value("--place");
    if (!error.empty())
        return chosen;
    if (name && lon)
        error = "--place and --lon/--lat exclude each other";
    else if (lon.has_value() != lat.has_value())
        error = "--lon and --lat go together";
    else if (height)
        error = checkHeight(*height);
    if (!error.empty() || (!name && !lon))
        return chosen;
    ObserverPlace place;
    std::optional<double> ownHeight; // a gazetteer place's
    if (const auto typed = name ? parseCoordinates(*name) : std::nullopt) {
        lon = typed->lon;
        lat = typed->lat;
    } else if (name) {
        const std::optional<GazetteerPlace> p = namedPlace(state, *name, err, error);
        if (!p)
            return chosen;
        lon = p->lon;
        lat = p->lat;
        place = observerPlaceOf(*p, false);
        ownHeight = p->height;
    }
    if (!(*lon >= -180 && *lon <= 360 && *lat >= -90 && *lat <= 90)) {
        error = "--lon must lie from -180 to 360 and --lat from -90 to 90";
        return chosen;
    }
    place.heightSource = height      ? HeightSource::given
                         : ownHeight ? HeightSource::gazetteer
                                     : HeightSource::reliefGrid;
    const double metres = height      ? *height
                          : ownHeight ? *ownHeight
                                      : groundHeightAt(state, *lon, *lat);
    placeObserver(state.session.view, *lon, *lat, metres, place);
    chosen.given = true;
    return chosen;
}

} // namespace vesk
