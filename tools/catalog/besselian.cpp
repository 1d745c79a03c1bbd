// SPDX-License-Identifier: GPL-3.0-or-later
#include "besselian.h"

#include <cmath>
#include <numbers>

namespace vesk::catalog {

namespace {

constexpr double degree = std::numbers::pi / 180;

struct Vector {
    double x, y, z;
};

Vector toVector(const EquatorialPlace& place, double scale) {
    const double r = place.dist * scale;
    const double ra = place.ra * degree;
    const double dec = place.dec * degree;
    return {r * std::cos(dec) * std::cos(ra), r * std::cos(dec) * std::sin(ra), r * std::sin(dec)};
}

} // namespace

InstantElements besselianFromPlaces(const SunMoonPlaces& places) {
    const double auInEarthRadii = astronomicalUnitKm / earthRadiusKm;
    const Vector sun = toVector(places.sun, auInEarthRadii);
    const Vector moon = toVector(places.moon, auInEarthRadii);

    // The shadow axis runs from the Moon towards the Sun.
    const Vector g = {sun.x - moon.x, sun.y - moon.y, sun.z - moon.z};
    const double gLength = std::sqrt(g.x * g.x + g.y * g.y + g.z * g.z);
    const double a = std::atan2(g.y, g.x);
    const double d = std::asin(g.z / gLength);

    const double moonDist = places.moon.dist * auInEarthRadii;
    const double moonRa = places.moon.ra * degree;
    const double moonDec = places.moon.dec * degree;
    const double hourAngle = moonRa - a;

    InstantElements e;
    e.x = moonDist * std::cos(moonDec) * std::sin(hourAngle);
    e.y = moonDist *
          (std::sin(moonDec) * std::cos(d) - std::cos(moonDec) * std::sin(d) * std::cos(hourAngle));
    e.z = moonDist *
          (std::sin(moonDec) * std::sin(d) + std::cos(moonDec) * std::cos(d) * std::cos(hourAngle));
    e.d = d / degree;
    e.mu = std::fmod(places.siderealDeg - a / degree + 720.0, 360.0);

    const double f1 = std::asin((sunRadiusEarthRadii + moonRadiusPenumbra) / gLength);
    const double f2 = std::asin((sunRadiusEarthRadii - moonRadiusUmbra) / gLength);
    e.tanF1 = std::tan(f1);
    e.tanF2 = std::tan(f2);
    e.l1 = e.z * e.tanF1 + moonRadiusPenumbra / std::cos(f1);
    e.l2 = e.z * e.tanF2 - moonRadiusUmbra / std::cos(f2);
    return e;
}

} // namespace vesk::catalog
