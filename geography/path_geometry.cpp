// SPDX-License-Identifier: GPL-3.0-or-later
#include "path_geometry.h"

#include "angles.h"
#include "checked_int.h"
#include "duration_curves.h"

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

// Curves of equal time: the magnitude sweep's step and the value below which it counts as 0.
constexpr double sweepStep = 1.0 / 30;
constexpr double sweepFloor = 0.04;
constexpr double sweepTop = 0.98;

// Adds a point to the last piece of a curve, or starts a piece where the curve had no point at
// the previous instant or jumps from it.
template <typename Point> class CurveBuilder {
  public:
    explicit CurveBuilder(Pieces<Point>& pieces) : pieces(pieces) {}
    void add(bool found, const Point& p) {
        if (!found) {
            open = false;
            return;
        }
        if (open) {
            const Point& last = pieces.back().back();
            open = arcDegrees(last.lon, last.lat, p.lon, p.lat) <= maxJoinDegrees;
        }
        if (!open)
            pieces.emplace_back();
        pieces.back().push_back(p);
        open = true;
    }

  private:
    Pieces<Point>& pieces;
    bool open = false;
};

PathPoint pathPoint(const TracedPoint& p, double t) {
    return {p.lon, p.lat, t};
}

SameTimeCurve sameTimeCurve(const ShadowElements& e, double deltaT) {
    SameTimeCurve curve;
    curve.t = e.t;
    for (double m = 0; m <= sweepTop; m += sweepStep)
        if (const TracedPoint p = magnitudeCurvePoint(e, deltaT, m, +1); p.found)
            curve.points.push_back(p);
    const std::size_t firstSide = curve.points.size();
    for (double m = 1; m >= 0; m -= sweepStep)
        if (const TracedPoint p = magnitudeCurvePoint(e, deltaT, m < sweepFloor ? 0 : m, -1);
            p.found)
            curve.points.push_back(p);
    const std::size_t counts[2] = {firstSide, curve.points.size() - firstSide};
    const int sides[2] = {+1, -1};
    for (int i = 0; i < 2; ++i) {
        if (magnitudeCurvePoint(e, deltaT, 0, sides[i]).found || counts[i] == 0)
            continue;
        curve.ends[i] = {maxAtRiseSetPoint(e, deltaT, -1), maxAtRiseSetPoint(e, deltaT, +1)};
    }
    return curve;
}

LimbEnds limbEnds(const EclipseRecord& r, double deltaT, int side) {
    LimbEnds ends;
    ends.central = centralLineAtLimb(r, 0, deltaT, side).point;
    for (int i = 0; i < 2; ++i) {
        const int sign = i == 0 ? +1 : -1;
        ends.umbral[i] = umbralLimitAtLimb(r, 0, deltaT, sign, side);
        ends.penumbral[i] = penumbralLimitAtLimb(r, 0, deltaT, sign, side).point;
        for (std::size_t m = 0; m < magnitudeLevels.size(); ++m)
            ends.magnitudes[m][i] =
                magnitudeCurveAtLimb(r, 0, deltaT, magnitudeLevels[m], sign, side).point;
    }
    return ends;
}

// Whether a half-hour mark of UT lies between the previous step and this one, or UT turns from
// negative to positive.
bool halfHourPassed(double previousUt, double ut) {
    return std::trunc(2 * ut) - std::trunc(2 * previousUt) == 1 || (previousUt < 0 && ut >= 0);
}

// The builders of the curves traced at each step.
struct StepBuilders {
    explicit StepBuilders(PathGeometry& g)
        : central(g.centralLine), umbral{CurveBuilder(g.umbralLimits[0]),
                                         CurveBuilder(g.umbralLimits[1])},
          penumbral{CurveBuilder(g.penumbralLimits[0]), CurveBuilder(g.penumbralLimits[1])},
          riseSet{CurveBuilder(g.riseSetCurves[0]), CurveBuilder(g.riseSetCurves[1])},
          maxAtRiseSet{CurveBuilder(g.maxAtRiseSetCurves[0]),
                       CurveBuilder(g.maxAtRiseSetCurves[1])} {
        for (std::size_t m = 0; m < magnitudeLevels.size(); ++m)
            for (int i = 0; i < 2; ++i)
                magnitudes.push_back(CurveBuilder(g.magnitudeCurves[m][i]));
    }
    CurveBuilder<CentralPathPoint> central;
    CurveBuilder<UmbralLimitPoint> umbral[2];
    CurveBuilder<PathPoint> penumbral[2], riseSet[2], maxAtRiseSet[2];
    std::vector<CurveBuilder<PathPoint>> magnitudes; // [level * 2 + sign index]
};

// The points of every curve at one step.
void traceStep(const ShadowElements& e, double deltaT, bool magnitudes, StepBuilders& b) {
    const CentralDetails c = centralLineDetails(e, deltaT);
    b.central.add(
        c.point.found,
        {{c.point.lon, c.point.lat, e.t}, c.duration, c.width, c.point.sunAlt, c.surfaceL2});
    const double umbralL2 = c.point.found ? c.surfaceL2 : e.l2;
    for (int i = 0; i < 2; ++i) {
        const int sign = i == 0 ? +1 : -1;
        const TracedPoint limit = umbralLimitPoint(e, deltaT, sign);
        b.umbral[umbralLimitSide(umbralL2, sign) > 0 ? 0 : 1].add(
            limit.found, {pathPoint(limit, e.t), umbralL2});
        const TracedPoint penumbral = penumbralLimitPoint(e, deltaT, sign);
        b.penumbral[i].add(penumbral.found, pathPoint(penumbral, e.t));
        for (std::size_t m = 0; magnitudes && m < magnitudeLevels.size(); ++m) {
            const TracedPoint p = magnitudeCurvePoint(e, deltaT, magnitudeLevels[m], sign);
            b.magnitudes[m * 2 + i].add(p.found, pathPoint(p, e.t));
        }
        const TracedPoint riseSet = riseSetCurvePoint(e, deltaT, sign);
        b.riseSet[i].add(riseSet.found, pathPoint(riseSet, e.t));
        const TracedPoint max = maxAtRiseSetPoint(e, deltaT, sign);
        b.maxAtRiseSet[i].add(max.found, pathPoint(max, e.t));
    }
}

} // namespace

double arcDegrees(double lon1, double lat1, double lon2, double lat2) {
    const double p1 = lat1 * degToRad, p2 = lat2 * degToRad;
    const double dl = (lon2 - lon1) * degToRad;
    const double s = std::sin((p2 - p1) / 2), t = std::sin(dl / 2);
    const double h = s * s + std::cos(p1) * std::cos(p2) * t * t;
    return 2 * std::asin(std::sqrt(std::fmin(1, h))) * radToDeg;
}

const char* groundHeightSourceName(GroundHeightSource source) {
    return source == GroundHeightSource::reliefGrid ? "relief grid" : "sea level";
}

int curveSteps(double firstContact, double lastContact, double step) {
    if (!(step > 0))
        return -1;
    return clampedInt(std::ceil(std::fmin(lastContact - firstContact, maxContactSpanHours) / step));
}

PathGeometry tracePathGeometry(const EclipseRecord& r, double deltaT, double stepHours,
                               std::stop_token stop) {
    PathGeometry g;
    g.deltaT = deltaT;
    g.stepHours = stepHours;
    g.greatest = greatestEclipse(r, 0, deltaT);
    const double from = g.greatest.time;
    g.firstContact = penumbralContactOnEarth(r, from, deltaT, -1);
    g.lastContact = penumbralContactOnEarth(r, from, deltaT, +1);
    if (static_cast<int>(r.typeCode) != typePartial) {
        g.umbraFirst = umbralContactOnEarth(r, from, deltaT, -1);
        g.umbraLast = umbralContactOnEarth(r, from, deltaT, +1);
    }
    g.limbEnds = {limbEnds(r, deltaT, +1), limbEnds(r, deltaT, -1)};

    StepBuilders builders(g);
    const double deltaTHours = deltaT / 3600;
    const double first = g.firstContact.time, last = g.lastContact.time;
    // A step that is not positive would never reach the last contact: no curves then.
    const int steps = curveSteps(first, last, stepHours);
    double previousUt = first - deltaTHours;
    int index = 0;
    for (double t = first; index <= steps && t < last && !stop.stop_requested();
         t += stepHours, ++index) {
        const ShadowElements e = evaluateElements(r, t);
        traceStep(e, deltaT, index % 2 == 0, builders);
        const double ut = t - deltaTHours;
        if (halfHourPassed(previousUt, ut))
            g.sameTimeCurves.push_back(sameTimeCurve(e, deltaT));
        previousUt = ut;
    }
    return g;
}

const PathGeometry& PathGeometryCache::geometry(const EclipseRecord& r, double deltaT,
                                                double stepHours, std::stop_token stop) {
    const Key wanted{r.jdTT, r.t0, r.x0, r.y0, r.tanF2, deltaT, stepHours};
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&wanted](const Entry& e) { return e.key == wanted; });
    if (found != entries.end()) {
        entries.splice(entries.begin(), entries, found);
        return entries.front().geometry;
    }
    PathGeometry traced = tracePathGeometry(r, deltaT, stepHours, stop);
    if (stop.stop_requested()) {
        unfinished = std::move(traced);
        return unfinished;
    }
    entries.push_front({wanted, std::move(traced), std::nullopt});
    if (entries.size() > kept)
        entries.pop_back();
    return entries.front().geometry;
}

const std::vector<DurationCurve>& PathGeometryCache::durationCurves(const EclipseRecord& r,
                                                                    double deltaT, double stepHours,
                                                                    std::stop_token stop) {
    const PathGeometry& g = geometry(r, deltaT, stepHours, stop);
    if (!stop.stop_requested() && !entries.front().durations) {
        std::vector<DurationCurve> traced = traceDurationCurves(r, g, stop);
        if (!stop.stop_requested())
            entries.front().durations = std::move(traced);
    }
    if (stop.stop_requested()) {
        unfinishedDurations.clear();
        return unfinishedDurations;
    }
    return *entries.front().durations;
}

} // namespace vesk
