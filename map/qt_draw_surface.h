// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing surface over Qt: what the window shows, what PNG, SVG and PDF files hold, what is
// printed and what the tests inspect. Coordinates are the logical pixels of the layout.
//
// At pixel ratio 1 the surface is an image whose pixels are the layout's: lines are rasterised
// here pixel by pixel (Bresenham, end pixel excluded, as the renderers expect); rectangles and
// ellipses go through QPainter without antialiasing, text antialiased. At any other ratio, and on a
// vector device (SVG generator, PDF writer, printer), one QPainter draws lines, shapes and text
// antialiased at the device's resolution, the layout scaled onto it; raster parts (the relief)
// are drawn on memory surfaces and placed as images.
// Text needs a QGuiApplication (the offscreen platform is enough).
#pragma once

#include "draw_surface.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vesk {

// Qt's painting code returns with the upper halves of the AVX registers in use, and the SSE code
// of this program that runs after it on the same thread then pays on every instruction: a tracing
// of the 2024 April 8 path took 97 ms after a QGuiApplication or a QPainter had run, 13 ms
// before. This clears them (VZEROUPPER); the surface calls it after each call into Qt, the
// programs after making their application object. Nothing where the processor has no AVX.
void clearUpperVectorRegisters();

// The pixel ratios a surface can have.
constexpr double minPixelRatio = 1, maxPixelRatio = 4;

// How a layout is put on a page: under a title line (none when empty), and on white paper with
// every colour inverted (the black sky white) to save ink.
struct PageLayout {
    QString title;
    bool inkSaving = false;
};

class QtDrawSurface : public DrawSurface {
  public:
    // An image of width x height logical pixels at the pixel ratio (1 to 4).
    QtDrawSurface(int width, int height, double pixelRatio = 1);
    // Drawing on a device (SVG, PDF, printer), the width x height layout fitted to its page, or
    // to the page under the layout's title.
    QtDrawSurface(QPaintDevice& device, int width, int height, const PageLayout& page = {});
    ~QtDrawSurface() override;

    // The image (empty on a device); at a pixel ratio other than 1 it carries that ratio.
    const QImage& image();
    // Ends the drawing on a device, which then completes its output.
    void finish();
    // The box of every text drawn, in the layout's pixels (where the text may reach beyond the
    // surface); empty when none was.
    QRect textBounds() const { return textExtent; }

    int width() const override { return logicalWidth; }
    int height() const override { return logicalHeight; }
    void fillSolidRect(int left, int top, int right, int bottom, Rgb colour) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    PixelPoint currentPosition() const override { return position; }
    void setPixel(int x, int y, Rgb colour) override;
    void setPixels(const std::vector<ColouredPixel>& dots) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void polygon(const std::vector<PixelPoint>& points) override;
    Pen selectPen(const Pen& pen) override;
    Brush selectBrush(const Brush& brush) override;
    Font selectFont(const Font& font) override;
    void setTextColour(Rgb colour) override { textColour = colour; }
    void setBackgroundOpaque(bool opaque) override { backgroundOpaque = opaque; }
    void setBackgroundColour(Rgb colour) override { backgroundColour = colour; }
    void textOut(int x, int y, const std::string& utf8) override;
    TextSize textSize(const std::string& utf8) const override;
    double pixelRatio() const override { return pixels.devicePixelRatio(); }
    bool drawsBetweenPixels() const override { return painter != nullptr; }
    void lineBetween(double x1, double y1, double x2, double y2) override;
    std::unique_ptr<DrawSurface> createMemorySurface(int width, int height) const override;
    void blit(int x, int y, int width, int height, const DrawSurface& source, int sourceX,
              int sourceY) override;

  private:
    void shape(int left, int top, int right, int bottom, bool round);
    void takeShapeTools(QPainter& p) const; // the selected pen and brush
    // The Qt colour of a palette colour: itself, or inverted on an ink-saving page.
    QColor qtColour(Rgb colour) const;
    // The Qt font that stands for the selected one, and its metrics (made once per font).
    struct QtFont {
        QFont font;
        QFontMetrics metrics;
    };
    const QtFont& selectedQtFont() const;
    // Runs the drawing on the surface's painter, or on one made for the image at pixel ratio 1.
    void paint(const std::function<void(QPainter&)>& draw);
    // Draws the strokes that lineTo and setPixel have gathered on the painter.
    void flushPending();

    QImage pixels;
    int logicalWidth = 1, logicalHeight = 1;
    std::unique_ptr<QPainter> painter; // null at pixel ratio 1
    // The lines and pixels drawn since the last other drawing, one path per pen (pixels: a solid
    // pen of their colour, filled), in the order the pens came; drawn at the next other drawing.
    struct Strokes {
        Pen pen;
        bool filled = false;
        QPainterPath path;
    };
    std::vector<Strokes> pending;
    Strokes& strokesOf(const Pen& pen, bool filled);
    PixelPoint position;
    Pen pen{PenStyle::solid, {0, 0, 0}};
    Brush brush{false, {255, 255, 255}};
    Font font{FontRole::panel, -11, 400};
    mutable std::optional<QtFont> qtFont;
    Rgb textColour{0, 0, 0};
    Rgb backgroundColour{255, 255, 255};
    bool backgroundOpaque = true;
    bool inverted = false;
    QRect textExtent;
};

// The installed family of a font role, chosen to read well on a screen and to cover Japanese:
// Noto Sans Mono CJK JP for the panels, tables and reports, DejaVu Sans Mono for the map's
// labels. Both are fonts of the packages the program depends on (fonts-noto-cjk,
// fonts-dejavu-core), so that no picture changes with the other fonts a machine has.
QString fontFamilyFor(const Font& font);

} // namespace vesk
