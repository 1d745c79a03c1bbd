// SPDX-License-Identifier: GPL-3.0-or-later
#include "ephemeris.h"

#include <swephexp.h>

#include <cmath>
#include <stdexcept>

namespace vesk::catalog {

namespace {

// Calls swe_calc and refuses anything but the Swiss Ephemeris files.
void computeBody(double jdTT, int body, int flags, double (&out)[6]) {
    char error[AS_MAXCH] = "";
    const int wanted = SEFLG_SWIEPH | flags;
    const int result = swe_calc(jdTT, body, wanted, out, error);
    if (result < 0)
        throw std::runtime_error("ephemeris error at JD " + std::to_string(jdTT) + ": " + error);
    if ((result & SEFLG_SWIEPH) == 0)
        throw std::runtime_error("ephemeris files not used at JD " + std::to_string(jdTT) +
                                 " (the library fell back to another theory): " + error);
}

double wrap180(double degrees) {
    degrees = std::fmod(degrees, 360.0);
    if (degrees > 180)
        degrees -= 360;
    if (degrees <= -180)
        degrees += 360;
    return degrees;
}

// Newton iterations of the conjunction search and the step below which it has converged.
constexpr int conjunctionIterations = 20;
constexpr double conjunctionTolerance = 1e-8; // days

} // namespace

Ephemeris::Ephemeris(const std::string& epheDir) {
    swe_set_ephe_path(epheDir.c_str());
    // Sidereal time is wanted for UT = TT: the library's own Delta T must not enter it.
    swe_set_delta_t_userdef(0);
}

Ephemeris::~Ephemeris() {
    swe_close();
}

SunMoonPlaces Ephemeris::placesAt(double jdTT) const {
    SunMoonPlaces places;
    double out[6];
    computeBody(jdTT, SE_SUN, SEFLG_EQUATORIAL, out);
    places.sun = {out[0], out[1], out[2]};
    computeBody(jdTT, SE_MOON, SEFLG_EQUATORIAL, out);
    places.moon = {out[0], out[1], out[2]};
    computeBody(jdTT, SE_ECL_NUT, 0, out);
    const double trueObliquity = out[0];
    const double nutationLongitude = out[2];
    places.siderealDeg = swe_sidtime0(jdTT, trueObliquity, nutationLongitude) * 15;
    return places;
}

std::array<EquatorialPlace, 6> Ephemeris::solarSystemAt(double jdTT) const {
    std::array<EquatorialPlace, 6> places;
    const int bodies[6] = {SE_SUN, SE_MERCURY, SE_VENUS, SE_MARS, SE_JUPITER, SE_SATURN};
    double out[6];
    for (std::size_t i = 0; i < places.size(); ++i) {
        computeBody(jdTT, bodies[i], SEFLG_EQUATORIAL, out);
        places[i] = {out[0], out[1], out[2]};
    }
    return places;
}

Conjunction Ephemeris::conjunctionNear(double jdGuess) const {
    double jd = jdGuess;
    double moon[6];
    double sun[6];
    for (int i = 0; i < conjunctionIterations; ++i) {
        computeBody(jd, SE_MOON, SEFLG_SPEED, moon);
        computeBody(jd, SE_SUN, SEFLG_SPEED, sun);
        const double step = wrap180(moon[0] - sun[0]) / (moon[3] - sun[3]);
        jd -= step;
        if (std::fabs(step) < conjunctionTolerance) {
            computeBody(jd, SE_MOON, 0, moon);
            return {jd, moon[1]};
        }
    }
    throw std::runtime_error("conjunction search did not converge near JD " +
                             std::to_string(jdGuess));
}

} // namespace vesk::catalog
