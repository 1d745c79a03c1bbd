// SPDX-License-Identifier: GPL-3.0-or-later
// A drawing surface around another that draws everything larger by a factor: coordinates,
// sizes and the heights of fonts. It makes the text panel, the table and the reports grow with
// the text size setting while their renderers keep the coordinates of the 100 % layout.
#pragma once

#include "draw_surface.h"

namespace vesk {

class ScaledSurface : public DrawSurface {
  public:
    // Draws on inner, which must outlive the surface; the inner's font is scaled meanwhile and
    // restored at the end.
    ScaledSurface(DrawSurface& inner, double factor);
    ~ScaledSurface() override;
    ScaledSurface(const ScaledSurface&) = delete;
    ScaledSurface& operator=(const ScaledSurface&) = delete;

    int width() const override;
    int height() const override;
    void fillSolidRect(int left, int top, int right, int bottom, Rgb colour) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    PixelPoint currentPosition() const override;
    // One pixel of the layout: a square of the factor's size.
    void setPixel(int x, int y, Rgb colour) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void polygon(const std::vector<PixelPoint>& points) override;
    Pen selectPen(const Pen& pen) override { return inner.selectPen(pen); }
    Brush selectBrush(const Brush& brush) override { return inner.selectBrush(brush); }
    Font selectFont(const Font& font) override;
    void setTextColour(Rgb colour) override { inner.setTextColour(colour); }
    void setBackgroundOpaque(bool opaque) override { inner.setBackgroundOpaque(opaque); }
    void setBackgroundColour(Rgb colour) override { inner.setBackgroundColour(colour); }
    void textOut(int x, int y, const std::string& utf8) override;
    TextSize textSize(const std::string& utf8) const override;
    // Off-screen surfaces and copies are the inner surface's, at its own scale.
    double pixelRatio() const override { return inner.pixelRatio(); }
    std::unique_ptr<DrawSurface> createMemorySurface(int width, int height) const override;
    void blit(int x, int y, int width, int height, const DrawSurface& source, int sourceX,
              int sourceY) override;

  private:
    int scaled(int v) const;
    int unscaled(int v) const;
    Font scaledFont(Font font) const;

    DrawSurface& inner;
    double factor;
    Font original; // the inner's font before this surface
};

} // namespace vesk
