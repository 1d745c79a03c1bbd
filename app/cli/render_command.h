// SPDX-License-Identifier: GPL-3.0-or-later
// "vesk render": one repaint of the view without a window, written as a PNG file.
#pragma once

#include "app_state.h"

#include <cstdio>
#include <string>
#include <vector>

namespace vesk {

// Returns the exit status: 0 written, 1 when the repaint ended with a message (printed on err)
// or the file could not be written, 2 for bad arguments. With --text, every text the screen
// draws goes to out as a line, in drawing order.
int runRenderCommand(AppState& state, const std::vector<std::string>& args, std::FILE* out,
                     std::FILE* err);

} // namespace vesk
