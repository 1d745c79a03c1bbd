// SPDX-License-Identifier: GPL-3.0-or-later
// The label of a lunar elevation product in any text: it is read or refused with a message,
// and a product that is accepted names a bare file and a grid the tool can hold.
#include "label.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    try {
        const vesk::lro::LunarProduct product = vesk::lro::productOf(vesk::lro::parseLabel(in));
        if (!vesk::lro::isBareFileName(product.image) || product.lines < 1 ||
            product.lines > vesk::lro::maxProductLines || product.samples != 2 * product.lines ||
            !(product.scale > 0 && product.scale <= 1000))
            std::abort();
    } catch (const std::runtime_error&) {
    }
    return 0;
}
