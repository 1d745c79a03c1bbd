// SPDX-License-Identifier: GPL-3.0-or-later
#include "citation_report.h"

#include <cmath>

namespace vesk {

double localMeanHours(double jdUt, double lonEast) {
    const double utHours = (jdUt + 0.5 - std::floor(jdUt + 0.5)) * 24;
    return std::fmod(utHours + lonEast / timeDegreesPerHour + 48, 24);
}

std::vector<ReportEvent> reportEvents(const EclipseRecord& record, const Observer& observer,
                                      const LocalCircumstances& local, double deltaT) {
    std::vector<ReportEvent> events;
    for (const auto& [name, event] : namedLocalEvents(local)) {
        if (!event)
            continue;
        ReportEvent e;
        e.name = name;
        e.jdUt = instantJdUt(record, event->shadow.t, deltaT);
        e.sunAltitude = event->shadow.sunAltitude;
        e.sunAzimuth = event->sun.azimuth;
        e.meanSolarHours = localMeanHours(e.jdUt, observer.lonEast);
        e.solar = solarTimeOfDay(record, observer, event->shadow.t, deltaT);
        events.push_back(e);
    }
    return events;
}

} // namespace vesk
