// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces the models of Delta T share: the long-term parabola and the evaluation of a cubic
// spline table. Internal to core.
#pragma once

#include <span>

namespace vesk {

// The long-term parabola of Morrison & Stephenson (J. Hist. Astron. 35, 327, 2004), seconds:
// -20 + 32 u^2 with u = (y - 1820) / 100 centuries, y a decimal year.
double deltaTParabola(double y);

// A row of a cubic spline of Delta T: from year start to year end,
// Delta T = a0 + a1 t + a2 t^2 + a3 t^3 seconds with t = (y - start) / (end - start).
struct SplineRow {
    double start, end, a0, a1, a2, a3;
};

// The spline at year y: the first row whose end lies after y, or the last row.
double splineValue(std::span<const SplineRow> rows, double y);

} // namespace vesk
