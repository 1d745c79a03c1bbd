// SPDX-License-Identifier: GPL-3.0-or-later
// The catalog reader over any file text: find a month, then walk the file to its end.
#include "catalog.h"
#include "fuzz_support.h"

using namespace vesk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* name = catalogFileForYear(2000);
    fuzzing::writeScratchFile(name, data, size);
    Catalog catalog;
    catalog.paths = DataPaths{{fuzzing::scratchDir()}};
    for (const double month : {1.0, 6.25, 12.75}) {
        if (catalogFind(catalog, 1, month).has_value())
            continue;
        // every entry read is one more line of the file; the walk ends with the file
        while (!catalogReadNext(catalog))
            ;
        nextFileYear(catalog);
    }
    catalogOpenFirst(catalog, 2000);
    return 0;
}
