// SPDX-License-Identifier: GPL-3.0-or-later
// "vesk list", "vesk next" and "vesk prev": the catalog searches from the command line, one
// line per eclipse in the format of the eclipse list (UTF-8).
#pragma once

#include "app_state.h"

#include <cstdio>
#include <string>
#include <vector>

namespace vesk {

// Exit status: 0 (also when nothing matched), 1 when the catalog cannot be read, 2 for bad
// arguments.
int runListCommand(AppState& state, const std::vector<std::string>& args, std::FILE* out,
                   std::FILE* err);

// direction +1: the next matching eclipse after the eclipse of the year and month; -1: the one
// before it. Exit status as above; 1 also when there is no such eclipse.
int runStepCommand(AppState& state, const std::vector<std::string>& args, int direction,
                   std::FILE* out, std::FILE* err);

} // namespace vesk
