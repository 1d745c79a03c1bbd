// SPDX-License-Identifier: GPL-3.0-or-later
#include "printable_text.h"

namespace vesk {

std::pair<char32_t, std::size_t> codePointAt(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return {lead, 1};
    const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (length == 1 || i + length > text.size())
        return {strayByte, 1};
    char32_t c = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return {strayByte, 1};
        c = c << 6 | (byte(i + k) & 0x3F);
    }
    return {c, length};
}

std::string printableText(std::string_view text) {
    const auto control = [](char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); };
    std::string printable;
    printable.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto [c, length] = codePointAt(text, i);
        const bool bad = c == strayByte || control(c) || (c >= 0xD800 && c <= 0xDFFF);
        printable += bad ? replacementCharacter : text.substr(i, length);
        i += length;
    }
    return printable;
}

std::string elidedText(std::string_view text, std::size_t maxCharacters) {
    std::size_t end = 0, characters = 0;
    while (end < text.size() && characters < maxCharacters) {
        end += codePointAt(text, end).second;
        ++characters;
    }
    if (end == text.size())
        return std::string(text);
    // the last character that fits gives way to the ellipsis
    std::size_t kept = 0;
    for (std::size_t k = 0; k + 1 < characters; ++k)
        kept += codePointAt(text, kept).second;
    return std::string(text.substr(0, kept)) + "…";
}

} // namespace vesk
