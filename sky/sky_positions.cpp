// SPDX-License-Identifier: GPL-3.0-or-later
#include "sky_positions.h"

#include "angles.h"

#include <erfa.h>

#include <cmath>
#include <numbers>

namespace vesk {

namespace {

double sind(double x) {
    return std::sin(x * degToRad);
}
double cosd(double x) {
    return std::cos(x * degToRad);
}

// The mean elements: c0 + c1 T + c2 T^2 + c3 T^3 in T = T1900, rows by planet type - 1 and
// element (L, perihelion, e, a, node, i).
struct Cubic {
    double c0, c1, c2, c3;
    double at(double t) const { return c0 + t * (c1 + t * (c2 + t * c3)); }
};
enum Element { meanLongitude, perihelion, eccentricity, semiMajorAxis, node, inclination };
constexpr std::array<std::array<Cubic, 6>, 6> elements = {{
    {{{182.27175, 149474.07244, 0.00201944, 0.0},
      {75.89717, 1.553469, 0.000308639, 0.0},
      {0.20561494, 2.03e-05, -4e-08, 0.0},
      {0.3870984, 0.0, 0.0, 0.0},
      {47.144736, 1.18476, 0.000223194, 0.0},
      {7.003014, 0.00173833, -1.55555e-05, 0.0}}},
    {{{344.36936, 58519.2126, 0.00098055, 0.0},
      {130.14057, 1.3723, -0.0016472, 0.0},
      {0.00681636, -5.384e-05, 1.26e-07, 0.0},
      {0.72333015, 0.0, 0.0, 0.0},
      {75.7881, 0.91403, 0.0004189, 0.0},
      {3.3936, 0.0012522, -4.333e-06, 0.0}}},
    {},
    {{{294.26478, 19141.69625, 0.000315028, 0.0},
      {334.21833, 1.840394, 0.000335917, 0.0},
      {0.0933088, 9.5284e-05, -1.22e-07, 0.0},
      {1.5236781, 0.0, 0.0, 0.0},
      {48.7867, 0.776944, -0.000602778, 0.0},
      {1.8503, -0.000649028, 2.65e-05, 0.0}}},
    {{{238.132386, 3036.301986, 0.000334683, -1.64889e-06},
      {12.720972, 1.6099617, 0.00105627, -3.4333e-06},
      {0.0483348, 0.00016418, -4.676e-07, -1.7e-09},
      {5.202805, 0.0, 0.0, 0.0},
      {99.443414, 1.01053, 0.000352222, -8.51111e-06},
      {1.308736, -0.00569611, 3.88889e-06, 0.0}}},
    {{{266.597875, 1223.50988, 0.000324542, -5.83333e-07},
      {91.09821, 1.958416, 0.000826361, 4.61111e-06},
      {0.05589231, -0.0003455, -7.28e-07, 7.4e-10},
      {9.554747, 0.0, 0.0, 0.0},
      {112.790414, 0.873195, -0.000152181, -5.30555e-06},
      {2.4925194, -0.00391889, -1.54889e-05, 4.44444e-08}}},
}};

double t1900(double jd) {
    return (jd - 2415021) / 36525;
}
double t2000(double jd) {
    return (jd - 2451545) / 36525;
}

} // namespace

const std::array<StarEntry, 99> skyCatalogue = {{
    {"Sun", 0, 0, 0, 0, -10},
    {"Mercury", 0, 0, 0, 0, 0},
    {"Venus", 0, 0, 0, 0, 0},
    {"Mars", 0, 0, 0, 0, 0},
    {"Jupiter", 0, 0, 0, 0, 0},
    {"Saturn", 0, 0, 0, 0, 0},
    {"Achernar", 1.37429, -57.1412, 0.013, -0.03, 0.46},
    {"Mirfak", 3.24193, 49.514, 0.003, -0.02, 1.8},
    {"Aldebaran", 4.35552, 16.3033, 0.005, -0.19, 0.85},
    {"Rigel", 5.14322, -8.1206, 0.0, 0.0, 0.12},
    {"Capella", 5.16413, 45.5953, 0.008, -0.42, 0.08},
    {"Bellatrix", 5.25078, 6.2059, -0.001, -0.01, 1.64},
    {"Elnath", 5.26175, 28.3627, 0.002, -0.17, 1.65},
    {"Alnilam", 5.36127, -1.1207, 0.0, 0.0, 1.7},
    {"Alnitak", 5.40455, -1.5634, 0.0, 0.0, 1.77},
    {"Betelgeuse", 5.55102, 7.2426, 0.002, 0.01, 0.5},
    {"Menkalinan", 5.59317, 44.5651, -0.005, 0.0, 1.9},
    {"Mirzam", 6.22419, -17.5722, -0.001, 0.0, 1.98},
    {"Canopus", 6.23571, -52.4144, 0.002, 0.02, -0.72},
    {"Alhena", 6.37427, 16.2357, 0.003, -0.04, 1.93},
    {"Sirius", 6.45089, -16.4258, -0.038, -1.12, -1.47},
    {"Adehara", 6.58375, -28.582, 0.0, 0.0, 1.5},
    {"Wezen", 7.08234, -26.2336, -0.001, 0.0, 1.86},
    {"Castor", 7.34359, 31.5318, -0.013, -0.1, 1.58},
    {"Procyon", 7.39181, 5.133, -0.047, -1.03, 0.38},
    {"Pollux", 7.45189, 28.0134, -0.047, -0.05, 1.14},
    {"Regor", 8.09319, -47.2012, -0.001, 0.0, 1.78},
    {"Avior", 8.22308, -59.3034, -0.003, 0.01, 1.86},
    {"del Vel", 8.44422, -54.423, 0.003, -0.08, 1.96},
    {"Miaplacidus", 9.13122, -69.4302, -0.029, 0.1, 1.68},
    {"Alphard", 9.27352, -8.3931, -0.001, 0.03, 1.98},
    {"Regulus", 10.08222, 11.5802, -0.017, 0.0, 1.35},
    {"Dubhe", 11.03436, 61.4503, -0.017, -0.07, 1.79},
    {"Acrux", 12.26359, -63.0556, -0.004, -0.02, 1.41},
    {"Gacrux", 12.31099, -57.0647, 0.003, -0.27, 1.63},
    {"Mimosa", 12.47432, -59.4119, -0.005, -0.02, 1.25},
    {"Alioth", 12.54017, 55.5735, 0.013, -0.01, 1.77},
    {"Spica", 13.25115, -11.0941, -0.003, -0.03, 0.98},
    {"Alkaid", 13.47323, 49.1848, -0.013, -0.01, 1.86},
    {"Hadar", 14.03494, -60.2222, -0.003, -0.02, 0.61},
    {"Arcturus", 14.15397, 19.1057, -0.077, -2.0, -0.04},
    {"Rigil Kent", 14.39367, -60.5002, -0.494, 0.69, 0.0},
    {"Antares", 16.29243, -26.2555, 0.0, -0.02, 0.96},
    {"Atria", 16.48398, -69.0139, 0.005, -0.03, 1.92},
    {"Shaula", 17.33364, -37.0614, 0.0, -0.03, 1.63},
    {"Girtab", 17.3719, -42.5952, 0.001, 0.0, 1.87},
    {"Kaus Aust.", 18.24102, -34.2305, -0.003, -0.13, 1.85},
    {"Vega", 18.36562, 38.4701, 0.017, 0.28, 0.03},
    {"Altair", 19.50468, 8.5206, 0.036, 0.39, 0.77},
    {"Peacock", 20.25387, -56.4406, 0.002, -0.08, 1.94},
    {"Deneb", 20.41258, 45.1649, 0.0, 0.01, 1.25},
    {"Al Na'ir", 22.08138, -46.574, 0.013, -0.15, 1.74},
    {"Fomalhaut", 22.57389, -29.372, 0.026, -0.16, 1.16},
    {" ", 0.08232, 29.0526, 0.01, -0.16, 2.06},
    {" ", 0.09106, 59.0859, 0.068, -0.18, 2.27},
    {" ", 0.2617, -42.1822, 0.019, -0.39, 2.39},
    {" ", 0.40304, 56.3215, 0.006, -0.03, 2.23},
    {" ", 0.43353, -17.5912, 0.016, 0.04, 2.04},
    {" ", 0.56424, 60.43, 0.003, 0.0, 2.47},
    {" ", 1.09438, 35.3714, 0.015, -0.11, 2.06},
    {" ", 2.03539, 42.1947, 0.004, -0.05, 2.18},
    {" ", 2.07103, 23.2745, 0.014, -0.14, 2.0},
    {" ", 2.31504, 89.1551, 0.232, -0.01, 2.02},
    {" ", 3.08101, 40.5721, 0.0, 0.0, 2.12},
    {" ", 5.32003, -0.1757, 0.0, 0.0, 2.23},
    {" ", 5.47453, -9.4011, 0.0, -0.01, 2.06},
    {" ", 7.24056, -29.1811, -0.001, 0.0, 2.44},
    {" ", 8.0335, -40.0012, -0.003, 0.01, 2.25},
    {" ", 9.07597, -43.2557, -0.002, 0.01, 2.21},
    {" ", 9.17054, -59.1631, -0.002, 0.0, 2.25},
    {" ", 9.22068, -55.0038, -0.001, 0.01, 2.5},
    {" ", 10.19583, 19.503, 0.022, -0.15, 2.28},
    {" ", 11.01504, 56.2256, 0.01, 0.03, 2.37},
    {" ", 11.49035, 14.3419, -0.034, -0.12, 2.14},
    {" ", 11.53497, 53.4141, 0.011, 0.01, 2.44},
    {" ", 12.41309, -48.5734, -0.019, -0.01, 2.17},
    {" ", 13.23555, 54.5531, 0.014, -0.02, 2.27},
    {" ", 13.39532, -53.2758, -0.002, -0.02, 2.3},
    {" ", 14.06409, -36.2212, -0.043, -0.52, 2.06},
    {" ", 14.35303, -42.0928, -0.003, -0.04, 2.31},
    {" ", 14.41557, -47.2317, -0.002, -0.02, 2.3},
    {" ", 14.44591, 27.0427, -0.004, 0.02, 2.37},
    {" ", 14.50422, 74.0919, -0.009, 0.01, 2.08},
    {" ", 15.34412, 26.4253, 0.009, -0.09, 2.23},
    {" ", 16.00199, -22.3718, -0.001, -0.03, 2.32},
    {" ", 16.50097, -34.1736, -0.049, -0.25, 2.29},
    {" ", 17.10225, -15.433, 0.003, 0.09, 2.43},
    {" ", 17.34559, 12.3336, 0.008, -0.23, 2.08},
    {" ", 17.4229, -39.0148, -0.001, -0.03, 2.41},
    {" ", 17.56362, 51.292, -0.001, -0.02, 2.23},
    {" ", 18.55157, -26.1748, 0.001, -0.05, 2.02},
    {" ", 20.22135, 40.1524, 0.0, 0.0, 2.2},
    {" ", 20.46125, 33.5813, 0.028, 0.33, 2.46},
    {" ", 21.18346, 62.3508, 0.022, 0.05, 2.44},
    {" ", 21.4411, 9.523, 0.002, 0.0, 2.38},
    {" ", 22.42399, -46.5305, 0.014, -0.01, 2.11},
    {" ", 23.03463, 28.0458, 0.014, 0.14, 2.42},
    {" ", 23.04455, 15.1219, 0.004, -0.04, 2.49},
    {nullptr, 0, 0, 0, 0, 0},
}};

const PerturbationTables noPerturbations{};

double reduceModulo(double x, double b) {
    double r = b * (x / b - std::floor(x / b));
    if (r < 0)
        r += b;
    return r;
}

double roundTo2(double x) {
    return std::copysign(std::trunc(std::fabs(x) * 100 + 0.5) / 100, x);
}
double roundTo3(double x) {
    return std::copysign(std::trunc(std::fabs(x) * 1000 + 0.5) / 1000, x);
}

double interpolateGrid10(const PerturbationTable& t, double a1, double a2) {
    const int j = static_cast<int>(std::trunc(a1 / 10)), k = static_cast<int>(std::trunc(a2 / 10));
    const int j1 = std::min(j + 1, 36), k1 = std::min(k + 1, 36);
    const double fj = a1 - 10 * j, fk = a2 - 10 * k;
    const double g = t[k][j] + (t[k][j1] - t[k][j]) * fj / 10;
    const double h = t[k1][j] + (t[k1][j1] - t[k1][j]) * fj / 10;
    return g + (h - g) * fk / 10;
}

PerturbationArguments perturbationArguments(double jd) {
    return {reduceModulo(86.1 + 0.033459 * (jd - 1721057), 360),
            reduceModulo(89.1 + 0.04963 * (jd - 1721057), 360)};
}

Nutation nutationAngles(double jd, double offsetDays) {
    Nutation n;
    eraNut00a(2451545.0, jd - 2451545.0 + offsetDays, &n.dpsi, &n.deps);
    return n;
}

double trueObliquity(double jd) {
    const double t = t2000(jd);
    const double mean = 23.439279444 - 0.01301021361 * t - 0.000000050861 * t * t +
                        0.0000005565 * t * t * t - 0.00000000016 * t * t * t * t -
                        0.000000000012056 * t * t * t * t * t;
    return mean + nutationAngles(jd, 0).deps * radToDeg;
}

Equatorial eclipticToEquatorial(double jd, double lon, double lat) {
    const double e = trueObliquity(jd);
    Equatorial place;
    place.ra =
        std::atan2(sind(lon) * cosd(lat) * cosd(e) - sind(lat) * sind(e), cosd(lon) * cosd(lat)) *
        radToDeg;
    if (place.ra < 0)
        place.ra += 360;
    place.dec = std::asin(sind(lon) * cosd(lat) * sind(e) + sind(lat) * cosd(e)) * radToDeg;
    return place;
}

SouthAzimuthPlace hourAngleToHorizontal(double h, double dec, double lat) {
    return {std::atan2(sind(h), sind(lat) * cosd(h) - cosd(lat) * std::tan(dec * degToRad)) *
                radToDeg,
            std::asin(cosd(h) * cosd(dec) * cosd(lat) + sind(dec) * sind(lat)) * radToDeg};
}

BodyPosition sunPosition(double jd) {
    const double t = t1900(jd);
    const double l = reduceModulo(280.6824 + 36000.769325 * t + 0.000722222 * t * t, 360);
    const double w = reduceModulo(
        281.2206 + 1.717697 * t + 0.000483333 * t * t + 0.00000277777 * t * t * t, 360);
    const double e = 0.0167498 - 0.00004258 * t - 0.000000137 * t * t;
    const double a = 1.00000129;
    const double m = l - w;
    const double centre = 1.91946 * sind(m) + 0.0200939 * sind(2 * m) - 0.00478889 * t * sind(m) -
                          0.0000144444 * t * t * sind(m);
    BodyPosition sun;
    sun.longitude = l + centre;
    const double v = sun.longitude - w;
    sun.distance = a * (1 - e * e) / (1 + e * cosd(v));
    sun.semidiameter = 0.2666 / sun.distance;
    sun.x = sun.distance * cosd(sun.longitude);
    sun.y = sun.distance * sind(sun.longitude);
    sun.magnitude = -10;
    const Equatorial place = eclipticToEquatorial(jd, sun.longitude, 0);
    sun.ra = place.ra;
    sun.dec = place.dec;
    return sun;
}

OrbitalElements planetElements(int type, double jd, const PerturbationTables& tables) {
    const double t = t1900(jd);
    const auto& row = elements[type - 1];
    OrbitalElements o;
    o.meanLongitude = reduceModulo(row[meanLongitude].at(t), 360);
    o.perihelion = reduceModulo(row[perihelion].at(t), 360);
    o.eccentricity = row[eccentricity].at(t);
    o.semiMajorAxis = row[semiMajorAxis].at(t);
    o.node = reduceModulo(row[node].at(t), 360);
    o.inclination = row[inclination].at(t);
    if (type != jupiter && type != saturn)
        return o;
    const double g = (t + 19) / 10;
    const auto [a1, a2] = perturbationArguments(jd);
    const bool isJupiter = type == jupiter;
    const PerturbationTable& tl = isJupiter ? tables.jupiterL : tables.saturnL;
    const PerturbationTable& tp = isJupiter ? tables.jupiterP : tables.saturnP;
    const PerturbationTable& te = isJupiter ? tables.jupiterE : tables.saturnE;
    const double dl = roundTo2(interpolateGrid10(tl, a1, a2) / 100);
    const double dp = roundTo2(interpolateGrid10(tp, a1, a2) / 100);
    const double de = roundTo2(interpolateGrid10(te, a1, a2) / 100);
    double b1 = 0, b2 = 0, b3 = 0, phi0 = 0;
    if (isJupiter) {
        const double q = 0.42 - 0.075 * g + 0.015 * g * g - 0.003 * g * g * g;
        b1 = q * sind(360 * (g - 0.62) / 0.925);
        b2 = 0.02 * sind(360 * (g + 0.1) / 0.925);
        b3 = 0.03 * sind(360 * (g + 0.36) / 0.925);
        phi0 = 2.58 + 0.1 * g;
    } else {
        const double q = 0.88 - 0.0633 * g + 0.03 * g * g - 0.0006 * g * g * g;
        b1 = q * sind(360 * (g - 0.145) / 0.95) - 0.5;
        b2 = (0.1 - 0.005 * g) * sind(360 * (g - 0.54) / 0.95) - 0.5;
        b3 = (0.1 - 0.005 * g) * sind(360 * (g - 0.32) / 0.95) - 0.5;
        const double b4 = (0.004 - 0.0005 * g) * sind(360 * (g - 0.35) / 0.95) - 0.05;
        phi0 = 3.56 - 0.175 * g - 0.005 * g * g;
        o.semiMajorAxis +=
            roundTo3(b4) + roundTo3(interpolateGrid10(tables.saturnA, a1, a2) / 1000);
    }
    o.meanLongitude += roundTo2(b1) + dl;
    o.perihelion += (roundTo2(b2) + dp) / sind(phi0);
    o.eccentricity = sind(phi0 + roundTo2(b3) + de);
    return o;
}

HeliocentricPlace heliocentricPlace(const OrbitalElements& o) {
    const double e = o.eccentricity, w = o.perihelion, om = o.node, inc = o.inclination;
    double m = o.meanLongitude - w;
    if (m < 0)
        m += 360;
    const double centre = ((2 * e - e * e * e / 4) * sind(m) + 1.25 * e * e * sind(2 * m) +
                           13.0 / 12 * e * e * e * sind(3 * m)) *
                          radToDeg;
    const double v = m + centre;
    const double u = reduceModulo(v + w - om, 360);
    double wl = std::atan(std::tan(u * degToRad) * cosd(inc)) * radToDeg;
    if (u > 90 && u < 270)
        wl += 180;
    else if (u >= 270)
        wl += 360;
    HeliocentricPlace h;
    h.longitude = wl + om;
    if (h.longitude > 360)
        h.longitude -= 360;
    h.radius = o.semiMajorAxis * (1 - e * e) / (1 + e * cosd(v));
    h.x = h.radius * (cosd(u) * cosd(om) - sind(u) * sind(om) * cosd(inc));
    h.y = h.radius * (cosd(u) * sind(om) + sind(u) * cosd(om) * cosd(inc));
    h.z = h.radius * sind(u) * sind(inc);
    return h;
}

BodyPosition planetPosition(int type, double jd, const PerturbationTables& tables) {
    const HeliocentricPlace h = heliocentricPlace(planetElements(type, jd, tables));
    const double helioLon = h.longitude, r = h.radius;
    const double g = (t1900(jd) + 19) / 10;
    BodyPosition p;
    p.x = h.x;
    p.y = h.y;
    p.z = h.z;
    const BodyPosition sun = sunPosition(jd);
    const double gx = sun.x + p.x, gy = sun.y + p.y, gz = sun.z + p.z;
    p.distance = std::sqrt(gx * gx + gy * gy + gz * gz);
    p.longitude = std::atan2(gy, gx) * radToDeg;
    if (p.longitude < 0)
        p.longitude += 360;
    p.latitude = std::asin(gz / p.distance) * radToDeg;
    double d = helioLon - sun.longitude;
    if (d < 0)
        d += 360;
    const double earthDistance =
        std::sqrt(r * r + sun.distance * sun.distance + 2 * r * sun.distance * cosd(d));
    const double phase =
        std::acos((r * r + earthDistance * earthDistance - sun.distance * sun.distance) /
                  (2 * r * earthDistance)) *
        radToDeg;
    const double base = 5 * std::log10(r * earthDistance);
    switch (type) {
    case mercury:
        p.magnitude = base - 0.42 + 0.038 * phase - 0.000273 * phase * phase +
                      0.000002 * phase * phase * phase;
        p.semidiameter = 0.0009333333333333333 / p.distance;
        break;
    case venus:
        p.magnitude = base - 4.4 + 0.0009 * phase + 0.000239 * phase * phase -
                      0.00000065 * phase * phase * phase;
        p.semidiameter = 0.0023166666666666665 / p.distance;
        break;
    case mars:
        p.magnitude = base - 1.52 + 0.016 * phase;
        p.semidiameter = 0.001288888888888889 / p.distance;
        break;
    case jupiter:
        p.magnitude = base - 9.4 + 0.005 * phase;
        p.semidiameter = 0.027344444444444446 / p.distance;
        break;
    default: // Saturn: the ring term takes its argument as a plain number of radians
        p.magnitude = base - 8.68 - 1.1 * std::fabs(std::sin(helioLon + 38 - 1000 * g));
        p.semidiameter = 0.022980555555555556 / p.distance;
        break;
    }
    const Equatorial place = eclipticToEquatorial(jd, p.longitude, p.latitude);
    p.ra = place.ra;
    p.dec = place.dec;
    return p;
}

double raFromPacked(double x) {
    const double h = std::floor(x);
    const double y = (x - h) * 100;
    const double m = std::floor(y);
    return 15 * (h + m / 60 + (y - m) * 100 / 3600);
}

double decFromPacked(double x) {
    const double ax = std::fabs(x);
    const double d = std::floor(ax);
    const double y = (ax - d) * 100;
    const double m = std::floor(y);
    return std::copysign(d + m / 60 + (y - m) * 100 / 3600, x);
}

PackedParts splitPacked(double x) {
    const double ax = std::fabs(x);
    const double rest = (ax - std::floor(ax)) * 100;
    const double first = std::floor(rest + 1e-9);
    return {std::copysign(std::floor(ax), x), first, (rest - first) * 100};
}

} // namespace vesk
