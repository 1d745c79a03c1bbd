// SPDX-License-Identifier: GPL-3.0-or-later
#include "angles.h"
#include "catalog.h"
#include "earth.h"
#include "local_circumstances.h"
#include "path_geometry.h"
#include "sun_position.h"
#include "test_support.h"
#include "timescales.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

// The position angle of the Moon's centre from the Sun's without the turn of the inner contacts.
double plainPositionAngle(const ObservedShadow& o) {
    return std::fmod(std::atan2(o.u, o.v) * 57.29577951308232 + 360, 360);
}

} // namespace

TEST(ObservedShadow, ObserverOnTheCentralLineOfATotalEclipse) {
    const CatalogEclipse e(2024, 4);
    const Observer o = observerAt(-104.15, 25.29); // near greatest eclipse
    const std::optional<ObservedShadow> maximum = localMaximum(e.catalog.record, o, 0, e.deltaT);
    ASSERT_TRUE(maximum);
    EXPECT_TRUE(maximum->central());
    EXPECT_GT(maximum->magnitude(), 1.0);
    EXPECT_LT(maximum->axisDistance, 0.002);
    EXPECT_NEAR(maximum->sunAltitude, 69.8, 0.5); // the Sun's altitude at greatest eclipse
    // At the internal contacts the position angle is turned by 180 degrees.
    const std::optional<ObservedShadow> c2 =
        umbralContact(e.catalog.record, o, maximum->t, e.deltaT, ContactSide::before);
    ASSERT_TRUE(c2);
    EXPECT_NEAR(std::fabs(std::remainder(c2->positionAngle - plainPositionAngle(*c2), 360.0)), 180,
                1e-6);
    EXPECT_LT(c2->t, maximum->t);
}

TEST(ObservedShadow, AnnularAndPartialObservers) {
    const CatalogEclipse annular(2023, 10);
    LocalCircumstances local = localCircumstances(
        annular.catalog.record, observerAt(-106.65, 35.08), annular.deltaT); // Albuquerque
    ASSERT_TRUE(local.second.has_value());
    EXPECT_NEAR(local.second->shadow.positionAngle, plainPositionAngle(local.second->shadow), 1e-6)
        << "not turned for an annular eclipse";
    EXPECT_LT(local.magnitude, 1);
    EXPECT_TRUE(local.central);

    const CatalogEclipse partial(2024, 4);
    local = localCircumstances(partial.catalog.record, observerAt(-74.01, 40.71),
                               partial.deltaT); // New York
    EXPECT_FALSE(local.central);
    EXPECT_FALSE(local.second.has_value());
    EXPECT_FALSE(local.third.has_value());
    EXPECT_TRUE(local.first.has_value());
    EXPECT_NEAR(local.magnitude, 0.90, 0.02);

    local = localCircumstances(partial.catalog.record, observerAt(-58.4, -34.6),
                               partial.deltaT); // Buenos Aires: outside the penumbra
    EXPECT_TRUE(local.nearest.has_value()) << "the nearest approach exists without an eclipse";
    EXPECT_FALSE(local.maximum.has_value());
    EXPECT_FALSE(local.first.has_value());
    EXPECT_LT(local.magnitude, 0);
}

// The eclipse at sunrise: the annular eclipse of 2021 June 10 rose already eclipsed over the
// north-east of the United States (Philadelphia: the Sun rose at 9:31 UT in the partial phase,
// about 0.8 of its diameter covered).
TEST(LocalCircumstances, EclipseAtSunriseIsFoundWhereTheFirstContactIsBelowTheHorizon) {
    const CatalogEclipse e(2021, 6);
    const LocalCircumstances local =
        localCircumstances(e.catalog.record, observerAt(-75.16, 39.95), e.deltaT);
    ASSERT_TRUE(local.first && local.maximum && local.fourth);
    EXPECT_LT(local.first->shadow.sunAltitude, sunriseAltitude);
    ASSERT_TRUE(local.horizon);
    EXPECT_EQ(local.horizonMoment, HorizonMoment::sunrise);
    EXPECT_NEAR(local.horizon->shadow.sunAltitude, sunriseAltitude, 0.05);
    EXPECT_GT(local.horizon->shadow.t, local.first->shadow.t);
    EXPECT_LT(local.horizon->shadow.t, local.fourth->shadow.t);
    EXPECT_GT(local.horizon->shadow.magnitude(), 0.5);
}

TEST(SunHorizontal, DueSouthAtApparentNoon) {
    // At noon of Greenwich apparent time on 2024 April 8 (12:02 UT, the equation of time being
    // -1.8 minutes) the Sun stands due south of an observer on the prime meridian.
    const CatalogEclipse e(2024, 4);
    const EclipseRecord& r = e.catalog.record;
    const Horizontal sun =
        sunHorizontal(r, observerAt(0, 50), 12 + 1.8 / 60 - r.t0 + e.deltaT / 3600, e.deltaT);
    EXPECT_NEAR(sun.azimuth, 180, 0.3);
    EXPECT_NEAR(sun.altitude, 90 - 50 + 7.4, 0.5);
}

// The Sun's radius re-derives the cones. With the catalog's own radius the record comes back (its
// umbra from the penumbra's cone, to the file's digits); with 959.95" (696,229 km) the 2024
// path at greatest eclipse narrows by what the cones give to first order: the umbra's radius at
// the surface shrinks by (z - zeta) dR / G, z the Moon's height, G the Sun-Moon distance.
TEST(SunRadius, ReDerivesTheConesAndNarrowsThePath) {
    const CatalogEclipse april(2024, 4);
    const EclipseRecord& r = april.catalog.record;
    const EclipseRecord same = withSunRadius(r, sunRadiusKm);
    EXPECT_NEAR(same.tanF1, r.tanF1, 1e-12);
    EXPECT_NEAR(same.tanF2, r.tanF2, 1e-7);
    EXPECT_NEAR(same.l2c0, r.l2c0, 1e-6);
    EXPECT_NEAR(same.l2c1, r.l2c1, 1e-6);
    EXPECT_NEAR(sunRadiusOfArcseconds(959.63), sunRadiusKm, 50);
    EXPECT_NEAR(sunRadiusOf(r), sunRadiusKm, 5) << "the catalog's cones, to their digits";

    const double radius = sunRadiusOfArcseconds(959.95);
    EXPECT_NEAR(radius, 696229, 1);
    const EclipseRecord larger = withSunRadius(r, radius);
    EXPECT_NEAR(sunRadiusOf(larger), radius, 5);
    const PathGeometry before = tracePathGeometry(r, april.deltaT, 1.0 / 60);
    const PathGeometry after = tracePathGeometry(larger, april.deltaT, 1.0 / 60);
    const ShadowElements e = evaluateElements(r, before.greatest.time);
    const CentralDetails central = centralLineDetails(e, april.deltaT);
    const double z = moonHeight(r, e);
    const double sunMoon =
        (sunRadiusEarthRadii + moonRadiusPenumbra) * std::sqrt(1 + 1 / (r.tanF1 * r.tanF1));
    const double zeta = std::sqrt(1 - r.gamma * r.gamma);
    const double shrink =
        (z - zeta) * (radius - sunRadiusKm) / (sunRadiusKm / sunRadiusEarthRadii) / sunMoon;
    const double expected = before.greatest.width * shrink / std::fabs(central.surfaceL2);
    const double narrower = before.greatest.width - after.greatest.width;
    std::printf("2024 at greatest eclipse: %.3f km wide, %.3f km with 959.95\" (%.3f km narrower; "
                "the cones give %.3f km)\n",
                before.greatest.width, after.greatest.width, narrower, expected);
    EXPECT_GT(narrower, 0);
    EXPECT_NEAR(narrower, expected, 0.05 * expected);
}

// A place raised by h stands on the shadow axis's line through the place h cot(a) farther from the
// Sun's azimuth at sea level (a: the Sun's altitude), h / sin(a) nearer the Moon, where the umbra
// is wider by that times tan f2: its height moves the nearer edge of the path by the first
// distance's component along the edge's inward normal and the second over the depth's change per
// km. Checked on the limits of 2024 April (totality) and 2023 October (annularity) at 526 m and
// 2000 m, the normal taken from the traced limit.
TEST(LocalCircumstances, HeightMovesTheEdgeByTheSunsCotangent) {
    const double kmPerDegree = meanEarthRadiusKm * degToRad;
    for (const auto& [year, month] : {std::pair{2024, 4}, {2023, 10}}) {
        const CatalogEclipse eclipse(year, month);
        const EclipseRecord& r = eclipse.catalog.record;
        for (const double t : {-0.8, 0.0, 0.8})
            for (const int sign : {+1, -1}) {
                const ShadowElements e = evaluateElements(r, t);
                const TracedPoint edge = umbralLimitPoint(e, eclipse.deltaT, sign);
                // the limit's direction: a chord of 20 s centred on the edge
                const TracedPoint before =
                    umbralLimitPoint(evaluateElements(r, t - 10.0 / 3600), eclipse.deltaT, sign);
                const TracedPoint next =
                    umbralLimitPoint(evaluateElements(r, t + 10.0 / 3600), eclipse.deltaT, sign);
                const TracedPoint centre = centralLinePoint(e, eclipse.deltaT);
                ASSERT_TRUE(edge.found && before.found && next.found && centre.found)
                    << year << " " << t;
                // on the ground about the edge: km east and north
                const double cosLat = std::cos(edge.lat * degToRad);
                const auto local = [&](const TracedPoint& p) {
                    return std::pair{(p.lon - edge.lon) * cosLat * kmPerDegree,
                                     (p.lat - edge.lat) * kmPerDegree};
                };
                const auto [nextE, nextN] = local(next);
                const auto [beforeE, beforeN] = local(before);
                const double alongE = nextE - beforeE, alongN = nextN - beforeN;
                const auto [toCentreE, toCentreN] = local(centre);
                double normalE = -alongN, normalN = alongE; // turned a quarter, then inward
                if (normalE * toCentreE + normalN * toCentreN < 0)
                    normalE = -normalE, normalN = -normalN;
                const double length = std::hypot(normalE, normalN);
                for (const double height : {526.0, 2000.0}) {
                    const Observer raised = observerAt(edge.lon, edge.lat, height);
                    const std::optional<ObservedShadow> maximum =
                        localMaximum(r, raised, t, eclipse.deltaT);
                    ASSERT_TRUE(maximum);
                    const Horizontal sun = sunHorizontal(r, raised, maximum->t, eclipse.deltaT);
                    const double away = height / 1000 / std::tan(sun.altitude * degToRad);
                    const double awayE = -away * std::sin(sun.azimuth * degToRad),
                                 awayN = -away * std::cos(sun.azimuth * degToRad);
                    // and the umbra's cone is wider (total) or narrower (annular) by tan f2 per
                    // Earth radius nearer the Moon, h / sin(a) along the axis, over the depth's
                    // change per km on the ground along the normal
                    const double alongAxis = height / 1000 / std::sin(sun.altitude * degToRad);
                    const double taper =
                        -std::copysign(1.0, maximum->l2) * alongAxis / earthRadiusKm * e.tanF2;
                    const double normalAzimuth = std::atan2(normalE, normalN);
                    const double tilt = std::cos(sun.altitude * degToRad) *
                                        std::cos(sun.azimuth * degToRad - normalAzimuth);
                    const double depthPerKm = std::sqrt(1 - tilt * tilt) / earthRadiusKm;
                    const double expected =
                        (awayE * normalE + awayN * normalN) / length + taper / depthPerKm;
                    const std::optional<double> shift =
                        heightEdgeShiftKm(r, raised, eclipse.deltaT);
                    ASSERT_TRUE(shift);
                    EXPECT_NEAR(*shift, expected, 0.002 + 0.005 * std::fabs(expected))
                        << year << " t " << t << " sign " << sign << " " << height << " m";
                }
            }
    }
}
