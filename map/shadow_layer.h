// SPDX-License-Identifier: GPL-3.0-or-later
// The shadow at one instant over the eclipse map: the penumbra's outline, the umbra (or
// antumbra) filled, the point of the central line at that instant, the instant in UT and the
// shadow's speed and direction over the ground there.
#pragma once

#include "catalog.h"
#include "map_projection.h"
#include "view_settings.h"

#include <optional>
#include <utility>

namespace vesk {

// The first and last contacts of the penumbra with the Earth, hours of UT from 0 h UT of the day
// of greatest eclipse (as ShadowInstant counts them), with Delta T in seconds.
std::pair<double, double> contactSpanUt(const EclipseRecord& record, double deltaT);

// Hours from the elements' t0 (TT) of an instant, with Delta T in seconds.
double shadowHours(const EclipseRecord& record, const ShadowInstant& at, double deltaT);
// Hours of UT from 0 h of the day of greatest eclipse of t hours from t0 (TT); the inverse of
// shadowHours.
double dayHoursOf(const EclipseRecord& record, double t, double deltaT);

// The shadow's motion at the central line at t: ground speed in km/s and direction in degrees
// from north towards east, from the central line's points a minute before and after; none where
// the axis misses the Earth then.
struct ShadowMotion {
    double kmPerSecond = 0, bearing = 0;
};
std::optional<ShadowMotion> shadowMotion(const EclipseRecord& record, double t, double deltaT);

// Where the shadow's caption goes (its instant and motion, two lines at the map frame's top
// right): a map that carries the shadow keeps its labels off this box.
LabelBox shadowCaptionBox(const MapCanvas& canvas);

void drawShadowAt(MapCanvas& canvas, const EclipseRecord& record, double t, double deltaT);

} // namespace vesk
