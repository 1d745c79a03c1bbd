// SPDX-License-Identifier: GPL-3.0-or-later
// The eclipse at a place over time: the obscuration, the magnitude and the Sun's place at
// instants a step apart from the first contact to the last.
#pragma once

#include "local_circumstances.h"

#include <vector>

namespace vesk {

struct SeriesPoint {
    double t = 0;           // hours from t0, TT
    double obscuration = 0; // the fraction of the Sun's disk covered (0 to 1)
    double magnitude = 0;   // as the screens show it (0 where the penumbra misses the place)
    double altitude = 0;    // the Sun's, degrees, from the elements (geometric)
    double azimuth = 0;     // degrees from north through east
};

// The first contact, then every step (minutes) after it, and the last contact; empty where the
// place has no first and last contact.
std::vector<SeriesPoint> eclipseSeries(const EclipseRecord& record, const LocalCircumstances& local,
                                       double deltaT, double stepMinutes = 1);

} // namespace vesk
