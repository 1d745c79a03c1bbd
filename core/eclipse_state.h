// SPDX-License-Identifier: GPL-3.0-or-later
// The shadow geometry of the current eclipse: its Besselian elements evaluated at an instant,
// the observer's geocentric place, and what the observer sees (position relative to the
// shadow axis, magnitude, contacts and the local maximum).
//
// Time t is hours from the record's t0 in TT; the UT clock time is t0 + t - deltaT / 3600.
// Formulae after the Explanatory Supplement to the Astronomical Ephemeris (1961), ch. 9, and
// J. Meeus, Elements of Solar Eclipses 1951-2200 (1989).
#pragma once

#include "catalog.h"
#include "shadow_elements.h"
#include "view_state.h"

namespace vesk {

// rho sin phi' and rho cos phi' of a place at geodetic latitude lat (degrees) and height
// (metres), in equatorial radii of the Earth (J. Meeus, Astronomical Algorithms, 2nd ed., ch. 11).
struct GeocentricPlace {
    double rhoSinPhi = 0, rhoCosPhi = 0;
};
GeocentricPlace geocentricPlace(double lat, double height);

// The shadow at the instant of the last evaluateElements (its base), the observer and what the
// observer sees.
struct EclipseState : ShadowElements {
    const EclipseRecord* record = nullptr; // the current catalog entry

    // Summary of the current eclipse.
    double day = 0, typeCode = 0, magnitude = 0, jd = 0, saros = 0, t0 = 0;
    double deltaT = 0, deltaTHours = 0;
    double localMaxTime = 0, localMagnitude = 0, localSunAlt = 0;
    int localCentral = 0;

    // Observer (longitude positive west).
    double obsLonWest = 0, obsLat = 0, obsHeight = 0, homeLonWest = 0, homeLat = 0;
    double rhoSinPhi = 0, rhoCosPhi = 0;

    // The observer at the instant of the last observeAt.
    double hourAngle = 0, u = 0, v = 0, a = 0, b = 0, n = 0, obsL1 = 0, obsL2 = 0;
    double contactPA = 0, sunAltRad = 0, zenithPA = 0, vertexAngle = 0, diameterRatio = 0;
    double axisDistance = 0;

    int status = 0; // 1 found, -1 no such point or contact
};

// The Delta T (seconds) of an eclipse as the view shows it: the model's at greatest eclipse
// (recordDeltaT) and the user's adjustment, or the Delta T the user gave.
double viewDeltaT(const EclipseRecord& record, const ViewState& view);

// Copies the line-1 values of the current record into the summary.
void loadEclipseSummary(EclipseState& state);

// A state of its own for an eclipse record and Delta T (seconds), its observer at a place at sea
// level (east longitude, latitude in degrees).
EclipseState eclipseStateAt(const EclipseRecord& record, double deltaT, double lonEast, double lat);

// Makes the elements of the current record at t the state's shadow.
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
