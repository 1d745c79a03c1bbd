// SPDX-License-Identifier: GPL-3.0-or-later
// A position typed as people copy it from maps and books: a bare pair of numbers (longitude
// first, as the command line's LON,LAT), or two coordinates that name their hemispheres by
// letters before or after them, in either order, in decimal degrees or in degrees, minutes and
// seconds: "43.15, 36.36", "36.36N 43.15E", "N36.36 E43.15", "36°22′N 43°09′E", "36 22 N, 43 9 E".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vesk {

struct TypedCoordinates {
    double lon = 0, lat = 0;       // degrees east, north
    bool namedHemispheres = false; // read from N/S/E/W letters, not from the order
};

// The position of a text, or nullopt when it is no pair of coordinates (a place's name, or
// coordinates out of range: latitude beyond ±90°, longitude beyond −180…360° for a bare pair or
// beyond 180° with a hemisphere letter, minutes or seconds of 60 or more).
std::optional<TypedCoordinates> parseCoordinates(std::string_view text);

// "43.15° E, 36.36° N": a position as the program reads it back to the user, to four decimals
// at most (0.00001° ≈ 1 m), longitudes beyond 180° east taken as west.
std::string coordinatesText(double lon, double lat);

} // namespace vesk
