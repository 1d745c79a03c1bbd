// SPDX-License-Identifier: GPL-3.0-or-later
// Generated with place_names.cpp: the number of places.
#pragma once

namespace vesk {
constexpr int placeNameCount = 3427;
}
