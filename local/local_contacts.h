// SPDX-License-Identifier: GPL-3.0-or-later
// The contacts and the maximum of the current eclipse for the view's observer.
#pragma once

#include "eclipse_state.h"

#include <optional>

namespace vesk {

// One event at the observer: the instant (hours from t0, TT), the Sun's altitude from the
// elements and its azimuth from the solar theory (degrees).
struct LocalEvent {
    double t = 0;
    double altitude = 0, azimuth = 0;
};

// The magnitude a screen shows: the local maximum's, or 0 where the penumbra misses the place
// (the formula's negative values measure how far it misses, not an eclipse).
double shownMagnitude(double magnitude);

struct LocalContacts {
    std::optional<LocalEvent> first, second, maximum, third, fourth; // absent: no such event
    double magnitude = 0; // at the maximum (0 or less: no eclipse here)
    int central = 0;      // 1 inside the umbra or antumbra at the maximum
};

// Sets the observer from the view, finds greatest eclipse, the local maximum from it and the
// four contacts from the maximum. A contact is absent only when it does not exist, whatever the
// Sun's altitude.
LocalContacts computeLocalContacts(EclipseState& state, const ViewState& view, double deltaT);

// The local maximum (the magnitude, whether central, the instant and the Sun there; no contacts)
// at a place at sea level for an eclipse record and Delta T, on an eclipse state of its own: the
// window's pointer read-out computes it while a repaint uses the shared state.
LocalContacts maximumAtPlace(const EclipseRecord& record, double deltaT, double lonEast,
                             double lat);

// The UT Julian date of t hours from t0 (TT) with deltaT seconds: t0 counts from midnight of the
// TT date of greatest eclipse.
double instantJdUt(const EclipseRecord& record, double t, double deltaT);
inline double instantJdUt(const EclipseState& state, double t, double deltaT) {
    return instantJdUt(*state.record, t, deltaT);
}

} // namespace vesk
