// SPDX-License-Identifier: GPL-3.0-or-later
// The Sun and the Moon as an observer sees them at one instant: their apparent (topocentric)
// radii, the separation and position angle of their centres, and the Sun's place in the sky.
//
// From the Besselian elements alone: the Moon stands at height z above the fundamental plane,
// z = (l1 - k1 / cos f1) / tan f1, and the Sun on the shadow axis a distance G beyond it,
// sin f1 = (R + k1) / G (Explanatory Supplement to the Astronomical Ephemeris, 1961, ch. 9).
// Seen from the observer at (xi, eta, zeta), the Moon is at (u, v, z - zeta) and the Sun at
// (u, v, z - zeta + G); the angles follow exactly from these two vectors.
#pragma once

#include "local_circumstances.h"

namespace vesk {

// Angles in degrees.
struct ViewFromPlace {
    ObservedShadow shadow; // the observer in the shadow at the instant
    Horizontal sun;        // the Sun's altitude (geometric) and azimuth
    double sunRadius = 0;
    // The Moon's radius with k2 = 0.2722810, the mean limb that decides the inner contacts and
    // totality, and with k1 = 0.2725076, that of the outer contacts.
    double moonRadius = 0, moonRadiusOuter = 0;
    double separation = 0; // of the centres
    // The position angle of the Moon's centre from the Sun's (from north through east, 0 to
    // 360); with the zenith up, the Moon lies positionAngle - shadow.zenithAngle anticlockwise
    // from the top.
    double positionAngle = 0;

    // The fraction of the Sun's disk covered by the smooth Moon of radius moonRadius.
    double obscuration() const;
};

// The view at t hours from t0 (TT) of an eclipse record with deltaT seconds.
ViewFromPlace viewFromPlace(const EclipseRecord& record, const Observer& observer, double t,
                            double deltaT);

} // namespace vesk
