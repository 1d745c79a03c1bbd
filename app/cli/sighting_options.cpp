// SPDX-License-Identifier: GPL-3.0-or-later
#include "sighting_options.h"

#include "delta_t_ranges.h"
#include "eclipse_search.h"
#include "timescales.h"

namespace vesk {

namespace {

// What --seen says: a phase, or "magnitude:M" with M above 0 and at most 1.5.
std::optional<SightingEvidence> seenOf(const std::string& text) {
    SightingEvidence evidence;
    constexpr std::string_view magnitudePrefix = "magnitude:";
    if (text == "total")
        evidence.seen = SeenPhase::total;
    else if (text == "annular")
        evidence.seen = SeenPhase::annular;
    else if (text == "central")
        evidence.seen = SeenPhase::central;
    else if (text.starts_with(magnitudePrefix)) {
        const std::optional<double> m =
            wholeNumber(std::string_view(text).substr(magnitudePrefix.size()));
        if (!m || !(*m > 0 && *m <= 1.5))
            return std::nullopt;
        evidence.seen = SeenPhase::magnitude;
        evidence.minMagnitude = *m;
    } else {
        return std::nullopt;
    }
    return evidence;
}

} // namespace

std::optional<Span> parseSpan(const std::string& text, bool timeDegrees) {
    std::string_view rest = text;
    double unit = 1;
    constexpr std::string_view degrees = "deg";
    if (timeDegrees && rest.ends_with(degrees)) {
        rest.remove_suffix(degrees.size());
        unit = 1 / timeDegreesPerHour;
    }
    const std::size_t dots = rest.find("..");
    if (dots == std::string_view::npos)
        return std::nullopt;
    const std::optional<double> from = wholeNumber(rest.substr(0, dots));
    const std::optional<double> to = wholeNumber(rest.substr(dots + 2));
    if (!from || !to || *from > *to)
        return std::nullopt;
    return Span{*from * unit, *to * unit};
}

std::string applySightingOptions(const CommandLine& options, AppState& state, SearchCriteria& c) {
    const std::optional<std::string> seen = options.value("--seen");
    if (!seen) {
        for (const std::string& name : sightingOptions)
            if (options.has(name))
                return name + " goes with --seen";
        return "";
    }
    if (c.mode != searchPlace)
        return "--seen needs the place of the record: --place, or --lon and --lat";
    if (options.has("--min-mag") || options.has("--p-central"))
        return "--seen excludes --min-mag and --p-central";
    std::optional<SightingEvidence> evidence = seenOf(*seen);
    if (!evidence)
        return "--seen must be total, annular, central or magnitude:M (M above 0, at most 1.5), "
               "not '" +
               *seen + "'";
    struct SpanOption {
        const char* name;
        std::optional<Span> SightingEvidence::*span;
        bool timeDegrees;
        double lowest, highest;
    };
    for (const SpanOption& option :
         {SpanOption{"--sun-altitude", &SightingEvidence::sunAltitude, false, -90, 90},
          SpanOption{"--solar-time", &SightingEvidence::solarTime, true, 0, 24},
          SpanOption{"--after-sunrise", &SightingEvidence::afterSunrise, true, 0, 24},
          SpanOption{"--before-sunset", &SightingEvidence::beforeSunset, true, 0, 24}}) {
        const std::optional<std::string> text = options.value(option.name);
        if (!text)
            continue;
        const std::optional<Span> span = parseSpan(*text, option.timeDegrees);
        if (!span || span->from < option.lowest || span->to > option.highest)
            return std::string(option.name) + " must be a span A..B" +
                   (option.timeDegrees ? " of hours (or time-degrees: A..Bdeg)" : " of degrees") +
                   " within " + std::to_string(static_cast<int>(option.lowest)) + " to " +
                   std::to_string(static_cast<int>(option.highest)) + ", not '" + *text + "'";
        (*evidence).*option.span = span;
    }
    std::string error;
    const double pMin = options.number("--p-min", error).value_or(defaultSightingProbability);
    const std::optional<double> sigma = options.number("--sigma", error);
    if (!error.empty())
        return error;
    if (!(pMin > 0 && pMin <= 1))
        return "--p-min must lie above 0 and at most 1";
    constexpr double largestSigma = 1e6;
    if (sigma && !(*sigma > 0 && *sigma <= largestSigma))
        return "--sigma must lie above 0 and at most 1000000 seconds";
    ViewSettings& view = state.session.view;
    view.searchEvidence = evidence;
    view.searchSigma = sigma;
    view.searchMinCentralProbability = pMin;
    c.minCentralProbability = pMin;
    return "";
}

} // namespace vesk
