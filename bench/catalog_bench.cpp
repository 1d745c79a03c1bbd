// Reading the whole catalog entry by entry, as the searches do.
#include "catalog.h"

#include <benchmark/benchmark.h>

namespace {

void readWholeCatalog(benchmark::State& state) {
    vesk::Catalog catalog;
    catalog.paths.dirs = {std::filesystem::path(VESK_SOURCE_DIR) / "data"};
    for (auto _ : state) {
        long entries = 0;
        for (const double year : {-13000, -7999, -2999, 1, 3001, 8001, 13001}) {
            for (int status = vesk::catalogOpenFirst(catalog, 0, year); status == 1;
                 status = vesk::catalogReadNext(catalog, 0))
                ++entries;
        }
        vesk::catalogClose(catalog);
        state.counters["entries"] = static_cast<double>(entries);
    }
}
BENCHMARK(readWholeCatalog)->Unit(benchmark::kMillisecond);

} // namespace
