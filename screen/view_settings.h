// SPDX-License-Identifier: GPL-3.0-or-later
// What the user has asked to see and how: display mode, map range and projection, drawing
// options, observing place, the year and month asked for and the search settings. One per window;
// a repaint works on a copy of it.
#pragma once

#include "catalog.h"
#include "observed_shadow.h"
#include "observer_place.h"
#include "sighting_evidence.h"

#include <optional>

namespace vesk {

// Display modes.
// An instant at which the map shows the shadow: hours of UT on the day of greatest eclipse, or
// a Julian date (UT).
struct ShadowInstant {
    double value = 0;
    bool julianDate = false;
};

// When the eclipse map draws its legend: on the globe, whole or regional (the default; not on the
// Mercator map), always, never.
enum class MapLegend { globes, always, never };

enum DisplayMode {
    displayPathMap = 0,
    displayCentralTable = 1,
    displayLocal = 2,
    displayPlaceView = 3 // the Sun and the Moon seen from the observing place
};

// Search modes.
enum SearchMode { searchAll = 0, searchType = 1, searchPlace = 2, searchSarosNumber = 3 };

// What the map shows: the whole globe about greatest eclipse, the Asian or the European range,
// or a typed centre and magnification (the numbers are the display dialog's buttons).
enum class MapRange { globe = 0, asia = 1, europe = 2, centred = 3 };

// The globe (orthographic) or the Mercator map (the numbers are those of the display dialog).
enum class Projection { globe = 1, mercator = 2 };

// The base map under the curves.
enum class BaseMapKind { none = 0, relief = 1, vector = 2 };

// The Sun's angular radii (arcseconds at 1 au) the settings take.
constexpr double minSolarRadiusArcsec = 900, maxSolarRadiusArcsec = 1000;

struct ViewSettings {
    DisplayMode displayMode = displayPathMap;
    MapRange mapRange = MapRange::globe;
    Projection projection = Projection::globe;
    BaseMapKind baseMap = BaseMapKind::relief; // relief raster or vector lines
    double centreLon = 0, centreLat = 0;       // map centre of MapRange::centred, degrees
    double magnification = 1; // the globe's radius of MapRange::centred, in whole-globe radii
    // The centred map stays where the user put it when another eclipse is chosen (else it moves
    // to the new eclipse's greatest eclipse where that lies outside it).
    bool viewPinned = false;
    bool gridLines = false;           // the latitude/longitude grid is drawn
    double drawStepHours = 1.0 / 600; // curve drawing step (0.1 minute)
    double tableStep = 15;            // step of the central band table
    double tableLon = 0;              // start longitude of the central band table
    bool kmlOutput = false;           // write KML while drawing the path map
    DeltaTChoice deltaTChoice;        // the model of Delta T and its n-dot correction
    double deltaTAdjust = 0;          // seconds added to the Delta T model
    std::optional<double> userDeltaT; // seconds: the Delta T of every eclipse, instead of those
    double deltaTBandSigmas = 0;      // the map's band of +-K standard errors of Delta T; 0: none
    MapLegend legend = MapLegend::globes; // when the map's legend and curve labels are drawn
    bool fillCentralPath = false;         // the central path shaded between its limits
    bool durationCurves = false;          // the curves of equal duration inside the path
    bool trueLimits = false;       // the limits corrected for the lunar limb, on regional maps
    bool limitsAtSeaLevel = false; // those limits for places at sea level, not on the ground
    // The Sun's angular radius at 1 au (arcseconds) the cones are re-derived for; none: the
    // catalog's radius (696,000 km).
    std::optional<double> solarRadiusArcsec;
    // The instant of the shadow on the map and of the screens of the observing place (none: the
    // map draws no shadow, the place's screens show the maximum).
    std::optional<ShadowInstant> shadowAt;
    bool northUp = false; // the view from the place with north up (else the zenith)
    // The city table's row (from 1) of the observer; none: the observer is a typed place.
    std::optional<int> observerCityIndex = 1;
    double observerLon = 135;    // degrees east
    double observerLat = 35;     // degrees north
    double observerHeight = 0;   // metres
    ObserverPlace observerPlace; // its name, time zone and the source of its height
    bool observerMarked = false; // the user chose the observer: its place is marked on the maps
    bool englishNames = false;   // observing places by their English names (English texts)
    double textScale = 1;        // text size: 1 (100 %), 1.25, 1.5 or 2
    double year = 0, month = 0;  // asked for; after a repaint, the UT year and month shown
    SearchMode searchMode = searchAll;
    int searchType = 2;               // type code searched for
    double searchTypePastYears = 20;  // past search range of the type search, years
    double searchPlacePastYears = 50; // past search range of the place search, years
    double searchMinMagnitude = 0.5;
    double searchMinCentralProbability = 0; // the place search by it when above 0
    // A record's evidence: the place search by the chance of that sighting, at least
    // searchMinCentralProbability (defaultSightingProbability where that is 0), under Delta T's
    // standard error searchSigma (seconds; none: the model's).
    std::optional<SightingEvidence> searchEvidence;
    std::optional<double> searchSigma;
    double searchSaros = 145;
};

// The Delta T (seconds) of an eclipse as the view shows it: the chosen model's at greatest eclipse
// (recordDeltaT) and the user's adjustment, or the Delta T the user gave.
inline double viewDeltaT(const EclipseRecord& record, const ViewSettings& view) {
    return view.userDeltaT ? *view.userDeltaT
                           : recordDeltaT(record, view.deltaTChoice) + view.deltaTAdjust;
}

// The view's observer.
inline Observer viewObserver(const ViewSettings& view) {
    return observerAt(view.observerLon, view.observerLat, view.observerHeight);
}

} // namespace vesk
