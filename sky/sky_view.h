// SPDX-License-Identifier: GPL-3.0-or-later
// The sky at maximum eclipse: a header with the date, the times in UT, zone time and local
// mean time and the place, and an all-sky chart with the Sun, the planets and the bright stars
// above the horizon, each a disc whose size follows its magnitude.
#pragma once

#include "draw_surface.h"
#include "observer_place.h"
#include "sky_at_maximum.h"

#include <optional>
#include <string>
#include <vector>

namespace vesk {

// The chart for the zone date (packed yyyy.mmdd), UT hours and place: the Sun, the planets and
// the stars where sky puts them ("Planets: mean elements" under the place when the planets come
// from the theory); with the place's civil clock at the instant, its time under the local mean
// time. Its title names the maximum, or else the time slider's instant.
void drawSkyView(DrawSurface& surface, double packedDate, double utHours, double lonEast,
                 double lat, const EclipseSky& sky,
                 const std::optional<CivilClock>& civil = std::nullopt, bool atMaximum = true);

// A body of the chart: its centre and radius in pixels, its magnitude, name and fill, and
// whether it is named whatever its brightness (the Sun and the planets).
struct SkyBody {
    int x = 0, y = 0, r = 0;
    double magnitude = 0;
    std::string name;
    Rgb fill{0, 0, 0};
    bool alwaysNamed = false;
};

// The chart's disc on a surface: its centre, radius (the horizon) and pixels per degree of
// zenith distance. The disc takes the surface's height, beside the header and with room for the
// names of the cardinal points.
struct SkyChart {
    int cx = 0, cy = 0, radius = 0;
    double scale = 0;
};
SkyChart skyChartOf(int width, int height);

// The radius in pixels of the Sun's disc at a chart's scale: its angular radius (0.2666°, at
// the mean distance), at least sunMinimumRadius so it can be seen; the Moon's, ratio times it,
// rounded outwards (a total eclipse's Moon covers the Sun, an annular one leaves the ring).
constexpr int sunMinimumRadius = 6;
int sunDiscRadius(double scale);
int moonDiscRadius(int sunRadius, double ratio);

// The body at (angle from the bottom, altitude) around the chart centre (cx, cy), scale pixels
// per degree from the zenith; its radius grows with its brightness.
SkyBody skyBodyAt(int cx, int cy, double angle, double altitude, double magnitude, double scale,
                  const std::string& name);

// Draws the bodies in order, each with its name when brighter than magnitude 1 or always named:
// below the body
// where that is free, else beside it, never over a body or another name and always inside the
// chart's disc of the radius about (cx, cy); a name that fits nowhere is left out.
void drawSkyBodies(DrawSurface& surface, const std::vector<SkyBody>& bodies, int cx, int cy,
                   int radius);

} // namespace vesk
