// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog.h"

#include "timescales.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace vesk {

const std::array<double EclipseRecord::*, catalogEntryNumbers> catalogFieldOrder = {
    &EclipseRecord::year,     &EclipseRecord::month,     &EclipseRecord::day,
    &EclipseRecord::typeCode, &EclipseRecord::magnitude, &EclipseRecord::gamma,
    &EclipseRecord::jd,       &EclipseRecord::lunation,  &EclipseRecord::saros,
    &EclipseRecord::t0,       &EclipseRecord::x0,        &EclipseRecord::x1,
    &EclipseRecord::x2,       &EclipseRecord::x3,        &EclipseRecord::y0,
    &EclipseRecord::y1,       &EclipseRecord::y2,        &EclipseRecord::y3,
    &EclipseRecord::d0,       &EclipseRecord::d1,        &EclipseRecord::d2,
    &EclipseRecord::mu0,      &EclipseRecord::mu1,       &EclipseRecord::l1c0,
    &EclipseRecord::l1c1,     &EclipseRecord::l1c2,      &EclipseRecord::l2c0,
    &EclipseRecord::l2c1,     &EclipseRecord::l2c2,      &EclipseRecord::tanF1,
    &EclipseRecord::tanF2};

const std::array<const char*, 7> eclipseTypeNames = {" ",
                                                     "PARTIAL ECLIPSE",
                                                     "CENTRAL TOTAL ECLIPSE",
                                                     "CENTRAL ANNULAR ECLIPSE",
                                                     "ANNULAR-TOTAL ECLIPSE",
                                                     "NON CENTRAL-TOTAL ECLIPSE",
                                                     "NON CENTRAL ANNULAR ECLIPSE"};

const std::array<const char*, 7> mapPanelTypeNames = {" ",
                                                      "PARTIAL ECLIPSE",
                                                      "CENTRAL TOTAL ECLIPSE",
                                                      "CENTRAL ANNULAR ECLIPSE",
                                                      "ANNULAR-TOTAL ECLIPSE",
                                                      "NON CENTRAL-TOTAL ECLIPSE",
                                                      "NO CENTRAL ANNULAR ECLIPSE"};

const char* eclipseTypeName(const std::array<const char*, 7>& names, double typeCode) {
    if (!(typeCode >= 1 && typeCode < 7))
        return names[0];
    return names[static_cast<std::size_t>(typeCode)];
}

namespace {

// The file opened instead when catalogOpenFirst finds none for its year.
constexpr const char* fallbackCatalogFile = "ecp00001p03000.prn";

// Longest number token accepted; anything longer is malformed.
constexpr std::size_t maxTokenLength = 63;

// Reads one whitespace-separated token; false at end of file. position grows by the characters
// taken from the file (the reader's offset in it, known without asking the system).
bool readToken(std::FILE* file, char (&token)[maxTokenLength + 1], std::size_t& length,
               long& position) {
    int c = getc_unlocked(file);
    long taken = 1; // characters asked for
    while (c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\v' || c == '\f') {
        c = getc_unlocked(file);
        ++taken;
    }
    length = 0;
    while (c != EOF && c != ' ' && c != '\n' && c != '\r' && c != '\t' && c != '\v' && c != '\f') {
        if (length == maxTokenLength)
            return false;
        token[length++] = static_cast<char>(c);
        c = getc_unlocked(file);
    }
    // the end of the file is no character
    position += taken + static_cast<long>(length) - (c == EOF);
    return length > 0;
}

// Parses a whole token as a finite decimal number (an optional leading '+' allowed).
bool parseNumber(const char* text, std::size_t length, double& value) {
    if (length > 1 && text[0] == '+' && text[1] != '-') {
        ++text;
        --length;
    }
    const auto [end, error] = std::from_chars(text, text + length, value);
    return error == std::errc() && end == text + length && std::isfinite(value);
}

} // namespace

const std::array<ValueRange, catalogEntryNumbers> plausibleRanges = {
    {{-1e9, 1e9},      // year (the file's years)
     {1, 12},          // month
     {1, 31},          // day
     {1, 6},           // type code
     {0, 2},           // magnitude
     {-2, 2},          // gamma
     {-3.1e6, 8.0e6},  // Julian date: -13000 to 17000
     {-1e6, 1e6},      // lunation number
     {-999, 999},      // Saros series
     {0, 24},          // t0
     {-3, 3},          // x0
     {-2, 2},          // x1
     {-0.01, 0.01},    // x2
     {-0.001, 0.001},  // x3
     {-3, 3},          // y0
     {-2, 2},          // y1
     {-0.01, 0.01},    // y2
     {-0.001, 0.001},  // y3
     {-30, 30},        // d0
     {-0.1, 0.1},      // d1
     {-0.001, 0.001},  // d2
     {-360, 720},      // mu0
     {14, 16},         // mu1
     {0.4, 0.7},       // l1 c0
     {-0.01, 0.01},    // l1 c1
     {-0.001, 0.001},  // l1 c2
     {-0.2, 0.2},      // l2 c0
     {-0.01, 0.01},    // l2 c1
     {-0.001, 0.001},  // l2 c2
     {0.003, 0.006},   // tan f1
     {0.003, 0.006}}}; // tan f2

namespace {

// The years a file holds: from the year after the previous file's last one.
bool yearInFile(double year, int fileIndex) {
    if (fileIndex < 0)
        return true;
    const double first =
        fileIndex == 0 ? firstCatalogYear : catalogFiles[fileIndex - 1].lastYear + 1;
    return year >= first && year < catalogFiles[fileIndex].lastYear + 1;
}

bool plausibleEntry(const std::array<double, catalogEntryNumbers>& values, int fileIndex) {
    for (std::size_t i = 0; i < values.size(); ++i)
        if (!(values[i] >= plausibleRanges[i].low && values[i] <= plausibleRanges[i].high))
            return false;
    return yearInFile(values[0], fileIndex);
}

// The failure of the next entry of the open file: "entry N " and what is wrong with it.
Failure damagedEntry(const Catalog& catalog, const char* what) {
    return {FailureKind::damagedFile, catalog.fileName, std::nullopt,
            "entry " + std::to_string(catalog.entriesRead + 1) + " " + what};
}

// Reads the next complete entry into the record (still in TT). On end of file or a malformed
// number nothing of the record changes and the file is marked ended, so that no later read
// resumes in the middle of an entry.
bool readRawEntry(Catalog& catalog) {
    if (!catalog.file || catalog.ended)
        return false;
    ++catalog.moves;
    const bool seekPoint =
        catalog.entriesRead == static_cast<int>(catalog.seekPoints.size()) * Catalog::seekSpacing;
    const long offset = catalog.position;
    std::array<double, catalogEntryNumbers> values{};
    char token[maxTokenLength + 1];
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::size_t length = 0;
        const bool read = readToken(catalog.file.get(), token, length, catalog.position);
        if (!read || !parseNumber(token, length, values[i])) {
            catalog.ended = true;
            if (i > 0 || length > 0)
                catalog.damage = damagedEntry(catalog, "is malformed");
            return false;
        }
    }
    if (!plausibleEntry(values, catalog.fileIndex)) {
        catalog.ended = true;
        catalog.damage = damagedEntry(catalog, "holds a value no eclipse has");
        return false;
    }
    for (int i = 0; i < catalogEntryNumbers; ++i)
        catalog.record.*catalogFieldOrder[i] = values[i];
    if (seekPoint)
        catalog.seekPoints.push_back(
            {offset, catalog.entriesRead,
             static_cast<int>(values[0]) * 12 + static_cast<int>(values[1])});
    ++catalog.entriesRead;
    return true;
}

// Starts the reading of the open file at its last seek point two months or more before the
// month asked for: no entry before that month is selected for it, and the date of an entry in
// UT lies within days of its date in TT.
void seekBefore(Catalog& catalog, double year, double month) {
    const int asked = static_cast<int>(std::trunc(year)) * 12 + static_cast<int>(std::trunc(month));
    const auto after = std::find_if(
        catalog.seekPoints.begin(), catalog.seekPoints.end(),
        [asked](const Catalog::SeekPoint& point) { return point.monthIndex >= asked - 2; });
    if (after == catalog.seekPoints.begin())
        return;
    const Catalog::SeekPoint& point = *std::prev(after);
    if (point.entriesBefore > 0 && std::fseek(catalog.file.get(), point.offset, SEEK_SET) == 0) {
        catalog.entriesRead = point.entriesBefore;
        catalog.position = point.offset;
    }
}

bool openCatalogFile(Catalog& catalog, const char* name) {
    catalogClose(catalog);
    ++catalog.moves;
    // A file without a single number (an empty one, a copy cut off at once) is damaged: the next
    // folder's file serves, as for any data file its reader refuses.
    const auto holdsEntries = [](const std::filesystem::path& candidate) -> std::string {
        const std::unique_ptr<std::FILE, Catalog::FileCloser> file(
            std::fopen(candidate.c_str(), "r"));
        char token[maxTokenLength + 1];
        std::size_t length = 0;
        long position = 0;
        if (file && readToken(file.get(), token, length, position))
            return "";
        return "damaged: holds no eclipse entry";
    };
    const std::filesystem::path path =
        findDataFile(catalog.paths, name, catalog.ignored, holdsEntries);
    if (path.empty())
        return false;
    catalog.file.reset(std::fopen(path.c_str(), "r"));
    catalog.position = 0;
    catalog.fileName = path.string();
    if (FileIdentity identity = fileIdentity(path); !(identity == catalog.seekFile)) {
        catalog.seekFile = std::move(identity);
        catalog.seekPoints.clear();
    }
    catalog.fileIndex = -1;
    for (std::size_t i = 0; i < catalogFiles.size(); ++i)
        if (std::strcmp(catalogFiles[i].name, name) == 0)
            catalog.fileIndex = static_cast<int>(i);
    return catalog.file != nullptr;
}

// The selection rule for one entry: true when it is the eclipse of the requested month, or the
// first one after that month.
bool entryIsSelected(const EclipseRecord& entry, double year, double month) {
    const double fraction = month - std::trunc(month);
    if (std::trunc(year) == std::trunc(entry.year) &&
        std::trunc(month) == std::trunc(entry.month)) {
        if (entry.day >= 3 && entry.day <= 25)
            return true;
        if (fraction > 0.5 && entry.day > 25)
            return true;
        if (fraction < 0.5 && entry.day < 3)
            return true;
        if (fraction == 0)
            return true;
    }
    return (std::trunc(year) == std::trunc(entry.year) &&
            std::trunc(month) < std::trunc(entry.month)) ||
           std::trunc(year) < std::trunc(entry.year);
}

// No two consecutive solar eclipses of the catalog are more than 178.4 days apart, and every
// year has two or more: a file whose eclipse after a month's start comes two years later leaves
// out the years between.
constexpr double longestEclipseGapDays = 2 * 365.25;

// Why the record selected for a month (or the last one, at the end of the catalog) shows that
// a file leaves out years it should hold; nothing when it does not.
Outcome coverageFault(const Catalog& catalog, const std::string& fileOfMonth, double year,
                      double month, bool ended) {
    const double requested = calendarToJd(std::trunc(year), std::trunc(month), 1, 0, 0, 0);
    const double jd = catalog.record.jd;
    const bool gap = ended ? jd < std::min(requested, ephemerisSpanLastJd) - longestEclipseGapDays
                           : jd > std::max(requested, ephemerisSpanFirstJd) + longestEclipseGapDays;
    if (!gap)
        return std::nullopt;
    char date[64];
    std::snprintf(date, sizeof date, "%.0f/%.0f", std::trunc(year), std::trunc(month));
    return Failure{FailureKind::damagedFile, fileOfMonth, std::nullopt,
                   std::string("holds no eclipse near ") + date +
                       ": the file does not cover the years its name says (made for a range of "
                       "years?)"};
}

} // namespace

const char* catalogFileForYear(double year) {
    if (!(year >= firstCatalogYear))
        return nullptr;
    for (const CatalogFile& file : catalogFiles) {
        if (year <= file.lastYear)
            return file.name;
    }
    return nullptr;
}

std::optional<double> nextFileYear(const Catalog& catalog) {
    const double next = catalog.fileIndex < 0 ? catalogFiles.back().lastYear + 1
                                              : catalogFiles[catalog.fileIndex].lastYear + 1;
    if (catalogFileForYear(next) == nullptr)
        return std::nullopt;
    return next;
}

double jdOfElementHours(double jdTT, double hours) {
    return std::floor(jdTT + 0.5) - 0.5 + hours / 24;
}

double instantJdUt(const EclipseRecord& r, double t, double deltaT) {
    return jdOfElementHours(r.jdTT, r.t0 + t) - deltaT / 86400;
}

double utHours(const EclipseRecord& r, double t, double deltaT) {
    return r.t0 + t - deltaT / 3600;
}

double recordDeltaT(const EclipseRecord& record, const DeltaTChoice& choice) {
    return deltaT((record.jd - 2451545) / 36525, choice);
}

void convertEntryToUt(EclipseRecord& record, const DeltaTChoice& choice) {
    // UT = TT - deltaT(UT): a fixed point, reached in a few steps (deltaT changes by at most
    // seconds over the days it spans).
    record.jdTT = record.jd;
    for (int step = 0; step < 4; ++step)
        record.jd = record.jdTT - recordDeltaT(record, choice) / 86400;
    const CalendarInstant date = jdToCalendar(record.jd, 0, 0);
    record.year = date.year;
    record.month = date.month;
    record.day = date.day;
}

namespace {

// The failure of a catalog file that does not open.
Failure missingCatalogFile(const char* name) {
    return {FailureKind::catalogMissing, name ? name : "", std::nullopt,
            name ? "not in the data folders, or not readable" : "no catalog file holds the year"};
}

// The entry of the month when the file for its year is open; nothing when it is selected.
Outcome selectEntry(Catalog& catalog, double year, double month) {
    bool anyEntry = false, selected = false;
    while (!selected && readRawEntry(catalog)) {
        anyEntry = true;
        convertEntryToUt(catalog.record, catalog.deltaTChoice); // the month asked for is a UT month
        selected = entryIsSelected(catalog.record, year, month);
        if (!selected) {
            catalog.prevYear = catalog.record.year;
            catalog.prevMonth = catalog.record.month;
        }
    }
    if (catalog.damage)
        return catalog.damage;
    if (!anyEntry)
        return Failure{FailureKind::damagedFile, catalog.fileName, std::nullopt,
                       "holds no eclipse entry"};
    if (!selected)
        return Failure{FailureKind::fileEnded, catalog.fileName, std::nullopt, ""};
    return std::nullopt;
}

// catalogFind without the memory of the last request.
Outcome findEntry(Catalog& catalog, double year, double month) {
    const char* name = catalogFileForYear(year);
    if (name == nullptr || !openCatalogFile(catalog, name))
        return missingCatalogFile(name);
    seekBefore(catalog, year, month);
    const std::string fileOfMonth = catalog.fileName;
    Outcome failure = selectEntry(catalog, year, month);
    if (failure && failure->what == FailureKind::fileEnded) {
        // The month lies after the file's last eclipse: the next one opens the next file.
        failure = coverageFault(catalog, fileOfMonth, year, month, true);
        const std::optional<double> next = nextFileYear(catalog);
        if (!failure && !next)
            return Failure{FailureKind::catalogEnded, catalog.fileName, std::nullopt, ""};
        const EclipseRecord last = catalog.record;
        const char* nextName = next ? catalogFileForYear(*next) : nullptr;
        if (!failure && !openCatalogFile(catalog, nextName))
            failure = missingCatalogFile(nextName);
        else if (!failure && !readRawEntry(catalog))
            failure = catalog.damage.value_or(Failure{FailureKind::damagedFile, catalog.fileName,
                                                      std::nullopt, "holds no eclipse entry"});
        if (failure)
            catalog.record = last;
        else
            convertEntryToUt(catalog.record, catalog.deltaTChoice);
    }
    if (!failure)
        failure = coverageFault(catalog, fileOfMonth, year, month, false);
    if (failure)
        catalog.file.reset(); // the failure names what the message needs
    return failure;
}

} // namespace

Outcome catalogFind(Catalog& catalog, double year, double month) {
    const std::optional<Catalog::Found>& last = catalog.lastFound;
    if (last && last->year == year && last->month == month && last->moves == catalog.moves &&
        catalog.file && last->file == fileIdentity(catalog.fileName) &&
        last->deltaTChoice == catalog.deltaTChoice)
        return std::nullopt;
    Outcome failure = findEntry(catalog, year, month);
    if (!failure)
        catalog.lastFound = {year, month, catalog.moves, fileIdentity(catalog.fileName),
                             catalog.deltaTChoice};
    return failure;
}

Outcome catalogReadNext(Catalog& catalog) {
    catalog.prevYear = catalog.record.year;
    catalog.prevMonth = catalog.record.month;
    if (!readRawEntry(catalog))
        return catalog.damage.value_or(
            Failure{FailureKind::fileEnded, catalog.fileName, std::nullopt, ""});
    convertEntryToUt(catalog.record, catalog.deltaTChoice);
    return std::nullopt;
}

Outcome catalogOpenFirst(Catalog& catalog, double year) {
    catalog.prevYear = catalog.record.year;
    catalog.prevMonth = catalog.record.month;
    const char* name = catalogFileForYear(year);
    if (name == nullptr || !openCatalogFile(catalog, name)) {
        openCatalogFile(catalog, fallbackCatalogFile);
        return missingCatalogFile(name);
    }
    return catalogReadNext(catalog);
}

void catalogClose(Catalog& catalog) {
    ++catalog.moves;
    catalog.file.reset();
    catalog.ended = false;
    catalog.fileName.clear();
    catalog.entriesRead = 0;
    catalog.position = 0;
    catalog.damage.reset();
}

} // namespace vesk
