// SPDX-License-Identifier: GPL-3.0-or-later
// The second and third contacts corrected for the profile of the lunar limb: the limb profile
// from the lunar elevation grid "LRO.dat" for the Moon's libration and axis angle at the
// observer, the Sun's limb against it about each predicted contact, and the polar chart and
// report of the screen.
#pragma once

#include "data_paths.h"
#include "draw_surface.h"
#include "local_circumstances.h"
#include "lunar_libration.h"
#include "observer_place.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace vesk {

constexpr int lunarGridColumns = 5760, lunarGridRows = 2880;
constexpr double moonMeanLimbKm = 1736.6455204969998;
constexpr double moonReferenceRadiusKm = 1737.4;

struct LimbData {
    std::vector<std::int16_t> grid; // rows x columns, metres above 1737.4 km
};

// The lunar grid's file name in the data folders.
constexpr const char* lunarGridFileName = "LRO.dat";

// Reads "LRO.dat" whole; lunarGridMissing (the grid empty) when it is missing, short or
// unreadable.
Outcome loadLunarGrid(LimbData& limb, const DataPaths& paths);

// The least and greatest radius of the grid (km): every profile lies between them.
struct LunarRelief {
    double lowest = moonReferenceRadiusKm, highest = moonReferenceRadiusKm;
};
LunarRelief lunarRelief(const LimbData& limb);

// Elevation (km) at an east longitude and latitude (degrees), bilinear between grid nodes.
double elevationAt(const LimbData& limb, double lon, double lat);

// The limb's profile for the libration l, b and axis angle P (radians): the highest point of
// the grid along each line of sight across the limb, a tenth of a degree apart.
struct LimbProfile {
    std::array<double, 3601> radius{}; // km at sky position angle i / 10 degrees
    // km above the mean limb at i / 10 degrees from the axis (position angle i / 10 + P), as
    // traced (a spike of the grid keeps the previous height)
    std::array<double, 3601> tracedHeight{};
    double axisAngleDeg = 0;        // P
    double lowest = 0, highest = 0; // the least and greatest radius written, km
};
// With a window, only the part of the limb within halfWidthDeg of centreDeg (the profile's own
// angle, i / 10 degrees for entry i): the entries outside it stay 0, the extremes are the
// window's and its first height is taken as it is.
struct ProfileWindow {
    double centreDeg = 0, halfWidthDeg = 180;
};
LimbProfile limbProfile(const LimbData& limb, double l, double b, double p,
                        std::optional<ProfileWindow> window = std::nullopt);

// The Moon's libration and axis angle for the observer at t hours from t0 (TT) of an eclipse
// record with deltaT seconds (at the height 0 of the profile).
LibrationResult librationAt(const EclipseRecord& record, const Observer& observer, double t,
                            double deltaT);

// The profile on the chart, with the rings of the mean limb and of every 10 km.
void drawLimbProfile(DrawSurface& surface, const LimbProfile& profile);

// The screen: report and chart for the local circumstances of the record at an observer with
// deltaT seconds (the eclipse's, with the user's adjustment); with the place's clocks, the
// corrected contacts also in civil time where it is known. The profile drawn.
LimbProfile drawLimbCorrection(DrawSurface& surface, const EclipseRecord& record,
                               const LocalCircumstances& local, const LimbData& limb, double deltaT,
                               const CivilClockAt& civil = {});

} // namespace vesk
