// SPDX-License-Identifier: GPL-3.0-or-later
// The limits of 2024 April 8 corrected for the lunar limb: both sides' interior and exterior
// limits traced over the whole path, with the lunar grid "LRO.dat" of the user's data folder
// (VESK_LUNAR_GRID_DIR names another folder). Goal: at most 2 s on 2 cores.
#include "catalog.h"
#include "corrected_limits.h"
#include "timescales.h"

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

using namespace vesk;

void traceCorrectedLimitsOf2024(benchmark::State& run) {
    Catalog catalog;
    catalog.paths.dirs = {std::filesystem::path(VESK_SOURCE_DIR) / "data"};
    catalogFind(catalog, 2024, 4);
    const double deltaT = recordDeltaT(catalog.record);
    LimbData limb;
    DataPaths gridPaths = processDataPaths();
    if (const char* dir = std::getenv("VESK_LUNAR_GRID_DIR"))
        gridPaths.dirs.insert(gridPaths.dirs.begin(), dir);
    if (!loadLunarGrid(limb, gridPaths)) {
        run.SkipWithError("no lunar grid LRO.dat");
        return;
    }
    const PathGeometry path = tracePathGeometry(catalog.record, deltaT, 1.0 / 60);
    std::size_t points = 0;
    for (auto _ : run) {
        const CorrectedLimits limits = traceCorrectedLimits(catalog.record, path, deltaT, limb);
        points = 0;
        for (const auto& side : limits.interior)
            for (const auto& piece : side)
                points += piece.size();
    }
    run.counters["interiorPoints"] = static_cast<double>(points);
}
BENCHMARK(traceCorrectedLimitsOf2024)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
