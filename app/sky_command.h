// The command that draws the sky at the local maximum for an observer in the central path.
#pragma once

#include "app_state.h"

namespace vesk {

// Draws the sky view over the surface (filled black first). False, with nothing drawn, when
// the observer is not inside the umbra or antumbra at the maximum.
bool drawSkyAtMaximum(AppState& state, DrawSurface& surface);

} // namespace vesk
