// SPDX-License-Identifier: GPL-3.0-or-later
// The curves of equal duration of a central eclipse: inside the central path, the places where
// totality (or annularity) lasts the same time, as published eclipse maps draw them.
//
// The path is cut across at points of its central line about a quarter of a degree apart. On
// each cut, the arc from the central line's point to the umbral limit's point of the same
// instant, the place of a curve's duration is found by the Illinois method on the square of the
// duration (nearly a parabola across the path: Explanatory Supplement to the Astronomical
// Ephemeris (1961), ch. 9, the duration 2 sqrt(L2^2 - m^2) / n). Every duration is a place's own:
// the time from its second to its third contact, iterated on the Besselian elements. Where the
// central line's duration passes a curve's, the curve's two sides meet on the central line.
#pragma once

#include "path_geometry.h"

#include <stop_token>
#include <vector>

namespace vesk {

// Seconds from the second to the third contact at a place at sea level (east longitude and
// latitude in degrees), its maximum sought from t (hours from t0, TT); 0 where the place is not
// inside the umbra or antumbra. Delta T in seconds.
double centralDurationAt(const EclipseRecord& r, double deltaT, double lon, double lat, double t);

// The durations of the curves, seconds, for the longest duration on a path: every 30 s when it
// lasts up to 3 minutes, else every minute; those below the longest.
std::vector<double> durationLevels(double longestSeconds);

// The curves of equal duration of a central eclipse's path; none for a partial eclipse. A stop
// asked for ends the tracing early.
std::vector<DurationCurve> traceDurationCurves(const EclipseRecord& r, const PathGeometry& path,
                                               std::stop_token stop = {});

} // namespace vesk
