// SPDX-License-Identifier: GPL-3.0-or-later
#include "local_circumstances.h"

#include "angles.h"
#include "earth.h"
#include "path_tracers.h"

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

LocalEvent eventOf(const EclipseRecord& r, const Observer& o, const ObservedShadow& shadow,
                   double deltaT) {
    return {shadow, sunHorizontal(r, o, shadow.t, deltaT)};
}

std::optional<LocalEvent> eventOf(const EclipseRecord& r, const Observer& o,
                                  const std::optional<ObservedShadow>& shadow, double deltaT) {
    if (!shadow)
        return std::nullopt;
    return eventOf(r, o, *shadow, deltaT);
}

// The moment the Sun's element altitude is sunriseAltitude, by two secant steps from the instant
// tFrom with altitude hFrom along slope (hours per degree).
LocalEvent horizonEvent(const EclipseRecord& r, const Observer& o, double tFrom, double hFrom,
                        double slope, double deltaT) {
    double t = tFrom + slope * (sunriseAltitude - hFrom);
    t += slope * (sunriseAltitude - observeShadow(r, o, t, deltaT).sunAltitude);
    return eventOf(r, o, observeShadow(r, o, t, deltaT), deltaT);
}

// The horizon moment of c: at sunset when the last contact is below the horizon and the first
// above, at sunrise the other way round.
void findHorizonMoment(const EclipseRecord& r, LocalCircumstances& c, double deltaT) {
    if (!c.maximum || !c.first || !c.fourth)
        return;
    const ObservedShadow &first = c.first->shadow, &maximum = c.maximum->shadow,
                         &fourth = c.fourth->shadow;
    if (fourth.sunAltitude < sunriseAltitude && first.sunAltitude > sunriseAltitude) {
        c.horizon = horizonEvent(
            r, c.observer, maximum.t, maximum.sunAltitude,
            (fourth.t - maximum.t) / (fourth.sunAltitude - maximum.sunAltitude), deltaT);
        c.horizonMoment = HorizonMoment::sunset;
    } else if (first.sunAltitude < sunriseAltitude && fourth.sunAltitude > sunriseAltitude) {
        c.horizon =
            horizonEvent(r, c.observer, first.t, first.sunAltitude,
                         (maximum.t - first.t) / (maximum.sunAltitude - first.sunAltitude), deltaT);
        c.horizonMoment = HorizonMoment::sunrise;
    }
}

} // namespace

double shownMagnitude(double magnitude) {
    return std::max(0.0, magnitude);
}

CentralPhase centralPhaseOf(const ObservedShadow& shadow) {
    return shadow.l2 < 0 ? CentralPhase::total : CentralPhase::annular;
}

const char* centralPhaseNoun(CentralPhase phase) {
    return phase == CentralPhase::total ? "totality" : "annularity";
}

std::optional<CentralPhase> centralPhaseOf(const LocalCircumstances& local) {
    if (!local.central || !local.nearest)
        return std::nullopt;
    return centralPhaseOf(local.nearest->shadow);
}

std::optional<double> centralPhaseSeconds(const LocalCircumstances& local) {
    if (!local.second || !local.third)
        return std::nullopt;
    return (local.third->shadow.t - local.second->shadow.t) * 3600;
}

std::optional<double> heightEdgeShiftKm(const EclipseRecord& r, const Observer& o, double deltaT) {
    if (static_cast<int>(r.typeCode) == typePartial)
        return std::nullopt;
    const double start = closestApproach(r, 0);
    const auto depthAt = [&](const Observer& place) -> std::optional<double> {
        const std::optional<ObservedShadow> maximum = localMaximum(r, place, start, deltaT);
        if (!maximum)
            return std::nullopt;
        return std::fabs(maximum->l2) - maximum->axisDistance;
    };
    const double kmPerDegree = meanEarthRadiusKm * degToRad;
    const std::optional<double> raised = depthAt(o), atSea = depthAt(observerAt(o.lonEast, o.lat));
    const std::optional<double> north = depthAt(observerAt(o.lonEast, o.lat + 1 / kmPerDegree));
    const std::optional<double> east = depthAt(observerAt(
        o.lonEast + 1 / (kmPerDegree * std::max(std::cos(o.lat * degToRad), 0.01)), o.lat));
    if (!raised || !atSea || !north || !east)
        return std::nullopt;
    const double perKm = std::hypot(*north - *atSea, *east - *atSea);
    if (!(perKm > 0))
        return std::nullopt;
    return (*raised - *atSea) / perKm;
}

LocalCircumstances localMaximumAt(const EclipseRecord& r, const Observer& o, double deltaT) {
    LocalCircumstances c;
    c.observer = o;
    c.nearest = eventOf(r, o, localMaximum(r, o, closestApproach(r, 0), deltaT), deltaT);
    if (!c.nearest)
        return c;
    c.magnitude = c.nearest->shadow.magnitude();
    c.obscuration = c.nearest->shadow.obscuration();
    c.central = c.nearest->shadow.central();
    if (c.magnitude > 0)
        c.maximum = c.nearest;
    return c;
}

LocalCircumstances localCircumstances(const EclipseRecord& r, const Observer& o, double deltaT) {
    LocalCircumstances c = localMaximumAt(r, o, deltaT);
    if (!c.maximum)
        return c;
    const double t = c.maximum->shadow.t;
    c.first = eventOf(r, o, penumbralContact(r, o, t, deltaT, ContactSide::before), deltaT);
    c.fourth = eventOf(r, o, penumbralContact(r, o, t, deltaT, ContactSide::after), deltaT);
    c.second = eventOf(r, o, umbralContact(r, o, t, deltaT, ContactSide::before), deltaT);
    c.third = eventOf(r, o, umbralContact(r, o, t, deltaT, ContactSide::after), deltaT);
    findHorizonMoment(r, c, deltaT);
    return c;
}

std::array<NamedLocalEvent, 5> namedLocalEvents(const LocalCircumstances& local) {
    return {{{"C1", local.first},
             {"C2", local.second},
             {"max", local.maximum},
             {"C3", local.third},
             {"C4", local.fourth}}};
}

} // namespace vesk
