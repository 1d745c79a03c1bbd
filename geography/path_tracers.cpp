#include "path_tracers.h"

#include "angles.h"
#include <cmath>
#include <cstdio>

namespace vesk {

namespace {

// Geocentric to geodetic latitude: 1 / (1 - e^2) as a factor of the tangent.
constexpr double geodeticFactor = 1.00336409;
// Diameter of the Earth in km for the path width.
constexpr double earthDiameterKm = 12756;
// closestApproach stops below this correction (hours), or after this many passes.
constexpr double approachTolerance = 0.000001;
constexpr int maxApproachPasses = 50;

TracedPoint noPoint(PathTracer& tr, const char* message, bool shared = true) {
    if (shared)
        tr.state.status = -1;
    if (tr.traceLevel > 0)
        std::printf(" %s\n", message);
    return {};
}

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

// The shared part of the two conversions: latitude, Sun altitude and the state fields. A result
// that is not a number (from an impossible root upstream) is no point.
TracedPoint finishPoint(PathTracer& tr, double lon, double phi1, double hourAngle) {
    EclipseState& s = tr.state;
    const double lat = std::atan(geodeticFactor * std::tan(phi1)) * radToDeg;
    if (!std::isfinite(lon) || !std::isfinite(lat))
        return noPoint(tr, "no point");
    const double h = hourAngle * degToRad, phi = lat * degToRad;
    s.pointSunAlt =
        std::asin(std::cos(h) * std::cos(phi) * s.cosD + std::sin(phi) * s.sinD) * radToDeg;
    s.obsLonWest = lon; // east positive here
    s.obsLat = lat;
    s.status = 1;
    return {lon, lat, 1};
}

// Radii and the quantities that go with them for the limit tracers.
enum class Cone { umbra, penumbra, magnitude };

struct ConeTerms {
    double aPrime, cPrime, tanF;
    int passes;
    const char* message;
};

ConeTerms coneTerms(const EclipseState& s, Cone cone) {
    const EclipseRecord& r = *s.record;
    if (cone == Cone::umbra)
        return {s.aPrimeUmb, s.cPrimeUmb, r.tanF2, 5, "no umbra point"};
    return {s.aPrimePen, s.cPrimePen, r.tanF1, cone == Cone::penumbra ? 3 : 10,
            "no penumbra point"};
}

// The radius of the cone at the height zeta of the fundamental plane.
double coneRadius(const EclipseState& s, Cone cone, double magnitude, double zeta) {
    const EclipseRecord& r = *s.record;
    const double bigL1 = s.l1 - zeta * r.tanF1, bigL2 = s.l2 - zeta * r.tanF2;
    if (cone == Cone::umbra)
        return bigL2;
    if (cone == Cone::penumbra)
        return bigL1;
    return bigL1 - magnitude * (bigL1 + bigL2);
}

// Northern (sign +1) or southern (-1) limit of a cone, iterated on the height of the point.
TracedPoint limitPoint(PathTracer& tr, double deltaT, int sign, int pen, Cone cone,
                       double magnitude) {
    EclipseState& s = tr.state;
    s.status = 1;
    const ConeTerms terms = coneTerms(s, cone);
    double q = cone == Cone::umbra ? std::atan2(s.bPrime, terms.cPrime)
                                   : std::atan(s.bPrime / terms.cPrime);
    double zeta = 0, xi = 0, eta1 = 0, zeta1 = 0;
    for (int pass = 0; pass < terms.passes; ++pass) {
        const double radius = coneRadius(s, cone, magnitude, zeta);
        xi = s.x - sign * radius * std::sin(q);
        eta1 = (s.y - sign * radius * std::cos(q)) / s.rho1;
        const double rest = 1 - xi * xi - eta1 * eta1;
        if (!(rest >= 0))
            return noPoint(tr, terms.message);
        zeta1 = std::sqrt(rest);
        zeta = s.rho2 * (zeta1 * s.cosD1MinusD2 - eta1 * s.sinD1MinusD2);
        const double c = terms.cPrime - s.muRate * zeta * s.cosD;
        const double b = s.bPrime - zeta * s.dRate - terms.aPrime / (sign * std::cos(q));
        q = cone == Cone::penumbra ? std::atan(b / c) : std::atan2(b, c);
    }
    const double h = std::atan2(xi, zeta1 * s.cosD1 - eta1 * s.sinD1) * radToDeg;
    const double phi1 = std::asin(eta1 * s.cosD1 + zeta1 * s.sinD1);
    return toMapPoint(tr, deltaT, phi1, h, pen);
}

// End of a limit on the sunrise/sunset line (side -1 or +1), iterated in time.
TracedPoint limitAtLimb(PathTracer& tr, double t, double deltaT, int sign, int side, int pen,
                        Cone cone, double magnitude) {
    EclipseState& s = tr.state;
    const bool umbra = cone == Cone::umbra;
    const double tolerance = umbra ? 0.000000001 : 0.000001;
    constexpr int maxPasses = 21;
    for (int pass = 0; pass < maxPasses; ++pass) {
        evaluateElements(s, t);
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
            return toMapPoint(tr, deltaT, phi1, h, pen);
        }
        if (!std::isfinite(tau))
            break;
        t += tau;
    }
    return noPoint(tr, "no limb point", false);
}

// First or last contact of a cone of radius |l| with the Earth, in three passes.
EarthContact contactOnEarth(PathTracer& tr, double t, double deltaT, int sign, int pen,
                            bool umbra) {
    EclipseState& s = tr.state;
    s.status = 1;
    for (int pass = 0; pass < 3; ++pass) {
        evaluateElements(s, t);
        const double radius = umbra ? std::fabs(s.l2) : s.l1;
        const double m = std::hypot(s.x, s.y);
        const double eta1 = s.y / s.rho1;
        const double rho = m / std::hypot(s.x, eta1);
        const double n = std::hypot(s.xRate, s.yRate);
        const double sine = (s.x * s.yRate - s.xRate * s.y) / ((radius + rho) * n);
        const double tau = sign * std::fabs((rho + radius) * std::cos(std::asin(sine)) / n) -
                           (s.x * s.xRate + s.y * s.yRate) / (n * n);
        if (!std::isfinite(tau))
            return {noPoint(tr, umbra ? "no umbra point" : "no penumbra point"), t};
        t += tau;
    }
    evaluateElements(s, t);
    const double eta1 = s.y / s.rho1;
    const double q = std::atan2(s.x, eta1);
    const double h = std::atan2(std::sin(q), -std::cos(q) * s.sinD1) * radToDeg;
    const double phi1 = std::asin(std::cos(q) * s.cosD1);
    return {toMarkedPoint(tr, deltaT, true, phi1, h, pen), t};
}

// The central line at the elements already evaluated; zeta1 and zeta of the point as outputs.
TracedPoint centralLineSolution(PathTracer& tr, double deltaT, bool marked, bool draw, int pen,
                                double& zeta1, double& zeta, double& c) {
    EclipseState& s = tr.state;
    const double eta1 = s.y / s.rho1;
    const double rest = 1 - s.x * s.x - eta1 * eta1;
    if (!(rest >= 0))
        return noPoint(tr, "no central point");
    zeta1 = std::sqrt(rest);
    const double h = std::atan2(s.x, zeta1 * s.cosD1 - eta1 * s.sinD1) * radToDeg;
    const double phi1 = std::asin(eta1 * s.cosD1 + zeta1 * s.sinD1);
    const TracedPoint point = marked ? toMarkedPoint(tr, deltaT, draw, phi1, h, pen)
                                     : toMapPoint(tr, deltaT, phi1, h, pen);
    zeta = s.rho2 * (zeta1 * s.cosD1MinusD2 - eta1 * s.sinD1MinusD2);
    c = s.cPrimeUmb - s.muRate * zeta * s.cosD;
    s.pathSlope = s.bPrime / c;
    s.pathSin = std::sin(std::atan(s.pathSlope));
    s.pathCos = std::cos(std::atan(s.pathSlope));
    s.pathL2 = s.l2 - zeta * s.record->tanF2;
    return point;
}

} // namespace

TracedPoint toMapPoint(PathTracer& tr, double deltaT, double phi1, double hourAngle, int pen) {
    const double lambda = tr.state.mu - hourAngle - hourAngleRatePerSecond * deltaT;
    const TracedPoint point = finishPoint(tr, reduceLongitude(-lambda), phi1, hourAngle);
    if (point.status == 1 && tr.canvas != nullptr)
        plotDot(*tr.canvas, point.lon, point.lat, pen);
    return point;
}

TracedPoint toMarkedPoint(PathTracer& tr, double deltaT, bool draw, double phi1, double hourAngle,
                          int pen) {
    const double lambda = tr.state.mu - hourAngle - hourAngleRatePerSecond * deltaT;
    const TracedPoint point = finishPoint(tr, -reduceLongitude(lambda), phi1, hourAngle);
    if (point.status == 1 && draw && tr.canvas != nullptr)
        plotRing(*tr.canvas, point.lon, point.lat, pen, 3);
    return point;
}

TracedPoint centralLinePoint(PathTracer& tr, double t, double deltaT, int pen) {
    tr.state.status = 1;
    evaluateElements(tr.state, t);
    double zeta1 = 0, zeta = 0, c = 0;
    return centralLineSolution(tr, deltaT, false, false, pen, zeta1, zeta, c);
}

CentralDetails centralLineDetails(PathTracer& tr, double t, double deltaT, bool draw, int pen) {
    EclipseState& s = tr.state;
    s.status = 1;
    evaluateElements(s, t);
    CentralDetails details;
    double zeta1 = 0, zeta = 0, c = 0;
    details.point = centralLineSolution(tr, deltaT, true, draw, pen, zeta1, zeta, c);
    if (details.point.status != 1)
        return details;
    const double bigL1 = s.l1 - zeta * s.record->tanF1, bigL2 = s.pathL2;
    details.ratio = (bigL1 - bigL2) / (bigL1 + bigL2);
    const double n = std::hypot(c, s.bPrime);
    details.duration = 2 * bigL2 / n;
    const double across = (c * s.x - s.bPrime * s.y) / n;
    details.width = std::fabs(bigL2) * earthDiameterKm / std::sqrt(zeta1 * zeta1 + across * across);
    details.gamma = std::copysign(std::hypot(s.x, s.y), s.y);
    return details;
}

TracedPoint umbralLimitPoint(PathTracer& tr, double t, double deltaT, int sign, int pen) {
    evaluateElements(tr.state, t);
    return limitPoint(tr, deltaT, sign, pen, Cone::umbra, 0);
}

TracedPoint penumbralLimitPoint(PathTracer& tr, double /*t*/, double deltaT, int sign, int pen) {
    return limitPoint(tr, deltaT, sign, pen, Cone::penumbra, 0);
}

int umbralLimitSide(double l2, int sign) {
    return sign * l2 < 0 ? +1 : -1;
}

TracedPoint magnitudeCurvePoint(PathTracer& tr, double /*t*/, double deltaT, double magnitude,
                                int sign, int pen) {
    return limitPoint(tr, deltaT, sign, pen, Cone::magnitude, magnitude);
}

TracedPoint riseSetCurvePoint(PathTracer& tr, double /*t*/, double deltaT, int sign, int pen) {
    EclipseState& s = tr.state;
    s.status = 1;
    const double m = std::hypot(s.x, s.y);
    const double theta = std::atan2(s.x, s.y) * radToDeg;
    const double k = (m * m + 1 - s.l1 * s.l1) / (2 * m);
    if (!(std::fabs(k) <= 1))
        return noPoint(tr, "no sunriseset point");
    double gamma = std::acos(k) * radToDeg;
    if (sign < 0)
        gamma = 360 - gamma;
    const double q = (gamma + theta) * degToRad;
    const double xi = std::sin(q), eta = std::cos(q);
    const double w = -eta * s.sinD;
    if (std::fabs(w) < 0.000001)
        return noPoint(tr, "no sunriseset point2");
    const double h = std::atan2(xi, w) * radToDeg;
    if (std::fabs(xi) < 0.000001)
        return noPoint(tr, "no sunriseset point3");
    const double ratio = xi / std::sin(h * degToRad);
    if (!(std::fabs(ratio) <= 1))
        return noPoint(tr, "no sunriseset point3");
    double phi1 = std::acos(ratio);
    if (eta < 0)
        phi1 = -phi1;
    if (ratio < 0)
        phi1 = -phi1;
    return toMapPoint(tr, deltaT, phi1, h, pen);
}

TracedPoint maxAtRiseSetPoint(PathTracer& tr, double /*t*/, double deltaT, int sign, int pen) {
    EclipseState& s = tr.state;
    s.status = 1;
    double q = std::atan2(s.bPrime, s.cPrimePen) * radToDeg;
    if (s.y < 0)
        q += 180;
    if (sign < 0)
        q += 180;
    const double k = s.x * std::cos(q * degToRad) - s.y * std::sin(q * degToRad);
    if (!(std::fabs(k) <= 1))
        return noPoint(tr, "no max sunriseset point1");
    double q2 = std::asin(k) * radToDeg + q;
    if (q2 > 360)
        q2 -= 360;
    const double xi = std::sin(q2 * degToRad), eta = std::cos(q2 * degToRad);
    if ((s.x - xi) * (s.x - xi) + (s.y - eta) * (s.y - eta) > s.l1 * s.l1)
        return noPoint(tr, "no max sunriseset point2");
    const double w = -eta * s.sinD;
    if (std::fabs(xi) < 0.00001)
        return noPoint(tr, "no max sunriseset point3");
    if (std::fabs(w) < 0.00001)
        return noPoint(tr, "no max sunriseset point4");
    double h = std::atan2(xi, w) * radToDeg;
    if (h < 0)
        h += 360;
    const double k2 = eta * s.cosD;
    if (std::fabs(k2) > 1)
        return noPoint(tr, "no max sunriseset point5");
    double phi1 = std::asin(k2);
    if (eta < 0 && s.cosD < 0)
        phi1 = -phi1;
    return toMapPoint(tr, deltaT, phi1, h, pen);
}

EarthContact penumbralContactOnEarth(PathTracer& tr, double t, double deltaT, int sign, int pen) {
    return contactOnEarth(tr, t, deltaT, sign, pen, false);
}

EarthContact umbralContactOnEarth(PathTracer& tr, double t, double deltaT, int sign, int pen) {
    return contactOnEarth(tr, t, deltaT, sign, pen, true);
}

double closestApproach(PathTracer& tr, double t) {
    EclipseState& s = tr.state;
    double tau = 10;
    for (int pass = 0; pass < maxApproachPasses && std::fabs(tau) > approachTolerance; ++pass) {
        evaluateElements(s, t);
        tau = -(s.x * s.xRate + s.y * s.yRate) / (s.xRate * s.xRate + s.yRate * s.yRate);
        t += tau;
    }
    return t;
}

GreatestEclipse greatestEclipse(PathTracer& tr, double t, double deltaT, int typeCode, bool draw,
                                int pen) {
    EclipseState& s = tr.state;
    s.status = 1;
    GreatestEclipse result;
    result.time = closestApproach(tr, t);
    if (typeCode == typeTotal || typeCode == typeAnnular || typeCode == typeAnnularTotal) {
        const CentralDetails details = centralLineDetails(tr, result.time, deltaT, draw, pen);
        result.point = details.point;
        result.ratioOrMagnitude = details.ratio;
        result.duration = details.duration;
        result.width = details.width;
        result.gamma = details.gamma;
        return result;
    }
    evaluateElements(s, result.time);
    const double m = std::hypot(s.x, s.y);
    const double eta1 = s.y / s.rho1;
    const double rho = m / std::hypot(s.x, eta1);
    result.ratioOrMagnitude = (s.l1 - (m - rho)) / (s.l1 + s.l2);
    const double q = std::atan2(s.x, eta1);
    const double h = std::atan2(std::sin(q), -std::cos(q) * s.sinD1) * radToDeg;
    const double phi1 = std::asin(std::cos(q) * s.cosD1);
    result.point = toMarkedPoint(tr, deltaT, draw, phi1, h, pen);
    result.gamma = m;
    return result;
}

TracedPoint umbralLimitAtLimb(PathTracer& tr, double t, double deltaT, int sign, int side,
                              int pen) {
    return limitAtLimb(tr, t, deltaT, sign, side, pen, Cone::umbra, 0);
}

TracedPoint penumbralLimitAtLimb(PathTracer& tr, double t, double deltaT, int sign, int side,
                                 int pen) {
    return limitAtLimb(tr, t, deltaT, sign, side, pen, Cone::penumbra, 0);
}

TracedPoint magnitudeCurveAtLimb(PathTracer& tr, double t, double deltaT, double magnitude,
                                 int sign, int side, int pen) {
    return limitAtLimb(tr, t, deltaT, sign, side, pen, Cone::magnitude, magnitude);
}

TracedPoint centralLineAtLimb(PathTracer& tr, double t, double deltaT, int sign, int pen) {
    EclipseState& s = tr.state;
    for (int pass = 0; pass < 10; ++pass) {
        evaluateElements(s, t);
        const double eta1 = s.y * s.invRho1, eta1Rate = s.yRate * s.invRho1;
        const double n = std::hypot(s.xRate, eta1Rate);
        const double sine = (s.xRate * eta1 - s.x * eta1Rate) / n;
        const double tau =
            -sign * std::sqrt(1 - sine * sine) / n - (s.xRate * s.x + eta1 * eta1Rate) / (n * n);
        if (!std::isfinite(tau))
            break;
        t += tau;
        if (std::fabs(tau) < 0.0000001)
            break;
    }
    evaluateElements(s, t);
    const double h = std::atan2(s.x, -s.y * s.invRho1 * s.invRho1 * s.sinD) * radToDeg;
    const double phi1 = std::asin(earthAxisRatio * s.y * s.invRho1 * s.invRho1 * s.cosD);
    return toMapPoint(tr, deltaT, phi1, h, pen);
}

} // namespace vesk
