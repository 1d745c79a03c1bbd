// SPDX-License-Identifier: GPL-3.0-or-later
// The sky view's positions against published values, ERFA and the Swiss Ephemeris (DE431).
#include "catalog.h"
#include "label_placement.h"
#include "local_circumstances.h"
#include "recording_surface.h"
#include "sidereal_time.h"
#include "sky_at_maximum.h"
#include "sky_positions.h"
#include "sky_view.h"
#include "test_support.h"
#include "timescales.h"

#include <algorithm>
#include <cmath>
#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>
#include <swephexp.h>

using namespace vesk;

// Ten bright stars' places of date, from -12000 to 16500, against their catalogue places moved
// by their proper motion (eraPmsafe) and carried to the equator and equinox of date built from
// the two poles of the long-term precession (J. Vondrak et al., A&A 534, A22, 2011: ERFA's
// eraLtpequ for the equator's pole and eraLtpecl for the ecliptic's, the equinox their cross
// product): within 0.01 degree. The proper motion is the published one: Arcturus moves 2.2794"
// a year (Hipparcos, F. van Leeuwen 2007: -1093.39 and -1999.40 mas/yr), 227.9" in a century.
TEST(SkyPositions, StarsOfDateFollowTheLongTermPrecession) {
    const StarEntry& sirius = skyCatalogue[20];
    ASSERT_STREQ(sirius.name, "Sirius");
    EXPECT_NEAR(raFromPacked(sirius.ra), 101.2871, 0.0001) << "06h45m08.9s";
    EXPECT_NEAR(decFromPacked(sirius.dec), -16.7161, 0.0001) << "-16 42 58";
    EXPECT_NEAR(decFromPacked(-0.3000), -0.5, 1e-12);
    EXPECT_EQ(skyCatalogue[98].name, nullptr);
    const char* const stars[] = {"Sirius", "Canopus", "Arcturus", "Vega",  "Capella",
                                 "Rigel",  "Procyon", "Altair",   "Spica", "Antares"};
    double worst = 0;
    for (const char* name : stars) {
        const auto entry =
            std::find_if(skyCatalogue.begin(), skyCatalogue.end(), [&](const StarEntry& s) {
                return s.name != nullptr && std::string(s.name) == name;
            });
        ASSERT_NE(entry, skyCatalogue.end()) << name;
        for (const double year : {-12000.0, -3000.0, 1000.0, 2024.0, 8000.0, 16500.0}) {
            const double jd = ERFA_DJ00 + (year - 2000) * ERFA_DJY;
            double ra = 0, dec = 0, pr = 0, pd = 0, px = 0, rv = 0;
            eraPmsafe(raFromPacked(entry->ra) * ERFA_DD2R, decFromPacked(entry->dec) * ERFA_DD2R,
                      entry->pmRa * 15 / 3600 * ERFA_DD2R, entry->pmDec / 3600 * ERFA_DD2R, 0, 0,
                      ERFA_DJ00, 0, jd, 0, &ra, &dec, &pr, &pd, &px, &rv);
            double star[3], equatorPole[3], eclipticPole[3], equinox[3], ninety[3];
            eraS2c(ra, dec, star);
            eraLtpequ(eraEpj(jd, 0), equatorPole);
            eraLtpecl(eraEpj(jd, 0), eclipticPole);
            eraPxp(equatorPole, eclipticPole, equinox);
            eraPn(equinox, &px, equinox);
            eraPxp(equatorPole, equinox, ninety);
            const double theirRa =
                eraAnp(std::atan2(eraPdp(star, ninety), eraPdp(star, equinox))) * ERFA_DR2D;
            const double theirDec = std::asin(eraPdp(star, equatorPole)) * ERFA_DR2D;
            const auto [ours, oursDec] = starPlaceOfDate(*entry, LongTermPrecession(jd));
            const double apart = eraSeps(ours * ERFA_DD2R, oursDec * ERFA_DD2R, theirRa * ERFA_DD2R,
                                         theirDec * ERFA_DD2R) *
                                 ERFA_DR2D;
            EXPECT_LT(apart, 0.01) << name << " in " << year;
            worst = std::max(worst, apart);
        }
    }
    std::printf("stars of date vs the long-term precession's poles: worst %.5f deg\n", worst);
    const auto arcturus =
        std::find_if(skyCatalogue.begin(), skyCatalogue.end(), [](const StarEntry& s) {
            return s.name != nullptr && std::string(s.name) == "Arcturus";
        });
    StarEntry still = *arcturus;
    still.pmRa = still.pmDec = 0;
    const double century = ERFA_DJ00 + ERFA_DJC;
    const LongTermPrecession toCentury(century);
    const auto [ra, dec] = starPlaceOfDate(*arcturus, toCentury);
    const auto [stillRa, stillDec] = starPlaceOfDate(still, toCentury);
    EXPECT_NEAR(
        eraSeps(ra * ERFA_DD2R, dec * ERFA_DD2R, stillRa * ERFA_DD2R, stillDec * ERFA_DD2R) *
            ERFA_DR2D * 3600,
        227.9, 2);
}

TEST(SkyPositions, TrueObliquityAgainstErfa) {
    for (const double jd : {2451545.0, 2460409.26, 2299160.5, 2816787.5}) {
        double dpsi = 0, deps = 0;
        eraNut06a(jd, 0, &dpsi, &deps);
        EXPECT_NEAR(trueObliquity(jd), (eraObl06(jd, 0) + deps) * ERFA_DR2D, 1e-7) << jd;
    }
}

// The sidereal time the catalog's mu was made with, against the catalog tool's own library
// (the Swiss Ephemeris, its Delta T held at 0 so that the TT instant is taken as UT) from -13000
// to 17000, the ends of the IAU 2006 span 1850-2050 on either side included: within 2 arcseconds
// (a thousandth of the 36 the sky chart is held to), and equal inside the span.
TEST(SiderealTime, AgreesWithTheCatalogsLibraryInEveryEra) {
    swe_set_ephe_path(nullptr); // the library sets itself up here, forgetting any Delta T set
    swe_set_delta_t_userdef(0);
    const auto reference = [](double jd) {
        double nutation[6] = {};
        char error[AS_MAXCH] = "";
        EXPECT_GE(swe_calc(jd, SE_ECL_NUT, 0, nutation, error), 0) << error;
        return swe_sidtime0(jd, nutation[0], nutation[2]) * 15;
    };
    const double first = 2396758.5, last = 2469807.5; // 1850 and 2050 January 1
    std::vector<double> dates = {first - 0.3, first + 0.3, last - 0.3, last + 0.3, 2460409.26};
    for (double jd = -3024000.5; jd < 7930000; jd += 26000.37)
        dates.push_back(jd);
    double worst = 0;
    for (const double jd : dates) {
        const double apart = std::abs(std::remainder(catalogSiderealTime(jd) - reference(jd), 360));
        EXPECT_LT(apart * 3600, jd > first && jd < last ? 0.01 : 2) << jd;
        worst = std::max(worst, apart);
    }
    std::printf("sidereal time vs the catalog's library: worst %.2f arcsec\n", worst * 3600);
    swe_close();
}

TEST(SkyPositions, PerturbationTableEdgesAndRounding) {
    PerturbationTable ramp{};
    for (int k = 0; k < 37; ++k)
        for (int j = 0; j < 37; ++j)
            ramp[k][j] = 100 * k + j;
    EXPECT_NEAR(interpolateGrid10(ramp, 359.9, 0), 35.99, 1e-9) << "columns 35 and 36";
    EXPECT_NEAR(interpolateGrid10(ramp, 0, 359.9), 3599, 1e-9) << "rows 35 and 36";
    EXPECT_EQ(roundTo2(-0.125), -0.13);
    EXPECT_EQ(roundTo3(0.0004), 0.0);
    EXPECT_NEAR(reduceModulo(-30, 360), 330, 1e-12);
    // The fitted tables repeat their first row and column.
    EXPECT_EQ(perturbationTables.saturnL[36], perturbationTables.saturnL[0]);
    EXPECT_EQ(perturbationTables.jupiterL[5][36], perturbationTables.jupiterL[5][0]);
}

// Geocentric longitudes 1000-3000 against DE431 (geometric, mean equinox of date), with the
// fitted tables and without them.
TEST(SkyPositions, PlanetsAgainstTheSwissEphemeris) {
    if (!std::filesystem::is_directory(vesk::testing::ephemerisDir()))
        GTEST_SKIP() << "no ephemeris files";
    swe_set_ephe_path(vesk::testing::ephemerisDir().c_str());
    const int types[5] = {mercury, venus, mars, jupiter, saturn};
    const int bodies[5] = {SE_MERCURY, SE_VENUS, SE_MARS, SE_JUPITER, SE_SATURN};
    const double limits[5] = {0.2, 0.1, 0.15, 0.12, 1.0};
    double rms[2][5] = {};
    int count = 0;
    for (double jd = calendarToJd(1000, 1, 1, 0, 0, 0); jd < calendarToJd(3000, 1, 1, 0, 0, 0);
         jd += 97.3, ++count) {
        for (int p = 0; p < 5; ++p) {
            double x[6];
            char error[AS_MAXCH];
            ASSERT_GT(swe_calc(jd, bodies[p], SEFLG_SWIEPH | SEFLG_TRUEPOS | SEFLG_NONUT, x, error),
                      0);
            for (int t = 0; t < 2; ++t) {
                const PerturbationTables& tables = t == 0 ? perturbationTables : noPerturbations;
                const double d =
                    std::remainder(planetPosition(types[p], jd, tables).longitude - x[0], 360.0);
                rms[t][p] += d * d;
                if (t == 0) {
                    ASSERT_LT(std::fabs(d), limits[p]) << types[p] << " at JD " << jd;
                }
            }
        }
    }
    for (int t = 0; t < 2; ++t)
        for (double& v : rms[t])
            v = std::sqrt(v / count);
    EXPECT_LT(rms[0][3], rms[1][3] / 2) << "the tables bring Jupiter closer";
    EXPECT_LT(rms[0][4], rms[1][4] / 2) << "and Saturn";
    swe_close();
}

TEST(SkyView, BodiesAndHeader) {
    vesk::testing::RecordingSurface surface;
    // The Sun as drawn: radius trunc(7 + 3) = 10, yellow, named below its disc.
    const SkyBody sun = skyBodyAt(430, 200, 0, 90, -6, 2, "Sun");
    drawSkyBodies(surface, {sun}, 430, 200, 180);
    ASSERT_EQ(surface.shapes.size(), 1u);
    EXPECT_EQ(surface.shapes[0].left, 420);
    EXPECT_EQ(surface.shapes[0].brush.colour, (Rgb{255, 255, 0}));
    EXPECT_EQ(surface.texts[0].text, "Sun");
    EXPECT_EQ(surface.texts[0].y, 211) << "just below the disc";
    const SkyBody star = skyBodyAt(430, 200, -180, 1, 2.4, 2, " "); // due north, 1 degree up
    EXPECT_EQ(star.x - star.r, 430 - 1);
    EXPECT_EQ(star.y - star.r, 22 - 1);
    EXPECT_EQ(skyBodyAt(430, 200, 0, 45, -5, 2, "x").r, 9);
    surface.texts.clear();
    surface.shapes.clear();
    // Names never cover a disc or each other and stay inside the chart; a name that fits
    // nowhere is left out. A faint star has no name.
    drawSkyBodies(surface,
                  {skyBodyAt(430, 200, 0, 60, -4, 2, "Venus"),
                   skyBodyAt(430, 200, 2, 60, -2, 2, "Jupiter"),
                   skyBodyAt(430, 200, 0, 57, 0.5, 2, "Regulus"), star,
                   skyBodyAt(430, 200, 90, 1, 0.2, 2, "Rim")},
                  430, 200, 180);
    std::vector<LabelBox> boxes;
    for (const auto& shape : surface.shapes)
        boxes.push_back({shape.left, shape.top, shape.right + 1, shape.bottom + 1});
    const std::size_t discs = boxes.size();
    for (const auto& text : surface.texts) {
        const TextSize size = surface.textSize(text.text);
        const LabelBox box{text.x, text.y, text.x + size.width, text.y + size.height};
        EXPECT_LE(std::hypot(box.left - 430, box.top - 200), 180) << text.text;
        EXPECT_LE(std::hypot(box.right - 430, box.bottom - 200), 180) << text.text;
        for (const LabelBox& other : boxes)
            EXPECT_FALSE(boxesOverlap(box, other)) << text.text;
        boxes.push_back(box);
    }
    EXPECT_EQ(discs, 5u);
    EXPECT_GE(surface.texts.size(), 3u) << "the three close names all find a place";

    surface.texts.clear();
    drawSkyView(surface, 2024.0408, 18.2893, -75, 40, EclipseSky{});
    EXPECT_EQ(surface.texts[1].text, " Zone date : 2024  4  8 ");
    EXPECT_EQ(surface.texts[3].text, " Zone time : 13:17:21") << "zone -5 h";
    // The chart says where its planets come from when it is not DE431.
    const auto says = [&](const std::string& line) {
        return std::any_of(surface.texts.begin(), surface.texts.end(),
                           [&](const auto& t) { return t.text == line; });
    };
    EXPECT_TRUE(says(" Planets: mean elements"));
    surface.texts.clear();
    EclipseSky fromEphemeris;
    fromEphemeris.planetsFromEphemeris = true;
    drawSkyView(surface, 2024.0408, 18.2893, -75, 40, fromEphemeris);
    EXPECT_FALSE(says(" Planets: mean elements"));
    // the planets above the horizon are named in a line, in the catalogue's order
    fromEphemeris.bodies[2].altitude = 20; // Venus
    fromEphemeris.bodies[4].altitude = 1;  // Jupiter
    fromEphemeris.bodies[5].altitude = -1; // Saturn, set
    surface.texts.clear();
    drawSkyView(surface, 2024.0408, 18.2893, -75, 40, fromEphemeris);
    EXPECT_TRUE(says("   Venus, Jupiter"));
    surface.texts.clear();
    drawSkyView(surface, 2024.0408, 18.2893, -75, 40, EclipseSky{});
    EXPECT_TRUE(says("   none"));
}

// The chart takes the surface's height; the Sun is drawn to its size (at least visible), the
// Moon over it covers it in a total eclipse and leaves a ring in an annular one; no planet is
// larger than the Sun, and every planet above the horizon is named, off the Sun.
TEST(SkyView, ChartFillsTheHeightAndTheMoonCoversTheSun) {
    for (const double ratio : {1.05, 0.95}) {
        vesk::testing::RecordingSurface surface(1000, 700);
        EclipseSky sky;
        sky.bodies[0] = {0, 60, -26.7};                     // the Sun due south, 60 degrees up
        for (std::size_t i = 1; i < sky.bodies.size(); ++i) // planets about it, bright ones too
            sky.bodies[i] = {10.0 * static_cast<double>(i), 55, -4.0 + static_cast<double>(i)};
        sky.moonToSunRatio = ratio;
        drawSkyView(surface, 2024.0408, 18.2893, -75, 40, sky);
        const SkyChart chart = skyChartOf(1000, 700);
        EXPECT_GE(2 * chart.radius, 700 - 60) << "the chart takes the height";
        // the chart's disc (sky blue), then the bodies (filled discs)
        std::vector<vesk::testing::RecordedShape> discs;
        for (const auto& shape : surface.shapes)
            if (shape.round && !shape.brush.hollow)
                discs.push_back(shape);
        ASSERT_FALSE(discs.empty());
        EXPECT_EQ(discs[0].brush.colour, (Rgb{160, 192, 240}));
        EXPECT_EQ(discs[0].bottom - discs[0].top, 2 * chart.radius);
        // the Sun's disc and the Moon's right after it, about the same centre
        std::size_t sun = discs.size();
        for (std::size_t i = 0; i < discs.size(); ++i)
            if (discs[i].brush.colour == (Rgb{255, 255, 0}))
                sun = i;
        ASSERT_LT(sun + 1, discs.size());
        const auto& s = discs[sun];
        const auto& m = discs[sun + 1];
        const int sunR = (s.right - s.left) / 2, moonR = (m.right - m.left) / 2;
        EXPECT_EQ(sunR, sunMinimumRadius) << "0.27 degrees is under a pixel here";
        EXPECT_EQ(s.left + s.right, m.left + m.right);
        if (ratio > 1) {
            EXPECT_GT(moonR, sunR) << "the Moon covers the Sun";
        } else {
            EXPECT_LT(moonR, sunR) << "the ring of an annular eclipse";
        }
        for (std::size_t i = 1; i < discs.size(); ++i) {
            if (i != sun && i != sun + 1) {
                EXPECT_LT(discs[i].right - discs[i].left, 2 * sunR);
            }
        }
        const LabelBox sunBox{s.left, s.top, s.right + 1, s.bottom + 1};
        for (const char* planet : {"Mercury", "Venus", "Mars", "Jupiter", "Saturn"}) {
            const auto text = std::find_if(surface.texts.begin(), surface.texts.end(),
                                           [&](const auto& t) { return t.text == planet; });
            ASSERT_NE(text, surface.texts.end()) << planet;
            const TextSize size = surface.textSize(planet);
            EXPECT_FALSE(boxesOverlap(
                {text->x, text->y, text->x + size.width, text->y + size.height}, sunBox))
                << planet;
        }
    }
}

namespace {

// The angle between two directions given as altitude and azimuth, degrees.
double skyAngle(double altitudeA, double azimuthA, double altitudeB, double azimuthB) {
    const double k = ERFA_DD2R;
    const double cosAngle =
        std::sin(altitudeA * k) * std::sin(altitudeB * k) +
        std::cos(altitudeA * k) * std::cos(altitudeB * k) * std::cos((azimuthA - azimuthB) * k);
    return std::acos(std::clamp(cosAngle, -1.0, 1.0)) / k;
}

} // namespace

// At the maximum of a total eclipse the chart's Moon (seen from the place, a degree from where
// the Earth's centre sees it) stands on the Sun: at the greatest eclipse of 2024 April, near
// Nazas, Mexico, well within the excess of its radius over the Sun's (about 0.017 degree).
TEST(SkyAtMaximum, AtTotalityTheMoonStandsOnTheSun) {
    vesk::testing::CatalogEclipse eclipse(2024, 4);
    ASSERT_TRUE(eclipse.found);
    const EclipseRecord& r = eclipse.catalog.record;
    const Observer nazas = observerAt(-104.14, 25.29, 1300);
    const LocalCircumstances local = localCircumstances(r, nazas, eclipse.deltaT);
    ASSERT_TRUE(local.maximum && local.second) << "total there";
    const EclipseSky sky =
        eclipseSky(r, nazas, local.maximum->shadow.t, eclipse.deltaT, std::nullopt);
    const double apart = skyAngle(sky.moon.altitude, sky.moon.azimuth, sky.bodies[0].altitude,
                                  sky.bodies[0].azimuth);
    EXPECT_LT(apart, 0.005);
}

// The Sun and the planets of the sky chart against DE431 in every era: 2024 April and 21 eclipses
// from -12990 to 16990, three places, at t0 and two hours later. The reference: the Swiss
// Ephemeris's apparent places at the TT instant, turned to the horizon with its sidereal time of
// the TT instant less ERFA's Earth rotation from the UT instant to the TT one (as the catalog's
// hour angle is made).
TEST(SkyAtMaximum, SunAndPlanetsAgreeWithDe431InEveryEra) {
    if (!std::filesystem::is_directory(vesk::testing::ephemerisDir()))
        GTEST_SKIP() << "no ephemeris files";
    swe_set_ephe_path(vesk::testing::ephemerisDir().c_str());
    swe_set_delta_t_userdef(0); // the sidereal time of the TT instant taken as UT
    const std::filesystem::path planetFile = vesk::testing::sourceDataDir() / planetPlaceFileName;
    ASSERT_TRUE(std::filesystem::exists(planetFile));
    const int bodies[6] = {SE_SUN, SE_MERCURY, SE_VENUS, SE_MARS, SE_JUPITER, SE_SATURN};
    double worstSun = 0, worstPlanet = 0, worstTheory = 0, worstEquatorial = 0, worstStar = 0,
           worstTopocentric = 0;
    std::vector<std::pair<double, int>> months = {{2024, 4}};
    for (double year = -12990; year <= 16990; year += 1499)
        months.emplace_back(year, 1);
    for (const auto& [year, month] : months) {
        Catalog catalog;
        catalog.paths.dirs = {vesk::testing::sourceDataDir()};
        ASSERT_EQ(catalogFind(catalog, year, month), std::nullopt) << year;
        const EclipseRecord& e = catalog.record;
        const double deltaT = recordDeltaT(catalog.record);
        const auto places = findPlanetPlaces(planetFile, catalog.record.jdTT);
        ASSERT_TRUE(places.has_value()) << year;
        double worstHere = 0;
        for (const auto& [lon, lat] : {std::pair{0.0, 0.0}, {100.0, 40.0}, {-60.0, -30.0}}) {
            const Observer observer = observerAt(lon, lat);
            for (const double t : {0.0, 2.0}) {
                const EclipseSky ours = eclipseSky(e, observer, t, deltaT, places);
                const EclipseSky theory = eclipseSky(e, observer, t, deltaT, std::nullopt);
                const double jdUT = instantJdUt(e, t, deltaT);
                const double jdTT = jdUT + deltaT / 86400;
                double nutation[6] = {};
                char error[AS_MAXCH] = "";
                ASSERT_GE(swe_calc(jdTT, SE_ECL_NUT, 0, nutation, error), 0) << error;
                const double sidereal =
                    swe_sidtime0(jdTT, nutation[0], nutation[2]) * 15 +
                    (eraGmst06(jdUT, 0, jdTT, 0) - eraGmst06(jdTT, 0, jdTT, 0)) / ERFA_DD2R;
                for (int i = 0; i < 6; ++i) {
                    double place[6] = {};
                    ASSERT_GE(
                        swe_calc(jdTT, bodies[i], SEFLG_SWIEPH | SEFLG_EQUATORIAL, place, error), 0)
                        << error;
                    double azimuth = 0, altitude = 0;
                    eraHd2ae((sidereal + lon - place[0]) * ERFA_DD2R, place[1] * ERFA_DD2R,
                             lat * ERFA_DD2R, &azimuth, &altitude);
                    const auto angleTo = [&](const HorizontalPlace& p) {
                        return skyAngle(p.altitude, p.azimuth + 180, altitude / ERFA_DD2R,
                                        azimuth / ERFA_DD2R);
                    };
                    const double angle = angleTo(ours.bodies[i]);
                    (i == 0 ? worstSun : worstPlanet) =
                        std::max(i == 0 ? worstSun : worstPlanet, angle);
                    EXPECT_LT(angle, 0.01) << year << " body " << i;
                    if (i > 0)
                        worstTheory = std::max(worstTheory, angleTo(theory.bodies[i]));
                    worstHere = std::max(worstHere, angle);
                    // and on the sky of date, as the list of the sky's objects gives it
                    const double apart =
                        eraSeps(ours.bodies[i].ra * ERFA_DD2R, ours.bodies[i].dec * ERFA_DD2R,
                                place[0] * ERFA_DD2R, place[1] * ERFA_DD2R) /
                        ERFA_DD2R;
                    EXPECT_LT(apart, 0.01) << year << " body " << i << " right ascension";
                    worstEquatorial = std::max(worstEquatorial, apart);
                }
                double moon[6] = {};
                ASSERT_GE(swe_calc(jdTT, SE_MOON, SEFLG_SWIEPH | SEFLG_EQUATORIAL, moon, error), 0)
                    << error;
                const double moonApart =
                    eraSeps(ours.moon.ra * ERFA_DD2R, ours.moon.dec * ERFA_DD2R,
                            moon[0] * ERFA_DD2R, moon[1] * ERFA_DD2R) /
                    ERFA_DD2R;
                EXPECT_LT(moonApart, 0.01) << year << " the Moon";
                worstEquatorial = std::max(worstEquatorial, moonApart);
                // the Moon as the observer sees it, its parallax of up to a degree: the reference's
                // observer turned to stand under the sidereal time above
                const double turn =
                    (eraGmst06(jdUT, 0, jdTT, 0) - eraGmst06(jdTT, 0, jdTT, 0)) / ERFA_DD2R;
                swe_set_topo(lon + turn, lat, 0);
                ASSERT_GE(swe_calc(jdTT, SE_MOON, SEFLG_SWIEPH | SEFLG_EQUATORIAL | SEFLG_TOPOCTR,
                                   moon, error),
                          0)
                    << error;
                double moonAzimuth = 0, moonAltitude = 0;
                eraHd2ae((sidereal + lon - moon[0]) * ERFA_DD2R, moon[1] * ERFA_DD2R,
                         lat * ERFA_DD2R, &moonAzimuth, &moonAltitude);
                const double moonSeen = skyAngle(ours.moon.altitude, ours.moon.azimuth + 180,
                                                 moonAltitude / ERFA_DD2R, moonAzimuth / ERFA_DD2R);
                EXPECT_LT(moonSeen, 0.01) << year << " the Moon from the place";
                worstTopocentric = std::max(worstTopocentric, moonSeen);
                // the stars under the same sky: their places of date at the reference's sidereal
                // time
                for (const StarInSky& star : ours.stars) {
                    double azimuth = 0, altitude = 0;
                    eraHd2ae((sidereal + lon - star.place.ra) * ERFA_DD2R,
                             star.place.dec * ERFA_DD2R, lat * ERFA_DD2R, &azimuth, &altitude);
                    const double angle = skyAngle(star.place.altitude, star.place.azimuth + 180,
                                                  altitude / ERFA_DD2R, azimuth / ERFA_DD2R);
                    EXPECT_LT(angle, 0.01) << year << " " << skyCatalogue[star.row].name;
                    worstStar = std::max(worstStar, angle);
                }
            }
        }
        std::printf("  %6.0f: worst %.4f deg\n", catalog.record.year, worstHere);
    }
    std::printf("sky chart vs DE431: Sun %.4f, planets %.4f deg (mean elements: %.2f); right "
                "ascension and declination of the Sun, the Moon and the planets %.4f; the Moon "
                "from the place %.4f; stars on the horizon %.4f\n",
                worstSun, worstPlanet, worstTheory, worstEquatorial, worstTopocentric, worstStar);
    swe_close();
}

// The planet file is read whole or not at all: a record is found by its Julian date within a
// minute; a file that is short, of another kind, or holds values no planet has gives nothing.
TEST(PlanetPlaces, RecordsAreFoundOrRefused) {
    vesk::testing::ScratchDir dir;
    std::vector<EclipsePlanets> records(3);
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i].jdTT = 2451545 + 180.0 * static_cast<double>(i);
        records[i].planets[2] = {-12.5f, 23.25f, 0.01f, -0.002f};
    }
    const std::string bytes = encodePlanetPlaces(records);
    EXPECT_EQ(bytes.size(), 16u + 3 * 88);
    const std::filesystem::path file = dir.write("ecplanets.dat", bytes);
    const auto found = findPlanetPlaces(file, 2451545 + 180 + 0.5 / 1440);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->planets[2].dec, 23.25f);
    EXPECT_EQ(found->planets[2].raFromSun, -12.5f);
    EXPECT_FALSE(findPlanetPlaces(file, 2451545 + 90));
    EXPECT_FALSE(findPlanetPlaces(file, 2451545 + 1e6));
    EXPECT_FALSE(findPlanetPlaces(dir.path() / "missing.dat", 2451545));
    ASSERT_TRUE(decodePlanetPlaces(bytes).has_value());
    EXPECT_EQ(decodePlanetPlaces(bytes)->size(), 3u);
    std::string damaged = bytes;
    damaged[0] = 'X';
    const std::string nan(4, '\xff'); // a float32 NaN
    for (const std::string& bad : {bytes.substr(0, bytes.size() - 1), damaged,
                                   bytes.substr(0, 24) + nan + bytes.substr(28)}) {
        dir.write("bad.dat", bad);
        EXPECT_FALSE(findPlanetPlaces(dir.path() / "bad.dat", 2451545)) << bad.size();
        EXPECT_FALSE(decodePlanetPlaces(bad).has_value()) << bad.size();
    }
}
