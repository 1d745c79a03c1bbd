// SPDX-License-Identifier: GPL-3.0-or-later
#include "sighting_evidence.h"

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

// Samples across each central range, and the magnitude's step (seconds: at most, and in
// standard errors).
constexpr int samplesPerCentralRange = 20;
constexpr double magnitudeStep = 30, magnitudeStepInSigmas = 0.05, leastStep = 1;
// The Delta T of one turn of the Earth under the shadow: a sidereal day at the rate the catalog's
// hour angle is made with (86,164.09 s).
constexpr double deltaTTurn = 360 / hourAngleRatePerSecond;
// Ranges whose ends lie this close (seconds, the precision of their ends) are one range.
constexpr double joinedWithin = 2;

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

// The ranges of one turn about deltaT (from deltaT - deltaTTurn / 2 to deltaT + deltaTTurn / 2)
// repeated every turn across deltaT +- window, cut at its ends (open there), the pieces of a range
// that the turn's ends divided joined again.
std::vector<DeltaTInterval> repeatedEveryTurn(const std::vector<DeltaTInterval>& turn,
                                              double deltaT, double window) {
    const double low = deltaT - window, high = deltaT + window;
    const int turns = static_cast<int>(std::ceil(window / deltaTTurn));
    std::vector<DeltaTInterval> repeated;
    for (int k = -turns; k <= turns; ++k)
        for (const DeltaTInterval& range : turn) {
            DeltaTInterval shifted{std::max(low, range.from + k * deltaTTurn),
                                   std::min(high, range.to + k * deltaTTurn)};
            if (shifted.from > shifted.to)
                continue;
            shifted.openBelow = shifted.from == low;
            shifted.openAbove = shifted.to == high;
            if (!repeated.empty() && shifted.from - repeated.back().to <= joinedWithin) {
                repeated.back().to = shifted.to;
                repeated.back().openAbove = shifted.openAbove;
            } else {
                repeated.push_back(shifted);
            }
        }
    return repeated;
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
    SightingChance chance;
    const auto holds = [&](double dT) {
        ++chance.evaluations;
        return sightingHolds(r, o, e, dT);
    };
    const double window = deltaTWindow(sigma);
    const double reach = std::min(window, deltaTTurn / 2);
    const double low = deltaT - reach, high = deltaT + reach;
    std::vector<DeltaTInterval> found;
    if (e.seen == SeenPhase::magnitude) {
        const double step = std::clamp(magnitudeStepInSigmas * sigma, leastStep, magnitudeStep);
        found = rangesWhere(low, high, step, holds);
    } else {
        for (const DeltaTInterval& central : centralRangesWithin(r, o, deltaT, reach)) {
            const double from = std::max(low, central.from), to = std::min(high, central.to);
            if (from > to)
                continue;
            const double step = std::max(leastStep, (to - from) / samplesPerCentralRange);
            for (const DeltaTInterval& range : rangesWhere(from, to, step, holds))
                found.push_back(range);
        }
    }
    chance.ranges = window > reach ? repeatedEveryTurn(found, deltaT, window) : found;
    chance.probability = probabilityWithin(chance.ranges, deltaT, sigma);
    return chance;
}

} // namespace vesk
