// SPDX-License-Identifier: GPL-3.0-or-later
// The world's places by name: GeoNames' list of the places of 15,000 inhabitants or more
// (cities15000.txt, CC BY 4.0, www.geonames.org), with its regions (admin1Codes.txt) and
// countries (countryInfo.txt), as Debian's libtimezonemap-data installs them. Each place has its
// names in many languages, its country and region, position, population, height and IANA time
// zone. Names are found folded for case and Latin accents ("zurich" finds Zürich); names in other
// scripts (東京) are found as written.
//
// Beside it, the historical sites of the eclipse records (historical_places.txt, in vesk's data
// folder): ruins, old capitals and observatories, each with its position, today's country and
// time zone, and the modern place that succeeded it. A name of both lists means the modern place
// unless qualified ("Rome, historical"); a name only in the historical list needs no qualifier.
#pragma once

#include "data_paths.h"
#include "observer_place.h"
#include "zone_boundaries.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

struct GazetteerPlace {
    std::string name;             // the list's main name (UTF-8)
    std::string japaneseName;     // the first of its names written in kana, or kanji in Japan
    std::string country;          // ISO 3166 code, "EG"
    std::string countryName;      // "Egypt"
    std::string region;           // the first-level division, "Luxor"
    double lon = 0, lat = 0;      // degrees east, degrees north
    std::optional<double> height; // metres: the list's elevation, else its terrain model's
    std::string zone;             // IANA time zone, "Africa/Cairo"
    long long population = 0;
    bool historical = false; // a site of historical_places.txt
    std::string successor;   // of a historical site: "Mosul, IQ", or empty
    std::string article;     // of a historical site: the Wikipedia article of its position
};

struct Gazetteer {
    std::vector<GazetteerPlace> places;
    // Every folded name of every place with the place's index, sorted by name then index.
    std::vector<std::pair<std::string, std::uint32_t>> names;
    // Every place's index, the most populous first.
    std::vector<std::uint32_t> byPopulation;
    std::filesystem::path source;           // the cities file read, or empty
    std::filesystem::path historicalSource; // the historical sites' file read, or empty
};

// Where the gazetteer is looked for: the data folders, then the folder of libtimezonemap-data.
DataPaths gazetteerPaths(const DataPaths& paths);

// Reads the gazetteer from the first folder of paths with a regular, readable cities15000.txt
// (and the region and country files beside it, when there) and the historical sites from the
// first historical_places.txt of paths; nothing when there is neither. Lines that are not places
// (a field missing, a position out of range) are passed over with a note in ignored naming the
// file and the line.
std::optional<Gazetteer> loadGazetteer(const DataPaths& paths, IgnoredFiles& ignored);

// The part of the gazetteer that findPlace needs for query: the places with a name that begins
// with the query's name (folded), and notes only about their lines. A command that asks for one
// place reads this in a fraction of the time of the whole index.
std::optional<Gazetteer> loadGazetteerFor(const DataPaths& paths, std::string_view query,
                                          IgnoredFiles& ignored);

// The text of a name as the index keeps it: ASCII letters in lower case, Latin letters without
// their accents (ß as ss, æ as ae), combining marks dropped, other characters as they are.
std::string foldName(std::string_view name);

// The places with a name beginning with prefix (folded), the most populous first; at most limit.
std::vector<std::uint32_t> placesStartingWith(const Gazetteer& g, std::string_view prefix,
                                              std::size_t limit);

// What a name given by a user means: one place, or none and the candidates (at most
// maxCandidates, the most populous first; empty when nothing has that name or begins with it).
struct PlaceLookup {
    std::optional<std::uint32_t> place;
    std::vector<std::uint32_t> candidates;
};
constexpr std::size_t maxCandidates = 10;
// A name means the most populous place of that name when it has at least this many times the
// inhabitants of every other (Paris is the French one; Springfield is ambiguous).
constexpr double dominantPopulation = 5;

// "NAME", or "NAME, QUALIFIER" where the qualifier is a country code ("Luxor, EG"), a country's
// name, a region's name or historicalQualifier ("Rome, historical"; in Japanese 史跡): the
// places with exactly that name (any of its names, folded) and that qualifier; one of them when
// it is the only one or dominates by population. Without the historical qualifier a name that
// both lists hold means the modern places only.
PlaceLookup findPlace(const Gazetteer& g, std::string_view query);
constexpr std::string_view historicalQualifier = "historical";
constexpr std::string_view historicalQualifierJapanese = "史跡";

// The nearest place to (lon, lat) within maxKm kilometres on a sphere of the Earth's mean radius,
// or nothing.
std::optional<std::uint32_t> nearestPlace(const Gazetteer& g, double lon, double lat, double maxKm);

// The great-circle distance in kilometres between two places (haversine formula, mean radius
// 6371.0 km).
double greatCircleKm(double lon1, double lat1, double lon2, double lat2);

// "Luxor (Luxor, Egypt)": the name, then the region and country that tell it from others; a
// historical site's name is followed by "(historical site)" (Japanese: "(史跡)").
std::string placeLabel(const GazetteerPlace& p, bool japanese);

// The gazetteer of a process, read when it is first asked for (from any thread) and kept.
class KeptGazetteer : public KeptData<Gazetteer> {
  public:
    explicit KeptGazetteer(const DataPaths& paths)
        : KeptData(gazetteerPaths(paths), loadGazetteer) {}
};

// Without the time zones' boundaries, typed or clicked coordinates take the time zone of the
// nearest gazetteer place within this distance (km); farther from every place, the nautical
// zone of the longitude.
constexpr double zoneSearchKm = 150;

// The observer's place of a place chosen by name: its label, zone and height's source.
ObserverPlace observerPlaceOf(const GazetteerPlace& p, bool japanese);

// The gazetteer, asked for only where it is needed (it is read whole the first time); null
// where there is none.
using GazetteerSource = std::function<const Gazetteer*()>;

// The observer's place of coordinates: the zone of the time zones' boundaries there, or the
// nautical zone at sea; without the boundaries (or where their cell is damaged: zoneFault says
// so), the zone of the nearest gazetteer place (without a gazetteer either: no zone).
ObserverPlace observerPlaceAt(const ZoneBoundaries* zones, const GazetteerSource& gazetteer,
                              double lon, double lat);

} // namespace vesk
