// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's position and libration against Meeus' worked examples and DE431.
#include "lunar_libration.h"
#include "test_support.h"

#include <cmath>
#include <gtest/gtest.h>
#include <swephexp.h>

using namespace vesk;

namespace {
constexpr double toDeg = 57.29577951308232;
}

TEST(LunarLibration, MeeusExamples) {
    // Example 47.a: 1992 April 12, 0h TD.
    const MoonPlace moon = moonPosition((2448724.5 - 2451545) / 36525);
    EXPECT_NEAR(moon.lambda * toDeg, 133.162655, 1e-6);
    EXPECT_NEAR(moon.beta * toDeg, -3.229126, 1e-6);
    EXPECT_NEAR(moon.distance, 368409.7, 0.1);
    // Example 53.a, the same instant, geocentric (an observer at the Earth's centre).
    std::string report;
    const LibrationResult r = lunarLibration(1992, 4, 12, 0, 0, 0, 0, -6378140, &report);
    EXPECT_NEAR(r.opticalL * toDeg, -1.206, 0.001);
    EXPECT_NEAR(r.opticalB * toDeg, 4.194, 0.001);
    EXPECT_NEAR(r.physicalL * toDeg, -0.025, 0.001);
    EXPECT_NEAR(r.physicalB * toDeg, 0.006, 0.001);
    EXPECT_NEAR(r.l * toDeg, -1.23, 0.005);
    EXPECT_NEAR(r.b * toDeg, 4.20, 0.005);
    EXPECT_NEAR(r.positionAngle * toDeg, 15.08, 0.02);
    EXPECT_EQ(report.rfind("  Optical libration :  l' = -1.206゜, b' =  4.194゜,\n", 0), 0u)
        << report;
    EXPECT_NE(report.find("  Physical libration : l\" = -0.025゜"), std::string::npos);
    // Meeus ch. 7.
    EXPECT_DOUBLE_EQ(lunarJulianDate(2000, 1, 1.5), 2451545.0);
    EXPECT_DOUBLE_EQ(lunarJulianDate(1582, 10, 15.0), 2299160.5);
    EXPECT_DOUBLE_EQ(lunarJulianDate(1582, 10, 4.0), 2299159.5);
    EXPECT_NEAR(meanObliquity(0) * toDeg, 23 + 26.0 / 60 + 21.448 / 3600, 1e-9);
}

TEST(LunarLibration, MoonAgainstTheSwissEphemeris) {
    if (!std::filesystem::is_directory(vesk::testing::ephemerisDir()))
        GTEST_SKIP() << "no ephemeris files";
    swe_set_ephe_path(vesk::testing::ephemerisDir().c_str());
    double worstLon = 0, worstLat = 0;
    for (double jd = 2415020.5; jd < 2488069.5; jd += 61.7) { // 1900 to 2100
        double x[6];
        char error[AS_MAXCH];
        ASSERT_GT(swe_calc(jd, SE_MOON, SEFLG_SWIEPH | SEFLG_TRUEPOS | SEFLG_NONUT, x, error), 0);
        const MoonPlace moon = moonPosition((jd - 2451545) / 36525);
        worstLon = std::max(worstLon, std::fabs(std::remainder(moon.lambda * toDeg - x[0], 360.0)));
        worstLat = std::max(worstLat, std::fabs(moon.beta * toDeg - x[1]));
    }
    // Meeus gives about 10" in longitude and 4" in latitude for the truncated theory.
    EXPECT_LT(worstLon * 3600, 15);
    EXPECT_LT(worstLat * 3600, 6);
    std::printf("Moon vs DE431 1900-2100: %.1f\" longitude, %.1f\" latitude\n", worstLon * 3600,
                worstLat * 3600);
    swe_close();
}
