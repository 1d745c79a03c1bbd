// The observing places the user picks by name: "location.new", one place per line as
// name,longitude,latitude,height,fourth (east longitude and latitude in degrees, height in
// metres); lines beginning with ';' are comments. Read as UTF-8, or as Shift-JIS (CP932) when
// the file is not valid UTF-8, so that files of earlier Japanese software still load.
#pragma once

#include "data_paths.h"

#include <string>
#include <vector>

namespace vesk {

struct City {
    std::string name; // UTF-8
    double lon = 0, lat = 0, height = 0, fourth = 0;
};

// At most 40 rows; row i (1-based) is rows[i - 1].
struct CityTable {
    std::vector<City> rows;
};

constexpr int maxCities = 40;
constexpr const char* cityFileName = "location.new";

// Reads "location.new" into the table; 1 on success, -1 when the file cannot be opened (the
// table then keeps what it had).
int loadCityTable(CityTable& table, const DataPaths& paths);

// Parses the text of a city file (already UTF-8) into the table.
void parseCityTable(CityTable& table, const std::string& text);

// The text of a file as UTF-8: unchanged when it is valid UTF-8, else converted from CP932.
std::string textAsUtf8(const std::string& bytes);

} // namespace vesk
