// SPDX-License-Identifier: GPL-3.0-or-later
// Where the map lies in a view of a given size: the frame and centre of the map, in the view's
// pixels, and its radius. Every repaint lays the view out from its size and settings; the window
// keeps the layout of the picture shown to tell what lies under the pointer.
#pragma once

#include <optional>

#include "view_settings.h"

namespace vesk {

struct MapLayout {
    int mapLeft = 0, mapTop = 0, mapRight = 0, mapBottom = 0; // map frame, view pixels
    int mapCentreX = 0, mapCentreY = 0;                       // map centre, view pixels
    double baseRadius = 0; // the whole globe's map radius, pixels (Mercator: pixels per radian)
    double mapRadius = 0;  // the radius of the map's range, pixels
    bool mercator = false;
    // The size of the text panel: the text size, less where the view is too short for the panel
    // (a small screen at a large scale, or the time slider open), down to minimumPanelScale.
    double panelScale = 1;
    bool operator==(const MapLayout&) const = default;
};

// Width of the text panel at the left of the view at the 100 % text size, the margin above and
// left of its frame, and the bottom of its frame.
constexpr int panelWidth = 220, panelMargin = 5, panelBottom = 389;
// The smallest panel: 11-pixel text drawn 7 pixels high.
constexpr double minimumPanelScale = 0.65;

// The globe's radius on the Asian and European maps, in whole-globe radii.
constexpr double asiaMagnification = 2.7, europeMagnification = 2.3;

// Whether the centred globe of the settings, laid out as layout, shows a point: its angle from
// the map's centre within what the largest disc inside the map's frame shows of the magnified
// globe (the Mercator map and the fixed ranges show it wherever it is).
bool centredMapShows(const ViewSettings& settings, const MapLayout& layout, double lon, double lat);

// Whether the settings show the whole globe beside the text panel: the globe range, or a globe
// the user turned (centred) without magnifying it. The regional maps fill the view instead.
bool showsWholeGlobe(const ViewSettings& settings);

// The radius of the settings' range in whole-globe radii (1 on the Mercator map).
double rangeMagnification(const ViewSettings& settings);

// The layout of a view of width x height pixels: the whole globe beside the text panel, a
// regional globe filling the view, or the Mercator map beside the panel.
MapLayout layoutView(const ViewSettings& settings, int width, int height);

// The projection of one repaint: the map's scale and the rotation that brings its centre to the
// middle (each repaint starts from a new one, with no centre).
struct MapProjection {
    double mapRadius = 0;                    // globe radius, or Mercator pixels per radian
    double rotationLon = 0, rotationLat = 0; // degrees
    double rotationLonRad = 0, rotationLatRad = 0;
    // The map's centre, degrees east and north; none before one is set (markers land nowhere).
    struct Centre {
        double lon = 0, lat = 0;
    };
    std::optional<Centre> centre;
};

} // namespace vesk
