// The shadow geometry of the current eclipse: its Besselian elements evaluated at an instant,
// the observer's geocentric place, and what the observer sees (position relative to the
// shadow axis, magnitude, contacts and the local maximum).
//
// Time t is hours from the record's t0 in TT; the UT clock time is t0 + t - deltaT / 3600.
// Formulae after the Explanatory Supplement to the Astronomical Ephemeris (1961), ch. 9, and
// J. Meeus, Elements of Solar Eclipses 1951-2200 (1989).
#pragma once

#include "catalog.h"
#include "view_state.h"

namespace vesk {

// The Earth's ellipsoid: squared eccentricity, 1 - e^2, axis ratio and equatorial radius.
constexpr double earthE2 = 0.006694385;
constexpr double earthOneMinusE2 = 0.993305615;
constexpr double earthAxisRatio = 0.99664719;
constexpr double earthRadiusMetres = 6378140;

// rho sin phi' and rho cos phi' of a place at geodetic latitude lat (degrees) and height
// (metres), in equatorial radii of the Earth (J. Meeus, Astronomical Algorithms, 2nd ed., ch. 11).
struct GeocentricPlace {
    double rhoSinPhi = 0, rhoCosPhi = 0;
};
GeocentricPlace geocentricPlace(double lat, double height);
// Degrees of Earth rotation per second of Delta T: 1.00273791 turns a day, the sidereal rate
// that the catalog's hour angle mu is made with (360 * 1.00273791 / 86400).
constexpr double hourAngleRatePerSecond = 0.00417807462;

struct EclipseState {
    const EclipseRecord* record = nullptr; // the current catalog entry

    // Summary of the current eclipse.
    double day = 0, typeCode = 0, magnitude = 0, jd = 0, saros = 0, t0 = 0;
    double deltaT = 0, deltaTHours = 0;
    double curveTime = 0;
    double localMaxTime = 0, localMagnitude = 0, localSunAlt = 0;
    int localCentral = 0;
    // Greatest eclipse and the contacts with the Earth, as the map composition finds them.
    double greatestLon = 0, greatestLat = 0, greatestR = 0, centralDuration = 0, pathWidth = 0;
    double firstContactTime = 0, lastContactTime = 0;
    double umbraFirstTime = 0, umbraFirstLon = 0, umbraFirstLat = 0;
    double umbraLastTime = 0, umbraLastLon = 0, umbraLastLat = 0;

    // Elements at the instant of the last evaluateElements.
    double x = 0, y = 0, d = 0, mu = 0, l1 = 0, l2 = 0; // d in radians, mu in degrees
    double xRate = 0, yRate = 0, dRate = 0, muRate = 0, l1Rate = 0, l2Rate = 0;
    double sinD = 0, cosD = 0, rho1 = 0, rho2 = 0, invRho1 = 0, rho1Rho2 = 0;
    double sinD1 = 0, cosD1 = 0, sinD2 = 0, cosD2 = 0, sinD1MinusD2 = 0, cosD1MinusD2 = 0;
    double aPrimePen = 0, aPrimeUmb = 0, bPrime = 0, cPrimePen = 0, cPrimeUmb = 0;
    double bPrimeRate = 0, cPrimePenRate = 0, cPrimeUmbRate = 0, nPen = 0, nUmb = 0;

    // Observer (longitude positive west).
    double obsLonWest = 0, obsLat = 0, obsHeight = 0, homeLonWest = 0, homeLat = 0;
    double rhoSinPhi = 0, rhoCosPhi = 0;

    // The observer at the instant of the last observeAt.
    double hourAngle = 0, u = 0, v = 0, a = 0, b = 0, n = 0, obsL1 = 0, obsL2 = 0;
    double contactPA = 0, sunAltRad = 0, zenithPA = 0, vertexAngle = 0, diameterRatio = 0;
    double axisDistance = 0;

    // Outputs of the path tracers: the Sun's altitude at the last point (degrees) and the
    // path direction and umbral radius at the last central-line point.
    double pointSunAlt = 0, pathSlope = 0, pathSin = 0, pathCos = 0, pathL2 = 0;

    int status = 0; // 1 found, -1 no such point or contact
};

// Copies the line-1 values of the current record into the summary.
void loadEclipseSummary(EclipseState& state);

// The elements, their rates and the derived shadow quantities at t.
void evaluateElements(EclipseState& state, double t);

// The observer of the view (east longitude, latitude, height in metres) as the home place.
void setObserver(EclipseState& state, const ViewState& view);

// Moves the observer back to the home place (the geocentric coordinates are kept).
void restoreObserver(EclipseState& state);

// The observer relative to the shadow at t; deltaT in seconds.
void observeAt(EclipseState& state, double t, double deltaT);

// Magnitude (L1 - m) / (L1 + L2) and the Sun's altitude (degrees) at t.
void localMagnitudeAt(EclipseState& state, double t, double deltaT, double& magnitude,
                      double& altitude);

// Contacts of the penumbra (first or last) and the umbra (second or third) for the observer:
// sign -1 for the one before the maximum, +1 for the one after, starting from t. Sets status -1
// and leaves the outputs untouched when there is no such contact.
void penumbralContact(EclipseState& state, double t, double deltaT, int sign, double& time,
                      double& altitude);
void umbralContact(EclipseState& state, double t, double deltaT, int sign, double& time,
                   double& altitude);

// The local maximum from t for the home observer: its time, the Sun's altitude (degrees), the
// magnitude and central = 1 inside the umbra or antumbra. Status -1 if it does not converge.
void localMaximum(EclipseState& state, double t, double deltaT, double& time, double& altitude,
                  double& magnitude, int& central);

// The Sun's altitude of the last observeAt, in degrees.
double observedSunAltitude(const EclipseState& state);

} // namespace vesk
