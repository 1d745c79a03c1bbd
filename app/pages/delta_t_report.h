// SPDX-License-Identifier: GPL-3.0-or-later
// What "vesk info" says of the uncertainty of Delta T: its standard error, and at a place the
// ranges of Delta T in which the eclipse is central or visible there with their probabilities,
// and the local apparent solar time of the maximum with the time since sunrise and until sunset
// (hours, and time-degrees of 4 minutes, as ancient records give them).
#pragma once

#include "delta_t_models.h"
#include "delta_t_ranges.h"
#include "json_values.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// The Delta T an eclipse was computed with: its model, the lunar tidal acceleration (arcseconds
// per century squared) the model's value in the eclipse's year was derived with (none where it
// does not rest on the lunar ephemeris) and the seconds that bring it to DE431's (added when the
// choice asks for it).
struct DeltaTSource {
    DeltaTChoice choice;
    std::optional<double> ndot;
    double toDe431 = 0;
};
DeltaTSource deltaTSource(const EclipseRecord& record, const DeltaTChoice& choice);

// The JSON members (an object to merge) "delta_t_model", "ndot", "ndot_to_de431" (seconds) and
// "ndot_corrected"; the first three null for a Delta T the user gave (source none). As text, one
// line.
Json deltaTSourceJson(const std::optional<DeltaTSource>& source);
void printDeltaTSourceText(const std::optional<DeltaTSource>& source, std::FILE* out);
// The text of that line without its label: "smh2020, n-dot -25.82"/cy^2 (to DE431's ...)".
std::string deltaTSourceText(const std::optional<DeltaTSource>& source);

// The JSON members (an object to merge) "delta_t_sigma", and with a place "central_delta_t",
// "visible_delta_t" (lists of [from, to] in seconds; null for an end not followed to where the
// range ends), "p_central", "p_visible", "central_phase" ("total", "annular" or null) and
// "solar_time" ("apparent": hours; "since_sunrise", "until_sunset": {"hours", "time_degrees"} or
// null); with the lunar limb's ranges "central_delta_t_limb" and "p_central_limb".
Json deltaTJson(const PlaceDeltaT& report);

// The same as text lines, and the chances of the central phase and of any phase in words.
void printDeltaTText(const EclipseRecord& record, const PlaceDeltaT& report, std::FILE* out);
// The ranges and the chances of those lines, without the standard error and the solar time.
std::vector<std::string> deltaTRangeLines(const EclipseRecord& record, const DeltaTRanges& r);

} // namespace vesk
