// SPDX-License-Identifier: GPL-3.0-or-later
#include "palette.h"

namespace vesk {

Rgb paletteColour(int index) {
    return palette[static_cast<unsigned>(index) % palette.size()];
}

namespace {

// Selects a solid pen (and a brush) for one drawing and restores the previous ones afterwards.
class PaletteTools {
  public:
    PaletteTools(DrawSurface& surface, int index, const Brush& brush)
        : surface(surface), oldPen(surface.selectPen({PenStyle::solid, paletteColour(index)})),
          oldBrush(surface.selectBrush(brush)) {}
    ~PaletteTools() {
        surface.selectPen(oldPen);
        surface.selectBrush(oldBrush);
    }
    PaletteTools(const PaletteTools&) = delete;
    PaletteTools& operator=(const PaletteTools&) = delete;

  private:
    DrawSurface& surface;
    Pen oldPen;
    Brush oldBrush;
};

const Brush hollowBrush{true, {}};
Brush solidBrush(int index) {
    return {false, paletteColour(index)};
}

} // namespace

void drawLine(DrawSurface& surface, int x1, int y1, int x2, int y2, int index) {
    PaletteTools tools(surface, index, hollowBrush);
    surface.moveTo(x1, y1);
    surface.lineTo(x2, y2);
}

void drawLineBetween(DrawSurface& surface, double x1, double y1, double x2, double y2, int index) {
    PaletteTools tools(surface, index, hollowBrush);
    surface.lineBetween(x1, y1, x2, y2);
}

void lineToColour(DrawSurface& surface, int x, int y, int index) {
    PaletteTools tools(surface, index, hollowBrush);
    surface.lineTo(x, y);
}

void frameRect(DrawSurface& surface, int left, int top, int right, int bottom, int index) {
    PaletteTools tools(surface, index, hollowBrush);
    surface.rectangle(left, top, right, bottom);
}

void frameCircle(DrawSurface& surface, int x, int y, int r, int index) {
    PaletteTools tools(surface, index, hollowBrush);
    surface.ellipse(x - r, y - r, x + r, y + r);
}

void fillCircle(DrawSurface& surface, int x, int y, int r, int index) {
    PaletteTools tools(surface, index, solidBrush(index));
    surface.ellipse(x - r, y - r, x + r, y + r);
}

void fillBox(DrawSurface& surface, int left, int top, int right, int bottom, int index) {
    PaletteTools tools(surface, index, solidBrush(index));
    surface.rectangle(left, top, right, bottom);
}

void plotPixel(DrawSurface& surface, int x, int y, int index) {
    surface.setPixel(x, y, paletteColour(index));
}

} // namespace vesk
