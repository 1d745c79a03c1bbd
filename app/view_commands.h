// SPDX-License-Identifier: GPL-3.0-or-later
// What the view's commands, mouse gestures and settings dialogs do to the view state, apart
// from any window: the hit test of a point of the map, the commands' state changes, and the
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

// The longitude and latitude under a view pixel of the last map, or nullopt outside the map.
std::optional<std::pair<double, double>> mapHitTest(const ViewState& view,
                                                    const MapProjection& projection, int x, int y);
// Steps 1 and 2 of the hit test alone: inside the disc (and the square of a regional map).
bool insideMap(const ViewState& view, const MapProjection& projection, int x, int y);

// The commands (each leaves redrawAction as the repaint must see it).
void zoomMap(ViewState& view, const MapProjection& projection, double factor);
void unzoom(ViewState& view);
void backToMap(ViewState& view);
void showLocalInfo(ViewState& view);
void nextEclipse(ViewState& view);
void recentreMap(ViewState& view, double lon, double lat);
// Puts the observer at a typed, clicked or named place (its zone found later from the position
// unless place has one).
void placeObserver(ViewState& view, double lon, double lat, double height, ObserverPlace place);
// The local circumstances of a clicked point, at the relief grid's height of the ground there.
void observeFrom(ViewState& view, double lon, double lat, double groundHeight);
// Moves the map by a drag of (dx, dy) view pixels. On the globe the point under the start of
// the drag follows the pointer: the map centre becomes the point dx, dy pixels from the centre
// against the drag, in the regional range at the present magnification. On Mercator the map
// shifts east or west. False (nothing changed) where there is no map to move.
bool panMap(ViewState& view, const MapProjection& projection, int dx, int dy);
// Zooms the globe by a factor about the pixel (x, y) of a view of width x height pixels: the
// point under it stays under it, to a pixel, in the regional layout that the view then takes;
// where no centre can keep it (out near the rim), the centre stays. From the whole globe or a
// fixed range it enters the regional range. False where nothing changes (Mercator, another
// display, a pixel off the globe).
bool zoomMapAt(ViewState& view, const MapProjection& projection, int width, int height, int x,
               int y, double factor);
// Zooms the globe by a factor about its centre, which stays the centre.
bool zoomMapAtCentre(ViewState& view, const MapProjection& projection, double factor);

// Steps back: by the previous-match search, or to the entry read before the current one.
void previousEclipse(Session& session, const SearchMessage& message);
// The hit of the list chosen by selectedHit; false (and nothing changed) when the list is empty.
bool showListedEclipse(Session& session);

// A field of a dialog as the framework exchanges it: an integer or a number within bounds.
struct FieldRule {
    bool integer = false;
    double low = 0, high = 0;
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
WhenFields loadWhen(const ViewState& view);
void storeWhen(ViewState& view, const WhenFields& fields);

// Display dialog.
struct DisplayFields {
    DisplayMode displayMode = displayPathMap;
    ObserverInput observerInputMode = ObserverInput::cityTable;
    MapRange mapRange = MapRange::globe;
    double magnification = 0, centreLon = 0, centreLat = 0, tableLon = 0, tableStep = 0;
    double drawStepMinutes = 0, observerHeight = 0, observerLon = 0, observerLat = 0;
    double deltaTAdjust = 0;
    bool grid = false, kml = false, vectorBaseMap = false, mercator = false;
    bool deltaTBand = false; // the map's band of Delta T's uncertainty
    MapLegend legend = MapLegend::regional;
    bool fillCentralPath = false;
    bool durationCurves = false;
    bool englishNames = false; // the city list by its English names
};
// The band of the display dialog: +-2 standard errors.
constexpr double dialogBandSigmas = 2;
extern const FieldRule magnificationRule, lonRule, latRule, tableStepRule, drawStepRule, heightRule,
    deltaTRule;
// mapCentreLon: the centre longitude of the last eclipse map.
DisplayFields loadDisplay(const ViewState& view, double mapCentreLon);
void storeDisplay(ViewState& view, const DisplayFields& fields, const CityTable& cities);

// Search dialog.
struct ModeFields {
    SearchMode searchMode = searchAll;
    ObserverInput observerInputMode = ObserverInput::cityTable;
    double saros = 0, observerLon = 0, observerLat = 0, observerHeight = 0;
    double minMagnitude = 0, typePastYears = 0, placePastYears = 0;
    double minCentralProbability = 0; // the place search by it when above 0
};
extern const FieldRule sarosRule, magnitudeRule, pastYearsRule, probabilityRule;
ModeFields loadMode(const ViewState& view, double sarosOnScreen);
// pendingSearchType: the type chosen in the dialog's list.
void storeMode(ViewState& view, const ModeFields& fields, int pendingSearchType,
               const CityTable& cities);

} // namespace vesk
