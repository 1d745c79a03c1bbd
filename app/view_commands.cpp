// SPDX-License-Identifier: GPL-3.0-or-later
#include "view_commands.h"

#include "angles.h"
#include "redraw_pipeline.h"

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

// The magnifications the mouse wheel keeps within (those of the display dialog's field).
constexpr double minWheelMagnification = 0.5, maxWheelMagnification = 5000;

} // namespace

namespace {

// The radius in use of the map shown, in whole-globe radii.
double shownMagnification(const Projector& map) {
    return map.layout.baseRadius > 0 ? map.projection.mapRadius / map.layout.baseRadius : 1;
}

} // namespace

void zoomMap(ViewSettings& view, const Projector& map, double factor) {
    if (view.displayMode != displayPathMap)
        return;
    view.magnification = shownMagnification(map) * factor;
}

bool panMap(ViewSettings& view, const Projector& map, int dx, int dy) {
    if (view.displayMode != displayPathMap || (dx == 0 && dy == 0))
        return false;
    const MapProjection& p = map.projection;
    if (view.projection != Projection::globe) {
        view.mapRange = MapRange::centred;
        view.centreLon = foldedLongitude(mapCentreLon(p) - dx / p.mapRadius / degToRad);
        view.centreLat = 0;
        return true;
    }
    const std::optional<std::pair<double, double>> centre =
        pixelToLonLat(p, map.layout, map.layout.mapCentreX - dx, map.layout.mapCentreY - dy);
    if (!centre)
        return false;
    recentreMap(view, foldedLongitude(centre->first), centre->second, shownMagnification(map));
    return true;
}

namespace {

// The globe's magnification after a zoom by factor, within the wheel's magnifications.
double zoomedMagnification(const Projector& map, double factor) {
    return std::clamp(shownMagnification(map) * factor, minWheelMagnification,
                      maxWheelMagnification);
}

bool zooms(const ViewSettings& view, double factor) {
    return view.displayMode == displayPathMap && view.projection == Projection::globe && factor > 0;
}

} // namespace

bool zoomMapAt(ViewSettings& view, const Projector& map, int width, int height, int x, int y,
               double factor) {
    const std::optional<GeoPoint> under = map.toGeo(x, y);
    if (!zooms(view, factor) || !under)
        return false;
    // The new centre is the one from which the pixel's point, on the globe of the new radius in
    // the regional layout, lies where it lies now.
    ViewSettings regional = view;
    regional.mapRange = MapRange::centred;
    regional.magnification = zoomedMagnification(map, factor);
    const MapLayout layout = layoutView(regional, width, height);
    const double radius = layout.mapRadius;
    const MapProjection& p = map.projection;
    const GeoPoint centre{mapCentreLon(p), mapCentreLat(p)};
    const GeoPoint kept = orthographicCentreSeeing(*under, (x - layout.mapCentreX) / radius,
                                                   (layout.mapCentreY - y) / radius, centre)
                              .value_or(centre);
    recentreMap(view, foldedLongitude(kept.lon), kept.lat, regional.magnification);
    return true;
}

bool zoomMapAtCentre(ViewSettings& view, const Projector& map, double factor) {
    if (!zooms(view, factor))
        return false;
    const MapProjection& p = map.projection;
    recentreMap(view, foldedLongitude(mapCentreLon(p)), mapCentreLat(p),
                zoomedMagnification(map, factor));
    return true;
}

void unzoom(ViewSettings& view) {
    view.displayMode = displayPathMap;
    view.mapRange = MapRange::globe;
}

void backToMap(ViewSettings& view) {
    view.displayMode = displayPathMap;
}

void showLocalInfo(ViewSettings& view) {
    view.displayMode = displayLocal;
}

void showPlaceView(ViewSettings& view) {
    view.displayMode = displayPlaceView;
}

void showPlaceScreen(ViewSettings& view) {
    if (!isPlaceScreen(view.displayMode))
        view.displayMode = displayLocal;
}

bool isPlaceScreen(DisplayMode mode) {
    return mode == displayLocal || mode == displayPlaceView;
}

void recentreMap(ViewSettings& view, double lon, double lat, double magnification) {
    view.mapRange = MapRange::centred;
    view.centreLon = lon;
    view.centreLat = lat;
    view.magnification = magnification;
}

void placeObserver(ViewSettings& view, double lon, double lat, double height, ObserverPlace place) {
    view.observerCityIndex = std::nullopt;
    view.observerLon = lon;
    view.observerLat = lat;
    view.observerHeight = height;
    view.observerMarked = true;
    place.lon = lon;
    place.lat = lat;
    view.observerPlace = std::move(place);
}

void observeFrom(ViewSettings& view, double lon, double lat, double groundHeight) {
    ObserverPlace place;
    place.heightSource = HeightSource::reliefGrid;
    placeObserver(view, lon, lat, groundHeight, place);
    showPlaceScreen(view);
}

bool showListedEclipse(ViewSettings& settings, const std::vector<SearchHit>& hits, int selected) {
    // With no hit there is nothing to show: the view stays as it is.
    if (hits.empty())
        return false;
    const SearchHit& hit =
        hits[static_cast<std::size_t>(std::clamp(selected, 0, static_cast<int>(hits.size()) - 1))];
    settings.year = hit.year;
    settings.month = hit.month + hit.day / 32;
    // the whole eclipse: a regional map or another screen might show none of it
    settings.displayMode = displayPathMap;
    settings.mapRange = MapRange::globe;
    return true;
}

} // namespace vesk
