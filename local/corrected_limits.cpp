// SPDX-License-Identifier: GPL-3.0-or-later
#include "corrected_limits.h"

#include "angles.h"
#include "limb_margins.h"
#include "lunar_libration.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <thread>

namespace vesk {

namespace {

constexpr double bracketMarginKm = 0.5;
constexpr int maxRootPasses = 60;
constexpr double windowMarginDeg = 1;
constexpr double nearBracketKm = 0.05;  // about a limit found before
constexpr double exteriorScanKm = 0.05; // the exterior margin's outermost crossing, stepped to
// The whole limb's extremes are taken every reliefKeyEvery instants, widened by this much.
constexpr int reliefKeyEvery = 6;
constexpr double keyReliefMarginKm = 0.5;
// The interior limit is found first roughly with the profile seen from the smooth limit, then
// closely with the one seen from there; the exterior limit once.
constexpr SearchPrecision firstPrecision{0.02, 2}, interiorPrecision{0.0002, 0.5},
    exteriorPrecision{0.002, 1};

// The root of a function falling through 0 between lo (value at least 0) and hi (below 0): the
// Illinois variant of regula falsi.
double fallingRoot(const std::function<double(double)>& f, double lo, double hi, double fLo,
                   double fHi, double toleranceKm) {
    int kept = 0;
    for (int pass = 0; pass < maxRootPasses && hi - lo > toleranceKm; ++pass) {
        const double x = hi - fHi * (hi - lo) / (fHi - fLo);
        const double fx = f(x);
        if (fx >= 0) {
            lo = x;
            fLo = fx;
            if (kept == 1)
                fHi /= 2;
            kept = 1;
        } else {
            hi = x;
            fHi = fx;
            if (kept == -1)
                fLo /= 2;
            kept = -1;
        }
    }
    return (lo + hi) / 2;
}

// One side at one instant: the points of both limits and the side they lie on.
struct InstantSide {
    TracedPoint interior, exterior;
    int side = -1; // index: 0 northern, 1 southern; -1 none traced
};

} // namespace

Observer observerOnGround(const GroundHeights& ground, double lonEast, double lat) {
    return observerAt(lonEast, lat, ground.metresAt ? ground.metresAt(lonEast, lat) : 0);
}

LimitSearch::LimitSearch(const EclipseRecord& record, const ShadowElements& elements, double deltaT,
                         int sign, const GroundHeights& ground)
    : record(record), elements(elements), deltaT(deltaT), sign(sign), ground(ground) {
    const TracedPoint smooth = umbralLimitPoint(elements, deltaT, sign);
    if (!smooth.found)
        return;
    smoothPlace = observerOnGround(ground, smooth.lon, smooth.lat);
    const ObservedShadow atSmooth = observeShadow(record, *smoothPlace, elements.t, deltaT);
    sun = sunAgainstLimb(atSmooth);
    smoothD = std::hypot(sun.x, sun.y);
    kmPerHour = std::hypot(atSmooth.a, atSmooth.b) * sun.moonToPlane;
    if (!(kmPerHour > 0 && smoothD > 0))
        smoothPlace.reset();
}

std::optional<Observer> LimitSearch::placeAt(double widening) const {
    // The places searched are those of the sea-level limits widened about the smooth one, each
    // standing on the ground: the root is where an observer on the ground sees the limit.
    const TracedPoint p = umbralLimitPoint(elements, deltaT, sign, widening);
    return p.found ? std::optional(observerOnGround(ground, p.lon, p.lat)) : std::nullopt;
}

LimitSearch::Bracket LimitSearch::bracket(double lowest, double highest,
                                          CorrectedLimit limit) const {
    const double s = sun.sunRadius;
    const double extra = bracketMarginKm + (limit == CorrectedLimit::exterior ? grazeDepthKm : 0);
    const double possibleD = sun.total ? highest - s : s - lowest;
    return {std::max(0.0, (sun.total ? lowest - s : s - highest) - extra), possibleD + extra,
            possibleD};
}

ProfileWindow LimitSearch::window(double lowest, double highest) const {
    // The Sun's centre seen from the Moon's (total) or the opposite direction (annular), in the
    // profile's angles; about it the samples within the profile's heights, over the track's
    // length where the central phase can happen, at either end of the bracket.
    const double towardsSun = std::atan2(sun.x, sun.y) / degToRad + 180;
    const double centre = sun.total ? towardsSun : towardsSun + 180;
    const double s = sun.sunRadius;
    double half = 0;
    for (const double d : {bracket(lowest, highest, CorrectedLimit::exterior).lo,
                           bracket(lowest, highest, CorrectedLimit::exterior).hi}) {
        const double possibleD = bracket(lowest, highest, CorrectedLimit::interior).possibleD;
        const double track = d < possibleD ? std::sqrt(possibleD * possibleD - d * d) : 0;
        for (const double c : {std::max(d, 1e-9), std::hypot(d, track)}) {
            // the angle at the Moon's centre between the Sun's centre and a limb point at r
            const double r = sun.total ? lowest : highest;
            const double cosine = std::clamp((r * r + c * c - s * s) / (2 * r * c), -1.0, 1.0);
            const double apart = std::acos(cosine) / degToRad;
            half = std::max(half, (sun.total ? apart : 180 - apart) +
                                      std::atan2(track, std::max(d, 1e-9)) / degToRad);
        }
    }
    return {centre, std::min(180.0, half + windowMarginDeg)};
}

std::optional<double> LimitSearch::widening(const LimbProfile& profile, CorrectedLimit limit,
                                            SearchPrecision precision,
                                            std::optional<double> near) const {
    if (!smoothPlace)
        return std::nullopt;
    const double t = elements.t;
    const Bracket range = bracket(profile.lowest, profile.highest, limit);
    const double possibleD = range.possibleD;
    // the best interior margin along the place's track, where the phase can happen
    const auto interior = [&](double d) {
        const std::optional<Observer> place = placeAt((d - smoothD) / sun.moonToPlane);
        if (!place)
            return -possibleD;
        if (d >= possibleD)
            return possibleD - d;
        const double halfKm = std::sqrt(possibleD * possibleD - d * d);
        return bestInteriorMargin(profile, record, *place, deltaT, t, halfKm / kmPerHour,
                                  precision.trackSampleKm / kmPerHour)
            .interior;
    };
    const auto exterior = [&](double d) {
        const std::optional<Observer> place = placeAt((d - smoothD) / sun.moonToPlane);
        if (!place)
            return -possibleD;
        // at the place's own maximum, which the widened limit puts near t but not at it
        const std::optional<ObservedShadow> maximum = localMaximum(record, *place, t, deltaT);
        return maximum ? exteriorMargin(profile, sunAgainstLimb(*maximum)) : -possibleD;
    };
    const std::function<double(double)> f = limit == CorrectedLimit::interior
                                                ? std::function<double(double)>(interior)
                                                : std::function<double(double)>(exterior);
    if (near) { // first about the limit found before, if it brackets the root
        const double d = smoothD + *near * sun.moonToPlane;
        const double lo = std::max(range.lo, d - nearBracketKm), hi = d + nearBracketKm;
        const double fLo = f(lo), fHi = fLo >= 0 ? f(hi) : 0;
        if (fLo >= 0 && fHi < 0)
            return (fallingRoot(f, lo, hi, fLo, fHi, precision.rootKm) - smoothD) / sun.moonToPlane;
    }
    double lo = range.lo, hi = range.hi, fLo = f(lo), fHi = f(hi);
    if (!(fLo >= 0 && fHi < 0))
        return std::nullopt;
    if (limit == CorrectedLimit::exterior) {
        // The exterior margin jumps as peaks enter and leave the grazed part of the limb: the
        // limit is its outermost crossing, found by stepping inward from the bracket's end.
        for (double d = hi - exteriorScanKm; d > lo; d -= exteriorScanKm) {
            if (const double fd = f(d); fd >= 0) {
                lo = d;
                fLo = fd;
                break;
            } else {
                hi = d;
                fHi = fd;
            }
        }
    }
    return (fallingRoot(f, lo, hi, fLo, fHi, precision.rootKm) - smoothD) / sun.moonToPlane;
}

std::optional<double> correctedCentralSeconds(const EclipseRecord& record,
                                              const LocalCircumstances& local, double deltaT,
                                              const LimbData& limb) {
    if (!local.nearest)
        return std::nullopt;
    const LibrationResult lib =
        librationAt(record, local.observer, local.nearest->shadow.t, deltaT);
    const CorrectedContacts contacts = correctedContacts(
        limbProfile(limb, lib.l, lib.b, lib.positionAngle), record, local, deltaT);
    if (!contacts.second || !contacts.third)
        return std::nullopt;
    return (contacts.third->t - contacts.second->t) * 3600;
}

CorrectedLimits traceCorrectedLimits(const EclipseRecord& record, const PathGeometry& path,
                                     double deltaT, const LimbData& limb,
                                     const GroundHeights& ground, std::stop_token stop) {
    CorrectedLimits limits;
    limits.sunRadiusKm = sunRadiusOf(record);
    limits.heights = ground.source;
    if (!path.umbraFirst.point.found || !path.umbraLast.point.found)
        return limits;
    const double first = path.umbraFirst.time, last = path.umbraLast.time;
    const int steps = curveSteps(first, last, correctedLimitStepHours);
    const auto inParallel = [&](int count, const std::function<void(int)>& work) {
        const unsigned workers = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
        std::vector<std::jthread> pool;
        for (unsigned w = 0; w < workers; ++w)
            pool.emplace_back([&, w] {
                for (int index = static_cast<int>(w); index < count && !stop.stop_requested();
                     index += static_cast<int>(workers))
                    work(index);
            });
    };
    const auto instant = [&](int index) {
        return std::min(first + index * correctedLimitStepHours, last);
    };
    // The whole limb's extremes every few instants, from the profile seen from the central line
    // (or a limit) there, widened for the change of the libration between them; the grid's
    // extremes where there is no such point.
    const LunarRelief relief = lunarRelief(limb);
    std::vector<LunarRelief> keyRelief(static_cast<std::size_t>(steps / reliefKeyEvery + 2),
                                       relief);
    inParallel(static_cast<int>(keyRelief.size()), [&](int key) {
        const double t = instant(std::min(key * reliefKeyEvery, steps));
        const ShadowElements e = evaluateElements(record, t);
        for (const TracedPoint& p : {centralLinePoint(e, deltaT), umbralLimitPoint(e, deltaT, 1),
                                     umbralLimitPoint(e, deltaT, -1)}) {
            if (!p.found)
                continue;
            const LibrationResult lib = librationAt(record, observerAt(p.lon, p.lat), t, deltaT);
            const LimbProfile whole = limbProfile(limb, lib.l, lib.b, lib.positionAngle);
            keyRelief[static_cast<std::size_t>(key)] = {whole.lowest - keyReliefMarginKm,
                                                        whole.highest + keyReliefMarginKm};
            return;
        }
    });
    std::vector<std::array<InstantSide, 2>> traced(
        static_cast<std::size_t>(std::max(0, steps + 1)));
    const auto traceInstant = [&](int index) {
        const double t = instant(index);
        const ShadowElements e = evaluateElements(record, t);
        const CentralDetails central = centralLineDetails(e, deltaT);
        const double l2 = central.point.found ? central.surfaceL2 : e.l2;
        const LunarRelief& before = keyRelief[static_cast<std::size_t>(index / reliefKeyEvery)];
        const LunarRelief& after = keyRelief[static_cast<std::size_t>(index / reliefKeyEvery + 1)];
        const LunarRelief extremes{std::min(before.lowest, after.lowest),
                                   std::max(before.highest, after.highest)};
        // The profile seen from a place over the part the search reads: every direction in which
        // the Sun's limb can reach the limb's lowest radius (total) or highest (annular), so that
        // the extremes may stand for the whole limb's.
        const auto profileSeenFrom = [&](const LimitSearch& search, const Observer& place) {
            const LibrationResult lib = librationAt(record, place, t, deltaT);
            LimbProfile profile = limbProfile(limb, lib.l, lib.b, lib.positionAngle,
                                              search.window(extremes.lowest, extremes.highest));
            profile.lowest = std::min(profile.lowest, extremes.lowest);
            profile.highest = std::max(profile.highest, extremes.highest);
            return profile;
        };
        for (int i = 0; i < 2; ++i) {
            const int sign = i == 0 ? +1 : -1;
            const LimitSearch search(record, e, deltaT, sign, ground);
            if (!search.smoothPlace)
                continue;
            InstantSide& out = traced[static_cast<std::size_t>(index)][static_cast<std::size_t>(i)];
            out.side = umbralLimitSide(l2, sign) > 0 ? 0 : 1;
            const LimbProfile smoothProfile = profileSeenFrom(search, *search.smoothPlace);
            const auto traced = [&](std::optional<double> w) {
                return w ? umbralLimitPoint(e, deltaT, sign, *w) : TracedPoint{};
            };
            out.exterior =
                traced(search.widening(smoothProfile, CorrectedLimit::exterior, exteriorPrecision));
            const std::optional<double> interior =
                search.widening(smoothProfile, CorrectedLimit::interior, firstPrecision);
            out.interior = traced(interior);
            // once more with the profile seen from the interior limit itself: the libration
            // moves the profile's heights by metres over the kilometres between the limits
            if (out.interior.found)
                out.interior = traced(search.widening(
                    profileSeenFrom(search,
                                    observerOnGround(ground, out.interior.lon, out.interior.lat)),
                    CorrectedLimit::interior, interiorPrecision, interior));
        }
    };
    inParallel(steps + 1, traceInstant);
    // the pieces: broken where a point is missing or jumps
    const auto extend = [](Pieces<PathPoint>& pieces, const TracedPoint& p, double t, bool& open) {
        if (!p.found) {
            open = false;
            return;
        }
        if (open && !pieces.back().empty()) {
            const PathPoint& previous = pieces.back().back();
            open = arcDegrees(previous.lon, previous.lat, p.lon, p.lat) <= maxJoinDegrees;
        }
        if (!open)
            pieces.emplace_back();
        pieces.back().push_back({p.lon, p.lat, t});
        open = true;
    };
    std::array<bool, 2> interiorOpen{}, exteriorOpen{};
    for (std::size_t index = 0; index < traced.size(); ++index) {
        const double t = instant(static_cast<int>(index));
        for (const InstantSide& at : traced[index]) {
            if (at.side < 0)
                continue;
            const auto side = static_cast<std::size_t>(at.side);
            extend(limits.interior[side], at.interior, t, interiorOpen[side]);
            extend(limits.exterior[side], at.exterior, t, exteriorOpen[side]);
        }
    }
    return limits;
}

} // namespace vesk
