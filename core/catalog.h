// SPDX-License-Identifier: GPL-3.0-or-later
// The eclipse catalog: seven text files, one entry of 31 numbers per solar eclipse, in date
// order, and the reader that finds the eclipse of a year and month and steps through the file.
#pragma once

#include "data_paths.h"
#include "delta_t_models.h"
#include "failure.h"

#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// One catalog entry. After a read, year/month/day and jd are the UT date and Julian date of
// greatest eclipse (the file holds TT). t is hours from t0 (TT) in the polynomials.
struct EclipseRecord {
    double year = 0, month = 0, day = 0; // calendar date, astronomical year numbering
    double typeCode = 0;                 // 1..6, see eclipseTypeName
    double magnitude = 0;                // magnitude at greatest eclipse
    double gamma = 0;    // the shadow axis's least distance from the Earth's centre, Earth radii
                         // (negative south), carried only
    double jd = 0;       // Julian date of greatest eclipse
    double lunation = 0; // lunation number, carried only
    double saros = 0;    // Saros series
    double t0 = 0;       // reference hour of the elements, TT
    double x0 = 0, x1 = 0, x2 = 0, x3 = 0; // x of the shadow axis, Earth radii
    double y0 = 0, y1 = 0, y2 = 0, y3 = 0; // y of the shadow axis, Earth radii
    double d0 = 0, d1 = 0, d2 = 0;         // declination of the axis, degrees
    double mu0 = 0, mu1 = 0;               // Greenwich hour angle of the axis, degrees
    double l1c0 = 0, l1c1 = 0, l1c2 = 0;   // penumbral radius on the fundamental plane
    double l2c0 = 0, l2c1 = 0, l2c2 = 0;   // umbral radius (negative for a total eclipse)
    double tanF1 = 0, tanF2 = 0;           // tangents of the cone half-angles
    double jdTT = 0; // greatest eclipse in TT, kept by the UT conversion (not in the file)
};

constexpr int catalogEntryNumbers = 31;

// The record's fields in file order (10 on line 1, 11 on line 2, 10 on line 3).
extern const std::array<double EclipseRecord::*, catalogEntryNumbers> catalogFieldOrder;

// What real entries hold, with a margin: the lowest and highest value of each number in file
// order (the year is checked against the file's years instead).
struct ValueRange {
    double low, high;
};
extern const std::array<ValueRange, catalogEntryNumbers> plausibleRanges;

// Eclipse type codes.
enum EclipseType {
    typePartial = 1,
    typeTotal = 2,
    typeAnnular = 3,
    typeAnnularTotal = 4,
    typeNonCentralTotal = 5,
    typeNonCentralAnnular = 6
};

// Display names of the type codes, index 0 a blank. The map panel and the KML spell code 6
// "NO CENTRAL ANNULAR ECLIPSE"; the reports and the search dialog "NON CENTRAL ...".
extern const std::array<const char*, 7> eclipseTypeNames;
extern const std::array<const char*, 7> mapPanelTypeNames;

// The name of a type code from one of the tables above; " " for a code outside 1..6.
const char* eclipseTypeName(const std::array<const char*, 7>& names, double typeCode);

// The first and last years of the catalog files (the first eclipse itself comes in -12999, the
// last in 16996).
constexpr double firstCatalogYear = -13000, lastCatalogYear = 16999;

// The catalog files and the last year each holds; a file holds the years above the previous
// file's last year (the first file from -13000 inclusive).
struct CatalogFile {
    const char* name;
    double lastYear;
};
inline constexpr std::array<CatalogFile, 7> catalogFiles = {{{"ecm13000m08000.prn", -8000},
                                                             {"ecm07999m03000.prn", -3000},
                                                             {"ecm02999m00000.prn", 0},
                                                             {"ecp00001p03000.prn", 3000},
                                                             {"ecp03001p08000.prn", 8000},
                                                             {"ecp08001p13000.prn", 13000},
                                                             {"ecp13001p16999.prn", 16999}}};

// The span of the JPL DE431 ephemeris that the catalog is computed from, TT Julian dates:
// Julian -12999 August 10 to Gregorian 16997 February 16, 0h.
constexpr double ephemerisSpanFirstJd = -3026605.5, ephemerisSpanLastJd = 7929133.5;

// The catalog file holding the year, or null when the year lies outside -13000..16999.
const char* catalogFileForYear(double year);

// Reader state: the current record, the open file and the month read before the current one.
struct Catalog {
    DataPaths paths;
    EclipseRecord record;
    // The Delta T that turns the entries' TT into the UT dates and months they are found by.
    DeltaTChoice deltaTChoice;
    double prevYear = 0, prevMonth = 0;

    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    std::unique_ptr<std::FILE, FileCloser> file;
    bool ended = false;   // the open file hit its end or a malformed entry
    std::string fileName; // the open file's path
    int fileIndex = -1;   // the open file's place in the fixed order of the files
    int entriesRead = 0;  // complete entries read from it
    long position = 0;    // the bytes of it read (where the next entry's text begins)
    // The malformed entry that ended the open file, else nothing.
    std::optional<Failure> damage;
    // The catalog files passed over because they cannot be read, until the reader of the
    // notes takes them.
    IgnoredFiles ignored;
    // Counts the reader's moves (opening, closing, reading an entry).
    long moves = 0;
    // The last catalogFind that took an entry: its request, the reader's move count after it and
    // the file read. The same request with the reader not moved since, and the file unchanged,
    // is answered from the record held.
    struct Found {
        double year = 0, month = 0;
        long moves = 0;
        FileIdentity file;
        DeltaTChoice deltaTChoice;
    };
    std::optional<Found> lastFound;
    // Where every seekSpacing-th entry of a file begins, noted as the file is read: a later
    // request for a month of that file starts reading at the last one well before it instead of
    // at the file's start. They stay as long as the file is the same.
    struct SeekPoint {
        long offset = 0;       // of the entry in the file
        int entriesBefore = 0; // entries of the file before it
        int monthIndex = 0;    // year * 12 + month of its date (TT)
    };
    static constexpr int seekSpacing = 64;
    FileIdentity seekFile;
    std::vector<SeekPoint> seekPoints;
};

// The first year of the file after the one open (or last opened) in the catalog: where a walk
// through the catalog goes on at the end of a file, whatever the years its entries carry; none
// after the last file.
std::optional<double> nextFileYear(const Catalog& catalog);

// Opens the file for year and takes the entry of that UT year and month (month + fraction below
// one half picks an eclipse of day 1 or 2, above one half one after day 25), or the first
// eclipse after that month, which may be the first of the next file. The file stays open after
// the entry. Returns nothing when the record holds it; catalogEnded after the catalog's last
// eclipse (the record then holds that eclipse); catalogMissing when a file does not open;
// damagedFile when it holds no complete entry, a malformed entry comes before the one selected
// or the file leaves out years its name says it holds.
Outcome catalogFind(Catalog& catalog, double year, double month);

// Reads the next entry of the open file. Returns nothing, fileEnded at the end of the file, or
// damagedFile at an incomplete or malformed entry; the record then keeps the last complete entry.
// An entry is malformed when a number is missing or not a finite number, or lies outside what real
// entries hold with a margin (the year outside the file's years, the month, day, type, t0 or Saros
// series outside their ranges, elements no eclipse has).
Outcome catalogReadNext(Catalog& catalog);

// Opens the file for year at its first entry. When no file opens, opens "ecp00001p03000.prn"
// instead and returns catalogMissing; as catalogReadNext when the file holds no entry.
Outcome catalogOpenFirst(Catalog& catalog, double year);

void catalogClose(Catalog& catalog);

// The UT date and Julian date of an entry from its TT Julian date (the chosen Delta T without
// the user's adjustment): jd becomes UT and year/month/day the UT calendar date; jdTT keeps the
// TT Julian date. Delta T is taken at the UT instant, so that jdTT - jd is recordDeltaT
// (to the precision of the Julian dates).
void convertEntryToUt(EclipseRecord& record, const DeltaTChoice& choice = {});

// The TT Julian date of hours counted, as t0 + t of the elements are, from midnight of the TT
// date of a greatest eclipse at jdTT.
double jdOfElementHours(double jdTT, double hours);

// The UT Julian date of t hours from t0 (TT) with deltaT seconds: t0 counts from midnight of the
// TT date of greatest eclipse.
double instantJdUt(const EclipseRecord& record, double t, double deltaT);

// The UT hours of the day of greatest eclipse (TT date) at t hours from t0.
double utHours(const EclipseRecord& record, double t, double deltaT);

// The Delta T of a record read (without the user's adjustment), seconds: the chosen model's value
// at its UT Julian date. Every screen and file of the eclipse uses this one value.
double recordDeltaT(const EclipseRecord& record, const DeltaTChoice& choice = {});

} // namespace vesk
