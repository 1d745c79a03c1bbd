// SPDX-License-Identifier: GPL-3.0-or-later
// The degrees of the grid's meridians and parallels where they meet the map's frame.
#pragma once

#include "map_projection.h"

#include <string>

namespace vesk {

// "30°E", "15°W", "40°N", "0°" of a longitude (any, taken to -180..180) or a latitude.
std::string degreesText(double degrees, bool longitude);

// Labels each meridian of the grid where it meets the bottom of the frame and each parallel
// where it meets the left side, with its degrees, where the label finds room.
void labelGridAtFrame(MapCanvas& canvas);

} // namespace vesk
