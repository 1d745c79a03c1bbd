// SPDX-License-Identifier: GPL-3.0-or-later
// Point tracers of the eclipse path. Each solves the fundamental-plane geometry of the shadow for
// one curve (central line, limits of the umbra and penumbra, curves of equal magnitude,
// sunrise/sunset curves, contacts with the Earth, greatest eclipse) and returns the point as
// geodetic longitude (east positive, -180..180) and latitude in degrees with the Sun's altitude
// there, or no point. The tracers of one instant take the elements evaluated at it; those that
// iterate in time (the contacts, the ends on the sunrise/sunset line, greatest eclipse) take the
// record and a starting instant t (hours from t0, TT). Delta T is in seconds.
// Formulae after the Explanatory Supplement to the Astronomical Ephemeris (1961), ch. 9, and
// W. Chauvenet, Spherical and Practical Astronomy, vol. 1.
#pragma once

#include <vector>

#include "shadow_elements.h"

namespace vesk {

struct TracedPoint {
    double lon = 0, lat = 0; // degrees
    double sunAlt = 0;       // the Sun's altitude at the point, degrees
    bool found = false;      // false: no point of this curve at this instant
};

// A point and the instant it belongs to (hours from t0).
struct TimedPoint {
    TracedPoint point;
    double time = 0;
};

// The central line with its local quantities.
struct CentralDetails {
    TracedPoint point;
    double ratio = 0;     // Moon/Sun diameter ratio (L1 - L2) / (L1 + L2)
    double duration = 0;  // hours, negative where total
    double width = 0;     // km
    double gamma = 0;     // distance of the axis from the Earth's centre, signed like y
    double surfaceL2 = 0; // the umbral radius at the point: negative total, positive annular
};

struct GreatestEclipse {
    TracedPoint point;
    double time = 0;                // hours from t0
    double ratioOrMagnitude = 0;    // diameter ratio (central) or magnitude (non-central)
    double duration = 0, width = 0; // 0 for a non-central eclipse
    double gamma = 0;               // signed for a central eclipse, unsigned otherwise
};

TracedPoint centralLinePoint(const ShadowElements& e, double deltaT);
CentralDetails centralLineDetails(const ShadowElements& e, double deltaT);
// The limit of the umbra (antumbra) on side sign; with a widening (Earth radii, negative to
// narrow) the limit of a cone whose radius is that much larger in the observer's plane.
TracedPoint umbralLimitPoint(const ShadowElements& e, double deltaT, int sign, double widening = 0);
// +1 when the umbral limit traced with sign is the northern one (left of the shadow's eastward
// motion), else -1: the tracers offset a limit by -sign * L2, so its side turns with the sign of
// the umbral radius L2 at the Earth's surface there (negative where total, positive where
// annular). l2: that radius (the central line's surfaceL2 at the instant; at the sunrise and
// sunset limb, where zeta is 0, the elements' l2).
int umbralLimitSide(double l2, int sign);
TracedPoint penumbralLimitPoint(const ShadowElements& e, double deltaT, int sign);
TracedPoint magnitudeCurvePoint(const ShadowElements& e, double deltaT, double magnitude, int sign);
TracedPoint riseSetCurvePoint(const ShadowElements& e, double deltaT, int sign);
TracedPoint maxAtRiseSetPoint(const ShadowElements& e, double deltaT, int sign);

// First (sign -1) or last (+1) contact of the penumbra or umbra with the Earth, from t.
TimedPoint penumbralContactOnEarth(const EclipseRecord& r, double t, double deltaT, int sign);
TimedPoint umbralContactOnEarth(const EclipseRecord& r, double t, double deltaT, int sign);
// The instant of the axis' closest approach to the Earth's centre, from t.
double closestApproach(const EclipseRecord& r, double t);
GreatestEclipse greatestEclipse(const EclipseRecord& r, double t, double deltaT);
// Ends of the curves on the sunrise/sunset line, iterated in time from t: side +1 where the curve
// begins, -1 where it ends; each with the instant found.
TimedPoint umbralLimitAtLimb(const EclipseRecord& r, double t, double deltaT, int sign, int side);
TimedPoint penumbralLimitAtLimb(const EclipseRecord& r, double t, double deltaT, int sign,
                                int side);
TimedPoint magnitudeCurveAtLimb(const EclipseRecord& r, double t, double deltaT, double magnitude,
                                int sign, int side);
TimedPoint centralLineAtLimb(const EclipseRecord& r, double t, double deltaT, int side);

// The outline on the ground of the penumbra or the umbra (antumbra) at t hours from t0: the
// points where the cone of radius L = l - zeta tan f meets the Earth, at `points` position angles
// q about the shadow axis (xi = x + |L| sin q, eta = y + |L| cos q, iterated on the point's height
// zeta as the limit tracers are), in order round the cone. Where the cone passes beyond the
// Earth's limb the outline follows the limb in that direction. Empty when the cone misses the
// Earth.
enum class ShadowCone { penumbra, umbra };
std::vector<TracedPoint> shadowOutline(const EclipseRecord& r, double t, double deltaT,
                                       ShadowCone cone, int points = 120);

} // namespace vesk
