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

// The end (an index of bounds) of the most characters of word from first on that fit after
// prefix, one at least (the whole rest does not fit): the count is doubled past the first that
// does not fit, then the two are halved, so that a line costs about twice the logarithm of its
// length in measurements, however long the word.
template <typename Fits>
std::size_t mostCharactersThatFit(const std::string& prefix, const std::string& word,
                                  const std::vector<std::size_t>& bounds, std::size_t first,
                                  const Fits& fits) {
    const auto fitting = [&](std::size_t end) {
        return fits(prefix + word.substr(bounds[first], bounds[end] - bounds[first]));
    };
    std::size_t low = first + 1, high = bounds.size() - 1;
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
        // a word wider than the line: broken between its characters, one of the word at least
        // a line; the first line has no indent
        std::string prefix = lines.empty() ? std::string() : indent;
        const std::vector<std::size_t> bounds = characterBounds(word);
        const std::size_t characters = bounds.size() - 1;
        std::size_t first = 0; // the word's first character not yet on a line
        while (first + 1 < characters && !fits(prefix + word.substr(bounds[first]))) {
            const std::size_t end = mostCharactersThatFit(prefix, word, bounds, first, fits);
            lines.push_back(prefix + word.substr(bounds[first], bounds[end] - bounds[first]) +
                            wordEnd);
            prefix = indent;
            first = end;
        }
        line = prefix + word.substr(bounds[first]);
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

} // namespace vesk
