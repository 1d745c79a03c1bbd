// SPDX-License-Identifier: GPL-3.0-or-later
#include "typed_coordinates.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace vesk {

namespace {

enum class Unit { unmarked, degrees, minutes, seconds };

struct Token {
    enum class Kind { number, hemisphere, comma } kind = Kind::number;
    double value = 0; // a number's magnitude
    bool negative = false, signed_ = false;
    Unit unit = Unit::unmarked;
    char hemisphere = 0; // 'N', 'S', 'E' or 'W'
};

// The unit that a mark at the start of rest names, and the mark's length in bytes.
std::pair<Unit, std::size_t> markAt(std::string_view rest) {
    static constexpr std::array<std::pair<std::string_view, Unit>, 9> marks{{
        {"°", Unit::degrees},
        {"º", Unit::degrees},
        {"˚", Unit::degrees},
        {"''", Unit::seconds},
        {"″", Unit::seconds},
        {"\"", Unit::seconds},
        {"”", Unit::seconds},
        {"′", Unit::minutes},
        {"’", Unit::minutes},
    }};
    for (const auto& [mark, unit] : marks)
        if (rest.starts_with(mark))
            return {unit, mark.size()};
    if (rest.starts_with('\''))
        return {Unit::minutes, 1};
    return {Unit::unmarked, 0};
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The text as numbers with their marks, hemisphere letters and commas; nullopt for anything else.
std::optional<std::vector<Token>> tokensOf(std::string_view text) {
    std::vector<Token> tokens;
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (c == ' ' || c == '\t') {
            ++at;
        } else if (c == ',' || c == ';') {
            tokens.push_back({.kind = Token::Kind::comma});
            ++at;
        } else if (isLetter(c)) {
            const char upper = static_cast<char>(c & ~0x20);
            if (std::string_view("NSEW").find(upper) == std::string_view::npos ||
                (at + 1 < text.size() && isLetter(text[at + 1])))
                return std::nullopt; // a word: a place's name
            tokens.push_back({.kind = Token::Kind::hemisphere, .hemisphere = upper});
            ++at;
        } else {
            Token number;
            constexpr std::string_view minusSign = "−";
            if (c == '+' || c == '-') {
                number.signed_ = true;
                number.negative = c == '-';
                ++at;
            } else if (text.substr(at).starts_with(minusSign)) {
                number.signed_ = number.negative = true;
                at += minusSign.size();
            }
            const char* first = text.data() + at;
            const char* last = text.data() + text.size();
            const auto read = std::from_chars(first, last, number.value, std::chars_format::fixed);
            if (read.ec != std::errc() || !std::isfinite(number.value) || *first == '-' ||
                *first == '+')
                return std::nullopt;
            at += static_cast<std::size_t>(read.ptr - first);
            const auto [unit, length] = markAt(text.substr(at));
            number.unit = unit;
            at += length;
            tokens.push_back(number);
        }
    }
    return tokens;
}

// One coordinate: its numbers and, where named, its hemisphere.
struct Group {
    std::vector<Token> numbers;
    char hemisphere = 0;
};

// Degrees, minutes and seconds as one angle (signed by its text), or nullopt where the parts do
// not follow in order or minutes and seconds reach 60.
std::optional<double> angleOf(const Group& g) {
    if (g.numbers.empty() || g.numbers.size() > 3)
        return std::nullopt;
    double sum = 0;
    Unit previous = Unit::unmarked;
    for (std::size_t i = 0; i < g.numbers.size(); ++i) {
        const Token& part = g.numbers[i];
        Unit unit = part.unit;
        if (unit == Unit::unmarked)
            unit = static_cast<Unit>(static_cast<int>(previous) + 1);
        const bool misplaced = i == 0 ? unit != Unit::degrees : part.signed_ || part.value >= 60;
        if (unit <= previous || misplaced)
            return std::nullopt;
        sum += part.value / std::pow(60.0, static_cast<int>(unit) - 1);
        previous = unit;
    }
    if (g.hemisphere && g.numbers.front().signed_)
        return std::nullopt; // "-36 N": the sign and the letter would both say the side
    const bool southOrWest = g.hemisphere == 'S' || g.hemisphere == 'W';
    return g.numbers.front().negative || southOrWest ? -sum : sum;
}

// The two coordinates of the tokens: split at the hemisphere letters (all before or all after
// their numbers), at one comma, or where a new degree value begins.
std::optional<std::vector<Group>> groupsOf(const std::vector<Token>& tokens) {
    using Kind = Token::Kind;
    std::size_t letters = 0, commas = 0;
    for (const Token& t : tokens) {
        letters += t.kind == Kind::hemisphere;
        commas += t.kind == Kind::comma;
    }
    if (tokens.empty() || (letters != 0 && letters != 2) || commas > 1)
        return std::nullopt;
    std::vector<Group> groups(1);
    const bool prefixed = letters == 2 && tokens.front().kind == Kind::hemisphere;
    const bool suffixed = letters == 2 && tokens.back().kind == Kind::hemisphere;
    if (letters == 2 && !prefixed && !suffixed)
        return std::nullopt;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        Group& current = groups.back();
        const bool started = !current.numbers.empty() || current.hemisphere;
        if (t.kind == Kind::comma) {
            // only between the two coordinates
            const bool between =
                letters == 0 ? started
                : prefixed   ? i + 1 < tokens.size() && tokens[i + 1].kind == Kind::hemisphere
                             : i > 0 && tokens[i - 1].kind == Kind::hemisphere;
            if (!between)
                return std::nullopt;
            if (letters == 0)
                groups.emplace_back();
        } else if (t.kind == Kind::hemisphere) {
            if (prefixed && started)
                groups.emplace_back();
            groups.back().hemisphere = t.hemisphere;
            if (suffixed)
                groups.emplace_back();
        } else {
            const bool newDegrees = t.unit == Unit::unmarked || t.unit == Unit::degrees;
            if (letters == 0 && commas == 0 && newDegrees && !current.numbers.empty())
                groups.emplace_back();
            groups.back().numbers.push_back(t);
        }
    }
    if (suffixed)
        groups.pop_back(); // the empty group after the last letter
    if (groups.size() != 2)
        return std::nullopt;
    return groups;
}

bool isLatitudeLetter(char hemisphere) {
    return hemisphere == 'N' || hemisphere == 'S';
}

} // namespace

std::optional<TypedCoordinates> parseCoordinates(std::string_view text) {
    const std::optional<std::vector<Token>> tokens = tokensOf(text);
    if (!tokens)
        return std::nullopt;
    const std::optional<std::vector<Group>> groups = groupsOf(*tokens);
    if (!groups)
        return std::nullopt;
    const std::optional<double> first = angleOf((*groups)[0]), second = angleOf((*groups)[1]);
    if (!first || !second)
        return std::nullopt;
    TypedCoordinates read;
    read.namedHemispheres = (*groups)[0].hemisphere != 0;
    if (read.namedHemispheres) {
        const bool latitudeFirst = isLatitudeLetter((*groups)[0].hemisphere);
        if (latitudeFirst == isLatitudeLetter((*groups)[1].hemisphere))
            return std::nullopt; // two latitudes or two longitudes
        read.lat = latitudeFirst ? *first : *second;
        read.lon = latitudeFirst ? *second : *first;
        if (std::fabs(read.lon) > 180)
            return std::nullopt;
    } else {
        read.lon = *first;
        read.lat = *second;
        if (read.lon < -180 || read.lon > 360)
            return std::nullopt;
    }
    if (std::fabs(read.lat) > 90)
        return std::nullopt;
    return read;
}

std::string coordinatesText(double lon, double lat) {
    if (lon > 180)
        lon -= 360;
    const auto degrees = [](double angle, char positive, char negative) {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.4f", std::fabs(angle));
        std::string text = digits;
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
        return text + "° " + (angle < 0 ? negative : positive);
    };
    return degrees(lon, 'E', 'W') + ", " + degrees(lat, 'N', 'S');
}

} // namespace vesk
