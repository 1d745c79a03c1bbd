// The sky at maximum eclipse: a header with the date, the times in UT, zone time and local
// mean time and the place, and an all-sky chart with the Sun, the planets and the bright stars
// above the horizon, each a disc whose size follows its magnitude.
#pragma once

#include "draw_surface.h"

#include <string>

namespace vesk {

// A date packed into one signed number as yyyy.mmdd (-500 March 15 is -500.0315).
double packedCalendarDate(double year, double month, double day);

void drawSkyView(DrawSurface& surface, double packedDate, double utHours, double lonEast,
                 double lat);

// One body at (angle from the bottom, altitude) around the chart centre.
void drawSkyBody(DrawSurface& surface, int cx, int cy, double angle, double altitude,
                 double magnitude, double scale, const std::string& name);

} // namespace vesk
