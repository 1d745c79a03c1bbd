// SPDX-License-Identifier: GPL-3.0-or-later
// What the view's commands and mouse gestures do to the view settings, apart from any window: the
// hit test of a point of the map shown and the commands' changes.
#pragma once

#include "eclipse_search.h"
#include "map_projection.h"
#include "session.h"

#include <optional>
#include <string>
#include <vector>

namespace vesk {

// The commands' changes to the settings.
void zoomMap(ViewSettings& settings, const Projector& map, double factor);
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
bool panMap(ViewSettings& settings, const Projector& map, int dx, int dy);
// Zooms the globe by a factor about the pixel (x, y) of a view of width x height pixels: the
// point under it stays under it, to a pixel, in the regional layout that the view then takes;
// where no centre can keep it (out near the rim), the centre stays. From the whole globe or a
// fixed range it enters the regional range. False where nothing changes (Mercator, another
// display, a pixel off the globe).
bool zoomMapAt(ViewSettings& settings, const Projector& map, int width, int height, int x, int y,
               double factor);
// Zooms the globe by a factor about its centre, which stays the centre.
bool zoomMapAtCentre(ViewSettings& settings, const Projector& map, double factor);
// The list's hit chosen by selected (clamped to the list) on the map of the whole globe; false
// (and nothing changed) when the list is empty.
bool showListedEclipse(ViewSettings& settings, const std::vector<SearchHit>& hits, int selected);

} // namespace vesk
