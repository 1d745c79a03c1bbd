// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock.h"

#include <ctime>

namespace vesk {

CalendarMonth currentLocalMonth() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {static_cast<double>(local.tm_year + 1900), static_cast<double>(local.tm_mon + 1)};
}

} // namespace vesk
