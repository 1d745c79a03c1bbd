// SPDX-License-Identifier: GPL-3.0-or-later
// The eclipse at a place in the units that historians cite: for each contact and the maximum,
// the instant in UT, local mean time (UT and the longitude at 15 degrees an hour), local apparent
// time (the Sun's hour angle and 12 hours, so the equation of time apart from mean time) and the
// time since sunrise and until sunset, also in time-degrees (1 degree is 4 minutes), with the
// Sun's altitude and azimuth.
#pragma once

#include "delta_t_ranges.h"
#include "local_circumstances.h"

#include <string>
#include <vector>

namespace vesk {

struct ReportEvent {
    std::string name; // "C1", "C2", "max", "C3", "C4"
    double jdUt = 0;
    double sunAltitude = 0, sunAzimuth = 0; // degrees: the altitude from the elements
    double meanSolarHours = 0;              // local mean time, 0 to 24
    SolarTimeOfDay solar;                   // apparent time, since sunrise, until sunset
};

// Local mean time (hours, 0 to 24) at a Julian date of UT and a longitude (degrees east).
double localMeanHours(double jdUt, double lonEast);

// The contacts and the maximum that the place sees, in their order.
std::vector<ReportEvent> reportEvents(const EclipseRecord& record, const Observer& observer,
                                      const LocalCircumstances& local, double deltaT);

} // namespace vesk
