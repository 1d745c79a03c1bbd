// SPDX-License-Identifier: GPL-3.0-or-later
// The page to cite of an eclipse seen from a place ("vesk report" and the window). One A4 page:
// a regional map of the place with the path and the band of Delta T's uncertainty, then the
// local circumstances in UT, local mean and apparent time and time-degrees from sunrise and to
// sunset, the ranges of Delta T in which the eclipse was central or seen there with their
// probabilities, the Delta T model with its standard error and lunar acceleration, the radii of
// the Sun and the Moon, the program's version and the sources of its data.
#pragma once

#include "app_state.h"
#include "text_recording_surface.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace vesk {

// The page in logical pixels (A4 at 96 pixels an inch), and the map's part at its top.
constexpr int reportWidth = 794, reportHeight = 1123, reportMapHeight = 560;
// The map's magnification (of the whole globe's radius) and band of Delta T unless chosen.
constexpr double reportMagnification = 12, reportBandSigmas = 2;

// The settings of the report's map from a view's: the place's region on the globe, centred on the
// observer at reportMagnification, drawn plain (the vector map, no relief), with the band of
// Delta T at reportBandSigmas where the view has none.
ViewSettings reportView(ViewSettings view);

// Writes the report of the eclipse of the view's year and month seen from its observer to path
// (.pdf or .svg; any other ending is refused); the texts drawn are appended to texts. Empty, or
// what failed (nothing is written then).
std::string writeEclipseReport(AppState& state, const ViewSettings& view,
                               const std::filesystem::path& path, std::vector<RecordedText>& texts);

} // namespace vesk
