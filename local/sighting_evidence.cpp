// SPDX-License-Identifier: GPL-3.0-or-later
#include "sighting_evidence.h"

#include <algorithm>

namespace vesk {

namespace {

// Samples across each central range, and the magnitude's step (seconds: at most, and in
// standard errors).
constexpr int samplesPerCentralRange = 20;
constexpr double magnitudeStep = 30, magnitudeStepInSigmas = 0.05, leastStep = 1;

bool phaseSeen(const SightingEvidence& e, const LocalCircumstances& local) {
    const std::optional<CentralPhase> phase = centralPhaseOf(local);
    switch (e.seen) {
    case SeenPhase::total:
        return phase == CentralPhase::total;
    case SeenPhase::annular:
        return phase == CentralPhase::annular;
    case SeenPhase::central:
        return phase.has_value();
    case SeenPhase::magnitude:
        break;
    }
    return local.magnitude >= e.minMagnitude;
}

bool timeOfDaySeen(const SightingEvidence& e, const SolarTimeOfDay& day) {
    const auto within = [](const std::optional<Span>& span, const std::optional<double>& hours) {
        return !span || (hours && span->contains(*hours));
    };
    return within(e.solarTime, day.apparentSolarHours) &&
           within(e.afterSunrise, day.sinceSunrise) && within(e.beforeSunset, day.untilSunset);
}

} // namespace

bool sightingHolds(const EclipseRecord& r, const Observer& o, const SightingEvidence& e,
                   double deltaT) {
    const LocalCircumstances local = localCircumstances(r, o, deltaT);
    if (!local.maximum || !(local.maximum->shadow.sunAltitude > sunriseAltitude) ||
        !phaseSeen(e, local))
        return false;
    const ObservedShadow& maximum = local.maximum->shadow;
    if (e.sunAltitude && !e.sunAltitude->contains(maximum.sunAltitude))
        return false;
    if (!e.solarTime && !e.afterSunrise && !e.beforeSunset)
        return true;
    return timeOfDaySeen(e, solarTimeOfDay(r, o, maximum.t, deltaT));
}

SightingChance sightingChance(const EclipseRecord& r, const Observer& o, const SightingEvidence& e,
                              double deltaT, double sigma) {
    const auto holds = [&](double dT) { return sightingHolds(r, o, e, dT); };
    const double window = deltaTWindow(sigma);
    const double low = deltaT - window, high = deltaT + window;
    SightingChance chance;
    if (e.seen == SeenPhase::magnitude) {
        const double step = std::clamp(magnitudeStepInSigmas * sigma, leastStep, magnitudeStep);
        chance.ranges = rangesWhere(low, high, step, holds);
    } else {
        for (const DeltaTInterval& central : deltaTRanges(r, o, deltaT, sigma, false).central) {
            const double from = std::max(low, central.from), to = std::min(high, central.to);
            if (from > to)
                continue;
            const double step = std::max(leastStep, (to - from) / samplesPerCentralRange);
            for (const DeltaTInterval& found : rangesWhere(from, to, step, holds))
                chance.ranges.push_back(found);
        }
    }
    chance.probability = probabilityWithin(chance.ranges, deltaT, sigma);
    return chance;
}

} // namespace vesk
