// SPDX-License-Identifier: GPL-3.0-or-later
#include "sky_at_maximum.h"

#include "sky_positions.h"
#include "sun_position.h"

#include <cmath>

namespace vesk {

namespace {

constexpr PlanetType planetTypes[planetCount] = {mercury, venus, mars, jupiter, saturn};
constexpr double sunMagnitude = -6; // the size the chart gives the Sun's disc

} // namespace

SolarSystemSky solarSystemSky(const EclipseRecord& record, const Observer& observer, double t,
                              double deltaT, const std::optional<EclipsePlanets>& places) {
    SolarSystemSky sky;
    const SunDirection sun = sunDirection(record, observer, t, deltaT);
    const double lat = observer.lat;
    HorizontalPlace& sunPlace = sky.bodies[0];
    const SouthAzimuthPlace sunSeen = hourAngleToHorizontal(sun.hourAngle, sun.declination, lat);
    sunPlace = {sunSeen.azimuth, sunSeen.altitude, sunMagnitude};
    // The TT instant, for the theory and the planets' brightness.
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
        const SouthAzimuthPlace seen = hourAngleToHorizontal(sun.hourAngle - raFromSun, dec, lat);
        sky.bodies[static_cast<std::size_t>(i) + 1] = {seen.azimuth, seen.altitude,
                                                       theory.magnitude};
    }
    return sky;
}

} // namespace vesk
