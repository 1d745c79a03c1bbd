// SPDX-License-Identifier: GPL-3.0-or-later
// The Sun and the Moon seen from a place, from the elements, against the Swiss Ephemeris's
// topocentric Sun and Moon (DE431) with the program's Delta T.
#include "angles.h"
#include "catalog.h"
#include "local_circumstances.h"
#include "path_tracers.h"
#include "swiss_ephemeris.h"
#include "view_from_place.h"

#include <algorithm>
#include <cmath>
#include <erfa.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

constexpr double arcsecond = 1.0 / 3600; // degrees
constexpr double auKm = 149597870.700;
constexpr double earthRadiusOfTheElementsKm = 6378.137;

// The reference's topocentric apparent Sun and Moon for a place at a UT instant.
struct ReferenceView {
    double sunRadius = 0, separation = 0, positionAngle = 0; // degrees
};
ReferenceView referenceView(double jdUt, double deltaT, double lon, double lat) {
    double geopos[3] = {lon + catalogTurn(jdUt, deltaT), lat, 0};
    swe_set_topo(geopos[0], geopos[1], geopos[2]);
    double sun[6] = {}, moon[6] = {};
    char error[AS_MAXCH] = "";
    const int flags = SEFLG_SWIEPH | SEFLG_TOPOCTR | SEFLG_EQUATORIAL;
    EXPECT_GE(swe_calc_ut(jdUt, SE_SUN, flags, sun, error), 0) << error;
    EXPECT_GE(swe_calc_ut(jdUt, SE_MOON, flags, moon, error), 0) << error;
    ReferenceView view;
    view.sunRadius =
        std::asin(sunRadiusEarthRadii * earthRadiusOfTheElementsKm / (sun[2] * auKm)) * radToDeg;
    const double raSun = sun[0] * degToRad, decSun = sun[1] * degToRad;
    const double raMoon = moon[0] * degToRad, decMoon = moon[1] * degToRad;
    view.separation = eraSeps(raSun, decSun, raMoon, decMoon) * radToDeg;
    view.positionAngle = eraAnp(eraPas(raSun, decSun, raMoon, decMoon)) * radToDeg;
    return view;
}

} // namespace

// At the contacts and the maximum of 20 eclipse/place pairs across the span: the centres'
// separation and the Sun's radius within 1", the position angle where the disks are apart
// enough for it to mean something; the drawn Moon internally tangent at the second and third
// contacts (within 0.5") and touching at the first and fourth (within 1", with k1).
TEST_F(SwissEphemeris, ViewFromPlaceAgreesAtContactsAndMaximum) {
    const std::pair<double, double> months[] = {{-12000, 6}, {-3000, 2}, {-762, 6},  {-135, 4},
                                                {1133, 8},   {2017, 8},  {2023, 10}, {2024, 4},
                                                {6000, 5},   {16500, 3}};
    double worstSeparation = 0, worstSun = 0, worstInner = 0, worstOuter = 0;
    int pairs = 0;
    for (const auto& [year, month] : months) {
        CatalogEclipse e(year, month);
        ASSERT_TRUE(e.found) << year;
        const EclipseRecord& record = e.catalog.record;
        const TracedPoint centre =
            greatestEclipse(record, closestApproach(record, 0), e.deltaT).point;
        for (const double offset : {0.0, 3.0}) {
            const double lon = centre.lon + offset,
                         lat = std::clamp(centre.lat - offset, -85., 85.);
            const Observer observer = observerAt(lon, lat);
            const LocalCircumstances local = localCircumstances(record, observer, e.deltaT);
            ASSERT_TRUE(local.maximum) << year << " " << offset;
            ++pairs;
            const std::pair<const std::optional<LocalEvent>*, bool> events[] = {
                {&local.first, false},
                {&local.second, true},
                {&local.maximum, false},
                {&local.third, true},
                {&local.fourth, false}};
            for (const auto& [event, inner] : events) {
                if (!*event)
                    continue;
                const double t = (*event)->shadow.t;
                const ViewFromPlace view = viewFromPlace(record, observer, t, e.deltaT);
                const ReferenceView theirs =
                    referenceView(instantJdUt(record, t, e.deltaT), e.deltaT, lon, lat);
                const std::string where = std::to_string(year) + " at " + std::to_string(lon) +
                                          ", " + std::to_string(lat) + " t " + std::to_string(t);
                EXPECT_NEAR(view.separation, theirs.separation, arcsecond) << where;
                EXPECT_NEAR(view.sunRadius, theirs.sunRadius, arcsecond) << where;
                if (theirs.separation > 0.05) {
                    EXPECT_NEAR(std::remainder(view.positionAngle - theirs.positionAngle, 360), 0,
                                0.05)
                        << where;
                }
                worstSeparation =
                    std::max(worstSeparation, std::fabs(view.separation - theirs.separation));
                worstSun = std::max(worstSun, std::fabs(view.sunRadius - theirs.sunRadius));
                const bool maximum = event == &local.maximum;
                if (maximum)
                    continue;
                const double touching = inner ? std::fabs(view.sunRadius - view.moonRadius)
                                              : view.sunRadius + view.moonRadiusOuter;
                EXPECT_NEAR(view.separation, touching, (inner ? 0.5 : 1) * arcsecond) << where;
                double& worst = inner ? worstInner : worstOuter;
                worst = std::max(worst, std::fabs(view.separation - touching));
            }
        }
    }
    EXPECT_EQ(pairs, 20);
    std::printf("view from the place vs Swiss Ephemeris, worst (arcseconds): separation %.3f, "
                "Sun's radius %.3f; tangency at C2/C3 %.3f, at C1/C4 %.3f\n",
                worstSeparation * 3600, worstSun * 3600, worstInner * 3600, worstOuter * 3600);
}

// The view's obscuration at the maximum is the local circumstances' (which come from the
// observer's plane rather than from angles).
TEST(ViewFromPlace, ObscurationAtTheMaximumIsTheLocalScreens) {
    for (const auto& [year, month] : {std::pair{2024., 4.}, {2023., 10.}, {-135., 4.}}) {
        CatalogEclipse e(year, month);
        ASSERT_TRUE(e.found);
        const EclipseRecord& record = e.catalog.record;
        const TracedPoint centre =
            greatestEclipse(record, closestApproach(record, 0), e.deltaT).point;
        for (const double offset : {0.0, 0.5, 4.0, 10.0}) {
            const Observer observer = observerAt(centre.lon, centre.lat + offset);
            const LocalCircumstances local = localCircumstances(record, observer, e.deltaT);
            ASSERT_TRUE(local.maximum);
            const ViewFromPlace view =
                viewFromPlace(record, observer, local.maximum->shadow.t, e.deltaT);
            EXPECT_NEAR(view.obscuration(), local.obscuration, 0.0001) << year << " " << offset;
        }
    }
}
