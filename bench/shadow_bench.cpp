// SPDX-License-Identifier: GPL-3.0-or-later
// The shadow geometry's hot paths: the path geometry of 2024 April 8 (every curve of the map)
// traced over the whole eclipse at the default 0.1-minute step, its curves of equal duration,
// and the local maximum with the four contacts for 100,000 places.
#include "catalog.h"
#include "duration_curves.h"
#include "local_circumstances.h"
#include "path_geometry.h"
#include "timescales.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vesk;

struct Eclipse2024 {
    Catalog catalog;
    double deltaT = 0;
    Eclipse2024() {
        catalog.paths.dirs = {std::filesystem::path(VESK_SOURCE_DIR) / "data"};
        catalogFind(catalog, 2024, 4);
        deltaT = vesk::deltaT((catalog.record.jd - 2451545) / 36525);
    }
};

// The map's drawing step: 0.1 minute.
constexpr double mapStepHours = 1.0 / 600;

void traceAllCurves(benchmark::State& run) {
    Eclipse2024 e;
    std::size_t points = 0;
    for (auto _ : run) {
        const PathGeometry g = tracePathGeometry(e.catalog.record, e.deltaT, mapStepHours);
        points = 0;
        for (const auto& piece : g.centralLine)
            points += piece.size();
        benchmark::DoNotOptimize(g);
    }
    run.counters["centralPoints"] = static_cast<double>(points);
}
BENCHMARK(traceAllCurves)->Unit(benchmark::kMillisecond);

// Goal: under 50 ms (26 ms measured on 2 cores), no more than a repaint of the window.
void traceEqualDurationCurves(benchmark::State& run) {
    Eclipse2024 e;
    const PathGeometry g = tracePathGeometry(e.catalog.record, e.deltaT, mapStepHours);
    for (auto _ : run)
        benchmark::DoNotOptimize(traceDurationCurves(e.catalog.record, g));
}
BENCHMARK(traceEqualDurationCurves)->Unit(benchmark::kMillisecond)->UseRealTime();

void localCircumstancesOfManyPlaces(benchmark::State& run) {
    Eclipse2024 e;
    constexpr int places = 100000;
    for (auto _ : run) {
        int central = 0;
        for (int i = 0; i < places; ++i) {
            const Observer o =
                observerAt(-130 + 70.0 * (i % 1000) / 1000, 10 + 45.0 * (i / 1000) / 100);
            central += localCircumstances(e.catalog.record, o, e.deltaT).central;
        }
        benchmark::DoNotOptimize(central);
    }
    run.counters["places"] = places;
}
BENCHMARK(localCircumstancesOfManyPlaces)->Unit(benchmark::kMillisecond);

} // namespace
