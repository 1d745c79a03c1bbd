// SPDX-License-Identifier: GPL-3.0-or-later
#include "label_placement.h"

#include <algorithm>

namespace vesk {

bool boxesOverlap(const LabelBox& a, const LabelBox& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool boxWithin(const LabelBox& box, const LabelBox& bounds) {
    return box.left >= bounds.left && box.right <= bounds.right && box.top >= bounds.top &&
           box.bottom <= bounds.bottom;
}

bool LabelPlacer::isFree(const LabelBox& box) const {
    return std::none_of(taken.begin(), taken.end(),
                        [&](const LabelBox& t) { return boxesOverlap(box, t); });
}

std::optional<LabelBox> LabelPlacer::place(const std::vector<LabelBox>& candidates,
                                           const std::function<bool(const LabelBox&)>& fits) {
    for (const LabelBox& box : candidates) {
        if (!fits(box) || !isFree(box))
            continue;
        taken.push_back(box);
        return box;
    }
    return std::nullopt;
}

std::vector<LabelBox> labelCandidates(int x, int y, int width, int height, int dx, int dy,
                                      int gap) {
    const auto at = [&](int left, int top) {
        return LabelBox{left, top, left + width, top + height};
    };
    return {at(x + dx, y + dy),
            at(x + gap, y - height / 2),
            at(x - gap - width, y - height / 2),
            at(x - width / 2, y - gap - height),
            at(x - width / 2, y + gap),
            at(x + gap, y - gap - height),
            at(x - gap - width, y - gap - height),
            at(x + gap, y + gap),
            at(x - gap - width, y + gap)};
}

} // namespace vesk
