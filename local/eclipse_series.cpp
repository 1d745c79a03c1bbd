// SPDX-License-Identifier: GPL-3.0-or-later
#include "eclipse_series.h"

#include "sun_position.h"

#include <cmath>

namespace vesk {

namespace {

SeriesPoint seriesPoint(const EclipseRecord& record, const Observer& observer, double t,
                        double deltaT) {
    const ObservedShadow shadow = observeShadow(record, observer, t, deltaT);
    return {t, shadow.obscuration(), shownMagnitude(shadow.magnitude()), shadow.sunAltitude,
            sunHorizontal(record, observer, t, deltaT).azimuth};
}

} // namespace

std::vector<SeriesPoint> eclipseSeries(const EclipseRecord& record, const LocalCircumstances& local,
                                       double deltaT, double stepMinutes) {
    std::vector<SeriesPoint> series;
    if (!local.first || !local.fourth || !(stepMinutes > 0))
        return series;
    const double first = local.first->shadow.t, last = local.fourth->shadow.t;
    if (!(last >= first))
        return series;
    const double step = stepMinutes / 60;
    const auto steps = static_cast<long>(std::ceil((last - first) / step));
    for (long k = 0; k < steps; ++k)
        series.push_back(seriesPoint(record, local.observer, first + k * step, deltaT));
    series.push_back(seriesPoint(record, local.observer, last, deltaT));
    return series;
}

} // namespace vesk
