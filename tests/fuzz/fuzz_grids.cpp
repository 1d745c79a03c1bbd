// SPDX-License-Identifier: GPL-3.0-or-later
// The relief and lunar grids: files of any length, any heights in the cells, and any place
// (not-a-number and infinite coordinates included) sampled from them.
#include "base_map.h"
#include "fuzz_support.h"
#include "limb_correction.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace vesk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ReliefGrid relief = [] {
        ReliefGrid r;
        r.heights.resize(static_cast<std::size_t>(reliefRows) * reliefColumns);
        return r;
    }();
    static LimbData limb = [] {
        LimbData l;
        l.grid.resize(static_cast<std::size_t>(lunarGridRows) * lunarGridColumns);
        return l;
    }();
    FuzzedDataProvider input(data, size);
    const std::size_t cells = input.ConsumeIntegralInRange<std::size_t>(0, 4);
    fuzzing::writeScratchFile("grid.dat", data, size);
    readInt16Grid(DataPaths{{fuzzing::scratchDir()}}, "grid.dat", cells);
    for (int i = 0; i < 8 && input.remaining_bytes() > 0; ++i) {
        const auto value = input.ConsumeIntegral<std::int16_t>();
        relief.heights[input.ConsumeIntegralInRange<std::size_t>(0, relief.heights.size() - 1)] =
            value;
        limb.grid[input.ConsumeIntegralInRange<std::size_t>(0, limb.grid.size() - 1)] = value;
    }
    const double l = input.ConsumeFloatingPoint<double>(), b = input.ConsumeFloatingPoint<double>();
    static_cast<void>(limbProfile(limb, l, b, input.ConsumeFloatingPoint<double>()));
    while (input.remaining_bytes() >= 2 * sizeof(double)) {
        const double lat = input.ConsumeFloatingPoint<double>();
        const double lon = input.ConsumeFloatingPoint<double>();
        sampleRelief(relief, lat, lon);
        elevationAt(limb, lon, lat);
    }
    return 0;
}
