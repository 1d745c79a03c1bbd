// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog_fields.h"

#include "checked_int.h"
#include "map_layout.h"
#include "messages.h"
#include "saros.h"
#include "timescales.h"
#include "view_commands.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vesk {

const FieldRule yearRule{true, -13000, 16999, true}, monthRule{true, 1, 12};
const FieldRule magnificationRule{false, 0, 5000}, lonRule{false, -360, 360},
    latRule{false, -90, 90}, tableStepRule{false, 0.01, 100}, drawStepRule{false, 0.001, 100},
    heightRule{false, 0, 4000}, deltaTRule{false, -100000, 100000},
    solarRadiusRule{false, minSolarRadiusArcsec, maxSolarRadiusArcsec};
const FieldRule sarosRule{true, -400, 400}, magnitudeRule{false, 0, 1.5},
    pastYearsRule{false, 0, 1000}, probabilityRule{false, 0, 1}, whenRule{false, -90, 360};

namespace {

// Years after the first eclipse of a series beyond which a Saros search restarts before it.
constexpr double sarosRestartYears = 1262.1;

std::string boundText(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The observer takes a row of the city table (1-based); an index that names no row keeps it.
void observerFromCity(ViewSettings& view, const CityTable& cities, std::optional<int> index) {
    if (!index || *index < 1 || *index > static_cast<int>(cities.rows.size()))
        return;
    const City& city = cities.rows[static_cast<std::size_t>(*index - 1)];
    view.observerLon = city.lon;
    view.observerLat = city.lat;
    view.observerHeight = city.height;
    view.observerMarked = true;
}

} // namespace

std::optional<FieldError> validateField(const std::string& text, const FieldRule& rule,
                                        double& value) {
    const std::string t = trimmed(text);
    if (const std::optional<double> year = rule.year ? parseYear(t) : std::nullopt;
        year && t.find_first_of("bB") != std::string::npos) {
        value = *year;
        if (value < rule.low || value > rule.high)
            return FieldError{messageIntegerBetween, boundText(rule.low), boundText(rule.high)};
        return std::nullopt;
    }
    if (rule.integer) {
        const std::size_t digits = t.empty() || (t[0] != '+' && t[0] != '-') ? 0 : 1;
        if (t.size() == digits || t.find_first_not_of("0123456789", digits) != std::string::npos)
            return FieldError{messageInteger, {}, {}};
        value = std::strtod(t.c_str(), nullptr);
        if (value < rule.low || value > rule.high)
            return FieldError{messageIntegerBetween, boundText(rule.low), boundText(rule.high)};
        return std::nullopt;
    }
    char* end = nullptr;
    value = std::strtod(t.c_str(), &end);
    if (t.empty() || *end != '\0' || !std::isfinite(value))
        return FieldError{messageNumber, {}, {}};
    if (value < rule.low || value > rule.high)
        return FieldError{messageNumberBetween, boundText(rule.low), boundText(rule.high)};
    return std::nullopt;
}

double roundTo(double x, double scale) {
    return std::floor(x * scale + 0.5) / scale;
}

WhenFields loadWhen(const ViewSettings& view) {
    return {std::trunc(view.year), std::trunc(view.month)};
}

void storeWhen(ViewSettings& view, const WhenFields& fields) {
    view.year = fields.year;
    view.month = fields.month;
}

DisplayFields loadDisplay(const ViewSettings& v, const DialogChoices& choices,
                          double mapCentreLon) {
    DisplayFields f;
    f.displayMode = v.displayMode;
    f.mapRange = v.mapRange;
    f.observerInputMode = choices.observerInput;
    f.magnification = roundTo(rangeMagnification(v), 100);
    f.centreLon = roundTo(v.centreLon, 10000);
    f.centreLat = roundTo(v.centreLat, 10000);
    f.tableLon = std::trunc(mapCentreLon / 15) * 15 - 90;
    f.tableStep = v.tableStep;
    f.drawStepMinutes = v.drawStepHours * 60;
    f.observerHeight = v.observerHeight;
    f.observerLon = roundTo(v.observerLon, 100000);
    f.observerLat = roundTo(v.observerLat, 100000);
    f.deltaTAdjust = v.deltaTAdjust;
    f.deltaTChoice = v.deltaTChoice;
    f.solarRadiusArcsec = v.solarRadiusArcsec.value_or(0);
    f.grid = v.gridLines;
    f.kml = v.kmlOutput;
    f.vectorBaseMap = v.baseMap == BaseMapKind::vector;
    f.mercator = v.projection == Projection::mercator;
    f.deltaTBand = v.deltaTBandSigmas > 0;
    f.legend = v.legend;
    f.fillCentralPath = v.fillCentralPath;
    f.durationCurves = v.durationCurves;
    f.trueLimits = v.trueLimits;
    f.englishNames = v.englishNames;
    f.northUp = v.northUp;
    f.cityIndex = v.observerCityIndex;
    return f;
}

void storeDisplay(ViewSettings& v, DialogChoices& choices, const DisplayFields& f,
                  const CityTable& cities) {
    v.observerCityIndex = f.cityIndex;
    v.displayMode = f.displayMode;
    v.kmlOutput = f.kml;
    v.deltaTAdjust = f.deltaTAdjust;
    v.deltaTChoice = f.deltaTChoice;
    v.solarRadiusArcsec =
        f.solarRadiusArcsec > 0 ? std::optional(f.solarRadiusArcsec) : std::nullopt;
    if (f.deltaTBand != (v.deltaTBandSigmas > 0))
        v.deltaTBandSigmas = f.deltaTBand ? dialogBandSigmas : 0;
    v.legend = f.legend;
    v.fillCentralPath = f.fillCentralPath;
    v.durationCurves = f.durationCurves;
    v.trueLimits = f.trueLimits;
    v.baseMap = f.vectorBaseMap ? BaseMapKind::vector : BaseMapKind::relief;
    v.projection = f.mercator ? Projection::mercator : Projection::globe;
    if (f.displayMode == displayPathMap) {
        v.mapRange = f.mapRange;
        v.gridLines = f.grid;
        v.drawStepHours = f.drawStepMinutes / 60;
        if (f.mapRange == MapRange::centred) {
            v.centreLon = roundTo(f.centreLon, 100000);
            v.centreLat = roundTo(f.centreLat, 100000);
            v.magnification = f.magnification;
        }
    }
    if (f.displayMode == displayCentralTable) {
        v.tableLon = f.tableLon;
        v.tableStep = f.tableStep;
    }
    v.northUp = f.northUp;
    if (isPlaceScreen(f.displayMode)) {
        choices.observerInput = f.observerInputMode;
        if (f.observerInputMode == ObserverInput::cityTable) {
            // With a typed place and no city chosen since, the observer stays where it is.
            observerFromCity(v, cities, v.observerCityIndex);
        } else {
            v.observerCityIndex = std::nullopt;
            v.observerLon = f.observerLon;
            v.observerLat = f.observerLat;
            v.observerHeight = f.observerHeight;
            v.observerMarked = true;
        }
    }
}

namespace {

using Seen = ModeFields::Seen;
using When = ModeFields::When;

// The dialog's choices of what a record saw, each with the phase of the evidence.
constexpr std::pair<Seen, SeenPhase> seenPhases[] = {{Seen::total, SeenPhase::total},
                                                     {Seen::annular, SeenPhase::annular},
                                                     {Seen::central, SeenPhase::central},
                                                     {Seen::magnitude, SeenPhase::magnitude}};

// The span of evidence a choice of When fills, and whether it is given in time-degrees.
std::pair<std::optional<Span> SightingEvidence::*, bool> spanOf(When when) {
    switch (when) {
    case When::sunAltitude:
        return {&SightingEvidence::sunAltitude, false};
    case When::apparentTime:
        return {&SightingEvidence::solarTime, false};
    case When::hoursAfterSunrise:
    case When::degreesAfterSunrise:
        return {&SightingEvidence::afterSunrise, when == When::degreesAfterSunrise};
    case When::hoursBeforeSunset:
    case When::degreesBeforeSunset:
        return {&SightingEvidence::beforeSunset, when == When::degreesBeforeSunset};
    case When::anyTime:
        break;
    }
    return {nullptr, false};
}

// The record's evidence of the search dialog's fields; none when it is not searched by.
std::optional<SightingEvidence> evidenceOf(const ModeFields& f) {
    if (f.seen == Seen::notSearched)
        return std::nullopt;
    SightingEvidence evidence;
    evidence.seen =
        std::ranges::find(seenPhases, f.seen, &std::pair<Seen, SeenPhase>::first)->second;
    evidence.minMagnitude = f.minMagnitude;
    if (const auto [span, timeDegrees] = spanOf(f.when); span) {
        const double unit = timeDegrees ? 1 / timeDegreesPerHour : 1;
        const auto [from, to] = std::minmax(f.whenFrom, f.whenTo);
        evidence.*span = Span{from * unit, to * unit};
    }
    return evidence;
}

// The dialog's fields of a record's evidence (its spans in hours).
void loadEvidence(const std::optional<SightingEvidence>& evidence, ModeFields& f) {
    if (!evidence)
        return;
    f.seen =
        std::ranges::find(seenPhases, evidence->seen, &std::pair<Seen, SeenPhase>::second)->first;
    for (const When when : {When::sunAltitude, When::apparentTime, When::hoursAfterSunrise,
                            When::hoursBeforeSunset}) {
        if (const std::optional<Span>& span = (*evidence).*spanOf(when).first) {
            f.when = when;
            f.whenFrom = span->from;
            f.whenTo = span->to;
        }
    }
}

} // namespace

ModeFields loadMode(const ViewSettings& v, const DialogChoices& choices, double sarosOnScreen) {
    ModeFields f;
    f.searchMode = v.searchMode;
    f.observerInputMode = choices.observerInput;
    f.saros = std::trunc(sarosOnScreen);
    f.observerLon = roundTo(v.observerLon, 100000);
    f.observerLat = roundTo(v.observerLat, 100000);
    f.observerHeight = v.observerHeight;
    f.minMagnitude = roundTo(v.searchMinMagnitude, 100);
    f.typePastYears = v.searchTypePastYears;
    f.placePastYears = v.searchPlacePastYears;
    f.minCentralProbability = v.searchMinCentralProbability;
    loadEvidence(v.searchEvidence, f);
    f.cityIndex = choices.searchCityIndex;
    f.searchType = choices.searchType;
    return f;
}

void storeMode(ViewSettings& v, DialogChoices& choices, const ModeFields& f,
               const CityTable& cities) {
    v.searchMode = f.searchMode;
    choices.searchCityIndex = f.cityIndex;
    choices.searchType = f.searchType;
    if (f.start)
        storeWhen(v, *f.start);
    if (f.searchMode == searchType) {
        v.searchTypePastYears = f.typePastYears;
        v.searchType = choices.searchType;
    }
    if (f.searchMode == searchPlace) {
        v.searchPlacePastYears = f.placePastYears;
        choices.observerInput = f.observerInputMode;
        v.searchMinMagnitude = f.minMagnitude;
        v.searchMinCentralProbability = f.minCentralProbability;
        v.searchEvidence = evidenceOf(f);
        if (f.observerInputMode == ObserverInput::cityTable) {
            observerFromCity(v, cities, choices.searchCityIndex);
        } else {
            v.observerLon = f.observerLon;
            v.observerLat = f.observerLat;
            v.observerHeight = f.observerHeight;
        }
    }
    if (f.searchMode == searchSarosNumber)
        v.searchSaros = f.saros;
    // A search that starts more than 1262.1 years after its series began restarts one year
    // before the series' first eclipse.
    if (const std::optional<double> first = sarosStartYear(v.searchSaros);
        first && v.year > *first + sarosRestartYears)
        v.year = *first - 1;
}

} // namespace vesk
