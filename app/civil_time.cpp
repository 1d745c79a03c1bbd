// SPDX-License-Identifier: GPL-3.0-or-later
#include "civil_time.h"

#include "timescales.h"

#include <QDateTime>
#include <QTimeZone>

#include <cmath>
#include <memory>

namespace vesk {

namespace {

// The Julian date of the Unix epoch, 1970 January 1, 0 h UT.
constexpr double unixEpochJd = 2440587.5;
constexpr double millisecondsPerDay = 86400000;

QDateTime utcOfJd(double jdUt) {
    return QDateTime::fromMSecsSinceEpoch(std::llround((jdUt - unixEpochJd) * millisecondsPerDay),
                                          QTimeZone::utc());
}

// The Julian date of 0 h UT of January 1 of a year (Gregorian).
double newYearJd(int year) {
    return static_cast<double>(QDate(year, 1, 1).toJulianDay()) - 0.5;
}

// The clocks of an IANA zone, looked up once: the zone and the instant of its first change
// away from local mean time (before it, civil time is not known).
class ZoneClock {
  public:
    explicit ZoneClock(const std::string& zone)
        : tz(isSystemZoneName(zone) ? QTimeZone(QByteArray::fromStdString(zone)) : QTimeZone()) {
        if (tz.isValid())
            firstChange =
                tz.nextTransition(QDateTime(QDate(1800, 1, 1), QTime(0, 0), QTimeZone::utc()))
                    .atUtc;
    }

    std::optional<CivilClock> at(double jdUt) const {
        const QDateTime at = utcOfJd(jdUt);
        if (!firstChange.isValid() || at < firstChange)
            return std::nullopt;
        const QTimeZone::OffsetData data = tz.offsetData(at);
        if (data.abbreviation == QLatin1String("LMT"))
            return std::nullopt;
        std::string abbreviation = data.abbreviation.toStdString();
        if (abbreviation.empty() || abbreviation[0] == '+' || abbreviation[0] == '-')
            abbreviation = "UTC" + abbreviation;
        return CivilClock{data.offsetFromUtc, abbreviation};
    }

  private:
    QTimeZone tz;
    QDateTime firstChange;
};

CivilClock nauticalClock(double lonEast) {
    const int hours = static_cast<int>(zoneHours(lonEast));
    return {hours * 3600,
            hours == 0 ? "UTC" : (hours > 0 ? "UTC+" : "UTC") + std::to_string(hours)};
}

} // namespace

PlaceClocks placeClocks(const ObserverPlace& place, double lonEast) {
    if (place.zoneSource == ZoneSource::none)
        return {place, {}};
    // the zone is looked up here, once for all the instants the reports ask for
    const bool nautical = place.zoneSource == ZoneSource::nautical;
    auto zone = nautical ? nullptr : std::make_shared<const ZoneClock>(place.zone);
    return {place, [zone, nautical, lonEast](double jdUt) -> std::optional<CivilClock> {
                if (!(jdUt < newYearJd(lastCivilYear + 1)))
                    return std::nullopt;
                if (nautical)
                    return jdUt >= newYearJd(firstNauticalYear)
                               ? std::optional(nauticalClock(lonEast))
                               : std::nullopt;
                return zone->at(jdUt);
            }};
}

std::optional<CivilClock> civilClockAt(const ObserverPlace& place, double lonEast, double jdUt) {
    const CivilClockAt clock = placeClocks(place, lonEast).clockAt;
    return clock ? clock(jdUt) : std::nullopt;
}

std::string civilTimestamp(double jdUt, const CivilClock& clock) {
    const QDateTime utc = utcOfJd(std::round(jdUt * 86400) / 86400);
    return utc.toOffsetFromUtc(clock.offsetSeconds).toString(Qt::ISODate).toStdString();
}

} // namespace vesk
