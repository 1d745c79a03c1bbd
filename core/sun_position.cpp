#include "sun_position.h"

#include "angles.h"

#include <algorithm>
#include <cmath>

namespace vesk {

void sunAltAz(const EclipseState& s, double t, double deltaT, double& altitude, double& azimuth) {
    const EclipseRecord& r = *s.record;
    const double delta = (r.d0 + t * (r.d1 + t * r.d2)) * degToRad;
    const double hourAngle =
        (r.mu0 + r.mu1 * t - hourAngleRatePerSecond * deltaT - s.obsLonWest) * degToRad;
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
