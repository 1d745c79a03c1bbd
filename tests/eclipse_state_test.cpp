// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog.h"
#include "local_contacts.h"
#include "sun_position.h"
#include "test_support.h"
#include "timescales.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

struct Observed {
    Catalog catalog;
    EclipseState state;
    ViewState view;
    double deltaT = 0;

    Observed(double year, double month, double lon, double lat) {
        catalog.paths.dirs = {sourceDataDir()};
        state.record = &catalog.record;
        EXPECT_EQ(catalogFind(catalog, year, month), 1);
        loadEclipseSummary(state);
        deltaT = vesk::deltaT((catalog.record.jd - 2451545) / 36525);
        view.observerLon = lon;
        view.observerLat = lat;
        setObserver(state, view);
    }
};

} // namespace

TEST(EclipseState, ObserverOnTheCentralLineOfATotalEclipse) {
    Observed o(2024, 4, -104.15, 25.29); // near greatest eclipse
    EXPECT_EQ(o.state.obsLonWest, 104.15);
    double t = 0, altitude = 0, magnitude = 0;
    int central = 0;
    localMaximum(o.state, 0, o.deltaT, t, altitude, magnitude, central);
    EXPECT_EQ(o.state.status, 1);
    EXPECT_EQ(central, 1);
    EXPECT_GT(magnitude, 1.0);
    EXPECT_LT(o.state.axisDistance, 0.002);
    EXPECT_NEAR(altitude, 69.8, 0.5); // the Sun's altitude at greatest eclipse
    // At the internal contacts the position angle is turned by 180 degrees.
    double c2 = 0, alt2 = 0;
    umbralContact(o.state, t, o.deltaT, -1, c2, alt2);
    ASSERT_EQ(o.state.status, 1);
    const double plain = std::fmod(std::atan2(o.state.u, o.state.v) * 57.29577951308232 + 360, 360);
    EXPECT_NEAR(std::fabs(std::remainder(o.state.contactPA - plain, 360.0)), 180, 1e-6);
}

TEST(EclipseState, AnnularAndPartialObservers) {
    Observed annular(2023, 10, -106.65, 35.08); // Albuquerque, inside the antumbra
    LocalContacts local = computeLocalContacts(annular.state, annular.view, annular.deltaT);
    ASSERT_TRUE(local.second.has_value());
    annular.state.obsLonWest = annular.state.homeLonWest;
    observeAt(annular.state, local.second->t, annular.deltaT);
    const double plain =
        std::fmod(std::atan2(annular.state.u, annular.state.v) * 57.29577951308232 + 360, 360);
    EXPECT_NEAR(annular.state.contactPA, plain, 1e-6) << "not turned for an annular eclipse";
    EXPECT_LT(local.magnitude, 1);
    EXPECT_EQ(local.central, 1);

    Observed partial(2024, 4, -74.01, 40.71); // New York
    local = computeLocalContacts(partial.state, partial.view, partial.deltaT);
    EXPECT_EQ(local.central, 0);
    EXPECT_FALSE(local.second.has_value());
    EXPECT_FALSE(local.third.has_value());
    EXPECT_TRUE(local.first.has_value());
    EXPECT_NEAR(local.magnitude, 0.90, 0.02);

    Observed none(2024, 4, -58.4, -34.6); // Buenos Aires: outside the penumbra
    local = computeLocalContacts(none.state, none.view, none.deltaT);
    EXPECT_FALSE(local.maximum.has_value());
    EXPECT_FALSE(local.first.has_value());
    EXPECT_LT(local.magnitude, 0);
}

TEST(SunAltAz, DueSouthAtApparentNoon) {
    // At noon of Greenwich apparent time on 2024 April 8 (12:02 UT, the equation of time being
    // -1.8 minutes) the Sun stands due south of an observer on the prime meridian.
    Observed o(2024, 4, 0, 50);
    double altitude = 0, azimuth = 0;
    sunAltAz(o.state, 12 + 1.8 / 60 - o.state.t0 + o.deltaT / 3600, o.deltaT, altitude, azimuth);
    EXPECT_NEAR(azimuth, 180, 0.3);
    EXPECT_NEAR(altitude, 90 - 50 + 7.4, 0.5);
}
