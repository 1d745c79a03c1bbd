// SPDX-License-Identifier: GPL-3.0-or-later
#include "sun_position.h"

#include "angles.h"

#include <algorithm>
#include <cmath>

namespace vesk {

SunDirection sunDirection(const EclipseState& s, double t, double deltaT) {
    const EclipseRecord& r = *s.record;
    return {r.mu0 + r.mu1 * t - hourAngleRatePerSecond * deltaT - s.obsLonWest,
            r.d0 + t * (r.d1 + t * r.d2)};
}

void sunAltAz(const EclipseState& s, double t, double deltaT, double& altitude, double& azimuth) {
    const SunDirection sun = sunDirection(s, t, deltaT);
    const double delta = sun.declination * degToRad;
    const double hourAngle = sun.hourAngle * degToRad;
    const double phi = s.obsLat * degToRad;
    const double sinAlt =
        std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::cos(hourAngle);
    altitude = std::asin(std::clamp(sinAlt, -1.0, 1.0)) * radToDeg;
    azimuth = std::atan2(std::sin(hourAngle),
                         std::cos(hourAngle) * std::sin(phi) - std::tan(delta) * std::cos(phi)) *
                  radToDeg +
              180;
}

} // namespace vesk
