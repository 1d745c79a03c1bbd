// SPDX-License-Identifier: GPL-3.0-or-later
#include "gazetteer_index.h"

#include "printable_text.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <unordered_map>

namespace vesk {

namespace {

constexpr std::string_view indexMagic = "VESKGX01";
constexpr std::size_t stampBytes = 16, headerBytes = 8 + 3 * stampBytes + 8 + 4 * 4;
constexpr std::size_t placeTexts = 6, placeBytes = 32 + placeTexts * 8, nameBytes = 12,
                      noteBytes = 20;
// A place's height beyond this (metres) is none: GeoNames' own bound.
constexpr double highestPlace = 10000;
constexpr long long mostInhabitants = 10'000'000'000;
// FNV-1a, 64 bits: its offset basis and prime.
constexpr std::uint64_t fnvBasis = 0xcbf29ce484222325, fnvPrime = 0x100000001b3;

// The FNV-1a hash carried on over more bytes.
std::uint64_t fnvOver(std::uint64_t hash, std::string_view bytes) {
    for (const char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * fnvPrime;
    return hash;
}

template <typename T> void put(std::string& out, T value) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out.append(bytes, sizeof(T));
}

template <typename T> T get(std::string_view bytes, std::size_t at) {
    T value;
    std::memcpy(&value, bytes.data() + at, sizeof(T));
    return value;
}

// The pool's text of an (offset, length) pair at `at`, or nothing when it lies outside the pool.
std::optional<std::string_view> poolText(std::string_view bytes, std::size_t at,
                                         std::string_view pool) {
    const auto offset = get<std::uint32_t>(bytes, at), length = get<std::uint32_t>(bytes, at + 4);
    if (offset > pool.size() || length > pool.size() - offset)
        return std::nullopt;
    return pool.substr(offset, length);
}

// Writes a text into the pool and its (offset, length) into the table.
void putText(std::string& table, std::string& pool, std::string_view text) {
    put<std::uint32_t>(table, static_cast<std::uint32_t>(pool.size()));
    put<std::uint32_t>(table, static_cast<std::uint32_t>(text.size()));
    pool += text;
}

// The parts of a file whose header has been read.
struct IndexLayout {
    std::uint32_t places = 0, names = 0, notes = 0;
    std::string_view placeTable, nameTable, noteTable, pool;
};

std::optional<IndexLayout> layoutOf(std::string_view bytes, std::string& why) {
    if (bytes.size() < headerBytes || bytes.substr(0, indexMagic.size()) != indexMagic) {
        why = "not a gazetteer index";
        return std::nullopt;
    }
    constexpr std::size_t counts = headerBytes - 16;
    IndexLayout l;
    l.places = get<std::uint32_t>(bytes, counts);
    l.names = get<std::uint32_t>(bytes, counts + 4);
    l.notes = get<std::uint32_t>(bytes, counts + 8);
    const std::uint64_t poolBytes = get<std::uint32_t>(bytes, counts + 12);
    const std::uint64_t wanted = headerBytes + std::uint64_t{l.places} * placeBytes +
                                 std::uint64_t{l.names} * nameBytes +
                                 std::uint64_t{l.notes} * noteBytes + poolBytes;
    if (wanted != bytes.size()) {
        why = "its tables and text need " + std::to_string(wanted) + " bytes, the file has " +
              std::to_string(bytes.size());
        return std::nullopt;
    }
    std::size_t at = headerBytes;
    const auto take = [&](std::size_t size) {
        const std::string_view part = bytes.substr(at, size);
        at += size;
        return part;
    };
    l.placeTable = take(std::size_t{l.places} * placeBytes);
    l.nameTable = take(std::size_t{l.names} * nameBytes);
    l.noteTable = take(std::size_t{l.notes} * noteBytes);
    l.pool = take(poolBytes);
    return l;
}

// Whether each zone named is one of the system's, asked once a zone.
using KnownZones = std::unordered_map<std::string, bool>;

// The place of row i of the table, or why it is not one.
std::optional<GazetteerPlace> placeAt(const IndexLayout& l, std::size_t i, KnownZones& zones,
                                      std::string& why) {
    const std::size_t at = i * placeBytes;
    GazetteerPlace p;
    p.lon = get<double>(l.placeTable, at);
    p.lat = get<double>(l.placeTable, at + 8);
    const double height = get<double>(l.placeTable, at + 16);
    p.population = get<long long>(l.placeTable, at + 24);
    if (!(std::fabs(p.lon) <= 180 && std::fabs(p.lat) <= 90) ||
        !(std::isnan(height) || std::fabs(height) < highestPlace) || p.population < 0 ||
        p.population > mostInhabitants) {
        why = "place " + std::to_string(i) + " has values no place has";
        return std::nullopt;
    }
    if (!std::isnan(height))
        p.height = height;
    std::string* texts[placeTexts] = {&p.name,        &p.japaneseName, &p.country,
                                      &p.countryName, &p.region,       &p.zone};
    for (std::size_t k = 0; k < placeTexts; ++k) {
        const std::optional<std::string_view> text =
            poolText(l.placeTable, at + 32 + 8 * k, l.pool);
        if (!text) {
            why = "place " + std::to_string(i) + " names text beyond the pool";
            return std::nullopt;
        }
        *texts[k] = printableText(*text);
    }
    const auto [known, added] = zones.try_emplace(p.zone, false);
    if (added)
        known->second = !p.zone.empty() && isSystemZoneName(p.zone);
    if (!known->second)
        p.zone.clear();
    return p;
}

// Whether every name of the table lies within the pool, names a place of the table and follows
// the one before it (the order the search by a name's beginning relies on).
bool namesValid(const IndexLayout& l, std::string& why) {
    std::string_view previous;
    std::uint32_t previousPlace = 0;
    for (std::size_t i = 0; i < l.names; ++i) {
        const std::optional<std::string_view> name = poolText(l.nameTable, i * nameBytes, l.pool);
        const auto place = get<std::uint32_t>(l.nameTable, i * nameBytes + 8);
        if (!name || place >= l.places ||
            (i > 0 && std::pair(*name, place) <= std::pair(previous, previousPlace))) {
            why = "name " + std::to_string(i) + " is out of the pool, of no place or out of order";
            return false;
        }
        previous = *name;
        previousPlace = place;
    }
    return true;
}

// The note of row i, or why it is not one.
std::optional<IndexedNote> noteAt(const IndexLayout& l, std::size_t i, std::string& why) {
    const std::size_t at = i * noteBytes;
    const std::optional<std::string_view> text = poolText(l.noteTable, at + 4, l.pool);
    const std::optional<std::string_view> names = poolText(l.noteTable, at + 12, l.pool);
    if (!text || !names) {
        why = "note " + std::to_string(i) + " names text beyond the pool";
        return std::nullopt;
    }
    IndexedNote note{
        static_cast<int>(get<std::uint32_t>(l.noteTable, at)), printableText(*text), {}};
    for (std::size_t start = 0; start < names->size();) {
        const std::size_t end = std::min(names->size(), names->find('\n', start));
        note.names.emplace_back(names->substr(start, end - start));
        start = end + 1;
    }
    return note;
}

// The rows of the name table whose names begin with key (all of them without a key).
std::pair<std::size_t, std::size_t> nameRows(const IndexLayout& l,
                                             std::optional<std::string_view> key) {
    if (!key)
        return {0, l.names};
    const auto nameOf = [&](std::size_t i) {
        return *poolText(l.nameTable, i * nameBytes, l.pool);
    };
    std::size_t lo = 0, hi = l.names;
    while (lo < hi) { // the first name not below key
        const std::size_t mid = lo + (hi - lo) / 2;
        if (nameOf(mid) < *key)
            lo = mid + 1;
        else
            hi = mid;
    }
    std::size_t last = lo;
    while (last < l.names && nameOf(last).starts_with(*key))
        ++last;
    return {lo, last};
}

} // namespace

std::string encodeGazetteerIndex(const Gazetteer& cities, const std::vector<IndexedNote>& notes,
                                 const GazetteerSources& sources) {
    std::string places, names, noteTable, pool;
    for (const GazetteerPlace& p : cities.places) {
        put(places, p.lon);
        put(places, p.lat);
        put(places, p.height.value_or(std::numeric_limits<double>::quiet_NaN()));
        put<long long>(places, p.population);
        for (const std::string* text :
             {&p.name, &p.japaneseName, &p.country, &p.countryName, &p.region, &p.zone})
            putText(places, pool, *text);
    }
    for (const auto& [name, place] : cities.names) {
        putText(names, pool, name);
        put<std::uint32_t>(names, place);
    }
    for (const IndexedNote& note : notes) {
        put<std::uint32_t>(noteTable, static_cast<std::uint32_t>(note.line));
        putText(noteTable, pool, note.text);
        std::string joined;
        for (const std::string& name : note.names)
            joined += (joined.empty() ? "" : "\n") + name;
        putText(noteTable, pool, joined);
    }
    std::string out(indexMagic);
    for (const FileStamp& stamp : sources.stamps) {
        put(out, stamp.size);
        put(out, stamp.changedNs);
    }
    put(out, sources.hash);
    for (const std::size_t count :
         {cities.places.size(), cities.names.size(), notes.size(), pool.size()})
        put<std::uint32_t>(out, static_cast<std::uint32_t>(count));
    return out + places + names + noteTable + pool;
}

std::optional<GazetteerSources> indexSources(std::string_view bytes) {
    if (bytes.size() < headerBytes || bytes.substr(0, indexMagic.size()) != indexMagic)
        return std::nullopt;
    GazetteerSources sources;
    for (std::size_t i = 0; i < sources.stamps.size(); ++i)
        sources.stamps[i] = {get<std::uint64_t>(bytes, 8 + i * stampBytes),
                             get<std::int64_t>(bytes, 16 + i * stampBytes)};
    sources.hash = get<std::uint64_t>(bytes, 8 + 3 * stampBytes);
    return sources;
}

bool readGazetteerIndex(std::string_view bytes, std::optional<std::string_view> key, Gazetteer& g,
                        std::vector<IndexedNote>& notes, std::string& why) {
    const std::optional<IndexLayout> l = layoutOf(bytes, why);
    if (!l || !namesValid(*l, why))
        return false;
    const auto [first, last] = nameRows(*l, key);
    // the places named there, each once, in the order of the table
    std::vector<std::uint32_t> chosen;
    for (std::size_t i = first; i < last; ++i)
        chosen.push_back(get<std::uint32_t>(l->nameTable, i * nameBytes + 8));
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    Gazetteer read;
    KnownZones zones;
    for (const std::uint32_t place : chosen) {
        std::optional<GazetteerPlace> p = placeAt(*l, place, zones, why);
        if (!p)
            return false;
        read.places.push_back(std::move(*p));
    }
    const auto base = static_cast<std::uint32_t>(g.places.size());
    for (std::size_t i = first; i < last; ++i) {
        const auto place = get<std::uint32_t>(l->nameTable, i * nameBytes + 8);
        const auto at = std::lower_bound(chosen.begin(), chosen.end(), place) - chosen.begin();
        read.names.emplace_back(*poolText(l->nameTable, i * nameBytes, l->pool),
                                base + static_cast<std::uint32_t>(at));
    }
    std::vector<IndexedNote> told;
    for (std::size_t i = 0; i < l->notes; ++i) {
        std::optional<IndexedNote> note = noteAt(*l, i, why);
        if (!note)
            return false;
        if (!key || std::any_of(note->names.begin(), note->names.end(),
                                [&](const std::string& n) { return n.starts_with(*key); }))
            told.push_back(std::move(*note));
    }
    std::move(read.places.begin(), read.places.end(), std::back_inserter(g.places));
    std::move(read.names.begin(), read.names.end(), std::back_inserter(g.names));
    std::move(told.begin(), told.end(), std::back_inserter(notes));
    return true;
}

GazetteerSources gazetteerSources(const std::array<std::filesystem::path, 3>& files,
                                  bool withHash) {
    GazetteerSources sources{files};
    std::uint64_t hash = fnvBasis;
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::error_code error;
        const auto size = std::filesystem::file_size(files[i], error);
        const auto changed = std::filesystem::last_write_time(files[i], error);
        if (!error)
            sources.stamps[i] = {size, static_cast<std::int64_t>(
                                           std::chrono::duration_cast<std::chrono::nanoseconds>(
                                               changed.time_since_epoch())
                                               .count())};
        std::ifstream in(files[i], std::ios::binary);
        char buffer[1 << 16];
        while (withHash && in) {
            in.read(buffer, sizeof buffer);
            hash = fnvOver(hash, {buffer, static_cast<std::size_t>(in.gcount())});
        }
    }
    sources.hash = withHash ? hash : 0;
    return sources;
}

std::filesystem::path gazetteerIndexPath(const std::filesystem::path& cacheDir,
                                         const std::filesystem::path& cities) {
    const std::uint64_t hash =
        fnvOver(fnvBasis, std::filesystem::absolute(cities).lexically_normal().string());
    char name[48];
    std::snprintf(name, sizeof name, "gazetteer-%016llx.idx",
                  static_cast<unsigned long long>(hash));
    return cacheDir / name;
}

} // namespace vesk
