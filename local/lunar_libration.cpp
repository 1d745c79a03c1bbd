// SPDX-License-Identifier: GPL-3.0-or-later
#include "lunar_libration.h"

#include "angles.h"
#include "earth.h"
#include "observed_shadow.h"

#include <erfa.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace vesk {

namespace {

constexpr double arcsecond = 4.84813681109536e-6;
constexpr double lunarEquatorInclination = 0.026920307448610938; // 1.54242 degrees

struct LunarTermLR {
    std::array<int, 4> multiple; // D, M, M', F
    double longitude, distance;
};
struct LunarTermB {
    std::array<int, 4> multiple;
    double latitude;
};

// Meeus, Astronomical Algorithms, 2nd ed., table 47.A: multiples of D, M, M', F; longitude
// (0.000001 degree, sine) and distance (0.001 km, cosine).
const LunarTermLR lunarLongitudeDistance[60] = {
    {{0, 0, 1, 0}, 6288774, -20905355},
    {{2, 0, -1, 0}, 1274027, -3699111},
    {{2, 0, 0, 0}, 658314, -2955968},
    {{0, 0, 2, 0}, 213618, -569925},
    {{0, 1, 0, 0}, -185116, 48888},
    {{0, 0, 0, 2}, -114332, -3149},
    {{2, 0, -2, 0}, 58793, 246158},
    {{2, -1, -1, 0}, 57066, -152138},
    {{2, 0, 1, 0}, 53322, -170733},
    {{2, -1, 0, 0}, 45758, -204586},
    {{0, 1, -1, 0}, -40923, -129620},
    {{1, 0, 0, 0}, -34720, 108743},
    {{0, 1, 1, 0}, -30383, 104755},
    {{2, 0, 0, -2}, 15327, 10321},
    {{0, 0, 1, 2}, -12528, 0},
    {{0, 0, 1, -2}, 10980, 79661},
    {{4, 0, -1, 0}, 10675, -34782},
    {{0, 0, 3, 0}, 10034, -23210},
    {{4, 0, -2, 0}, 8548, -21636},
    {{2, 1, -1, 0}, -7888, 24208},
    {{2, 1, 0, 0}, -6766, 30824},
    {{1, 0, -1, 0}, -5163, -8379},
    {{1, 1, 0, 0}, 4987, -16675},
    {{2, -1, 1, 0}, 4036, -12831},
    {{2, 0, 2, 0}, 3994, -10445},
    {{4, 0, 0, 0}, 3861, -11650},
    {{2, 0, -3, 0}, 3665, 14403},
    {{0, 1, -2, 0}, -2689, -7003},
    {{2, 0, -1, 2}, -2602, 0},
    {{2, -1, -2, 0}, 2390, 10056},
    {{1, 0, 1, 0}, -2348, 6322},
    {{2, -2, 0, 0}, 2236, -9884},
    {{0, 1, 2, 0}, -2120, 5751},
    {{0, 2, 0, 0}, -2069, 0},
    {{2, -2, -1, 0}, 2048, -4950},
    {{2, 0, 1, -2}, -1773, 4130},
    {{2, 0, 0, 2}, -1595, 0},
    {{4, -1, -1, 0}, 1215, -3958},
    {{0, 0, 2, 2}, -1110, 0},
    {{3, 0, -1, 0}, -892, 3258},
    {{2, 1, 1, 0}, -810, 2616},
    {{4, -1, -2, 0}, 759, -1897},
    {{0, 2, -1, 0}, -713, -2117},
    {{2, 2, -1, 0}, -700, 2354},
    {{2, 1, -2, 0}, 691, 0},
    {{2, -1, 0, -2}, 596, 0},
    {{4, 0, 1, 0}, 549, -1423},
    {{0, 0, 4, 0}, 537, -1117},
    {{4, -1, 0, 0}, 520, -1571},
    {{1, 0, -2, 0}, -487, -1739},
    {{2, 1, 0, -2}, -399, 0},
    {{0, 0, 2, -2}, -381, -4421},
    {{1, 1, 1, 0}, 351, 0},
    {{3, 0, -2, 0}, -340, 0},
    {{4, 0, -3, 0}, 330, 0},
    {{2, -1, 2, 0}, 327, 0},
    {{0, 2, 1, 0}, -323, 1165},
    {{1, 1, -1, 0}, 299, 0},
    {{2, 0, 3, 0}, 294, 0},
    {{2, 0, -1, -2}, 0, 8752},
};
// Table 47.B: latitude (0.000001 degree, sine).
const LunarTermB lunarLatitude[60] = {
    {{0, 0, 0, 1}, 5128122}, {{0, 0, 1, 1}, 280602},  {{0, 0, 1, -1}, 277693},
    {{2, 0, 0, -1}, 173237}, {{2, 0, -1, 1}, 55413},  {{2, 0, -1, -1}, 46271},
    {{2, 0, 0, 1}, 32573},   {{0, 0, 2, 1}, 17198},   {{2, 0, 1, -1}, 9266},
    {{0, 0, 2, -1}, 8822},   {{2, -1, 0, -1}, 8216},  {{2, 0, -2, -1}, 4324},
    {{2, 0, 1, 1}, 4200},    {{2, 1, 0, -1}, -3359},  {{2, -1, -1, 1}, 2463},
    {{2, -1, 0, 1}, 2211},   {{2, -1, -1, -1}, 2065}, {{0, 1, -1, -1}, -1870},
    {{4, 0, -1, -1}, 1828},  {{0, 1, 0, 1}, -1794},   {{0, 0, 0, 3}, -1749},
    {{0, 1, -1, 1}, -1565},  {{1, 0, 0, 1}, -1491},   {{0, 1, 1, 1}, -1475},
    {{0, 1, 1, -1}, -1410},  {{0, 1, 0, -1}, -1344},  {{1, 0, 0, -1}, -1335},
    {{0, 0, 3, 1}, 1107},    {{4, 0, 0, -1}, 1021},   {{4, 0, -1, 1}, 833},
    {{0, 0, 1, -3}, 777},    {{4, 0, -2, 1}, 671},    {{2, 0, 0, -3}, 607},
    {{2, 0, 2, -1}, 596},    {{2, -1, 1, -1}, 491},   {{2, 0, -2, 1}, -451},
    {{0, 0, 3, -1}, 439},    {{2, 0, 2, 1}, 422},     {{2, 0, -3, -1}, 421},
    {{2, 1, -1, 1}, -366},   {{2, 1, 0, 1}, -351},    {{4, 0, 0, 1}, 331},
    {{2, -1, 1, 1}, 315},    {{2, -2, 0, -1}, 302},   {{0, 0, 1, 3}, -283},
    {{2, 1, 1, -1}, -229},   {{1, 1, 0, -1}, 223},    {{1, 1, 0, 1}, 223},
    {{0, 1, -2, -1}, -220},  {{2, 1, -1, -1}, -220},  {{1, 0, 1, 1}, -185},
    {{2, -1, -2, -1}, 181},  {{0, 1, 2, 1}, -177},    {{4, 0, -2, -1}, 176},
    {{4, -1, -1, -1}, 166},  {{1, 0, 1, -1}, -164},   {{4, 0, 1, -1}, 132},
    {{1, 0, -1, -1}, -119},  {{4, -1, 0, -1}, 115},   {{2, -2, 0, 1}, 107},
};

double reduce2Pi(double x) {
    return x - 2 * std::numbers::pi * std::floor(x / (2 * std::numbers::pi));
}
double reducePi(double x) {
    x = reduce2Pi(x);
    return x > std::numbers::pi ? x - 2 * std::numbers::pi : x;
}

// The fundamental arguments of the Moon (Meeus eq. 47.1 to 47.7), radians.
struct Arguments {
    double lPrime, d, m, mPrime, f, omega, e;
};

double degreesPoly(double t, double c0, double c1, double c2, double c3, double c4) {
    return reduce2Pi((c0 + t * (c1 + t * (c2 + t * (c3 + t * c4)))) * degToRad);
}

Arguments argumentsAt(double t) {
    Arguments a{};
    a.lPrime =
        degreesPoly(t, 218.3164477, 481267.88123421, -0.0015786, 1.0 / 538841, -1.0 / 65194000);
    a.d = degreesPoly(t, 297.8501921, 445267.1114034, -0.0018819, 1.0 / 545868, -1.0 / 113065000);
    a.m = degreesPoly(t, 357.5291092, 35999.0502909, -0.0001536, 1.0 / 24490000, 0);
    a.mPrime = degreesPoly(t, 134.9633964, 477198.8675055, 0.0087414, 1.0 / 69699, -1.0 / 14712000);
    a.f = degreesPoly(t, 93.2720950, 483202.0175233, -0.0036539, -1.0 / 3526000, 1.0 / 863310000);
    a.omega = degreesPoly(t, 125.0445479, -1934.1362891, 0.0020754, 1.0 / 467441, -1.0 / 60616000);
    a.e = 1 - 0.002516 * t - 0.0000074 * t * t;
    return a;
}

// Sines and cosines of the multiples 0..4 of the four arguments, by the recurrence
// sin((k+1)x) = sin kx cos x + cos kx sin x, cos((k+1)x) = cos kx cos x - sin kx sin x.
struct Multiples {
    double s[4][5], c[4][5];
    explicit Multiples(const std::array<double, 4>& x) {
        for (int i = 0; i < 4; ++i) {
            s[i][0] = 0;
            c[i][0] = 1;
            const double sx = std::sin(x[i]), cx = std::cos(x[i]);
            for (int k = 0; k < 4; ++k) {
                s[i][k + 1] = s[i][k] * cx + c[i][k] * sx;
                c[i][k + 1] = c[i][k] * cx - s[i][k] * sx;
            }
        }
    }
    // Sine and cosine of the combined argument of a row, by angle addition.
    void of(const std::array<int, 4>& multiple, double& sine, double& cosine) const {
        sine = 0;
        cosine = 1;
        for (int i = 0; i < 4; ++i) {
            const int k = std::abs(multiple[i]);
            if (k == 0)
                continue;
            const double si = multiple[i] < 0 ? -s[i][k] : s[i][k], ci = c[i][k];
            const double ns = sine * ci + cosine * si;
            cosine = cosine * ci - sine * si;
            sine = ns;
        }
    }
};

// Factor of a row with the Sun's mean anomaly: E for |M| = 1, E^2 for |M| = 2.
double eccentricityFactor(int m, double e) {
    return std::abs(m) == 1 ? e : std::abs(m) == 2 ? e * e : 1;
}

void eclipticToRaDec(double lambda, double beta, double eps, double& ra, double& dec) {
    ra = std::atan2(std::sin(lambda) * std::cos(eps) - std::tan(beta) * std::sin(eps),
                    std::cos(lambda));
    if (ra < 0)
        ra += 2 * std::numbers::pi;
    dec = std::asin(std::sin(beta) * std::cos(eps) +
                    std::cos(beta) * std::sin(eps) * std::sin(lambda));
}

void raDecToEcliptic(double ra, double dec, double eps, double& lambda, double& beta) {
    lambda = reduce2Pi(
        std::atan2(std::sin(ra) * std::cos(eps) + std::tan(dec) * std::sin(eps), std::cos(ra)));
    beta = std::asin(std::sin(dec) * std::cos(eps) - std::cos(dec) * std::sin(eps) * std::sin(ra));
}

// Physical libration series rho, sigma, tau (Meeus ch. 53), radians.
void physicalLibrationTerms(double t, const Arguments& a, double& rho, double& sigma, double& tau) {
    const double k1 = (119.75 + 131.849 * t) * degToRad, k2 = (72.56 + 20.186 * t) * degToRad;
    const double mp = a.mPrime, f = a.f, d = a.d, m = a.m, e = a.e;
    rho = -0.02752 * std::cos(mp) - 0.02245 * std::sin(f) + 0.00684 * std::cos(mp - 2 * f) -
          0.00293 * std::cos(2 * f) - 0.00085 * std::cos(2 * f - 2 * d) -
          0.00054 * std::cos(mp - 2 * d) - 0.00020 * std::sin(mp + f) -
          0.00020 * std::cos(mp + 2 * f) - 0.00020 * std::cos(mp - f) +
          0.00014 * std::cos(mp + 2 * f - 2 * d);
    sigma = -0.02816 * std::sin(mp) + 0.02244 * std::cos(f) - 0.00682 * std::sin(mp - 2 * f) -
            0.00279 * std::sin(2 * f) - 0.00083 * std::sin(2 * f - 2 * d) +
            0.00069 * std::sin(mp - 2 * d) + 0.00040 * std::cos(mp + f) -
            0.00025 * std::sin(2 * mp) - 0.00023 * std::sin(mp + 2 * f) +
            0.00020 * std::cos(mp - f) + 0.00019 * std::sin(mp - f) +
            0.00013 * std::sin(mp + 2 * f - 2 * d) - 0.00010 * std::cos(mp - 3 * f);
    tau = 0.02520 * e * std::sin(m) + 0.00473 * std::sin(2 * mp - 2 * f) - 0.00467 * std::sin(mp) +
          0.00396 * std::sin(k1) + 0.00276 * std::sin(2 * mp - 2 * d) +
          0.00196 * std::sin(a.omega) - 0.00183 * std::cos(mp - f) +
          0.00115 * std::sin(mp - 2 * d) - 0.00096 * std::sin(mp - d) +
          0.00046 * std::sin(2 * f - 2 * d) - 0.00039 * std::sin(mp - f) -
          0.00032 * std::sin(mp - m - d) + 0.00027 * std::sin(2 * mp - m - 2 * d) +
          0.00023 * std::sin(k2) - 0.00014 * std::sin(2 * d) + 0.00014 * std::cos(2 * mp - 2 * f) -
          0.00012 * std::sin(mp - 2 * f) - 0.00012 * std::sin(2 * mp) +
          0.00011 * std::sin(2 * mp - 2 * m - 2 * d);
    rho *= degToRad;
    sigma *= degToRad;
    tau *= degToRad;
}

} // namespace

double lunarJulianDate(double year, double month, double day) {
    long y = static_cast<long>(year), m = static_cast<long>(month);
    if (m < 3) {
        y -= 1;
        m += 12;
    }
    const bool gregorian =
        (year > 1582) || (year == 1582 && (month > 10 || (month == 10 && day >= 15)));
    const long b = gregorian ? y / 400 - y / 100 + 2 : 0;
    const double yearDays = 365.25 * (y + 4716) - (y < -4716 ? 0.75 : 0);
    return std::trunc(yearDays) + std::trunc(30.6001 * (m + 1)) + day + b - 1524.5;
}

double meanObliquity(double t) {
    static constexpr double c[11] = {84381.448, -4680.93, -1.55, 1999.25, -51.38, -249.67,
                                     -39.05,    7.12,     27.87, 5.79,    2.45};
    const double u = t / 100;
    double v = 0;
    for (int i = 10; i >= 0; --i)
        v = v * u + c[i];
    return v * arcsecond;
}

MoonPlace moonPosition(double t) {
    const Arguments a = argumentsAt(t);
    const Multiples multiples({a.d, a.m, a.mPrime, a.f});
    double sumL = 0, sumR = 0, sumB = 0;
    for (const LunarTermLR& term : lunarLongitudeDistance) {
        double s = 0, c = 0;
        multiples.of(term.multiple, s, c);
        const double factor = eccentricityFactor(term.multiple[1], a.e);
        sumL += term.longitude * factor * s;
        sumR += term.distance * factor * c;
    }
    for (const LunarTermB& term : lunarLatitude) {
        double s = 0, c = 0;
        multiples.of(term.multiple, s, c);
        sumB += term.latitude * eccentricityFactor(term.multiple[1], a.e) * s;
    }
    const double a1 = (119.75 + 131.849 * t) * degToRad, a2 = (53.09 + 479264.29 * t) * degToRad,
                 a3 = (313.45 + 481266.484 * t) * degToRad;
    sumL += 3958 * std::sin(a1) + 1962 * std::sin(a.lPrime - a.f) + 318 * std::sin(a2);
    sumB += -2235 * std::sin(a.lPrime) + 382 * std::sin(a3) + 350 * std::sin(a1) * std::cos(a.f) +
            127 * std::sin(a.lPrime - a.mPrime) - 115 * std::sin(a.lPrime + a.mPrime);
    MoonPlace place;
    place.lambda = a.lPrime + sumL * 1.7453292519943295e-8;
    if (place.lambda < 0)
        place.lambda -= 2 * std::numbers::pi * std::floor(place.lambda / (2 * std::numbers::pi));
    place.beta = sumB * 0.000001 * degToRad;
    place.distance = 385000.56 + sumR * 0.001;
    return place;
}

namespace {

// The Moon's topocentric ecliptic longitude and latitude (radians) for the observer at west
// longitude lonWest and geodetic latitude lat (radians), height in metres, at sidereal angle
// theta and mean obliquity eps0 (J. Meeus, Astronomical Algorithms, 2nd ed., ch. 40).
void topocentricMoon(double tTt, double theta, double eps0, double lat, double height,
                     double& lambda, double& beta) {
    const GeocentricPlace place = geocentricPlace(lat * radToDeg, height);
    const MoonPlace moon = moonPosition(tTt);
    const double sinParallax = earthRadiusKm / moon.distance;
    double ra = 0, dec = 0;
    eclipticToRaDec(moon.lambda, moon.beta, eps0, ra, dec);
    const double h = theta - ra;
    const double ta = std::cos(dec) * std::sin(h);
    const double tb = std::cos(dec) * std::cos(h) - place.rhoCosPhi * sinParallax;
    const double tc = std::sin(dec) - place.rhoSinPhi * sinParallax;
    const double q = std::sqrt(ta * ta + tb * tb + tc * tc);
    raDecToEcliptic(reduce2Pi(theta - std::atan2(ta, tb)), std::asin(tc / q), eps0, lambda, beta);
}

// The lines of the libration for the text report.
std::string librationText(const LibrationResult& r) {
    const double p = r.positionAngle * radToDeg <= 0 ? r.positionAngle * radToDeg + 360
                                                     : r.positionAngle * radToDeg;
    char text[400];
    std::snprintf(text, sizeof text,
                  "  Optical libration :  l' = %6.3f゜, b' = %6.3f゜,\n"
                  "  Physical libration : l\" = %6.3f゜, b\" = %6.3f゜,\n"
                  "  Total libration :    l  = %6.3f゜, b  = %6.3f゜,\n"
                  "  Position angle : %6.3f゜\n\n",
                  r.opticalL * radToDeg, r.opticalB * radToDeg, r.physicalL * radToDeg,
                  r.physicalB * radToDeg, r.l * radToDeg, r.b * radToDeg, p);
    return text;
}

} // namespace

LibrationResult lunarLibration(double year, double month, double day, double utHours, double deltaT,
                               double lonWest, double lat, double height, std::string* report) {
    const double jd = lunarJulianDate(std::trunc(year), std::trunc(month), day + utHours / 24);
    const double tUt = (jd - 2451545) / 36525;
    const double tTt = tUt + deltaT * 3.168808781402895e-10;
    const double eps0 = meanObliquity(tTt);
    double dpsi = 0, deps = 0;
    eraNut80(2451545.0, tTt * 36525, &dpsi, &deps); // IAU 1980 nutation
    const double theta0 = reduce2Pi((280.46061837 + 13185000.770053742 * tUt +
                                     0.000387933 * tUt * tUt - tUt * tUt * tUt / 38710000) *
                                    degToRad);
    const double theta = theta0 + dpsi * std::cos(eps0) - lonWest;
    double lambdaTopo = 0, betaTopo = 0;
    topocentricMoon(tTt, theta, eps0, lat, height, lambdaTopo, betaTopo);

    // Libration (Meeus ch. 53).
    const Arguments a = argumentsAt(tTt);
    const double i = lunarEquatorInclination;
    const double w = lambdaTopo - a.omega;
    const double aa = std::atan2(std::sin(w) * std::cos(betaTopo) * std::cos(i) -
                                     std::sin(betaTopo) * std::sin(i),
                                 std::cos(w) * std::cos(betaTopo));
    LibrationResult r;
    r.opticalL = reducePi(aa - a.f);
    r.opticalB = std::asin(-std::sin(w) * std::cos(betaTopo) * std::sin(i) -
                           std::sin(betaTopo) * std::cos(i));
    double rho = 0, sigma = 0, tau = 0;
    physicalLibrationTerms(tTt, a, rho, sigma, tau);
    r.physicalL = -tau + (rho * std::cos(aa) + sigma * std::sin(aa)) * std::tan(r.opticalB);
    r.physicalB = sigma * std::cos(aa) - rho * std::sin(aa);
    r.l = r.opticalL + r.physicalL;
    r.b = r.opticalB + r.physicalB;
    const double eps = eps0 + deps;
    double raApp = 0, decApp = 0;
    eclipticToRaDec(lambdaTopo + dpsi, betaTopo, eps, raApp, decApp);
    const double v = a.omega + dpsi + sigma / std::sin(i);
    const double x = std::sin(i + rho) * std::sin(v);
    const double y =
        std::sin(i + rho) * std::cos(v) * std::cos(eps) - std::cos(i + rho) * std::sin(eps);
    const double omega = std::atan2(x, y);
    r.positionAngle =
        std::asin(std::sqrt(x * x + y * y) * std::cos(raApp - omega) / std::cos(betaTopo));
    if (report != nullptr)
        *report = librationText(r);
    return r;
}

} // namespace vesk
