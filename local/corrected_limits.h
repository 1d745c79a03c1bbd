// SPDX-License-Identifier: GPL-3.0-or-later
// The limits of the central path corrected for the profile of the lunar limb. At each instant and
// on each side the smooth limit's place sees the Sun's limb graze the Moon's mean limb at its
// maximum; the limits of the umbra widened by w (negative: narrowed) are the places that see the
// Sun's centre pass at distance d + w (times the plane's scale) from the Moon's. The interior
// limit is the w at which the best interior margin along that place's track is 0; the exterior
// limit the outermost w at which the exterior margin at its maximum is 0 (see limb_margins.h for
// the margins). The profile is the one at the libration seen from the smooth limit at that
// instant, and for the interior limit then the one seen from the limit found, since the
// libration moves the profile's heights by metres over the kilometres between them.
#pragma once

#include "limb_correction.h"
#include "limb_margins.h"
#include "path_geometry.h"

#include <optional>
#include <stop_token>

namespace vesk {

// The instants of the corrected limits are this far apart (hours).
constexpr double correctedLimitStepHours = 3.0 / 60;

// The central phase with the profile at a place of known local circumstances (seconds, from the
// corrected second contact to the third), with the profile at the libration of the place's
// maximum; none where the profile leaves no central phase.
std::optional<double> correctedCentralSeconds(const EclipseRecord& record,
                                              const LocalCircumstances& local, double deltaT,
                                              const LimbData& limb);

// The search for the corrected limits on side sign (as the umbral limit tracer takes it) at the
// instant of the elements, about the smooth limit's place there.
enum class CorrectedLimit { interior, exterior };
// How closely: the root's bracket in the centres' distance and the step of the track's samples
// (km at the Moon).
struct SearchPrecision {
    double rootKm, trackSampleKm;
};
struct LimitSearch {
    LimitSearch(const EclipseRecord& record, const ShadowElements& elements, double deltaT,
                int sign, const GroundHeights& ground = {});

    // The part of the profile the search reads, for a profile whose radii lie within lowest and
    // highest (km).
    ProfileWindow window(double lowest, double highest) const;
    // How far (Earth radii of the observer's plane) the limit lies outward of the smooth limit,
    // found on the places of the widened limit with their own tracks through the shadow; none
    // where the profile allows no such limit there. Near: a widening found before, about which
    // the search begins.
    std::optional<double> widening(const LimbProfile& profile, CorrectedLimit limit,
                                   SearchPrecision precision,
                                   std::optional<double> near = std::nullopt) const;

    const EclipseRecord& record;
    const ShadowElements& elements;
    double deltaT;
    int sign;
    GroundHeights ground;                // the places stand on it
    std::optional<Observer> smoothPlace; // none: no smooth limit at this instant
    SunAgainstLimb sun;                  // seen from the smooth limit at its maximum
    double smoothD = 0, kmPerHour = 0;   // the centres' distance there and their speed (km)

  private:
    // The centres' distances (km) between which the limit lies, and the farthest at which the
    // central phase can happen.
    struct Bracket {
        double lo, hi, possibleD;
    };
    Bracket bracket(double lowest, double highest, CorrectedLimit limit) const;
    std::optional<Observer> placeAt(double widening) const;
};

// An observer standing on the ground at a place (degrees east, north).
Observer observerOnGround(const GroundHeights& ground, double lonEast, double lat);

// Both corrected limits of an eclipse for Delta T (seconds) from the umbra's first to its last
// contact with the Earth in path, every correctedLimitStepHours, with the profile at each
// instant's libration seen from the limit: the places where an observer standing on the ground
// (at sea level where ground has no heights) sees the limit. A stop asked for ends the tracing
// early.
CorrectedLimits traceCorrectedLimits(const EclipseRecord& record, const PathGeometry& path,
                                     double deltaT, const LimbData& limb,
                                     const GroundHeights& ground = {}, std::stop_token stop = {});

} // namespace vesk
