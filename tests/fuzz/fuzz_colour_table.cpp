// SPDX-License-Identifier: GPL-3.0-or-later
// The relief colour table "color.txt" in any text.
#include "base_map.h"
#include "fuzz_support.h"

using namespace vesk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::writeScratchFile("color.txt", data, size);
    static ReliefData relief;
    IgnoredFiles ignored;
    loadReliefColours(relief, DataPaths{{fuzzing::scratchDir()}}, ignored);
    return 0;
}
