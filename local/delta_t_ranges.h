// SPDX-License-Identifier: GPL-3.0-or-later
// What the uncertainty of Delta T means at a place: the ranges of Delta T in which the place sees
// the eclipse as central (total or annular), and in which it sees any phase with the Sun up, with
// their probabilities when Delta T is normal about its model value with the standard error
// deltaTSigma. A change of Delta T turns the Earth under the shadow (the shadow's hour angle
// moves by the Earth's rotation over the change), so each Delta T is a new local computation
// with the same elements.
#pragma once

#include "limb_correction.h"
#include "local_circumstances.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

struct DeltaTInterval {
    double from = 0, to = 0; // seconds
    // An end that could not be followed to where the range ends (a day of the Earth's turning
    // from the model's value): the range goes on below from or above to.
    bool openBelow = false, openAbove = false;
};

// The central ranges with the lunar limb's profile, and their probability.
struct LimbCorrectedRanges {
    std::vector<DeltaTInterval> central;
    double pCentral = 0;
};

struct DeltaTRanges {
    double deltaT = 0, sigma = 0; // the model value (or the user's) and its standard error
    std::vector<DeltaTInterval> central, visible;
    double pCentral = 0, pVisible = 0;
    // What the place sees inside the central range nearest deltaT (none without one)
    std::optional<CentralPhase> centralPhase;
    // With the lunar limb's profile: the ranges in which the corrected contacts give a central
    // phase (none unless asked for with the lunar grid)
    std::optional<LimbCorrectedRanges> limbCorrected;
};

// The ranges for the observer (the visible ones only withVisible), their ends found to a
// second. They are looked for within deltaT +- max(5 sigma, 60 s) (beyond it the probability is
// below 3e-7); a range that reaches past an end of that window is followed to where it ends, up
// to a sidereal day from deltaT (after which the Earth has turned once and the answers repeat),
// and marked open beyond that. Visible: a magnitude above 0 with the Sun's altitude from the
// elements above the horizon (sunriseAltitude) at the first contact, the maximum or the last.
DeltaTRanges deltaTRanges(const EclipseRecord& record, const Observer& observer, double deltaT,
                          double sigma, bool withVisible = true);

// The central ranges of deltaTRanges looked for within reach seconds of deltaT (each followed
// past it to its end, a turn of the Earth from deltaT at most).
std::vector<DeltaTInterval> centralRangesWithin(const EclipseRecord& record,
                                                const Observer& observer, double deltaT,
                                                double reach);

// How far from the model's Delta T the ranges are looked for: 5 standard errors (beyond them the
// probability is below 3e-7), a minute at the least.
double deltaTWindow(double sigma);

// The ranges of Delta T between low and high in which holds is true, sampled every step seconds
// and their ends refined to a second; a range that reaches low or high ends there.
std::vector<DeltaTInterval> rangesWhere(double low, double high, double step,
                                        const std::function<bool(double)>& holds);

// The central ranges with the profile of the lunar limb: the Delta T for which the corrected
// contacts (correctedCentralSeconds, the profile at the libration of the place's maximum) give a
// central phase, looked for across each of the smooth ranges and a minute beyond its ends (to
// the window's end beyond an open one, which stays open where the profile's range reaches it),
// sampled 60 times (a second apart at the least), their ends found to a second.
std::vector<DeltaTInterval> limbCorrectedRanges(const EclipseRecord& record,
                                                const Observer& observer,
                                                const DeltaTRanges& smooth, const LimbData& limb);

// The probability that a normal variable of mean mu and standard deviation sigma falls in the
// intervals (sigma 0: whether mu lies in one of them).
double probabilityWithin(const std::vector<DeltaTInterval>& intervals, double mu, double sigma);

// The Sun at the local maximum in the units of ancient records: local apparent solar time
// (hours, 12 at the meridian) and the time since sunrise and until sunset (hours; absent when
// the Sun does not rise or set within 18 hours of the maximum).
// Time-degrees in an hour: the sky turns 15 degrees an hour, 1 degree in 4 minutes.
constexpr double timeDegreesPerHour = 15;

struct SolarTimeOfDay {
    double apparentSolarHours = 0;
    std::optional<double> sinceSunrise, untilSunset;
};
SolarTimeOfDay solarTimeOfDay(const EclipseRecord& record, const Observer& observer, double t,
                              double deltaT);

// "21896 to 23690 s, ..." of ranges of Delta T, or "none"; an open end reads "from below 8640" or
// "above 10736".
std::string intervalsText(const std::vector<DeltaTInterval>& intervals);

// The chance of the central phase at the place in plain words, named as the place sees it:
// "Chance that the eclipse was total here: 12 % (total if ΔT was 21,896–23,690 s; the model
// gives 21,263 ± 533 s)"; "will be" and "is" for an eclipse after the present of the Delta T
// model. Empty for a partial eclipse, which has no central phase anywhere.
std::string centralChanceText(const EclipseRecord& record, const DeltaTRanges& ranges);
// The chance that any phase was seen with the Sun up: "Chance that it was seen here at all (any
// phase, the Sun up): 100 %".
std::string visibleChanceText(const EclipseRecord& record, const DeltaTRanges& ranges);
// The chance with the lunar limb's profile: "With the lunar limb's profile: 70 % (total if ΔT was
// 11,262–12,150 s)"; empty without those ranges or for a partial eclipse.
std::string limbChanceText(const EclipseRecord& record, const DeltaTRanges& ranges);

// What the uncertainty of Delta T means for an eclipse, and at a place where one is given.
struct PlaceDeltaT {
    double sigma = 0;                    // seconds: deltaTSigma of the eclipse's year
    std::optional<DeltaTRanges> ranges;  // with a place
    std::optional<SolarTimeOfDay> solar; // with a place that sees the maximum with the Sun up
};

// The chance of the central phase in one short line: "Chance of totality: 12 % (ΔT 21,263 ±
// 533 s)".
std::string centralChanceLine(const DeltaTRanges& r);

// Whether the uncertainty of Delta T leaves the central phase at the place in doubt: its chance
// as the screens print it neither "0 %" nor "100 %".
bool centralChanceInDoubt(const PlaceDeltaT& place);

// The standard error of Delta T for an eclipse record and, with the local circumstances of an
// observer (local), the ranges and the solar time there; with the lunar grid (limb) also the
// ranges with the limb's profile.
PlaceDeltaT placeDeltaT(const EclipseRecord& record, const std::optional<LocalCircumstances>& local,
                        double deltaT, const LimbData* limb = nullptr);

} // namespace vesk
