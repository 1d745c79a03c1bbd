// SPDX-License-Identifier: GPL-3.0-or-later
// "vesk report": the page to cite of an eclipse seen from a place, written as PDF or SVG.
#pragma once

#include "app_state.h"

#include <cstdio>
#include <string>
#include <vector>

namespace vesk {

// The command: --year, --month, the place (--place, or --lon and --lat, --height), --out, the
// Delta T options, --delta-t-band K, --scale M, --relief, --grid and --solar-radius; --text
// prints the page's texts.
int runReportCommand(AppState& state, const std::vector<std::string>& args, std::FILE* out,
                     std::FILE* err);

} // namespace vesk
