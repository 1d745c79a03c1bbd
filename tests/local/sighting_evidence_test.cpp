// SPDX-License-Identifier: GPL-3.0-or-later
// The chance of what a record says was seen: against the ranges of Delta T of a central eclipse
// found the other way (deltaTRanges), and with the time of day checked at the ranges found.
#include "sighting_evidence.h"
#include "timescales.h"

#include "test_support.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(SightingEvidence, CentralWithTheSunUpIsTheChanceOfTheCentralRanges) {
    testing::CatalogEclipse eclipse(-135, 4);
    ASSERT_TRUE(eclipse.found);
    const EclipseRecord& r = eclipse.catalog.record;
    const Observer babylon = observerAt(44.42, 32.54, 0);
    const double sigma = deltaTSigma(r.year);
    const DeltaTRanges ranges = deltaTRanges(r, babylon, eclipse.deltaT, sigma, false);
    // the Sun stands high at Babylon's maximum throughout the central range
    SightingEvidence central;
    const SightingChance seen = sightingChance(r, babylon, central, eclipse.deltaT, sigma);
    ASSERT_EQ(seen.ranges.size(), ranges.central.size());
    EXPECT_NEAR(seen.ranges[0].from, ranges.central[0].from, 1);
    EXPECT_NEAR(seen.ranges[0].to, ranges.central[0].to, 1);
    EXPECT_NEAR(seen.probability, ranges.pCentral, 0.002);
    // it was total, not annular
    central.seen = SeenPhase::annular;
    EXPECT_EQ(sightingChance(r, babylon, central, eclipse.deltaT, sigma).probability, 0);

    // the maximum two to three hours after sunrise: a part of the range, where the solar time
    // says so
    SightingEvidence morning{SeenPhase::total, 0,          std::nullopt,
                             std::nullopt,     Span{2, 3}, std::nullopt};
    const SightingChance early = sightingChance(r, babylon, morning, eclipse.deltaT, sigma);
    ASSERT_FALSE(early.ranges.empty());
    EXPECT_LT(early.probability, seen.probability);
    for (const DeltaTInterval& range : early.ranges) {
        for (const double dT : {range.from + 1, (range.from + range.to) / 2, range.to - 1}) {
            const LocalCircumstances local = localCircumstances(r, babylon, dT);
            ASSERT_TRUE(local.maximum);
            const SolarTimeOfDay day = solarTimeOfDay(r, babylon, local.maximum->shadow.t, dT);
            ASSERT_TRUE(day.sinceSunrise);
            EXPECT_TRUE(*day.sinceSunrise >= 2 && *day.sinceSunrise <= 3) << dT;
        }
        EXPECT_FALSE(sightingHolds(r, babylon, morning, range.from - 2));
        EXPECT_FALSE(sightingHolds(r, babylon, morning, range.to + 2));
    }
}

// A magnitude of at least 0.9 at Nineveh in -762 and in -703: inside every range found the place
// sees it with the Sun up, and just outside an end that lies within the window it does not.
TEST(SightingEvidence, MagnitudeRangesEndWhereTheMagnitudeFalls) {
    const Observer nineveh = observerAt(43.15, 36.36, 0);
    SightingEvidence deep;
    deep.seen = SeenPhase::magnitude;
    deep.minMagnitude = 0.9;
    for (const double year : {-762.0, -703.0}) {
        testing::CatalogEclipse eclipse(year, year == -762 ? 6 : 10);
        ASSERT_TRUE(eclipse.found);
        const EclipseRecord& r = eclipse.catalog.record;
        const double sigma = deltaTSigma(r.year);
        const double low = eclipse.deltaT - deltaTWindow(sigma),
                     high = eclipse.deltaT + deltaTWindow(sigma);
        const SightingChance chance = sightingChance(r, nineveh, deep, eclipse.deltaT, sigma);
        ASSERT_FALSE(chance.ranges.empty()) << year;
        for (const DeltaTInterval& range : chance.ranges) {
            for (const double inside : {range.from + 1, range.to - 1}) {
                const LocalCircumstances local = localCircumstances(r, nineveh, inside);
                EXPECT_GE(local.magnitude, 0.9) << inside;
                ASSERT_TRUE(local.maximum);
                EXPECT_GT(local.maximum->shadow.sunAltitude, sunriseAltitude);
            }
            if (range.from > low) {
                EXPECT_FALSE(sightingHolds(r, nineveh, deep, range.from - 2)) << range.from;
            }
            if (range.to < high) {
                EXPECT_FALSE(sightingHolds(r, nineveh, deep, range.to + 2)) << range.to;
            }
        }
        std::printf("Nineveh %.0f, magnitude 0.9 or more: P = %.3f\n", year, chance.probability);
    }
}

// A wide uncertainty of Delta T costs no more work than one turn of the Earth: the evaluations
// stay the same from sigma = 10^4 to 10^6 s (they grew with sigma: a million did not finish), the
// ranges folded from one turn agree with a scan of the whole window, and with a sigma of many
// turns the chance is the share of a turn in which the sighting holds.
TEST(SightingEvidence, WorkDoesNotGrowWithSigma) {
    testing::CatalogEclipse eclipse(-762, 6);
    ASSERT_TRUE(eclipse.found);
    const EclipseRecord& r = eclipse.catalog.record;
    const Observer nineveh = observerAt(43.15, 36.36, 0);
    SightingEvidence deep;
    deep.seen = SeenPhase::magnitude;
    deep.minMagnitude = 0.5;
    std::vector<SightingChance> chances;
    for (const double sigma : {1e4, 1e5, 1e6})
        chances.push_back(sightingChance(r, nineveh, deep, eclipse.deltaT, sigma));
    EXPECT_EQ(chances[1].evaluations, chances[0].evaluations);
    EXPECT_EQ(chances[2].evaluations, chances[0].evaluations);
    EXPECT_LT(chances[0].evaluations, 4000);

    // a window of 1.4 turns either side, scanned whole every 30 s
    const double sigma = 12000, window = 5 * sigma;
    const SightingChance folded = sightingChance(r, nineveh, deep, eclipse.deltaT, sigma);
    const std::vector<DeltaTInterval> scanned =
        rangesWhere(eclipse.deltaT - window, eclipse.deltaT + window, 30,
                    [&](double dT) { return sightingHolds(r, nineveh, deep, dT); });
    ASSERT_EQ(folded.ranges.size(), scanned.size());
    for (std::size_t i = 0; i < scanned.size(); ++i) {
        EXPECT_NEAR(folded.ranges[i].from, scanned[i].from, 3) << i;
        EXPECT_NEAR(folded.ranges[i].to, scanned[i].to, 3) << i;
    }
    EXPECT_NEAR(folded.probability, probabilityWithin(scanned, eclipse.deltaT, sigma), 1e-4);

    double heldInATurn = 0;
    for (const DeltaTInterval& range : sightingChance(r, nineveh, deep, eclipse.deltaT, 3e4).ranges)
        if (std::fabs(range.from - eclipse.deltaT) < 43082 &&
            std::fabs(range.to - eclipse.deltaT) < 43082)
            heldInATurn += range.to - range.from;
    ASSERT_GT(heldInATurn, 0);
    EXPECT_NEAR(chances[2].probability, heldInATurn / 86164.09, 0.002);
}

} // namespace
} // namespace vesk
