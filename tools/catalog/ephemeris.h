// SPDX-License-Identifier: GPL-3.0-or-later
// Apparent geocentric places of the Sun and the Moon from the Swiss Ephemeris reading the
// compressed JPL DE431 files. Every call checks that the Swiss Ephemeris files were used: an
// error, or a silent fall-back to the analytical Moshier theory, throws.
#pragma once

#include <array>
#include <string>

namespace vesk::catalog {

struct EquatorialPlace {
    double ra = 0;   // apparent right ascension of date, degrees
    double dec = 0;  // apparent declination of date, degrees
    double dist = 0; // distance, astronomical units
};

struct SunMoonPlaces {
    EquatorialPlace sun, moon;
    double siderealDeg = 0; // Greenwich apparent sidereal time at UT = the TT given, degrees
};

struct Conjunction {
    double jd = 0;         // TT Julian date at which the apparent ecliptic longitudes agree
    double moonLatDeg = 0; // the Moon's apparent ecliptic latitude then, degrees
};

// One instance per thread (the library keeps its state per thread).
class Ephemeris {
  public:
    explicit Ephemeris(const std::string& epheDir);
    ~Ephemeris();
    Ephemeris(const Ephemeris&) = delete;
    Ephemeris& operator=(const Ephemeris&) = delete;

    SunMoonPlaces placesAt(double jdTT) const;

    // The apparent geocentric places of the Sun, Mercury, Venus, Mars, Jupiter and Saturn.
    std::array<EquatorialPlace, 6> solarSystemAt(double jdTT) const;

    // The conjunction in ecliptic longitude nearest the guess (Newton iteration on the
    // longitude difference; converges from guesses within about ten days).
    Conjunction conjunctionNear(double jdGuess) const;
};

} // namespace vesk::catalog
