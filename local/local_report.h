// SPDX-License-Identifier: GPL-3.0-or-later
// The local circumstances screen: for the observer, the contacts, the maximum and the magnitude
// at sunrise or sunset in universal, zone and local mean time with the Sun's altitude, position
// angles and azimuth; a chart of the sky near the horizon with the Sun and Moon at each listed
// moment; and a large picture of the Sun and Moon at maximum.
#pragma once

#include "delta_t_ranges.h"
#include "draw_surface.h"
#include "local_circumstances.h"
#include "observer_place.h"

#include <string>

namespace vesk {

// The report of display mode 2 for the local circumstances of an eclipse record at an observer,
// under a location line (empty: none); with the place's clocks, a column of civil time wherever
// it is known and a line naming the zone; with what the uncertainty of Delta T means there, two
// lines under it (the ranges of Delta T and the solar time of the maximum). The chart carries
// the Sun's track and the obscuration over it from the first contact to the last, and the Sun
// at an instant (t hours from t0, TT: the time slider's) where one is given.
// With the lunar limb's correction asked for, a line under those that says whether the place lies
// inside the corrected path and how long its central phase lasts, beside the smooth Moon's
// (limbCorrected: the corrected duration in seconds, none where there is no central phase).
struct LimbCorrectedPhase {
    std::optional<double> seconds;
    // how far the place's height moves the path's near edge, km (heightEdgeShiftKm)
    std::optional<double> heightEdgeShiftKm;
};
void drawLocalCircumstances(DrawSurface& surface, const EclipseRecord& record,
                            const LocalCircumstances& local, const std::string& location,
                            double deltaT, const PlaceClocks& civil = {},
                            const PlaceDeltaT* uncertainty = nullptr,
                            std::optional<double> instant = std::nullopt,
                            std::optional<LimbCorrectedPhase> limbCorrected = std::nullopt);

} // namespace vesk
