// SPDX-License-Identifier: GPL-3.0-or-later
#include "eclipse_state.h"

#include "angles.h"
#include <cmath>

namespace vesk {

namespace {

// Iterations stop when the correction is below this many hours.
constexpr double timeTolerance = 0.00001;
// An iteration that has not converged after this many passes has no solution.
constexpr int maxPasses = 50;

// The contact iteration shared by the penumbra (radius L1) and the umbra (radius |L2|).
void contact(EclipseState& s, double t, double deltaT, int sign, bool umbra, double& time,
             double& altitude) {
    s.status = 1;
    const auto radius = [&] { return umbra ? std::fabs(s.obsL2) : s.obsL1; };
    observeAt(s, t, deltaT);
    double S = (s.a * s.v - s.u * s.b) / (s.n * radius());
    if (!(S * S <= 1)) {
        s.status = -1;
        return;
    }
    double tau = sign * std::sqrt(1 - S * S) * radius() / s.n;
    double when = t + tau;
    for (int pass = 0; std::fabs(tau) > timeTolerance; ++pass) {
        observeAt(s, when, deltaT);
        S = (s.a * s.v - s.u * s.b) / (s.n * radius());
        if (!(S * S <= 1) || pass == maxPasses) {
            s.status = -1;
            return;
        }
        tau = -(s.u * s.a + s.v * s.b) / (s.n * s.n) + sign * std::sqrt(1 - S * S) * radius() / s.n;
        when += tau;
    }
    observeAt(s, when, deltaT);
    time = when;
    altitude = observedSunAltitude(s);
}

} // namespace

double viewDeltaT(const EclipseRecord& record, const ViewState& view) {
    return view.userDeltaT ? *view.userDeltaT : recordDeltaT(record) + view.deltaTAdjust;
}

void loadEclipseSummary(EclipseState& s) {
    const EclipseRecord& r = *s.record;
    s.day = r.day;
    s.typeCode = r.typeCode;
    s.magnitude = r.magnitude;
    s.jd = r.jd;
    s.saros = r.saros;
    s.t0 = r.t0;
}

EclipseState eclipseStateAt(const EclipseRecord& record, double deltaT, double lonEast,
                            double lat) {
    EclipseState s;
    s.record = &record;
    loadEclipseSummary(s);
    s.deltaT = deltaT;
    s.deltaTHours = deltaT / 3600;
    ViewState place;
    place.observerLon = lonEast;
    place.observerLat = lat;
    place.observerHeight = 0;
    setObserver(s, place);
    return s;
}

void evaluateElements(EclipseState& s, double t) {
    static_cast<ShadowElements&>(s) = evaluateElements(*s.record, t);
}

GeocentricPlace geocentricPlace(double lat, double height) {
    const double phi = lat * degToRad;
    const double u = std::atan(earthAxisRatio * std::tan(phi));
    const double h = height / earthRadiusMetres;
    return {earthAxisRatio * std::sin(u) + h * std::sin(phi), std::cos(u) + h * std::cos(phi)};
}

void setObserver(EclipseState& s, const ViewState& view) {
    s.obsLonWest = s.homeLonWest = -view.observerLon;
    s.obsLat = s.homeLat = view.observerLat;
    s.obsHeight = view.observerHeight;
    const GeocentricPlace place = geocentricPlace(s.obsLat, s.obsHeight);
    s.rhoSinPhi = place.rhoSinPhi;
    s.rhoCosPhi = place.rhoCosPhi;
}

void restoreObserver(EclipseState& s) {
    s.obsLonWest = s.homeLonWest;
    s.obsLat = s.homeLat;
}

void observeAt(EclipseState& s, double t, double deltaT) {
    const EclipseRecord& r = *s.record;
    evaluateElements(s, t);
    s.hourAngle = (s.mu - s.obsLonWest - hourAngleRatePerSecond * deltaT) * degToRad;
    const double sinH = std::sin(s.hourAngle), cosH = std::cos(s.hourAngle);
    const double xi = s.rhoCosPhi * sinH;
    const double eta = s.rhoSinPhi * s.cosD - s.rhoCosPhi * cosH * s.sinD;
    const double zeta = s.rhoSinPhi * s.sinD + s.rhoCosPhi * cosH * s.cosD;
    s.u = s.x - xi;
    s.v = s.y - eta;
    s.a = s.xRate - cosH * r.mu1 * rateDegToRad * s.rhoCosPhi;
    s.b = s.yRate - (xi * r.mu1 * s.sinD - zeta * r.d1) * rateDegToRad;
    s.n = std::sqrt(s.a * s.a + s.b * s.b);
    s.obsL1 = s.l1 - zeta * r.tanF1;
    s.obsL2 = s.l2 - zeta * r.tanF2;

    s.axisDistance = std::sqrt(s.u * s.u + s.v * s.v);
    double p = std::atan2(s.u, s.v) * radToDeg;
    const double mag = (s.obsL1 - s.axisDistance) / (s.obsL1 + s.obsL2);
    if (mag > 0.999 && mag < 1.001)
        p += 180;
    if (p < 0)
        p += 360;
    if (p > 360)
        p -= 360;
    s.contactPA = p;
    const double phi = s.obsLat * degToRad;
    s.sunAltRad = sunAltitude(s, s.hourAngle, phi);
    s.zenithPA = std::atan2(xi, eta) * radToDeg;
    double v = s.contactPA - s.zenithPA;
    if (v > 360)
        v -= 360;
    if (v < 0)
        v += 360;
    s.vertexAngle = v;
    s.diameterRatio = (s.obsL1 - s.obsL2) / (s.obsL1 + s.obsL2);
}

double observedSunAltitude(const EclipseState& s) {
    return s.sunAltRad * radToDeg;
}

void localMagnitudeAt(EclipseState& s, double t, double deltaT, double& magnitude,
                      double& altitude) {
    s.status = 1;
    observeAt(s, t, deltaT);
    magnitude = (s.obsL1 - s.axisDistance) / (s.obsL1 + s.obsL2);
    altitude = observedSunAltitude(s);
}

void penumbralContact(EclipseState& s, double t, double deltaT, int sign, double& time,
                      double& altitude) {
    contact(s, t, deltaT, sign, false, time, altitude);
}

void umbralContact(EclipseState& s, double t, double deltaT, int sign, double& time,
                   double& altitude) {
    contact(s, t, deltaT, sign, true, time, altitude);
}

void localMaximum(EclipseState& s, double t, double deltaT, double& time, double& altitude,
                  double& magnitude, int& central) {
    restoreObserver(s);
    s.status = 1;
    double tau = 100;
    for (int pass = 0; std::fabs(tau) > timeTolerance; ++pass) {
        if (pass == maxPasses) {
            s.status = -1;
            break;
        }
        observeAt(s, t, deltaT);
        tau = -(s.u * s.a + s.v * s.b) / (s.n * s.n);
        t += tau;
    }
    observeAt(s, t, deltaT);
    magnitude = (s.obsL1 - s.axisDistance) / (s.obsL1 + s.obsL2);
    central = s.axisDistance < std::fabs(s.obsL2) ? 1 : 0;
    time = t;
    altitude = observedSunAltitude(s);
}

} // namespace vesk
