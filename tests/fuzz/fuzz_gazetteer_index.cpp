// SPDX-License-Identifier: GPL-3.0-or-later
// The gazetteer's index as the cache keeps it, in any bytes: read whole and for a name.
#include "gazetteer_index.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace vesk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    indexSources(bytes);
    for (const std::optional<std::string_view> key :
         {std::optional<std::string_view>{}, std::optional<std::string_view>{"pa"}}) {
        Gazetteer g;
        std::vector<IndexedNote> notes;
        std::string why;
        if (readGazetteerIndex(bytes, key, g, notes, why))
            for (const auto& [name, place] : g.names)
                if (place >= g.places.size())
                    __builtin_trap(); // a name of a place that was not read
    }
    return 0;
}
