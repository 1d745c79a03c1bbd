// SPDX-License-Identifier: GPL-3.0-or-later
// The degree sign of the texts people copy (--text, SVG, PDF and printed text): the screens draw
// the Japanese fonts' "゜" (U+309C), which reads as a degree sign only on screen.
#pragma once

#include <string>
#include <string_view>

namespace vesk {

// The text with every "゜" (U+309C) written as "°" (U+00B0).
std::string withDegreeSigns(std::string_view utf8);

} // namespace vesk
