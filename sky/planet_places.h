// SPDX-License-Identifier: GPL-3.0-or-later
// The apparent places of the five naked-eye planets at each eclipse of the catalog, from JPL
// DE431 through the Swiss Ephemeris: written by vesk-make-catalog beside the catalog files as
// "ecplanets.dat", read by the sky chart at the instant of the local maximum.
//
// The file: the 8 bytes "VESKPL01", the number of records (little-endian uint32) and 4 bytes of
// nothing, then one record of 88 bytes per eclipse in the order of their TT Julian dates: the
// TT Julian date of greatest eclipse (float64) and, for Mercury, Venus, Mars, Jupiter and Saturn
// in turn, the right ascension less the Sun's, the declination (degrees) and their rates
// (degrees per hour), four float32, at the hour t0 of the catalog entry. Places are apparent,
// geocentric and of date.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

constexpr const char* planetPlaceFileName = "ecplanets.dat";
constexpr int planetCount = 5; // Mercury, Venus, Mars, Jupiter, Saturn

struct PlanetMotion {
    float raFromSun = 0, dec = 0;         // degrees
    float raFromSunRate = 0, decRate = 0; // degrees per hour
};

struct EclipsePlanets {
    double jdTT = 0; // greatest eclipse, as the catalog entry gives it
    std::array<PlanetMotion, planetCount> planets{};
};

// The whole file for the records (in the order given).
std::string encodePlanetPlaces(const std::vector<EclipsePlanets>& records);

// The records of a whole file; nullopt when the bytes are not such a file or a record holds
// values no planet has.
std::optional<std::vector<EclipsePlanets>> decodePlanetPlaces(const std::string& bytes);

// Why a file is not a planet file (its header or size), or empty when it is one.
std::string planetFileRefusal(const std::filesystem::path& file);

// The record of the eclipse whose greatest eclipse lies within a minute of jdTT, found by a
// binary search in the file; nullopt when the file is missing, not such a file, or holds no
// such eclipse (or one with values no planet has).
std::optional<EclipsePlanets> findPlanetPlaces(const std::filesystem::path& file, double jdTT);

} // namespace vesk
