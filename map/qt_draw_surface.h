// The drawing surface over a Qt image: what the window shows, what a PNG file holds and what the
// tests inspect. Lines are rasterised here pixel by pixel (Bresenham, end pixel excluded, as the
// renderers expect); rectangles, ellipses and text go through QPainter without antialiasing.
// Text needs a QGuiApplication (the offscreen platform is enough).
#pragma once

#include "draw_surface.h"

#include <QImage>

namespace vesk {

class QtDrawSurface : public DrawSurface {
  public:
    QtDrawSurface(int width, int height);

    const QImage& image() const { return pixels; }

    int width() const override { return pixels.width(); }
    int height() const override { return pixels.height(); }
    void fillSolidRect(int left, int top, int right, int bottom, Rgb colour) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    PixelPoint currentPosition() const override { return position; }
    void setPixel(int x, int y, Rgb colour) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void ellipse(int left, int top, int right, int bottom) override;
    Pen selectPen(const Pen& pen) override;
    Brush selectBrush(const Brush& brush) override;
    Font selectFont(const Font& font) override;
    void setTextColour(Rgb colour) override { textColour = colour; }
    void setBackgroundOpaque(bool opaque) override { backgroundOpaque = opaque; }
    void setBackgroundColour(Rgb colour) override { backgroundColour = colour; }
    void textOut(int x, int y, const std::string& utf8) override;
    std::unique_ptr<DrawSurface> createMemorySurface(int width, int height) const override;
    void blit(int x, int y, int width, int height, const DrawSurface& source, int sourceX,
              int sourceY) override;

  private:
    void shape(int left, int top, int right, int bottom, bool round);

    QImage pixels;
    PixelPoint position;
    Pen pen{PenStyle::solid, {0, 0, 0}};
    Brush brush{false, {255, 255, 255}};
    Font font{"ＭＳ　明朝", -11, 400, true};
    Rgb textColour{0, 0, 0};
    Rgb backgroundColour{255, 255, 255};
    bool backgroundOpaque = true;
};

// The installed family that stands for a face name the renderers use (IPA fonts for the
// Japanese faces, a monospaced face for "Courier New"); other names are passed through.
QString fontFamilyFor(const std::string& face);

} // namespace vesk
