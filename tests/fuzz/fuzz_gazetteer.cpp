// SPDX-License-Identifier: GPL-3.0-or-later
// The gazetteer's lists (cities15000.txt and historical_places.txt) in any bytes, and look-ups of
// names taken from them.
#include "gazetteer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using namespace vesk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // one private folder for the process, the list written anew for each input
    static const std::filesystem::path dir = [] {
        char pattern[] = "/tmp/fuzz_gazetteer.XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::filesystem::path(made != nullptr ? made : "/tmp");
    }();
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const char* list : {"cities15000.txt", "historical_places.txt"})
        std::ofstream(dir / list, std::ios::binary | std::ios::trunc) << text;
    IgnoredFiles ignored;
    const std::optional<Gazetteer> g = loadGazetteer(DataPaths{{dir}}, ignored);
    if (!g)
        return 0;
    const std::string name = text.substr(0, std::min<std::size_t>(size, 24));
    findPlace(*g, name);
    findPlace(*g, name + ", historical");
    placesStartingWith(*g, name, 12);
    observerPlaceAt(
        nullptr, [&g] { return &*g; }, 0, 0);
    for (const GazetteerPlace& p : g->places)
        placeLabel(p, true);
    return 0;
}
