// SPDX-License-Identifier: GPL-3.0-or-later
// The two screens for an observer in the central path that draw straight over the view, in the
// window and from "vesk render": the sky at the local maximum and the contacts corrected for the
// lunar limb.
#pragma once

#include "app_state.h"
#include "sky_at_maximum.h"

#include <optional>
#include <string>

namespace vesk {

// Draws the sky view over the surface (filled black first) at the maximum, or at the settings'
// shadowAt (the time slider's instant). False, with nothing drawn, when the observer is not
// inside the umbra or antumbra at the maximum.
bool drawSkyAtMaximum(AppState& state, const ScreenFrame& frame, DrawSurface& surface);

// The sky that the sky screen draws: at the time slider's instant, else the maximum; none when
// the observer is not inside the umbra or antumbra at the maximum.
std::optional<EclipseSky> skyOnScreen(const AppState& state, const ScreenFrame& frame);

enum class LimbOutcome { drawn, notCentral, noLunarGrid };

// Draws the limb correction (or, without a readable "LRO.dat", the lines that say so and how to
// make it: lunarGridMissingLines from (50, 40), 20 pixels apart at text size 1).
LimbOutcome drawLimbAtMaximum(AppState& state, const ScreenFrame& frame, DrawSurface& surface);

// What the limb screen says of the failure to read the lunar grid, in the language: that it is
// missing, the tool that makes it, and the tool's command broken into lines that fit width pixels
// of the surface's selected font (see wrappedCommand).
std::vector<std::string> lunarGridMissingLines(const Failure& failure, Language language,
                                               const DrawSurface& surface, int width);

// A shell command broken into lines of at most width pixels in the surface's selected font: at
// spaces where a word fits, else within a word; every line but the last ends in a backslash, so
// that a shell given the lines joins them into the command again.
std::vector<std::string> wrappedCommand(const DrawSurface& surface, const std::string& command,
                                        int width);

// The left edge and first line of the limb screen's text without the grid, and the lines'
// spacing, at text size 1.
constexpr int lunarGridTextLeft = 50, lunarGridTextTop = 40, lunarGridLineSpacing = 20;

} // namespace vesk
