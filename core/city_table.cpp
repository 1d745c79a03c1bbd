// SPDX-License-Identifier: GPL-3.0-or-later
#include "city_table.h"

#include "bounded_line.h"
#include "printable_text.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iconv.h>
#include <sstream>

namespace vesk {

namespace {

// The file was read in pieces of at most this many characters; a longer line continues as if
// its remainder were the next line.
constexpr std::size_t linePieceLength = 79;

// Length of the UTF-8 sequence that starts with byte c (0 for a byte that cannot start one).
int utf8SequenceLength(unsigned char c) {
    if (c < 0x80)
        return 1;
    if ((c >> 5) == 0x6)
        return 2;
    if ((c >> 4) == 0xE)
        return 3;
    if ((c >> 3) == 0x1E)
        return 4;
    return 0;
}

bool isValidUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const int length = utf8SequenceLength(static_cast<unsigned char>(s[i]));
        if (length == 0 || i + length > s.size())
            return false;
        for (int k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2)
                return false;
        }
        i += length;
    }
    return true;
}

// Byte length of the first n characters of a UTF-8 text (the whole text when shorter).
std::size_t utf8Prefix(const std::string& s, std::size_t start, std::size_t n) {
    std::size_t i = start;
    for (std::size_t count = 0; count < n && i < s.size(); ++count)
        i += std::max(1, utf8SequenceLength(static_cast<unsigned char>(s[i])));
    return std::min(i, s.size()) - start;
}

// A field read as a decimal number; empty or not a number gives 0.
double fieldValue(const std::string& field) {
    return std::strtod(field.c_str(), nullptr);
}

// A place read from the fields of a piece of a line (a missing or unreadable number is 0).
City placeOf(const std::string& line) {
    City city;
    const std::size_t comma = line.find(',');
    city.name = printableText(line.substr(0, comma));
    double* values[] = {&city.lon, &city.lat, &city.height, &city.spare};
    std::size_t position = comma;
    for (double* value : values) {
        if (position == std::string::npos || position >= line.size())
            break;
        const std::size_t start = position + 1;
        position = line.find_first_of(",;", start);
        *value = fieldValue(line.substr(start, position == std::string::npos ? std::string::npos
                                                                             : position - start));
        if (position != std::string::npos && line[position] == ';')
            break;
    }
    if (position != std::string::npos && line[position] == ',') {
        const std::size_t start = position + 1;
        city.englishName =
            printableText(line.substr(start, line.find_first_of(",;", start) - start));
    }
    return city;
}

// Why a place cannot be an observer, or empty.
std::string placeFault(const City& city) {
    if (!(city.lon >= -180 && city.lon <= 360))
        return "longitude outside -180 to 360";
    if (!(city.lat >= -90 && city.lat <= 90))
        return "latitude outside -90 to 90";
    if (!(city.height >= -500 && city.height <= 100000))
        return "height outside -500 to 100000 m";
    return "";
}

// Adds the places of one line (pieces of at most linePieceLength characters, comments left
// out); false once the table is full.
bool addLine(CityTable& table, const std::string& line, const std::string& source, int number) {
    std::size_t start = 0;
    do {
        const std::size_t length = utf8Prefix(line, start, linePieceLength);
        const std::string piece = line.substr(start, length);
        start += length;
        if (!piece.empty() && piece[0] == ';')
            continue;
        if (static_cast<int>(table.rows.size()) == maxCities)
            return false;
        const City city = placeOf(piece);
        if (const std::string fault = placeFault(city); !fault.empty())
            table.warnings.push_back(source + " line " + std::to_string(number) + ": " + fault +
                                     ": the place is left out");
        else
            table.rows.push_back(city);
    } while (start < line.size());
    return static_cast<int>(table.rows.size()) < maxCities;
}

void dropCarriageReturn(std::string& line) {
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
}

} // namespace

const std::string& cityName(const City& city, bool english) {
    return english && !city.englishName.empty() ? city.englishName : city.name;
}

std::string textAsUtf8(const std::string& bytes) {
    if (isValidUtf8(bytes))
        return bytes;
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return bytes;
    std::string out(bytes.size() * 3 / 2 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(converter, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG) {
            const std::size_t used = out.size() - outLeft;
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
        } else { // an invalid byte: keep going after it
            ++in;
            --inLeft;
        }
    }
    iconv_close(converter);
    out.resize(out.size() - outLeft);
    return out;
}

void parseCityTable(CityTable& table, const std::string& text) {
    table.rows.clear();
    table.warnings.clear();
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        dropCarriageReturn(line);
        if (!addLine(table, line, cityFileName, number))
            return;
    }
}

namespace {

Outcome readCityTable(CityTable& table, const DataPaths& paths, IgnoredFiles& ignored) {
    const std::filesystem::path path = findDataFile(paths, cityFileName, ignored);
    std::ifstream in(path, std::ios::binary);
    if (path.empty() || !in)
        return Failure{FailureKind::cityTableMissing, cityFileName, std::nullopt,
                       "not in the data folders, or not readable"};
    table.rows.clear();
    table.warnings.clear();
    const std::string source = noteName(path);
    std::string line;
    bool cut = false;
    for (int number = 1; readBoundedLine(in, line, maxCityLineBytes, cut); ++number) {
        if (cut)
            table.warnings.push_back(source + " line " + std::to_string(number) + ": longer than " +
                                     std::to_string(maxCityLineBytes) +
                                     " bytes; the rest of it is left out");
        dropCarriageReturn(line);
        if (!addLine(table, textAsUtf8(line), source, number))
            break;
    }
    ignored.insert(ignored.end(), table.warnings.begin(), table.warnings.end());
    return std::nullopt;
}

} // namespace

Outcome loadCityTable(CityTable& table, const DataPaths& paths, IgnoredFiles& ignored) {
    std::vector<FileIdentity> candidates = candidateIdentities(paths, cityFileName);
    if (!table.source.valid || table.source.candidates != candidates) {
        IgnoredFiles notes;
        table.failure = readCityTable(table, paths, notes);
        table.source = {std::move(candidates), std::move(notes), true};
    }
    ignored.insert(ignored.end(), table.source.notes.begin(), table.source.notes.end());
    return table.failure;
}

} // namespace vesk
