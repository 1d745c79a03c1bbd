// SPDX-License-Identifier: GPL-3.0-or-later
// JSON as vesk writes it: documents built with nlohmann/json, members kept in the order they are
// added, numbers rounded to the decimals the outputs print.
#pragma once

#include <nlohmann/json_fwd.hpp>

#include <optional>
#include <string>

namespace vesk {

using Json = nlohmann::ordered_json;

// value rounded to the given decimals (half away from zero); null for what is not a finite
// number. Written by the library, it reads back as the rounded value.
Json roundedJson(double value, int decimals);
Json roundedJson(const std::optional<double>& value, int decimals);

// The text of a document, on one line without indent, or with the given indent; bytes of a
// string that are not UTF-8 (a place name from a hostile file) are replaced by U+FFFD.
std::string jsonText(const Json& document, int indent = -1);

} // namespace vesk
