// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_lines.h"

#include <algorithm>

namespace vesk {

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
        line = (lines.empty() ? "" : indent) + word;
        // a word wider than the line: broken within it
        while (!fits(line) && line.size() > indent.size() + 1) {
            std::size_t keep = line.size() - 1;
            while (keep > indent.size() + 1 && !fits(line.substr(0, keep)))
                --keep;
            lines.push_back(line.substr(0, keep) + wordEnd);
            line = indent + line.substr(keep);
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

} // namespace vesk
