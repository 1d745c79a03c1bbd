// Point tracers of the eclipse path: for an instant t (hours from t0, TT) and Delta T (seconds)
// each solves the fundamental-plane geometry of the current elements for one curve (central
// line, limits of the umbra and penumbra, curves of equal magnitude, sunrise/sunset curves,
// contacts with the Earth, greatest eclipse), converts the solution to geodetic longitude
// (east positive, -180..180) and latitude, and plots it on the map when a canvas is given.
// Formulae after the Explanatory Supplement to the Astronomical Ephemeris (1961), ch. 9, and
// W. Chauvenet, Spherical and Practical Astronomy, vol. 1.
#pragma once

#include "eclipse_state.h"
#include "map_projection.h"

namespace vesk {

struct PathTracer {
    EclipseState& state;
    MapCanvas* canvas = nullptr; // null: compute only
    int traceLevel = 0;          // above 0: print a line when a tracer finds no point
};

// A point of a curve; status 1 found, -1 no point at this instant.
struct TracedPoint {
    double lon = 0, lat = 0;
    int status = -1;
};

// The central line with its local quantities.
struct CentralDetails {
    TracedPoint point;
    double ratio = 0;    // Moon/Sun diameter ratio (L1 - L2) / (L1 + L2)
    double duration = 0; // hours, negative where total
    double width = 0;    // km
    double gamma = 0;    // distance of the axis from the Earth's centre, signed like y
};

struct GreatestEclipse {
    TracedPoint point;
    double time = 0;                // hours from t0
    double ratioOrMagnitude = 0;    // diameter ratio (central) or magnitude (non-central)
    double duration = 0, width = 0; // 0 for a non-central eclipse
    double gamma = 0;               // signed for a central eclipse, unsigned otherwise
};

struct EarthContact {
    TracedPoint point;
    double time = 0;
};

// Conversion of a solution (phi1 in radians, hour angle in degrees) to a map point.
TracedPoint toMapPoint(PathTracer& tracer, double deltaT, double phi1, double hourAngle, int pen);
TracedPoint toMarkedPoint(PathTracer& tracer, double deltaT, bool draw, double phi1,
                          double hourAngle, int pen);

TracedPoint centralLinePoint(PathTracer& tracer, double t, double deltaT, int pen);
CentralDetails centralLineDetails(PathTracer& tracer, double t, double deltaT, bool draw, int pen);
TracedPoint umbralLimitPoint(PathTracer& tracer, double t, double deltaT, int sign, int pen);
// +1 when the umbral limit traced with sign is the northern one (left of the shadow's eastward
// motion), else -1: the tracers offset a limit by -sign * L2, so its side turns with the sign of
// the umbral radius L2 at the Earth's surface there (negative where total, positive where
// annular). l2: that radius (the state's pathL2 after a central-line point; at the sunrise and
// sunset limb, where zeta is 0, the state's l2).
int umbralLimitSide(double l2, int sign);
TracedPoint penumbralLimitPoint(PathTracer& tracer, double t, double deltaT, int sign, int pen);
TracedPoint magnitudeCurvePoint(PathTracer& tracer, double t, double deltaT, double magnitude,
                                int sign, int pen);
TracedPoint riseSetCurvePoint(PathTracer& tracer, double t, double deltaT, int sign, int pen);
TracedPoint maxAtRiseSetPoint(PathTracer& tracer, double t, double deltaT, int sign, int pen);
EarthContact penumbralContactOnEarth(PathTracer& tracer, double t, double deltaT, int sign,
                                     int pen);
EarthContact umbralContactOnEarth(PathTracer& tracer, double t, double deltaT, int sign, int pen);
GreatestEclipse greatestEclipse(PathTracer& tracer, double t, double deltaT, int typeCode,
                                bool draw, int pen);
double closestApproach(PathTracer& tracer, double t);
TracedPoint umbralLimitAtLimb(PathTracer& tracer, double t, double deltaT, int sign, int side,
                              int pen);
TracedPoint penumbralLimitAtLimb(PathTracer& tracer, double t, double deltaT, int sign, int side,
                                 int pen);
TracedPoint magnitudeCurveAtLimb(PathTracer& tracer, double t, double deltaT, double magnitude,
                                 int sign, int side, int pen);
TracedPoint centralLineAtLimb(PathTracer& tracer, double t, double deltaT, int sign, int pen);

} // namespace vesk
