// SPDX-License-Identifier: GPL-3.0-or-later
// The sky at the maximum as "vesk render --mode sky --json" prints it.
#pragma once

#include "app_state.h"

#include <optional>
#include <string>

namespace vesk {

// The objects that the sky view draws (the Sun, the Moon, the planets and the stars down to
// faintestStar, below the horizon too) as a JSON array: name, altitude, azimuth from north
// through east, right ascension and declination of date, magnitude (null for the new Moon) and
// whether it is up; at the instant the chart is drawn for. None when the observer is not inside
// the umbra or antumbra at the maximum.
std::optional<std::string> skyAtMaximumJson(const AppState& state, const ScreenFrame& frame);

} // namespace vesk
