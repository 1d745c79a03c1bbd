// SPDX-License-Identifier: GPL-3.0-or-later
// The civil time of the observer's place: its zone's offset from UT and abbreviation at an
// instant, with daylight saving, from the IANA time zone database as the system installs it
// (QTimeZone over tzdata); or the nautical zone of the longitude.
//
// Civil time is not invented where the database does not reach: before the zone's first change
// away from local mean time (before standard time was adopted there: 1883 in Boston), and after
// lastCivilYear, where today's rules carried forward would be a guess. A nautical zone is given
// from firstNauticalYear, when the nautical zones were agreed, to lastCivilYear.
#pragma once

#include "observer_place.h"

#include <optional>
#include <string>

namespace vesk {

constexpr int lastCivilYear = 2100;
constexpr int firstNauticalYear = 1920;

// The clock of the place at a UT Julian date (lonEast: the longitude of a nautical zone).
std::optional<CivilClock> civilClockAt(const ObserverPlace& place, double lonEast, double jdUt);

// The place with its clocks for the reports: the zone is looked up once, here.
PlaceClocks placeClocks(const ObserverPlace& place, double lonEast);

// "2027-08-02T13:02:07+03:00": the civil date and time of a UT Julian date, to the second.
std::string civilTimestamp(double jdUt, const CivilClock& clock);

} // namespace vesk
