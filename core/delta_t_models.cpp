// SPDX-License-Identifier: GPL-3.0-or-later
#include "delta_t_models.h"

#include "delta_t_spline.h"
#include "timescales.h"

#include <array>
#include <span>

namespace vesk {

namespace {

// The decimal year of t Julian centuries from J2000.
double yearOf(double t) {
    return 100 * t + 2000;
}

// Stephenson, Morrison & Hohenkerk (2016), Table S15: the spline from -720 to 2016.
constexpr std::array<SplineRow, 54> spline2016 = {{
    {-720, 400, 20550.593, -21268.478, 11863.418, -4541.129},
    {400, 1000, 6604.404, -5981.266, -505.093, 1349.609},
    {1000, 1500, 1467.654, -2452.187, 2460.927, -1183.759},
    {1500, 1600, 292.635, -216.322, -43.614, 56.681},
    {1600, 1650, 89.380, -66.754, 31.607, -10.497},
    {1650, 1720, 43.736, -49.043, 0.227, 15.811},
    {1720, 1800, 10.730, -1.321, 62.250, -52.946},
    {1800, 1810, 18.714, -4.457, -1.509, 2.507},
    {1810, 1820, 15.255, 0.046, 6.012, -4.634},
    {1820, 1830, 16.679, -1.831, -7.889, 3.799},
    {1830, 1840, 10.758, -6.211, 3.509, -0.388},
    {1840, 1850, 7.668, -0.357, 2.345, -0.338},
    {1850, 1855, 9.317, 1.659, 0.332, -0.932},
    {1855, 1860, 10.376, -0.472, -2.463, 1.596},
    {1860, 1865, 9.038, -0.610, 2.325, -2.497},
    {1865, 1870, 8.256, -3.450, -5.166, 2.729},
    {1870, 1875, 2.369, -5.596, 3.020, -0.919},
    {1875, 1880, -1.126, -2.312, 0.264, -0.037},
    {1880, 1885, -3.211, -1.894, 0.154, 0.562},
    {1885, 1890, -4.388, 0.101, 1.841, -1.438},
    {1890, 1895, -3.884, -0.531, -2.473, 1.870},
    {1895, 1900, -5.017, 0.134, 3.138, -0.232},
    {1900, 1905, -1.977, 5.715, 2.443, -1.257},
    {1905, 1910, 4.923, 6.828, -1.329, 0.720},
    {1910, 1915, 11.142, 6.330, 0.831, -0.825},
    {1915, 1920, 17.479, 5.518, -1.643, 0.262},
    {1920, 1925, 21.617, 3.020, -0.856, 0.008},
    {1925, 1930, 23.789, 1.333, -0.831, 0.127},
    {1930, 1935, 24.418, 0.052, -0.449, 0.142},
    {1935, 1940, 24.164, -0.419, -0.022, 0.702},
    {1940, 1945, 24.426, 1.645, 2.086, -1.106},
    {1945, 1950, 27.050, 2.499, -1.232, 0.614},
    {1950, 1953, 28.932, 1.127, 0.220, -0.277},
    {1953, 1956, 30.002, 0.737, -0.610, 0.631},
    {1956, 1959, 30.760, 1.409, 1.282, -0.799},
    {1959, 1962, 32.652, 1.577, -1.115, 0.507},
    {1962, 1965, 33.621, 0.868, 0.406, 0.199},
    {1965, 1968, 35.093, 2.275, 1.002, -0.414},
    {1968, 1971, 37.956, 3.035, -0.242, 0.202},
    {1971, 1974, 40.951, 3.157, 0.364, -0.229},
    {1974, 1977, 44.244, 3.198, -0.323, 0.172},
    {1977, 1980, 47.291, 3.069, 0.193, -0.192},
    {1980, 1983, 50.361, 2.878, -0.384, 0.081},
    {1983, 1986, 52.936, 2.354, -0.140, -0.166},
    {1986, 1989, 54.984, 1.577, -0.637, 0.448},
    {1989, 1992, 56.373, 1.649, 0.709, -0.277},
    {1992, 1995, 58.453, 2.235, -0.122, 0.111},
    {1995, 1998, 60.677, 2.324, 0.212, -0.315},
    {1998, 2001, 62.899, 1.804, -0.732, 0.112},
    {2001, 2004, 64.082, 0.675, -0.396, 0.193},
    {2004, 2007, 64.555, 0.463, 0.184, -0.008},
    {2007, 2010, 65.194, 0.809, 0.161, -0.101},
    {2010, 2013, 66.063, 0.828, -0.142, 0.168},
    {2013, 2016, 66.917, 1.046, 0.360, -0.282},
}};
constexpr double spline2016Start = -720, spline2016End = 2016;

// A polynomial's value, coefficients from the constant term up.
template <std::size_t N> double polynomial(const std::array<double, N>& c, double u) {
    double value = 0;
    for (auto k = N; k-- > 0;)
        value = value * u + c[k];
    return value;
}

// Espenak & Meeus (2006), the canon's section on Delta T, branch by branch of the decimal year.
double espenakMeeus(double y) {
    if (y < -500 || y >= 2150)
        return deltaTParabola(y);
    if (y < 500)
        return polynomial(std::array{10583.6, -1014.41, 33.78311, -5.952053, -0.1798452,
                                     0.022174192, 0.0090316521},
                          y / 100);
    if (y < 1600)
        return polynomial(
            std::array{1574.2, -556.01, 71.23472, 0.319781, -0.8503463, -0.005050998, 0.0083572073},
            (y - 1000) / 100);
    if (y < 1700)
        return polynomial(std::array{120.0, -0.9808, -0.01532, 1 / 7129.0}, y - 1600);
    if (y < 1800)
        return polynomial(std::array{8.83, 0.1603, -0.0059285, 0.00013336, -1 / 1174000.0},
                          y - 1700);
    if (y < 1860)
        return polynomial(std::array{13.72, -0.332447, 0.0068612, 0.0041116, -0.00037436,
                                     0.0000121272, -0.0000001699, 0.000000000875},
                          y - 1800);
    if (y < 1900)
        return polynomial(
            std::array{7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1 / 233174.0}, y - 1860);
    if (y < 1920)
        return polynomial(std::array{-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197}, y - 1900);
    if (y < 1941)
        return polynomial(std::array{21.20, 0.84493, -0.076100, 0.0020936}, y - 1920);
    if (y < 1961)
        return polynomial(std::array{29.07, 0.407, -1 / 233.0, 1 / 2547.0}, y - 1950);
    if (y < 1986)
        return polynomial(std::array{45.45, 1.067, -1 / 260.0, -1 / 718.0}, y - 1975);
    if (y < 2005)
        return polynomial(
            std::array{63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599}, y - 2000);
    if (y < 2050)
        return polynomial(std::array{62.92, 0.32217, 0.005589}, y - 2000);
    return deltaTParabola(y) - 0.5628 * (2150 - y);
}

bool withinSpline2016(double y) {
    return y > spline2016Start && y <= spline2016End;
}

// The n-dot of the branches of deltaT (smh2020) in decimal year y.
std::optional<double> smh2020Ndot(double y) {
    constexpr double tablesStart = 2019, tablesEnd = 2100; // observed, then predicted
    constexpr double parabolaBefore = -800, parabolaAfter = 3350;
    if (y <= parabolaBefore || y > parabolaAfter)
        return classicalNdot;
    if (y > tablesStart && y <= tablesEnd)
        return std::nullopt;
    return de430Ndot;
}

} // namespace

double modelDeltaT(double t, DeltaTModel model) {
    const double y = yearOf(t);
    switch (model) {
    case DeltaTModel::smh2016:
        return withinSpline2016(y) ? splineValue(spline2016, y) : deltaT(t);
    case DeltaTModel::em2006:
        return espenakMeeus(y);
    case DeltaTModel::smh2020:
        break;
    }
    return deltaT(t);
}

std::optional<double> modelNdot(DeltaTModel model, double year) {
    switch (model) {
    case DeltaTModel::smh2016:
        return withinSpline2016(year) ? std::optional(de430Ndot) : smh2020Ndot(year);
    case DeltaTModel::em2006: {
        constexpr double atomicStart = 1955, atomicEnd = 2005;
        if (year >= atomicStart && year < atomicEnd)
            return std::nullopt;
        return classicalNdot;
    }
    case DeltaTModel::smh2020:
        break;
    }
    return smh2020Ndot(year);
}

double ndotCorrection(double year, double ndotFrom, double ndotTo) {
    constexpr double coefficient = 0.000091, epoch = 1955;
    return -coefficient * (ndotTo - ndotFrom) * (year - epoch) * (year - epoch);
}

double correctionToDe431(double t, DeltaTModel model) {
    const std::optional<double> ndot = modelNdot(model, yearOf(t));
    return ndot ? ndotCorrection(yearOf(t), *ndot, de431Ndot) : 0;
}

double deltaT(double t, const DeltaTChoice& choice) {
    const double value = modelDeltaT(t, choice.model);
    return choice.ndotCorrected ? value + correctionToDe431(t, choice.model) : value;
}

std::string_view deltaTModelName(DeltaTModel model) {
    switch (model) {
    case DeltaTModel::smh2016:
        return "smh2016";
    case DeltaTModel::em2006:
        return "em2006";
    case DeltaTModel::smh2020:
        break;
    }
    return "smh2020";
}

std::optional<DeltaTModel> parseDeltaTModel(std::string_view name) {
    for (const DeltaTModel model :
         {DeltaTModel::smh2020, DeltaTModel::smh2016, DeltaTModel::em2006})
        if (deltaTModelName(model) == name)
            return model;
    return std::nullopt;
}

std::string_view deltaTModelReference(DeltaTModel model) {
    switch (model) {
    case DeltaTModel::smh2016:
        return "Stephenson, Morrison & Hohenkerk 2016, Proc. R. Soc. A 472, 20160404";
    case DeltaTModel::em2006:
        return "Espenak & Meeus 2006, Five Millennium Canon of Solar Eclipses, NASA/TP-2006-214141";
    case DeltaTModel::smh2020:
        break;
    }
    return "Stephenson, Morrison & Hohenkerk 2016, Proc. R. Soc. A 472, 20160404, as updated by "
           "Morrison et al. 2021, Proc. R. Soc. A 477, 20200776";
}

} // namespace vesk
