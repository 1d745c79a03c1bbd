// SPDX-License-Identifier: GPL-3.0-or-later
// A drawing surface that records what is drawn: the pixels set (with their colour) and the
// lines and shapes in order, so that tests can check exactly what a renderer asked for.
#pragma once

#include "draw_surface.h"

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace vesk::testing {

struct RecordedLine {
    PixelPoint from, to;
    Pen pen;
};

struct RecordedShape {
    bool round = false;
    int left = 0, top = 0, right = 0, bottom = 0;
    Pen pen;
    Brush brush;
};

struct RecordedText {
    int x = 0, y = 0;
    std::string text;
    Font font;
    Rgb colour;
};

class RecordingSurface : public DrawSurface {
  public:
    RecordingSurface(int width = 1000, int height = 700) : w(width), h(height) {}

    std::vector<RecordedLine> lines;
    std::vector<std::pair<PixelPoint, Rgb>> pixels;
    std::vector<RecordedShape> shapes;
    std::vector<std::pair<std::vector<PixelPoint>, Brush>> polygons;
    std::vector<RecordedText> texts;
    std::vector<std::pair<int, int>> moves;

    int width() const override { return w; }
    int height() const override { return h; }
    void fillSolidRect(int, int, int, int, Rgb) override {}
    void moveTo(int x, int y) override {
        position = {x, y};
        moves.emplace_back(x, y);
    }
    void lineTo(int x, int y) override {
        lines.push_back({position, {x, y}, pen});
        position = {x, y};
    }
    PixelPoint currentPosition() const override { return position; }
    void setPixel(int x, int y, Rgb colour) override { pixels.push_back({{x, y}, colour}); }
    void rectangle(int l, int t, int r, int b) override {
        shapes.push_back({false, l, t, r, b, pen, brush});
    }
    void ellipse(int l, int t, int r, int b) override {
        shapes.push_back({true, l, t, r, b, pen, brush});
    }
    void polygon(const std::vector<PixelPoint>& points) override {
        polygons.emplace_back(points, brush);
    }
    Pen selectPen(const Pen& p) override { return std::exchange(pen, p); }
    Brush selectBrush(const Brush& b) override { return std::exchange(brush, b); }
    Font selectFont(const Font& f) override { return std::exchange(font, f); }
    void setTextColour(Rgb c) override { textColour = c; }
    void setBackgroundOpaque(bool) override {}
    void setBackgroundColour(Rgb) override {}
    // Half the character height per byte of ASCII, the full height per other character.
    TextSize textSize(const std::string& text) const override {
        const int h = std::abs(font.height);
        int width = 0;
        for (const unsigned char c : text)
            width += c < 0x80 ? h / 2 : (c >= 0xc0 ? h : 0);
        return {width, h};
    }
    void textOut(int x, int y, const std::string& text) override {
        texts.push_back({x, y, text, font, textColour});
    }
    std::unique_ptr<DrawSurface> createMemorySurface(int width, int height) const override {
        return std::make_unique<RecordingSurface>(width, height);
    }
    void blit(int, int, int, int, const DrawSurface&, int, int) override {}

    Pen pen;
    Brush brush;
    Font font;
    Rgb textColour;

  private:
    int w, h;
    PixelPoint position;
};

} // namespace vesk::testing
