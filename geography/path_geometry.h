// SPDX-License-Identifier: GPL-3.0-or-later
// Every curve of an eclipse's path on the Earth, computed once for an eclipse, a Delta T and a
// time step: polylines in longitude and latitude with the instant of each point (and on the
// central line its duration, width and the Sun's altitude), the contacts of the shadow with the
// Earth, greatest eclipse and the ends of the curves on the sunrise/sunset line. The map, the KML
// documents and the other outputs read it; nothing is traced while drawing.
//
// The curves are traced from the first to the last contact of the penumbra with the Earth at the
// step (the magnitude curves at every second step); a curve breaks into pieces where it has no
// point at an instant or jumps by more than maxJoinDegrees between instants. The curves of equal
// time are traced at each half hour of UT by a sweep of the magnitude across the penumbra.
#pragma once

#include "path_tracers.h"

#include <array>
#include <functional>
#include <list>
#include <optional>
#include <stop_token>
#include <vector>

namespace vesk {

struct PathPoint {
    double lon = 0, lat = 0; // degrees, east positive
    double t = 0;            // hours from t0, TT
};

// A point of the central line with its local circumstances.
struct CentralPathPoint : PathPoint {
    double duration = 0;  // hours, negative where total
    double width = 0;     // km
    double sunAlt = 0;    // degrees
    double surfaceL2 = 0; // umbral radius at the point: negative total, positive annular
};

// A point of an umbral limit: umbralL2 decides its side and whether the path is annular there
// (the central line's surfaceL2 at that instant, else the elements' l2).
struct UmbralLimitPoint : PathPoint {
    double umbralL2 = 0;
};

template <typename Point> using Pieces = std::vector<std::vector<Point>>;

// The curve of equal time at one instant: the sweep's points (side +1 from magnitude 0 up, then
// side -1 from 1 down) and, where the sweep does not reach the penumbra's edge on a side, the
// two points of greatest eclipse at sunrise/sunset (sides -1, +1) that may close it.
struct SameTimeCurve {
    double t = 0;
    std::vector<TracedPoint> points;
    std::array<std::array<TracedPoint, 2>, 2> ends; // [side +1, side -1][maximum -1, +1]
};

// The ends of the curves on the sunrise/sunset line where the path begins (side +1) or ends.
struct LimbEnds {
    TracedPoint central;
    std::array<TimedPoint, 2> umbral;                     // sign +1, -1
    std::array<TracedPoint, 2> penumbral;                 // sign +1, -1
    std::array<std::array<TracedPoint, 2>, 4> magnitudes; // [level][sign +1, -1]
};

// The magnitudes of the curves of equal magnitude.
constexpr std::array<double, 4> magnitudeLevels = {0.2, 0.4, 0.6, 0.8};
// Consecutive points of a curve farther apart than this (degrees of arc) are not joined.
constexpr double maxJoinDegrees = 10;

struct PathGeometry {
    double deltaT = 0;    // seconds
    double stepHours = 0; // tracing step
    GreatestEclipse greatest;
    TimedPoint firstContact, lastContact; // of the penumbra
    TimedPoint umbraFirst, umbraLast;     // of the umbra; not found for a partial eclipse
    Pieces<CentralPathPoint> centralLine;
    std::array<Pieces<UmbralLimitPoint>, 2> umbralLimits;            // northern, southern side
    std::array<Pieces<PathPoint>, 2> penumbralLimits;                // sign +1, -1
    std::array<std::array<Pieces<PathPoint>, 2>, 4> magnitudeCurves; // [level][sign +1, -1]
    std::array<Pieces<PathPoint>, 2> riseSetCurves;                  // sign +1, -1
    std::array<Pieces<PathPoint>, 2> maxAtRiseSetCurves;             // sign +1, -1
    std::vector<SameTimeCurve> sameTimeCurves;
    std::array<LimbEnds, 2> limbEnds; // where the path begins, where it ends
};

// The limits of the central path corrected for the profile of the lunar limb, on the northern and
// southern side: inward of the interior limit the central phase is seen (totality, or the whole
// ring), outward of the exterior limit no part of the profile reaches the Sun's limb; between them
// lies the graze zone of Baily's beads.
// The height of the ground under the places where a curve is traced, and where it comes from.
enum class GroundHeightSource { seaLevel, reliefGrid };
struct GroundHeights {
    GroundHeightSource source = GroundHeightSource::seaLevel;
    // metres above sea level at a place (degrees east, north); empty at sea level
    std::function<double(double lonEast, double lat)> metresAt;
};
// "sea level", "relief grid": as the exports name the source.
const char* groundHeightSourceName(GroundHeightSource source);

struct CorrectedLimits {
    std::array<Pieces<PathPoint>, 2> interior, exterior; // northern, southern side
    double sunRadiusKm = 0; // the Sun's radius of the cones they were traced with
    // the height of the places they were traced for: an observer there standing on the ground
    GroundHeightSource heights = GroundHeightSource::seaLevel;
};

// A curve of equal duration inside the central path.
struct DurationCurve {
    double seconds = 0;      // the duration along the curve
    Pieces<PathPoint> sides; // pieces on either side of the central line (t: of their cut)
    // Where the curve meets the central line: the central line's duration there is the curve's.
    std::vector<PathPoint> centralCrossings;
};

// No eclipse lasts this long from first to last contact (6.3 h at most).
constexpr double maxContactSpanHours = 9;

// The last step index of the curves from the first to the last contact (hours of TT), bounded by
// maxContactSpanHours whatever the contact times of damaged elements say; -1 (no curves) for a
// step that is not positive.
int curveSteps(double firstContact, double lastContact, double step);

// The path of the eclipse of record r for Delta T (seconds) traced at stepHours. A stop asked
// for ends the tracing early (the curves then end where it stopped).
PathGeometry tracePathGeometry(const EclipseRecord& r, double deltaT, double stepHours,
                               std::stop_token stop = {});

// The path geometries of the last few eclipses shown (paging back and forth finds them again),
// each kept while its record, Delta T and step stay the same.
class PathGeometryCache {
  public:
    const PathGeometry& geometry(const EclipseRecord& r, double deltaT, double stepHours,
                                 std::stop_token stop = {});
    // The curves of equal duration of that geometry, traced when first asked for.
    const std::vector<DurationCurve>& durationCurves(const EclipseRecord& r, double deltaT,
                                                     double stepHours, std::stop_token stop = {});

  private:
    struct Key {
        double jdTT, t0, x0, y0, tanF2, deltaT, stepHours;
        bool operator==(const Key&) const = default;
    };
    struct Entry {
        Key key;
        PathGeometry geometry;
        std::optional<std::vector<DurationCurve>> durations;
    };
    static constexpr std::size_t kept = 4;
    std::list<Entry> entries; // the last used first
    PathGeometry unfinished;  // a tracing that was stopped, kept by no one
    std::vector<DurationCurve> unfinishedDurations;
};

// The angle between two points on the sphere, degrees.
double arcDegrees(double lon1, double lat1, double lon2, double lat2);

} // namespace vesk
