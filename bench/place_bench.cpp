// SPDX-License-Identifier: GPL-3.0-or-later
// Places by name and the read-out under the pointer: a prefix look-up as the place field's
// completion makes it at each key, an exact look-up of "NAME, QUALIFIER" (goal for both: under
// 10 ms), and the status bar's circumstances of a map point with its civil time (goal: under
// 5 ms). The gazetteer is read once, before the timing.
#include "app_state.h"
#include "pointer_readout.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

using namespace vesk;

const Gazetteer& installedGazetteer(benchmark::State& run, AppState& state) {
    static const Gazetteer none;
    const Gazetteer* g = state.places->gazetteer.get();
    if (g == nullptr)
        run.SkipWithError("no gazetteer (libtimezonemap-data)");
    return g ? *g : none;
}

// Look-ups of five names in turn: lookup(gazetteer, name).
template <typename Lookup>
void lookUp(benchmark::State& run, const std::array<const char*, 5>& names, const Lookup& lookup) {
    AppState state(DataPaths{});
    const Gazetteer& g = installedGazetteer(run, state);
    std::size_t i = 0;
    for (auto _ : run)
        benchmark::DoNotOptimize(lookup(g, names[i++ % names.size()]));
}

void placePrefixLookup(benchmark::State& run) {
    lookUp(run, {"s", "sa", "san", "lu", "東"},
           [](const Gazetteer& g, const char* typed) { return placesStartingWith(g, typed, 12); });
}
BENCHMARK(placePrefixLookup)->Unit(benchmark::kMicrosecond);

void placeExactLookup(benchmark::State& run) {
    lookUp(run, {"Luxor, EG", "Springfield", "Zürich", "東京", "Burgos"}, findPlace);
}
BENCHMARK(placeExactLookup)->Unit(benchmark::kMicrosecond);

void pointerCircumstances(benchmark::State& run) {
    AppState state(DataPaths{{std::filesystem::path(VESK_SOURCE_DIR) / "data"}});
    installedGazetteer(run, state);
    Session& s = state.session;
    if (catalogFind(s.catalog, 2024, 4))
        run.SkipWithError("no catalog");
    const EclipseRecord record = s.catalog.record;
    const double deltaT = viewDeltaT(record, s.view);
    int step = 0;
    for (auto _ : run) {
        const double lon = -100 + (step % 40) * 0.5, lat = 30 + (step++ % 7);
        benchmark::DoNotOptimize(pointerReadout(*state.places, record, deltaT, lon, lat));
    }
}
BENCHMARK(pointerCircumstances)->Unit(benchmark::kMicrosecond);

} // namespace
