// SPDX-License-Identifier: GPL-3.0-or-later
// Messages that the program shows in place of a picture (white on black in the window, on
// standard error from the command line), in the status bar and in the dialogs. English is the
// source text; the window and the commands show the Japanese translation (context "vesk") unless
// the language is English.
#pragma once

// Marks a message for Qt's translation tools (lupdate reads it as QT_TR_NOOP); the text itself
// is unchanged.
#define VESK_MESSAGE(text) text

namespace vesk {

constexpr const char* messageNoCatalog = VESK_MESSAGE("The Besselian element files are missing!");
constexpr const char* messageNoCatalogDuringSearch =
    VESK_MESSAGE("The Besselian element files are missing! 1 ");
constexpr const char* messageStartHere =
    VESK_MESSAGE("Start vesk in the folder that holds the EC****.prn files.");
constexpr const char* messageCatalogEnded = VESK_MESSAGE("The Besselian element files have ended.");
constexpr const char* messageDamagedDataFile = VESK_MESSAGE("A data file is damaged!");
constexpr const char* messageSarosNotFound =
    VESK_MESSAGE("This Saros series has no eclipse within 400 years.");
constexpr const char* messageNoCityTable = VESK_MESSAGE("The city file (location.new) is missing!");
constexpr const char* messageStartWithCityTable =
    VESK_MESSAGE("Start vesk in the folder that holds location.new.");
// The limb screen without the lunar grid.
constexpr const char* messageNoLunarGrid =
    VESK_MESSAGE("The lunar elevation file (LRO.dat) is missing!");
constexpr const char* messageLunarGridTool =
    VESK_MESSAGE("vesk-make-lro of the package vesk-tools makes it from NASA PDS's LOLA lunar "
                 "topography (33 MB):");
// The command that makes the grid from the PDS product LDEM_16 into the user's data folder.
constexpr const char* lunarGridCommand =
    "vesk-make-lro --url https://pds-geosciences.wustl.edu/lro/lro-l-lola-3-rdr-v1/lrolol_1xxx/"
    "data/lola_gdr/cylindrical/img/ldem_16.lbl --out ~/.local/share/vesk/LRO.dat";
// Status bar messages of the window.
constexpr const char* messageCommandCopied =
    VESK_MESSAGE("The command is on the clipboard: paste it into a terminal.");
constexpr const char* messageNotCentral =
    VESK_MESSAGE("The place lies outside the central path. Choose a place inside it.");
// The checks of the dialogs' fields (%1 and %2: the bounds).
constexpr const char* messageInteger = VESK_MESSAGE("Enter a whole number.");
constexpr const char* messageIntegerBetween = VESK_MESSAGE("Enter a whole number from %1 to %2.");
constexpr const char* messageNumber = VESK_MESSAGE("Enter a number.");
constexpr const char* messageNumberBetween = VESK_MESSAGE("Enter a number from %1 to %2.");

} // namespace vesk
