#include "sun_position.h"

#include "angles.h"
#include "timescales.h"

#include <cmath>

namespace vesk {

namespace {

// Altitude reported when the formula has no real solution.
constexpr double impossibleAltitude = -50;

double reduce360(double x) {
    return x - 360 * std::floor(x / 360);
}

} // namespace

double localJulianDate(double year, double month, double day, double h, double /*latitude*/,
                       double lonWest) {
    if (month < 3) {
        year -= 1;
        month += 12;
    }
    double j = std::floor(365.25 * year) + std::floor(30.59 * (month - 2)) + day + h / 24 +
               lonWest / 360 + 1721086.5;
    if (j > 2299161)
        j += std::floor(year / 400) - std::floor(year / 100) + 2;
    return j;
}

double localSiderealHours(double /*jd*/, double t, double lonWest) {
    const double theta0 =
        280.46061837 + 13185000.770053742 * t + 0.000387933 * t * t - t * t * t / 38710000;
    double hours = (theta0 - lonWest) / 15;
    hours -= 24 * std::floor(hours / 24);
    if (hours < 0)
        hours += 24;
    return hours;
}

void sunApparentPosition(double t, double& longitude, double& latitude, double& rightAscension,
                         double& declination) {
    const double l0 = reduce360(280.46645 + 36000.76983 * t + 0.0003032 * t * t);
    const double m =
        reduce360(357.5291 + 35999.0503 * t - 0.0001559 * t * t - 0.00000048 * t * t * t) *
        degToRad;
    const double c = (1.9146 - 0.004817 * t - 0.000014 * t * t) * std::sin(m) +
                     (0.019993 - 0.000101 * t) * std::sin(2 * m) + 0.00029 * std::sin(3 * m);
    const double omega = (125.04 - 1934.136 * t) * degToRad;
    longitude = l0 + c - 0.00569 - 0.00478 * std::sin(omega);
    latitude = 0;
    const double epsilon =
        (23.43929111 - 0.013004167 * t - 0.000000164 * t * t + 0.00256 * std::cos(omega)) *
        degToRad;
    const double lambda = longitude * degToRad;
    rightAscension = std::atan2(std::cos(epsilon) * std::sin(lambda), std::cos(lambda)) * radToDeg;
    if (rightAscension < 0)
        rightAscension += 360;
    declination = std::asin(std::sin(epsilon) * std::sin(lambda)) * radToDeg;
}

void sunAltAz(const EclipseState& s, double t, double deltaT, double& altitude, double& azimuth) {
    const EclipseRecord& r = *s.record;
    const double h = r.t0 + t - deltaT / 3600 - s.obsLonWest / 15;
    // t0 counts hours from midnight of the TT date of greatest eclipse: that date, not the UT
    // date (which differs from it by Delta T), is the day h belongs to.
    double year = 0, month = 0, day = 0, hour = 0;
    jdToCalendar(r.jdTT, 0, 0, year, month, day, hour);
    const double jd = localJulianDate(year, month, day, h, s.obsLat, s.obsLonWest);
    const double centuries = (jd - 2451545) / 36525;
    double longitude = 0, latitude = 0, ra = 0, dec = 0;
    sunApparentPosition(centuries, longitude, latitude, ra, dec);
    const double theta = localSiderealHours(jd, centuries, s.obsLonWest);
    const double hourAngle = (15 * theta - ra) * degToRad;
    const double phi = s.obsLat * degToRad;
    const double delta = dec * degToRad;
    const double sinAlt =
        std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::cos(hourAngle);
    altitude = std::fabs(sinAlt) > 1 ? impossibleAltitude : std::asin(sinAlt) * radToDeg;
    azimuth = std::atan2(std::sin(hourAngle),
                         std::cos(hourAngle) * std::sin(phi) - std::tan(delta) * std::cos(phi)) *
                  radToDeg +
              180;
}

} // namespace vesk
