// SPDX-License-Identifier: GPL-3.0-or-later
// The IANA time zone of a point on land, from the time zones' boundaries: timezone-boundary-
// builder's polygons of the zones that differed at any time since the database's beginnings,
// without the oceans (ODbL), made into data/timezones.dat at build time by
// tools/timezones/make_zone_table.js (which describes the file). The tree of cells is read
// once; a lookup reads only the polygons of the point's cell, and checks them (counts within the
// cell, rings closed and on the globe, zones the file names, no byte left over).
//
// Where two zones claim a point (Asia/Urumqi within Asia/Shanghai in Xinjiang), the one of
// smaller area, the more local, is taken. At sea there is no zone.
#pragma once

#include "data_paths.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// What the boundaries say of a point: its zone (none at sea), or why they cannot say (the
// polygons of its cell are damaged: "PATH: damaged: ...").
struct ZoneLookup {
    std::optional<std::string> zone;
    std::string fault;
};

class ZoneBoundaries {
  public:
    // The boundaries of the first readable, whole timezones.dat of paths; nothing when there is
    // none (each file passed over is noted in ignored).
    static std::optional<ZoneBoundaries> load(const DataPaths& paths, IgnoredFiles& ignored);

    // The zone at a point (degrees east, from -180 to 180 or beyond: folded; degrees north), or
    // nothing at sea and at the poles; on the antimeridian, the zone that holds the point from
    // either side. A cell whose polygons are damaged (each is checked when it is read) gives
    // the fault instead.
    ZoneLookup zoneAt(double lon, double lat) const;
    // Every zone that claims the point, in the data's order.
    std::vector<std::string> zonesAt(double lon, double lat) const;

  private:
    struct Zone {
        std::string name;
        double area = 0; // square degrees, longitude weighted by the cosine of latitude
    };
    struct Node {
        enum class Kind : std::uint8_t { sea, zones, polygons, quarters } kind = Kind::sea;
        std::vector<std::uint16_t> zones;     // zones: the whole cell's
        std::uint32_t offset = 0, length = 0; // polygons: where in the polygon block
        std::uint32_t firstQuarter = 0;       // quarters: the first of its four nodes
    };
    // The indices of the zones that claim a point, in the data's order, or why its cell's
    // polygons cannot tell.
    struct CellZones {
        std::vector<std::uint16_t> zones;
        std::string fault;
    };
    // The zones that claim the point; on the antimeridian those of the cells on either side.
    CellZones zoneIndicesAt(double lon, double lat) const;
    // The zones that claim the point (within the cells' edges) in its cell.
    CellZones cellZonesAt(double lon, double lat) const;
    // Reads the file's zones and tree into boundaries, checking every length against the file
    // before anything is allocated; empty, or why the file is refused.
    static std::string read(const std::filesystem::path& path, ZoneBoundaries& boundaries);
    // Reads the tree of cells (whose polygons lie within polygonBytes) into boundaries; empty, or
    // why it is refused.
    static std::string readTree(const std::string& tree, std::uint64_t polygonBytes,
                                ZoneBoundaries& boundaries);

    std::filesystem::path path;
    std::uint64_t polygonBlock = 0; // where the polygon block begins in the file
    std::vector<Zone> zones;
    std::vector<Node> nodes;
};

} // namespace vesk
