// SPDX-License-Identifier: GPL-3.0-or-later
// The observing places the user picks by name: "location.new", one place per line as
// name,longitude,latitude,height,spare (east longitude and latitude in degrees, height in
// metres); lines beginning with ';' are comments. Each line is read as UTF-8, or as Shift-JIS
// (CP932) when it is not valid UTF-8, so that files of earlier Japanese software still load.
#pragma once

#include "data_paths.h"
#include "failure.h"

#include <string>
#include <vector>

namespace vesk {

struct City {
    std::string name; // UTF-8
    double lon = 0, lat = 0, height = 0;
    double spare = 0;        // the fifth field, which the files carry and nothing reads
    std::string englishName; // the sixth field where the line has one (UTF-8), else empty
};

// The name of a place in a language: its English name where asked for and given, else its name.
const std::string& cityName(const City& city, bool english);

// At most 40 rows; row i (1-based) is rows[i - 1].
struct CityTable {
    std::vector<City> rows;
    // The places left out of the last read, each naming its line and why: a longitude outside
    // -180 to 360, a latitude outside -90 to 90 or a height outside -500 to 100000 m (or one
    // that is not a number).
    std::vector<std::string> warnings;
    KeptReading source; // the files the table was read among, and the notes of the reading
    Outcome failure;    // why the last reading failed, else nothing
};

constexpr int maxCities = 40;
constexpr const char* cityFileName = "location.new";
// The longest line read; the rest of a longer one is left out with a warning.
constexpr std::size_t maxCityLineBytes = 65536;

// Reads "location.new" line by line into the table, up to its 40th row (each line as UTF-8, or
// from CP932 when it is not); nothing on success, cityTableMissing when no readable file is
// found (the table then keeps what it had). The files passed over and the places left out go into
// ignored. The file is read again only when the files of that name in the search order have
// changed.
Outcome loadCityTable(CityTable& table, const DataPaths& paths, IgnoredFiles& ignored);

// Parses the text of a city file (already UTF-8) into the table, as loadCityTable does.
void parseCityTable(CityTable& table, const std::string& text);

// The text of a file as UTF-8: unchanged when it is valid UTF-8, else converted from CP932.
std::string textAsUtf8(const std::string& bytes);

} // namespace vesk
