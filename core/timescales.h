// SPDX-License-Identifier: GPL-3.0-or-later
// Calendar dates, Julian dates, Delta T and clock fields.
//
// Dates are astronomical (year 0 = 1 BC), Julian calendar up to 1582 October 4 and Gregorian
// from 1582 October 15 (no proleptic Gregorian). Time zones are given as an east-positive
// longitude in degrees; the zone offset is longitude / 15 hours.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// Julian date of a local calendar date and clock time (hour may be any value; it is added as
// hour / 24). roundZone = 1 rounds the zone offset to whole hours, half away from zero; any other
// value uses longitude / 15 exactly. The Gregorian correction applies when the uncorrected count
// exceeds JD 2299161. Algorithm after J. Meeus, Astronomical Algorithms, 2nd ed., ch. 7, with
// floor arithmetic so that negative years work.
double calendarToJd(double year, double month, double day, double hour, int roundZone,
                    double zoneLongitude);

// Local calendar date and clock time (0 <= hour < 24) of a Julian date in the given zone.
// Meeus, Astronomical Algorithms, ch. 7; Gregorian from day number 2299161 on.
struct CalendarInstant {
    double year = 0, month = 0, day = 0, hour = 0;
};
CalendarInstant jdToCalendar(double jd, int roundZone, double zoneLongitude);

// TT - UT in seconds for t Julian centuries from J2000 (TT). A piecewise model: the long-term
// parabola -20 + 32 u^2 (u = (y - 1820) / 100 centuries) outside -800..3350, a table for
// -800..-720, the cubic spline of Morrison & Stephenson / Stephenson, Morrison & Hohenkerk (2016)
// for -720..2019, observed and predicted yearly values to 2030, decade values to 2100, and the
// spline mirrored about 1820 (minus 100 s) for 2100..3350. Not continuous at the branch limits.
double deltaT(double t);

// The standard error of deltaT (seconds) in a year. Morrison & Stephenson (J. Hist. Astron. 35,
// 327, 2004), whose measured values the spline of deltaT continues, give sigma = 0.8 u^2 s
// (u = (year - 1820) / 100 centuries) from -1000 to 1200 (636 s at -1000, 265 s at 0, 54 s at
// 1000), about 20 s for 1300-1600, and after Stephenson & Houlden (1986) 5 s at 1700, 1 s at 1800
// and 0.1 s at 1900. Here: the parabola before 1200 (before -1000 it is an extrapolation, as the
// model of deltaT is there); 20 s, or the parabola where larger, to 1600; then the published
// values joined linearly in the logarithm through 1700, 1800 and 1900; 0.1 s to 2025, the
// present; after it the same parabola about the present, 0.1 + 0.8 ((year - 2025) / 100)^2 s
// (a prediction of the Earth's rotation: 76 s in 3000, hours by 10000).
double deltaTSigma(double year);
// The present of the Delta T model: measured before, predicted after.
constexpr double deltaTPresentYear = 2025;

// Whether a calendar date is of the Julian calendar (before 1582 October 15, where
// calendarToJd and jdToCalendar change calendars), and the mark the screens put after it.
bool isJulianCalendarDate(double year, double month, double day);
// What the screens put after a date: " (763 BC, Julian)" after a date of a year before 1 (the
// astronomical year numbering, which counts 1 BC as year 0: -762 is 763 BC), " (Julian)" after
// another Julian date, else nothing.
std::string calendarNote(double year, double month, double day);
// The year before Christ of an astronomical year before 1, as "763 BC"; else nothing.
std::optional<std::string> yearBeforeChrist(double year);
// A year as typed: an astronomical year number ("-762", "2024") or a whole year before Christ
// ("763 BC", "763BC", "763 bce"; 1 BC is year 0). nullopt for any other text.
std::optional<double> parseYear(std::string_view text);

// The zone time offset of an east longitude, hours: the folded longitude's fifteenths of a degree
// rounded to a whole hour, halves away from zero (the zone time of the reports; -12 to 12).
double zoneHours(double lonEast);

// Decimal hours to hours 0..23, whole minutes and seconds. Minutes and seconds are taken from the
// fraction of floor(x) before the hour is brought into 0..23.
struct ClockReading {
    double hours = 0, minutes = 0, seconds = 0;
};
ClockReading splitHours(double x);

// splitHours of x rounded to tenths of a second, for clocks and durations printed with seconds
// as "%4.1f": a second that rounds to 60.0 carries into the minutes (4:59.96 prints 5:00.0).
ClockReading splitHoursToTenths(double x);
// The same to the nearest whole second, the one rule of every clock shown with whole seconds:
// 13:05:17.6 reads 13:05:18, 23:59:59.5 reads 00:00:00.
ClockReading splitHoursToSeconds(double x);

// A duration in whole seconds by that rule: "6 min 21 s" (380.8 s), "59 s", "1 h 2 min 0 s".
std::string minutesAndSeconds(double seconds);

// "HH:MM:SS" of hours taken into one day (0 to 24), rounded to the second.
std::string hmsOfHours(double hours);

} // namespace vesk
