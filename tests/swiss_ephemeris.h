// SPDX-License-Identifier: GPL-3.0-or-later
// The Swiss Ephemeris (JPL DE431 files) as the tests' reference.
#pragma once

#include "shadow_elements.h"
#include "test_support.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <swephexp.h>

namespace vesk::testing {

// A test that reads the ephemeris files; skipped where they are not installed.
class SwissEphemeris : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::is_directory(ephemerisDir()))
            GTEST_SKIP() << "no ephemeris files at " << ephemerisDir();
        swe_set_ephe_path(ephemerisDir().c_str());
    }
    void TearDown() override { swe_close(); }
};

// Degrees to add to a longitude given to the Swiss Ephemeris at a UT instant with deltaT
// seconds (after swe_set_delta_t_userdef) so that it stands under the sky where the catalog
// puts that longitude. Its long-term sidereal time of a UT instant differs from the catalog's
// (the sidereal time of the TT instant turned back by Delta T at hourAngleRatePerSecond) by
// 0.9856 degree per day of Delta T. Leaves the reference's Delta T set to deltaT.
inline double catalogTurn(double jdUt, double deltaT) {
    constexpr double secondsPerDay = 86400;
    const double jdTT = jdUt + deltaT / secondsPerDay;
    swe_set_delta_t_userdef(0);
    const double catalogSidereal = swe_sidtime(jdTT) * 15 - hourAngleRatePerSecond * deltaT;
    swe_set_delta_t_userdef(deltaT / secondsPerDay);
    return std::remainder(catalogSidereal - swe_sidtime(jdUt) * 15, 360);
}

} // namespace vesk::testing
