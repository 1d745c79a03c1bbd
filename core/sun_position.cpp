// SPDX-License-Identifier: GPL-3.0-or-later
#include "sun_position.h"

#include "angles.h"

#include <algorithm>
#include <cmath>

namespace vesk {

SunDirection sunDirection(const EclipseRecord& r, const Observer& o, double t, double deltaT) {
    return {r.mu0 + r.mu1 * t - hourAngleRatePerSecond * deltaT + o.lonEast,
            r.d0 + t * (r.d1 + t * r.d2)};
}

Horizontal sunHorizontal(const EclipseRecord& r, const Observer& o, double t, double deltaT) {
    const SunDirection sun = sunDirection(r, o, t, deltaT);
    const double delta = sun.declination * degToRad;
    const double hourAngle = sun.hourAngle * degToRad;
    const double phi = o.lat * degToRad;
    const double sinAlt =
        std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::cos(hourAngle);
    Horizontal h;
    h.altitude = std::asin(std::clamp(sinAlt, -1.0, 1.0)) * radToDeg;
    h.azimuth = std::atan2(std::sin(hourAngle),
                           std::cos(hourAngle) * std::sin(phi) - std::tan(delta) * std::cos(phi)) *
                    radToDeg +
                180;
    return h;
}

} // namespace vesk
