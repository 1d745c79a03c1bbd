// SPDX-License-Identifier: GPL-3.0-or-later
// One catalog entry from the ephemeris: the Besselian elements fitted around greatest eclipse,
// the type, magnitude and gamma of the eclipse, or nothing when the penumbra misses the Earth.
#pragma once

#include "catalog.h"
#include "ephemeris.h"

#include <optional>

namespace vesk::catalog {

// Fields filled: the TT date and t0 of greatest eclipse, typeCode, magnitude, gamma,
// jd (TT), lunation and the 21 coefficients; saros is left 0.
std::optional<EclipseRecord> eclipseAtConjunction(const Ephemeris& ephemeris,
                                                  const Conjunction& conjunction, double lunation);

// Signed distance from a point of the fundamental plane to the outline of the Earth's ellipsoid
// seen along the shadow axis of declination dDeg (negative inside), Earth radii.
double limbDistance(double x, double y, double dDeg);

// The fundamental-plane coordinate zeta of the Earth's surface point on the side facing the Sun
// where the line through (x, y) parallel to the axis meets the ellipsoid; false if it misses.
bool surfaceZeta(double x, double y, double dDeg, double& zeta);

} // namespace vesk::catalog
