// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_layout.h"

#include "angles.h"

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

// ln(tan 85 degrees): the Mercator map reaches 85 degrees of latitude.
const double mercatorExtent = std::log(std::tan(1.4835298642));
// The smallest whole-globe radius, pixels: a view narrower or lower than the panel and the
// margins draws this much of the map (what fits of it), never a radius of zero or below.
constexpr int smallestRadius = 1;

} // namespace

bool showsWholeGlobe(const ViewSettings& v) {
    return v.mapRange == MapRange::globe ||
           (v.mapRange == MapRange::centred && v.magnification <= 1);
}

bool centredMapShows(const ViewSettings& v, const MapLayout& l, double lon, double lat) {
    if (v.projection == Projection::mercator || v.mapRange != MapRange::centred)
        return true;
    const double radius = l.baseRadius * v.magnification;
    const double half = std::min({l.mapRight - l.mapCentreX, l.mapCentreX - l.mapLeft,
                                  l.mapBottom - l.mapCentreY, l.mapCentreY - l.mapTop});
    if (radius <= 0 || half >= radius)
        return true; // the whole near side is in the frame
    const double reach = std::asin(half / radius);
    // the angle between the centre and the point (the spherical law of cosines)
    const double cosAngle = std::sin(v.centreLat * degToRad) * std::sin(lat * degToRad) +
                            std::cos(v.centreLat * degToRad) * std::cos(lat * degToRad) *
                                std::cos((lon - v.centreLon) * degToRad);
    return std::acos(std::clamp(cosAngle, -1.0, 1.0)) <= reach;
}

double rangeMagnification(const ViewSettings& v) {
    if (v.projection == Projection::mercator)
        return 1;
    switch (v.mapRange) {
    case MapRange::asia:
        return asiaMagnification;
    case MapRange::europe:
        return europeMagnification;
    case MapRange::centred:
        return v.magnification;
    case MapRange::globe:
        break;
    }
    return 1;
}

MapLayout layoutView(const ViewSettings& v, int width, int height) {
    MapLayout l;
    const int left = 0, top = 0, right = width, bottom = height;
    // the text panel grows with the text size, and shrinks to a view too short for it
    const double fitting = static_cast<double>(height - panelMargin) / (panelBottom + panelMargin);
    l.panelScale = std::min(v.textScale, std::max(minimumPanelScale, fitting));
    const int panel = static_cast<int>(std::lround(panelWidth * l.panelScale));
    if (v.projection == Projection::globe && !showsWholeGlobe(v) &&
        v.displayMode == displayPathMap) {
        l.mapLeft = left + 5;
        l.mapRight = right - 5;
        l.mapTop = top + 5;
        l.mapBottom = bottom - 5;
        l.mapCentreX = (l.mapRight - l.mapLeft) / 2 + 5;
        l.mapCentreY = (l.mapBottom - l.mapTop) / 2 + 5;
        // the magnifications of the ranges multiply the radius of the whole-globe layout
        l.baseRadius =
            std::max(smallestRadius, std::min(right - left - panel, bottom - top) / 2 - 10);
        l.mapRadius = l.baseRadius * rangeMagnification(v);
    } else if (v.projection == Projection::globe) {
        const int w = right - left - panel, h = bottom - top;
        l.baseRadius = std::max(smallestRadius, std::min(w, h) / 2 - 10);
        l.mapCentreX = w / 2 + panel;
        l.mapCentreY = h / 2;
        const int r = static_cast<int>(l.baseRadius);
        l.mapLeft = l.mapCentreX - r;
        l.mapRight = l.mapCentreX + r;
        l.mapTop = l.mapCentreY - r;
        l.mapBottom = l.mapCentreY + r;
        l.mapRadius = l.baseRadius * rangeMagnification(v);
    } else {
        l.mapLeft = left + panel + 5;
        l.mapRight =
            std::max(right - 5, l.mapLeft + static_cast<int>(2 * roundedPi * smallestRadius));
        l.mapTop = top + 5;
        l.baseRadius = l.mapRadius = (l.mapRight - l.mapLeft) / roundedPi / 2;
        l.mapCentreX = (l.mapRight - l.mapLeft) / 2 + panel + 5;
        const int extent = static_cast<int>(mercatorExtent * l.baseRadius);
        l.mapCentreY = extent + l.mapTop;
        const int halfWidth = static_cast<int>(l.baseRadius * roundedPi);
        l.mapLeft = l.mapCentreX - halfWidth;
        l.mapRight = l.mapCentreX + halfWidth;
        l.mapTop = l.mapCentreY - extent - 1;
        l.mapBottom = l.mapCentreY + extent + 1;
        l.mercator = true;
    }
    return l;
}

} // namespace vesk
