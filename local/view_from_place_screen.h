// SPDX-License-Identifier: GPL-3.0-or-later
// The view from the place: the Sun and the Moon at their apparent sizes and separation at one
// instant, the zenith (or north) up, the horizon where it comes into the frame, the contacts
// marked on the Sun's limb, and the instant's circumstances in a few lines.
#pragma once

#include "delta_t_ranges.h"
#include "draw_surface.h"
#include "limb_correction.h"
#include "local_circumstances.h"
#include "observer_place.h"
#include "view_from_place.h"

#include <string>

namespace vesk {

// Which way is up in the view.
enum class ViewUp { zenith, north };

// What the view draws besides the Sun and the Moon.
struct PlaceViewScreen {
    std::string location; // the location line of the local screen (empty: none)
    PlaceClocks clocks;   // the place's clocks (clockAt empty: none)
    ViewUp up = ViewUp::zenith;
    const LimbProfile* limb = nullptr; // the Moon's limb at the instant; none: the smooth limb
    // The ranges of Delta T at the place where its uncertainty leaves the central phase in doubt
    // (a line gives the chance); none where it does not.
    std::optional<DeltaTRanges> doubtfulCentral;
};

// Where the view puts the Sun: its centre and radius in pixels on a surface of the size. The
// scale is the same at every instant, so that the Moon at a contact lies wholly in the frame.
struct PlaceViewFrame {
    double cx = 0, cy = 0, sunRadius = 0;
};
PlaceViewFrame placeViewFrame(int width, int height);

// The view at the instant of view, for the local circumstances of an eclipse record with deltaT
// seconds.
void drawViewFromPlace(DrawSurface& surface, const EclipseRecord& record,
                       const LocalCircumstances& local, const ViewFromPlace& view, double deltaT,
                       const PlaceViewScreen& screen);

} // namespace vesk
