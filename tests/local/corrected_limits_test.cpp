// SPDX-License-Identifier: GPL-3.0-or-later
// The limits of the central path corrected for the lunar limb, checked against the corrected
// contacts at the places they pass through, with the grid of LDEM_4.
#include "base_map.h"
#include "corrected_limits.h"
#include "limb_margins.h"
#include "local/lunar_grid.h"
#include "local_circumstances.h"
#include "test_support.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using namespace vesk;
using namespace vesk::testing;

namespace {

constexpr double earthMeanRadiusKm = 6371.0;

// The point km along the great circle from (lon, lat) towards (toLon, toLat) (negative: away), at
// a height in metres.
Observer movedTowards(const PathPoint& from, const TracedPoint& to, double km, double height = 0) {
    const auto unit = [](double lon, double lat) {
        const double l = lon * std::numbers::pi / 180, b = lat * std::numbers::pi / 180;
        return std::array{std::cos(b) * std::cos(l), std::cos(b) * std::sin(l), std::sin(b)};
    };
    const auto a = unit(from.lon, from.lat), b = unit(to.lon, to.lat);
    // the unit tangent at a towards b
    const double along = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    std::array<double, 3> tangent{b[0] - along * a[0], b[1] - along * a[1], b[2] - along * a[2]};
    const double norm = std::hypot(tangent[0], tangent[1], tangent[2]);
    const double angle = km / earthMeanRadiusKm;
    std::array<double, 3> p{};
    for (int i = 0; i < 3; ++i)
        p[i] = a[i] * std::cos(angle) + tangent[i] / norm * std::sin(angle);
    return observerAt(std::atan2(p[1], p[0]) * 180 / std::numbers::pi,
                      std::asin(p[2]) * 180 / std::numbers::pi, height);
}

// An eclipse with the grid, its path and its corrected limits.
struct CorrectedPath {
    ScratchDir dir;
    LimbData limb;
    CatalogEclipse eclipse;
    PathGeometry path;
    CorrectedLimits limits;

    CorrectedPath(double year, double month, const GroundHeights& ground = {})
        : eclipse(year, month) {
        if (!makeLunarGrid(dir) || loadLunarGrid(limb, DataPaths{{dir.path()}}))
            return;
        path = tracePathGeometry(eclipse.catalog.record, eclipse.deltaT, 1.0 / 60);
        limits = traceCorrectedLimits(eclipse.catalog.record, path, eclipse.deltaT, limb, ground);
    }

    const EclipseRecord& record() const { return eclipse.catalog.record; }

    // The central line's point at t.
    TracedPoint centralAt(double t) const {
        return centralLinePoint(evaluateElements(record(), t), eclipse.deltaT);
    }

    // The profile at the libration of a place's maximum.
    LimbProfile profileSeenFrom(const Observer& place) const {
        const LocalCircumstances local = localCircumstances(record(), place, eclipse.deltaT);
        const double t = local.nearest ? local.nearest->shadow.t : 0;
        const LibrationResult lib = librationAt(record(), place, t, eclipse.deltaT);
        return limbProfile(limb, lib.l, lib.b, lib.positionAngle);
    }

    // The corrected contacts at a place with a profile.
    CorrectedContacts contactsAt(const Observer& place, const LimbProfile& profile) const {
        return correctedContacts(
            profile, record(), localCircumstances(record(), place, eclipse.deltaT), eclipse.deltaT);
    }

    // Up to count points spread evenly over a side's limit, where the central line has a point
    // at the same instant (inward is towards it).
    std::vector<PathPoint> spread(const Pieces<PathPoint>& pieces, int count) const {
        std::vector<PathPoint> all;
        for (const auto& piece : pieces)
            for (const PathPoint& p : piece)
                if (centralAt(p.t).found)
                    all.push_back(p);
        EXPECT_GE(all.size(), static_cast<std::size_t>(count));
        std::vector<PathPoint> chosen;
        for (int i = 0; i < count && !all.empty(); ++i)
            chosen.push_back(
                all[all.size() * static_cast<std::size_t>(i) / static_cast<std::size_t>(count)]);
        return chosen;
    }
};

} // namespace

// Along the interior limits the central phase with the profile shrinks to an instant: on the limit
// (at most half a metre inward, where the phase first appears) the corrected second and third
// contacts are less than a second apart, 1 km inward there is a central phase, 1 km outward none.
TEST(CorrectedLimits, InteriorLimitsBoundTheCorrectedCentralPhase) {
    if (!std::filesystem::exists(ldemLabel()))
        GTEST_SKIP() << "no LDEM_4 product";
    for (const auto& [year, month] : {std::pair{2017, 8}, {2024, 4}, {2023, 10}}) {
        const CorrectedPath corrected(year, month);
        for (std::size_t side = 0; side < 2; ++side) {
            const std::vector<PathPoint> points =
                corrected.spread(corrected.limits.interior[side], 50);
            ASSERT_EQ(points.size(), 50u) << year << " side " << side;
            double widest = 0;
            for (const PathPoint& p : points) {
                const TracedPoint centre = corrected.centralAt(p.t);
                ASSERT_TRUE(centre.found);
                // the profile of the place on the limit serves the places a kilometre about it
                const LimbProfile profile = corrected.profileSeenFrom(movedTowards(p, centre, 0));
                const auto contactsAt = [&](double km) {
                    return corrected.contactsAt(movedTowards(p, centre, km), profile);
                };
                // on the limit: the first place inward (by up to half a metre) that sees the
                // central phase at all
                CorrectedContacts onLimit;
                for (const double km : {0.0, 0.0001, 0.00025, 0.0005}) {
                    onLimit = contactsAt(km);
                    if (onLimit.second && onLimit.third)
                        break;
                }
                ASSERT_TRUE(onLimit.second && onLimit.third)
                    << year << " " << p.lon << " " << p.lat;
                const double apart = (onLimit.third->t - onLimit.second->t) * 3600;
                widest = std::max(widest, apart);
                EXPECT_LT(apart, 1) << year << " " << p.lon << " " << p.lat;
                const CorrectedContacts inward = contactsAt(1);
                EXPECT_TRUE(inward.second && inward.third) << year << " " << p.lon << " " << p.lat;
                const CorrectedContacts outward = contactsAt(-1);
                EXPECT_FALSE(outward.second || outward.third)
                    << year << " " << p.lon << " " << p.lat;
            }
            std::printf("%d side %zu: on the interior limit the central phase lasts at "
                        "most %.2f s\n",
                        year, side, widest);
            std::fflush(stdout);
        }
    }
}

// Traced for observers on the relief grid's ground, the interior limits of 2024 April bound the
// corrected central phase where the observers stand: at every vertex, a place 10 m inward at the
// vertex's height sees it and a place 10 m outward none. The path climbs from the coast to 2000 m
// in Durango, where the ground moves the limits by a kilometre from those at sea level.
TEST(CorrectedLimits, InteriorLimitsOnTheGroundBoundTheCentralPhaseThere) {
    if (!std::filesystem::exists(ldemLabel()))
        GTEST_SKIP() << "no LDEM_4 product";
    ReliefData relief;
    IgnoredFiles ignored;
    loadRelief(relief, DataPaths{{sourceDataDir()}}, ignored);
    ASSERT_FALSE(relief.grid->heights.empty()) << "no relief grid";
    const GroundHeights ground{GroundHeightSource::reliefGrid,
                               [grid = relief.grid](double lon, double lat) {
                                   return std::max(0.0, 1.0 * sampleRelief(*grid, lat, lon));
                               }};
    const CorrectedPath corrected(2024, 4, ground);
    EXPECT_EQ(corrected.limits.heights, GroundHeightSource::reliefGrid);
    double highest = 0;
    std::size_t walked = 0;
    for (std::size_t side = 0; side < 2; ++side)
        for (const auto& piece : corrected.limits.interior[side])
            for (const PathPoint& p : piece) {
                const TracedPoint centre = corrected.centralAt(p.t);
                if (!centre.found)
                    continue;
                const double height = ground.metresAt(p.lon, p.lat);
                highest = std::max(highest, height);
                const LimbProfile profile =
                    corrected.profileSeenFrom(movedTowards(p, centre, 0, height));
                const CorrectedContacts inward =
                    corrected.contactsAt(movedTowards(p, centre, 0.01, height), profile);
                EXPECT_TRUE(inward.second && inward.third)
                    << p.lon << " " << p.lat << " " << height;
                const CorrectedContacts outward =
                    corrected.contactsAt(movedTowards(p, centre, -0.01, height), profile);
                EXPECT_FALSE(outward.second || outward.third)
                    << p.lon << " " << p.lat << " " << height;
                ++walked;
            }
    EXPECT_GT(walked, 100u);
    EXPECT_GT(highest, 1500) << "the path crosses the Sierra Madre";
    std::printf("%zu vertices walked, the highest at %.0f m\n", walked, highest);
}

// Along the exterior limits the profile just reaches the Sun's limb at the maximum: 50 m inward
// some part of it does (the exterior margin is at least 0), 50 m outward none does.
TEST(CorrectedLimits, ExteriorLimitsBoundTheBeads) {
    if (!std::filesystem::exists(ldemLabel()))
        GTEST_SKIP() << "no LDEM_4 product";
    for (const auto& [year, month] : {std::pair{2024, 4}, {2023, 10}}) {
        const CorrectedPath corrected(year, month);
        for (std::size_t side = 0; side < 2; ++side) {
            for (const PathPoint& p : corrected.spread(corrected.limits.exterior[side], 25)) {
                const TracedPoint centre = corrected.centralAt(p.t);
                const LimbProfile profile = corrected.profileSeenFrom(movedTowards(p, centre, 0));
                const auto exteriorAt = [&](double km) {
                    const Observer place = movedTowards(p, centre, km);
                    const LocalCircumstances local =
                        localCircumstances(corrected.record(), place, corrected.eclipse.deltaT);
                    return exteriorMargin(profile, sunAgainstLimb(local.nearest->shadow));
                };
                EXPECT_GE(exteriorAt(0.05), 0) << year << " " << p.lon << " " << p.lat;
                EXPECT_LT(exteriorAt(-0.05), 0) << year << " " << p.lon << " " << p.lat;
            }
        }
    }
}

// The corrected central duration at a place is the limb screen's: at 2024's greatest eclipse the
// second contact moves by -0.3 s and the third by -0.8 s, so the phase is 0.5 s shorter.
TEST(CorrectedLimits, CentralDurationIsTheLimbScreens) {
    if (!std::filesystem::exists(ldemLabel()))
        GTEST_SKIP() << "no LDEM_4 product";
    ScratchDir dir;
    LimbData limb;
    ASSERT_TRUE(makeLunarGrid(dir) && !loadLunarGrid(limb, DataPaths{{dir.path()}}));
    const CatalogEclipse april(2024, 4);
    const Observer place = observerAt(-104.14, 25.29);
    const LocalCircumstances local = localCircumstances(april.catalog.record, place, april.deltaT);
    ASSERT_TRUE(local.second && local.third);
    const double smooth = (local.third->shadow.t - local.second->shadow.t) * 3600;
    const std::optional<double> corrected =
        correctedCentralSeconds(april.catalog.record, local, april.deltaT, limb);
    ASSERT_TRUE(corrected);
    EXPECT_NEAR(*corrected - smooth, -0.5, 0.05);
}
