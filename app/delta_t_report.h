// SPDX-License-Identifier: GPL-3.0-or-later
// What "vesk info" says of the uncertainty of Delta T: its standard error, and at a place the
// ranges of Delta T in which the eclipse is central or visible there with their probabilities,
// and the local apparent solar time of the maximum with the time since sunrise and until sunset
// (hours, and time-degrees of 4 minutes, as ancient records give them).
#pragma once

#include "delta_t_ranges.h"

#include <cstdio>
#include <optional>

namespace vesk {

struct DeltaTReport {
    double sigma = 0;                    // seconds
    std::optional<DeltaTRanges> ranges;  // with a place
    std::optional<SolarTimeOfDay> solar; // with a place that sees the maximum with the Sun up
};

// JSON members to follow the others: "delta_t_sigma", and with a place "central_delta_t",
// "visible_delta_t" (lists of [from, to] in seconds; null for an end not followed to where the
// range ends), "p_central", "p_visible", "central_phase" ("total", "annular" or null) and
// "solar_time"
// ("apparent": hours; "since_sunrise", "until_sunset": {"hours", "time_degrees"} or null).
void printDeltaTJson(const PlaceDeltaT& report, std::FILE* out);

// The same as text lines, and the chances of the central phase and of any phase in words.
void printDeltaTText(const EclipseRecord& record, const PlaceDeltaT& report, std::FILE* out);

} // namespace vesk
