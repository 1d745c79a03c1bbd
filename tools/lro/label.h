// SPDX-License-Identifier: GPL-3.0-or-later
// The PDS3 label of a LOLA gridded elevation product (LDEM_4, LDEM_16, ...): "KEY = value" lines
// read without regular expressions, each at most maxLabelLineLength characters, and the product
// they describe, every value checked before a byte of the image is read or fetched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <map>
#include <string>

namespace vesk::lro {

constexpr std::size_t maxLabelLineLength = 4096;
// The finest global product, LDEM_128, has this many lines (a 2 GB image).
constexpr int maxProductLines = 23040;
// A label larger than this is no product's label.
constexpr std::uintmax_t maxLabelBytes = 1 << 20;

// The label's keys (a leading '^' dropped) with their first value, quotes removed. Throws
// std::runtime_error naming the line that is longer than maxLabelLineLength.
std::map<std::string, std::string> parseLabel(std::istream& in);

// A global simple-cylindrical grid of 16-bit little-endian samples, north row first.
struct LunarProduct {
    int lines = 0, samples = 0; // rows and columns
    double scale = 0;           // metres per sample unit (SCALING_FACTOR)
    double westernmost = 0;     // east longitude of the grid's left edge, degrees
    std::string image;          // the image's file name, a bare name
    std::uintmax_t imageBytes() const {
        return static_cast<std::uintmax_t>(lines) * static_cast<std::uintmax_t>(samples) * 2;
    }
};

// The product the keys describe. Throws std::runtime_error naming the key that is missing, not
// a number, or outside what a LOLA product holds (a grid of 1 to maxProductLines lines twice as
// wide, 16-bit LSB_INTEGER samples, a scale above 0 and at most 1000 m, the whole Moon from 90 N to
// 90 S, a western edge within +-360 degrees, an ^IMAGE named by a bare file name).
LunarProduct productOf(const std::map<std::string, std::string>& keys);

// A file name without a folder: no '/', no "..", no leading '.', no control character, at
// most 255 bytes.
bool isBareFileName(const std::string& name);

} // namespace vesk::lro
