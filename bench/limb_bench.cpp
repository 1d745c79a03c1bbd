// SPDX-License-Identifier: GPL-3.0-or-later
// The limits of 2024 April 8 corrected for the lunar limb: both sides' interior and exterior
// limits traced over the whole path, with the lunar grid "LRO.dat" of the user's data folder
// (VESK_LUNAR_GRID_DIR names another folder). Goal: at most 2 s on 2 cores. And what the
// corrections come to along 2017, 2024 and 1994 May 10 (the counters).
#include "catalog.h"
#include "corrected_limits.h"
#include "local_circumstances.h"
#include "timescales.h"

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

using namespace vesk;

// An eclipse of the committed catalog with the lunar grid of the data folders (empty without it).
struct EclipseWithGrid {
    Catalog catalog;
    double deltaT = 0;
    LimbData limb;
    EclipseWithGrid(double year, double month) {
        catalog.paths.dirs = {std::filesystem::path(VESK_SOURCE_DIR) / "data"};
        catalogFind(catalog, year, month);
        deltaT = recordDeltaT(catalog.record);
        DataPaths gridPaths = processDataPaths();
        if (const char* dir = std::getenv("VESK_LUNAR_GRID_DIR"))
            gridPaths.dirs.insert(gridPaths.dirs.begin(), dir);
        loadLunarGrid(limb, gridPaths);
    }
};

void traceCorrectedLimitsOf2024(benchmark::State& run) {
    const EclipseWithGrid eclipse(2024, 4);
    if (eclipse.limb.grid.empty()) {
        run.SkipWithError("no lunar grid LRO.dat");
        return;
    }
    const EclipseRecord& record = eclipse.catalog.record;
    const double deltaT = eclipse.deltaT;
    const PathGeometry path = tracePathGeometry(record, deltaT, 1.0 / 60);
    std::size_t points = 0;
    for (auto _ : run) {
        const CorrectedLimits limits = traceCorrectedLimits(record, path, deltaT, eclipse.limb);
        points = 0;
        for (const auto& side : limits.interior)
            for (const auto& piece : side)
                points += piece.size();
    }
    run.counters["interiorPoints"] = static_cast<double>(points);
}
BENCHMARK(traceCorrectedLimitsOf2024)->Unit(benchmark::kMillisecond)->UseRealTime();

// The shifts of the corrected limits from the smooth ones (km on the ground, outward positive;
// mean, least and greatest over the instants) and of the central duration at the central line's
// point every 15 minutes (seconds), for an eclipse.
void limbShiftsOf(benchmark::State& run, double year, double month) {
    const EclipseWithGrid eclipse(year, month);
    if (eclipse.limb.grid.empty()) {
        run.SkipWithError("no lunar grid LRO.dat");
        return;
    }
    const EclipseRecord& r = eclipse.catalog.record;
    const double deltaT = eclipse.deltaT;
    const LimbData& limb = eclipse.limb;
    const PathGeometry path = tracePathGeometry(r, deltaT, 1.0 / 60);
    CorrectedLimits limits;
    for (auto _ : run)
        limits = traceCorrectedLimits(r, path, deltaT, limb);
    constexpr double kmPerDegree = 111.195;
    for (std::size_t side = 0; side < 2; ++side) {
        for (const auto& [kind, pieces] : {std::pair{"interior", &limits.interior[side]},
                                           std::pair{"exterior", &limits.exterior[side]}}) {
            double sum = 0, least = 1e9, greatest = -1e9;
            int count = 0;
            for (const auto& piece : *pieces)
                for (const PathPoint& p : piece) {
                    const ShadowElements e = evaluateElements(r, p.t);
                    const TracedPoint centre = centralLinePoint(e, deltaT);
                    const double l2 = centralLineDetails(e, deltaT).surfaceL2;
                    const int sign = (umbralLimitSide(l2, 1) > 0) == (side == 0) ? 1 : -1;
                    const TracedPoint smooth = umbralLimitPoint(e, deltaT, sign);
                    if (!centre.found || !smooth.found)
                        continue;
                    const double shift =
                        (arcDegrees(centre.lon, centre.lat, p.lon, p.lat) -
                         arcDegrees(centre.lon, centre.lat, smooth.lon, smooth.lat)) *
                        kmPerDegree;
                    sum += shift;
                    least = std::min(least, shift);
                    greatest = std::max(greatest, shift);
                    ++count;
                }
            const std::string name = std::string(side == 0 ? "north_" : "south_") + kind;
            run.counters[name + "_mean_km"] = count ? sum / count : 0;
            run.counters[name + "_min_km"] = least;
            run.counters[name + "_max_km"] = greatest;
        }
    }
    double sum = 0, least = 1e9, greatest = -1e9;
    int count = 0;
    for (double t = path.umbraFirst.time + 0.25; t < path.umbraLast.time - 0.1; t += 0.25) {
        const TracedPoint centre = centralLinePoint(evaluateElements(r, t), deltaT);
        if (!centre.found)
            continue;
        const Observer place = observerAt(centre.lon, centre.lat);
        const LocalCircumstances local = localCircumstances(r, place, deltaT);
        const std::optional<double> corrected = correctedCentralSeconds(r, local, deltaT, limb);
        if (!corrected || !local.second || !local.third)
            continue;
        const double shift = *corrected - (local.third->shadow.t - local.second->shadow.t) * 3600;
        sum += shift;
        least = std::min(least, shift);
        greatest = std::max(greatest, shift);
        ++count;
    }
    run.counters["duration_shift_mean_s"] = count ? sum / count : 0;
    run.counters["duration_shift_min_s"] = least;
    run.counters["duration_shift_max_s"] = greatest;
}
BENCHMARK_CAPTURE(limbShiftsOf, 2017, 2017, 8)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(limbShiftsOf, 2024, 2024, 4)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(limbShiftsOf, 1994, 1994, 5)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
