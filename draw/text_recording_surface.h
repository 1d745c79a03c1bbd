// SPDX-License-Identifier: GPL-3.0-or-later
// A drawing surface around another that passes every operation on and keeps the texts drawn,
// in drawing order (with the degree sign "°"), for scripts that read what a screen says, and
// where each lies. Texts drawn into its off-screen surfaces are kept too, in the order they are
// drawn, without a place (they reach the screen as pixels).
#pragma once

#include "draw_surface.h"
#include "label_placement.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// A text drawn, and the box it fills on the surface (none when drawn off-screen).
struct RecordedText {
    std::string text;
    std::optional<LabelBox> box;
};

class TextRecordingSurface : public DrawSurface {
  public:
    // Draws on inner and appends every text to texts; both must outlive the surface.
    TextRecordingSurface(DrawSurface& inner, std::vector<RecordedText>& texts);

    int width() const override { return inner.width(); }
    int height() const override { return inner.height(); }
    void fillSolidRect(int left, int top, int right, int bottom, Rgb colour) override;
    void moveTo(int x, int y) override { inner.moveTo(x, y); }
    void lineTo(int x, int y) override { inner.lineTo(x, y); }
    bool drawsBetweenPixels() const override { return inner.drawsBetweenPixels(); }
    void lineBetween(double x1, double y1, double x2, double y2) override {
        inner.lineBetween(x1, y1, x2, y2);
    }
    PixelPoint currentPosition() const override { return inner.currentPosition(); }
    void setPixel(int x, int y, Rgb colour) override { inner.setPixel(x, y, colour); }
    void rectangle(int left, int top, int right, int bottom) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void polygon(const std::vector<PixelPoint>& points) override { inner.polygon(points); }
    Pen selectPen(const Pen& pen) override { return inner.selectPen(pen); }
    Brush selectBrush(const Brush& brush) override { return inner.selectBrush(brush); }
    Font selectFont(const Font& font) override { return inner.selectFont(font); }
    void setTextColour(Rgb colour) override { inner.setTextColour(colour); }
    void setBackgroundOpaque(bool opaque) override { inner.setBackgroundOpaque(opaque); }
    void setBackgroundColour(Rgb colour) override { inner.setBackgroundColour(colour); }
    void textOut(int x, int y, const std::string& utf8) override;
    TextSize textSize(const std::string& utf8) const override { return inner.textSize(utf8); }
    double pixelRatio() const override { return inner.pixelRatio(); }
    std::unique_ptr<DrawSurface> createMemorySurface(int width, int height) const override;
    void blit(int x, int y, int width, int height, const DrawSurface& source, int sourceX,
              int sourceY) override;

  private:
    // An off-screen surface of the inner one, owned by its recording surface.
    TextRecordingSurface(std::unique_ptr<DrawSurface> owned, std::vector<RecordedText>& texts);

    std::unique_ptr<DrawSurface> owned; // an off-screen surface's
    DrawSurface& inner;
    std::vector<RecordedText>& texts;
};

} // namespace vesk
