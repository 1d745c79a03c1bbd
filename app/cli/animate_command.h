// SPDX-License-Identifier: GPL-3.0-or-later
// "vesk animate": the eclipse map with the shadow moving over it, from the first to the last
// contact of the penumbra with the Earth at a step of minutes, as an animated WebP file or as
// numbered PNG frames in a folder. Each frame is the map that "vesk render --at" draws for its
// instant. The frames are drawn on all cores; the files are written when all are done, whole or
// not at all, so that an interrupted run (Ctrl+C) leaves nothing behind.
#pragma once

#include "app_state.h"

#include <cstdio>
#include <string>
#include <vector>

namespace vesk {

// Returns the exit status: 0 written, 1 when no eclipse could be drawn or a file could not be
// written, 2 for bad arguments. A progress bar goes to err when it is a terminal.
int runAnimateCommand(AppState& state, const std::vector<std::string>& args, std::FILE* out,
                      std::FILE* err);

} // namespace vesk
