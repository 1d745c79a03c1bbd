// SPDX-License-Identifier: GPL-3.0-or-later
#include "view_commands.h"

#include "angles.h"
#include "checked_int.h"
#include "messages.h"
#include "redraw_pipeline.h"
#include "saros.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vesk {

const FieldRule yearRule{true, -13000, 16999}, monthRule{true, 1, 12};
const FieldRule magnificationRule{false, 0, 5000}, lonRule{false, -360, 360},
    latRule{false, -90, 90}, tableStepRule{false, 0.01, 100}, drawStepRule{false, 0.001, 100},
    heightRule{false, 0, 4000}, deltaTRule{false, -100000, 100000};
const FieldRule sarosRule{true, -400, 400}, magnitudeRule{false, 0, 1.5},
    pastYearsRule{false, 0, 1000}, probabilityRule{false, 0, 1};

namespace {

// The magnifications the mouse wheel keeps within (those of the display dialog's field).
constexpr double minWheelMagnification = 0.5, maxWheelMagnification = 5000;

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
void observerFromCity(ViewState& view, const CityTable& cities, std::optional<int> index) {
    if (!index || *index < 1 || *index > static_cast<int>(cities.rows.size()))
        return;
    const City& city = cities.rows[static_cast<std::size_t>(*index - 1)];
    view.observerLon = city.lon;
    view.observerLat = city.lat;
    view.observerHeight = city.height;
}

} // namespace

bool insideMap(const ViewState& view, const MapProjection& p, int x, int y) {
    const double dx = view.mapCentreX - x, dy = view.mapCentreY - y;
    if (dx * dx + dy * dy > p.mapRadius * p.mapRadius)
        return false;
    const int r = static_cast<int>(p.mapRadius);
    return !((view.mapRange == MapRange::asia || view.mapRange == MapRange::europe) &&
             (std::fabs(dx) > r || std::fabs(dy) > r));
}

std::optional<std::pair<double, double>> mapHitTest(const ViewState& view, const MapProjection& p,
                                                    int x, int y) {
    if (!insideMap(view, p, x, y))
        return std::nullopt;
    const std::optional<std::pair<double, double>> found = pixelToLonLat(p, view, x, y);
    if (!found)
        return std::nullopt;
    return std::pair{foldedLongitude(found->first), found->second};
}

void zoomMap(ViewState& view, const MapProjection& p, double factor) {
    if (view.displayMode != displayPathMap)
        return;
    view.mapScale = p.mapRadius * factor;
    view.redrawAction = redrawShow;
}

bool panMap(ViewState& view, const MapProjection& p, int dx, int dy) {
    if (view.displayMode != displayPathMap || (dx == 0 && dy == 0))
        return false;
    if (view.projection != Projection::globe) {
        view.mapRange = MapRange::centred;
        view.centreLon = foldedLongitude(mapCentreLon(p) - dx / p.mapRadius / degToRad);
        view.centreLat = 0;
        view.redrawAction = redrawShow;
        return true;
    }
    const std::optional<std::pair<double, double>> centre =
        pixelToLonLat(p, view, view.mapCentreX - dx, view.mapCentreY - dy);
    if (!centre)
        return false;
    view.mapScale = p.mapRadius;
    recentreMap(view, foldedLongitude(centre->first), centre->second);
    return true;
}

namespace {

// The globe's radius after a zoom by factor, within the wheel's magnifications.
double zoomedRadius(const ViewState& view, const MapProjection& p, double factor) {
    return std::clamp(p.mapRadius * factor, view.baseRadius * minWheelMagnification,
                      view.baseRadius * maxWheelMagnification);
}

bool zooms(const ViewState& view, double factor) {
    return view.displayMode == displayPathMap && view.projection == Projection::globe && factor > 0;
}

} // namespace

bool zoomMapAt(ViewState& view, const MapProjection& p, int width, int height, int x, int y,
               double factor) {
    const std::optional<std::pair<double, double>> under = mapHitTest(view, p, x, y);
    if (!zooms(view, factor) || !under)
        return false;
    // The new centre is the one from which the pixel's point, on the globe of the new radius in
    // the regional layout, lies where it lies now.
    ViewState regional = view;
    regional.mapRange = MapRange::centred;
    layoutView(regional, width, height);
    const double radius = zoomedRadius(view, p, factor);
    const GeoPoint centre{mapCentreLon(p), mapCentreLat(p)};
    const GeoPoint kept =
        orthographicCentreSeeing({under->first, under->second}, (x - regional.mapCentreX) / radius,
                                 (regional.mapCentreY - y) / radius, centre)
            .value_or(centre);
    view.mapScale = radius;
    recentreMap(view, foldedLongitude(kept.lon), kept.lat);
    return true;
}

bool zoomMapAtCentre(ViewState& view, const MapProjection& p, double factor) {
    if (!zooms(view, factor))
        return false;
    view.mapScale = zoomedRadius(view, p, factor);
    recentreMap(view, foldedLongitude(mapCentreLon(p)), mapCentreLat(p));
    return true;
}

void unzoom(ViewState& view) {
    view.displayMode = displayPathMap;
    view.mapRange = MapRange::globe;
    view.redrawAction = redrawShow;
}

void backToMap(ViewState& view) {
    view.displayMode = displayPathMap;
    view.redrawAction = redrawShow;
}

void showLocalInfo(ViewState& view) {
    view.displayMode = displayLocal;
    view.redrawAction = redrawShow;
}

void nextEclipse(ViewState& view) {
    view.redrawAction = redrawNextMatch;
}

void recentreMap(ViewState& view, double lon, double lat) {
    view.mapRange = MapRange::centred;
    view.centreLon = lon;
    view.centreLat = lat;
    view.redrawAction = redrawShow;
}

void placeObserver(ViewState& view, double lon, double lat, double height, ObserverPlace place) {
    view.observerInputMode = ObserverInput::typed;
    view.observerCityIndex = std::nullopt;
    view.observerLon = lon;
    view.observerLat = lat;
    view.observerHeight = height;
    place.lon = lon;
    place.lat = lat;
    view.observerPlace = std::move(place);
}

void observeFrom(ViewState& view, double lon, double lat, double groundHeight) {
    ObserverPlace place;
    place.heightSource = HeightSource::reliefGrid;
    placeObserver(view, lon, lat, groundHeight, place);
    view.displayMode = displayLocal;
    view.redrawAction = redrawShow;
}

void previousEclipse(Session& s, const SearchMessage& message) {
    ViewState& v = s.view;
    if (v.searchMode != searchAll) {
        double year = v.year, month = v.month;
        findPreviousMatch(s, message, v.year, s.shown.record.jd,
                          viewSearchCriteria(v, s.shown.record.saros), year, month);
        v.year = year;
        v.month = month;
    } else {
        v.year = s.catalog.prevYear;
        v.month = s.catalog.prevMonth;
    }
    v.redrawAction = redrawShow;
}

bool showListedEclipse(Session& s) {
    // With no hit there is nothing to show: the view stays as it is.
    if (s.searchHits.empty())
        return false;
    const std::size_t index = static_cast<std::size_t>(
        std::clamp(s.selectedHit, 0, static_cast<int>(s.searchHits.size()) - 1));
    const SearchHit& hit = s.searchHits[index];
    s.view.year = hit.year;
    s.view.month = hit.month + hit.day / 32;
    s.view.redrawAction = redrawShow;
    return true;
}

std::optional<FieldError> validateField(const std::string& text, const FieldRule& rule,
                                        double& value) {
    const std::string t = trimmed(text);
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

WhenFields loadWhen(const ViewState& view) {
    return {std::trunc(view.year), std::trunc(view.month)};
}

void storeWhen(ViewState& view, const WhenFields& fields) {
    view.year = fields.year;
    view.month = fields.month;
}

DisplayFields loadDisplay(const ViewState& v, double mapCentreLon) {
    DisplayFields f;
    f.displayMode = v.displayMode;
    f.mapRange = v.mapRange;
    f.observerInputMode = v.observerInputMode;
    f.magnification = v.baseRadius > 0 ? roundTo(v.mapScale / v.baseRadius, 100) : 0;
    f.centreLon = roundTo(v.centreLon, 10000);
    f.centreLat = roundTo(v.centreLat, 10000);
    f.tableLon = std::trunc(mapCentreLon / 15) * 15 - 90;
    f.tableStep = v.tableStep;
    f.drawStepMinutes = v.drawStepHours * 60;
    f.observerHeight = v.observerHeight;
    f.observerLon = roundTo(v.observerLon, 100000);
    f.observerLat = roundTo(v.observerLat, 100000);
    f.deltaTAdjust = v.deltaTAdjust;
    f.grid = v.gridLines;
    f.kml = v.kmlOutput;
    f.vectorBaseMap = v.baseMap == BaseMapKind::vector;
    f.mercator = v.projection == Projection::mercator;
    f.deltaTBand = v.deltaTBandSigmas > 0;
    f.legend = v.legend;
    f.fillCentralPath = v.fillCentralPath;
    f.durationCurves = v.durationCurves;
    f.englishNames = v.englishNames;
    return f;
}

void storeDisplay(ViewState& v, const DisplayFields& f, const CityTable& cities) {
    v.displayMode = f.displayMode;
    v.kmlOutput = f.kml;
    v.deltaTAdjust = f.deltaTAdjust;
    if (f.deltaTBand != (v.deltaTBandSigmas > 0))
        v.deltaTBandSigmas = f.deltaTBand ? dialogBandSigmas : 0;
    v.legend = f.legend;
    v.fillCentralPath = f.fillCentralPath;
    v.durationCurves = f.durationCurves;
    v.baseMap = f.vectorBaseMap ? BaseMapKind::vector : BaseMapKind::relief;
    v.projection = f.mercator ? Projection::mercator : Projection::globe;
    if (f.displayMode == displayPathMap) {
        v.mapRange = f.mapRange;
        v.gridLines = f.grid;
        v.drawStepHours = f.drawStepMinutes / 60;
        if (f.mapRange == MapRange::centred) {
            v.centreLon = roundTo(f.centreLon, 100000);
            v.centreLat = roundTo(f.centreLat, 100000);
            v.mapScale = roundTo(f.magnification * v.baseRadius, 100);
        }
    }
    if (f.displayMode == displayCentralTable) {
        v.tableLon = f.tableLon;
        v.tableStep = f.tableStep;
    }
    if (f.displayMode == displayLocal) {
        v.observerInputMode = f.observerInputMode;
        if (f.observerInputMode == ObserverInput::cityTable) {
            // With a typed place and no city chosen since, the observer stays where it is.
            observerFromCity(v, cities, v.observerCityIndex);
        } else {
            v.observerCityIndex = std::nullopt;
            v.observerLon = f.observerLon;
            v.observerLat = f.observerLat;
            v.observerHeight = f.observerHeight;
        }
    }
    v.redrawAction = redrawShow;
}

ModeFields loadMode(const ViewState& v, double sarosOnScreen) {
    ModeFields f;
    f.searchMode = v.searchMode;
    f.observerInputMode = v.observerInputMode;
    f.saros = std::trunc(sarosOnScreen);
    f.observerLon = roundTo(v.observerLon, 100000);
    f.observerLat = roundTo(v.observerLat, 100000);
    f.observerHeight = v.observerHeight;
    f.minMagnitude = roundTo(v.searchMinMagnitude, 100);
    f.typePastYears = v.searchTypePastYears;
    f.placePastYears = v.searchPlacePastYears;
    f.minCentralProbability = v.searchMinCentralProbability;
    return f;
}

void storeMode(ViewState& v, const ModeFields& f, int pendingSearchType, const CityTable& cities) {
    v.searchMode = f.searchMode;
    if (f.searchMode == searchType) {
        v.searchTypePastYears = f.typePastYears;
        v.searchType = pendingSearchType;
    }
    if (f.searchMode == searchPlace) {
        v.searchPlacePastYears = f.placePastYears;
        v.observerInputMode = f.observerInputMode;
        v.searchMinMagnitude = f.minMagnitude;
        v.searchMinCentralProbability = f.minCentralProbability;
        if (f.observerInputMode == ObserverInput::cityTable) {
            observerFromCity(v, cities, v.searchCityIndex);
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
    v.redrawAction = redrawShow;
}

} // namespace vesk
