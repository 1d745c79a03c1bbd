// SPDX-License-Identifier: GPL-3.0-or-later
#include "label.h"

#include "bounded_line.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace vesk::lro {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string trimmed(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && isSpace(text[first]))
        ++first;
    while (last > first && isSpace(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

bool isKeyCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || c == '_';
}

const std::string& valueOf(const std::map<std::string, std::string>& keys, const char* key) {
    const auto found = keys.find(key);
    if (found == keys.end())
        throw std::runtime_error("the label has no " + std::string(key));
    return found->second;
}

// A number, optionally followed by its unit in angle brackets ("90 <deg>").
double numberOf(const std::map<std::string, std::string>& keys, const char* key) {
    const std::string& text = valueOf(keys, key);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const std::string rest = trimmed(std::string(end, text.data() + text.size()));
    const bool unit = rest.empty() || (rest.front() == '<' && rest.back() == '>' &&
                                       rest.find_first_of("<>", 1) == rest.size() - 1);
    if (error != std::errc() || text.empty() || !unit || !std::isfinite(value))
        throw std::runtime_error("the label's " + std::string(key) + " is not a number: '" +
                                 text.substr(0, 80) + "'");
    return value;
}

std::string shortNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

double numberWithin(const std::map<std::string, std::string>& keys, const char* key, double low,
                    double high, const char* what) {
    const double value = numberOf(keys, key);
    if (!(value >= low && value <= high))
        throw std::runtime_error("the label's " + std::string(key) + " " + shortNumber(value) +
                                 " is not " + what);
    return value;
}

} // namespace

std::map<std::string, std::string> parseLabel(std::istream& in) {
    std::map<std::string, std::string> keys;
    std::string line;
    bool cut = false;
    for (int number = 1; readBoundedLine(in, line, maxLabelLineLength, cut); ++number) {
        if (cut)
            throw std::runtime_error("label line " + std::to_string(number) + " is longer than " +
                                     std::to_string(maxLabelLineLength) + " characters");
        std::string text = trimmed(line);
        if (!text.empty() && text.front() == '^')
            text.erase(0, 1);
        std::size_t keyEnd = 0;
        while (keyEnd < text.size() && isKeyCharacter(text[keyEnd]))
            ++keyEnd;
        const std::size_t equals = text.find_first_not_of(" \t", keyEnd);
        if (keyEnd == 0 || equals == std::string::npos || text[equals] != '=')
            continue;
        std::string value = trimmed(text.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        keys.emplace(text.substr(0, keyEnd), value);
    }
    return keys;
}

bool isBareFileName(const std::string& name) {
    if (name.empty() || name.size() > 255 || name.front() == '.' ||
        name.find("..") != std::string::npos)
        return false;
    // no separator, and nothing an address would decode or cut ("%2e%2e%2f" is "../")
    for (const char c : name)
        if (std::string_view("/\\\"%?#").find(c) != std::string_view::npos ||
            static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return false;
    return true;
}

LunarProduct productOf(const std::map<std::string, std::string>& keys) {
    LunarProduct product;
    if (valueOf(keys, "SAMPLE_TYPE") != "LSB_INTEGER")
        throw std::runtime_error("the label's SAMPLE_TYPE is not LSB_INTEGER: only 16-bit "
                                 "LSB_INTEGER products are read");
    numberWithin(keys, "SAMPLE_BITS", 16, 16, "16");
    product.lines = static_cast<int>(
        numberWithin(keys, "LINES", 1, maxProductLines, "from 1 to 23040 (LDEM_128's)"));
    product.samples = static_cast<int>(numberWithin(keys, "LINE_SAMPLES", 2, 2 * maxProductLines,
                                                    "twice the LINES (a global grid)"));
    if (numberOf(keys, "LINES") != product.lines ||
        numberOf(keys, "LINE_SAMPLES") != 2.0 * product.lines)
        throw std::runtime_error("the label's LINES and LINE_SAMPLES are not a global grid's "
                                 "(whole numbers, twice as many samples as lines)");
    product.scale = numberWithin(keys, "SCALING_FACTOR", 1e-9, 1000, "above 0 and at most 1000");
    if (keys.count("WESTERNMOST_LONGITUDE"))
        product.westernmost =
            numberWithin(keys, "WESTERNMOST_LONGITUDE", -360, 360, "from -360 to 360 degrees");
    if (keys.count("MAXIMUM_LATITUDE"))
        numberWithin(keys, "MAXIMUM_LATITUDE", 90, 90, "90 (only global products are read)");
    if (keys.count("MINIMUM_LATITUDE"))
        numberWithin(keys, "MINIMUM_LATITUDE", -90, -90, "-90 (only global products are read)");
    const auto image = keys.find("IMAGE");
    if (image == keys.end())
        throw std::runtime_error("the label has no ^IMAGE");
    product.image = image->second;
    if (!isBareFileName(product.image))
        throw std::runtime_error("the label's ^IMAGE \"" + product.image.substr(0, 80) +
                                 "\" is not a bare file name in the label's folder");
    return product;
}

} // namespace vesk::lro
