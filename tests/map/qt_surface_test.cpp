// SPDX-License-Identifier: GPL-3.0-or-later
#include "palette.h"
#include "qt_draw_surface.h"
#include "text_recording_surface.h"

#include <QFontDatabase>
#include <gtest/gtest.h>

using namespace vesk;

namespace {

Rgb pixelAt(QtDrawSurface& surface, int x, int y) {
    const QRgb p = surface.image().pixel(x, y);
    return {static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
            static_cast<std::uint8_t>(qBlue(p))};
}

int countColour(QtDrawSurface& surface, Rgb colour, QRect area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += pixelAt(surface, x, y) == colour;
    return count;
}

const Rgb whiteRgb{255, 255, 255};
const Rgb blackRgb{0, 0, 0};

} // namespace

namespace {

// Pixels that are not black.
int countLit(QtDrawSurface& surface, QRect area) {
    return area.width() * area.height() - countColour(surface, blackRgb, area);
}

} // namespace

TEST(QtDrawSurface, LinesLeaveOutTheirEndPixel) {
    QtDrawSurface surface(40, 40);
    drawLine(surface, 2, 5, 12, 5, red);
    EXPECT_EQ(pixelAt(surface, 2, 5), palette[red]);
    EXPECT_EQ(pixelAt(surface, 11, 5), palette[red]);
    EXPECT_EQ(pixelAt(surface, 12, 5), blackRgb);
    EXPECT_EQ(surface.currentPosition(), (PixelPoint{12, 5}));
    // A diagonal of 10 pixels; the palette operation restored the previous pen.
    drawLine(surface, 0, 10, 10, 20, navy);
    EXPECT_EQ(countColour(surface, palette[navy], QRect(0, 10, 11, 11)), 10);
    surface.selectPen({PenStyle::dotted, palette[green]});
    surface.moveTo(0, 30);
    surface.lineTo(20, 30);
    EXPECT_EQ(countColour(surface, palette[green], QRect(0, 30, 21, 1)), 10);
    // Off-surface pixels are ignored.
    drawLine(surface, -10, -10, 50, 50, yellow);
    EXPECT_EQ(pixelAt(surface, 39, 39), palette[yellow]);
}

// A curve's segment between points given to fractions of a pixel: at pixel ratio 2 it is
// antialiased, one layout pixel (two device pixels) wide, and follows the exact line rather
// than whole layout pixels; at ratio 1 it is the line from pixel to pixel.
TEST(QtDrawSurface, LinesBetweenPixelsAtHighDensity) {
    const double x1 = 2.3, y1 = 10.2, x2 = 57.9, y2 = 16.7; // a shallow slope: steps at ratio 1
    QtDrawSurface sharp(64, 32, 2);
    ASSERT_TRUE(sharp.drawsBetweenPixels());
    drawLineBetween(sharp, x1, y1, x2, y2, white);
    const QImage& image = sharp.image();
    int partial = 0;
    double worstOffset = 0, worstWidth = 0;
    for (int column = 20; column < 100; ++column) { // device columns away from the ends
        double sum = 0, weighted = 0;
        for (int row = 0; row < image.height(); ++row) {
            const int level = qGray(image.pixel(column, row));
            partial += level > 0 && level < 255;
            sum += level / 255.0;
            weighted += level / 255.0 * (row + 0.5);
        }
        const double x = (column + 0.5) / 2;
        const double exactY = 2 * (y1 + (y2 - y1) * (x - x1) / (x2 - x1));
        worstOffset = std::max(worstOffset, std::fabs(weighted / sum - exactY));
        worstWidth = std::max(worstWidth, std::fabs(sum - 2));
    }
    EXPECT_GT(partial, 40);
    EXPECT_LT(worstOffset, 0.3) << "device pixels off the exact line";
    EXPECT_LT(worstWidth, 0.3) << "device pixels off two device pixels' width";

    QtDrawSurface plain(64, 32), byPixels(64, 32);
    ASSERT_FALSE(plain.drawsBetweenPixels());
    drawLineBetween(plain, x1, y1, x2, y2, white);
    drawLine(byPixels, 2, 10, 57, 16, white);
    EXPECT_EQ(plain.image(), byPixels.image());
}

TEST(QtDrawSurface, RectanglesExcludeTheirRightAndBottomEdges) {
    QtDrawSurface surface(40, 40);
    surface.fillSolidRect(0, 0, 10, 10, palette[pink]);
    EXPECT_EQ(countColour(surface, palette[pink], QRect(0, 0, 40, 40)), 100);
    frameRect(surface, 20, 20, 30, 30, brown);
    EXPECT_EQ(pixelAt(surface, 20, 20), palette[brown]);
    EXPECT_EQ(pixelAt(surface, 29, 29), palette[brown]);
    EXPECT_EQ(pixelAt(surface, 30, 30), blackRgb);
    EXPECT_EQ(pixelAt(surface, 25, 25), blackRgb) << "hollow inside";
    fillBox(surface, 0, 20, 10, 30, orange);
    EXPECT_EQ(pixelAt(surface, 5, 25), palette[orange]);
    fillCircle(surface, 30, 8, 5, cyan);
    EXPECT_EQ(pixelAt(surface, 30, 8), palette[cyan]);
    EXPECT_EQ(pixelAt(surface, 35, 13), blackRgb);
}

TEST(QtDrawSurface, TextInTheJapaneseAndMonospacedFaces) {
    EXPECT_EQ(fontFamilyFor({FontRole::panel, -11, 500}), "Noto Sans Mono CJK JP");
    EXPECT_EQ(fontFamilyFor({FontRole::mono, -11, 500}), "DejaVu Sans Mono");
    for (const char* family : {"Noto Sans Mono CJK JP", "DejaVu Sans Mono"})
        EXPECT_TRUE(QFontDatabase::families().contains(family))
            << family << ": fonts-noto-cjk, fonts-dejavu-core";

    QtDrawSurface surface(300, 40);
    surface.fillSolidRect(0, 0, 300, 40, palette[black]);
    surface.selectFont({FontRole::panel, -11, 500});
    surface.setBackgroundOpaque(false);
    surface.setTextColour(palette[white]);
    surface.textOut(10, 16, "ベッセル要素ファイルがありません！");
    // Antialiased: full white in the strokes, greys at their edges; the text hangs below its
    // top-left corner.
    const int lit = countColour(surface, whiteRgb, QRect(0, 0, 300, 40));
    EXPECT_GT(lit, 50);
    EXPECT_EQ(countLit(surface, QRect(0, 0, 300, 15)), 0);
    EXPECT_EQ(countLit(surface, QRect(0, 31, 300, 9)), 0);
    EXPECT_GT(countLit(surface, QRect(0, 0, 300, 40)), lit) << "grey edge pixels";
}

TEST(QtDrawSurface, BlitCopiesPixelsUnchanged) {
    QtDrawSurface screen(50, 50);
    std::unique_ptr<DrawSurface> memory = screen.createMemorySurface(20, 20);
    memory->fillSolidRect(0, 0, 20, 20, palette[rose]);
    plotPixel(*memory, 3, 4, navy);
    screen.blit(10, 10, 20, 20, *memory, 0, 0);
    EXPECT_EQ(pixelAt(screen, 10, 10), palette[rose]);
    EXPECT_EQ(pixelAt(screen, 13, 14), palette[navy]);
    EXPECT_EQ(pixelAt(screen, 30, 30), blackRgb);
}

// The text recorder draws what it is asked to on the surface underneath, off-screen surfaces
// and their copies included, and keeps every text in drawing order with the box it fills on the
// screen (none off-screen).
TEST(TextRecordingSurface, PassesEverythingOnAndKeepsTheTexts) {
    QtDrawSurface screen(60, 60), plain(60, 60);
    std::vector<RecordedText> texts;
    TextRecordingSurface recorder(screen, texts);
    for (DrawSurface* surface :
         {static_cast<DrawSurface*>(&recorder), static_cast<DrawSurface*>(&plain)}) {
        surface->setTextColour(whiteRgb);
        surface->textOut(2, 2, "first");
        std::unique_ptr<DrawSurface> memory = surface->createMemorySurface(20, 20);
        memory->fillSolidRect(0, 0, 20, 20, palette[rose]);
        memory->setTextColour(whiteRgb);
        memory->textOut(0, 0, "off-screen");
        drawLine(*surface, 0, 50, 40, 50, red);
        surface->blit(30, 30, 20, 20, *memory, 0, 0);
        surface->textOut(2, 20, "last");
    }
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "first");
    EXPECT_EQ(texts[1].text, "off-screen");
    EXPECT_EQ(texts[2].text, "last");
    const TextSize last = screen.textSize("last");
    ASSERT_TRUE(texts[2].box);
    EXPECT_EQ(texts[2].box->left, 2);
    EXPECT_EQ(texts[2].box->top, 20);
    EXPECT_EQ(texts[2].box->right, 2 + last.width);
    EXPECT_EQ(texts[2].box->bottom, 20 + last.height);
    EXPECT_FALSE(texts[1].box);
    EXPECT_EQ(screen.image(), plain.image()) << "the same picture as without the recorder";
    EXPECT_EQ(pixelAt(screen, 30, 48), palette[rose]);
}
