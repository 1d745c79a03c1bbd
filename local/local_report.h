// SPDX-License-Identifier: GPL-3.0-or-later
// The local circumstances screen: for the observer, the contacts, the maximum and the magnitude
// at sunrise or sunset in universal, zone and local mean time with the Sun's altitude, position
// angles and azimuth; a chart of the sky near the horizon with the Sun and Moon at each listed
// moment; and a large picture of the Sun and Moon at maximum.
#pragma once

#include "city_table.h"
#include "delta_t_ranges.h"
#include "draw_surface.h"
#include "eclipse_state.h"

namespace vesk {

// What the report leaves for later drawings: the position angles of the second and third
// contacts (read by the picture at maximum) and the zone date of the maximum (read by the sky
// view). They keep their values between repaints.
struct LocalReportState {
    double secondContactAngle = 0, thirdContactAngle = 0;
    double maxZoneYear = 0, maxZoneMonth = 0, maxZoneDay = 0;
};

enum HorizonChartMode { horizonFrame = 0, horizonBodies = 1, horizonBodiesHalo = 2 };

// The Sun is up when the solar theory puts it above this altitude (degrees).
constexpr double sunriseAltitude = -0.8;

// The report of display mode 2 for the view's observer; with the place's clocks, a column of
// civil time wherever it is known and a line naming the zone; with what the uncertainty of Delta
// T means there, two lines under it (the ranges of Delta T and the solar time of the maximum).
void drawLocalCircumstances(DrawSurface& surface, EclipseState& state, LocalReportState& report,
                            const ViewState& view, const CityTable& cities, double deltaT,
                            const PlaceClocks& civil = {},
                            const PlaceDeltaT* uncertainty = nullptr);

// The altitude/azimuth chart: its frame, or the Sun at (altitude, azimuth) with the Moon as seen
// at t (with a halo in mode 2). The chart is turned by the Sun's azimuth at maximum.
void drawHorizonChart(DrawSurface& surface, EclipseState& state, double altitude, double azimuth,
                      double t, double deltaT, int mode);

// The Sun and Moon at t, centred at (cx, cy), zenith up.
void drawEclipseAppearance(DrawSurface& surface, EclipseState& state,
                           const LocalReportState& report, int cx, int cy, double t, double deltaT);

// The instant from which the report's searches (maximum and contacts) start: greatest eclipse.
double localSearchStart(EclipseState& state);

} // namespace vesk
