// SPDX-License-Identifier: GPL-3.0-or-later
// Text broken into lines that fit a width in the selected font of a surface.
#pragma once

#include "draw_surface.h"

#include <string>
#include <vector>

namespace vesk {

// The text as it is when it fits width pixels, else broken at spaces into lines of at most width
// pixels: every line but the last ends in lineEnd (counted in its width), every line but the
// first begins with indent, and a word wider than a line is broken within it, that line ending
// in lineEnd without its leading spaces (" \\" for a shell command, which then joins the word
// again).
std::vector<std::string> linesWithin(const DrawSurface& surface, const std::string& text, int width,
                                     const std::string& lineEnd = "",
                                     const std::string& indent = "");

} // namespace vesk
