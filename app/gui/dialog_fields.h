// SPDX-License-Identifier: GPL-3.0-or-later
// The values the settings dialogs load from the view settings and store into them, with the
// rules that check their text fields.
#pragma once

#include "city_table.h"
#include "session.h"

#include <optional>
#include <string>

namespace vesk {

// A field of a dialog as the framework exchanges it: an integer or a number within bounds; a
// year's integer may also be typed as a year before Christ ("763 BC").
struct FieldRule {
    bool integer = false;
    double low = 0, high = 0;
    bool year = false;
};

// Why the rule refuses a field's text: a message of messages.h, and the bounds for its %1
// and %2.
struct FieldError {
    const char* message;
    std::string low, high;
};

// The framework's message for a text that the rule refuses, or nullopt when it is accepted
// (the value then goes to value).
std::optional<FieldError> validateField(const std::string& text, const FieldRule& rule,
                                        double& value);

// round2, round4 and round5 of the dialogs.
double roundTo(double x, double scale);

// Year and month dialog.
struct WhenFields {
    double year = 0, month = 0;
};
extern const FieldRule yearRule, monthRule;
WhenFields loadWhen(const ViewSettings& settings);
void storeWhen(ViewSettings& settings, const WhenFields& fields);

// Where the dialogs take the observer from: a row of the city table or typed coordinates (the
// numbers are the dialogs' buttons).
enum class ObserverInput { cityTable = 0, typed = 1 };

// What the dialogs remember of their last use in a window: where the observer came from, the
// search dialog's row of the city table and the type chosen in its list.
struct DialogChoices {
    ObserverInput observerInput = ObserverInput::cityTable;
    std::optional<int> searchCityIndex = 1;
    int searchType = 2;
};

// Display dialog.
struct DisplayFields {
    DisplayMode displayMode = displayPathMap;
    ObserverInput observerInputMode = ObserverInput::cityTable;
    MapRange mapRange = MapRange::globe;
    double magnification = 0, centreLon = 0, centreLat = 0, tableLon = 0, tableStep = 0;
    double drawStepMinutes = 0, observerHeight = 0, observerLon = 0, observerLat = 0;
    double deltaTAdjust = 0;
    DeltaTChoice deltaTChoice;    // the model of Delta T and its n-dot correction
    double solarRadiusArcsec = 0; // the Sun's radius at 1 au; 0: the catalog's
    bool grid = false, kml = false, vectorBaseMap = false, mercator = false;
    bool deltaTBand = false; // the map's band of Delta T's uncertainty
    MapLegend legend = MapLegend::globes;
    bool fillCentralPath = false;
    bool durationCurves = false;
    bool trueLimits = false;      // the limits corrected for the lunar limb
    bool englishNames = false;    // the city list by its English names
    bool northUp = false;         // the view from the place with north up
    std::optional<int> cityIndex; // the row of the city list chosen (1-based), if any
};
// The band of the display dialog: +-2 standard errors.
constexpr double dialogBandSigmas = 2;
extern const FieldRule magnificationRule, lonRule, latRule, tableStepRule, drawStepRule, heightRule,
    deltaTRule, solarRadiusRule;
// mapCentreLon: the centre longitude of the last eclipse map.
DisplayFields loadDisplay(const ViewSettings& settings, const DialogChoices& choices,
                          double mapCentreLon);
void storeDisplay(ViewSettings& settings, DialogChoices& choices, const DisplayFields& fields,
                  const CityTable& cities);

// Search dialog.
struct ModeFields {
    SearchMode searchMode = searchAll;
    ObserverInput observerInputMode = ObserverInput::cityTable;
    double saros = 0, observerLon = 0, observerLat = 0, observerHeight = 0;
    double minMagnitude = 0, typePastYears = 0, placePastYears = 0;
    double minCentralProbability = 0; // the place search by it when above 0
    // A record's evidence: what was seen (the magnitude: at least minMagnitude) and when in the
    // day, from whenFrom to whenTo in the unit of the choice (0 to 90 until given).
    enum class Seen { notSearched, total, annular, central, magnitude };
    enum class When {
        anyTime,
        sunAltitude,
        apparentTime,
        hoursAfterSunrise,
        hoursBeforeSunset,
        degreesAfterSunrise,
        degreesBeforeSunset
    };
    Seen seen = Seen::notSearched;
    When when = When::anyTime;
    double whenFrom = 0, whenTo = 90;
    std::optional<int> cityIndex;    // the row of the city list chosen (1-based), if any
    int searchType = 2;              // the type stepped through, by its code 1 to 6
    std::optional<WhenFields> start; // the year and month the search starts from, when chosen
};
extern const FieldRule sarosRule, magnitudeRule, pastYearsRule, probabilityRule, whenRule;
ModeFields loadMode(const ViewSettings& settings, const DialogChoices& choices,
                    double sarosOnScreen);
void storeMode(ViewSettings& settings, DialogChoices& choices, const ModeFields& fields,
               const CityTable& cities);

} // namespace vesk
