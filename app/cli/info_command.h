// SPDX-License-Identifier: GPL-3.0-or-later
// "vesk info": the eclipse that a year and month select, as text or as one JSON object.
#pragma once

#include "app_state.h"

#include <cstdio>
#include <string>
#include <vector>

namespace vesk {

// Runs the command on the session; prints to out and reports errors on err. Returns the exit
// status: 0, 1 when no catalog file is found, 2 for bad arguments.
int runInfoCommand(AppState& state, const std::vector<std::string>& args, std::FILE* out,
                   std::FILE* err);

// "YYYY-MM-DD" with the astronomical year, four digits at least and a sign when negative.
std::string isoDate(double year, double month, double day);

// "YYYY-MM-DDTHH:MM:SS.sZ" of a UT Julian date, rounded to a tenth of a second.
std::string utTimestamp(double jd);

} // namespace vesk
