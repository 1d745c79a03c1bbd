// SPDX-License-Identifier: GPL-3.0-or-later
// Text from files and from the user made safe to show: in a terminal, an XML document, a drawn
// screen. UTF-8 is read code point by code point; what is not a character (a stray byte, an
// encoded surrogate) and what is not printable (the C0 and C1 controls, U+007F) is replaced.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace vesk {

// What codePointAt gives for a byte that does not begin a UTF-8 sequence: no code point.
constexpr char32_t strayByte = 0x110000;

// U+FFFD, the replacement character, in UTF-8.
constexpr std::string_view replacementCharacter = "\xEF\xBF\xBD";

// The code point at text[i] and its length in bytes (a stray byte: strayByte, one byte).
std::pair<char32_t, std::size_t> codePointAt(std::string_view text, std::size_t i);

// The text with each stray byte, encoded surrogate and control character (U+0000 to U+001F,
// U+007F to U+009F) replaced by U+FFFD: valid UTF-8 that can be printed anywhere.
std::string printableText(std::string_view text);

// The text cut to at most maxCharacters code points, its last one "…" where it was cut.
std::string elidedText(std::string_view text, std::size_t maxCharacters);

} // namespace vesk
