// SPDX-License-Identifier: GPL-3.0-or-later
#include "json_values.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace vesk {

Json roundedJson(double value, int decimals) {
    if (!std::isfinite(value))
        return nullptr;
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(value * scale) / scale;
    return rounded == 0 ? 0.0 : rounded; // no "-0.0"
}

Json roundedJson(const std::optional<double>& value, int decimals) {
    return value ? roundedJson(*value, decimals) : Json(nullptr);
}

std::string jsonText(const Json& document, int indent) {
    return document.dump(indent, ' ', false, Json::error_handler_t::replace);
}

} // namespace vesk
