// SPDX-License-Identifier: GPL-3.0-or-later
// What the view's commands, mouse gestures and settings dialogs do to the view settings, apart
// from any window: the hit test of a point of the map shown, the commands' changes, and the
// values the three dialogs load and store with their validation rules.
#pragma once

#include "city_table.h"
#include "eclipse_search.h"
#include "map_projection.h"
#include "session.h"

#include <optional>
#include <string>
#include <vector>

namespace vesk {

// The map of the picture shown: where it lies in the view, its projection and its range.
struct ShownMap {
    MapLayout layout;
    MapProjection projection;
    MapRange range = MapRange::globe;
};

// The longitude and latitude under a view pixel of the map shown, or nullopt outside the map.
std::optional<std::pair<double, double>> mapHitTest(const ShownMap& map, int x, int y);
// Steps 1 and 2 of the hit test alone: inside the disc (and the square of a regional map).
bool insideMap(const ShownMap& map, int x, int y);

// The commands' changes to the settings.
void zoomMap(ViewSettings& settings, const ShownMap& map, double factor);
void unzoom(ViewSettings& settings);
void backToMap(ViewSettings& settings);
void showLocalInfo(ViewSettings& settings);
void showPlaceView(ViewSettings& settings);
// A screen of the observing place: the one shown, else the local circumstances.
void showPlaceScreen(ViewSettings& settings);
bool isPlaceScreen(DisplayMode mode);
// Centres the map on (lon, lat) in the regional range, at a magnification in whole-globe radii.
void recentreMap(ViewSettings& settings, double lon, double lat, double magnification);
// Puts the observer at a typed, clicked or named place (its zone found later from the position
// unless place has one).
void placeObserver(ViewSettings& settings, double lon, double lat, double height,
                   ObserverPlace place);
// The screen of the observing place (see showPlaceScreen) for a clicked point, at the relief grid's
// height of the ground there.
void observeFrom(ViewSettings& settings, double lon, double lat, double groundHeight);
// Moves the map by a drag of (dx, dy) view pixels. On the globe the point under the start of
// the drag follows the pointer: the map centre becomes the point dx, dy pixels from the centre
// against the drag, in the regional range at the present magnification. On Mercator the map
// shifts east or west. False (nothing changed) where there is no map to move.
bool panMap(ViewSettings& settings, const ShownMap& map, int dx, int dy);
// Zooms the globe by a factor about the pixel (x, y) of a view of width x height pixels: the
// point under it stays under it, to a pixel, in the regional layout that the view then takes;
// where no centre can keep it (out near the rim), the centre stays. From the whole globe or a
// fixed range it enters the regional range. False where nothing changes (Mercator, another
// display, a pixel off the globe).
bool zoomMapAt(ViewSettings& settings, const ShownMap& map, int width, int height, int x, int y,
               double factor);
// Zooms the globe by a factor about its centre, which stays the centre.
bool zoomMapAtCentre(ViewSettings& settings, const ShownMap& map, double factor);
// The list's hit chosen by selected (clamped to the list) on the map of the whole globe; false
// (and nothing changed) when the list is empty.
bool showListedEclipse(ViewSettings& settings, const std::vector<SearchHit>& hits, int selected);

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
    bool trueLimits = false;   // the limits corrected for the lunar limb
    bool englishNames = false; // the city list by its English names
    bool northUp = false;      // the view from the place with north up
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
};
extern const FieldRule sarosRule, magnitudeRule, pastYearsRule, probabilityRule, whenRule;
ModeFields loadMode(const ViewSettings& settings, const DialogChoices& choices,
                    double sarosOnScreen);
void storeMode(ViewSettings& settings, DialogChoices& choices, const ModeFields& fields,
               const CityTable& cities);

} // namespace vesk
