// SPDX-License-Identifier: GPL-3.0-or-later
#include "zone_boundaries.h"

#include "angles.h"
#include "timescales.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <span>
#include <string_view>

namespace vesk {

namespace {

constexpr const char* zoneFileName = "timezones.dat";
constexpr char fileMagic[] = "VESKTZ1\n";
constexpr std::size_t magicBytes = sizeof fileMagic - 1;
// The tree's cells stop long before this depth (a cell of 2^-40 of the world): a deeper tree is
// a damaged file.
constexpr int deepestCell = 40;
// The cells' outer edges as the tree was cut, degrees: a point beyond them is moved onto them.
constexpr double edgeLat = 89.9999, edgeLon = 179.9999;
constexpr double microdegrees = 1e6;

// A reader of little-endian numbers from a byte range that fails (and stays failed) at its end.
class ByteReader {
  public:
    ByteReader(const char* data, std::size_t size) : at(data), end(data + size) {}
    bool ok() const { return good; }
    bool atEnd() const { return at == end; }
    std::size_t left() const { return static_cast<std::size_t>(end - at); }
    // A count of items that take a byte each at least: more than the bytes left fails.
    std::uint64_t count() {
        const std::uint64_t n = varint();
        if (n > left())
            good = false;
        return good ? n : 0;
    }
    template <typename T> T number() {
        T value{};
        if (!take(sizeof(T)))
            return value;
        std::memcpy(&value, at - sizeof(T), sizeof(T));
        return value;
    }
    std::string text(std::size_t length) {
        return take(length) ? std::string(at - length, length) : std::string();
    }
    std::uint64_t varint() {
        std::uint64_t value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (!take(1))
                return 0;
            const auto byte = static_cast<unsigned char>(at[-1]);
            value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
            if (!(byte & 0x80))
                return value;
        }
        good = false;
        return 0;
    }
    std::int64_t zigzag() {
        const std::uint64_t v = varint();
        return static_cast<std::int64_t>(v >> 1) ^ -static_cast<std::int64_t>(v & 1);
    }

  private:
    bool take(std::size_t n) {
        if (!good || static_cast<std::size_t>(end - at) < n) {
            good = false;
            return false;
        }
        at += n;
        return true;
    }
    const char* at;
    const char* end;
    bool good = true;
};

// The world in millionths of a degree: a ring's point beyond it is a damaged file.
constexpr std::int64_t largestX = 180'000'000, largestY = 90'000'000;
// A ring closes on its first point: a triangle has four.
constexpr std::uint64_t fewestRingPoints = 4;

// Whether the point (x, y) lies inside a ring (even-odd rule; millionths of a degree).
bool insideRing(const std::vector<std::int64_t>& ring, double x, double y) {
    bool inside = false;
    const std::size_t n = ring.size() / 2;
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const double xi = static_cast<double>(ring[2 * i]),
                     yi = static_cast<double>(ring[2 * i + 1]);
        const double xj = static_cast<double>(ring[2 * j]),
                     yj = static_cast<double>(ring[2 * j + 1]);
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            inside = !inside;
    }
    return inside;
}

// Reads one ring's points (x, y pairs, millionths of a degree) into ring, or only checks them
// where ring is null; empty, or why they are not a ring: a point outside the world, too few
// points, or a last point that is not the first.
std::string readRing(ByteReader& reader, std::vector<std::int64_t>* ring) {
    const std::uint64_t points = reader.count();
    if (reader.ok() && points < fewestRingPoints)
        return "a ring of fewer than 4 points";
    if (ring)
        ring->clear();
    std::int64_t x = 0, y = 0, firstX = 0, firstY = 0;
    for (std::uint64_t k = 0; k < points && reader.ok(); ++k) {
        const std::int64_t dx = reader.zigzag(), dy = reader.zigzag();
        if (std::llabs(dx) > 2 * largestX || std::llabs(dy) > 2 * largestY)
            return "a point outside the world";
        x += dx;
        y += dy;
        if (std::llabs(x) > largestX || std::llabs(y) > largestY)
            return "a point outside the world";
        if (k == 0) {
            firstX = x;
            firstY = y;
        }
        if (ring)
            ring->insert(ring->end(), {x, y});
    }
    if (reader.ok() && (firstX != x || firstY != y))
        return "a ring that does not close";
    return "";
}

// Reads the polygons of a cell's bytes, handing each to take(zone, rings) (the outer ring, then
// its holes), or only checks them where take is null; empty, or why the bytes do not hold
// together: a count beyond them, a zone the file does not name, a ring that is none (readRing),
// or bytes cut off or left over.
using TakePolygon =
    std::function<void(std::uint16_t zone, std::span<const std::vector<std::int64_t>> rings)>;
std::string readCellPolygons(std::string_view bytes, std::size_t zoneCount,
                             const TakePolygon& take) {
    ByteReader reader(bytes.data(), bytes.size());
    std::vector<std::vector<std::int64_t>> rings;
    for (std::uint64_t f = reader.count(); f > 0 && reader.ok(); --f) {
        const std::uint64_t zone = reader.varint();
        if (reader.ok() && zone >= zoneCount)
            return "a zone that the file does not name";
        for (std::uint64_t p = reader.count(); p > 0 && reader.ok(); --p) {
            const std::uint64_t ringCount = reader.count();
            for (std::uint64_t r = 0; r < ringCount && reader.ok(); ++r) {
                if (take && r == rings.size())
                    rings.emplace_back();
                if (std::string fault = readRing(reader, take ? &rings[r] : nullptr);
                    !fault.empty())
                    return fault;
            }
            if (take && reader.ok())
                take(static_cast<std::uint16_t>(zone), std::span(rings.data(), ringCount));
        }
    }
    if (!reader.ok() || !reader.atEnd())
        return "cut off, or bytes left over";
    return "";
}

} // namespace

std::string ZoneBoundaries::read(const std::filesystem::path& path, ZoneBoundaries& b) {
    std::ifstream in(path, std::ios::binary);
    std::error_code error;
    const std::uintmax_t fileBytes = std::filesystem::file_size(path, error);
    char magic[magicBytes];
    if (error || !in.read(magic, magicBytes) || std::memcmp(magic, fileMagic, magicBytes) != 0)
        return "not a time zone boundary file of vesk";
    // every length is compared with the bytes the file has left before anything is allocated
    const auto bytesLeft = [&in, fileBytes] {
        const std::streamoff at = in.tellg();
        return at < 0 ? 0 : fileBytes - static_cast<std::uintmax_t>(at);
    };
    const auto readNumber = [&in](auto& value) {
        in.read(reinterpret_cast<char*>(&value), sizeof value);
        return static_cast<bool>(in);
    };
    std::uint32_t zoneCount = 0;
    if (!readNumber(zoneCount) || zoneCount == 0 || zoneCount > UINT16_MAX)
        return "damaged: no zones";
    for (std::uint32_t i = 0; i < zoneCount; ++i) {
        std::uint8_t length = 0;
        Zone zone;
        if (!readNumber(length) || length > bytesLeft())
            return "damaged: cut off in the zones";
        zone.name.resize(length);
        if (!in.read(zone.name.data(), length) || !readNumber(zone.area))
            return "damaged: cut off in the zones";
        b.zones.push_back(std::move(zone));
    }
    std::uint32_t treeBytes = 0;
    if (!readNumber(treeBytes))
        return "damaged: no tree";
    if (treeBytes > bytesLeft())
        return "damaged: the tree is longer than the file (" + std::to_string(treeBytes) +
               " bytes, " + std::to_string(bytesLeft()) + " left)";
    std::string tree(treeBytes, '\0');
    if (!in.read(tree.data(), treeBytes))
        return "damaged: the tree is cut off";
    b.polygonBlock = static_cast<std::uint64_t>(in.tellg());
    if (std::string fault = readTree(tree, bytesLeft(), b); !fault.empty())
        return fault;
    b.path = path;
    return "";
}

std::string ZoneBoundaries::readTree(const std::string& tree, std::uint64_t polygonBytes,
                                     ZoneBoundaries& b) {
    ByteReader reader(tree.data(), tree.size());
    bool fits = true;
    // reads the node at index (and the nodes below it)
    const auto readNode = [&](auto& self, std::size_t index, int depth) -> void {
        const auto kind = reader.number<std::uint8_t>();
        Node& node = b.nodes[index];
        if (kind == 1) {
            node.kind = Node::Kind::zones;
            const auto count = reader.number<std::uint16_t>();
            for (std::uint16_t i = 0; i < count && reader.ok(); ++i) {
                node.zones.push_back(reader.number<std::uint16_t>());
                fits = fits && node.zones.back() < b.zones.size();
            }
        } else if (kind == 2) {
            node.kind = Node::Kind::polygons;
            node.offset = reader.number<std::uint32_t>();
            node.length = reader.number<std::uint32_t>();
            fits = fits && static_cast<std::uint64_t>(node.offset) + node.length <= polygonBytes;
        } else if (kind == 3 && depth < deepestCell) {
            node.kind = Node::Kind::quarters;
            const auto first = static_cast<std::uint32_t>(b.nodes.size());
            node.firstQuarter = first;
            b.nodes.resize(b.nodes.size() + 4);
            for (std::uint32_t q = 0; q < 4 && reader.ok() && fits; ++q)
                self(self, first + q, depth + 1);
        } else if (kind != 0) {
            fits = false;
        }
    };
    b.nodes.resize(1);
    readNode(readNode, 0, 0);
    if (!reader.ok() || !reader.atEnd() || !fits)
        return "damaged: the tree of cells does not hold together";
    return "";
}

std::optional<ZoneBoundaries> ZoneBoundaries::load(const DataPaths& paths, IgnoredFiles& ignored) {
    std::optional<ZoneBoundaries> kept;
    const std::filesystem::path found =
        findDataFile(paths, zoneFileName, ignored, [&kept](const std::filesystem::path& path) {
            ZoneBoundaries boundaries;
            std::string refusal = read(path, boundaries);
            if (refusal.empty())
                kept = std::move(boundaries);
            return refusal;
        });
    if (found.empty())
        return std::nullopt;
    return kept;
}

ZoneBoundaries::CellZones ZoneBoundaries::zoneIndicesAt(double lon, double lat) const {
    if (!(std::fabs(lat) < 90) || !std::isfinite(lon) || nodes.empty())
        return {};
    lon = foldedLongitude(lon);
    lat = std::clamp(lat, -edgeLat, edgeLat);
    if (std::fabs(lon) < edgeLon)
        return cellZonesAt(lon, lat);
    // On the antimeridian: the zones that hold the point from either side. The cells end at
    // 179.9999 E and W, where the rings of the zones that reach it end too: the eastern edge is
    // looked at a tenth of a millionth of a degree inside, where the rings still hold it.
    constexpr double insideEastEdge = 1e-7;
    CellZones found = cellZonesAt(edgeLon - insideEastEdge, lat);
    const CellZones west = cellZonesAt(-edgeLon, lat);
    for (const std::uint16_t zone : west.zones)
        if (std::find(found.zones.begin(), found.zones.end(), zone) == found.zones.end())
            found.zones.push_back(zone);
    if (found.fault.empty())
        found.fault = west.fault;
    return found;
}

ZoneBoundaries::CellZones ZoneBoundaries::cellZonesAt(double lon, double lat) const {
    // the cell of the point, halved as the tree was cut
    double top = edgeLat, bottom = -edgeLat, left = -edgeLon, right = edgeLon;
    double middleLat = 0, middleLon = 0;
    const Node* node = &nodes[0];
    while (node->kind == Node::Kind::quarters) {
        const bool north = lat >= middleLat, east = lon >= middleLon;
        (north ? bottom : top) = middleLat;
        (east ? left : right) = middleLon;
        const std::uint32_t quarter = north ? (east ? 0 : 1) : (east ? 3 : 2);
        node = &nodes[node->firstQuarter + quarter];
        middleLat = (top + bottom) / 2;
        middleLon = (left + right) / 2;
    }
    if (node->kind != Node::Kind::polygons)
        return CellZones{node->zones, {}};
    std::ifstream in(path, std::ios::binary);
    std::string bytes(node->length, '\0');
    in.seekg(static_cast<std::streamoff>(polygonBlock + node->offset));
    const double x = lon * microdegrees, y = lat * microdegrees;
    CellZones cell;
    const auto take = [&](std::uint16_t zone, std::span<const std::vector<std::int64_t>> rings) {
        // the holes take their part out of the outer ring: even-odd over all rings
        bool inside = false;
        for (const std::vector<std::int64_t>& ring : rings)
            inside = inside != insideRing(ring, x, y);
        if (inside && std::find(cell.zones.begin(), cell.zones.end(), zone) == cell.zones.end())
            cell.zones.push_back(zone);
    };
    const std::string fault = in.read(bytes.data(), node->length)
                                  ? readCellPolygons(bytes, zones.size(), take)
                                  : "cut off";
    if (!fault.empty())
        cell = {{},
                noteName(path) + ": damaged: the polygons at byte " +
                    std::to_string(polygonBlock + node->offset) + ": " + fault};
    return cell;
}

std::vector<std::string> ZoneBoundaries::zonesAt(double lon, double lat) const {
    std::vector<std::string> names;
    for (const std::uint16_t zone : zoneIndicesAt(lon, lat).zones)
        names.push_back(zones[zone].name);
    return names;
}

ZoneLookup ZoneBoundaries::zoneAt(double lon, double lat) const {
    const CellZones claimed = zoneIndicesAt(lon, lat);
    if (claimed.zones.empty())
        return {std::nullopt, claimed.fault};
    const auto byArea = [this](std::uint16_t a, std::uint16_t b) {
        return zones[a].area < zones[b].area;
    };
    return {zones[*std::min_element(claimed.zones.begin(), claimed.zones.end(), byArea)].name, {}};
}

} // namespace vesk
