// SPDX-License-Identifier: GPL-3.0-or-later
#include "eclipse_entry.h"

#include "besselian.h"
#include "observed_shadow.h"
#include "timescales.h"

#include <array>
#include <cmath>
#include <functional>
#include <numbers>

namespace vesk::catalog {

namespace {

constexpr double degree = std::numbers::pi / 180;

// The fit runs over t0 - 3 h .. t0 + 3 h in half-hour steps.
constexpr int fitSamples = 13;
constexpr double fitHalfSpan = 3.0;
// Samples of the central line when deciding between total, annular and annular-total.
constexpr int centralLineSamples = 400;
// Golden-section and bisection iterations (the bracket shrinks below 1e-10 h).
constexpr int searchIterations = 80;

// Fitted elements: polynomial coefficients in t, hours from the reference instant.
struct FittedElements {
    std::array<double, 4> x{}, y{};
    std::array<double, 3> d{}, l1{}, l2{};
    std::array<double, 2> mu{};
    double tanF1 = 0, tanF2 = 0;
};

template <std::size_t N> double polynomial(const std::array<double, N>& c, double t) {
    double value = 0;
    for (std::size_t i = N; i-- > 0;)
        value = value * t + c[i];
    return value;
}

template <std::size_t N> double derivative(const std::array<double, N>& c, double t) {
    double value = 0;
    for (std::size_t i = N; i-- > 1;)
        value = value * t + static_cast<double>(i) * c[i];
    return value;
}

// Least-squares polynomial through the samples (normal equations; t spans only +-3).
template <std::size_t N>
std::array<double, N> fitPolynomial(const std::array<double, fitSamples>& t,
                                    const std::array<double, fitSamples>& v) {
    std::array<std::array<double, N + 1>, N> m{};
    for (std::size_t s = 0; s < fitSamples; ++s) {
        std::array<double, N> powers{};
        powers[0] = 1;
        for (std::size_t i = 1; i < N; ++i)
            powers[i] = powers[i - 1] * t[s];
        for (std::size_t r = 0; r < N; ++r) {
            for (std::size_t c = 0; c < N; ++c)
                m[r][c] += powers[r] * powers[c];
            m[r][N] += powers[r] * v[s];
        }
    }
    for (std::size_t p = 0; p < N; ++p) {
        for (std::size_t r = p + 1; r < N; ++r) {
            const double factor = m[r][p] / m[p][p];
            for (std::size_t c = p; c <= N; ++c)
                m[r][c] -= factor * m[p][c];
        }
    }
    std::array<double, N> coefficients{};
    for (std::size_t p = N; p-- > 0;) {
        double sum = m[p][N];
        for (std::size_t c = p + 1; c < N; ++c)
            sum -= m[p][c] * coefficients[c];
        coefficients[p] = sum / m[p][p];
    }
    return coefficients;
}

FittedElements fitElements(const Ephemeris& ephemeris, double jdRef) {
    std::array<double, fitSamples> t{}, x{}, y{}, d{}, mu{}, l1{}, l2{};
    FittedElements fitted;
    for (int s = 0; s < fitSamples; ++s) {
        t[s] = -fitHalfSpan + s * (2 * fitHalfSpan / (fitSamples - 1));
        const InstantElements e = besselianFromPlaces(ephemeris.placesAt(jdRef + t[s] / 24));
        x[s] = e.x;
        y[s] = e.y;
        d[s] = e.d;
        l1[s] = e.l1;
        l2[s] = e.l2;
        mu[s] = e.mu;
        if (s > 0) {
            // Unwrap the hour angle so that it grows smoothly through 360.
            while (mu[s] - mu[s - 1] <= -180)
                mu[s] += 360;
            while (mu[s] - mu[s - 1] > 180)
                mu[s] -= 360;
        }
        if (2 * s == fitSamples - 1) {
            fitted.tanF1 = e.tanF1;
            fitted.tanF2 = e.tanF2;
        }
    }
    fitted.x = fitPolynomial<4>(t, x);
    fitted.y = fitPolynomial<4>(t, y);
    fitted.d = fitPolynomial<3>(t, d);
    fitted.l1 = fitPolynomial<3>(t, l1);
    fitted.l2 = fitPolynomial<3>(t, l2);
    fitted.mu = fitPolynomial<2>(t, mu);
    const double turns = std::floor(fitted.mu[0] / 360);
    fitted.mu[0] -= 360 * turns;
    return fitted;
}

// Greatest eclipse: the instant of least x^2 + y^2 (Newton on its derivative, starting from the
// straight-line approximation).
double greatestEclipseTime(const FittedElements& f) {
    double t = -(f.x[0] * f.x[1] + f.y[0] * f.y[1]) / (f.x[1] * f.x[1] + f.y[1] * f.y[1]);
    for (int i = 0; i < 20; ++i) {
        const double x = polynomial(f.x, t), y = polynomial(f.y, t);
        const double dx = derivative(f.x, t), dy = derivative(f.y, t);
        const double ddx = 2 * f.x[2] + 6 * f.x[3] * t, ddy = 2 * f.y[2] + 6 * f.y[3] * t;
        const double step = (x * dx + y * dy) / (dx * dx + x * ddx + dy * dy + y * ddy);
        t -= step;
        if (std::fabs(step) < 1e-12)
            break;
    }
    return t;
}

// The least value of a function that has one minimum in [low, high] (golden section).
struct Minimum {
    double t, value;
};
Minimum goldenMinimum(const std::function<double(double)>& f, double low, double high) {
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    double a = low, b = high;
    double c = b - ratio * (b - a), d = a + ratio * (b - a);
    double fc = f(c), fd = f(d);
    for (int i = 0; i < searchIterations; ++i) {
        if (fc < fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - ratio * (b - a);
            fc = f(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + ratio * (b - a);
            fd = f(d);
        }
    }
    const double t = (a + b) / 2;
    return {t, f(t)};
}

// The root of f between a point where it is negative and one where it is not (bisection).
double bisect(const std::function<double(double)>& f, double inside, double outside) {
    for (int i = 0; i < searchIterations; ++i) {
        const double middle = (inside + outside) / 2;
        if (f(middle) < 0)
            inside = middle;
        else
            outside = middle;
    }
    return (inside + outside) / 2;
}

// The Julian date rounded to the nearest whole hour.
double nearestWholeHour(double jd) {
    return std::floor((jd + 0.5) * 24 + 0.5) / 24 - 0.5;
}

} // namespace

double limbDistance(double x, double y, double dDeg) {
    const double cosD = std::cos(dDeg * degree);
    const double b = std::sqrt(1 - earthE2 * cosD * cosD); // semi-minor axis of the outline
    // Nearest point (cos th, b sin th) of the outline: Newton on the derivative of the squared
    // distance, from the point's own eccentric angle.
    double th = std::atan2(y / b, x);
    for (int i = 0; i < 8; ++i) {
        const double s = std::sin(th), c = std::cos(th);
        const double g = x * s - b * y * c + (b * b - 1) * s * c;
        const double dg = x * c + b * y * s + (b * b - 1) * (c * c - s * s);
        th -= g / dg;
    }
    const double distance = std::hypot(x - std::cos(th), y - b * std::sin(th));
    return x * x + y * y / (b * b) < 1 ? -distance : distance;
}

bool surfaceZeta(double x, double y, double dDeg, double& zeta) {
    // With the equatorial components X' = zeta cos d - y sin d and Z = y cos d + zeta sin d the
    // ellipsoid is x^2 + X'^2 + Z^2 / (1 - e^2) = 1: a quadratic in zeta.
    const double s = std::sin(dDeg * degree), c = std::cos(dDeg * degree);
    const double q = 1 / (1 - earthE2);
    const double a = c * c + q * s * s;
    const double b = 2 * (-y * s * c + q * y * c * s);
    const double k = x * x + y * y * s * s + q * y * y * c * c - 1;
    const double discriminant = b * b - 4 * a * k;
    if (discriminant < 0)
        return false;
    zeta = (-b + std::sqrt(discriminant)) / (2 * a);
    return true;
}

std::optional<EclipseRecord> eclipseAtConjunction(const Ephemeris& ephemeris,
                                                  const Conjunction& conjunction, double lunation) {
    double jdRef = nearestWholeHour(conjunction.jd);
    FittedElements f = fitElements(ephemeris, jdRef);
    double tGreatest = greatestEclipseTime(f);
    for (int i = 0; i < 4; ++i) {
        const double jdNext = nearestWholeHour(jdRef + tGreatest / 24);
        if (jdNext == jdRef)
            break;
        jdRef = jdNext;
        f = fitElements(ephemeris, jdRef);
        tGreatest = greatestEclipseTime(f);
    }

    const auto limbGap = [&](double t, double radius) {
        return limbDistance(polynomial(f.x, t), polynomial(f.y, t), polynomial(f.d, t)) - radius;
    };
    const auto penumbraGap = [&](double t) { return limbGap(t, polynomial(f.l1, t)); };
    const auto umbraGap = [&](double t) { return limbGap(t, std::fabs(polynomial(f.l2, t))); };
    const auto axisGap = [&](double t) { return limbGap(t, 0); };

    const double low = tGreatest - 1.5, high = tGreatest + 1.5;
    if (goldenMinimum(penumbraGap, low, high).value >= 0)
        return std::nullopt;

    int type = typePartial;
    const Minimum axis = goldenMinimum(axisGap, low, high);
    if (axis.value < 0) {
        const double start = bisect(axisGap, axis.t, axis.t - fitHalfSpan);
        const double end = bisect(axisGap, axis.t, axis.t + fitHalfSpan);
        bool total = false, annular = false;
        for (int i = 0; i <= centralLineSamples; ++i) {
            const double t = start + (end - start) * i / centralLineSamples;
            double zeta = 0;
            if (!surfaceZeta(polynomial(f.x, t), polynomial(f.y, t), polynomial(f.d, t), zeta))
                zeta = 0; // on the limb itself
            const double l2 = polynomial(f.l2, t) - zeta * f.tanF2;
            (l2 < 0 ? total : annular) = true;
        }
        type = total && annular ? typeAnnularTotal : total ? typeTotal : typeAnnular;
    } else if (goldenMinimum(umbraGap, low, high).value < 0) {
        type = polynomial(f.l2, axis.t) < 0 ? typeNonCentralTotal : typeNonCentralAnnular;
    }

    const double x = polynomial(f.x, tGreatest), y = polynomial(f.y, tGreatest);
    const double d = polynomial(f.d, tGreatest);
    const double l1 = polynomial(f.l1, tGreatest), l2 = polynomial(f.l2, tGreatest);
    double zeta = 0;
    double magnitude = 0;
    if (limbDistance(x, y, d) < 0 && surfaceZeta(x, y, d, zeta)) {
        const double bigL1 = l1 - zeta * f.tanF1, bigL2 = l2 - zeta * f.tanF2;
        magnitude = (bigL1 - bigL2) / (bigL1 + bigL2);
    } else {
        magnitude = (l1 - limbDistance(x, y, d)) / (l1 + l2);
    }

    EclipseRecord r;
    r.jd = jdRef + tGreatest / 24;
    const CalendarInstant date = jdToCalendar(r.jd, 0, 0);
    r.year = date.year;
    r.month = date.month;
    r.day = date.day;
    r.t0 = std::round((jdRef - (r.jd - date.hour / 24)) * 24);
    r.typeCode = type;
    r.magnitude = magnitude;
    r.gamma = std::copysign(std::hypot(x, y), y);
    r.lunation = lunation;
    r.x0 = f.x[0], r.x1 = f.x[1], r.x2 = f.x[2], r.x3 = f.x[3];
    r.y0 = f.y[0], r.y1 = f.y[1], r.y2 = f.y[2], r.y3 = f.y[3];
    r.d0 = f.d[0], r.d1 = f.d[1], r.d2 = f.d[2];
    r.mu0 = f.mu[0], r.mu1 = f.mu[1];
    r.l1c0 = f.l1[0], r.l1c1 = f.l1[1], r.l1c2 = f.l1[2];
    r.l2c0 = f.l2[0], r.l2c1 = f.l2[1], r.l2c2 = f.l2[2];
    r.tanF1 = f.tanF1, r.tanF2 = f.tanF2;
    return r;
}

} // namespace vesk::catalog
