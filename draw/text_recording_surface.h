// SPDX-License-Identifier: GPL-3.0-or-later
// A drawing surface around another that passes every operation on and keeps the texts drawn,
// in drawing order (with the degree sign "°"), for scripts that read what a screen says, and
// where each lies. Texts drawn into its off-screen surfaces are kept too, in the order they are
// drawn, without a place (they reach the screen as pixels).
#pragma once

#include "forwarding_surface.h"
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

class TextRecordingSurface : public ForwardingSurface {
  public:
    // Draws on inner and appends every text to texts; both must outlive the surface.
    TextRecordingSurface(DrawSurface& inner, std::vector<RecordedText>& texts);

    void textOut(int x, int y, const std::string& utf8) override;
    std::unique_ptr<DrawSurface> createMemorySurface(int width, int height) const override;
    void blit(int x, int y, int width, int height, const DrawSurface& source, int sourceX,
              int sourceY) override;

  private:
    // An off-screen surface of the inner one, owned by its recording surface.
    TextRecordingSurface(std::unique_ptr<DrawSurface> owned, std::vector<RecordedText>& texts);

    std::unique_ptr<DrawSurface> owned; // an off-screen surface's
    std::vector<RecordedText>& texts;
};

} // namespace vesk
