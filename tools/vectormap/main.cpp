// SPDX-License-Identifier: GPL-3.0-or-later
// vesk-make-vectormap: the sixteen coast, river and boundary files of the base map, in the
// compressed binary segment format of the CIA World Data Bank II, from GSHHG.
//
//   vesk-make-vectormap --out DIR
//
// Runs GMT (packages gmt and gmt-gshhg-high) to dump the high-resolution shorelines
// (gmt coast -Dh -W -M), rivers (-Ia) and political boundaries (-Na) as line segments, sorts
// each segment by its first point into the five continents of the files (Asia with Oceania,
// Europe, Africa, North America, South America with Antarctica), and encodes it: a 16-byte
// header with the origin in arc-seconds, then one token per point (a 16-bit word for small
// steps, two words otherwise). Steps are cut so that no longitude step reaches 100 arc-seconds,
// the largest the reader takes on the Mercator map. The rank of a segment comes from its GSHHG
// level: ocean shores, double-lined and major rivers and national borders are ranks 1 and 2,
// lakes' islands, minor and intermittent rivers, state and maritime boundaries 3 and more.
#include "tool_main.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct Point {
    long lon, lat; // arc-seconds
};

struct Segment {
    std::vector<Point> points;
    int rank = 1;
};

enum Kind { coast, river, border };

// Longest step of one token, arc-seconds, and the most tokens in one segment (so that its
// stroke bytes fit a 16-bit count).
constexpr long maxLonStep = 99, maxLatStep = 16000;
constexpr std::size_t maxTokens = 8000;

void put16(std::vector<std::uint8_t>& b, int v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xff));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}

void put32(std::vector<std::uint8_t>& b, long v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xff));
}

void set32(std::vector<std::uint8_t>& b, std::size_t at, long v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xff);
}

// One step as a token: a short word for dlon in -64..63 and dlat in -128..127 (bit 14 set),
// else a long pair of words (bit 14 clear; negative values lose bit 14, the reader restores it).
void putToken(std::vector<std::uint8_t>& b, long dlon, long dlat) {
    if (dlon >= -64 && dlon <= 63 && dlat >= -128 && dlat <= 127) {
        int word =
            0x4000 | ((static_cast<int>(dlon) & 0x3f) << 8) | (static_cast<int>(dlat) & 0xff);
        if (dlon < 0)
            word |= 0x8000;
        put16(b, word);
        return;
    }
    const auto longWord = [](long v) {
        return v < 0 ? static_cast<int>(v) & ~0x4000 & 0xffff : static_cast<int>(v);
    };
    put16(b, longWord(dlon));
    put16(b, longWord(dlat));
}

// The steps between two points, cut to the largest token steps.
std::vector<Point> steps(Point from, Point to) {
    const long dlon = to.lon - from.lon, dlat = to.lat - from.lat;
    const long pieces = std::max({1L, (std::labs(dlon) + maxLonStep - 1) / maxLonStep,
                                  (std::labs(dlat) + maxLatStep - 1) / maxLatStep});
    std::vector<Point> result;
    Point last = from;
    for (long i = 1; i <= pieces; ++i) {
        const Point next{from.lon + dlon * i / pieces, from.lat + dlat * i / pieces};
        result.push_back({next.lon - last.lon, next.lat - last.lat});
        last = next;
    }
    return result;
}

// Encodes the segments of one file: header, segments, directory.
std::vector<std::uint8_t> encodeFile(const std::vector<Segment>& segments) {
    std::vector<std::uint8_t> bytes(40, 0);
    struct Entry {
        long offset;
        int strokeBytes, rank;
    };
    std::vector<Entry> directory;
    std::size_t maxWords = 0;
    for (const Segment& segment : segments) {
        std::vector<Point> tokens;
        for (std::size_t i = 1; i < segment.points.size(); ++i)
            for (const Point& step : steps(segment.points[i - 1], segment.points[i]))
                tokens.push_back(step);
        Point origin = segment.points.front();
        for (std::size_t start = 0; start == 0 || start < tokens.size(); start += maxTokens) {
            const std::size_t count = std::min(maxTokens, tokens.size() - start);
            std::vector<std::uint8_t> strokes;
            for (std::size_t i = start; i < start + count; ++i)
                putToken(strokes, tokens[i].lon, tokens[i].lat);
            directory.push_back(
                {static_cast<long>(bytes.size()), static_cast<int>(strokes.size()), segment.rank});
            put32(bytes, origin.lon);
            put32(bytes, origin.lat);
            put32(bytes, 0);
            put16(bytes, static_cast<int>(count));
            put16(bytes, 0);
            bytes.insert(bytes.end(), strokes.begin(), strokes.end());
            maxWords = std::max(maxWords, strokes.size() / 2);
            for (std::size_t i = start; i < start + count; ++i)
                origin = {origin.lon + tokens[i].lon, origin.lat + tokens[i].lat};
            if (tokens.empty())
                break;
        }
    }
    const long directoryOffset = static_cast<long>(bytes.size());
    for (const Entry& entry : directory) {
        bytes.insert(bytes.end(), 20, 0);
        put32(bytes, entry.offset);
        put16(bytes, entry.strokeBytes);
        put16(bytes, entry.rank);
    }
    set32(bytes, 4, directoryOffset);
    set32(bytes, 8, static_cast<long>(directory.size()));
    set32(bytes, 12, static_cast<long>(directory.size() * 28));
    set32(bytes, 16, static_cast<long>(maxWords));
    return bytes;
}

// The continent of a point (degrees) as the file prefix.
std::string continent(double lon, double lat) {
    if (lat < -60)
        return "sa";
    if (lon < -30)
        return lat > 15 || (lat > 7 && lon < -77) ? "na" : "sa";
    if (lon < 60 && lat > 35 && !(lon > 45 && lat < 45))
        return "eu";
    if (lon < 52 && lat <= 35 && !(lon > 34 && lat > 12))
        return "af";
    return "as";
}

int rankOf(Kind kind, int level) {
    switch (kind) {
    case coast:
        return level <= 2 ? level : 3;
    case river:
        return level <= 2 ? level : level <= 4 ? 3 : 4;
    case border:
        return level == 1 ? 1 : 3;
    }
    return 3;
}

// The segments of one GMT dump, each with its level from the "> ... Level n" header.
std::vector<std::pair<Segment, int>> readGmt(const std::string& option) {
    const std::string command = "gmt coast -Rd -Dh " + option + " -M --GMT_HISTORY=false";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe)
        throw std::runtime_error("cannot run " + command);
    std::vector<std::pair<Segment, int>> segments;
    char line[256];
    while (std::fgets(line, sizeof line, pipe.get())) {
        if (line[0] == '>') {
            const char* level = std::strstr(line, "Level");
            segments.push_back({Segment{}, level ? std::atoi(level + 5) : 1});
            continue;
        }
        double lon = 0, lat = 0;
        if (segments.empty() || std::sscanf(line, "%lf %lf", &lon, &lat) != 2)
            continue;
        segments.back().first.points.push_back({std::lround(lon * 3600), std::lround(lat * 3600)});
    }
    if (segments.empty())
        throw std::runtime_error("no segments from " + command +
                                 " (are gmt and gmt-gshhg-high "
                                 "installed?)");
    return segments;
}

// Joins segments that continue one another (GMT cuts every line at the edges of its bins), so
// that lines run on across the cuts.
std::vector<std::pair<Segment, int>> joinSegments(std::vector<std::pair<Segment, int>> pieces) {
    std::map<std::tuple<long, long, int>, std::size_t> byStart;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const auto& points = pieces[i].first.points;
        if (!points.empty())
            byStart.emplace(std::tuple{points.front().lon, points.front().lat, pieces[i].second},
                            i);
    }
    std::vector<bool> used(pieces.size(), false);
    std::vector<std::pair<Segment, int>> joined;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (used[i] || pieces[i].first.points.empty())
            continue;
        used[i] = true;
        std::pair<Segment, int> line = std::move(pieces[i]);
        while (true) {
            const Point end = line.first.points.back();
            const auto next = byStart.find({end.lon, end.lat, line.second});
            if (next == byStart.end() || used[next->second])
                break;
            used[next->second] = true;
            auto& more = pieces[next->second].first.points;
            line.first.points.insert(line.first.points.end(), more.begin() + 1, more.end());
        }
        joined.push_back(std::move(line));
    }
    return joined;
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    vesk::tools::writeFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
    return vesk::tools::runTool("vesk-make-vectormap", [&] {
        if (argc != 3 || std::string(argv[1]) != "--out")
            throw vesk::tools::UsageError("usage: vesk-make-vectormap --out DIR");
        const std::string out = argv[2];
        std::map<std::string, std::vector<Segment>> files;
        for (const auto& [kind, option, suffix] :
             {std::tuple{coast, "-W", "_cil"}, {river, "-Ia", "_riv"}, {border, "-Na", "_bdy"}}) {
            for (auto& [segment, level] : joinSegments(readGmt(option))) {
                if (segment.points.size() < 2)
                    continue;
                const Point& first = segment.points.front();
                const std::string prefix = continent(first.lon / 3600.0, first.lat / 3600.0);
                segment.rank = rankOf(kind, level);
                std::string name = prefix + suffix;
                if (kind == border && level == 2 && prefix == "na")
                    name = "na_pby"; // states and provinces of North America
                files[name].push_back(std::move(segment));
            }
        }
        for (const char* name :
             {"as_cil", "eu_cil", "af_cil", "na_cil", "sa_cil", "sa_riv", "as_riv", "eu_riv",
              "af_riv", "na_riv", "as_bdy", "eu_bdy", "af_bdy", "na_bdy", "na_pby", "sa_bdy"})
            writeFile(out + "/" + name + ".cbd", encodeFile(files[name]));
        return 0;
    });
}
