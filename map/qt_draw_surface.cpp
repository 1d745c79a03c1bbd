#include "qt_draw_surface.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <cstdlib>
#include <utility>

namespace vesk {

namespace {

QColor toQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// Dotted pens draw one pixel on, one off, counted along the line.
constexpr int dotPeriod = 2;

} // namespace

QString fontFamilyFor(const std::string& face) {
    const QString name = QString::fromStdString(face);
    if (name.contains(QStringLiteral("明朝")) || name.contains(QStringLiteral("Mincho")))
        return QStringLiteral("IPAMincho");
    if (name.contains(QStringLiteral("ゴシック")) || name.contains(QStringLiteral("Gothic")))
        return QStringLiteral("IPAGothic");
    if (name == QStringLiteral("Courier New"))
        return QStringLiteral("DejaVu Sans Mono");
    return name;
}

QtDrawSurface::QtDrawSurface(int width, int height)
    : pixels(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32) {
    pixels.fill(Qt::black); // a new surface, like a new bitmap of the window system, is black
}

void QtDrawSurface::fillSolidRect(int left, int top, int right, int bottom, Rgb colour) {
    backgroundColour = colour; // like the window system: the fill sets the text background
    QPainter painter(&pixels);
    painter.fillRect(QRect(left, top, right - left, bottom - top), toQColor(colour));
}

void QtDrawSurface::moveTo(int x, int y) {
    position = {x, y};
}

void QtDrawSurface::lineTo(int x, int y) {
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

void QtDrawSurface::setPixel(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= pixels.width() || y >= pixels.height())
        return;
    reinterpret_cast<QRgb*>(pixels.scanLine(y))[x] = qRgb(colour.r, colour.g, colour.b);
}

void QtDrawSurface::shape(int left, int top, int right, int bottom, bool round) {
    QPainter painter(&pixels);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen qpen(toQColor(pen.colour));
    qpen.setCosmetic(true);
    qpen.setWidth(1);
    if (pen.style == PenStyle::dotted)
        qpen.setStyle(Qt::DotLine);
    painter.setPen(qpen);
    painter.setBrush(brush.hollow ? QBrush(Qt::NoBrush) : QBrush(toQColor(brush.colour)));
    // The rectangle's right and bottom edges lie outside the figure, as on a window surface.
    const QRect box(left, top, right - left - 1, bottom - top - 1);
    if (round)
        painter.drawEllipse(box);
    else
        painter.drawRect(box);
}

void QtDrawSurface::rectangle(int left, int top, int right, int bottom) {
    shape(left, top, right, bottom, false);
}

void QtDrawSurface::ellipse(int left, int top, int right, int bottom) {
    shape(left, top, right, bottom, true);
}

Pen QtDrawSurface::selectPen(const Pen& newPen) {
    return std::exchange(pen, newPen);
}

Brush QtDrawSurface::selectBrush(const Brush& newBrush) {
    return std::exchange(brush, newBrush);
}

Font QtDrawSurface::selectFont(const Font& newFont) {
    return std::exchange(font, newFont);
}

void QtDrawSurface::textOut(int x, int y, const std::string& utf8) {
    QFont qfont(fontFamilyFor(font.face));
    qfont.setPixelSize(font.height < 0 ? -font.height : std::max(1, font.height * 4 / 5));
    qfont.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
    qfont.setFixedPitch(font.fixedPitch);
    qfont.setStyleStrategy(QFont::NoAntialias);
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    const QFontMetrics metrics(qfont);
    QPainter painter(&pixels);
    painter.setFont(qfont);
    if (backgroundOpaque)
        painter.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()),
                         toQColor(backgroundColour));
    painter.setPen(toQColor(textColour));
    painter.drawText(x, y + metrics.ascent(), text);
}

std::unique_ptr<DrawSurface> QtDrawSurface::createMemorySurface(int width, int height) const {
    return std::make_unique<QtDrawSurface>(width, height);
}

void QtDrawSurface::blit(int x, int y, int width, int height, const DrawSurface& source,
                         int sourceX, int sourceY) {
    const auto& other = dynamic_cast<const QtDrawSurface&>(source);
    QPainter painter(&pixels);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRect(x, y, width, height), other.pixels,
                      QRect(sourceX, sourceY, width, height));
}

} // namespace vesk
