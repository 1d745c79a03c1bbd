// SPDX-License-Identifier: GPL-3.0-or-later
#include "timescales.h"

#include "angles.h"
#include "delta_t_spline.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace vesk {

namespace {

// Day number at which the Gregorian calendar takes over (1582 October 15).
constexpr double gregorianStart = 2299161.0;
// Julian date of day 0 of year 0 in the day count of calendarToJd.
constexpr double dayCountOrigin = 1721086.5;

// Zone offset in hours; rounded to whole hours (half away from zero) when roundZone is 1.
double zoneOffsetHours(int roundZone, double zoneLongitude) {
    return roundZone == 1 ? zoneHours(zoneLongitude) : zoneLongitude / 15;
}

// Values of Delta T at years -800, -790, ..., -720.
constexpr std::array<double, 9> earlyTable = {21945, 21776, 21601, 21420, 21235,
                                              21043, 20830, 20605, 20371};

// Yearly values from 2019 to 2030.
constexpr std::array<double, 12> yearlyTable = {69.2202, 69.3612, 69.3593, 69.2945, 69.2038, 69.11,
                                                69.04,   69.05,   69.14,   69.34,   69.63,   69.97};

// Values at 2000, 2010, ..., 2100.
constexpr std::array<double, 11> decadeTable = {63.83, 66.07, 69.36, 69.97, 74.3, 78.3,
                                                83.3,  90.1,  98.3,  106.8, 115.0};

// Cubic spline of Delta T from -720 to 2019: t = (y - start) / (end - start),
// Delta T = a0 + a1 t + a2 t^2 + a3 t^3.
constexpr std::array<SplineRow, 58> splineTable = {{
    {-720, -100, 20371.848, -9999.586, 776.247, 409.160},
    {-100, 400, 11557.668, -5822.270, 1303.151, -503.433},
    {400, 1000, 6535.116, -5671.519, -298.291, 1085.087},
    {1000, 1150, 1650.393, -753.210, 184.811, -25.346},
    {1150, 1300, 1056.647, -459.628, 108.771, -24.641},
    {1300, 1500, 681.149, -421.345, 61.953, -29.414},
    {1500, 1600, 292.343, -192.841, -6.572, 16.197},
    {1600, 1650, 109.127, -78.697, 10.505, 3.018},
    {1650, 1720, 43.952, -68.089, 38.333, -2.127},
    {1720, 1800, 12.068, 2.507, 41.731, -37.939},
    {1800, 1810, 18.367, -3.481, -1.126, 1.918},
    {1810, 1820, 15.678, 0.021, 4.629, -3.812},
    {1820, 1830, 16.516, -2.157, -6.806, 3.250},
    {1830, 1840, 10.804, -6.018, 2.944, -0.096},
    {1840, 1850, 7.634, -0.416, 2.658, -0.539},
    {1850, 1855, 9.338, 1.642, 0.261, -0.883},
    {1855, 1860, 10.357, -0.486, -2.389, 1.558},
    {1860, 1865, 9.040, -0.591, 2.284, -2.477},
    {1865, 1870, 8.255, -3.456, -5.148, 2.720},
    {1870, 1875, 2.371, -5.593, 3.011, -0.914},
    {1875, 1880, -1.126, -2.314, 0.269, -0.039},
    {1880, 1885, -3.210, -1.893, 0.152, 0.563},
    {1885, 1890, -4.388, 0.101, 1.842, -1.438},
    {1890, 1895, -3.884, -0.531, -2.474, 1.871},
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
    {1974, 1977, 44.244, 3.199, -0.323, 0.172},
    {1977, 1980, 47.291, 3.069, 0.193, -0.192},
    {1980, 1983, 50.361, 2.878, -0.384, 0.081},
    {1983, 1986, 52.936, 2.354, -0.140, -0.165},
    {1986, 1989, 54.984, 1.577, -0.637, 0.448},
    {1989, 1992, 56.373, 1.648, 0.708, -0.276},
    {1992, 1995, 58.453, 2.235, -0.121, 0.110},
    {1995, 1998, 60.678, 2.324, 0.210, -0.313},
    {1998, 2001, 62.898, 1.804, -0.729, 0.109},
    {2001, 2004, 64.083, 0.674, -0.402, 0.199},
    {2004, 2007, 64.553, 0.466, 0.194, -0.017},
    {2007, 2010, 65.197, 0.804, 0.144, -0.084},
    {2010, 2013, 66.061, 0.839, -0.109, 0.128},
    {2013, 2016, 66.920, 1.007, 0.277, -0.095},
    {2016, 2019, 68.109, 1.277, -0.007, -0.139},
}};

double deltaTSpline(double y) {
    return splineValue(splineTable, y);
}

// Linear interpolation in a table of equally spaced values, u in table steps from its start.
template <std::size_t N> double interpolate(const std::array<double, N>& table, double u) {
    const auto i = static_cast<std::size_t>(u);
    const double f = u - static_cast<double>(i);
    if (i + 1 >= N)
        return table[N - 1];
    return table[i] + (table[i + 1] - table[i]) * f;
}

} // namespace

double deltaTParabola(double y) {
    return (y - 1820) * 32 * (y - 1820) / 10000 - 20;
}

double splineValue(std::span<const SplineRow> rows, double y) {
    const SplineRow* row = &rows.back();
    for (const SplineRow& candidate : rows) {
        if (candidate.end > y) {
            row = &candidate;
            break;
        }
    }
    const double t = (y - row->start) / (row->end - row->start);
    return row->a0 + t * (row->a1 + t * (row->a2 + t * row->a3));
}

double calendarToJd(double year, double month, double day, double hour, int roundZone,
                    double zoneLongitude) {
    if (month < 3) {
        year -= 1;
        month += 12;
    }
    const double count =
        std::floor(365.25 * year) + std::floor(30.59 * (month - 2)) + day + hour / 24;
    double jd = count - zoneOffsetHours(roundZone, zoneLongitude) / 24 + dayCountOrigin;
    if (jd > gregorianStart)
        jd += std::floor(year / 400) - std::floor(year / 100) + 2;
    return jd;
}

CalendarInstant jdToCalendar(double jd, int roundZone, double zoneLongitude) {
    const double local = jd + zoneOffsetHours(roundZone, zoneLongitude) / 24;
    const double z = std::floor(local + 0.5);
    const double f = local + 0.5 - z;
    double a = z;
    if (z >= gregorianStart) {
        const double alpha = std::trunc((z - 1867216.25) / 36524.25);
        a = z + 1 + alpha - std::trunc(alpha / 4);
    }
    const double b = a + 1524;
    const double c = std::floor((b - 122.1) / 365.25);
    const double d = std::floor(365.25 * c);
    const double e = std::trunc((b - d) / 30.6001);
    CalendarInstant date;
    date.day = std::floor(b - d - std::floor(30.6001 * e) + f);
    date.hour = f * 24;
    date.month = e < 14 ? e - 1 : e - 13;
    date.year = date.month > 2 ? c - 4716 : c - 4715;
    return date;
}

double deltaTSigma(double year) {
    constexpr double presentYear = deltaTPresentYear, measuredSigma = 0.1, medievalSigma = 20;
    const auto parabola = [](double centuries) { return 0.8 * centuries * centuries; };
    if (year < 1200)
        return parabola((year - 1820) / 100);
    if (year < 1600)
        return std::max(medievalSigma, parabola((year - 1820) / 100));
    if (year < 1900) {
        // 20 s at 1600, 5 at 1700, 1 at 1800, 0.1 at 1900, linear in the logarithm between
        const double published[] = {medievalSigma, 5, 1, measuredSigma};
        const int i = std::min(2, static_cast<int>((year - 1600) / 100));
        const double f = (year - 1600) / 100 - i;
        return published[i] * std::pow(published[i + 1] / published[i], f);
    }
    if (year <= presentYear)
        return measuredSigma;
    return measuredSigma + parabola((year - presentYear) / 100);
}

double deltaT(double t) {
    const double y = 100 * t + 2000;
    if (y <= -800)
        return deltaTParabola(y);
    if (y <= -720)
        return interpolate(earlyTable, (y + 800) / 10);
    if (y <= 2019)
        return deltaTSpline(y);
    if (y <= 2030)
        return interpolate(yearlyTable, y - 2019);
    if (y <= 2100)
        return interpolate(decadeTable, (y - 2000) / 10);
    if (y <= 3350)
        return deltaTSpline(3640 - y) - 100;
    return deltaTParabola(y);
}

bool isJulianCalendarDate(double year, double month, double day) {
    return year < 1582 || (year == 1582 && (month < 10 || (month == 10 && day < 15)));
}

std::optional<std::string> yearBeforeChrist(double year) {
    if (!(year < 1))
        return std::nullopt;
    return std::to_string(static_cast<long long>(1 - std::floor(year))) + " BC";
}

std::string calendarNote(double year, double month, double day) {
    if (const std::optional<std::string> beforeChrist = yearBeforeChrist(year))
        return " (" + *beforeChrist + ", Julian)";
    return isJulianCalendarDate(year, month, day) ? " (Julian)" : "";
}

std::optional<double> parseYear(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    const auto endsWithEra = [&text](std::string_view era) {
        if (text.size() <= era.size())
            return false;
        const std::string_view end = text.substr(text.size() - era.size());
        return std::equal(end.begin(), end.end(), era.begin(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == b;
        });
    };
    double value = 0;
    for (const std::string_view era : {"bce", "bc"}) {
        if (!endsWithEra(era))
            continue;
        std::string_view number = text.substr(0, text.size() - era.size());
        while (!number.empty() && blank(number.back()))
            number.remove_suffix(1);
        const auto [end, status] =
            std::from_chars(number.data(), number.data() + number.size(), value);
        // a whole year from 1 BC on, digits only
        if (number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos ||
            status != std::errc() || end != number.data() + number.size() || value < 1)
            return std::nullopt;
        return 1 - value;
    }
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || status != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

double zoneHours(double lonEast) {
    lonEast = foldedLongitude(lonEast);
    const double sign = lonEast < 0 ? -1.0 : 1.0;
    return sign * std::floor(std::fabs(lonEast) / 15 + 0.5);
}

ClockReading splitHours(double x) {
    ClockReading clock;
    double h = std::floor(x);
    clock.minutes = std::floor((x - h) * 60);
    clock.seconds = ((x - h) * 60 - clock.minutes) * 60;
    if (h > 23.9)
        h -= std::trunc(h / 24) * 24;
    if (h < 0)
        h += std::trunc(std::fabs(h) / 24 + 1) * 24;
    // A whole negative number of days lands on 24 above; that hour is 0 of the next day.
    if (h > 23.9)
        h -= 24;
    clock.hours = h;
    return clock;
}

namespace {

// splitHours of x rounded to whole steps of a second (stepsPerSecond of them), counted in
// steps so that no 59.99999 is left to print as 60.
ClockReading splitHoursRounded(double x, double stepsPerSecond) {
    const double stepsPerMinute = 60 * stepsPerSecond, stepsPerHour = 3600 * stepsPerSecond;
    const double steps = std::round(x * stepsPerHour);
    const double wholeHours = std::floor(steps / stepsPerHour);
    const double rest = steps - wholeHours * stepsPerHour;
    ClockReading clock;
    clock.hours = splitHours(wholeHours).hours;
    clock.minutes = std::floor(rest / stepsPerMinute);
    clock.seconds = (rest - clock.minutes * stepsPerMinute) / stepsPerSecond;
    return clock;
}

} // namespace

ClockReading splitHoursToTenths(double x) {
    return splitHoursRounded(x, 10);
}

ClockReading splitHoursToSeconds(double x) {
    return splitHoursRounded(x, 1);
}

std::string minutesAndSeconds(double seconds) {
    const long whole = std::lround(seconds);
    char text[48];
    if (whole >= 3600)
        std::snprintf(text, sizeof text, "%ld h %ld min %ld s", whole / 3600, whole / 60 % 60,
                      whole % 60);
    else if (whole >= 60)
        std::snprintf(text, sizeof text, "%ld min %ld s", whole / 60, whole % 60);
    else
        std::snprintf(text, sizeof text, "%ld s", whole);
    return text;
}

std::string hmsOfHours(double hours) {
    const long seconds = std::lround((hours - 24 * std::floor(hours / 24)) * 3600) % 86400;
    char text[16];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

} // namespace vesk
