// SPDX-License-Identifier: GPL-3.0-or-later
// A drawing surface that passes every operation on to another: the base of the surfaces that
// change one thing about the surface they draw on (what they record, the size they report).
#pragma once

#include "draw_surface.h"

namespace vesk {

class ForwardingSurface : public DrawSurface {
  public:
    // Draws on inner, which must outlive the surface.
    explicit ForwardingSurface(DrawSurface& inner) : inner(inner) {}

    int width() const override { return inner.width(); }
    int height() const override { return inner.height(); }
    void fillSolidRect(int left, int top, int right, int bottom, Rgb colour) override {
        inner.fillSolidRect(left, top, right, bottom, colour);
    }
    void moveTo(int x, int y) override { inner.moveTo(x, y); }
    void lineTo(int x, int y) override { inner.lineTo(x, y); }
    PixelPoint currentPosition() const override { return inner.currentPosition(); }
    void setPixel(int x, int y, Rgb colour) override { inner.setPixel(x, y, colour); }
    void setPixels(const std::vector<ColouredPixel>& pixels) override { inner.setPixels(pixels); }
    void rectangle(int left, int top, int right, int bottom) override {
        inner.rectangle(left, top, right, bottom);
    }
    void ellipse(int left, int top, int right, int bottom) override {
        inner.ellipse(left, top, right, bottom);
    }
    void polygon(const std::vector<PixelPoint>& points) override { inner.polygon(points); }
    Pen selectPen(const Pen& pen) override { return inner.selectPen(pen); }
    Brush selectBrush(const Brush& brush) override { return inner.selectBrush(brush); }
    Font selectFont(const Font& font) override { return inner.selectFont(font); }
    void setTextColour(Rgb colour) override { inner.setTextColour(colour); }
    void setBackgroundOpaque(bool opaque) override { inner.setBackgroundOpaque(opaque); }
    void setBackgroundColour(Rgb colour) override { inner.setBackgroundColour(colour); }
    void textOut(int x, int y, const std::string& utf8) override { inner.textOut(x, y, utf8); }
    TextSize textSize(const std::string& utf8) const override { return inner.textSize(utf8); }
    double pixelRatio() const override { return inner.pixelRatio(); }
    bool drawsBetweenPixels() const override { return inner.drawsBetweenPixels(); }
    void lineBetween(double x1, double y1, double x2, double y2) override {
        inner.lineBetween(x1, y1, x2, y2);
    }
    std::unique_ptr<DrawSurface> createMemorySurface(int width, int height) const override {
        return inner.createMemorySurface(width, height);
    }
    void blit(int x, int y, int width, int height, const DrawSurface& source, int sourceX,
              int sourceY) override {
        inner.blit(x, y, width, height, source, sourceX, sourceY);
    }

  protected:
    DrawSurface& inner;
};

// The top left width x height of another surface: it draws there as that surface does, and
// reports its own size, so that a screen laid out on it fills that part and leaves the rest.
class SurfacePart : public ForwardingSurface {
  public:
    SurfacePart(DrawSurface& inner, int width, int height)
        : ForwardingSurface(inner), partWidth(width), partHeight(height) {}
    int width() const override { return partWidth; }
    int height() const override { return partHeight; }

  private:
    int partWidth, partHeight;
};

} // namespace vesk
