// SPDX-License-Identifier: GPL-3.0-or-later
// The local date of the system clock, as the program's start-up and date reset use it.
#pragma once

namespace vesk {

struct CalendarMonth {
    double year = 0, month = 0;
};

// Calendar year and month (1..12) of the local date now.
CalendarMonth currentLocalMonth();

} // namespace vesk
