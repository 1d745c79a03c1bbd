// SPDX-License-Identifier: GPL-3.0-or-later
// The Sun and the Moon seen from a place, from the elements, against the Swiss Ephemeris's
// topocentric Sun and Moon (DE431) with the program's Delta T.
#include "angles.h"
#include "catalog.h"
#include "eclipse_series.h"
#include "local_circumstances.h"
#include "path_tracers.h"
#include "recording_surface.h"
#include "swiss_ephemeris.h"
#include "text_format.h"
#include "view_from_place.h"
#include "view_from_place_screen.h"

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

namespace {

// The view of an eclipse at a place at t drawn on a recording surface.
struct DrawnView {
    RecordingSurface surface{1000, 700};
    ViewFromPlace view;
    DrawnView(const CatalogEclipse& e, const LocalCircumstances& local, double t, ViewUp up,
              const LimbProfile* limb = nullptr) {
        view = viewFromPlace(e.catalog.record, local.observer, t, e.deltaT);
        PlaceViewScreen screen;
        screen.up = up;
        screen.limb = limb;
        drawViewFromPlace(surface, e.catalog.record, local, view, e.deltaT, screen);
    }
    bool says(const std::string& text) const {
        return std::any_of(surface.texts.begin(), surface.texts.end(),
                           [&](const RecordedText& t) { return t.text.find(text) != t.text.npos; });
    }
    // The Moon's outline (the polygon of its colour) and its centre.
    const std::vector<PixelPoint>& moon() const { return surface.polygons.front().first; }
    std::pair<double, double> moonCentre() const {
        double x = 0, y = 0;
        for (const PixelPoint& p : moon()) {
            x += p.x;
            y += p.y;
        }
        return {x / moon().size(), y / moon().size()};
    }
};

} // namespace

// Dallas, 2024 April 8: the Moon lies from the Sun at its vertex angle with the zenith up and at
// its position angle with north up, at the separation the view computes; in totality the
// corona's rings are drawn and the magnitude and obscuration are said; the limb is said smooth
// without the lunar grid and the profile's heights move the outline where it is given. At 0.3
// degree of altitude the ground comes into the frame, below the Sun with the zenith up.
TEST(ViewFromPlace, DrawsTheMoonWhereTheViewPutsItAndSaysWhatItShows) {
    CatalogEclipse e(2024, 4);
    ASSERT_TRUE(e.found);
    const LocalCircumstances local =
        localCircumstances(e.catalog.record, observerAt(-96.807, 32.78, 128), e.deltaT);
    ASSERT_TRUE(local.second && local.maximum && local.first);
    const double partial = (local.first->shadow.t + local.maximum->shadow.t) / 2;
    for (const ViewUp up : {ViewUp::zenith, ViewUp::north}) {
        const DrawnView drawn(e, local, partial, up);
        const PlaceViewFrame frame = placeViewFrame(1000, 700);
        const double ppd = frame.sunRadius / drawn.view.sunRadius;
        const double angle = (drawn.view.positionAngle -
                              (up == ViewUp::zenith ? drawn.view.shadow.zenithAngle : 0)) *
                             degToRad;
        const auto [mx, my] = drawn.moonCentre();
        EXPECT_NEAR(mx, frame.cx - std::sin(angle) * drawn.view.separation * ppd, 1.0);
        EXPECT_NEAR(my, frame.cy - std::cos(angle) * drawn.view.separation * ppd, 1.0);
        EXPECT_TRUE(drawn.says(up == ViewUp::zenith ? "Zenith up" : "North up"));
        EXPECT_TRUE(drawn.says("smooth"));
        EXPECT_EQ(drawn.surface.polygons.size(), 1U) << "no ground 60 degrees up";
    }
    const DrawnView total(e, local, local.maximum->shadow.t, ViewUp::zenith);
    EXPECT_GT(total.surface.shapes.size(), 10U) << "the corona's rings and the Sun";
    EXPECT_TRUE(total.says("Obscuration 100.0%"));
    const DrawnView partialView(e, local, partial, ViewUp::zenith);
    EXPECT_EQ(partialView.surface.shapes.size(), 1U) << "the Sun alone";
    EXPECT_TRUE(partialView.says(format("Mag. %6.3f", partialView.view.shadow.magnitude())));

    LimbProfile profile;
    profile.radius.fill(moonMeanLimbKm);
    profile.radius[900] = moonMeanLimbKm + 200; // a mountain at position angle 90 (east)
    const DrawnView withLimb(e, local, partial, ViewUp::north, &profile);
    EXPECT_TRUE(withLimb.says("LRO profile"));
    const DrawnView smooth(e, local, partial, ViewUp::north);
    EXPECT_LT(withLimb.moon()[180].x, smooth.moon()[180].x - 5) << "east is left";
    EXPECT_EQ(withLimb.moon()[0], smooth.moon()[0]);

    // sunset seen from the place where the Sun is 0.3 degree up at the maximum
    const Observer low = observerAt(-96.807 + 64.3, 32.78);
    const LocalCircumstances lowLocal = localCircumstances(e.catalog.record, low, e.deltaT);
    ASSERT_TRUE(lowLocal.nearest);
    double t = lowLocal.nearest->shadow.t;
    for (int i = 0; i < 20; ++i) // to the instant of altitude 0.3
        t += (viewFromPlace(e.catalog.record, low, t, e.deltaT).sun.altitude - 0.3) / 15 /
             std::cos(32.78 * degToRad);
    const DrawnView sunset(e, lowLocal, t, ViewUp::zenith);
    ASSERT_EQ(sunset.surface.polygons.size(), 2U);
    const std::vector<PixelPoint>& ground = sunset.surface.polygons.back().first;
    const PlaceViewFrame frame = placeViewFrame(1000, 700);
    const double horizonY = frame.cy + 0.3 * frame.sunRadius / sunset.view.sunRadius;
    EXPECT_NEAR(ground[0].y, horizonY, 1.5);
    EXPECT_NEAR(ground[1].y, horizonY, 1.5);
}

// The eclipse over time agrees with the view from the place at five of its instants: the
// obscuration (to 0.0001), the Sun's altitude and azimuth; it starts and ends at the contacts.
TEST(EclipseSeries, AgreesWithTheViewAtItsInstants) {
    CatalogEclipse e(2023, 10);
    ASSERT_TRUE(e.found);
    const EclipseRecord& record = e.catalog.record;
    const LocalCircumstances local =
        localCircumstances(record, observerAt(-106.65, 35.08, 1511), e.deltaT);
    const std::vector<SeriesPoint> series = eclipseSeries(record, local, e.deltaT);
    ASSERT_TRUE(local.first && local.fourth);
    ASSERT_GT(series.size(), 100U);
    EXPECT_DOUBLE_EQ(series.front().t, local.first->shadow.t);
    EXPECT_DOUBLE_EQ(series.back().t, local.fourth->shadow.t);
    EXPECT_NEAR(series[1].t - series[0].t, 1.0 / 60, 1e-12);
    for (const std::size_t i : {std::size_t{1}, series.size() / 4, series.size() / 2,
                                3 * series.size() / 4, series.size() - 2}) {
        const ViewFromPlace view = viewFromPlace(record, local.observer, series[i].t, e.deltaT);
        EXPECT_NEAR(series[i].obscuration, view.obscuration(), 0.0001) << i;
        EXPECT_NEAR(series[i].altitude, view.sun.altitude, 0.01) << i;
        EXPECT_DOUBLE_EQ(series[i].azimuth, view.sun.azimuth) << i;
    }
    EXPECT_TRUE(
        eclipseSeries(record, localCircumstances(record, observerAt(100, -60), e.deltaT), e.deltaT)
            .empty());
}

// With the Sun far below the horizon the ground fills the whole frame.
TEST(ViewFromPlace, GroundCoversTheFrameWhenTheSunIsDown) {
    CatalogEclipse e(2024, 4);
    ASSERT_TRUE(e.found);
    const LocalCircumstances local =
        localCircumstances(e.catalog.record, observerAt(100, 30), e.deltaT); // night in Asia
    ASSERT_TRUE(local.nearest);
    const DrawnView night(e, local, local.nearest->shadow.t, ViewUp::zenith);
    ASSERT_LT(night.view.sun.altitude, -10);
    ASSERT_EQ(night.surface.polygons.size(), 2U);
    const std::vector<PixelPoint>& ground = night.surface.polygons.back().first;
    // every corner of the frame inside the ground's quadrilateral
    for (const auto& [x, y] : {std::pair{0, 0}, {1000, 0}, {0, 700}, {1000, 700}}) {
        bool inside = true;
        for (std::size_t i = 0; i < ground.size(); ++i) {
            const PixelPoint a = ground[i], b = ground[(i + 1) % ground.size()];
            const double cross = static_cast<double>(b.x - a.x) * (y - a.y) -
                                 static_cast<double>(b.y - a.y) * (x - a.x);
            inside = inside && cross >= 0;
        }
        bool insideReversed = true;
        for (std::size_t i = 0; i < ground.size(); ++i) {
            const PixelPoint a = ground[i], b = ground[(i + 1) % ground.size()];
            insideReversed = insideReversed && static_cast<double>(b.x - a.x) * (y - a.y) -
                                                       static_cast<double>(b.y - a.y) * (x - a.x) <=
                                                   0;
        }
        EXPECT_TRUE(inside || insideReversed) << x << ", " << y;
    }
}
