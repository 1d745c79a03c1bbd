// SPDX-License-Identifier: GPL-3.0-or-later
// The ground that an eclipse's central path covers while Delta T moves within a range. A change
// of Delta T turns the Earth under the shadow: the whole path moves in longitude by the Earth's
// sidereal rotation over the change, eastwards for a larger Delta T (the same instant of TT is
// an earlier UT). So the band needs no tracing: each row of latitude of the path, widened.
#pragma once

#include "path_geometry.h"

#include <utility>
#include <vector>

namespace vesk {

// Degrees of longitude the path moves per second of Delta T (the sidereal rate, IERS).
constexpr double pathDegreesPerDeltaTSecond = 360.98564736629 / 86400;
// The rows of latitude of a band, degrees apart.
constexpr double bandRowStep = 0.02;

struct DeltaTBand {
    double firstLat = 0; // the latitude of row 0
    // Per row, the longitude intervals covered (unwrapped: they may pass +-180).
    std::vector<std::vector<std::pair<double, double>>> rows;

    // Whether a place lies in the band.
    bool contains(double lon, double lat) const;
};

// The band of the central path of g (its umbral limits, joined at their ends) when Delta T moves
// from reachSeconds below the value of g to reachSeconds above it; empty without a central path.
DeltaTBand deltaTBand(const PathGeometry& g, double reachSeconds);

// The outlines of a band as rings of (longitude -180..180, latitude): consecutive rows whose
// intervals overlap make one ring (its western edges down the rows, its eastern edges back up).
std::vector<std::vector<std::pair<double, double>>> bandOutlines(const DeltaTBand& band);

} // namespace vesk
