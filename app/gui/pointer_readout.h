// SPDX-License-Identifier: GPL-3.0-or-later
// What the window's status bar says of the map point under the pointer: the eclipse's local
// magnitude there, the time of its maximum in UT and on the clocks of the place's zone where
// they are known, and the Sun's altitude at that moment.
#pragma once

#include "app_state.h"

#include <string>

namespace vesk {

// "32.64°E 25.70°N  mag. 1.035 total  max. 10:05:17 UT, 13:05:17 EEST  Sun 81.8°" ("annular"
// inside the antumbra, nothing outside the central part), or the
// position and "no eclipse"; the clock of the place's zone from the shared place records.
std::string pointerReadout(PlaceRecords& places, const EclipseRecord& record, double deltaT,
                           double lonEast, double lat);

} // namespace vesk
