// SPDX-License-Identifier: GPL-3.0-or-later
// Which eclipse a record describes: what the record says was seen at a place (the phase, or a
// magnitude at least; when in the day) as a test of an eclipse at each Delta T, and the chance of
// that sighting when Delta T is normal about the model's value with its standard error.
#pragma once

#include "delta_t_ranges.h"
#include "local_circumstances.h"

#include <optional>
#include <vector>

namespace vesk {

// What was seen: the Moon covering the whole Sun, a ring, either, or the Sun covered by a
// magnitude at least.
enum class SeenPhase { total, annular, central, magnitude };

// A closed span of a quantity (hours or degrees).
struct Span {
    double from = 0, to = 0;
    bool contains(double x) const { return x >= from && x <= to; }
};

// A record's evidence. Every sighting is of the Sun up at the local maximum (its altitude from
// the elements above sunriseAltitude); the spans, where given, hold there: the Sun's altitude
// (degrees), the local apparent solar time (hours, 12 at the meridian), and the time since
// sunrise and until sunset (hours; a day without that sunrise or sunset does not match).
struct SightingEvidence {
    SeenPhase seen = SeenPhase::central;
    double minMagnitude = 0; // with SeenPhase::magnitude
    std::optional<Span> sunAltitude, solarTime, afterSunrise, beforeSunset;
};

// Whether the place sees what the evidence says with Delta T (seconds).
bool sightingHolds(const EclipseRecord& record, const Observer& observer,
                   const SightingEvidence& evidence, double deltaT);

// The ranges of Delta T within deltaTWindow(sigma) of deltaT in which the sighting holds, and
// their probability. A phase is looked for within the central ranges (deltaTRanges), sampled 20
// times across each; a magnitude across the window every 30 s or a twentieth of sigma. With
// the elements fixed, what a place sees repeats with every turn of the Earth in Delta T (a
// sidereal day, 86,164.1 s): a window wider than a turn is searched over one turn about deltaT,
// whose ranges are repeated across the window, so that the work does not grow with sigma.
struct SightingChance {
    std::vector<DeltaTInterval> ranges;
    double probability = 0;
    int evaluations = 0; // the Delta T at which the sighting was tried
};
SightingChance sightingChance(const EclipseRecord& record, const Observer& observer,
                              const SightingEvidence& evidence, double deltaT, double sigma);

} // namespace vesk
