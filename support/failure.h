// SPDX-License-Identifier: GPL-3.0-or-later
// Why reading a file, a device or the user's input failed, as one value that crosses every layer:
// what failed, where (the file or option, and the line of the file) and why. The messages a user
// reads are made from it here alone, in the run's language.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// Marks a message for Qt's translation tools (lupdate reads it as QT_TR_NOOP); the text itself
// is unchanged.
#define VESK_MESSAGE(text) text

namespace vesk {

enum class FailureKind {
    catalogMissing,         // no catalog file for the year opens (where: the file looked for)
    catalogMissingInSearch, // the same, met by a search walking through the catalog
    catalogEnded,           // the month lies after the catalog's last eclipse
    fileEnded,              // a file read entry by entry has no entry left (where: the file)
    damagedFile,            // a data file holds what it must not (where, line, why)
    cityTableMissing,       // no readable city file in the data folders
    lunarGridMissing,       // no lunar grid in the data folders, or one cut short
    badValue, // an option or a field the user gave (where: its name; why: what it needs)
};

struct Failure {
    FailureKind what;
    std::string where;        // the file, device or option
    std::optional<long> line; // the line of the file, counted from 1
    std::string why;          // in English, the reader's own words; may be empty
    bool operator==(const Failure&) const = default;
};

// The texts of the failures that name a missing or damaged data file.
constexpr const char* messageNoCatalog = VESK_MESSAGE("The Besselian element files are missing!");
constexpr const char* messageNoCatalogDuringSearch =
    VESK_MESSAGE("The Besselian element files are missing! 1 ");
constexpr const char* messageStartHere =
    VESK_MESSAGE("Start vesk in the folder that holds the EC****.prn files.");
constexpr const char* messageCatalogEnded = VESK_MESSAGE("The Besselian element files have ended.");
constexpr const char* messageDamagedDataFile = VESK_MESSAGE("A data file is damaged!");
constexpr const char* messageNoCityTable = VESK_MESSAGE("The city file (location.new) is missing!");
constexpr const char* messageStartWithCityTable =
    VESK_MESSAGE("Start vesk in the folder that holds location.new.");
constexpr const char* messageNoLunarGrid =
    VESK_MESSAGE("The lunar elevation file (LRO.dat) is missing!");
constexpr const char* messageLunarGridTool =
    VESK_MESSAGE("vesk-make-lro of the package vesk-tools makes it from NASA PDS's LOLA lunar "
                 "topography (33 MB):");
// The command that makes the lunar grid from the PDS product LDEM_16 into the user's data folder.
constexpr const char* lunarGridCommand =
    "vesk-make-lro --url https://pds-geosciences.wustl.edu/lro/lro-l-lola-3-rdr-v1/lrolol_1xxx/"
    "data/lola_gdr/cylindrical/img/ldem_16.lbl --out ~/.local/share/vesk/LRO.dat";

// A value, or why there is none.
template <typename T> using Result = std::variant<T, Failure>;

// What an operation that gives nothing back returns: nothing, or why it failed.
using Outcome = std::optional<Failure>;

// Turns a message's English text (a VESK_MESSAGE) into the run's language.
using Translation = std::function<std::string(const char*)>;

// The lines a user reads of a failure, each in the run's language (English without a
// translation): what failed, what to do, and where and why.
std::vector<std::string> failureLines(const Failure& failure, const Translation& translate = {});

// The same lines as one text, a line feed between them.
std::string failureText(const Failure& failure, const Translation& translate = {});

// The text a command prints for a failure of one of its options ("--year needs ..."): where
// and why.
std::string failureDetail(const Failure& failure);

} // namespace vesk
