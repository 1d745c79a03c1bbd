// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the whole catalog entry by entry, as the searches do.
#include "catalog.h"
#include "eclipse_search.h"

#include <benchmark/benchmark.h>

namespace {

void readWholeCatalog(benchmark::State& state) {
    vesk::Catalog catalog;
    catalog.paths.dirs = {std::filesystem::path(VESK_SOURCE_DIR) / "data"};
    for (auto _ : state) {
        long entries = 0;
        for (const double year : {-13000, -7999, -2999, 1, 3001, 8001, 13001}) {
            for (vesk::Outcome failure = vesk::catalogOpenFirst(catalog, year); !failure;
                 failure = vesk::catalogReadNext(catalog))
                ++entries;
        }
        vesk::catalogClose(catalog);
        state.counters["entries"] = static_cast<double>(entries);
    }
}
BENCHMARK(readWholeCatalog)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The list search over 3,000 years in each of its modes, without the 100-hit limit.
void collectOverThreeThousandYears(benchmark::State& state) {
    vesk::Session session(vesk::DataPaths{{std::filesystem::path(VESK_SOURCE_DIR) / "data"}});
    session.view.observerLon = 139.767; // Tokyo
    session.view.observerLat = 35.683;
    vesk::SearchCriteria criteria;
    criteria.mode = static_cast<vesk::SearchMode>(state.range(0));
    criteria.type = vesk::typeTotal;
    criteria.saros = 145;
    const vesk::SearchMessage quiet = [](int, int, const char*) {};
    for (auto _ : state) {
        vesk::collectMatches(session, quiet, 1, 3000, criteria, 1000000);
        state.counters["hits"] = static_cast<double>(session.searchHits.size());
    }
}
BENCHMARK(collectOverThreeThousandYears)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The place search (Tokyo, magnitude above 0.5) over the whole catalog.
void placeSearchOverTheWholeCatalog(benchmark::State& state) {
    vesk::Session session(vesk::DataPaths{{std::filesystem::path(VESK_SOURCE_DIR) / "data"}});
    session.view.observerLon = 139.767;
    session.view.observerLat = 35.683;
    vesk::SearchCriteria criteria;
    criteria.mode = vesk::searchPlace;
    const vesk::SearchMessage quiet = [](int, int, const char*) {};
    for (auto _ : state) {
        vesk::collectMatches(session, quiet, -13000, 30000, criteria, 1000000);
        state.counters["hits"] = static_cast<double>(session.searchHits.size());
    }
}
BENCHMARK(placeSearchOverTheWholeCatalog)->Unit(benchmark::kMillisecond);

} // namespace
