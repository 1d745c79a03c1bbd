// SPDX-License-Identifier: GPL-3.0-or-later
// The gazetteer's modern places as a compact binary index, kept as a per-user cache beside the
// list it was made from, so that a command asking for one place reads a few kilobytes of a
// memory-mapped file instead of parsing the 7 MB list.
//
// The file (little-endian): the 8 bytes "VESKGX01"; the size (uint64) and time of change
// (int64, nanoseconds) of the cities, regions and countries files it was made from, and a 64-bit
// FNV-1a hash of their bytes; the numbers of places, names and notes and the bytes of the text
// pool (uint32 each); then the places (80 bytes each: longitude, latitude, height or NaN
// (float64), population (int64), and the name, Japanese name, country code, country name,
// region and time zone as (offset, length) uint32 pairs into the pool); the names (12 bytes
// each: the folded name's offset and length, the place), sorted by name then place; the notes
// (20 bytes each: the line, the text's offset and length, and the offset and length of the line's
// folded names, one per line of text); and the pool. Every count, offset and value is checked
// against the file before any of it is used.
#pragma once

#include "gazetteer.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// What a list file was when an index was made of it: its size and time of change.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t changedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// The cities, regions and countries files an index is made from, and the hash of their bytes.
struct GazetteerSources {
    std::array<std::filesystem::path, 3> files;
    std::array<FileStamp, 3> stamps{};
    std::uint64_t hash = 0;
};

// A note about a line of the cities file, with the folded names of the line (a query is told
// only the notes of lines with a name it begins).
struct IndexedNote {
    int line = 0;
    std::string text;
    std::vector<std::string> names;
};

// The whole index file of the places (with their names as the gazetteer indexes them) and notes.
std::string encodeGazetteerIndex(const Gazetteer& cities, const std::vector<IndexedNote>& notes,
                                 const GazetteerSources& sources);

// The stamps and hash an index file was made with; nothing when it has no such header.
std::optional<GazetteerSources> indexSources(std::string_view bytes);

// The places of an index file: all of them with all their names, or those with a name beginning
// with key (folded) with those names (the names a lookup of key reads), appended to g, and the
// notes of their lines (of all lines without a key). False, and why, when the bytes are not
// such a file; g and notes are then unchanged.
bool readGazetteerIndex(std::string_view bytes, std::optional<std::string_view> key, Gazetteer& g,
                        std::vector<IndexedNote>& notes, std::string& why);

// The stamps of the three files (missing ones: zero) and, when withHash, the hash of their bytes.
GazetteerSources gazetteerSources(const std::array<std::filesystem::path, 3>& files, bool withHash);

// The cache file of the index of a cities file in cacheDir.
std::filesystem::path gazetteerIndexPath(const std::filesystem::path& cacheDir,
                                         const std::filesystem::path& cities);

} // namespace vesk
