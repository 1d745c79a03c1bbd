// SPDX-License-Identifier: GPL-3.0-or-later
// vesk-make-catalog: computes the eclipse catalog files from the JPL DE431 ephemeris.
//
//   vesk-make-catalog --ephe DIR --out DIR [--from YEAR --to YEAR] [--threads N]
//                     [--saros-table FILE.cpp]
//
// For every new moon of the ephemeris span it finds the conjunction, keeps those near a node,
// fits Besselian elements around greatest eclipse and classifies the eclipse. Entries go into
// the seven catalog files by their UT year; with --from/--to only the eclipses of those UT years
// are computed and merged into the files that hold those years (their entries of other years
// are kept). Beside the catalog goes "ecplanets.dat", the places of the planets at every
// eclipse (planet_places.h). The output is the same whatever the number of threads. Exit status: 0
// done, 1 a failure, 2 bad arguments.
#include "eclipse_entry.h"
#include "ephemeris.h"
#include "planet_places.h"
#include "saros_numbering.h"
#include "timescales.h"
#include "tool_main.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace vesk::catalog {
namespace {

// Span of the DE431 files less a day at each end, so that every fit window lies inside.
const double ephemerisFirstJd = ephemerisSpanFirstJd + 1;
const double ephemerisLastJd = ephemerisSpanLastJd - 1;

// Mean new moon of lunation k (J. Meeus, Astronomical Algorithms, 2nd ed., eq. 49.1).
double meanNewMoon(double k) {
    const double t = k / 1236.85;
    return 2451550.09766 + 29.530588861 * k + 0.00015437 * t * t - 0.000000150 * t * t * t +
           0.00000000073 * t * t * t * t;
}
constexpr double synodicMonth = 29.530588861;

// A new moon with the Moon farther than this from the ecliptic cannot eclipse the Sun (the
// largest latitude of a partial eclipse is about 1.58 degrees).
constexpr double candidateLatitudeDeg = 1.75;

struct Options {
    std::string epheDir, outDir, sarosTable;
    double fromYear = -13000, toYear = 16999;
    int threads = 2;
};

double utYear(EclipseRecord entry) {
    convertEntryToUt(entry);
    return entry.year;
}

// An eclipse of the catalog with the places of the planets at its hour t0.
struct CatalogEntry {
    EclipseRecord record;
    EclipsePlanets planets;
};

// The planets' right ascensions from the Sun and declinations at the entry's hour t0 (TT), with
// their rates from the places an hour before and after.
EclipsePlanets planetsAtT0(const Ephemeris& ephemeris, const EclipseRecord& entry) {
    EclipsePlanets result;
    result.jdTT = entry.jd;
    const double t0 = jdOfElementHours(entry.jd, entry.t0); // the entry's jd is still TT
    const auto before = ephemeris.solarSystemAt(t0 - 1.0 / 24);
    const auto at = ephemeris.solarSystemAt(t0);
    const auto after = ephemeris.solarSystemAt(t0 + 1.0 / 24);
    for (int i = 0; i < planetCount; ++i) {
        const auto fromSun = [i](const std::array<EquatorialPlace, 6>& places) {
            return std::remainder(places[i + 1].ra - places[0].ra, 360.0);
        };
        PlanetMotion& p = result.planets[static_cast<std::size_t>(i)];
        p.raFromSun = static_cast<float>(fromSun(at));
        p.dec = static_cast<float>(at[i + 1].dec);
        p.raFromSunRate =
            static_cast<float>(std::remainder(fromSun(after) - fromSun(before), 360) / 2);
        p.decRate = static_cast<float>((after[i + 1].dec - before[i + 1].dec) / 2);
    }
    return result;
}

// The eclipses of lunations first..last, checking that consecutive conjunctions are one
// synodic month apart (so that no new moon is missed or found twice).
std::vector<CatalogEntry> eclipsesOfLunations(const std::string& epheDir, long first, long last) {
    Ephemeris ephemeris(epheDir);
    std::vector<CatalogEntry> entries;
    double previousJd = 0;
    for (long n = first; n <= last; ++n) {
        const Conjunction conjunction = ephemeris.conjunctionNear(meanNewMoon(n));
        if (n > first && std::fabs(conjunction.jd - previousJd - synodicMonth) > 0.6)
            throw std::runtime_error("lunation " + std::to_string(n) +
                                     ": conjunction search found another new moon");
        previousJd = conjunction.jd;
        if (std::fabs(conjunction.moonLatDeg) > candidateLatitudeDeg)
            continue;
        if (auto entry = eclipseAtConjunction(ephemeris, conjunction, static_cast<double>(n)))
            entries.push_back({*entry, planetsAtT0(ephemeris, *entry)});
    }
    return entries;
}

// Decimal places of the 31 numbers in file order: enough that the printed value is finer than
// the fit (1e-9 Earth radii is 6 mm).
constexpr int fieldDecimals[catalogEntryNumbers] = {
    0, 0, 0,  0,  5,  5, 6,  0,  0,  0,     // date, type, magnitude, gamma, jd, lunation, saros, t0
    9, 9, 10, 10, 9,  9, 10, 10, 8,  9, 10, // x, y, d
    8, 9, 9,  10, 10, 9, 10, 10, 10, 10};   // mu, l1, l2, tan f1, tan f2
constexpr int firstFieldOfLine[] = {0, 10, 21, catalogEntryNumbers};

std::string formatEntry(const EclipseRecord& entry) {
    std::string text;
    char number[64];
    for (int line = 0; line < 3; ++line) {
        for (int i = firstFieldOfLine[line]; i < firstFieldOfLine[line + 1]; ++i) {
            std::snprintf(number, sizeof number, "%s%.*f", i == firstFieldOfLine[line] ? "" : " ",
                          fieldDecimals[i], entry.*catalogFieldOrder[i]);
            text += number;
        }
        text += '\n';
    }
    return text;
}

// A catalog entry as its file holds it: the three lines and the TT Julian date that orders them.
struct EntryText {
    double jdTT;
    std::string text;
};

// The entries of an existing catalog file whose UT year lies outside from..to (none when there is
// no such file). Throws, naming the file and entry, when an entry is not three lines of 10, 11
// and 10 numbers: a range is merged only into a file that can be read whole.
std::vector<EntryText> entriesOutside(const std::filesystem::path& path, double from, double to) {
    std::vector<EntryText> kept;
    std::ifstream in(path);
    if (!in)
        return kept;
    std::string lines[3];
    for (int index = 1; std::getline(in, lines[0]); ++index) {
        if (lines[0].find_first_not_of(" \t\r") == std::string::npos)
            continue;
        EclipseRecord entry;
        std::size_t field = 0;
        for (int line = 0; line < 3; ++line) {
            if (line > 0 && !std::getline(in, lines[line]))
                break;
            std::istringstream numbers(lines[line]);
            double value = 0;
            while (field < catalogEntryNumbers && numbers >> value)
                entry.*catalogFieldOrder[field++] = value;
            if (field != static_cast<std::size_t>(firstFieldOfLine[line + 1]) || !numbers.eof())
                break;
        }
        if (field != catalogEntryNumbers)
            throw std::runtime_error("cannot merge into " + path.string() + ": entry " +
                                     std::to_string(index) + " is malformed; nothing was written");
        const double year = utYear(entry);
        if (year < from || year > to)
            kept.push_back({entry.jd, lines[0] + '\n' + lines[1] + '\n' + lines[2] + '\n'});
    }
    return kept;
}

// The seven files of the whole catalog; a range of years is merged into the files it touches,
// replacing their entries of those years and keeping the others.
void writeCatalogFiles(const std::vector<EclipseRecord>& entries, const Options& options,
                       bool wholeCatalog) {
    std::map<std::string, std::vector<EntryText>> files;
    for (const CatalogFile& file : catalogFiles)
        files[file.name];
    for (const EclipseRecord& entry : entries)
        if (const char* name = catalogFileForYear(utYear(entry)))
            files[name].push_back({entry.jd, formatEntry(entry)});
    const std::filesystem::path folder = options.outDir;
    for (auto& [name, fileEntries] : files) {
        if (wholeCatalog || fileEntries.empty())
            continue;
        const std::size_t added = fileEntries.size();
        for (EntryText& kept : entriesOutside(folder / name, options.fromYear, options.toYear))
            fileEntries.push_back(std::move(kept));
        std::stable_sort(fileEntries.begin(), fileEntries.end(),
                         [](const EntryText& a, const EntryText& b) { return a.jdTT < b.jdTT; });
        std::printf("%s: %zu eclipses of %.0f to %.0f merged with %zu others\n", name.c_str(),
                    added, options.fromYear, options.toYear, fileEntries.size() - added);
    }
    std::filesystem::create_directories(folder);
    for (const auto& [name, fileEntries] : files) {
        if (!wholeCatalog && fileEntries.empty())
            continue;
        std::string text;
        for (const EntryText& entry : fileEntries)
            text += entry.text;
        vesk::tools::writeFileAtomically(folder / name, text);
    }
}

// The planet file: the records of the eclipses computed, merged for a range into those of the
// existing file outside it (a file that is not such a file is not merged into: nothing is
// written).
std::string planetPlaceFile(std::vector<EclipsePlanets> records, const Options& options,
                            bool wholeCatalog) {
    const std::filesystem::path path = std::filesystem::path(options.outDir) / planetPlaceFileName;
    if (!wholeCatalog && !records.empty() && std::filesystem::exists(path)) {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        const auto existing = decodePlanetPlaces(bytes);
        if (!existing)
            throw std::runtime_error("cannot merge into " + path.string() +
                                     ": it is not a planet file; nothing was written");
        const auto [first, last] = std::minmax_element(
            records.begin(), records.end(),
            [](const EclipsePlanets& a, const EclipsePlanets& b) { return a.jdTT < b.jdTT; });
        const double from = first->jdTT - 1, to = last->jdTT + 1;
        for (const EclipsePlanets& r : *existing)
            if (r.jdTT < from || r.jdTT > to)
                records.push_back(r);
    }
    std::sort(records.begin(), records.end(),
              [](const EclipsePlanets& a, const EclipsePlanets& b) { return a.jdTT < b.jdTT; });
    return encodePlanetPlaces(records);
}

void writeSarosTable(const std::vector<EclipseRecord>& entries, const std::string& path) {
    const auto table = sarosStartYearsOf(entries);
    std::string text =
        "// SPDX-License-Identifier: GPL-3.0-or-later\n"
        "// Generated by vesk-make-catalog from the eclipse catalog: the UT year of the first\n"
        "// eclipse of Saros series n (column 0) and of series -n (column 1); none where the\n"
        "// catalog holds no such series.\n"
        "#include \"saros.h\"\n\nnamespace vesk {\n\n// clang-format off\n"
        "const std::array<std::array<std::optional<double>, 2>, sarosRows> sarosStartYears = "
        "{{\n";
    const auto year = [](const std::optional<double>& first) {
        char text[32] = "std::nullopt";
        if (first)
            std::snprintf(text, sizeof text, "%.0f", *first);
        return std::string(text);
    };
    for (std::size_t n = 0; n < table.size(); ++n)
        text += "    {" + year(table[n][0]) + ", " + year(table[n][1]) + "}, // " +
                std::to_string(n) + "\n";
    text += "}};\n// clang-format on\n\n} // namespace vesk\n";
    vesk::tools::writeFileAtomically(path, text);
}

using tools::UsageError;

// A whole number from low to high given to an option.
int wholeNumber(const std::string& flag, const std::string& value, int low, int high) {
    int number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size() || number < low || number > high)
        throw UsageError(flag + " must be a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not '" + value + "'");
    return number;
}

Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (i + 1 >= argc)
            throw UsageError("missing value after " + flag);
        const std::string value = argv[++i];
        if (flag == "--ephe")
            options.epheDir = value;
        else if (flag == "--out")
            options.outDir = value;
        else if (flag == "--saros-table")
            options.sarosTable = value;
        else if (flag == "--from")
            options.fromYear = wholeNumber(flag, value, -13000, 16999);
        else if (flag == "--to")
            options.toYear = wholeNumber(flag, value, -13000, 16999);
        else if (flag == "--threads")
            options.threads = wholeNumber(flag, value, 1, 256);
        else
            throw UsageError("unknown option " + flag);
    }
    if (options.epheDir.empty() || options.outDir.empty())
        throw UsageError("usage: vesk-make-catalog --ephe DIR --out DIR [--from YEAR "
                         "--to YEAR] [--threads N] [--saros-table FILE.cpp]");
    if (options.fromYear > options.toYear)
        throw UsageError("--from must not come after --to");
    if (!options.sarosTable.empty() && (options.fromYear > -13000 || options.toYear < 16999))
        throw UsageError("--saros-table needs the whole catalog, not --from/--to");
    return options;
}

int run(int argc, char** argv) {
    const Options options = parseOptions(argc, argv);
    const bool wholeCatalog = options.fromYear <= -13000 && options.toYear >= 16999;
    // Lunations whose new moon can fall in the years asked for (with a month to spare; the UT
    // year filter below decides).
    const double firstJd =
        std::max(ephemerisFirstJd, calendarToJd(options.fromYear, 1, 1, 0, 0, 0) - 40);
    const double lastJd =
        std::min(ephemerisLastJd, calendarToJd(options.toYear + 1, 1, 1, 0, 0, 0) + 40);
    long firstLunation = std::lround((firstJd - meanNewMoon(0)) / synodicMonth);
    long lastLunation = std::lround((lastJd - meanNewMoon(0)) / synodicMonth);
    // Keep the outermost new moons clear of the ephemeris limits.
    while (meanNewMoon(firstLunation) < ephemerisFirstJd + 3)
        ++firstLunation;
    while (meanNewMoon(lastLunation) > ephemerisLastJd - 3)
        --lastLunation;

    const long count = lastLunation - firstLunation + 1;
    std::vector<std::future<std::vector<CatalogEntry>>> parts;
    for (int part = 0; part < options.threads; ++part) {
        const long first = firstLunation + count * part / options.threads;
        const long last = firstLunation + count * (part + 1) / options.threads - 1;
        parts.push_back(
            std::async(std::launch::async, eclipsesOfLunations, options.epheDir, first, last));
    }
    std::vector<EclipseRecord> entries;
    std::vector<EclipsePlanets> planets;
    for (auto& part : parts) {
        for (CatalogEntry& computed : part.get()) {
            EclipseRecord& entry = computed.record;
            const double year = utYear(entry);
            if (year < options.fromYear || year > options.toYear)
                continue;
            entry.saros = sarosSeries(entry.lunation, entry.year);
            if (std::fabs(entry.saros) >= sarosRows)
                throw std::runtime_error("Saros series " + std::to_string(entry.saros) +
                                         " lies outside the table");
            entries.push_back(entry);
            planets.push_back(computed.planets);
        }
    }
    const std::string planetFile = planetPlaceFile(planets, options, wholeCatalog);
    writeCatalogFiles(entries, options, wholeCatalog);
    vesk::tools::writeFileAtomically(std::filesystem::path(options.outDir) / planetPlaceFileName,
                                     planetFile);
    if (!options.sarosTable.empty())
        writeSarosTable(entries, options.sarosTable);
    std::printf("%zu eclipses from lunation %ld to %ld\n", entries.size(), firstLunation,
                lastLunation);
    return 0;
}

} // namespace
} // namespace vesk::catalog

int main(int argc, char** argv) {
    return vesk::tools::runTool("vesk-make-catalog",
                                [&] { return vesk::catalog::run(argc, argv); });
}
