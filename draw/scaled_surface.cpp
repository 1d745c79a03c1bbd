// SPDX-License-Identifier: GPL-3.0-or-later
#include "scaled_surface.h"

#include <cmath>

namespace vesk {

ScaledSurface::ScaledSurface(DrawSurface& inner, double factor) : inner(inner), factor(factor) {
    original = inner.selectFont({});
    inner.selectFont(scaledFont(original));
}

ScaledSurface::~ScaledSurface() {
    inner.selectFont(original);
}

int ScaledSurface::scaled(int v) const {
    return static_cast<int>(std::lround(v * factor));
}

int ScaledSurface::unscaled(int v) const {
    return static_cast<int>(std::lround(v / factor));
}

Font ScaledSurface::scaledFont(Font font) const {
    font.height = scaled(font.height);
    return font;
}

int ScaledSurface::width() const {
    return unscaled(inner.width());
}

int ScaledSurface::height() const {
    return unscaled(inner.height());
}

void ScaledSurface::fillSolidRect(int left, int top, int right, int bottom, Rgb colour) {
    inner.fillSolidRect(scaled(left), scaled(top), scaled(right), scaled(bottom), colour);
}

void ScaledSurface::moveTo(int x, int y) {
    inner.moveTo(scaled(x), scaled(y));
}

void ScaledSurface::lineTo(int x, int y) {
    inner.lineTo(scaled(x), scaled(y));
}

PixelPoint ScaledSurface::currentPosition() const {
    const PixelPoint p = inner.currentPosition();
    return {unscaled(p.x), unscaled(p.y)};
}

void ScaledSurface::setPixel(int x, int y, Rgb colour) {
    for (int row = scaled(y); row < scaled(y + 1); ++row)
        for (int column = scaled(x); column < scaled(x + 1); ++column)
            inner.setPixel(column, row, colour);
}

void ScaledSurface::rectangle(int left, int top, int right, int bottom) {
    inner.rectangle(scaled(left), scaled(top), scaled(right), scaled(bottom));
}

void ScaledSurface::ellipse(int left, int top, int right, int bottom) {
    inner.ellipse(scaled(left), scaled(top), scaled(right), scaled(bottom));
}

void ScaledSurface::polygon(const std::vector<PixelPoint>& points) {
    std::vector<PixelPoint> corners;
    corners.reserve(points.size());
    for (const PixelPoint& point : points)
        corners.push_back({scaled(point.x), scaled(point.y)});
    inner.polygon(corners);
}

Font ScaledSurface::selectFont(const Font& font) {
    Font previous = inner.selectFont(scaledFont(font));
    previous.height = unscaled(previous.height);
    return previous;
}

void ScaledSurface::textOut(int x, int y, const std::string& utf8) {
    inner.textOut(scaled(x), scaled(y), utf8);
}

TextSize ScaledSurface::textSize(const std::string& utf8) const {
    const TextSize size = inner.textSize(utf8);
    return {unscaled(size.width), unscaled(size.height)};
}

std::unique_ptr<DrawSurface> ScaledSurface::createMemorySurface(int width, int height) const {
    return inner.createMemorySurface(width, height);
}

void ScaledSurface::blit(int x, int y, int width, int height, const DrawSurface& source,
                         int sourceX, int sourceY) {
    inner.blit(x, y, width, height, source, sourceX, sourceY);
}

} // namespace vesk
