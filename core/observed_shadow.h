// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's shadow as an observer on the Earth sees it: where the observer stands relative to
// the shadow axis at an instant, the magnitude there, the contacts of the penumbra and the umbra,
// and the local maximum.
//
// Time t is hours from the record's t0 in TT; the UT clock time is t0 + t - deltaT / 3600, deltaT
// in seconds. Formulae after the Explanatory Supplement to the Astronomical Ephemeris (1961),
// ch. 9, and J. Meeus, Elements of Solar Eclipses 1951-2200 (1989).
#pragma once

#include "catalog.h"
#include "shadow_elements.h"

#include <optional>

namespace vesk {

// rho sin phi' and rho cos phi' of a place at geodetic latitude lat (degrees) and height
// (metres), in equatorial radii of the Earth (J. Meeus, Astronomical Algorithms, 2nd ed., ch. 11).
struct GeocentricPlace {
    double rhoSinPhi = 0, rhoCosPhi = 0;
};
GeocentricPlace geocentricPlace(double lat, double height);

// A place on the Earth: east longitude and geodetic latitude (degrees), height (metres) and its
// geocentric coordinates, computed once.
struct Observer {
    double lonEast = 0, lat = 0, height = 0;
    GeocentricPlace geocentric;
};
Observer observerAt(double lonEast, double lat, double height = 0);

// The observer in the shadow at one instant.
struct ObservedShadow {
    double t = 0;               // hours from t0, TT
    double hourAngle = 0;       // of the shadow axis at the observer, radians
    double u = 0, v = 0;        // the axis from the observer on the fundamental plane, Earth radii
    double zeta = 0;            // the observer's height above the fundamental plane, Earth radii
    double a = 0, b = 0, n = 0; // the rates of u and v per hour, and n = sqrt(a^2 + b^2)
    double l1 = 0, l2 = 0;      // radii of the penumbra and the umbra in the observer's plane
    double axisDistance = 0;    // sqrt(u^2 + v^2)
    // Position angle of the Moon's centre from the Sun's (degrees from north through east; turned
    // by 180 at the inner contacts of a total eclipse, where the contact is on the far limb), the
    // zenith's position angle and the vertex angle P - Z (degrees, 0 to 360).
    double positionAngle = 0, zenithAngle = 0, vertexAngle = 0;
    double sunAltitude = 0;   // degrees, from the elements (no refraction)
    double diameterRatio = 0; // (L1 - L2) / (L1 + L2): the Moon's diameter over the Sun's

    // (L1 - distance) / (L1 + L2): the fraction of the Sun's diameter covered (negative outside
    // the penumbra).
    double magnitude() const { return (l1 - axisDistance) / (l1 + l2); }
    // The fraction of the Sun's disk that the Moon covers (0 to 1), both smooth disks, the Moon
    // of the inner contacts' radius k2 (see sunMoonDisks).
    double obscuration() const;
    // Inside the umbra or the antumbra.
    bool central() const;
};

// The Sun's and the Moon's disks as the observer sees them, in units of the observer's plane (an
// angle times the factor that maps the plane onto the sky): the penumbra's radius is the sum of
// the radii, the umbra's their difference, L1 = S + M k1/k2 and L2 = S - M, and the axis
// distance is the centres' separation.
struct SunMoonDisks {
    double sun = 0, moon = 0, separation = 0;
};
SunMoonDisks sunMoonDisks(const ObservedShadow& shadow);

// The fraction of a disk of radius sun covered by a disk of radius moon whose centre lies
// separation from it: the area of the lens of the two circles over pi sun^2 (0 to 1).
double coveredFraction(double sun, double moon, double separation);

// The observer relative to the shadow of record at t.
ObservedShadow observeShadow(const EclipseRecord& record, const Observer& observer, double t,
                             double deltaT);

// Which contact of a pair: the one before the maximum or the one after.
enum class ContactSide { before = -1, after = 1 };

// A contact of the penumbra (first or fourth) or the umbra (second or third), iterated from t; none
// when the observer's track misses that shadow or the iteration does not converge.
std::optional<ObservedShadow> penumbralContact(const EclipseRecord& record,
                                               const Observer& observer, double t, double deltaT,
                                               ContactSide side);
std::optional<ObservedShadow> umbralContact(const EclipseRecord& record, const Observer& observer,
                                            double t, double deltaT, ContactSide side);

// The local maximum (the observer nearest the axis) iterated from t; none when the iteration does
// not converge. The observer may be outside the penumbra there (magnitude below 0).
std::optional<ObservedShadow> localMaximum(const EclipseRecord& record, const Observer& observer,
                                           double t, double deltaT);

} // namespace vesk
