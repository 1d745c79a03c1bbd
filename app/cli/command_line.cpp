// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include "messages.h"
#include "timescales.h"

#include <charconv>
#include <cmath>

namespace vesk {

bool CommandLine::parse(const std::vector<std::string>& args,
                        const std::set<std::string>& valueOptions,
                        const std::set<std::string>& flagOptions, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (flagOptions.count(arg) != 0) {
            flags.insert(arg);
        } else if (valueOptions.count(arg) != 0) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            values[arg] = args[++i];
        } else {
            error = "unknown option '" + arg + "'";
            return false;
        }
    }
    return true;
}

std::optional<std::string> CommandLine::value(const std::string& name) const {
    const auto found = values.find(name);
    if (found == values.end())
        return std::nullopt;
    return found->second;
}

std::optional<double> CommandLine::number(const std::string& name, std::string& error) const {
    const auto found = values.find(name);
    if (found == values.end())
        return std::nullopt;
    const std::string& text = found->second;
    double value = 0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (status != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        error = name + " needs a number, not '" + text + "'";
        return std::nullopt;
    }
    return value;
}

std::optional<double> CommandLine::wholeValue(const std::string& name, std::string& error) const {
    const std::optional<double> value = number(name, error);
    if (value && *value != std::trunc(*value)) {
        error = name + " needs a whole number, not '" + *CommandLine::value(name) + "'";
        return std::nullopt;
    }
    return value;
}

std::optional<double> CommandLine::eclipseMonth(std::string& error) const {
    constexpr double daysAMonthAtMost = 31, dayFractionOfAMonth = 32;
    const std::optional<double> month = wholeValue("--month", error);
    const std::optional<double> day = wholeValue("--day", error);
    if (!error.empty())
        return std::nullopt;
    if (day && !month) {
        error = "--day goes with --month";
        return std::nullopt;
    }
    if (day && !(*day >= 1 && *day <= daysAMonthAtMost)) {
        error = "--day must lie from 1 to 31";
        return std::nullopt;
    }
    // the catalog takes a fraction below a half for the eclipse at a month's start, above it for
    // the one at its end: day 16 is the start's, day 17 the end's
    const double fraction = day ? (*day - 0.5) / dayFractionOfAMonth : 0;
    return month ? std::optional(*month + fraction) : std::nullopt;
}

std::optional<double> CommandLine::year(const std::string& name, std::string& error) const {
    const std::optional<std::string> text = value(name);
    if (!text)
        return std::nullopt;
    const std::optional<double> year = parseYear(*text);
    if (year && *year == std::trunc(*year))
        return year;
    error = name + (year ? " needs a whole year" : " needs a year such as -762 or 763 BC") +
            ", not '" + *text + "'";
    return std::nullopt;
}

std::optional<double> wholeNumber(std::string_view text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::pair<double, double>> numberPair(const std::string& text, char separator) {
    const std::size_t at = text.find(separator);
    if (at == std::string::npos)
        return std::nullopt;
    const std::string_view view = text;
    const auto a = wholeNumber(view.substr(0, at)), b = wholeNumber(view.substr(at + 1));
    if (!a || !b)
        return std::nullopt;
    return std::pair{*a, *b};
}

std::string checkYearMonth(double year, double month) {
    if (!(year >= firstCatalogYear && year < lastCatalogYear + 1))
        return "year out of range: the catalog's years are -13000 to 16999";
    if (!(month >= 1 && month < 13))
        return "--month must lie from 1 to 12";
    return "";
}

std::string checkHeight(double metres) {
    constexpr double lowest = -500, highest = 100000;
    if (!(metres >= lowest && metres <= highest))
        return "--height must lie from -500 to 100000 metres";
    return "";
}

std::string applyDeltaTOptions(const CommandLine& options, ViewSettings& view) {
    // The model's Delta T reaches about 700,000 s at -13000.
    constexpr double largestDeltaT = 1e7;
    std::string error;
    const std::optional<double> fixed = options.number("--delta-t", error);
    const std::optional<double> adjust = options.number("--delta-t-adjust", error);
    if (!error.empty())
        return error;
    if (fixed && adjust)
        return "--delta-t and --delta-t-adjust exclude each other";
    for (const std::optional<double>& seconds : {fixed, adjust})
        if (seconds && !(std::fabs(*seconds) <= largestDeltaT))
            return "--delta-t and --delta-t-adjust must lie from -10000000 to 10000000 seconds";
    if (const std::optional<std::string> name = options.value("--delta-t-model")) {
        const std::optional<DeltaTModel> model = parseDeltaTModel(*name);
        if (!model)
            return "--delta-t-model must be smh2020, smh2016 or em2006, not '" + *name + "'";
        view.deltaTChoice.model = *model;
    }
    if (fixed && (options.has("--delta-t-model") || options.hasFlag("--ndot-correction")))
        return "--delta-t gives Delta T itself: it excludes --delta-t-model and --ndot-correction";
    view.deltaTChoice.ndotCorrected = options.hasFlag("--ndot-correction");
    if (fixed)
        view.userDeltaT = *fixed;
    if (adjust)
        view.deltaTAdjust = *adjust;
    return "";
}

} // namespace vesk
