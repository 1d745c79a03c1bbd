// SPDX-License-Identifier: GPL-3.0-or-later
// The observer of the headless commands: --place NAME (a place of the gazetteer: "Luxor",
// "Luxor, EG"), --place LON,LAT or coordinates with hemisphere letters ("36.36N 43.15E"), or
// --lon E --lat N; with --height M. Without a height, a
// gazetteer place brings its own and coordinates take the relief grid's (0 at sea).
#pragma once

#include "app_state.h"
#include "command_line.h"

#include <cstdio>
#include <string>

namespace vesk {

// What the options chose: nothing (no place given), or the observer now in the view.
struct ObserverOptions {
    bool given = false;
    std::string error; // not empty: the options are wrong (for an unknown or ambiguous name,
                       // with the candidates, one per line)
};

// Reads the place options into the view's observer (position, height and place). The gazetteer
// is read only when a name is given; what its reading passed over is told on err.
ObserverOptions applyObserverOptions(const CommandLine& options, AppState& state, std::FILE* err);

} // namespace vesk
