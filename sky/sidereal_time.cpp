// SPDX-License-Identifier: GPL-3.0-or-later
#include "sidereal_time.h"

#include "angles.h"

#include <cmath>
#include <erfa.h>
#include <erfam.h>

namespace vesk {

namespace {

// The span of IAU 2006/2000A: 1850 January 1 and 2050 January 1, 0h.
constexpr double iau2006First = 2396758.5;
constexpr double iau2006Last = 2469807.5;
// The long-term sidereal time less IAU 2006's at either end of the span, degrees.
constexpr double longTermOffsetBefore = 0.000378172;
constexpr double longTermOffsetAfter = 0.001385646;
// The Earth's mean longitude on the J2000 ecliptic (degrees at J2000, arcseconds in Julian
// millennia of TT): Simon et al. (1994).
constexpr double earthLongitudeJ2000 = 100.46645683;
constexpr double earthLongitudeRate[3] = {1295977422.83429, -2.04411, -0.00523};
// The obliquity of the J2000 ecliptic (IAU 2006), arcseconds.
constexpr double obliquityJ2000 = 84381.406;
// The light time over one astronomical unit, days, and the tropical year, days.
constexpr double lightTimePerAu = ERFA_AULT / ERFA_DAYSEC;
constexpr double tropicalYear = 365.2425;

// The long-term mean sidereal time less the hour of the day, degrees: the Earth's mean longitude
// moved to the ecliptic of date.
double meanEquinoxLongitude(double jdTT) {
    const double t = (jdTT - ERFA_DJ00) / ERFA_DJM;
    const double arcseconds =
        (earthLongitudeRate[0] + (earthLongitudeRate[1] + earthLongitudeRate[2] * t) * t) * t;
    const double longitude =
        (earthLongitudeJ2000 + arcseconds / 3600 - lightTimePerAu * 360 / tropicalYear) * degToRad;
    const double obliquity = obliquityJ2000 * ERFA_DAS2R;
    double onEquator[3] = {std::cos(longitude), std::sin(longitude) * std::cos(obliquity),
                           std::sin(longitude) * std::sin(obliquity)};
    double toEclipticOfDate[3][3], ofDate[3];
    eraLtecm(eraEpj(jdTT, 0), toEclipticOfDate);
    eraRxp(toEclipticOfDate, onEquator, ofDate);
    return std::atan2(ofDate[1], ofDate[0]) * radToDeg;
}

} // namespace

double catalogSiderealTime(double jdTT) {
    if (jdTT > iau2006First && jdTT < iau2006Last)
        return eraGst06a(jdTT, 0, jdTT, 0) * radToDeg;
    double longitudeNutation = 0, obliquityNutation = 0;
    eraNut06a(jdTT, 0, &longitudeNutation, &obliquityNutation);
    const double trueObliquity = eraObl06(jdTT, 0) + obliquityNutation;
    const double equationOfEquinoxes = longitudeNutation * std::cos(trueObliquity) * radToDeg;
    const double hourOfDay = std::fmod(jdTT - 0.5, 1.0) * 360;
    const double offset = jdTT <= iau2006First ? longTermOffsetBefore : longTermOffsetAfter;
    return degreesWithinTurn(meanEquinoxLongitude(jdTT) + equationOfEquinoxes + hourOfDay - offset);
}

} // namespace vesk
