// SPDX-License-Identifier: GPL-3.0-or-later
#include "sky_at_maximum.h"

#include "angles.h"
#include "sidereal_time.h"
#include "sky_positions.h"
#include "sun_position.h"

#include <cmath>
#include <erfa.h>
#include <erfam.h>
#include <limits>

namespace vesk {

namespace {

constexpr PlanetType planetTypes[planetCount] = {mercury, venus, mars, jupiter, saturn};
constexpr double sunMagnitude = -6; // the size the chart gives the Sun's disc
// The new Moon shows no lit face: it has no magnitude (the chart draws it dark).
constexpr double moonMagnitude = std::numeric_limits<double>::quiet_NaN();

// Right ascension and declination (degrees) of a vector given on the fundamental plane (x east,
// y north, z along the shadow axis towards the Sun at right ascension a and declination d).
std::pair<double, double> equatorialOf(double x, double y, double z, double a, double d) {
    const double sinA = std::sin(a * degToRad), cosA = std::cos(a * degToRad);
    const double sinD = std::sin(d * degToRad), cosD = std::cos(d * degToRad);
    const double v[3] = {-x * sinA - y * sinD * cosA + z * cosD * cosA,
                         x * cosA - y * sinD * sinA + z * cosD * sinA, y * cosD + z * sinD};
    return {degreesWithinTurn(std::atan2(v[1], v[0]) * radToDeg),
            std::atan2(v[2], std::hypot(v[0], v[1])) * radToDeg};
}

// The place of a body of right ascension ra and declination dec for an observer whose local
// sidereal time is the shadow axis's hour angle there plus its right ascension.
HorizontalPlace placeOf(double ra, double dec, double axisHourAngle, double axisRa, double lat,
                        double magnitude) {
    const SouthAzimuthPlace seen = hourAngleToHorizontal(axisHourAngle + axisRa - ra, dec, lat);
    return {seen.azimuth, seen.altitude, magnitude, ra, dec};
}

} // namespace

double shadowAxisRightAscension(const EclipseRecord& record, double t) {
    const double jdTT = jdOfElementHours(record.jdTT, record.t0 + t);
    return degreesWithinTurn(catalogSiderealTime(jdTT) - evaluateElements(record, t).mu);
}

LongTermPrecession::LongTermPrecession(double jdTT) : jdTT(jdTT) {
    eraLtp(eraEpj(jdTT, 0), matrix);
}

std::pair<double, double> starPlaceOfDate(const StarEntry& star,
                                          const LongTermPrecession& precession) {
    const double jdTT = precession.jdTT;
    const double ra = raFromPacked(star.ra) * degToRad, dec = decFromPacked(star.dec) * degToRad;
    double raMoved = ra, decMoved = dec, pmRa = 0, pmDec = 0, parallax = 0, velocity = 0;
    // without a parallax: eraPmsafe takes one that keeps the star slower than light
    eraPmsafe(ra, dec, star.pmRa * 15 / 3600 * degToRad, star.pmDec / 3600 * degToRad, 0, 0,
              ERFA_DJ00, 0, jdTT, 0, &raMoved, &decMoved, &pmRa, &pmDec, &parallax, &velocity);
    double j2000[3], ofDate[3];
    eraS2c(raMoved, decMoved, j2000);
    // ERFA takes its matrices unqualified; eraRxp only reads this one
    eraRxp(const_cast<double(*)[3]>(precession.matrix), j2000, ofDate);
    double raOfDate = 0, decOfDate = 0;
    eraC2s(ofDate, &raOfDate, &decOfDate);
    return {eraAnp(raOfDate) * radToDeg, decOfDate * radToDeg};
}

EclipseSky eclipseSky(const EclipseRecord& record, const Observer& observer, double t,
                      double deltaT, const std::optional<EclipsePlanets>& places) {
    EclipseSky sky;
    const SunDirection sun = sunDirection(record, observer, t, deltaT);
    const double lat = observer.lat;
    const double axisRa = shadowAxisRightAscension(record, t);
    sky.bodies[0] = placeOf(axisRa, sun.declination, sun.hourAngle, axisRa, lat, sunMagnitude);
    // The TT instant, for the theory, the planets' brightness and the stars' places.
    const double jdTT = jdOfElementHours(record.jdTT, record.t0 + t);
    const BodyPosition theorySun = sunPosition(jdTT);
    sky.planetsFromEphemeris = places.has_value();
    for (int i = 0; i < planetCount; ++i) {
        const BodyPosition theory = planetPosition(planetTypes[i], jdTT);
        double raFromSun = theory.ra - theorySun.ra, dec = theory.dec;
        if (places) {
            const PlanetMotion& p = places->planets[static_cast<std::size_t>(i)];
            raFromSun = p.raFromSun + p.raFromSunRate * t;
            dec = p.dec + p.decRate * t;
        }
        sky.bodies[static_cast<std::size_t>(i) + 1] =
            placeOf(degreesWithinTurn(axisRa + raFromSun), dec, sun.hourAngle, axisRa, lat,
                    theory.magnitude);
    }
    // the Moon: geocentric from its place on the fundamental plane, seen from the observer
    const ShadowElements elements = evaluateElements(record, t);
    const ObservedShadow seen = observeShadow(record, observer, t, deltaT);
    const double z = moonHeight(record, elements);
    const auto [moonRa, moonDec] = equatorialOf(elements.x, elements.y, z, axisRa, sun.declination);
    const auto [seenRa, seenDec] =
        equatorialOf(seen.u, seen.v, z - seen.zeta, axisRa, sun.declination);
    sky.moon = placeOf(seenRa, seenDec, sun.hourAngle, axisRa, lat, moonMagnitude);
    sky.moon.ra = moonRa;
    sky.moon.dec = moonDec;
    const LongTermPrecession precession(jdTT); // one matrix for all the stars
    for (std::size_t row = sky.bodies.size(); skyCatalogue[row].name != nullptr; ++row) {
        const StarEntry& star = skyCatalogue[row];
        if (star.magnitude >= faintestStar)
            continue;
        const auto [ra, dec] = starPlaceOfDate(star, precession);
        sky.stars.push_back({row, placeOf(ra, dec, sun.hourAngle, axisRa, lat, star.magnitude)});
    }
    return sky;
}

} // namespace vesk
