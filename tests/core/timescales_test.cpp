// SPDX-License-Identifier: GPL-3.0-or-later
#include "angles.h"
#include "timescales.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

using namespace vesk;

TEST(CalendarToJd, WorkedValues) {
    EXPECT_DOUBLE_EQ(calendarToJd(2000, 1, 1, 12, 0, 0), 2451545.0);
    EXPECT_DOUBLE_EQ(calendarToJd(1582, 10, 4, 0, 0, 0), 2299159.5);
    EXPECT_DOUBLE_EQ(calendarToJd(1582, 10, 15, 0, 0, 0), 2299160.5);
    EXPECT_DOUBLE_EQ(calendarToJd(-4712, 1, 1, 12, 0, 0), 0.0);
    EXPECT_DOUBLE_EQ(calendarToJd(2000, 1, 1, 21, 1, 135), 2451545.0);
    // Meeus, Astronomical Algorithms, example 7.a and 7.b; and the table of ch. 7.
    EXPECT_DOUBLE_EQ(calendarToJd(1957, 10, 4.81, 0, 0, 0), 2436116.31);
    EXPECT_DOUBLE_EQ(calendarToJd(333, 1, 27, 12, 0, 0), 1842713.0);
    EXPECT_DOUBLE_EQ(calendarToJd(-1000, 7, 12, 12, 0, 0), 1356001.0);
    EXPECT_DOUBLE_EQ(calendarToJd(-4712, 1, 1.5, 0, 0, 0), 0.0);
}

TEST(CalendarToJd, JanuaryAndFebruaryBelongToThePreviousYear) {
    // -1 February is day count of year -2, month 14: one day before -1 March 1.
    EXPECT_DOUBLE_EQ(calendarToJd(-1, 3, 1, 0, 0, 0) - calendarToJd(-1, 2, 28, 0, 0, 0), 1.0);
    // Year -1 (2 BC) is not a leap year in the Julian calendar; year 0 is.
    EXPECT_DOUBLE_EQ(calendarToJd(0, 3, 1, 0, 0, 0) - calendarToJd(0, 2, 28, 0, 0, 0), 2.0);
    EXPECT_DOUBLE_EQ(calendarToJd(-1, 1, 1, 0, 0, 0) + 365, calendarToJd(0, 1, 1, 0, 0, 0));
}

TEST(CalendarToJd, ZonesAndTheReformInstant) {
    // A whole-hour zone of 127.4 degrees is 8 hours; the exact one 8.4933 hours.
    EXPECT_NEAR(calendarToJd(2000, 1, 1, 20, 1, 127.4), 2451545.0, 1e-9);
    EXPECT_NEAR(calendarToJd(2000, 1, 1, 12, 0, 127.4), 2451545.0 - 127.4 / 15 / 24, 1e-9);
    EXPECT_NEAR(calendarToJd(2000, 1, 1, 3, 1, -127.5), 2451545.0, 1e-9);
    // The correction is decided on the uncorrected count (after zone and hour): past 2299161
    // the date is read as Gregorian.
    EXPECT_DOUBLE_EQ(calendarToJd(1582, 10, 4, 12, 0, 0), 2299160.0);
    EXPECT_NEAR(calendarToJd(1582, 10, 5, 11, 0, 0), 2299160.5 + 11.0 / 24, 1e-9);
    EXPECT_NEAR(calendarToJd(1582, 10, 5, 13, 0, 0), 2299160.5 + 13.0 / 24 - 10, 1e-9);
    EXPECT_NEAR(calendarToJd(1582, 10, 5, 3, 1, -135), 2299160.5 + 12.0 / 24, 1e-9);
    EXPECT_NEAR(calendarToJd(1582, 10, 5, 4, 1, -135), 2299160.5 + 13.0 / 24 - 10, 1e-9);
}

TEST(JdToCalendar, InvertsCalendarToJdAcrossTheSpan) {
    for (double jd = -3030000.25; jd < 7930000; jd += 9876.125) {
        const auto [y, m, d, h] = jdToCalendar(jd, 0, 0);
        EXPECT_NEAR(calendarToJd(y, m, d, h, 0, 0), jd, 1e-7) << "JD " << jd;
        EXPECT_GE(h, 0);
        EXPECT_LT(h, 24);
    }
}

TEST(JdToCalendar, ReformAndZones) {
    struct Case {
        double jd;
        int roundZone;
        double zoneLongitude;
        CalendarInstant expected;
        const char* what;
    };
    for (const Case& c : {
             Case{2299160.5, 0, 0, {1582, 10, 15, 0}, "the first Gregorian day"},
             Case{2299159.5, 0, 0, {1582, 10, 4, 0}, "the last Julian day"},
             Case{2451545.0, 1, 135, {2000, 1, 1, 21}, "J2000.0 in Japan Standard Time"},
             Case{2436116.31, 0, 0, {1957, 10, 4, 0.81 * 24}, "Meeus, example 7.c"},
             Case{calendarToJd(-12999, 8, 10, 6, 0, 0),
                  0,
                  0,
                  {-12999, 8, 10, 6},
                  "before -4712 (negative Julian dates)"},
             // 330 E is 30 W, two hours behind UT: J2000.0 is still January 1 there
             Case{2451545.0, 1, 330, {2000, 1, 1, 10}, "an east longitude beyond 180"},
         }) {
        const CalendarInstant got = jdToCalendar(c.jd, c.roundZone, c.zoneLongitude);
        EXPECT_EQ(got.year, c.expected.year) << c.what;
        EXPECT_EQ(got.month, c.expected.month) << c.what;
        EXPECT_EQ(got.day, c.expected.day) << c.what;
        EXPECT_NEAR(got.hour, c.expected.hour, 1e-6) << c.what;
    }
    // East longitudes beyond 180 (as --lon takes them) are the western ones.
    EXPECT_EQ(zoneHours(330), -2);
    EXPECT_EQ(zoneHours(-30), -2);
    EXPECT_EQ(zoneHours(-340), 1);
    EXPECT_EQ(foldedLongitude(180), 180);
    EXPECT_EQ(foldedLongitude(-180), 180);
    EXPECT_EQ(foldedLongitude(359.5), -0.5);
    EXPECT_EQ(foldedLongitude(900), 180) << "any turn";
    // The maps' rasters and rings take the other end: 180 is -180.
    EXPECT_EQ(wrappedLongitude(180), -180);
    EXPECT_EQ(wrappedLongitude(-540.5), 179.5);
    EXPECT_EQ(wrappedLongitude(359.5), -0.5);
}

TEST(DeltaT, BranchesAndTheirLimits) {
    const auto at = [](double year) { return deltaT((year - 2000) / 100); };
    const double t = 2.0 / 3;
    EXPECT_NEAR(at(2000), 62.898 + 1.804 * t - 0.729 * t * t + 0.109 * t * t * t, 1e-9);
    EXPECT_NEAR(at(2025), 69.04, 1e-9);
    EXPECT_NEAR(at(2030), 69.97, 1e-9);
    EXPECT_NEAR(at(2100), 115.0, 1e-9);
    EXPECT_NEAR(at(-720), 20371, 1e-9);
    EXPECT_NEAR(at(-795), 21945 + (21776 - 21945) * 0.5, 1e-9);
    // 2200 and 2101 use the spline mirrored about 1820, minus 100 s; 3350 the spline at 290.
    EXPECT_NEAR(at(2200), at(1440) - 100, 1e-9);
    EXPECT_NEAR(at(2101), at(1539) - 100, 1e-9);
    EXPECT_NEAR(at(3350), at(290) - 100, 1e-9);
    // Discontinuities at the branch limits are part of the model.
    EXPECT_NEAR(at(-800), 21946.08, 1e-6);
    EXPECT_NEAR(at(-799.999999), 21945, 1e-3);
    EXPECT_NEAR(at(2019), 68.109 + 1.277 - 0.007 - 0.139, 1e-9);
    EXPECT_NEAR(at(2019.000001), 69.2202, 1e-4);
    // The long-term parabola outside -800..3350.
    EXPECT_NEAR(at(-13000), -20 + 32 * 148.2 * 148.2, 1e-6);
    EXPECT_NEAR(at(16999), -20 + 32 * 151.79 * 151.79, 1e-6);
    // Against the historical values of F. Espenak and J. Meeus (NASA, Five Millennium Canon of
    // Solar Eclipses, 2006): 10580 +- 260 s at year 0, 23.6 s in 1925.
    EXPECT_NEAR(at(0), 10580, 260);
    EXPECT_NEAR(at(1925), 23.6, 0.5);
}

TEST(DeltaT, EveryEarlyTableNodeAndSmoothSplineJunctions) {
    const auto at = [](double year) { return deltaT((year - 2000) / 100); };
    // The nodes from -800 to -720 (Morrison & Stephenson 2004, Table 1 as used by the NASA
    // Five Millennium Canon); between them the table is linear.
    const double nodes[] = {21945, 21776, 21601, 21420, 21235, 21043, 20830, 20605, 20371};
    for (int i = 0; i < 9; ++i) {
        const double year = -800 + 10 * i;
        // -800 itself belongs to the parabola
        EXPECT_NEAR(at(i == 0 ? year + 1e-9 : year), nodes[i], 1e-4) << year;
        if (i < 8) {
            EXPECT_NEAR(at(year + 5), (nodes[i] + nodes[i + 1]) / 2, 1e-6) << year + 5;
        }
    }
    // The spline of Stephenson, Morrison & Hohenkerk (2016) is continuous in value and slope at
    // every junction (all on whole years) to the rounding of its published coefficients.
    double worstJump = 0, worstKink = 0;
    for (int year = -719; year < 2019; ++year) {
        const double h = 1e-4;
        worstJump = std::max(worstJump, std::fabs(at(year + 1e-9) - at(year - 1e-9)));
        const double after = (at(year + h) - at(year + 1e-9)) / h;
        const double before = (at(year - 1e-9) - at(year - h)) / h;
        worstKink = std::max(worstKink, std::fabs(after - before));
    }
    EXPECT_LT(worstJump, 0.002) << "seconds";
    EXPECT_LT(worstKink, 0.002) << "seconds per year";
}

// The standard error of Delta T against Morrison & Stephenson (2004), their Table: 636 s at
// -1000, 431 at -500, 265 at 0, 139 at 500, 54 at 1000, 31 at 1200, about 20 s for 1300-1600;
// Stephenson & Houlden (1986): 5 s at 1700, 1 s at 1800, 0.1 s at 1900. Beyond the sources: the
// parabola's extrapolation at -2000 (0.8 x 38.2^2 s) and about the present in 3000.
TEST(DeltaTSigma, PublishedStandardErrorsAndTheRuleBeyondThem) {
    struct Published {
        double year, sigma, rounding;
    };
    const Published table[] = {{-1000, 636, 0.5}, {-500, 431, 0.5},     {0, 265, 0.5},
                               {500, 139, 0.5},   {1000, 54, 0.5},      {1200, 31, 0.5},
                               {1300, 21.6, 0.1}, {1500, 20, 0},        {1600, 20, 0},
                               {1700, 5, 0},      {1800, 1, 0},         {1900, 0.1, 0},
                               {2024, 0.1, 0},    {-2000, 1167.4, 0.1}, {3000, 76.15, 0.01}};
    for (const Published& p : table)
        EXPECT_NEAR(deltaTSigma(p.year), p.sigma, p.rounding + 1e-9) << p.year;
    // between the published values it changes monotonically
    for (double year = 1600; year < 1900; year += 10)
        EXPECT_GT(deltaTSigma(year), deltaTSigma(year + 10)) << year;
    EXPECT_GT(deltaTSigma(10000), 3600) << "hours in the far future";
}

TEST(SplitHours, BringsTheHourIntoTheDay) {
    struct Case {
        double x;
        ClockReading expected;
    };
    for (const Case& c : {Case{24.3, {0, 18, 0}}, Case{-0.5, {23, 30, 0}}, Case{49.75, {1, 45, 0}},
                          Case{18.308167, {18, 18, 29.4}},
                          // a whole negative number of days is hour 0, never 24
                          Case{-24, {0, 0, 0}}, Case{-48.25, {23, 45, 0}}}) {
        const ClockReading got = splitHours(c.x);
        EXPECT_EQ(got.hours, c.expected.hours) << c.x;
        EXPECT_EQ(got.minutes, c.expected.minutes) << c.x;
        EXPECT_NEAR(got.seconds, c.expected.seconds, 0.01) << c.x;
    }
}

// A time printed to tenths of a second never shows 60.0 seconds: 4 min 59.96 s is 5:00.0, and
// 23:59:59.97 the next day's 0:00:00.0.
TEST(SplitHours, TenthsCarryIntoTheMinutesAndHours) {
    char text[32];
    const auto printed = [&](double hours) {
        const ClockReading clock = splitHoursToTenths(hours);
        std::snprintf(text, sizeof text, "%2.0f:%2.0f:%4.1f", clock.hours, clock.minutes,
                      clock.seconds);
        return std::string(text);
    };
    EXPECT_EQ(printed((4 * 60 + 59.96) / 3600), " 0: 5: 0.0");
    EXPECT_EQ(printed(5.0 / 60), " 0: 5: 0.0");
    EXPECT_EQ(printed(23 + 59.0 / 60 + 59.97 / 3600), " 0: 0: 0.0");
    EXPECT_EQ(printed(12 + 34.0 / 60 + 56.74 / 3600), "12:34:56.7");
    EXPECT_EQ(printed(-0.5 / 3600), "23:59:59.5") << "half a second before midnight";
    for (int tenth = 0; tenth < 36000 * 3; tenth += 7)
        EXPECT_EQ(printed(tenth / 36000.0).find("60.0"), std::string::npos) << tenth;
}

// Dates before 1582 October 15 are Julian (calendarToJd switches there): the screens mark them.
TEST(Calendar, JulianDatesAreMarked) {
    EXPECT_TRUE(isJulianCalendarDate(1582, 10, 4));
    EXPECT_FALSE(isJulianCalendarDate(1582, 10, 15));
    EXPECT_TRUE(isJulianCalendarDate(-762, 6, 15));
    EXPECT_FALSE(isJulianCalendarDate(2024, 4, 8));
    EXPECT_EQ(calendarToJd(1582, 10, 4, 0, 0, 0) + 1, calendarToJd(1582, 10, 15, 0, 0, 0));
    EXPECT_EQ(calendarNote(1000, 1, 1), " (Julian)");
    EXPECT_EQ(calendarNote(1583, 1, 1), "");
    EXPECT_EQ(calendarNote(-762, 6, 15), " (763 BC, Julian)");
}

// Astronomical year numbering counts 1 BC as year 0 (Meeus, Astronomical Algorithms, ch. 7:
// "the year 0 corresponds to 1 BC, the year -1 to 2 BC"); the eclipse of Assyria's eponym
// canon, 763 BC June 15, is year -762.
TEST(Calendar, YearsBeforeChrist) {
    EXPECT_EQ(yearBeforeChrist(0), "1 BC");
    EXPECT_EQ(yearBeforeChrist(-1), "2 BC");
    EXPECT_EQ(yearBeforeChrist(-762), "763 BC");
    EXPECT_EQ(yearBeforeChrist(-13000), "13001 BC");
    EXPECT_EQ(yearBeforeChrist(1), std::nullopt);
    for (const char* typed : {"763 BC", "763BC", " 763 bc ", "763 BCE", "763\tbce"})
        EXPECT_EQ(parseYear(typed), -762.0) << typed;
    EXPECT_EQ(parseYear("1 BC"), 0.0);
    EXPECT_EQ(parseYear("-762"), -762.0);
    EXPECT_EQ(parseYear("2024"), 2024.0);
    for (const char* refused : {"", "BC", "0 BC", "-5 BC", "7.5 BC", "763 B C", "763 AD", "x",
                                "763 BCX", "nan", "inf", "2024x"})
        EXPECT_EQ(parseYear(refused), std::nullopt) << refused;
}
