// SPDX-License-Identifier: GPL-3.0-or-later
#include "view_from_place.h"

#include "angles.h"

#include <cmath>

namespace vesk {

double ViewFromPlace::obscuration() const {
    return coveredFraction(sunRadius, moonRadius, separation);
}

ViewFromPlace viewFromPlace(const EclipseRecord& record, const Observer& observer, double t,
                            double deltaT) {
    ViewFromPlace view;
    view.shadow = observeShadow(record, observer, t, deltaT);
    view.sun = sunHorizontal(record, observer, t, deltaT);
    const ObservedShadow& o = view.shadow;
    const ShadowElements elements = evaluateElements(record, t);
    const double sinF1 = record.tanF1 / std::sqrt(1 + record.tanF1 * record.tanF1);
    const double sunBeyondMoon = (sunRadiusEarthRadii + moonRadiusPenumbra) / sinF1;

    const double offAxis = o.axisDistance;
    const double toMoonAlongAxis = moonHeight(record, elements) - o.zeta;
    const double toSunAlongAxis = toMoonAlongAxis + sunBeyondMoon;
    const double toMoon = std::hypot(offAxis, toMoonAlongAxis);
    const double toSun = std::hypot(offAxis, toSunAlongAxis);
    view.sunRadius = std::asin(sunRadiusEarthRadii / toSun) * radToDeg;
    view.moonRadius = std::asin(moonRadiusUmbra / toMoon) * radToDeg;
    view.moonRadiusOuter = std::asin(moonRadiusPenumbra / toMoon) * radToDeg;
    view.separation =
        (std::atan2(offAxis, toMoonAlongAxis) - std::atan2(offAxis, toSunAlongAxis)) * radToDeg;
    // the Moon is off the Sun in the direction (u, v) of the plane, whose x points east and y north
    view.positionAngle = degreesWithinTurn(std::atan2(o.u, o.v) * radToDeg);
    return view;
}

} // namespace vesk
