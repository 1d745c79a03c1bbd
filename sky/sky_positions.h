// SPDX-License-Identifier: GPL-3.0-or-later
// Where the Sun, the five naked-eye planets and the bright stars stand in the sky at a Julian
// date: a mean-element theory of the planets (elements of the Explanatory Supplement 1961 and
// Meeus, Astronomical Algorithms 1st ed., with tabulated perturbations of Jupiter and Saturn), a
// mean-element Sun, the IAU 1976 precession of the stars from J2000 with proper motion, the
// IAU 2000A nutation (ERFA), the IAU 2006 obliquity and sidereal time, and the coordinate
// conversions. Angles are degrees at every interface; no Delta T is applied.
#pragma once

#include <array>
#include <string>

namespace vesk {

struct BodyPosition {
    double longitude = 0, latitude = 0; // geocentric ecliptic, degrees
    double semidiameter = 0;            // degrees
    double x = 0, y = 0, z = 0;         // Sun: geocentric; planet: heliocentric ecliptic, AU
    double distance = 0;                // Sun: R; planet: geocentric distance, AU
    double magnitude = 0;               // the Sun's is -10
    double ra = 0, dec = 0;             // of date, degrees
};

struct StarEntry {
    const char* name;   // null ends the catalogue; " " for an unnamed star
    double ra, dec;     // J2000, packed hh.mmss and +-dd.mmss
    double pmRa, pmDec; // seconds of time and arc seconds per year
    double magnitude;
};

enum PlanetType { mercury = 1, venus = 2, mars = 4, jupiter = 5, saturn = 6 };

// Rows 0..5 are the Sun and the planets (placeholders), 6..97 stars, then the end row.
extern const std::array<StarEntry, 99> skyCatalogue;

// The perturbation tables of Jupiter and Saturn: 37 x 37 whole numbers each (row k, column j
// for the arguments 10 k and 10 j degrees), in hundredths of a degree (thousandths of an AU for
// the semi-major axis of Saturn).
using PerturbationTable = std::array<std::array<double, 37>, 37>;
struct PerturbationTables {
    PerturbationTable jupiterL, jupiterP, jupiterE, saturnL, saturnP, saturnE, saturnA;
};
extern const PerturbationTables perturbationTables;
// All zero: the mean elements alone (to measure what the tables bring).
extern const PerturbationTables noPerturbations;

BodyPosition planetPosition(int type, double jd,
                            const PerturbationTables& tables = perturbationTables);

// The elements of a planet's orbit at a date (degrees, AU), perturbations applied.
struct OrbitalElements {
    double meanLongitude = 0, perihelion = 0, eccentricity = 0, semiMajorAxis = 0;
    double node = 0, inclination = 0;
};
OrbitalElements planetElements(int type, double jd, const PerturbationTables& tables);

// The heliocentric place on that orbit: longitude (degrees), radius (AU), rectangular x, y, z.
struct HeliocentricPlace {
    double longitude = 0, radius = 0, x = 0, y = 0, z = 0;
};
HeliocentricPlace heliocentricPlace(const OrbitalElements& elements);
BodyPosition sunPosition(double jd);

// Right ascension and declination, degrees.
struct Equatorial {
    double ra = 0, dec = 0;
};
double raFromPacked(double x);
double decFromPacked(double x);

double trueObliquity(double jd); // degrees
Equatorial eclipticToEquatorial(double jd, double lon, double lat);
// Azimuth from south, positive towards west (-180..180), and altitude, degrees.
struct SouthAzimuthPlace {
    double azimuth = 0, altitude = 0;
};
// A place from its local hour angle (degrees, west of the meridian) and declination (J. Meeus,
// Astronomical Algorithms, 2nd ed., eqs. 13.5 and 13.6).
SouthAzimuthPlace hourAngleToHorizontal(double hourAngle, double dec, double lat);
// Nutation in longitude and in obliquity, radians (IAU 2000A through ERFA).
struct Nutation {
    double dpsi = 0, deps = 0;
};
Nutation nutationAngles(double jd, double offsetDays);
// yyyy.mmdd into its whole part and the next two pairs of digits.
struct PackedParts {
    double whole = 0, first = 0, second = 0;
};
PackedParts splitPacked(double x);

double reduceModulo(double x, double b);
double interpolateGrid10(const PerturbationTable& table, double a1, double a2);
double roundTo2(double x);
double roundTo3(double x);

// The arguments of the perturbation tables at a Julian date (degrees): A1 column, A2 row.
struct PerturbationArguments {
    double a1 = 0, a2 = 0;
};
PerturbationArguments perturbationArguments(double jd);

} // namespace vesk
