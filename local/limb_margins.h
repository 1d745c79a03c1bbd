// SPDX-License-Identifier: GPL-3.0-or-later
// The Sun's limb against the lunar limb profile: how far the profile is from letting sunlight
// through (or from breaking the ring) at one instant, and the contacts of the central phase that
// the profile gives at a place. Lengths are km at the Moon's distance, in the chart's frame: the
// Sun's limb at angle theta from its centre lies at (S cos theta + u, S sin theta + v) times the
// scale that makes the Moon's radius (L1 - L2) / 2 the mean limb; the profile's radius is read at
// the sky position angle of that point.
#pragma once

#include "limb_correction.h"
#include "local_circumstances.h"

#include <optional>

namespace vesk {

// The Sun's disk seen against the Moon at one instant: its centre from the Moon's centre and its
// radius (km at the Moon), and whether the Moon's mean limb is the larger (a total phase).
struct SunAgainstLimb {
    double x = 0, y = 0, sunRadius = 0;
    double moonToPlane = 0; // km at the Moon per Earth radius of the observer's plane
    bool total = false;
};
SunAgainstLimb sunAgainstLimb(const ObservedShadow& shadow);

// The margins of the central phase (km). The interior margin: the least height of the profile
// above the Sun's limb (total) or of the Sun's limb above the profile (annular) over the whole
// limb; at 0 or more the Sun is wholly hidden (the ring is whole).
double interiorMargin(const LimbProfile& profile, const SunAgainstLimb& sun);
// The exterior margin: the greatest such height over the part of the limb that the Sun's limb
// grazes, where it lies within grazeDepthKm of its closest approach to the mean limb (its
// farthest point from the Moon's centre when total, its nearest when annular); at 0 or more some
// part of the profile reaches the Sun's limb there (a total eclipse's peaks, an annular one's
// valleys): Baily's beads.
constexpr double grazeDepthKm = 1;
double exteriorMargin(const LimbProfile& profile, const SunAgainstLimb& sun);

// The best interior margin along a place's track over t +- halfHours (hours from t0, TT), sampled
// every stepHours at most and refined by golden sections about each sampled peak near the best.
struct BestMargin {
    double t = 0, interior = 0;
};
BestMargin bestInteriorMargin(const LimbProfile& profile, const EclipseRecord& record,
                              const Observer& place, double deltaT, double t, double halfHours,
                              double stepHours);

// The second and third contacts corrected for the profile at a place, hours from t0 (TT): the
// ends of the run of instants of the central phase (interior margin 0 or more) about its best
// instant near the local maximum (within the span where the Sun's limb reaches into the profile's
// heights), found on a grid of 0.05 s steps anchored at the smooth contact
// (or at the maximum where the smooth Moon is not central). None where the profile keeps the
// central phase from happening.
struct CorrectedContact {
    double t = 0;
    std::optional<double> shiftSeconds; // from the smooth contact, where there is one
};
struct CorrectedContacts {
    std::optional<CorrectedContact> second, third;
};
CorrectedContacts correctedContacts(const LimbProfile& profile, const EclipseRecord& record,
                                    const LocalCircumstances& local, double deltaT);

} // namespace vesk
