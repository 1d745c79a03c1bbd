// The eclipse path map: greatest eclipse and the contacts, the map centre, the base map, the
// panel with the eclipse's circumstances, the contact markers and city labels, and every path
// curve traced from the first to the last contact of the penumbra with the Earth.
#pragma once

#include "base_map.h"
#include "city_table.h"
#include "path_tracers.h"

namespace vesk {

// Receives the curves of the drawing as they are traced (the KML export). The composition calls
// start before the time loop, the point hooks inside it and finish after it.
class PathMapObserver {
  public:
    virtual ~PathMapObserver() = default;
    virtual void start(PathTracer& tracer, double deltaT) = 0;
    virtual void centralPoint(const TracedPoint& point) = 0;
    // side +1: the northern limit (see umbralLimitSide).
    virtual void umbralLimitPoint(int side, const TracedPoint& point) = 0;
    virtual void penumbralLimitPoint(int sign, const TracedPoint& point) = 0;
    // Magnitude curves of 0.2, 0.4, 0.6 and 0.8 (index 0..3).
    virtual void magnitudePoint(int index, int sign, const TracedPoint& point) = 0;
    virtual void riseSetPoint(int sign, const TracedPoint& point) = 0;
    virtual void maxAtRiseSetPoint(int sign, const TracedPoint& point) = 0;
    // A curve of equal time: the points of the sweep on side +1, then those on side -1, and the
    // points of greatest eclipse at sunrise/sunset that may close each end (status -1 when the
    // curve reached the limit itself or none was found).
    virtual void sameTimeCurve(const std::vector<TracedPoint>& points,
                               const TracedPoint& startMinus, const TracedPoint& startPlus,
                               const TracedPoint& endMinus, const TracedPoint& endPlus) = 0;
    virtual void finish(PathTracer& tracer, double deltaT) = 0;
};

struct PathMapInputs {
    EclipseState& eclipse;
    const EclipseRecord& record;
    const CityTable& cities;
    const ReliefData& relief;
    const DataPaths& paths;
};

// No eclipse lasts this long from first to last contact (6.3 h at most).
constexpr double maxContactSpanHours = 9;

// The last step index of the map's curves from the first to the last contact (hours of TT),
// bounded by maxContactSpanHours whatever the contact times of damaged elements say; -1 (no
// curves) for a step that is not positive.
int curveSteps(double firstContact, double lastContact, double step);

// Draws the map of the current eclipse; the observer (or null) receives the traced curves.
void drawPathMap(MapCanvas& canvas, PathMapInputs& inputs, PathMapObserver* observer);

} // namespace vesk
