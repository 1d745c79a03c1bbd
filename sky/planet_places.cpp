// SPDX-License-Identifier: GPL-3.0-or-later
#include "planet_places.h"

#include <cmath>
#include <cstring>
#include <fstream>

namespace vesk {

namespace {

constexpr char magic[8] = {'V', 'E', 'S', 'K', 'P', 'L', '0', '1'};
constexpr std::size_t headerBytes = 16;
constexpr std::size_t recordBytes = 8 + planetCount * 4 * 4;
constexpr double minuteInDays = 1.0 / 1440;

// Little-endian bytes of an unsigned integer of n bytes.
void putBytes(std::string& out, std::uint64_t value, int n) {
    for (int i = 0; i < n; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xff);
}
std::uint64_t bytesAt(const char* in, int n) {
    std::uint64_t value = 0;
    for (int i = n - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(in[i]);
    return value;
}

template <typename Float, typename Bits> Float fromBits(Bits bits) {
    Float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
template <typename Bits, typename Float> Bits toBits(Float value) {
    Bits bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

EclipsePlanets recordAt(const char* in) {
    EclipsePlanets r;
    r.jdTT = fromBits<double>(bytesAt(in, 8));
    const char* at = in + 8;
    for (PlanetMotion& p : r.planets)
        for (float* value : {&p.raFromSun, &p.dec, &p.raFromSunRate, &p.decRate}) {
            *value = fromBits<float>(static_cast<std::uint32_t>(bytesAt(at, 4)));
            at += 4;
        }
    return r;
}

// Values that a planet's place can have: a right ascension from the Sun within +-180 degrees, a
// declination within +-90 and rates below a degree an hour.
bool plausible(const EclipsePlanets& r) {
    if (!std::isfinite(r.jdTT))
        return false;
    for (const PlanetMotion& p : r.planets)
        if (!(std::fabs(p.raFromSun) <= 180 && std::fabs(p.dec) <= 90 &&
              std::fabs(p.raFromSunRate) < 1 && std::fabs(p.decRate) < 1))
            return false;
    return true;
}

// The number of records the header states, or nullopt when it is not the file's header.
std::optional<std::uint32_t> recordCount(const char* header) {
    if (std::memcmp(header, magic, sizeof magic) != 0)
        return std::nullopt;
    return static_cast<std::uint32_t>(bytesAt(header + 8, 4));
}

} // namespace

std::string encodePlanetPlaces(const std::vector<EclipsePlanets>& records) {
    std::string out(magic, sizeof magic);
    putBytes(out, records.size(), 4);
    putBytes(out, 0, 4);
    for (const EclipsePlanets& r : records) {
        putBytes(out, toBits<std::uint64_t>(r.jdTT), 8);
        for (const PlanetMotion& p : r.planets)
            for (const float value : {p.raFromSun, p.dec, p.raFromSunRate, p.decRate})
                putBytes(out, toBits<std::uint32_t>(value), 4);
    }
    return out;
}

std::optional<std::vector<EclipsePlanets>> decodePlanetPlaces(const std::string& bytes) {
    if (bytes.size() < headerBytes)
        return std::nullopt;
    const std::optional<std::uint32_t> count = recordCount(bytes.data());
    if (!count || bytes.size() != headerBytes + *count * recordBytes)
        return std::nullopt;
    std::vector<EclipsePlanets> records;
    records.reserve(*count);
    for (std::size_t i = 0; i < *count; ++i) {
        records.push_back(recordAt(bytes.data() + headerBytes + i * recordBytes));
        if (!plausible(records.back()))
            return std::nullopt;
    }
    return records;
}

namespace {

// The number of records of an open file whose header and size are a planet file's.
std::optional<std::uint32_t> fileRecordCount(std::ifstream& in, const std::filesystem::path& file) {
    char header[headerBytes];
    if (file.empty() || !in.read(header, sizeof header))
        return std::nullopt;
    const std::optional<std::uint32_t> count = recordCount(header);
    std::error_code error;
    if (!count || std::filesystem::file_size(file, error) != headerBytes + *count * recordBytes)
        return std::nullopt;
    return count;
}

} // namespace

std::string planetFileRefusal(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return fileRecordCount(in, file)
               ? ""
               : "not a file of planet places (its header or size is not one)";
}

std::optional<EclipsePlanets> findPlanetPlaces(const std::filesystem::path& file, double jdTT) {
    std::ifstream in(file, std::ios::binary);
    const std::optional<std::uint32_t> count = fileRecordCount(in, file);
    if (!count)
        return std::nullopt;
    const auto readRecord = [&](std::uint32_t i) -> std::optional<EclipsePlanets> {
        char bytes[recordBytes];
        in.seekg(static_cast<std::streamoff>(headerBytes + i * recordBytes));
        if (!in.read(bytes, sizeof bytes))
            return std::nullopt;
        return recordAt(bytes);
    };
    // the first record not before jdTT less a minute
    std::uint32_t low = 0, high = *count;
    while (low < high) {
        const std::uint32_t middle = low + (high - low) / 2;
        const std::optional<EclipsePlanets> r = readRecord(middle);
        if (!r)
            return std::nullopt;
        if (r->jdTT < jdTT - minuteInDays)
            low = middle + 1;
        else
            high = middle;
    }
    if (low == *count)
        return std::nullopt;
    std::optional<EclipsePlanets> found = readRecord(low);
    if (!found || !(std::fabs(found->jdTT - jdTT) <= minuteInDays) || !plausible(*found))
        return std::nullopt;
    return found;
}

} // namespace vesk
