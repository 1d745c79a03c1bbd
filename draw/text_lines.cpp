// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_lines.h"

#include "printable_text.h"

#include <algorithm>

namespace vesk {

namespace {

// The byte offsets at which the characters of text begin, then its end.
std::vector<std::size_t> characterBounds(const std::string& text) {
    std::vector<std::size_t> bounds;
    for (std::size_t at = 0; at < text.size(); at += codePointAt(text, at).second)
        bounds.push_back(at);
    bounds.push_back(text.size());
    return bounds;
}

// The most characters of the text, from least on, that fit (the whole text does not): the count
// is doubled past the first that does not fit, then the two are halved, so that a line costs about
// twice the logarithm of its length in measurements, however long the text.
template <typename Fits>
std::size_t mostCharactersThatFit(const std::string& text, const std::vector<std::size_t>& bounds,
                                  std::size_t least, const Fits& fits) {
    const auto fitting = [&](std::size_t count) { return fits(text.substr(0, bounds[count])); };
    std::size_t low = least, high = bounds.size() - 1;
    for (std::size_t step = 1; low + step < high; step *= 2) {
        if (!fitting(low + step)) {
            high = low + step;
            break;
        }
        low += step;
    }
    while (high - low > 1) {
        const std::size_t middle = low + (high - low) / 2;
        (fitting(middle) ? low : high) = middle;
    }
    return low;
}

} // namespace

std::vector<std::string> linesWithin(const DrawSurface& surface, const std::string& text, int width,
                                     const std::string& lineEnd, const std::string& indent) {
    if (surface.textSize(text).width <= width)
        return {text};
    const auto fits = [&](const std::string& line) {
        return surface.textSize(line + lineEnd).width <= width;
    };
    const std::string wordEnd =
        lineEnd.substr(std::min(lineEnd.find_first_not_of(' '), lineEnd.size()));
    std::vector<std::string> lines;
    std::string line;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t space = text.find(' ', at);
        const std::string word =
            text.substr(at, space == std::string::npos ? std::string::npos : space - at);
        at = space == std::string::npos ? text.size() : space + 1;
        const std::string joined = line.empty() ? word : line + " " + word;
        if (fits(joined)) {
            line = joined;
            continue;
        }
        if (!line.empty())
            lines.push_back(line + lineEnd);
        const std::string& lead = lines.empty() ? std::string() : indent;
        line = lead + word;
        // a word wider than the line: broken between its characters, one at least a line
        const std::size_t leadCharacters = characterBounds(lead).size() - 1;
        while (!fits(line)) {
            const std::vector<std::size_t> bounds = characterBounds(line);
            if (bounds.size() - 1 <= leadCharacters + 1)
                break;
            const std::size_t kept = mostCharactersThatFit(line, bounds, leadCharacters + 1, fits);
            lines.push_back(line.substr(0, bounds[kept]) + wordEnd);
            line = indent + line.substr(bounds[kept]);
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

} // namespace vesk
