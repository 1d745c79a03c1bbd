// SPDX-License-Identifier: GPL-3.0-or-later
#include "observed_shadow.h"

#include "angles.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vesk {

namespace {

// Iterations stop when the correction is below this many hours.
constexpr double timeTolerance = 0.00001;
// An iteration that has not converged after this many passes has no solution.
constexpr int maxPasses = 50;
// Where the magnitude is 1 within this, the contact is an inner one of a total eclipse.
constexpr double innerContactMagnitude = 0.001;

// The time from t to the observer's nearest approach to the axis: -(u a + v b) / n^2.
double stepToMaximum(const ObservedShadow& o) {
    return -(o.u * o.a + o.v * o.b) / (o.n * o.n);
}

// The contact iteration shared by the penumbra (radius L1) and the umbra (radius |L2|).
std::optional<ObservedShadow> contact(const EclipseRecord& record, const Observer& observer,
                                      double t, double deltaT, ContactSide side, bool umbra) {
    const double sign = side == ContactSide::before ? -1 : 1;
    const auto radius = [umbra](const ObservedShadow& o) { return umbra ? std::fabs(o.l2) : o.l1; };
    ObservedShadow o = observeShadow(record, observer, t, deltaT);
    double S = (o.a * o.v - o.u * o.b) / (o.n * radius(o));
    if (!(S * S <= 1))
        return std::nullopt;
    double tau = sign * std::sqrt(1 - S * S) * radius(o) / o.n;
    double when = t + tau;
    for (int pass = 0; std::fabs(tau) > timeTolerance; ++pass) {
        o = observeShadow(record, observer, when, deltaT);
        S = (o.a * o.v - o.u * o.b) / (o.n * radius(o));
        if (!(S * S <= 1) || pass == maxPasses)
            return std::nullopt;
        tau = stepToMaximum(o) + sign * std::sqrt(1 - S * S) * radius(o) / o.n;
        when += tau;
    }
    return observeShadow(record, observer, when, deltaT);
}

// An angle in degrees brought into 0 to 360 by one turn.
double withinOneTurn(double degrees) {
    if (degrees < 0)
        degrees += 360;
    if (degrees > 360)
        degrees -= 360;
    return degrees;
}

} // namespace

GeocentricPlace geocentricPlace(double lat, double height) {
    const double phi = lat * degToRad;
    const double u = std::atan(earthAxisRatio * std::tan(phi));
    const double h = height / earthRadiusMetres;
    return {earthAxisRatio * std::sin(u) + h * std::sin(phi), std::cos(u) + h * std::cos(phi)};
}

Observer observerAt(double lonEast, double lat, double height) {
    return {lonEast, lat, height, geocentricPlace(lat, height)};
}

bool ObservedShadow::central() const {
    return axisDistance < std::fabs(l2);
}

ObservedShadow observeShadow(const EclipseRecord& r, const Observer& observer, double t,
                             double deltaT) {
    const ShadowElements s = evaluateElements(r, t);
    const double rhoSinPhi = observer.geocentric.rhoSinPhi;
    const double rhoCosPhi = observer.geocentric.rhoCosPhi;
    ObservedShadow o;
    o.t = t;
    o.hourAngle = (s.mu + observer.lonEast - hourAngleRatePerSecond * deltaT) * degToRad;
    const double sinH = std::sin(o.hourAngle), cosH = std::cos(o.hourAngle);
    const double xi = rhoCosPhi * sinH;
    const double eta = rhoSinPhi * s.cosD - rhoCosPhi * cosH * s.sinD;
    const double zeta = rhoSinPhi * s.sinD + rhoCosPhi * cosH * s.cosD;
    o.u = s.x - xi;
    o.v = s.y - eta;
    o.zeta = zeta;
    o.a = s.xRate - cosH * r.mu1 * rateDegToRad * rhoCosPhi;
    o.b = s.yRate - (xi * r.mu1 * s.sinD - zeta * r.d1) * rateDegToRad;
    o.n = std::sqrt(o.a * o.a + o.b * o.b);
    o.l1 = s.l1 - zeta * r.tanF1;
    o.l2 = s.l2 - zeta * r.tanF2;
    o.axisDistance = std::sqrt(o.u * o.u + o.v * o.v);

    double p = std::atan2(o.u, o.v) * radToDeg;
    if (std::fabs(o.magnitude() - 1) < innerContactMagnitude)
        p += 180;
    o.positionAngle = withinOneTurn(p);
    o.sunAltitude = sunAltitude(s, o.hourAngle, observer.lat * degToRad) * radToDeg;
    o.zenithAngle = std::atan2(xi, eta) * radToDeg;
    o.vertexAngle = withinOneTurn(o.positionAngle - o.zenithAngle);
    o.diameterRatio = (o.l1 - o.l2) / (o.l1 + o.l2);
    return o;
}

std::optional<ObservedShadow> penumbralContact(const EclipseRecord& record,
                                               const Observer& observer, double t, double deltaT,
                                               ContactSide side) {
    return contact(record, observer, t, deltaT, side, false);
}

std::optional<ObservedShadow> umbralContact(const EclipseRecord& record, const Observer& observer,
                                            double t, double deltaT, ContactSide side) {
    return contact(record, observer, t, deltaT, side, true);
}

std::optional<ObservedShadow> localMaximum(const EclipseRecord& record, const Observer& observer,
                                           double t, double deltaT) {
    for (int pass = 0; pass < maxPasses; ++pass) {
        const ObservedShadow o = observeShadow(record, observer, t, deltaT);
        const double tau = stepToMaximum(o);
        t += tau;
        if (std::fabs(tau) <= timeTolerance)
            return observeShadow(record, observer, t, deltaT);
    }
    return std::nullopt;
}

SunMoonDisks sunMoonDisks(const ObservedShadow& s) {
    constexpr double radiusRatio = moonRadiusPenumbra / moonRadiusUmbra;
    SunMoonDisks disks;
    disks.moon = (s.l1 - s.l2) / (1 + radiusRatio);
    disks.sun = s.l2 + disks.moon;
    disks.separation = s.axisDistance;
    return disks;
}

double coveredFraction(double sun, double moon, double separation) {
    const double r = moon / sun, x = separation / sun;
    if (x >= 1 + r)
        return 0; // apart
    if (x <= std::fabs(1 - r))
        return std::min(1.0, r * r); // one disk inside the other
    // the lens: two circular segments, by the area of intersecting circles
    const double sunAngle = std::acos((x * x + 1 - r * r) / (2 * x));
    const double moonAngle = std::acos((x * x + r * r - 1) / (2 * x * r));
    const double kite = 0.5 * std::sqrt((-x + r + 1) * (x + r - 1) * (x - r + 1) * (x + r + 1));
    return std::clamp((sunAngle + r * r * moonAngle - kite) / std::numbers::pi, 0.0, 1.0);
}

double ObservedShadow::obscuration() const {
    const SunMoonDisks disks = sunMoonDisks(*this);
    return coveredFraction(disks.sun, disks.moon, disks.separation);
}

} // namespace vesk
