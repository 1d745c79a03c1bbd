// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_draw_surface.h"

#include "degree_sign.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <cmath>
#include <cstdlib>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace vesk {

namespace {

// The title line's height, in parts of the page's shorter side.
constexpr double titleShare = 0.04;

// Dotted pens draw one pixel on, one off, counted along the line.
constexpr int dotPeriod = 2;

#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx"))) void zeroUpper() {
    _mm256_zeroupper();
}
#endif

// Clears the AVX registers' upper halves when it goes out of scope: after the Qt calls of a
// function of the surface.
struct AfterQt {
    AfterQt() = default;
    AfterQt(const AfterQt&) = delete;
    AfterQt& operator=(const AfterQt&) = delete;
    ~AfterQt() { clearUpperVectorRegisters(); }
};

} // namespace

void clearUpperVectorRegisters() {
#if defined(__x86_64__) || defined(__i386__)
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx)
        zeroUpper();
#endif
}

QString fontFamilyFor(const Font& font) {
    switch (font.role) {
    case FontRole::mono:
        return QStringLiteral("DejaVu Sans Mono");
    case FontRole::panel:
        break;
    }
    return QStringLiteral("Noto Sans Mono CJK JP");
}

QtDrawSurface::QtDrawSurface(int width, int height, double pixelRatio)
    : logicalWidth(std::max(width, 1)), logicalHeight(std::max(height, 1)) {
    const AfterQt clear;
    pixelRatio = std::clamp(pixelRatio, minPixelRatio, maxPixelRatio);
    pixels = QImage(static_cast<int>(std::ceil(logicalWidth * pixelRatio)),
                    static_cast<int>(std::ceil(logicalHeight * pixelRatio)), QImage::Format_RGB32);
    pixels.fill(Qt::black); // a new surface, like a new bitmap of the window system, is black
    if (pixelRatio != 1) {
        pixels.setDevicePixelRatio(pixelRatio);
        painter = std::make_unique<QPainter>(&pixels);
        painter->setRenderHint(QPainter::Antialiasing);
    }
}

QtDrawSurface::QtDrawSurface(QPaintDevice& device, int width, int height, const PageLayout& page)
    : logicalWidth(std::max(width, 1)), logicalHeight(std::max(height, 1)),
      painter(std::make_unique<QPainter>(&device)), inverted(page.inkSaving) {
    const AfterQt clear;
    double top = 0;
    if (!page.title.isEmpty()) {
        top = titleShare * std::min(device.width(), device.height());
        QFont titleFont(QStringLiteral("Noto Sans CJK JP"));
        titleFont.setPixelSize(std::max(1, static_cast<int>(top * 0.6)));
        painter->setFont(titleFont);
        painter->setPen(Qt::black);
        painter->drawText(QRectF(0, 0, device.width(), top), Qt::AlignLeft | Qt::AlignVCenter,
                          page.title);
    }
    // the layout fitted to the device under the title, centred, its proportions kept
    const double room = device.height() - top;
    const double scale = std::min(double(device.width()) / logicalWidth, room / logicalHeight);
    painter->translate((device.width() - scale * logicalWidth) / 2,
                       top + (room - scale * logicalHeight) / 2);
    painter->scale(scale, scale);
    painter->setRenderHint(QPainter::Antialiasing);
}

QColor QtDrawSurface::qtColour(Rgb c) const {
    return inverted ? QColor(255 - c.r, 255 - c.g, 255 - c.b) : QColor(c.r, c.g, c.b);
}

QtDrawSurface::~QtDrawSurface() {
    finish();
}

const QImage& QtDrawSurface::image() {
    flushPending();
    return pixels;
}

void QtDrawSurface::finish() {
    flushPending();
    if (painter && painter->isActive())
        painter->end();
}

QtDrawSurface::Strokes& QtDrawSurface::strokesOf(const Pen& strokePen, bool filled) {
    for (Strokes& strokes : pending)
        if (strokes.filled == filled && strokes.pen == strokePen)
            return strokes;
    return pending.emplace_back(Strokes{strokePen, filled, {}});
}

void QtDrawSurface::flushPending() {
    const AfterQt clear;
    if (painter && painter->isActive()) {
        for (const Strokes& strokes : pending) {
            if (strokes.filled) {
                painter->fillPath(strokes.path, qtColour(strokes.pen.colour));
                continue;
            }
            QPen line(qtColour(strokes.pen.colour), 1);
            line.setStyle(strokes.pen.style == PenStyle::dotted ? Qt::DotLine : Qt::SolidLine);
            painter->strokePath(strokes.path, line);
        }
    }
    pending.clear();
}

void QtDrawSurface::paint(const std::function<void(QPainter&)>& draw) {
    const AfterQt clear;
    if (painter) {
        flushPending();
        if (painter->isActive())
            draw(*painter);
        return;
    }
    QPainter onImage(&pixels);
    draw(onImage);
}

void QtDrawSurface::fillSolidRect(int left, int top, int right, int bottom, Rgb colour) {
    backgroundColour = colour; // like the window system: the fill sets the text background
    paint([&](QPainter& p) {
        p.fillRect(QRect(left, top, right - left, bottom - top), qtColour(colour));
    });
}

void QtDrawSurface::moveTo(int x, int y) {
    position = {x, y};
}

void QtDrawSurface::lineTo(int x, int y) {
    if (painter) {
        // through the pixel centres of the layout, one path per pen
        const QPointF from(position.x + 0.5, position.y + 0.5);
        QPainterPath& path = strokesOf(pen, false).path;
        if (path.elementCount() == 0 || path.currentPosition() != from)
            path.moveTo(from);
        path.lineTo(x + 0.5, y + 0.5);
        position = {x, y};
        return;
    }
    int cx = position.x, cy = position.y;
    const int dx = std::abs(x - cx), dy = -std::abs(y - cy);
    const int sx = cx < x ? 1 : -1, sy = cy < y ? 1 : -1;
    int error = dx + dy;
    for (int step = 0; cx != x || cy != y; ++step) {
        if (pen.style == PenStyle::solid || step % dotPeriod == 0)
            setPixel(cx, cy, pen.colour);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            cx += sx;
        }
        if (twice <= dx) {
            error += dx;
            cy += sy;
        }
    }
    position = {x, y};
}

void QtDrawSurface::lineBetween(double x1, double y1, double x2, double y2) {
    if (!painter) {
        DrawSurface::lineBetween(x1, y1, x2, y2);
        return;
    }
    const QPointF from(x1, y1);
    QPainterPath& path = strokesOf(pen, false).path;
    if (path.elementCount() == 0 || path.currentPosition() != from)
        path.moveTo(from);
    path.lineTo(x2, y2);
    position = {pixelOf(x2), pixelOf(y2)};
}

void QtDrawSurface::setPixel(int x, int y, Rgb colour) {
    if (painter) {
        strokesOf({PenStyle::solid, colour}, true).path.addRect(QRectF(x, y, 1, 1));
        return;
    }
    if (x < 0 || y < 0 || x >= pixels.width() || y >= pixels.height())
        return;
    reinterpret_cast<QRgb*>(pixels.scanLine(y))[x] = qRgb(colour.r, colour.g, colour.b);
}

void QtDrawSurface::setPixels(const std::vector<ColouredPixel>& dots) {
    if (painter) {
        DrawSurface::setPixels(dots);
        return;
    }
    const int w = pixels.width(), h = pixels.height();
    auto* bits = reinterpret_cast<QRgb*>(pixels.bits());
    const qsizetype stride = pixels.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    for (const ColouredPixel& p : dots)
        if (p.x >= 0 && p.y >= 0 && p.x < w && p.y < h)
            bits[p.y * stride + p.x] = qRgb(p.colour.r, p.colour.g, p.colour.b);
}

void QtDrawSurface::takeShapeTools(QPainter& p) const {
    QPen qpen(qtColour(pen.colour), 1);
    qpen.setCosmetic(!painter);
    if (pen.style == PenStyle::dotted)
        qpen.setStyle(Qt::DotLine);
    p.setPen(qpen);
    p.setBrush(brush.hollow ? QBrush(Qt::NoBrush) : QBrush(qtColour(brush.colour)));
}

void QtDrawSurface::shape(int left, int top, int right, int bottom, bool round) {
    paint([&](QPainter& p) {
        takeShapeTools(p);
        // The rectangle's right and bottom edges lie outside the figure, as on a window surface.
        if (painter) {
            const QRectF box(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1);
            round ? p.drawEllipse(box) : p.drawRect(box);
        } else {
            const QRect box(left, top, right - left - 1, bottom - top - 1);
            round ? p.drawEllipse(box) : p.drawRect(box);
        }
    });
}

void QtDrawSurface::rectangle(int left, int top, int right, int bottom) {
    shape(left, top, right, bottom, false);
}

void QtDrawSurface::ellipse(int left, int top, int right, int bottom) {
    shape(left, top, right, bottom, true);
}

void QtDrawSurface::polygon(const std::vector<PixelPoint>& points) {
    paint([&](QPainter& p) {
        takeShapeTools(p);
        // pixel (x, y) covers x to x + 1: through the pixels' centres where the painter scales
        const double centre = painter ? 0.5 : 0;
        QPolygonF corners;
        for (const PixelPoint& point : points)
            corners << QPointF(point.x + centre, point.y + centre);
        p.drawPolygon(corners);
    });
}

Pen QtDrawSurface::selectPen(const Pen& newPen) {
    return std::exchange(pen, newPen);
}

Brush QtDrawSurface::selectBrush(const Brush& newBrush) {
    return std::exchange(brush, newBrush);
}

Font QtDrawSurface::selectFont(const Font& newFont) {
    if (!(newFont == font))
        qtFont.reset();
    return std::exchange(font, newFont);
}

const QtDrawSurface::QtFont& QtDrawSurface::selectedQtFont() const {
    if (!qtFont) {
        QFont qfont(fontFamilyFor(font));
        qfont.setPixelSize(font.height < 0 ? -font.height : std::max(1, font.height * 4 / 5));
        qfont.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
        qfont.setFixedPitch(true);
        qtFont.emplace(QtFont{qfont, QFontMetrics(qfont)});
    }
    return *qtFont;
}

TextSize QtDrawSurface::textSize(const std::string& utf8) const {
    const AfterQt clear;
    const QFontMetrics& metrics = selectedQtFont().metrics;
    return {metrics.horizontalAdvance(
                QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))),
            metrics.height()};
}

void QtDrawSurface::textOut(int x, int y, const std::string& utf8) {
    const QtFont& selected = selectedQtFont();
    const QFont& qfont = selected.font;
    const QFontMetrics& metrics = selected.metrics;
    // a document's text (SVG, PDF, print) is copied as text: there the degree sign is "°"
    const std::string written = pixels.isNull() ? withDegreeSigns(utf8) : utf8;
    const QString text = QString::fromUtf8(written.data(), static_cast<qsizetype>(written.size()));
    const QRect box(x, y, metrics.horizontalAdvance(text), metrics.height());
    textExtent |= box;
    paint([&](QPainter& p) {
        p.setFont(qfont);
        if (backgroundOpaque)
            p.fillRect(box, qtColour(backgroundColour));
        p.setPen(qtColour(textColour));
        p.drawText(x, y + metrics.ascent(), text);
    });
}

std::unique_ptr<DrawSurface> QtDrawSurface::createMemorySurface(int width, int height) const {
    return std::make_unique<QtDrawSurface>(width, height);
}

void QtDrawSurface::blit(int x, int y, int width, int height, const DrawSurface& source,
                         int sourceX, int sourceY) {
    const auto& other = dynamic_cast<const QtDrawSurface&>(source);
    if (!other.textExtent.isNull()) // the texts of the part copied
        textExtent |= other.textExtent.translated(x - sourceX, y - sourceY);
    paint([&](QPainter& p) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        const double r = pixelRatio();
        const QRect from = QRectF(sourceX * r, sourceY * r, width * r, height * r).toRect();
        if (inverted) {
            QImage part = other.pixels.copy(from);
            part.invertPixels();
            p.drawImage(QRect(x, y, width, height), part);
        } else {
            p.drawImage(QRect(x, y, width, height), other.pixels, from);
        }
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    });
}

} // namespace vesk
