// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_recording_surface.h"

#include "degree_sign.h"

namespace vesk {

TextRecordingSurface::TextRecordingSurface(DrawSurface& inner, std::vector<RecordedText>& texts)
    : ForwardingSurface(inner), texts(texts) {}

TextRecordingSurface::TextRecordingSurface(std::unique_ptr<DrawSurface> surface,
                                           std::vector<RecordedText>& texts)
    : ForwardingSurface(*surface), owned(std::move(surface)), texts(texts) {}

void TextRecordingSurface::textOut(int x, int y, const std::string& utf8) {
    std::optional<LabelBox> box;
    if (!owned) {
        const TextSize size = inner.textSize(utf8);
        box = LabelBox{x, y, x + size.width, y + size.height};
    }
    texts.push_back({withDegreeSigns(utf8), box});
    inner.textOut(x, y, utf8);
}

std::unique_ptr<DrawSurface> TextRecordingSurface::createMemorySurface(int width,
                                                                       int height) const {
    return std::unique_ptr<DrawSurface>(
        new TextRecordingSurface(inner.createMemorySurface(width, height), texts));
}

void TextRecordingSurface::blit(int x, int y, int width, int height, const DrawSurface& source,
                                int sourceX, int sourceY) {
    // The surfaces of the same kind underneath are what copy pixels.
    const auto* recorded = dynamic_cast<const TextRecordingSurface*>(&source);
    inner.blit(x, y, width, height, recorded ? recorded->inner : source, sourceX, sourceY);
}

} // namespace vesk
