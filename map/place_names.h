// SPDX-License-Identifier: GPL-3.0-or-later
// The place labels of regional maps: world cities with east longitude and latitude in degrees.
#pragma once

#include "place_names_count.h"

#include <array>

namespace vesk {

struct PlaceName {
    const char* name; // UTF-8
    double lon, lat;
};

extern const std::array<PlaceName, placeNameCount> placeNames;

} // namespace vesk
