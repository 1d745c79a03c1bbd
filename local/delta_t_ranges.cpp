// SPDX-License-Identifier: GPL-3.0-or-later
#include "delta_t_ranges.h"

#include "local_contacts.h"
#include "local_report.h"
#include "path_tracers.h"
#include "sun_position.h"
#include "timescales.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace vesk {

namespace {

// The scan: at least a minute either side; the central test steps as far as its answer surely
// holds (at least minimumStep), the visibility test every visibleStep seconds or more (at most
// mostSamples samples); ends refined to refinedTo seconds.
constexpr double leastReach = 60, minimumStep = 2, visibleStep = 60, refinedTo = 1;
constexpr int mostSamples = 400;
constexpr double reachInSigmas = 5;
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

CentralSample centralWith(EclipseState& s, const ViewState& view, double deltaT) {
    setObserver(s, view);
    double t = 0, altitude = 0, magnitude = 0;
    int central = 0;
    localMaximum(s, closestApproach(*s.record, 0), deltaT, t, altitude, magnitude, central);
    if (s.status != 1)
        return {};
    const double margin = std::fabs(s.axisDistance - std::fabs(s.obsL2));
    return {central == 1, std::max(minimumStep, margin / earthTurnPerSecond)};
}

// Whether any phase is seen with the Sun up: a magnitude above 0 and the Sun's altitude from the
// elements above the horizon at the first contact, the maximum or the last.
bool visibleWith(EclipseState& s, const ViewState& view, double deltaT) {
    const LocalContacts local = computeLocalContacts(s, view, deltaT);
    bool up = false;
    for (const auto* event : {&local.first, &local.maximum, &local.fourth})
        up = up || (*event && (*event)->altitude > sunriseAltitude);
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

// The intervals of the samples where pick is true, their ends refined.
template <typename Pick>
std::vector<DeltaTInterval> intervalsOf(const std::vector<double>& at, const std::vector<bool>& in,
                                        const Pick& pick) {
    std::vector<DeltaTInterval> found;
    for (std::size_t i = 0; i < at.size(); ++i) {
        if (!in[i] || (i > 0 && in[i - 1]))
            continue;
        std::size_t j = i;
        while (j + 1 < at.size() && in[j + 1])
            ++j;
        const double from = i == 0 ? at[0] : edgeBetween(at[i], at[i - 1], true, pick, refinedTo);
        const double to =
            j + 1 == at.size() ? at[j] : edgeBetween(at[j], at[j + 1], true, pick, refinedTo);
        found.push_back({from, to});
    }
    return found;
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

DeltaTRanges deltaTRanges(EclipseState& s, const ViewState& view, double deltaT, double sigma,
                          bool withVisible) {
    DeltaTRanges ranges;
    ranges.deltaT = deltaT;
    ranges.sigma = sigma;
    const double reach = std::max(leastReach, reachInSigmas * sigma);
    std::vector<double> at;
    std::vector<bool> in;
    for (double dT = deltaT - reach; dT <= deltaT + reach;) {
        const CentralSample sample = centralWith(s, view, dT);
        at.push_back(dT);
        in.push_back(sample.central);
        dT += sample.holdsFor;
    }
    ranges.central =
        intervalsOf(at, in, [&](double dT) { return centralWith(s, view, dT).central; });
    ranges.pCentral = probabilityWithin(ranges.central, deltaT, sigma);
    if (withVisible) {
        at.clear();
        in.clear();
        const double step = std::max(visibleStep, 2 * reach / mostSamples);
        const auto steps = static_cast<int>(std::ceil(2 * reach / step));
        for (int k = 0; k <= steps; ++k) {
            at.push_back(std::min(deltaT - reach + k * step, deltaT + reach));
            in.push_back(visibleWith(s, view, at.back()));
        }
        ranges.visible = intervalsOf(at, in, [&](double dT) { return visibleWith(s, view, dT); });
        ranges.pVisible = probabilityWithin(ranges.visible, deltaT, sigma);
    }
    computeLocalContacts(s, view, deltaT); // the state as the caller's Delta T leaves it
    return ranges;
}

SolarTimeOfDay solarTimeOfDay(const EclipseState& s, double t, double deltaT) {
    SolarTimeOfDay day;
    const double hourAngle = sunDirection(s, t, deltaT).hourAngle;
    day.apparentSolarHours = std::fmod(12 + hourAngle / 15 + 48, 24);
    const auto up = [&](double at) {
        double altitude = 0, azimuth = 0;
        sunAltAz(s, at, deltaT, altitude, azimuth);
        return altitude > sunriseAltitude;
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
        std::snprintf(pair, sizeof pair, "%s%.0f to %.0f s", list.empty() ? "" : ", ", i.from,
                      i.to);
        list += pair;
    }
    return list;
}

PlaceDeltaT placeDeltaT(EclipseState& s, const ViewState& view,
                        const std::optional<LocalContacts>& local, double deltaT) {
    PlaceDeltaT report;
    report.sigma = deltaTSigma(s.record->year);
    if (!local)
        return report;
    report.ranges = deltaTRanges(s, view, deltaT, report.sigma);
    if (local->maximum && local->maximum->altitude > sunriseAltitude)
        report.solar = solarTimeOfDay(s, local->maximum->t, deltaT);
    return report;
}

} // namespace vesk
