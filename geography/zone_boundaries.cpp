// SPDX-License-Identifier: GPL-3.0-or-later
#include "zone_boundaries.h"

#include "angles.h"
#include "timescales.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

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

} // namespace

std::string ZoneBoundaries::read(const std::filesystem::path& path, ZoneBoundaries& b) {
    std::ifstream in(path, std::ios::binary);
    char magic[magicBytes];
    if (!in.read(magic, magicBytes) || std::memcmp(magic, fileMagic, magicBytes) != 0)
        return "not a time zone boundary file of vesk";
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
        if (!readNumber(length))
            return "damaged: cut off in the zones";
        zone.name.resize(length);
        if (!in.read(zone.name.data(), length) || !readNumber(zone.area))
            return "damaged: cut off in the zones";
        b.zones.push_back(std::move(zone));
    }
    std::uint32_t treeBytes = 0;
    if (!readNumber(treeBytes))
        return "damaged: no tree";
    std::string tree(treeBytes, '\0');
    if (!in.read(tree.data(), treeBytes))
        return "damaged: the tree is cut off";
    b.polygonBlock = static_cast<std::uint64_t>(in.tellg());
    in.seekg(0, std::ios::end);
    const auto polygonBytes = static_cast<std::uint64_t>(in.tellg()) - b.polygonBlock;

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
    b.path = path;
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

std::vector<std::uint16_t> ZoneBoundaries::zoneIndicesAt(double lon, double lat) const {
    if (!(std::fabs(lat) < 90) || !std::isfinite(lon) || nodes.empty())
        return {};
    lon = std::clamp(foldedLongitude(lon), -edgeLon, edgeLon);
    lat = std::clamp(lat, -edgeLat, edgeLat);
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
    std::vector<std::uint16_t> found;
    if (node->kind == Node::Kind::zones)
        found = node->zones;
    if (node->kind == Node::Kind::polygons) {
        std::ifstream in(path, std::ios::binary);
        std::string bytes(node->length, '\0');
        in.seekg(static_cast<std::streamoff>(polygonBlock + node->offset));
        if (!in.read(bytes.data(), node->length))
            return {};
        ByteReader reader(bytes.data(), bytes.size());
        const double x = lon * microdegrees, y = lat * microdegrees;
        std::vector<std::int64_t> ring;
        for (std::uint64_t f = reader.varint(); f > 0 && reader.ok(); --f) {
            const std::uint64_t zone = reader.varint();
            bool inside = false;
            for (std::uint64_t p = reader.varint(); p > 0 && reader.ok(); --p) {
                bool insidePolygon = false;
                for (std::uint64_t r = reader.varint(); r > 0 && reader.ok(); --r) {
                    ring.clear();
                    std::int64_t px = 0, py = 0;
                    for (std::uint64_t k = reader.varint(); k > 0 && reader.ok(); --k) {
                        px += reader.zigzag();
                        py += reader.zigzag();
                        ring.insert(ring.end(), {px, py});
                    }
                    // the holes take their part out of the outer ring: even-odd over all rings
                    if (!ring.empty() && insideRing(ring, x, y))
                        insidePolygon = !insidePolygon;
                }
                inside = inside || insidePolygon;
            }
            if (inside && zone < zones.size() &&
                std::find(found.begin(), found.end(), zone) == found.end())
                found.push_back(static_cast<std::uint16_t>(zone));
        }
        if (!reader.ok())
            return {};
    }
    return found;
}

std::vector<std::string> ZoneBoundaries::zonesAt(double lon, double lat) const {
    std::vector<std::string> names;
    for (const std::uint16_t zone : zoneIndicesAt(lon, lat))
        names.push_back(zones[zone].name);
    return names;
}

std::optional<std::string> ZoneBoundaries::zoneAt(double lon, double lat) const {
    const std::vector<std::uint16_t> claimed = zoneIndicesAt(lon, lat);
    if (claimed.empty())
        return std::nullopt;
    return zones[*std::min_element(claimed.begin(), claimed.end(),
                                   [this](std::uint16_t a, std::uint16_t b) {
                                       return zones[a].area < zones[b].area;
                                   })]
        .name;
}

} // namespace vesk
