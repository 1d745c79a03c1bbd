#include "civil_time.h"

#include "timescales.h"

#include <QDateTime>
#include <QTimeZone>

#include <cmath>

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

std::optional<CivilClock> ianaClockAt(const std::string& zone, double jdUt) {
    const QTimeZone tz(QByteArray::fromStdString(zone));
    if (!tz.isValid())
        return std::nullopt;
    const QDateTime at = utcOfJd(jdUt);
    // The first change of the zone's clocks: before it they kept local mean time.
    const QTimeZone::OffsetData first =
        tz.nextTransition(QDateTime(QDate(1800, 1, 1), QTime(0, 0), QTimeZone::utc()));
    if (!first.atUtc.isValid() || at < first.atUtc)
        return std::nullopt;
    const QTimeZone::OffsetData data = tz.offsetData(at);
    if (data.abbreviation == QLatin1String("LMT"))
        return std::nullopt;
    std::string abbreviation = data.abbreviation.toStdString();
    if (abbreviation.empty() || abbreviation[0] == '+' || abbreviation[0] == '-')
        abbreviation = "UTC" + abbreviation;
    return CivilClock{data.offsetFromUtc, abbreviation};
}

CivilClock nauticalClock(double lonEast) {
    const int hours = static_cast<int>(zoneHours(lonEast));
    return {hours * 3600,
            hours == 0 ? "UTC" : (hours > 0 ? "UTC+" : "UTC") + std::to_string(hours)};
}

} // namespace

std::optional<CivilClock> civilClockAt(const ObserverPlace& place, double lonEast, double jdUt) {
    if (place.zoneSource == ZoneSource::none || !(jdUt < newYearJd(lastCivilYear + 1)))
        return std::nullopt;
    if (place.zoneSource == ZoneSource::nautical)
        return jdUt >= newYearJd(firstNauticalYear) ? std::optional(nauticalClock(lonEast))
                                                    : std::nullopt;
    return ianaClockAt(place.zone, jdUt);
}

PlaceClocks placeClocks(const ObserverPlace& place, double lonEast) {
    if (place.zoneSource == ZoneSource::none)
        return {place, {}};
    return {place, [place, lonEast](double jdUt) { return civilClockAt(place, lonEast, jdUt); }};
}

std::string civilTimestamp(double jdUt, const CivilClock& clock) {
    const QDateTime utc = utcOfJd(std::round(jdUt * 86400) / 86400);
    return utc.toOffsetFromUtc(clock.offsetSeconds).toString(Qt::ISODate).toStdString();
}

} // namespace vesk
