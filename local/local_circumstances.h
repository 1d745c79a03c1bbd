// SPDX-License-Identifier: GPL-3.0-or-later
// The local circumstances of an eclipse for one observer, computed once: the contacts, the
// maximum and the eclipse at sunrise or sunset, each with the observer's place in the shadow and
// the Sun's place in the sky. The local screen, the limb screen, info, the pointer's read-out,
// the sky chart and the ranges of Delta T read this value.
#pragma once

#include "observed_shadow.h"
#include "sun_position.h"

#include <array>
#include <optional>

namespace vesk {

// One event at the observer: the shadow there (its instant t, the Sun's altitude from the
// elements, the position angles) and the Sun's altitude and azimuth from its hour angle and
// declination (degrees).
struct LocalEvent {
    ObservedShadow shadow;
    Horizontal sun;
};

// The magnitude a screen shows: the local maximum's, or 0 where the penumbra misses the place
// (the formula's negative values measure how far it misses, not an eclipse).
double shownMagnitude(double magnitude);

// The Sun is up when its altitude is above this (degrees).
constexpr double sunriseAltitude = -0.8;

// Whether the eclipse is in progress at sunrise or at sunset.
enum class HorizonMoment { sunrise, sunset };

struct LocalCircumstances {
    Observer observer;
    // The observer's nearest approach to the shadow axis from greatest eclipse, eclipsed there
    // or not; none when the iteration does not converge.
    std::optional<LocalEvent> nearest;
    // The contacts and the maximum (the nearest approach where the Sun is eclipsed); absent: no
    // such event. A contact is absent only when it does not exist, whatever the Sun's altitude.
    std::optional<LocalEvent> first, second, maximum, third, fourth;
    // The eclipse at the moment the Sun's altitude (from the elements) is sunriseAltitude, when
    // one outer contact is below the horizon and the other above.
    std::optional<LocalEvent> horizon;
    HorizonMoment horizonMoment = HorizonMoment::sunrise;
    double magnitude = 0;   // at the nearest approach (0 or less: no eclipse here)
    double obscuration = 0; // the fraction of the Sun's disk covered then (0 to 1)
    bool central = false;   // inside the umbra or antumbra at the nearest approach
};

// The contacts and the maximum in their order, with their names "C1", "C2", "max", "C3", "C4".
struct NamedLocalEvent {
    const char* name;
    const std::optional<LocalEvent>& event;
};
std::array<NamedLocalEvent, 5> namedLocalEvents(const LocalCircumstances& local);

// What a place inside the central part of the shadow sees: the Moon covering the whole Sun
// (inside the umbra, whose radius l2 is negative) or leaving a ring of it (inside the antumbra).
enum class CentralPhase { total, annular };
CentralPhase centralPhaseOf(const ObservedShadow& shadow);
// "totality" or "annularity".
const char* centralPhaseNoun(CentralPhase phase);
// The phase at the nearest approach of a place inside the central part; none outside it.
std::optional<CentralPhase> centralPhaseOf(const LocalCircumstances& local);
// The seconds from the second contact to the third (the smooth Moon's central phase); none where
// the place has no such pair of contacts.
std::optional<double> centralPhaseSeconds(const LocalCircumstances& local);

// The local circumstances at an observer for an eclipse record and Delta T (seconds): the
// maximum from greatest eclipse, the four contacts from it, and the horizon moment.
LocalCircumstances localCircumstances(const EclipseRecord& record, const Observer& observer,
                                      double deltaT);

// Only the nearest approach and the maximum (no contacts): the window's pointer read-out asks it
// at every move.
LocalCircumstances localMaximumAt(const EclipseRecord& record, const Observer& observer,
                                  double deltaT);

// How far the observer's height moves the nearer edge of the central path (km across the path):
// positive where the place lies that much deeper inside the path (or less far outside it) than an
// observer at sea level at the same position. The observer's depth in the umbra at each one's
// maximum, |L2| less the axis's distance on the fundamental plane (Earth radii), at the height and
// at sea level, over its change per km on the ground at sea level (from places 1 km north and 1 km
// east). None for an eclipse without a central path, or where a maximum is not found.
std::optional<double> heightEdgeShiftKm(const EclipseRecord& record, const Observer& observer,
                                        double deltaT);

} // namespace vesk
