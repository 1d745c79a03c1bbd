// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed 16-colour palette of the maps and reports, and the drawing operations that take a
// palette index: each selects a solid 1-pixel pen of the colour, draws, and restores the pen
// and brush that were selected before.
#pragma once

#include "draw_surface.h"

#include <array>

namespace vesk {

enum PaletteIndex {
    black = 0,
    navy = 1,
    green = 2,
    cyan = 3,
    red = 4,
    pink = 5,
    brown = 6,
    silver = 7,
    grey = 8,
    lightBlue = 9,
    paleGreen = 10,
    paleCyan = 11,
    orange = 12,
    rose = 13,
    yellow = 14,
    white = 15
};

inline constexpr std::array<Rgb, 16> palette = {{{0, 0, 0},
                                                 {0, 0, 128},
                                                 {0, 255, 0},
                                                 {0, 255, 255},
                                                 {255, 0, 0},
                                                 {255, 192, 200},
                                                 {160, 80, 80},
                                                 {192, 192, 192},
                                                 {128, 128, 128},
                                                 {102, 153, 255},
                                                 {204, 255, 204},
                                                 {204, 255, 255},
                                                 {255, 102, 0},
                                                 {255, 153, 204},
                                                 {255, 255, 0},
                                                 {255, 255, 255}}};

// The palette colour of an index; indices outside 0..15 wrap into it.
Rgb paletteColour(int index);

void drawLine(DrawSurface& surface, int x1, int y1, int x2, int y2, int index);
void lineToColour(DrawSurface& surface, int x, int y, int index);
void drawLineBetween(DrawSurface& surface, double x1, double y1, double x2, double y2, int index);
void frameRect(DrawSurface& surface, int left, int top, int right, int bottom, int index);
void frameCircle(DrawSurface& surface, int x, int y, int r, int index);
void fillCircle(DrawSurface& surface, int x, int y, int r, int index);
void fillBox(DrawSurface& surface, int left, int top, int right, int bottom, int index);
void plotPixel(DrawSurface& surface, int x, int y, int index);

} // namespace vesk
