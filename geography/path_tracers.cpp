// SPDX-License-Identifier: GPL-3.0-or-later
#include "path_tracers.h"

#include "angles.h"
#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

// closestApproach stops below this correction (hours), or after this many passes.
constexpr double approachTolerance = 0.000001;
constexpr int maxApproachPasses = 50;

// Brings a longitude into -180..180 the way the map points do.
double reduceLongitude(double lon) {
    if (lon < 0)
        lon -= (std::trunc(lon / 360) - 1) * 360;
    if (lon > 360)
        lon -= std::trunc(lon / 360) * 360;
    if (lon > 180)
        lon -= 360;
    return lon;
}

// How a solution's west longitude becomes the point's east longitude: the curve points reduce
// the negated longitude, the marked points (contacts, greatest eclipse) negate the reduced one;
// the two differ only at exactly 180 degrees.
enum class Reduction { curve, marked };

// A solution (phi1 in radians, hour angle in degrees) as a point: longitude, geodetic latitude
// and the Sun's altitude. A result that is not a number (from an impossible root upstream) is no
// point.
TracedPoint toPoint(const ShadowElements& s, double deltaT, double phi1, double hourAngle,
                    Reduction reduction = Reduction::curve) {
    const double lambda = s.mu - hourAngle - hourAngleRatePerSecond * deltaT;
    const double lon =
        reduction == Reduction::curve ? reduceLongitude(-lambda) : -reduceLongitude(lambda);
    const double lat = std::atan(geodeticFactor * std::tan(phi1)) * radToDeg;
    if (!std::isfinite(lon) || !std::isfinite(lat))
        return {};
    return {lon, lat, sunAltitude(s, hourAngle * degToRad, lat * degToRad) * radToDeg, true};
}

// Radii and the quantities that go with them for the limit tracers.
enum class Cone { umbra, penumbra, magnitude };

struct ConeTerms {
    double aPrime, cPrime, tanF;
    int passes;
};

ConeTerms coneTerms(const ShadowElements& s, Cone cone) {
    if (cone == Cone::umbra)
        return {s.aPrimeUmb, s.cPrimeUmb, s.tanF2, 5};
    return {s.aPrimePen, s.cPrimePen, s.tanF1, cone == Cone::penumbra ? 3 : 10};
}

// The radius of the cone at the height zeta of the fundamental plane.
double coneRadius(const ShadowElements& s, Cone cone, double magnitude, double zeta) {
    const double bigL1 = s.l1 - zeta * s.tanF1, bigL2 = s.l2 - zeta * s.tanF2;
    if (cone == Cone::umbra)
        return bigL2;
    if (cone == Cone::penumbra)
        return bigL1;
    return bigL1 - magnitude * (bigL1 + bigL2);
}

// Northern (sign +1) or southern (-1) limit of a cone, iterated on the height of the point; the
// cone's radius made larger by widening (Earth radii; the umbra's only).
TracedPoint limitPoint(const ShadowElements& s, double deltaT, int sign, Cone cone,
                       double magnitude, double widening = 0) {
    const ConeTerms terms = coneTerms(s, cone);
    double q = cone == Cone::umbra ? std::atan2(s.bPrime, terms.cPrime)
                                   : std::atan(s.bPrime / terms.cPrime);
    double zeta = 0, xi = 0, eta1 = 0, zeta1 = 0;
    for (int pass = 0; pass < terms.passes; ++pass) {
        double radius = coneRadius(s, cone, magnitude, zeta);
        radius += radius < 0 ? -widening : widening;
        xi = s.x - sign * radius * std::sin(q);
        eta1 = (s.y - sign * radius * std::cos(q)) / s.rho1;
        const double rest = 1 - xi * xi - eta1 * eta1;
        if (!(rest >= 0))
            return {};
        zeta1 = std::sqrt(rest);
        zeta = s.rho2 * (zeta1 * s.cosD1MinusD2 - eta1 * s.sinD1MinusD2);
        const double c = terms.cPrime - s.muRate * zeta * s.cosD;
        const double b = s.bPrime - zeta * s.dRate - terms.aPrime / (sign * std::cos(q));
        q = cone == Cone::penumbra ? std::atan(b / c) : std::atan2(b, c);
    }
    const double h = std::atan2(xi, zeta1 * s.cosD1 - eta1 * s.sinD1) * radToDeg;
    const double phi1 = std::asin(eta1 * s.cosD1 + zeta1 * s.sinD1);
    return toPoint(s, deltaT, phi1, h);
}

// End of a limit on the sunrise/sunset line (side +1 or -1), iterated in time.
TimedPoint limitAtLimb(const EclipseRecord& r, double t, double deltaT, int sign, int side,
                       Cone cone, double magnitude) {
    const bool umbra = cone == Cone::umbra;
    const double tolerance = umbra ? 0.000000001 : 0.000001;
    constexpr int maxPasses = 21;
    for (int pass = 0; pass < maxPasses; ++pass) {
        const ShadowElements s = evaluateElements(r, t);
        const double radius = umbra ? s.l2 : s.l1 - (s.l1 + s.l2) * magnitude;
        const double aPrime = umbra ? s.aPrimeUmb : s.aPrimePen;
        const double n = umbra ? s.nUmb : s.nPen;
        const double cPrime = umbra ? s.cPrimeUmb : s.cPrimePen;
        const double cPrimeRate = umbra ? s.cPrimeUmbRate : s.cPrimePenRate;
        const double ratio = (s.bPrime - aPrime * n / cPrime) / cPrime;
        const double sQ = sign * std::sin(std::atan(ratio));
        const double cQ = sign * std::sqrt(1 - sQ * sQ);
        const double xi = s.x - radius * sQ;
        const double eta1 = (s.y - radius * cQ) / s.rho1;
        const double xiRate = s.xRate - radius * s.bPrimeRate / n;
        const double eta1Rate = (s.yRate - radius * cPrimeRate / n) / s.rho1;
        const double speed = std::sqrt(xiRate * xiRate + eta1Rate * eta1Rate);
        const double sine = (xi * eta1Rate - xiRate * eta1) / speed;
        const double tau = -side * std::sqrt(1 - sine * sine) / speed -
                           (xi * xiRate + eta1 * eta1Rate) / (speed * speed);
        if (std::fabs(tau) < tolerance) {
            const double h = std::atan2(xi, -eta1 * s.sinD1) * radToDeg;
            const double phi1 = std::asin(eta1 * s.cosD1);
            return {toPoint(s, deltaT, phi1, h), t};
        }
        if (!std::isfinite(tau))
            break;
        t += tau;
    }
    return {{}, t};
}

// First or last contact of a cone of radius |l| with the Earth, in three passes.
TimedPoint contactOnEarth(const EclipseRecord& r, double t, double deltaT, int sign, bool umbra) {
    for (int pass = 0; pass < 3; ++pass) {
        const ShadowElements s = evaluateElements(r, t);
        const double radius = umbra ? std::fabs(s.l2) : s.l1;
        const double m = std::hypot(s.x, s.y);
        const double eta1 = s.y / s.rho1;
        const double rho = m / std::hypot(s.x, eta1);
        const double n = std::hypot(s.xRate, s.yRate);
        const double sine = (s.x * s.yRate - s.xRate * s.y) / ((radius + rho) * n);
        const double tau = sign * std::fabs((rho + radius) * std::cos(std::asin(sine)) / n) -
                           (s.x * s.xRate + s.y * s.yRate) / (n * n);
        if (!std::isfinite(tau))
            return {{}, t};
        t += tau;
    }
    const ShadowElements s = evaluateElements(r, t);
    const double eta1 = s.y / s.rho1;
    const double q = std::atan2(s.x, eta1);
    const double h = std::atan2(std::sin(q), -std::cos(q) * s.sinD1) * radToDeg;
    const double phi1 = std::asin(std::cos(q) * s.cosD1);
    return {toPoint(s, deltaT, phi1, h, Reduction::marked), t};
}

// The central line at the elements, its point reduced as asked; zeta1, zeta and c' - mu' zeta
// cos d of the point as outputs.
TracedPoint centralLineSolution(const ShadowElements& s, double deltaT, Reduction reduction,
                                double& zeta1, double& zeta, double& c) {
    const double eta1 = s.y / s.rho1;
    const double rest = 1 - s.x * s.x - eta1 * eta1;
    if (!(rest >= 0))
        return {};
    zeta1 = std::sqrt(rest);
    const double h = std::atan2(s.x, zeta1 * s.cosD1 - eta1 * s.sinD1) * radToDeg;
    const double phi1 = std::asin(eta1 * s.cosD1 + zeta1 * s.sinD1);
    zeta = s.rho2 * (zeta1 * s.cosD1MinusD2 - eta1 * s.sinD1MinusD2);
    c = s.cPrimeUmb - s.muRate * zeta * s.cosD;
    return toPoint(s, deltaT, phi1, h, reduction);
}

// The central line with its quantities, its point reduced as asked.
CentralDetails centralDetails(const ShadowElements& s, double deltaT, Reduction reduction) {
    CentralDetails details;
    double zeta1 = 0, zeta = 0, c = 0;
    details.point = centralLineSolution(s, deltaT, reduction, zeta1, zeta, c);
    if (!details.point.found)
        return details;
    details.surfaceL2 = s.l2 - zeta * s.tanF2;
    const double bigL1 = s.l1 - zeta * s.tanF1, bigL2 = details.surfaceL2;
    details.ratio = (bigL1 - bigL2) / (bigL1 + bigL2);
    const double n = std::hypot(c, s.bPrime);
    details.duration = 2 * bigL2 / n;
    const double across = (c * s.x - s.bPrime * s.y) / n;
    details.width = std::fabs(bigL2) * earthDiameterKm / std::sqrt(zeta1 * zeta1 + across * across);
    details.gamma = std::copysign(std::hypot(s.x, s.y), s.y);
    return details;
}

} // namespace

TracedPoint centralLinePoint(const ShadowElements& s, double deltaT) {
    double zeta1 = 0, zeta = 0, c = 0;
    return centralLineSolution(s, deltaT, Reduction::curve, zeta1, zeta, c);
}

CentralDetails centralLineDetails(const ShadowElements& s, double deltaT) {
    return centralDetails(s, deltaT, Reduction::curve);
}

TracedPoint umbralLimitPoint(const ShadowElements& s, double deltaT, int sign, double widening) {
    return limitPoint(s, deltaT, sign, Cone::umbra, 0, widening);
}

TracedPoint penumbralLimitPoint(const ShadowElements& s, double deltaT, int sign) {
    return limitPoint(s, deltaT, sign, Cone::penumbra, 0);
}

int umbralLimitSide(double l2, int sign) {
    return sign * l2 < 0 ? +1 : -1;
}

TracedPoint magnitudeCurvePoint(const ShadowElements& s, double deltaT, double magnitude,
                                int sign) {
    return limitPoint(s, deltaT, sign, Cone::magnitude, magnitude);
}

TracedPoint riseSetCurvePoint(const ShadowElements& s, double deltaT, int sign) {
    const double m = std::hypot(s.x, s.y);
    const double theta = std::atan2(s.x, s.y) * radToDeg;
    const double k = (m * m + 1 - s.l1 * s.l1) / (2 * m);
    if (!(std::fabs(k) <= 1))
        return {};
    double gamma = std::acos(k) * radToDeg;
    if (sign < 0)
        gamma = 360 - gamma;
    const double q = (gamma + theta) * degToRad;
    const double xi = std::sin(q), eta = std::cos(q);
    const double w = -eta * s.sinD;
    if (std::fabs(w) < 0.000001)
        return {};
    const double h = std::atan2(xi, w) * radToDeg;
    if (std::fabs(xi) < 0.000001)
        return {};
    const double ratio = xi / std::sin(h * degToRad);
    if (!(std::fabs(ratio) <= 1))
        return {};
    double phi1 = std::acos(ratio);
    if (eta < 0)
        phi1 = -phi1;
    if (ratio < 0)
        phi1 = -phi1;
    return toPoint(s, deltaT, phi1, h);
}

TracedPoint maxAtRiseSetPoint(const ShadowElements& s, double deltaT, int sign) {
    double q = std::atan2(s.bPrime, s.cPrimePen) * radToDeg;
    if (s.y < 0)
        q += 180;
    if (sign < 0)
        q += 180;
    const double k = s.x * std::cos(q * degToRad) - s.y * std::sin(q * degToRad);
    if (!(std::fabs(k) <= 1))
        return {};
    double q2 = std::asin(k) * radToDeg + q;
    if (q2 > 360)
        q2 -= 360;
    const double xi = std::sin(q2 * degToRad), eta = std::cos(q2 * degToRad);
    if ((s.x - xi) * (s.x - xi) + (s.y - eta) * (s.y - eta) > s.l1 * s.l1)
        return {};
    const double w = -eta * s.sinD;
    if (std::fabs(xi) < 0.00001 || std::fabs(w) < 0.00001)
        return {};
    double h = std::atan2(xi, w) * radToDeg;
    if (h < 0)
        h += 360;
    const double k2 = eta * s.cosD;
    if (std::fabs(k2) > 1)
        return {};
    double phi1 = std::asin(k2);
    if (eta < 0 && s.cosD < 0)
        phi1 = -phi1;
    return toPoint(s, deltaT, phi1, h);
}

TimedPoint penumbralContactOnEarth(const EclipseRecord& r, double t, double deltaT, int sign) {
    return contactOnEarth(r, t, deltaT, sign, false);
}

TimedPoint umbralContactOnEarth(const EclipseRecord& r, double t, double deltaT, int sign) {
    return contactOnEarth(r, t, deltaT, sign, true);
}

double closestApproach(const EclipseRecord& r, double t) {
    double tau = 10;
    for (int pass = 0; pass < maxApproachPasses && std::fabs(tau) > approachTolerance; ++pass) {
        const ShadowElements s = evaluateElements(r, t);
        tau = -(s.x * s.xRate + s.y * s.yRate) / (s.xRate * s.xRate + s.yRate * s.yRate);
        t += tau;
    }
    return t;
}

GreatestEclipse greatestEclipse(const EclipseRecord& r, double t, double deltaT) {
    GreatestEclipse result;
    result.time = closestApproach(r, t);
    const ShadowElements s = evaluateElements(r, result.time);
    const int type = static_cast<int>(r.typeCode);
    if (type == typeTotal || type == typeAnnular || type == typeAnnularTotal) {
        const CentralDetails details = centralDetails(s, deltaT, Reduction::marked);
        result.point = details.point;
        result.ratioOrMagnitude = details.ratio;
        result.duration = details.duration;
        result.width = details.width;
        result.gamma = details.gamma;
        return result;
    }
    const double m = std::hypot(s.x, s.y);
    const double eta1 = s.y / s.rho1;
    const double rho = m / std::hypot(s.x, eta1);
    result.ratioOrMagnitude = (s.l1 - (m - rho)) / (s.l1 + s.l2);
    const double q = std::atan2(s.x, eta1);
    const double h = std::atan2(std::sin(q), -std::cos(q) * s.sinD1) * radToDeg;
    const double phi1 = std::asin(std::cos(q) * s.cosD1);
    result.point = toPoint(s, deltaT, phi1, h, Reduction::marked);
    result.gamma = m;
    return result;
}

TimedPoint umbralLimitAtLimb(const EclipseRecord& r, double t, double deltaT, int sign, int side) {
    return limitAtLimb(r, t, deltaT, sign, side, Cone::umbra, 0);
}

TimedPoint penumbralLimitAtLimb(const EclipseRecord& r, double t, double deltaT, int sign,
                                int side) {
    return limitAtLimb(r, t, deltaT, sign, side, Cone::penumbra, 0);
}

TimedPoint magnitudeCurveAtLimb(const EclipseRecord& r, double t, double deltaT, double magnitude,
                                int sign, int side) {
    return limitAtLimb(r, t, deltaT, sign, side, Cone::magnitude, magnitude);
}

TimedPoint centralLineAtLimb(const EclipseRecord& r, double t, double deltaT, int side) {
    for (int pass = 0; pass < 10; ++pass) {
        const ShadowElements s = evaluateElements(r, t);
        const double eta1 = s.y * s.invRho1, eta1Rate = s.yRate * s.invRho1;
        const double n = std::hypot(s.xRate, eta1Rate);
        const double sine = (s.xRate * eta1 - s.x * eta1Rate) / n;
        const double tau =
            -side * std::sqrt(1 - sine * sine) / n - (s.xRate * s.x + eta1 * eta1Rate) / (n * n);
        if (!std::isfinite(tau))
            break;
        t += tau;
        if (std::fabs(tau) < 0.0000001)
            break;
    }
    const ShadowElements s = evaluateElements(r, t);
    const double h = std::atan2(s.x, -s.y * s.invRho1 * s.invRho1 * s.sinD) * radToDeg;
    const double phi1 = std::asin(earthAxisRatio * s.y * s.invRho1 * s.invRho1 * s.cosD);
    return {toPoint(s, deltaT, phi1, h), t};
}

std::vector<TracedPoint> shadowOutline(const EclipseRecord& r, double t, double deltaT,
                                       ShadowCone shadow, int points) {
    const ShadowElements s = evaluateElements(r, t);
    const Cone cone = shadow == ShadowCone::umbra ? Cone::umbra : Cone::penumbra;
    if (std::hypot(s.x, s.y) - std::fabs(coneRadius(s, cone, 0, 0)) >= 1)
        return {};
    std::vector<TracedPoint> outline;
    for (int i = 0; i < points; ++i) {
        const double q = 360.0 * i / points * degToRad;
        double zeta = 0, xi = 0, eta1 = 0, zeta1 = 0;
        for (int pass = 0; pass < 3; ++pass) {
            const double radius = std::fabs(coneRadius(s, cone, 0, zeta));
            xi = s.x + radius * std::sin(q);
            eta1 = (s.y + radius * std::cos(q)) / s.rho1;
            const double off = std::hypot(xi, eta1);
            if (off >= 1) { // beyond the limb: the limb point in that direction
                xi /= off;
                eta1 /= off;
            }
            zeta1 = std::sqrt(std::max(0.0, 1 - xi * xi - eta1 * eta1));
            zeta = s.rho2 * (zeta1 * s.cosD1MinusD2 - eta1 * s.sinD1MinusD2);
        }
        const double h = std::atan2(xi, zeta1 * s.cosD1 - eta1 * s.sinD1) * radToDeg;
        const double phi1 = std::asin(std::clamp(eta1 * s.cosD1 + zeta1 * s.sinD1, -1.0, 1.0));
        if (const TracedPoint p = toPoint(s, deltaT, phi1, h); p.found)
            outline.push_back(p);
    }
    return outline;
}

} // namespace vesk
