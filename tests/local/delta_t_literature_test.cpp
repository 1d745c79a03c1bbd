// SPDX-License-Identifier: GPL-3.0-or-later
// The ranges of Delta T in which a place sees an eclipse as central, against the ranges that
// Stephenson, Morrison & Hohenkerk (Proc. R. Soc. A 472: 20160404, 2016, Table S10: untimed
// total and annular eclipses) publish for records placed with certainty: the total eclipses seen
// at Babylon in -135 (April 15) and -9 (June 30, the only eclipse of that year central at Babylon
// within five standard errors of the model's Delta T), and Clavius's eclipse at Rome in 1567
// (April 9; 145-165 s, Stephenson, Jones & Morrison, A&A 322, 347, 1997). The Babylonian records
// say the eclipse was total: their ranges are the central path's. Clavius's careful description
// narrows Rome's range within the path's: there the published range lies within ours.
//
// The ranges are geometry: ours come from DE431 (n-dot -25.80"/cy^2), the paper's from DE430's
// lunar orbit (-25.82), so ours are brought to the paper's n-dot before comparing. Each end may
// differ by what the two computations do not share, each term derived here, not chosen:
// - the table's rounding: its values before 1500 are multiples of 20 s, Rome's of 5 s;
// - the paper's n-dot as labelled elsewhere: -25.85 (the Swiss Ephemeris's
//   SE_TIDAL_STEPHENSON_2016) instead of -25.82;
// - the Moon's radius: the IAU's k = 0.2725076 instead of the mean limb's 0.2722810 that our
//   umbra is made with, over the rate at which the place's distance from the umbra's edge
//   changes with Delta T at that end;
// - the Earth's rotation: the sidereal time the catalog's hour angle is made with (the Swiss
//   Ephemeris's long-term one) against ERFA's GST06 at the eclipse, in seconds of Delta T;
// - the place, as the literature gives it to a hundredth of a degree: half of that in latitude
//   and longitude, over the same rate as the Moon's radius.
#include "corrected_limits.h"
#include "delta_t_models.h"
#include "delta_t_ranges.h"
#include "earth.h"
#include "local/lunar_grid.h"
#include "observed_shadow.h"
#include "path_tracers.h"
#include "shadow_elements.h"
#include "timescales.h"

#include "test_support.h"

#include <erfa.h>
#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <cstdio>
#include <tuple>

namespace vesk {
namespace {

// What a published range is: where the path's limits cross the place, or a narrower range
// within them (from what the record says besides).
enum class Published { pathLimits, withinPath };

struct PublishedRange {
    const char* record;
    Published kind;
    double year, month, lon, lat;
    double lower, upper; // seconds, as the table gives them
    double rounding;     // seconds
};

// The umbra's edge minus the place's distance from the axis at its local maximum (Earth radii
// of the observer's plane: above 0 inside), with Delta T.
double umbralMargin(const EclipseRecord& r, const Observer& o, double deltaT) {
    const std::optional<ObservedShadow> nearest = localMaximum(r, o, closestApproach(r, 0), deltaT);
    return nearest ? std::fabs(nearest->l2) - nearest->axisDistance : 0;
}

// Earth radii of the observer's plane by which the place's distance from the umbra's edge
// changes in a second of Delta T at an end of a range.
double edgeRate(const EclipseRecord& r, const Observer& o, double end) {
    constexpr double step = 2; // seconds
    return std::fabs(umbralMargin(r, o, end + step) - umbralMargin(r, o, end - step)) / (2 * step);
}

// Earth radii a place given to a hundredth of a degree may lie from where it is taken to be.
double placeRounding(double lat) {
    constexpr double halfStep = 0.005 * M_PI / 180;
    return std::hypot(halfStep, halfStep * std::cos(lat * M_PI / 180));
}

// Seconds of Delta T between the catalog's sidereal time and ERFA's at the greatest eclipse: the
// catalog's is the Swiss Ephemeris's analytic one of the TT instant (swe_sidtime0 with its true
// obliquity and nutation), turned back by Delta T.
double rotationSeconds(const EclipseRecord& r, double deltaT) {
    constexpr double secondsPerDay = 86400, degreesPerRadian = 180 / M_PI;
    const double jdUt = r.jdTT - deltaT / secondsPerDay;
    double nutation[6] = {};
    char error[256] = "";
    swe_calc(r.jdTT, SE_ECL_NUT, 0, nutation, error);
    const double catalog =
        swe_sidtime0(r.jdTT, nutation[0], nutation[2]) * 15 - hourAngleRatePerSecond * deltaT;
    const double erfa = eraGst06a(jdUt, 0, r.jdTT, 0) * degreesPerRadian;
    return std::fabs(std::remainder(catalog - erfa, 360.0)) / hourAngleRatePerSecond;
}

// A row's eclipse, its place and the central ranges of Delta T there.
struct RowEclipse {
    testing::CatalogEclipse eclipse;
    Observer place;
    DeltaTRanges smooth;

    explicit RowEclipse(const PublishedRange& row)
        : eclipse(row.year, row.month), place(observerAt(row.lon, row.lat, 0)) {
        if (eclipse.found)
            smooth =
                deltaTRanges(record(), place, eclipse.deltaT, deltaTSigma(record().year), false);
    }
    const EclipseRecord& record() const { return eclipse.catalog.record; }
    // The terms of the tolerance that both ends share: the table's rounding, the paper's n-dot as
    // labelled elsewhere and the sidereal time.
    double sharedTolerance(const PublishedRange& row) const {
        return row.rounding +
               std::fabs(ndotCorrection(record().year, de430Ndot, SE_TIDAL_STEPHENSON_2016)) +
               rotationSeconds(record(), eclipse.deltaT);
    }
};

TEST(DeltaTLiterature, CentralRangesAgreeWithThePublishedOnesWithinWhatDiffers) {
    const PublishedRange table[] = {
        {"Babylon -135", Published::pathLimits, -135, 4, 44.42, 32.54, 11220, 12140, 10},
        {"Babylon -9", Published::pathLimits, -9, 6, 44.42, 32.54, 8640, 10720, 10},
        {"Rome 1567", Published::withinPath, 1567, 4, 12.48, 41.90, 145, 165, 2.5},
    };
    for (const PublishedRange& row : table) {
        SCOPED_TRACE(row.record);
        const RowEclipse eclipse(row);
        ASSERT_TRUE(eclipse.eclipse.found);
        const EclipseRecord& r = eclipse.record();
        ASSERT_EQ(eclipse.smooth.central.size(), 1u);
        const DeltaTInterval ours = eclipse.smooth.central.front();
        const double toPaper = ndotCorrection(r.year, de431Ndot, de430Ndot);
        for (const auto& [end, published, outward] :
             {std::tuple{ours.from, row.lower, -1.0}, std::tuple{ours.to, row.upper, 1.0}}) {
            const double rate = edgeRate(r, eclipse.place, end);
            const double radius = (moonRadiusPenumbra - moonRadiusUmbra) / rate;
            const double place = placeRounding(row.lat) / rate;
            const double tolerance = eclipse.sharedTolerance(row) + radius + place;
            const double converted = end + toPaper;
            std::printf("%-13s published %6.0f  ours %6.0f  at the paper's n-dot %7.1f  "
                        "difference %+6.1f  allowed %5.1f (radius %.1f, place %.1f)\n",
                        row.record, published, end, converted, converted - published, tolerance,
                        radius, place);
            if (row.kind == Published::pathLimits)
                EXPECT_NEAR(converted, published, tolerance);
            else // ours reaches at least as far out
                EXPECT_GE(outward * (converted - published), -tolerance);
        }
    }
}

// With the lunar limb's profile as the test of totality: each end of Babylon's range of -135 is
// where the corrected contacts begin or cease to give a central phase (to the second the search
// refines to), and lies from the smooth end no further than the grid's relief is crossed; at
// Rome in 1567 the range is Hayakawa et al.'s (arXiv:2607.02347), 140-151 s, within what the
// computations do not share that enters here (their seconds, n-dot, the sidereal time and the
// place; the Moon's radius is the profile's, and the Sun's radius and the lunar grid's resolution
// are not derived: the test uses NASA's LDEM_4, a quarter of a degree).
TEST(DeltaTLiterature, LimbCorrectedRanges) {
    if (!std::filesystem::exists(testing::ldemLabel()))
        GTEST_SKIP() << "no LDEM_4 product";
    testing::ScratchDir dir;
    ASSERT_TRUE(testing::makeLunarGrid(dir));
    DataPaths paths;
    paths.dirs = {dir.path()};
    LimbData limb;
    ASSERT_EQ(loadLunarGrid(limb, paths), std::nullopt);
    const LunarRelief relief = lunarRelief(limb);
    const double reliefEarthRadii =
        std::max(moonReferenceRadiusKm - relief.lowest, relief.highest - moonReferenceRadiusKm) /
        earthRadiusKm;
    const PublishedRange table[] = {
        {"Babylon -135", Published::pathLimits, -135, 4, 44.42, 32.54, 0, 0, 0},
        {"Rome 1567", Published::pathLimits, 1567, 4, 12.48, 41.90, 140, 151, 0.5},
    };
    for (const PublishedRange& row : table) {
        SCOPED_TRACE(row.record);
        const RowEclipse eclipse(row);
        ASSERT_TRUE(eclipse.eclipse.found);
        const EclipseRecord& r = eclipse.record();
        const Observer& o = eclipse.place;
        const DeltaTRanges& smooth = eclipse.smooth;
        ASSERT_EQ(smooth.central.size(), 1u);
        const std::vector<DeltaTInterval> corrected = limbCorrectedRanges(r, o, smooth, limb);
        ASSERT_EQ(corrected.size(), 1u);
        const auto central = [&](double dT) {
            return correctedCentralSeconds(r, localCircumstances(r, o, dT), dT, limb).has_value();
        };
        for (const auto& [end, smoothEnd, published, outward] :
             {std::tuple{corrected[0].from, smooth.central[0].from, row.lower, -1.0},
              std::tuple{corrected[0].to, smooth.central[0].to, row.upper, 1.0}}) {
            EXPECT_TRUE(central(end - outward * 1)) << end;
            EXPECT_FALSE(central(end + outward * 1)) << end;
            const double rate = edgeRate(r, o, smoothEnd);
            EXPECT_LE(std::fabs(end - smoothEnd), reliefEarthRadii / rate + 1);
            if (published == 0) {
                std::printf("%-13s with the limb %7.1f s (smooth %7.1f s)\n", row.record, end,
                            smoothEnd);
                continue;
            }
            const double tolerance = eclipse.sharedTolerance(row) + placeRounding(row.lat) / rate;
            std::printf("%-13s with the limb %7.1f s (smooth %7.1f s), published %.0f s, allowed "
                        "%.1f s\n",
                        row.record, end, smoothEnd, published, tolerance);
            EXPECT_NEAR(end, published, tolerance);
        }
    }
}

} // namespace
} // namespace vesk
