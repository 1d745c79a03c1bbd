// SPDX-License-Identifier: GPL-3.0-or-later
// The planet file "ecplanets.dat" in any bytes: read whole, and searched by a Julian date taken
// from the input, without a crash; what is found has the values of a planet's place.
#include "fuzz_support.h"
#include "planet_places.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

using namespace vesk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    decodePlanetPlaces(std::string(reinterpret_cast<const char*>(data), size));
    fuzzing::writeScratchFile(planetPlaceFileName, data, size);
    double jd = 2451545;
    if (size >= 24)
        std::memcpy(&jd, data + 16, sizeof jd);
    const auto found = findPlanetPlaces(fuzzing::scratchDir() / planetPlaceFileName, jd);
    if (found)
        for (const PlanetMotion& p : found->planets)
            if (!(std::fabs(p.dec) <= 90 && std::fabs(p.raFromSun) <= 180))
                std::abort();
    return 0;
}
