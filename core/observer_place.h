// SPDX-License-Identifier: GPL-3.0-or-later
// What the program knows of the observer's place beyond its position: its name in the gazetteer,
// the time zone of its clocks and where that zone and its height came from; and the place's
// civil clock at an instant, which the reports ask for without knowing how it is found.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// Where the observer's time zone came from.
enum class ZoneSource {
    none,         // no zone: only zone time and local mean time
    gazetteer,    // the zone of the place chosen by name
    boundaries,   // the zone whose boundaries hold the position (typed or clicked coordinates)
    nearestPlace, // the zone of the nearest gazetteer place (without the zones' boundaries)
    nautical      // the nautical zone of the longitude (no gazetteer place near)
};

// Where the observer's height came from.
enum class HeightSource { given, gazetteer, reliefGrid };

struct ObserverPlace {
    double lon = 0, lat = 0;    // the position it describes (degrees east, north)
    std::string name;           // the gazetteer's label of a place chosen by name; empty otherwise
    std::string positionSource; // where a named place's position comes from; empty otherwise
    std::string zone;           // IANA time zone ("Africa/Cairo"), or "" for a nautical zone
    std::string zoneFrom;       // the gazetteer place whose zone a position takes
    double zoneFromKm = 0;      // its distance from the position
    ZoneSource zoneSource = ZoneSource::none;
    // why the zones' boundaries could not tell the zone (a damaged cell of the file), which the
    // nearest gazetteer place's then gives; empty when they could
    std::string zoneFault;
    HeightSource heightSource = HeightSource::given;
};

// The place's clocks at one instant: their offset from UT and the zone's abbreviation.
struct CivilClock {
    int offsetSeconds = 0;
    std::string abbreviation; // "EEST", or "UTC+3" where the zone has no letters
};

// The civil clock at a UT Julian date; nothing where the zone's history does not reach the date.
using CivilClockAt = std::function<std::optional<CivilClock>(double jdUt)>;

// The observer's place with its zone found, and its clocks (clockAt empty: no zone).
struct PlaceClocks {
    ObserverPlace place;
    CivilClockAt clockAt;
};

// "UTC+03:00", "UTC-05:00", "UTC+05:30": an offset from UT in seconds.
std::string utcOffsetText(int offsetSeconds);

// The line of the reports that says whose clocks the civil times are, given the clock at the
// maximum (nothing: not known at the date): "Civil time : EEST (UTC+03:00), Africa/Cairo"; empty
// without a zone. Where the place does not see the eclipse (seen false) there is no instant to
// ask the clock for, and the line says so.
std::string civilTimeNote(const ObserverPlace& place, const std::optional<CivilClock>& clock,
                          bool seen);

// Whether name is a time zone of the IANA database as the system installs it (a file under
// zoneInfoDir): letters, digits, '_', '+' and '-' in parts joined by '/', none of them "." or
// "..", no leading '/'. Nothing else is ever opened as a zone: a name is no path.
bool isSystemZoneName(std::string_view name,
                      const std::filesystem::path& zoneInfoDir = "/usr/share/zoneinfo");

// The names of the sources: "gazetteer", "boundaries", "nearest place", "nautical", "none";
// "given", "gazetteer", "relief grid".
const char* zoneSourceName(ZoneSource source);
const char* heightSourceName(HeightSource source);

// Where the height came from, for the location line: "" (given), " (gazetteer)", " (relief grid)".
std::string heightSourceNote(HeightSource source);

} // namespace vesk
