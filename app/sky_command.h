// SPDX-License-Identifier: GPL-3.0-or-later
// The two commands for an observer in the central path that draw straight over the view: the
// sky at the local maximum and the contacts corrected for the lunar limb.
#pragma once

#include "app_state.h"

namespace vesk {

// Draws the sky view over the surface (filled black first). False, with nothing drawn, when
// the observer is not inside the umbra or antumbra at the maximum.
bool drawSkyAtMaximum(AppState& state, const ScreenFrame& frame, DrawSurface& surface);

enum class LimbOutcome { drawn, notCentral, noLunarGrid };

// Draws the limb correction (or, without a readable "LRO.dat", the two lines that say so).
LimbOutcome drawLimbAtMaximum(AppState& state, const ScreenFrame& frame, DrawSurface& surface);

} // namespace vesk
