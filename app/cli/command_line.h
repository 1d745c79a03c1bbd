// SPDX-License-Identifier: GPL-3.0-or-later
// Options of the headless commands: "--name value" pairs and "--flag" switches.
#pragma once

#include "catalog.h"
#include "translation.h"
#include "view_settings.h"

#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

class CommandLine {
  public:
    // Splits args (after the command word) into options with values and flags; valueOptions
    // names the options that take a value. False with error set for an unknown or incomplete
    // option.
    bool parse(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
               const std::set<std::string>& flagOptions, std::string& error);

    bool hasFlag(const std::string& name) const { return flags.count(name) != 0; }
    bool has(const std::string& name) const { return values.count(name) != 0; }

    // The option's text, or nullopt when absent.
    std::optional<std::string> value(const std::string& name) const;

    // The option's value as a finite number; nullopt when absent. A value that is not a number
    // sets error and returns nullopt too.
    std::optional<double> number(const std::string& name, std::string& error) const;
    // The option's value as a whole number (a month, a count, a limit): nullopt when absent, or
    // with error set when it is not a number or has a fraction ("--month needs a whole number").
    std::optional<double> wholeValue(const std::string& name, std::string& error) const;
    // The month of --month (a whole number), with --day D (a whole number from 1 to 31) the
    // eclipse nearer that day picked out of a month with two, one at its start and one at its
    // end: month + (D - 0.5) / 32. nullopt when --month is absent; error set for a fraction, a
    // day out of range, or --day without --month.
    std::optional<double> eclipseMonth(std::string& error) const;
    // The option's value as a year: a number ("-762") or a year before Christ ("763 BC",
    // "763BC"); nullopt when absent, or with error set when it is neither or has a fraction.
    std::optional<double> year(const std::string& name, std::string& error) const;

  private:
    std::map<std::string, std::string> values;
    std::set<std::string> flags;
};

// A finite number that is the whole text, or nullopt.
std::optional<double> wholeNumber(std::string_view text);

// "A<separator>B" as two finite numbers, both parsed whole, or nullopt.
std::optional<std::pair<double, double>> numberPair(const std::string& text, char separator);

// The checks of the values the commands share: an error text, or empty. Years lie within the
// catalog's (-13000 to 16999), months from 1 to below 13, heights from -500 to 100,000 m.
std::string checkYearMonth(double year, double month);
std::string checkHeight(double metres);

// The options of the user's Delta T, which every command that finds an eclipse takes:
// --delta-t S (use this Delta T, seconds, for every eclipse), --delta-t-adjust S (seconds added
// to the model's), --delta-t-model smh2020|smh2016|em2006 and the flag --ndot-correction (the
// model's Delta T corrected to DE431's lunar tidal acceleration): into the view; an error text,
// or empty.
std::string applyDeltaTOptions(const CommandLine& options, ViewSettings& view);

} // namespace vesk
