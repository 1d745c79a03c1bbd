// SPDX-License-Identifier: GPL-3.0-or-later
#include "delta_t_ranges.h"

#include "corrected_limits.h"
#include "local_circumstances.h"
#include "path_tracers.h"
#include "sun_position.h"
#include "timescales.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>

namespace vesk {

namespace {

// The scan: at least a minute either side; the central test steps as far as its answer surely
// holds (at least minimumStep), the visibility test every visibleStep seconds or more (at most
// mostSamples samples in the window); ends refined to refinedTo seconds.
constexpr double leastReach = 60, minimumStep = 2, visibleStep = 60, refinedTo = 1;
constexpr int mostSamples = 400;
constexpr double reachInSigmas = 5;
// The ranges with the lunar limb's profile are sampled this many times across each smooth range
// and a minute beyond its ends (every second at the least).
constexpr int limbSamples = 60;
// A range is followed past the window at most this far from the model's value: one turn of the
// Earth (a sidereal day, seconds) brings every place back under the same shadow.
constexpr double followReach = 86164.0905;
// The Earth's rotation, radians (Earth radii of the fundamental plane at most) per second: no
// place moves faster across the shadow's plane when Delta T changes (IERS).
constexpr double earthTurnPerSecond = 7.292115e-5;
// The search for sunrise and sunset: steps of the Sun's altitude, hours.
constexpr double dayStep = 0.25, dayReach = 18, oneSecondInHours = 1.0 / 3600;

// Whether the place sees the eclipse central with Delta T, and for how many seconds of Delta T
// either side that surely stays so: the distance of the shadow axis from the edge of the umbra
// at the local maximum, over the Earth's turning.
struct CentralSample {
    bool central = false;
    double holdsFor = minimumStep;
};

CentralSample centralWith(const EclipseRecord& r, const Observer& o, double deltaT) {
    const std::optional<ObservedShadow> nearest = localMaximum(r, o, closestApproach(r, 0), deltaT);
    if (!nearest)
        return {};
    const double margin = std::fabs(nearest->axisDistance - std::fabs(nearest->l2));
    return {nearest->central(), std::max(minimumStep, margin / earthTurnPerSecond)};
}

// Whether any phase is seen with the Sun up: a magnitude above 0 and the Sun's altitude from the
// elements above the horizon at the first contact, the maximum or the last.
bool visibleWith(const EclipseRecord& r, const Observer& o, double deltaT) {
    const LocalCircumstances local = localCircumstances(r, o, deltaT);
    bool up = false;
    for (const auto* event : {&local.first, &local.maximum, &local.fourth})
        up = up || (*event && (*event)->shadow.sunAltitude > sunriseAltitude);
    return up && local.magnitude > 0;
}

// The value between a (where pick gives inA) and b (where it does not) at which pick changes,
// to within tolerance.
template <typename Pick>
double edgeBetween(double a, double b, bool inA, const Pick& pick, double tolerance) {
    while (std::fabs(b - a) > tolerance) {
        const double mid = (a + b) / 2;
        (pick(mid) == inA ? a : b) = mid;
    }
    return (a + b) / 2;
}

// One test of a Delta T: whether the place is in the range, and for how many seconds of Delta T
// either side the answer surely holds.
struct RangeSample {
    bool in = false;
    double holdsFor = minimumStep;
};

// The ranges of Delta T where sample(dT).in, looked for between low and high in steps that each
// sample allows, each followed past the window to its end (at most followReach from centre).
template <typename Sample>
std::vector<DeltaTInterval> rangesOf(double centre, double low, double high, const Sample& sample) {
    const auto in = [&](double dT) { return sample(dT).in; };
    // from a Delta T inside a range, its end in direction (+1 or -1), or nothing where the range
    // goes on beyond followReach
    const auto endFrom = [&](double dT, double direction) -> std::optional<double> {
        for (;;) {
            const RangeSample here = sample(dT);
            if (!here.in)
                return std::nullopt; // not reached: the caller starts inside
            const double next = dT + direction * here.holdsFor;
            if (std::fabs(next - centre) > followReach)
                return std::nullopt;
            if (!in(next))
                return edgeBetween(dT, next, true, in, refinedTo);
            dT = next;
        }
    };
    std::vector<DeltaTInterval> found;
    bool inside = false;
    double previous = low;
    for (double dT = low;;) {
        const RangeSample here = sample(dT);
        if (here.in && !inside) {
            DeltaTInterval range;
            if (dT == low) {
                const std::optional<double> from = endFrom(dT, -1);
                range.from = from.value_or(centre - followReach);
                range.openBelow = !from;
            } else {
                range.from = edgeBetween(dT, previous, true, in, refinedTo);
            }
            found.push_back(range);
        } else if (!here.in && inside) {
            found.back().to = edgeBetween(previous, dT, true, in, refinedTo);
        }
        inside = here.in;
        if (dT >= high)
            break;
        previous = dT;
        dT = std::min(high, dT + here.holdsFor);
    }
    if (inside) {
        const std::optional<double> to = endFrom(high, +1);
        found.back().to = to.value_or(centre + followReach);
        found.back().openAbove = !to;
    }
    return found;
}

// What the place sees inside the central range nearest deltaT: the sign of the umbra's radius
// at the middle of the part of that range within deltaT +- reach.
std::optional<CentralPhase> centralPhaseNear(const EclipseRecord& r, const Observer& o,
                                             const std::vector<DeltaTInterval>& central,
                                             double deltaT, double reach) {
    const auto distance = [deltaT](const DeltaTInterval& i) {
        return deltaT < i.from ? i.from - deltaT : deltaT > i.to ? deltaT - i.to : 0.0;
    };
    const auto nearest = std::min_element(central.begin(), central.end(),
                                          [&](const DeltaTInterval& a, const DeltaTInterval& b) {
                                              return distance(a) < distance(b);
                                          });
    if (nearest == central.end())
        return std::nullopt;
    const double middle =
        (std::max(nearest->from, deltaT - reach) + std::min(nearest->to, deltaT + reach)) / 2;
    const std::optional<ObservedShadow> shadow = localMaximum(r, o, closestApproach(r, 0), middle);
    if (!shadow)
        return std::nullopt;
    return centralPhaseOf(*shadow);
}

// Whole seconds with a comma between thousands: "21,896", "-5,249".
std::string groupedSeconds(double seconds) {
    const long long whole = std::llround(seconds);
    const std::string digits = std::to_string(whole < 0 ? -whole : whole);
    std::string grouped = whole < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

// A standard error of Delta T: to a tenth of a second below 10 s, else as groupedSeconds.
std::string sigmaText(double sigma) {
    if (sigma >= 10)
        return groupedSeconds(sigma);
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", sigma);
    return text;
}

// A probability as a whole percentage; "<1 %" and ">99 %" for chances that are not quite none
// or certain.
std::string percentText(double p) {
    if (p > 0 && p < 0.005)
        return "<1 %";
    if (p < 1 && p > 0.995)
        return ">99 %";
    return std::to_string(std::lround(p * 100)) + " %";
}

// "21,896–23,690 s or 40,000 s or more" of ranges of Delta T.
std::string rangesInWords(const std::vector<DeltaTInterval>& intervals) {
    std::string words;
    for (const DeltaTInterval& i : intervals) {
        words += words.empty() ? "" : " or ";
        if (i.openBelow && i.openAbove)
            words += "any value";
        else if (i.openBelow)
            words += "up to " + groupedSeconds(i.to) + " s";
        else if (i.openAbove)
            words += groupedSeconds(i.from) + " s or more";
        else // a dash between two numbers, "to" where one has a minus sign
            words += groupedSeconds(i.from) + (i.from < 0 ? " to " : "\u2013") +
                     groupedSeconds(i.to) + " s";
    }
    return words;
}

// The phase's name of ranges: "total", "annular" or "total or annular".
std::string phaseName(const EclipseRecord& r, const DeltaTRanges& ranges) {
    const int type = static_cast<int>(r.typeCode);
    const bool total = type == typeTotal || type == typeNonCentralTotal;
    const bool annular = type == typeAnnular || type == typeNonCentralAnnular;
    return ranges.centralPhase == CentralPhase::total     ? "total"
           : ranges.centralPhase == CentralPhase::annular ? "annular"
           : total                                        ? "total"
           : annular                                      ? "annular"
                                                          : "total or annular";
}

// Whether an eclipse lies before the present of the Delta T model (its Delta T measured).
bool inThePast(const EclipseRecord& r) {
    return r.year < deltaTPresentYear;
}

double normalBelow(double x, double mu, double sigma) {
    return 0.5 * std::erfc(-(x - mu) / (sigma * std::numbers::sqrt2));
}

} // namespace

double probabilityWithin(const std::vector<DeltaTInterval>& intervals, double mu, double sigma) {
    double p = 0;
    for (const DeltaTInterval& i : intervals)
        p += sigma > 0 ? normalBelow(i.to, mu, sigma) - normalBelow(i.from, mu, sigma)
                       : (mu >= i.from && mu <= i.to ? 1 : 0);
    return std::clamp(p, 0.0, 1.0);
}

std::vector<DeltaTInterval> centralRangesWithin(const EclipseRecord& r, const Observer& o,
                                                double deltaT, double reach) {
    return rangesOf(deltaT, deltaT - reach, deltaT + reach, [&](double dT) {
        const CentralSample sample = centralWith(r, o, dT);
        return RangeSample{sample.central, sample.holdsFor};
    });
}

DeltaTRanges deltaTRanges(const EclipseRecord& r, const Observer& o, double deltaT, double sigma,
                          bool withVisible) {
    DeltaTRanges ranges;
    ranges.deltaT = deltaT;
    ranges.sigma = sigma;
    const double reach = deltaTWindow(sigma);
    ranges.central = centralRangesWithin(r, o, deltaT, reach);
    ranges.pCentral = probabilityWithin(ranges.central, deltaT, sigma);
    ranges.centralPhase = centralPhaseNear(r, o, ranges.central, deltaT, reach);
    if (withVisible) {
        const double step = std::max(visibleStep, 2 * reach / mostSamples);
        ranges.visible = rangesOf(deltaT, deltaT - reach, deltaT + reach, [&](double dT) {
            return RangeSample{visibleWith(r, o, dT), step};
        });
        ranges.pVisible = probabilityWithin(ranges.visible, deltaT, sigma);
    }
    return ranges;
}

SolarTimeOfDay solarTimeOfDay(const EclipseRecord& r, const Observer& o, double t, double deltaT) {
    SolarTimeOfDay day;
    const double hourAngle = sunDirection(r, o, t, deltaT).hourAngle;
    day.apparentSolarHours = std::fmod(12 + hourAngle / 15 + 48, 24);
    const auto up = [&](double at) {
        return sunHorizontal(r, o, at, deltaT).altitude > sunriseAltitude;
    };
    if (!up(t))
        return day;
    // the last change before t and the first after, then refined
    for (const double direction : {-1.0, 1.0}) {
        for (double h = dayStep; h <= dayReach; h += dayStep) {
            if (up(t + direction * h))
                continue;
            const double edge = edgeBetween(t + direction * (h - dayStep), t + direction * h, true,
                                            up, oneSecondInHours);
            (direction < 0 ? day.sinceSunrise : day.untilSunset) = std::fabs(t - edge);
            break;
        }
    }
    return day;
}

std::string intervalsText(const std::vector<DeltaTInterval>& intervals) {
    if (intervals.empty())
        return "none";
    std::string list;
    for (const DeltaTInterval& i : intervals) {
        char pair[64];
        std::snprintf(pair, sizeof pair, "%s%s%.0f to %s%.0f s", list.empty() ? "" : ", ",
                      i.openBelow ? "from below " : "", i.from, i.openAbove ? "above " : "", i.to);
        list += pair;
    }
    return list;
}

std::string centralChanceText(const EclipseRecord& r, const DeltaTRanges& ranges) {
    if (static_cast<int>(r.typeCode) == typePartial)
        return "";
    const std::string phase = phaseName(r, ranges);
    const bool past = inThePast(r);
    const std::string model =
        groupedSeconds(ranges.deltaT) + " \u00b1 " + sigmaText(ranges.sigma) + " s";
    const std::string when = ranges.central.empty()
                                 ? "not " + phase + " for any \u0394T near the model's " + model
                                 : phase + " if \u0394T " + (past ? "was " : "is ") +
                                       rangesInWords(ranges.central) + "; the model gives " + model;
    return "Chance that the eclipse " + std::string(past ? "was " : "will be ") + phase +
           " here: " + percentText(ranges.pCentral) + " (" + when + ")";
}

std::string visibleChanceText(const EclipseRecord& r, const DeltaTRanges& ranges) {
    return "Chance that it " + std::string(inThePast(r) ? "was" : "will be") +
           " seen here at all (any phase, the Sun up): " + percentText(ranges.pVisible);
}

std::string limbChanceText(const EclipseRecord& r, const DeltaTRanges& ranges) {
    if (static_cast<int>(r.typeCode) == typePartial || !ranges.limbCorrected)
        return "";
    const std::vector<DeltaTInterval>& central = ranges.limbCorrected->central;
    return "With the lunar limb's profile: " + percentText(ranges.limbCorrected->pCentral) + " (" +
           (central.empty() ? "not " + phaseName(r, ranges) + " for any \u0394T near the model's"
                            : phaseName(r, ranges) + " if \u0394T " +
                                  (inThePast(r) ? "was " : "is ") + rangesInWords(central)) +
           ")";
}

double deltaTWindow(double sigma) {
    return std::max(leastReach, reachInSigmas * sigma);
}

std::vector<DeltaTInterval> rangesWhere(double low, double high, double step,
                                        const std::function<bool(double)>& holds) {
    std::vector<DeltaTInterval> found;
    bool inside = false;
    double previous = low;
    for (double dT = low;; dT = std::min(high, dT + step)) {
        const bool in = holds(dT);
        if (in && !inside)
            found.push_back(
                {dT == low ? low : edgeBetween(dT, previous, true, holds, refinedTo), high});
        else if (!in && inside)
            found.back().to = edgeBetween(previous, dT, true, holds, refinedTo);
        inside = in;
        if (dT >= high)
            break;
        previous = dT;
    }
    return found;
}

std::vector<DeltaTInterval> limbCorrectedRanges(const EclipseRecord& r, const Observer& o,
                                                const DeltaTRanges& smooth, const LimbData& limb) {
    const auto central = [&](double dT) {
        return correctedCentralSeconds(r, localCircumstances(r, o, dT), dT, limb).has_value();
    };
    const double window = deltaTWindow(smooth.sigma);
    std::vector<DeltaTInterval> corrected;
    for (const DeltaTInterval& range : smooth.central) {
        // a minute beyond a closed end (the profile's relief is crossed in seconds of Delta T),
        // the window's end beyond an open one
        const double low = range.openBelow ? smooth.deltaT - window : range.from - leastReach;
        const double high = range.openAbove ? smooth.deltaT + window : range.to + leastReach;
        for (DeltaTInterval found :
             rangesWhere(low, high, std::max(refinedTo, (high - low) / limbSamples), central)) {
            found.openBelow = range.openBelow && found.from == low;
            found.openAbove = range.openAbove && found.to == high;
            corrected.push_back(found);
        }
    }
    return corrected;
}

PlaceDeltaT placeDeltaT(const EclipseRecord& r, const std::optional<LocalCircumstances>& local,
                        double deltaT, const LimbData* limb) {
    PlaceDeltaT report;
    report.sigma = deltaTSigma(r.year);
    if (!local)
        return report;
    report.ranges = deltaTRanges(r, local->observer, deltaT, report.sigma);
    if (limb != nullptr) {
        LimbCorrectedRanges& corrected = report.ranges->limbCorrected.emplace();
        corrected.central = limbCorrectedRanges(r, local->observer, *report.ranges, *limb);
        corrected.pCentral = probabilityWithin(corrected.central, deltaT, report.sigma);
    }
    if (local->maximum && local->maximum->shadow.sunAltitude > sunriseAltitude)
        report.solar = solarTimeOfDay(r, local->observer, local->maximum->shadow.t, deltaT);
    return report;
}

bool centralChanceInDoubt(const PlaceDeltaT& place) {
    if (!place.ranges)
        return false;
    // the screens print any chance short of certain as "<1 %" or ">99 %" at the least
    const double p = place.ranges->pCentral;
    return p > 0 && p < 1;
}

std::string centralChanceLine(const DeltaTRanges& r) {
    std::string line = "Chance of ";
    line += centralPhaseNoun(r.centralPhase.value_or(CentralPhase::total));
    return line + ": " + percentText(r.pCentral) + " (ΔT " + groupedSeconds(r.deltaT) + " ± " +
           sigmaText(r.sigma) + " s)";
}

} // namespace vesk
