// SPDX-License-Identifier: GPL-3.0-or-later
// The place search by a record's evidence ("which eclipse was it?"): --seen
// total|annular|central|magnitude:M, with --sun-altitude A..B (degrees), --solar-time A..B,
// --after-sunrise A..B and --before-sunset A..B (hours, or time-degrees with "deg" after B),
// --p-min P (the least probability listed, 0.01 by default) and --sigma S (the standard error
// of Delta T, seconds, instead of the model's).
#pragma once

#include "app_state.h"
#include "command_line.h"
#include "eclipse_search.h"
#include "sighting_evidence.h"

#include <optional>
#include <string>
#include <vector>

namespace vesk {

inline const std::vector<std::string> sightingOptions = {
    "--seen",          "--sun-altitude", "--solar-time", "--after-sunrise",
    "--before-sunset", "--p-min",        "--sigma"};

// "2..3", "-1.5..0.5" or "30..45deg" (time-degrees, 15 to the hour, with timeDegrees) as a
// span; nullopt for any other text or a span that runs backwards.
std::optional<Span> parseSpan(const std::string& text, bool timeDegrees);

// With --seen, the criteria become a place search by the probability of the sighting (the
// place from --place or --lon/--lat, applied before), the view's evidence and standard error
// those of the options; an error text naming the option, or empty. Without --seen, the other
// options are refused.
std::string applySightingOptions(const CommandLine& options, AppState& state, SearchCriteria& c);

} // namespace vesk
