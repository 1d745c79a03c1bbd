// SPDX-License-Identifier: GPL-3.0-or-later
#include "duration_curves.h"

#include "angles.h"
#include "observed_shadow.h"
#include "parallel_rows.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace vesk {

namespace {

// The cuts across the path lie this far apart along the central line (degrees of arc, about
// 28 km).
constexpr double cutSpacingDegrees = 0.25;
// The durations are solved to this many seconds, or until the bracket of the argument (hours,
// or the fraction of the way across the path) is this narrow.
constexpr double secondsTolerance = 0.02;
constexpr double bracketTolerance = 1e-6;
constexpr int maxIterations = 60;
// The levels' spacing for paths up to shortLevelsUpTo seconds, and beyond.
constexpr double shortLevelStep = 30, longLevelStep = 60, shortLevelsUpTo = 180;
// No central eclipse lasts longer (12.5 minutes at most, annular); the levels stop there whatever
// damaged elements say.
constexpr double longestCentralSeconds = 15 * 60;

struct UnitVector {
    double x, y, z;
};

UnitVector unitVectorOf(double lon, double lat) {
    const double l = lon * degToRad, p = lat * degToRad;
    return {std::cos(p) * std::cos(l), std::cos(p) * std::sin(l), std::sin(p)};
}

// The point a fraction f of the way from a to b along the great circle (spherical linear
// interpolation of their directions).
PathPoint alongArc(const PathPoint& a, const TracedPoint& b, double f) {
    const UnitVector u = unitVectorOf(a.lon, a.lat), w = unitVectorOf(b.lon, b.lat);
    const double angle = arcDegrees(a.lon, a.lat, b.lon, b.lat) * degToRad;
    const double s = std::sin(angle);
    const double ka = s > 0 ? std::sin((1 - f) * angle) / s : 1 - f;
    const double kb = s > 0 ? std::sin(f * angle) / s : f;
    const double x = ka * u.x + kb * w.x, y = ka * u.y + kb * w.y, z = ka * u.z + kb * w.z;
    return {std::atan2(y, x) * radToDeg, std::atan2(z, std::hypot(x, y)) * radToDeg, a.t};
}

// One cut across the path: its central line point (instant t), that point's duration and the
// umbral limits' points of the same instant (sign +1, -1).
struct Cut {
    PathPoint centre;
    double seconds = 0;
    std::array<TracedPoint, 2> limits;
};

// The root in (a, b) of g, g(a) > 0 > g(b), by the Illinois variant of false position; none when
// g does not change sign or the iteration does not settle.
template <typename G>
std::optional<double> illinoisRoot(const G& g, double a, double ga, double b, double tolerance) {
    double gb = g(b);
    if (!(ga > 0 && gb < 0))
        return std::nullopt;
    for (int i = 0; i < maxIterations; ++i) {
        const double c = b - gb * (b - a) / (gb - ga);
        const double gc = g(c);
        if (std::fabs(gc) < tolerance || std::fabs(b - a) < bracketTolerance)
            return c;
        if ((gc < 0) == (gb < 0)) {
            ga /= 2;
        } else {
            a = b;
            ga = gb;
        }
        b = c;
        gb = gc;
    }
    return std::nullopt;
}

// The place of a duration on a cut's side, or none.
std::optional<PathPoint> crossingOnCut(const EclipseRecord& r, double deltaT, const Cut& cut,
                                       int side, double level) {
    const TracedPoint& limit = cut.limits[side];
    if (!limit.found)
        return std::nullopt;
    // the square of the duration is nearly a parabola across the path
    const auto excess = [&](double f) {
        const PathPoint p = alongArc(cut.centre, limit, f);
        const double d = centralDurationAt(r, deltaT, p.lon, p.lat, cut.centre.t);
        return d * d - level * level;
    };
    const double tolerance = 2 * level * secondsTolerance;
    const auto f = illinoisRoot(excess, 0, cut.seconds * cut.seconds - level * level, 1, tolerance);
    if (!f)
        return std::nullopt;
    return alongArc(cut.centre, limit, *f);
}

// The central line's point of t and its own duration.
std::pair<PathPoint, double> centralAt(const EclipseRecord& r, double deltaT, double t) {
    const TracedPoint p = centralLinePoint(evaluateElements(r, t), deltaT);
    if (!p.found)
        return {{0, 0, t}, 0};
    return {{p.lon, p.lat, t}, centralDurationAt(r, deltaT, p.lon, p.lat, t)};
}

// The cuts of one piece of the central line, with their limits and durations.
std::vector<Cut> cutsOf(const EclipseRecord& r, double deltaT,
                        const std::vector<CentralPathPoint>& piece, std::stop_token stop) {
    std::vector<Cut> cuts;
    for (std::size_t i = 0; i < piece.size(); ++i) {
        const CentralPathPoint& p = piece[i];
        const bool spaced =
            cuts.empty() || arcDegrees(cuts.back().centre.lon, cuts.back().centre.lat, p.lon,
                                       p.lat) >= cutSpacingDegrees;
        if (spaced || i + 1 == piece.size())
            cuts.push_back({{p.lon, p.lat, p.t}, 0, {}});
    }
    forEachRowInParallel(
        cuts.size(),
        [&](std::size_t i) {
            if (stop.stop_requested())
                return;
            Cut& cut = cuts[i];
            cut.seconds =
                centralDurationAt(r, deltaT, cut.centre.lon, cut.centre.lat, cut.centre.t);
            const ShadowElements e = evaluateElements(r, cut.centre.t);
            cut.limits = {umbralLimitPoint(e, deltaT, +1), umbralLimitPoint(e, deltaT, -1)};
        },
        1);
    return cuts;
}

// Where the central line's duration passes level between two cuts, by the duration's own
// crossing in time; none where the central line is lost in between.
std::optional<PathPoint> centralCrossing(const EclipseRecord& r, double deltaT, const Cut& a,
                                         const Cut& b, double level) {
    const bool rising = a.seconds < b.seconds;
    const auto excess = [&](double t) {
        const double d = centralAt(r, deltaT, t).second - level;
        return rising ? -d : d;
    };
    const double start = rising ? level - a.seconds : a.seconds - level;
    const auto t = illinoisRoot(excess, a.centre.t, start, b.centre.t, secondsTolerance);
    if (!t)
        return std::nullopt;
    return centralAt(r, deltaT, *t).first;
}

// Adds one level's pieces along the cuts of one piece of the central line.
void addLevelAlong(const EclipseRecord& r, double deltaT, const std::vector<Cut>& cuts,
                   const std::vector<std::array<std::optional<PathPoint>, 2>>& found,
                   DurationCurve& curve) {
    std::array<std::vector<PathPoint>, 2> open;
    const auto close = [&](int side) {
        if (open[side].size() > 1)
            curve.sides.push_back(std::move(open[side]));
        open[side].clear();
    };
    for (std::size_t i = 0; i < cuts.size(); ++i) {
        std::optional<PathPoint> meeting;
        if (i > 0 && (cuts[i - 1].seconds > curve.seconds) != (cuts[i].seconds > curve.seconds))
            meeting = centralCrossing(r, deltaT, cuts[i - 1], cuts[i], curve.seconds);
        if (meeting)
            curve.centralCrossings.push_back(*meeting);
        for (int side = 0; side < 2; ++side) {
            if (meeting)
                open[side].push_back(*meeting);
            if (found[i][side])
                open[side].push_back(*found[i][side]);
            else
                close(side);
        }
    }
    close(0);
    close(1);
}

} // namespace

double centralDurationAt(const EclipseRecord& r, double deltaT, double lon, double lat, double t) {
    const Observer o = observerAt(lon, lat);
    const std::optional<ObservedShadow> maximum = localMaximum(r, o, t, deltaT);
    if (!maximum || !maximum->central())
        return 0;
    const std::optional<ObservedShadow> second =
        umbralContact(r, o, maximum->t, deltaT, ContactSide::before);
    const std::optional<ObservedShadow> third =
        umbralContact(r, o, maximum->t, deltaT, ContactSide::after);
    return second && third ? (third->t - second->t) * 3600 : 0;
}

std::vector<double> durationLevels(double longestSeconds) {
    const double step = longestSeconds <= shortLevelsUpTo ? shortLevelStep : longLevelStep;
    std::vector<double> levels;
    for (double level = step; level < std::min(longestSeconds, longestCentralSeconds);
         level += step)
        levels.push_back(level);
    return levels;
}

std::vector<DurationCurve> traceDurationCurves(const EclipseRecord& r, const PathGeometry& path,
                                               std::stop_token stop) {
    const double deltaT = path.deltaT;
    std::vector<std::vector<Cut>> pieces;
    double longest = 0;
    for (const std::vector<CentralPathPoint>& piece : path.centralLine) {
        pieces.push_back(cutsOf(r, deltaT, piece, stop));
        for (const Cut& cut : pieces.back())
            longest = std::max(longest, cut.seconds);
    }
    std::vector<DurationCurve> curves;
    for (double level : durationLevels(longest))
        curves.push_back({level, {}, {}});
    for (const std::vector<Cut>& cuts : pieces) {
        // every cut's crossings of every level, on both sides
        std::vector<std::vector<std::array<std::optional<PathPoint>, 2>>> found(
            curves.size(), std::vector<std::array<std::optional<PathPoint>, 2>>(cuts.size()));
        forEachRowInParallel(
            cuts.size(),
            [&](std::size_t i) {
                if (stop.stop_requested())
                    return;
                for (std::size_t k = 0; k < curves.size(); ++k)
                    for (int side = 0; side < 2; ++side)
                        if (cuts[i].seconds > curves[k].seconds)
                            found[k][i][side] =
                                crossingOnCut(r, deltaT, cuts[i], side, curves[k].seconds);
            },
            1);
        for (std::size_t k = 0; k < curves.size(); ++k)
            addLevelAlong(r, deltaT, cuts, found[k], curves[k]);
    }
    return curves;
}

} // namespace vesk
