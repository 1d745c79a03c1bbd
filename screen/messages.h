// SPDX-License-Identifier: GPL-3.0-or-later
// Messages that the program shows in place of a picture (white on black in the window, on
// standard error from the command line), in the status bar and in the dialogs. English is the
// source text; the window and the commands show the Japanese translation (context "vesk") unless
// the language is English.
#pragma once

#include "failure.h"

namespace vesk {

// Where a message in place of a picture begins (pixels from the left): indented, but the end of
// the catalog nearer the left edge.
constexpr int messageIndent = 50, catalogEndedLeft = 10;
constexpr int messageLeft(FailureKind what) {
    return what == FailureKind::catalogEnded ? catalogEndedLeft : messageIndent;
}

constexpr const char* messageSarosNotFound =
    VESK_MESSAGE("This Saros series has no eclipse within 400 years.");
// On a pinned map that does not show the eclipse chosen.
constexpr const char* messagePathOutsideView =
    VESK_MESSAGE("The path is outside this view: Home shows it.");
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
