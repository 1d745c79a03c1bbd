// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing target of every picture: integer view pixels, x to the right and y downwards from
// the top-left corner; 1-pixel pens, solid or hollow brushes, fonts by face name and pixel
// height, text placed by its top-left corner. One implementation over Qt serves the window, the
// PNG files and the tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vesk {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

struct PixelPoint {
    int x = 0, y = 0;
    bool operator==(const PixelPoint&) const = default;
};

enum class PenStyle { solid, dotted };

struct Pen {
    PenStyle style = PenStyle::solid;
    Rgb colour;
    bool operator==(const Pen&) const = default;
};

struct Brush {
    bool hollow = true;
    Rgb colour;
    bool operator==(const Brush&) const = default;
};

// What a text is set in: the fixed-pitch face of the panels, tables and reports (which writes
// Japanese), or the Latin fixed-pitch face of the map's labels, legends and read-outs. Each
// renderer resolves the role into a font of its own.
enum class FontRole { panel, mono };

struct Font {
    FontRole role = FontRole::panel;
    int height = -11; // negative: character height in pixels
    int weight = 400; // 100..900
    bool operator==(const Font&) const = default;
};

// The extent of a text in the selected font, in pixels.
struct TextSize {
    int width = 0, height = 0;
};

// A pixel and its colour.
struct ColouredPixel {
    int x = 0, y = 0;
    Rgb colour;
};

class DrawSurface {
  public:
    virtual ~DrawSurface() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;

    // Fills with the colour, which also becomes the background colour of opaque text.
    virtual void fillSolidRect(int left, int top, int right, int bottom, Rgb colour) = 0;
    virtual void moveTo(int x, int y) = 0;
    // A line from the current position to (x, y), without its end pixel.
    virtual void lineTo(int x, int y) = 0;
    virtual PixelPoint currentPosition() const = 0;
    virtual void setPixel(int x, int y, Rgb colour) = 0;
    // Many pixels at once (the rasters of the relief): the same as setPixel for each, in order.
    virtual void setPixels(const std::vector<ColouredPixel>& pixels) {
        for (const ColouredPixel& p : pixels)
            setPixel(p.x, p.y, p.colour);
    }
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    // The closed polygon through the points, outlined in the selected pen and filled with the
    // selected brush.
    virtual void polygon(const std::vector<PixelPoint>& points) = 0;
    // Each select returns what was selected before.
    virtual Pen selectPen(const Pen& pen) = 0;
    virtual Brush selectBrush(const Brush& brush) = 0;
    virtual Font selectFont(const Font& font) = 0;
    virtual void setTextColour(Rgb colour) = 0;
    virtual void setBackgroundOpaque(bool opaque) = 0;
    virtual void setBackgroundColour(Rgb colour) = 0;
    virtual void textOut(int x, int y, const std::string& utf8) = 0;
    // The box that textOut fills for the text in the selected font.
    virtual TextSize textSize(const std::string& utf8) const = 0;
    // Device pixels per pixel of the layout: more than 1 on a high-density picture.
    virtual double pixelRatio() const { return 1; }
    // Whether the surface draws between the layout's pixels (a pixel ratio above 1, a vector
    // device): then curves are given to it to fractions of a pixel, through lineBetween.
    virtual bool drawsBetweenPixels() const { return false; }
    // A line in the selected pen between points of the layout given to fractions of a pixel
    // (pixel (x, y) covers x to x + 1): antialiased where the surface draws between pixels,
    // else the line from pixel to pixel, as moveTo and lineTo draw it.
    virtual void lineBetween(double x1, double y1, double x2, double y2) {
        moveTo(pixelOf(x1), pixelOf(y1));
        lineTo(pixelOf(x2), pixelOf(y2));
    }
    // The pixel that holds a coordinate (finite, within a billion pixels of the layout).
    static int pixelOf(double v) { return static_cast<int>(std::clamp(v, -1e9, 1e9)); }
    // An off-screen surface of the same kind, one pixel per device pixel.
    virtual std::unique_ptr<DrawSurface> createMemorySurface(int width, int height) const = 0;
    // Copies a rectangle of another surface of the same kind unchanged. The source's pixels are
    // this surface's device pixels: at a pixel ratio r the source rectangle is r times as large.
    virtual void blit(int x, int y, int width, int height, const DrawSurface& source, int sourceX,
                      int sourceY) = 0;
};

} // namespace vesk
