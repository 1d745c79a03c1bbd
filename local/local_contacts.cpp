// SPDX-License-Identifier: GPL-3.0-or-later
#include "local_contacts.h"

#include "path_tracers.h"
#include "sun_position.h"

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

LocalEvent eventAt(EclipseState& s, double t, double altitude, double deltaT) {
    double sunAltitude = 0, azimuth = 0;
    sunAltAz(s, t, deltaT, sunAltitude, azimuth);
    return {t, altitude, azimuth};
}

using ContactFunction = void (*)(EclipseState&, double, double, int, double&, double&);

std::optional<LocalEvent> contactAt(EclipseState& s, ContactFunction contact, double from,
                                    double deltaT, int sign) {
    double t = 0, altitude = 0;
    contact(s, from, deltaT, sign, t, altitude);
    if (s.status != 1)
        return std::nullopt;
    return eventAt(s, t, altitude, deltaT);
}

} // namespace

double shownMagnitude(double magnitude) {
    return std::max(0.0, magnitude);
}

double instantJdUt(const EclipseRecord& r, double t, double deltaT) {
    return jdOfElementHours(r.jdTT, r.t0 + t) - deltaT / 86400;
}

namespace {

// The local maximum of the observer set in the state, from greatest eclipse.
LocalContacts localMaximumFromGreatest(EclipseState& s, double deltaT) {
    LocalContacts result;
    double t = 0, altitude = 0;
    localMaximum(s, closestApproach(*s.record, 0), deltaT, t, altitude, result.magnitude,
                 result.central);
    if (s.status == 1 && result.magnitude > 0)
        result.maximum = eventAt(s, t, altitude, deltaT);
    return result;
}

} // namespace

LocalContacts maximumAtPlace(const EclipseRecord& record, double deltaT, double lonEast,
                             double lat) {
    EclipseState s = eclipseStateAt(record, deltaT, lonEast, lat);
    return localMaximumFromGreatest(s, deltaT);
}

LocalContacts computeLocalContacts(EclipseState& s, const ViewState& view, double deltaT) {
    setObserver(s, view);
    LocalContacts result = localMaximumFromGreatest(s, deltaT);
    if (!result.maximum)
        return result;
    const double t = result.maximum->t;
    result.first = contactAt(s, penumbralContact, t, deltaT, -1);
    result.fourth = contactAt(s, penumbralContact, t, deltaT, +1);
    result.second = contactAt(s, umbralContact, t, deltaT, -1);
    result.third = contactAt(s, umbralContact, t, deltaT, +1);
    return result;
}

} // namespace vesk
