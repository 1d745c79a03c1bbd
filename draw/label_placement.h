// SPDX-License-Identifier: GPL-3.0-or-later
// Greedy placement of labels that must not overlap: each label takes the first of its candidate
// boxes (the preferred place first) that fits where labels may go and covers nothing reserved
// before it; a label with no such box is dropped.
#pragma once

#include <functional>
#include <optional>
#include <vector>

namespace vesk {

// A box of pixels: left and top inside, right and bottom just outside.
struct LabelBox {
    int left = 0, top = 0, right = 0, bottom = 0;
};

bool boxesOverlap(const LabelBox& a, const LabelBox& b);

class LabelPlacer {
  public:
    // Keeps labels off the box (a marker, a body's disc).
    void reserve(const LabelBox& box) { taken.push_back(box); }
    // Whether the box covers nothing reserved or placed.
    bool isFree(const LabelBox& box) const;
    // The first free candidate for which fits is true, now reserved; nullopt when none is.
    std::optional<LabelBox> place(const std::vector<LabelBox>& candidates,
                                  const std::function<bool(const LabelBox&)>& fits);

  private:
    std::vector<LabelBox> taken;
};

// Whether the box lies within the bounds.
bool boxWithin(const LabelBox& box, const LabelBox& bounds);

// The candidate boxes of a width x height label beside a point: first the preferred top-left
// corner (x + dx, y + dy), then right, left, above and below the point at the gap.
std::vector<LabelBox> labelCandidates(int x, int y, int width, int height, int dx, int dy, int gap);

} // namespace vesk
