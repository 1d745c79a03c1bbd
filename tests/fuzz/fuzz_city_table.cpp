// SPDX-License-Identifier: GPL-3.0-or-later
// The city file "location.new" in any bytes: UTF-8, CP932 or neither.
#include "city_table.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace vesk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CityTable table;
    parseCityTable(table, textAsUtf8(std::string(reinterpret_cast<const char*>(data), size)));
    return 0;
}
