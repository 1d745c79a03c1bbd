// SPDX-License-Identifier: GPL-3.0-or-later
#include "gazetteer.h"

#include "angles.h"
#include "bounded_line.h"
#include "earth.h"
#include "gazetteer_index.h"
#include "mapped_file.h"
#include "printable_text.h"
#include "timescales.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <fstream>
#include <functional>
#include <numbers>
#include <numeric>
#include <unordered_map>

namespace vesk {

namespace {

constexpr const char* citiesFileName = "cities15000.txt";
constexpr const char* regionsFileName = "admin1Codes.txt";
constexpr const char* countriesFileName = "countryInfo.txt";
constexpr const char* historicalFileName = "historical_places.txt";
constexpr const char* packageDataDir = "/usr/share/libtimezonemap/ui";
// The longest line of the lists (the longest place line is about 9,000 bytes).
constexpr std::size_t maxGazetteerLineBytes = 1 << 16;
// The lines passed over that are named one by one; the rest are counted.
constexpr int maxLineNotes = 10;

// The fields of a place line of cities15000.txt (GeoNames' "geoname" table).
enum CityField : std::size_t {
    nameField = 1,
    asciiNameField = 2,
    alternateNamesField = 3,
    latitudeField = 4,
    longitudeField = 5,
    countryField = 8,
    regionField = 10,
    populationField = 14,
    elevationField = 15,
    terrainField = 16,
    zoneField = 17,
    cityFields = 19
};

// The fields of a line of historical_places.txt.
enum HistoricalField : std::size_t {
    siteNameField,
    siteJapaneseNameField,
    siteOtherNamesField,
    siteLatitudeField,
    siteLongitudeField,
    siteCountryField,
    siteZoneField,
    siteSuccessorField,
    siteSourceField,
    siteFields
};

// GeoNames' terrain model gives this where it has no value.
constexpr double noTerrainHeight = -9999;
// More inhabitants than any place has: a population beyond it (or below 0) is unknown.
constexpr double mostInhabitants = 1e10;
// The alternate names indexed of one place and of the whole list (GeoNames' list has at most 240
// a place and 195,000 in all); the rest are passed over with a note.
constexpr std::size_t maxNamesPerPlace = 1000;
constexpr std::size_t maxIndexedNames = 1000000;

// The letters U+00C0 to U+017F without their accents.
constexpr const char* latinFolds[] = {
    "a", "a", "a",  "a",  "a", "a", "ae", "c",  "e",  "e", "e", "e", "i",  "i",  "i", "i", "d", "n",
    "o", "o", "o",  "o",  "o", "",  "o",  "u",  "u",  "u", "u", "y", "th", "ss", "a", "a", "a", "a",
    "a", "a", "ae", "c",  "e", "e", "e",  "e",  "i",  "i", "i", "i", "d",  "n",  "o", "o", "o", "o",
    "o", "",  "o",  "u",  "u", "u", "u",  "y",  "th", "y", "a", "a", "a",  "a",  "a", "a", "c", "c",
    "c", "c", "c",  "c",  "c", "c", "d",  "d",  "d",  "d", "e", "e", "e",  "e",  "e", "e", "e", "e",
    "e", "e", "g",  "g",  "g", "g", "g",  "g",  "g",  "g", "h", "h", "h",  "h",  "i", "i", "i", "i",
    "i", "i", "i",  "i",  "i", "i", "ij", "ij", "j",  "j", "k", "k", "k",  "l",  "l", "l", "l", "l",
    "l", "l", "l",  "l",  "l", "n", "n",  "n",  "n",  "n", "n", "n", "n",  "n",  "o", "o", "o", "o",
    "o", "o", "oe", "oe", "r", "r", "r",  "r",  "r",  "r", "s", "s", "s",  "s",  "s", "s", "s", "s",
    "t", "t", "t",  "t",  "t", "t", "u",  "u",  "u",  "u", "u", "u", "u",  "u",  "u", "u", "u", "u",
    "w", "w", "y",  "y",  "y", "z", "z",  "z",  "z",  "z", "z", "s"};
constexpr char32_t firstFolded = 0xC0, lastFolded = 0x17F;
constexpr char32_t firstCombining = 0x300, lastCombining = 0x36F;

bool isKana(char32_t c) {
    return (c >= 0x3040 && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF);
}

bool isKanji(char32_t c) {
    return c >= 0x4E00 && c <= 0x9FFF;
}

// Whether every letter of a name is kana or kanji, with at least one kana (or, with kanjiEnough,
// at least one kanji).
bool isJapaneseName(std::string_view name, bool kanjiEnough) {
    bool kana = false, kanji = false;
    for (std::size_t i = 0; i < name.size();) {
        const auto [c, length] = codePointAt(name, i);
        i += length;
        if (isKana(c))
            kana = true;
        else if (isKanji(c))
            kanji = true;
        else
            return false;
    }
    return kana || (kanjiEnough && kanji);
}

std::vector<std::string_view> splitFields(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t end = line.find(separator, start);
        fields.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return fields;
        start = end + 1;
    }
}

std::optional<double> numberField(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Calls take(fields) for each line of a tab-separated file that is not a comment; false when
// the file cannot be opened.
template <typename Take> bool forEachLine(const std::filesystem::path& path, const Take& take) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string line;
    bool cut = false;
    for (int number = 1; readBoundedLine(in, line, maxGazetteerLineBytes, cut); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.front() != '#')
            take(splitFields(line, '\t'), number, cut);
    }
    return true;
}

// Names by code from a file whose lines begin CODE<tab>...: the name in field nameAt.
std::unordered_map<std::string, std::string> namesByCode(const std::filesystem::path& path,
                                                         std::size_t nameAt) {
    std::unordered_map<std::string, std::string> names;
    forEachLine(path, [&](const std::vector<std::string_view>& f, int, bool) {
        if (f.size() > nameAt)
            names.emplace(f[0], f[nameAt]);
    });
    return names;
}

std::string japaneseNameOf(std::string_view alternates, std::string_view country) {
    std::string kanji;
    for (std::string_view name : splitFields(alternates, ',')) {
        if (isJapaneseName(name, false))
            return std::string(name);
        if (kanji.empty() && country == "JP" && isJapaneseName(name, true))
            kanji = name;
    }
    return kanji;
}

// Whether zone names a time zone of the system's database; each name is looked up once.
class ZoneNames {
  public:
    bool known(std::string_view zone) {
        const auto [entry, added] = checked.try_emplace(std::string(zone), false);
        if (added)
            entry->second = isSystemZoneName(zone);
        return entry->second;
    }

  private:
    std::unordered_map<std::string, bool> checked;
};

// Country names by ISO code (countryInfo.txt).
using CountryNames = std::unordered_map<std::string, std::string>;

// The notes about the lines of a file passed over or noted: the first maxLineNotes one by one,
// then, when the notes end, how many more there were.
class LineNotes {
  public:
    LineNotes(const std::filesystem::path& file, IgnoredFiles& ignored)
        : source(noteName(file)), ignored(ignored) {}
    LineNotes(const LineNotes&) = delete;
    LineNotes& operator=(const LineNotes&) = delete;
    ~LineNotes() {
        if (given > maxLineNotes)
            ignored.push_back(source + ": " + std::to_string(given - maxLineNotes) +
                              " more lines passed over or noted");
    }
    void operator()(int number, const std::string& what) {
        if (++given <= maxLineNotes)
            ignored.push_back(source + " line " + std::to_string(number) + ": " + what);
    }

  private:
    std::string source;
    IgnoredFiles& ignored;
    int given = 0;
};

// Where a list's lines hold what every place has.
struct PlaceFields {
    std::size_t count, name, latitude, longitude, country;
};
constexpr PlaceFields cityPlaceFields{cityFields, nameField, latitudeField, longitudeField,
                                      countryField};
constexpr PlaceFields sitePlaceFields{siteFields, siteNameField, siteLatitudeField,
                                      siteLongitudeField, siteCountryField};

// The name, country and position of a line, or why it has none.
std::optional<GazetteerPlace> placeOfFields(const std::vector<std::string_view>& f,
                                            const PlaceFields& at, std::string& why) {
    if (f.size() < at.count) {
        why = "fewer than " + std::to_string(at.count) + " fields";
        return std::nullopt;
    }
    const std::optional<double> lat = numberField(f[at.latitude]);
    const std::optional<double> lon = numberField(f[at.longitude]);
    if (!lat || !lon || std::fabs(*lat) > 90 || std::fabs(*lon) > 180 || f[at.name].empty()) {
        why = "no name or no position within -180 to 180 and -90 to 90 degrees";
        return std::nullopt;
    }
    GazetteerPlace p;
    p.name = printableText(f[at.name]);
    p.country = printableText(f[at.country]);
    p.lon = *lon;
    p.lat = *lat;
    return p;
}

// The place of a line of the cities file, or why it is not one.
std::optional<GazetteerPlace> placeOfLine(const std::vector<std::string_view>& f, ZoneNames& zones,
                                          std::string& why) {
    std::optional<GazetteerPlace> place = placeOfFields(f, cityPlaceFields, why);
    if (!place)
        return std::nullopt;
    GazetteerPlace& p = *place;
    p.japaneseName = japaneseNameOf(f[alternateNamesField], f[countryField]);
    if (zones.known(f[zoneField]))
        p.zone = f[zoneField];
    else if (!f[zoneField].empty())
        why = "time zone \"" + printableText(f[zoneField]) +
              "\" is not one the system's time zone database knows; the place has no zone";
    if (const std::optional<double> population = numberField(f[populationField]);
        population && *population >= 0 && *population <= mostInhabitants)
        p.population = static_cast<long long>(*population);
    std::optional<double> height = numberField(f[elevationField]);
    if (!height)
        height = numberField(f[terrainField]);
    if (height && *height != noTerrainHeight && std::fabs(*height) < 10000)
        p.height = *height;
    return place;
}

// Adds the folded names of place index to the index, each once: its alternate names up to
// maxNamesPerPlace, and while the index holds fewer than maxIndexedNames. False when some were
// left out.
bool indexNames(Gazetteer& g, std::uint32_t index, std::initializer_list<std::string_view> names,
                std::string_view alternates) {
    std::vector<std::string> folded;
    for (std::string_view name : names)
        folded.push_back(foldName(name));
    const std::size_t room =
        std::min(maxNamesPerPlace, maxIndexedNames - std::min(maxIndexedNames, g.names.size()));
    bool complete = true;
    for (std::string_view name : splitFields(alternates, ',')) {
        if (name.empty())
            continue;
        if (folded.size() - names.size() == room) {
            complete = false;
            break;
        }
        folded.push_back(foldName(name));
    }
    std::sort(folded.begin(), folded.end());
    folded.erase(std::unique(folded.begin(), folded.end()), folded.end());
    for (std::string& name : folded)
        if (!name.empty())
            g.names.emplace_back(std::move(name), index);
    return complete;
}

// Whether one of the names, or of the comma-separated names of alternates, begins with key
// once folded.
bool anyNameStartsWith(std::initializer_list<std::string_view> names, std::string_view alternates,
                       std::string_view key) {
    const auto begins = [key](std::string_view name) {
        // an ASCII first letter folds to itself in lower case: most names are told apart there
        const auto first = static_cast<unsigned char>(name.empty() ? 0 : name[0]);
        const auto folded =
            static_cast<char>(first >= 'A' && first <= 'Z' ? first - 'A' + 'a' : first);
        if (first != 0 && first < 0x80 && !key.empty() && folded != key[0])
            return false;
        return foldName(name).starts_with(key);
    };
    if (std::any_of(names.begin(), names.end(), begins))
        return true;
    const std::vector<std::string_view> others = splitFields(alternates, ',');
    return std::any_of(others.begin(), others.end(), begins);
}

// Whether a line of the cities file has a name (main, ASCII or alternate) that begins with key.
bool hasNameStartingWith(const std::vector<std::string_view>& f, std::string_view key) {
    return f.size() > alternateNamesField &&
           anyNameStartsWith({f[nameField], f[asciiNameField]}, f[alternateNamesField], key);
}

// Told of a line of the cities file passed over or noted: its number, why, and its fields.
using CityLineNote =
    std::function<void(int number, const std::string& what, const std::vector<std::string_view>&)>;

// The places of the cities file; with a key, only those with a name beginning with it (folded),
// and the notes only of their lines.
void readPlaces(Gazetteer& g, const CountryNames& countries, std::optional<std::string_view> key,
                ZoneNames& zones, const CityLineNote& note) {
    const auto regions = namesByCode(g.source.parent_path() / regionsFileName, 1);
    forEachLine(g.source, [&](const std::vector<std::string_view>& f, int number, bool cut) {
        if (key && (cut || !hasNameStartingWith(f, *key)))
            return;
        std::string why = cut ? "longer than 65536 bytes" : "";
        std::optional<GazetteerPlace> place = cut ? std::nullopt : placeOfLine(f, zones, why);
        if (!place) {
            note(number, why + "; the line is passed over", f);
            return;
        }
        if (!why.empty())
            note(number, why, f);
        const std::string regionCode = place->country + "." + std::string(f[regionField]);
        if (const auto region = regions.find(regionCode); region != regions.end())
            place->region = printableText(region->second);
        if (const auto country = countries.find(place->country); country != countries.end())
            place->countryName = printableText(country->second);
        if (!indexNames(g, static_cast<std::uint32_t>(g.places.size()),
                        {f[nameField], f[asciiNameField]}, f[alternateNamesField]))
            note(number, "more alternate names than are indexed; the rest are passed over", f);
        g.places.push_back(std::move(*place));
    });
}

// The folded names of a line of the cities file (none of a line too short to have them).
std::vector<std::string> foldedNamesOf(const std::vector<std::string_view>& f) {
    std::vector<std::string> names;
    if (f.size() <= alternateNamesField)
        return names;
    for (const std::string_view name : {f[nameField], f[asciiNameField]})
        names.push_back(foldName(name));
    for (const std::string_view name : splitFields(f[alternateNamesField], ','))
        names.push_back(foldName(name));
    return names;
}

// The index of the cities file made again: the whole file read, the index kept in the cache
// (where it can be written: else only this run has it). Its bytes.
std::string remakeIndex(const Gazetteer& g, const CountryNames& countries,
                        const GazetteerSources& sources, const std::filesystem::path& indexPath,
                        FileSink& cacheFiles) {
    Gazetteer whole;
    whole.source = g.source;
    ZoneNames zones;
    std::vector<IndexedNote> notes;
    readPlaces(whole, countries, std::nullopt, zones,
               [&](int number, const std::string& what, const std::vector<std::string_view>& f) {
                   notes.push_back({number, what, foldedNamesOf(f)});
               });
    std::sort(whole.names.begin(), whole.names.end());
    std::string bytes = encodeGazetteerIndex(whole, notes, sources);
    cacheFiles.writeTogether({{indexPath, bytes}});
    return bytes;
}

// The places of the cities file through its index in cacheDir: read from the index when it was
// made from the files as they are now (their stamps, or where only the times differ or the
// stamps are not older than the index, their bytes), else from the index made again. A damaged
// index is passed over with a note.
void readPlacesThroughIndex(Gazetteer& g, const CountryNames& countries,
                            std::optional<std::string_view> key, const DataPaths& paths,
                            IgnoredFiles& ignored) {
    const std::filesystem::path dir = g.source.parent_path();
    const std::array<std::filesystem::path, 3> files{g.source, dir / regionsFileName,
                                                     dir / countriesFileName};
    const std::filesystem::path indexPath = gazetteerIndexPath(paths.cacheDir, g.source);
    GazetteerSources now = gazetteerSources(files, false);
    std::vector<IndexedNote> notes;
    std::string why;
    bool read = false;
    {
        const MappedFile kept(indexPath);
        const std::optional<GazetteerSources> made = indexSources(kept.bytes());
        // A list changed in the same tick of the clock as the index was made keeps its stamp:
        // one not older than the index is checked by its bytes.
        std::error_code error;
        const auto indexTime = std::filesystem::last_write_time(indexPath, error);
        const std::int64_t indexNs =
            error
                ? 0
                : std::chrono::duration_cast<std::chrono::nanoseconds>(indexTime.time_since_epoch())
                      .count();
        const bool racy = std::any_of(now.stamps.begin(), now.stamps.end(),
                                      [&](const FileStamp& s) { return s.changedNs >= indexNs; });
        bool current = made && made->stamps == now.stamps && !racy;
        const auto sizesOf = [](const GazetteerSources& s) {
            return std::array{s.stamps[0].size, s.stamps[1].size, s.stamps[2].size};
        };
        if (made && !current && sizesOf(*made) == sizesOf(now)) {
            now = gazetteerSources(files, true);
            current = made->hash == now.hash;
        }
        read = current && readGazetteerIndex(kept.bytes(), key, g, notes, why);
        if (current && !read)
            ignored.push_back(noteName(indexPath) + ": damaged (" + why + "); made again from " +
                              noteName(g.source));
    }
    if (!read) {
        if (now.hash == 0)
            now = gazetteerSources(files, true);
        const std::string bytes = remakeIndex(g, countries, now, indexPath, *paths.cacheFiles);
        readGazetteerIndex(bytes, key, g, notes, why);
    }
    LineNotes note(g.source, ignored);
    for (const IndexedNote& n : notes)
        note(n.line, n.text);
}

// The site of a line of the historical list, or why it is not one.
std::optional<GazetteerPlace> siteOfLine(const std::vector<std::string_view>& f, ZoneNames& zones,
                                         std::string& why) {
    std::optional<GazetteerPlace> site = placeOfFields(f, sitePlaceFields, why);
    if (!site)
        return std::nullopt;
    GazetteerPlace& p = *site;
    p.japaneseName = printableText(f[siteJapaneseNameField]);
    p.historical = true;
    p.successor = printableText(f[siteSuccessorField]);
    p.article = printableText(f[siteSourceField]);
    if (zones.known(f[siteZoneField]))
        p.zone = f[siteZoneField];
    else
        why = "time zone \"" + printableText(f[siteZoneField]) +
              "\" is not one the system's time zone database knows; the site has no zone";
    return site;
}

// The sites of the historical list; with a key, only those with a name beginning with it.
void readHistoricalPlaces(Gazetteer& g, const CountryNames& countries,
                          std::optional<std::string_view> key, ZoneNames& zones,
                          IgnoredFiles& ignored) {
    LineNotes note(g.historicalSource, ignored);
    forEachLine(
        g.historicalSource, [&](const std::vector<std::string_view>& f, int number, bool cut) {
            const std::string_view japanese =
                f.size() > siteJapaneseNameField ? f[siteJapaneseNameField] : "";
            const std::string_view others =
                f.size() > siteOtherNamesField ? f[siteOtherNamesField] : "";
            if (key && (cut || !anyNameStartsWith({f[siteNameField], japanese}, others, *key)))
                return;
            std::string why = cut ? "longer than 65536 bytes" : "";
            std::optional<GazetteerPlace> place = cut ? std::nullopt : siteOfLine(f, zones, why);
            if (!place) {
                note(number, why + "; the line is passed over");
                return;
            }
            if (!why.empty())
                note(number, why);
            if (const auto country = countries.find(place->country); country != countries.end())
                place->countryName = printableText(country->second);
            if (!indexNames(g, static_cast<std::uint32_t>(g.places.size()),
                            {f[siteNameField], japanese}, others))
                note(number, "more other names than are indexed; the rest are passed over");
            g.places.push_back(std::move(*place));
        });
}

// The order of place indices with the most populous first.
auto morePopulous(const Gazetteer& g) {
    return [&g](std::uint32_t a, std::uint32_t b) {
        return g.places[a].population > g.places[b].population;
    };
}

// The places of the index entries in [first, last), each once, the most populous first.
template <typename It>
std::vector<std::uint32_t> byPopulation(const Gazetteer& g, It first, It last) {
    std::vector<std::uint32_t> found;
    for (It i = first; i != last; ++i)
        found.push_back(i->second);
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    std::stable_sort(found.begin(), found.end(), morePopulous(g));
    return found;
}

// Whether a place answers to the qualifier of "NAME, QUALIFIER" (folded).
bool hasQualifier(const GazetteerPlace& p, const std::string& qualifier) {
    return qualifier.empty() || foldName(p.country) == qualifier ||
           foldName(p.countryName) == qualifier || foldName(p.region) == qualifier;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The name part of "NAME" or "NAME, QUALIFIER", folded, and the qualifier, folded.
std::pair<std::string, std::string> queryParts(std::string_view query) {
    const std::size_t comma = query.rfind(',');
    return {foldName(trimmed(query.substr(0, comma))),
            comma == std::string_view::npos ? "" : foldName(trimmed(query.substr(comma + 1)))};
}

// The gazetteer of the first cities file of paths, with only the places of names beginning with
// key when there is one.
std::optional<Gazetteer> readGazetteer(const DataPaths& paths, std::optional<std::string_view> key,
                                       IgnoredFiles& ignored) {
    Gazetteer g;
    g.source = findDataFile(paths, citiesFileName, ignored);
    g.historicalSource = findDataFile(paths, historicalFileName, ignored);
    if (g.source.empty() && g.historicalSource.empty())
        return std::nullopt;
    if (!key || !key->empty()) {
        const CountryNames countries =
            g.source.empty() ? CountryNames{}
                             : namesByCode(g.source.parent_path() / countriesFileName, 4);
        ZoneNames zones;
        if (!g.source.empty() && !paths.cacheDir.empty() && paths.cacheFiles) {
            readPlacesThroughIndex(g, countries, key, paths, ignored);
        } else if (!g.source.empty()) {
            LineNotes note(g.source, ignored);
            readPlaces(g, countries, key, zones,
                       [&](int number, const std::string& what,
                           const std::vector<std::string_view>&) { note(number, what); });
            std::sort(g.names.begin(), g.names.end());
        }
        // the historical sites' names merged into the sorted names of the modern places
        const auto modern = static_cast<std::ptrdiff_t>(g.names.size());
        if (!g.historicalSource.empty())
            readHistoricalPlaces(g, countries, key, zones, ignored);
        std::sort(g.names.begin() + modern, g.names.end());
        std::inplace_merge(g.names.begin(), g.names.begin() + modern, g.names.end());
    }
    g.byPopulation.resize(g.places.size());
    std::iota(g.byPopulation.begin(), g.byPopulation.end(), 0u);
    std::stable_sort(g.byPopulation.begin(), g.byPopulation.end(), morePopulous(g));
    return g;
}

} // namespace

DataPaths gazetteerPaths(const DataPaths& paths) {
    DataPaths searched = paths;
    searched.dirs.emplace_back(packageDataDir);
    return searched;
}

std::optional<Gazetteer> loadGazetteer(const DataPaths& paths, IgnoredFiles& ignored) {
    return readGazetteer(paths, std::nullopt, ignored);
}

std::optional<Gazetteer> loadGazetteerFor(const DataPaths& paths, std::string_view query,
                                          IgnoredFiles& ignored) {
    return readGazetteer(paths, queryParts(query).first, ignored);
}

std::string foldName(std::string_view name) {
    std::string folded;
    folded.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        const auto [c, length] = codePointAt(name, i);
        if (c < 0x80)
            folded += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        else if (c >= firstFolded && c <= lastFolded)
            folded += latinFolds[c - firstFolded];
        else if (c < firstCombining || c > lastCombining)
            folded += name.substr(i, length);
        i += length;
    }
    return folded;
}

std::vector<std::uint32_t> placesStartingWith(const Gazetteer& g, std::string_view prefix,
                                              std::size_t limit) {
    const std::string key = foldName(trimmed(prefix));
    if (key.empty())
        return {};
    const auto first = std::lower_bound(g.names.begin(), g.names.end(),
                                        std::pair<std::string, std::uint32_t>{key, 0});
    auto last = first;
    while (last != g.names.end() && last->first.compare(0, key.size(), key) == 0)
        ++last;
    std::vector<std::uint32_t> found = byPopulation(g, first, last);
    if (found.size() > limit)
        found.resize(limit);
    return found;
}

PlaceLookup findPlace(const Gazetteer& g, std::string_view query) {
    const auto [name, qualifier] = queryParts(query);
    using Entry = std::pair<std::string, std::uint32_t>;
    const auto first = std::lower_bound(g.names.begin(), g.names.end(), Entry{name, 0});
    const auto last = std::upper_bound(first, g.names.end(), Entry{name, UINT32_MAX});
    const bool historicalAsked =
        qualifier == historicalQualifier || qualifier == historicalQualifierJapanese;
    std::vector<std::uint32_t> exact;
    for (std::uint32_t place : byPopulation(g, first, last))
        if (historicalAsked ? g.places[place].historical : hasQualifier(g.places[place], qualifier))
            exact.push_back(place);
    // a name of both lists means the modern places unless the historical site is asked for
    const auto isHistorical = [&g](std::uint32_t place) { return g.places[place].historical; };
    if (!historicalAsked && !std::all_of(exact.begin(), exact.end(), isHistorical))
        std::erase_if(exact, isHistorical);
    PlaceLookup lookup;
    // a place dominates only with a known population: two of unknown size are ambiguous
    const auto dominates = [&](std::uint32_t a, std::uint32_t b) {
        return g.places[a].population > 0 &&
               g.places[a].population >= dominantPopulation * g.places[b].population;
    };
    if (exact.size() == 1 || (exact.size() > 1 && dominates(exact[0], exact[1]))) {
        lookup.place = exact[0];
        return lookup;
    }
    lookup.candidates = exact.empty() ? placesStartingWith(g, name, maxCandidates) : exact;
    if (lookup.candidates.size() > maxCandidates)
        lookup.candidates.resize(maxCandidates);
    return lookup;
}

double greatCircleKm(double lon1, double lat1, double lon2, double lat2) {
    constexpr double rad = std::numbers::pi / 180;
    const double dLat = (lat2 - lat1) * rad, dLon = (lon2 - lon1) * rad;
    const double a = std::pow(std::sin(dLat / 2), 2) +
                     std::cos(lat1 * rad) * std::cos(lat2 * rad) * std::pow(std::sin(dLon / 2), 2);
    return 2 * meanEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(a)));
}

std::optional<std::uint32_t> nearestPlace(const Gazetteer& g, double lon, double lat,
                                          double maxKm) {
    std::optional<std::uint32_t> nearest;
    double nearestKm = maxKm;
    for (std::uint32_t i = 0; i < g.places.size(); ++i) {
        const double km = greatCircleKm(lon, lat, g.places[i].lon, g.places[i].lat);
        if (km <= nearestKm) {
            nearest = i;
            nearestKm = km;
        }
    }
    return nearest;
}

std::string placeLabel(const GazetteerPlace& p, bool japanese) {
    std::string label = japanese && !p.japaneseName.empty() ? p.japaneseName : p.name;
    if (p.historical)
        return label + (japanese ? " (史跡)" : " (historical site)");
    label += " (";
    if (!p.region.empty() && p.region != p.name)
        label += p.region + ", ";
    return label + (p.countryName.empty() ? p.country : p.countryName) + ")";
}

ObserverPlace observerPlaceOf(const GazetteerPlace& p, bool japanese) {
    ObserverPlace place;
    place.lon = p.lon;
    place.lat = p.lat;
    place.name = placeLabel(p, japanese);
    place.positionSource = p.historical ? "Wikipedia, \"" + p.article + "\" (historical_places.txt)"
                                        : std::string("GeoNames, cities15000.txt");
    place.zone = p.zone;
    place.zoneSource = p.zone.empty() ? ZoneSource::none : ZoneSource::gazetteer;
    place.heightSource = p.height ? HeightSource::gazetteer : HeightSource::given;
    return place;
}

ObserverPlace observerPlaceAt(const ZoneBoundaries* zones, const GazetteerSource& gazetteer,
                              double lon, double lat) {
    ObserverPlace place;
    place.lon = lon;
    place.lat = lat;
    if (zones) {
        const ZoneLookup found = zones->zoneAt(lon, lat);
        place.zoneFault = found.fault;
        if (found.fault.empty()) {
            place.zone = found.zone.value_or("");
            place.zoneSource = found.zone ? ZoneSource::boundaries : ZoneSource::nautical;
            return place;
        }
    }
    const Gazetteer* g = gazetteer ? gazetteer() : nullptr;
    if (!g)
        return place;
    const double lonE = foldedLongitude(lon);
    if (const std::optional<std::uint32_t> near = nearestPlace(*g, lonE, lat, zoneSearchKm)) {
        const GazetteerPlace& p = g->places[*near];
        place.zone = p.zone;
        place.zoneFrom = p.name;
        place.zoneFromKm = greatCircleKm(lonE, lat, p.lon, p.lat);
        place.zoneSource = ZoneSource::nearestPlace;
    } else {
        place.zoneSource = ZoneSource::nautical;
    }
    return place;
}

} // namespace vesk
