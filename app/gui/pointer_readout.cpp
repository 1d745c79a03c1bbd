// SPDX-License-Identifier: GPL-3.0-or-later
#include "pointer_readout.h"

#include "civil_time.h"
#include "local_circumstances.h"
#include "timescales.h"

#include <cmath>
#include <cstdio>

namespace vesk {

namespace {

// "10:05:17" of the hours of a Julian date.
std::string clockOfJd(double jd) {
    const auto [h, m, s] = splitHoursToSeconds(24 * (jd + 0.5 - std::floor(jd + 0.5)));
    char text[16];
    std::snprintf(text, sizeof text, "%02.0f:%02.0f:%02.0f", h, m, s);
    return text;
}

} // namespace

std::string pointerReadout(PlaceRecords& places, const EclipseRecord& record, double deltaT,
                           double lonEast, double lat) {
    char text[160];
    std::snprintf(text, sizeof text, "%.2f°%c %.2f°%c", std::fabs(lonEast), lonEast < 0 ? 'W' : 'E',
                  std::fabs(lat), lat < 0 ? 'S' : 'N');
    std::string readout = text;
    const LocalCircumstances local = localMaximumAt(record, observerAt(lonEast, lat), deltaT);
    if (!local.maximum)
        return readout + "  no eclipse";
    const double jd = instantJdUt(record, local.maximum->shadow.t, deltaT);
    const std::optional<CentralPhase> phase = centralPhaseOf(local);
    std::snprintf(text, sizeof text, "  mag. %.3f%s (%.1f %% of the Sun)  max. %s UT",
                  shownMagnitude(local.magnitude),
                  phase == CentralPhase::total     ? " total"
                  : phase == CentralPhase::annular ? " annular"
                                                   : "",
                  100 * local.obscuration, clockOfJd(jd).c_str());
    readout += text;
    const PlaceClocks clocks = placeClocks(positionPlace(places, lonEast, lat), lonEast);
    if (const auto clock = clocks.clockAt ? clocks.clockAt(jd) : std::nullopt)
        readout +=
            ", " + clockOfJd(jd + clock->offsetSeconds / 86400.0) + " " + clock->abbreviation;
    std::snprintf(text, sizeof text, "  Sun %.1f°", local.maximum->shadow.sunAltitude);
    return readout + text;
}

} // namespace vesk
