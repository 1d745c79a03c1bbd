// vesk-make-lro: the lunar elevation grid "LRO.dat" from a NASA PDS LOLA product (LDEM_4,
// LDEM_16, ..., the IMG file with its LBL label).
//
//   vesk-make-lro --label LDEM_16.LBL --out LRO.dat
//   vesk-make-lro --url https://.../ldem_16.lbl --out LRO.dat
//
// With --url the label is fetched, then the image it names from the same folder, both into
// the folder of the output; the image download shows its progress, is continued by the next run
// when it was cut off, and must have the size the label states.
//
// The label gives the size (LINES, LINE_SAMPLES), the sample type (LSB_INTEGER, 16 bits) and the
// SCALING_FACTOR that turns a sample into metres above the 1737.4 km sphere. The product is a
// global simple-cylindrical grid, north row first, starting at 0 degrees east, pixel-registered.
// The output is 5760 x 2880 little-endian int16 metres (16 samples per degree, cell centres at
// 1/32 + f/16 degrees east and 90 - 1/32 - h/16 degrees north), resampled bilinearly when the
// product has another resolution (LDEM_16 is copied sample for sample).
#include "download.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int outColumns = 5760, outRows = 2880, perDegree = 16;

std::map<std::string, std::string> readLabel(const std::filesystem::path& path) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    std::map<std::string, std::string> keys;
    static const std::regex entry(R"re(^\s*\^?([A-Z_]+)\s*=\s*"?([^"]*?)"?\s*$)re");
    std::string line;
    std::smatch m;
    while (std::getline(in, line))
        if (std::regex_match(line, m, entry) && keys.count(m[1]) == 0)
            keys[m[1]] = m[2];
    return keys;
}

double number(const std::map<std::string, std::string>& keys, const std::string& key) {
    const auto found = keys.find(key);
    if (found == keys.end())
        throw std::runtime_error("label has no " + key);
    return std::stod(found->second);
}

} // namespace

// The bytes of the product's image: LINES x LINE_SAMPLES 16-bit samples.
std::uintmax_t imageBytes(const std::map<std::string, std::string>& keys) {
    if (keys.count("SAMPLE_TYPE") == 0 || keys.at("SAMPLE_TYPE") != "LSB_INTEGER" ||
        number(keys, "SAMPLE_BITS") != 16)
        throw std::runtime_error("only 16-bit LSB_INTEGER products are read");
    const double lines = number(keys, "LINES"), samples = number(keys, "LINE_SAMPLES");
    if (!(lines >= 1 && lines <= 1e6 && samples >= 1 && samples <= 1e6))
        throw std::runtime_error("the label's LINES and LINE_SAMPLES are not a grid's");
    return static_cast<std::uintmax_t>(lines) * static_cast<std::uintmax_t>(samples) * 2;
}

std::string imageName(const std::map<std::string, std::string>& keys) {
    return keys.count("IMAGE") ? keys.at("IMAGE") : keys.at("FILE_NAME");
}

// The label and its image fetched from url into folder; the label's path.
std::filesystem::path fetchProduct(const std::string& url, const std::filesystem::path& folder) {
    const std::filesystem::path label = folder / url.substr(url.rfind('/') + 1);
    vesk::lro::download(url, label, std::nullopt);
    const auto keys = readLabel(label);
    std::string name = imageName(keys);
    try {
        vesk::lro::download(vesk::lro::siblingUrl(url, name), folder / name, imageBytes(keys));
    } catch (const vesk::lro::FetchError&) {
        // PDS servers may keep the label's upper-case names in lower case
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        if (lower == name)
            throw;
        vesk::lro::download(vesk::lro::siblingUrl(url, lower), folder / name, imageBytes(keys));
    }
    return label;
}

int main(int argc, char** argv) {
    try {
        const std::string how = argc == 5 ? argv[1] : "";
        if ((how != "--label" && how != "--url") || std::string(argv[3]) != "--out")
            throw std::runtime_error("usage: vesk-make-lro --label FILE.LBL --out LRO.dat\n"
                                     "       vesk-make-lro --url URL_OF_THE_LBL --out LRO.dat");
        const std::filesystem::path output = argv[4];
        const std::filesystem::path label =
            how == "--url"
                ? fetchProduct(argv[2], output.parent_path().empty() ? std::filesystem::path(".")
                                                                     : output.parent_path())
                : std::filesystem::path(argv[2]);
        const auto keys = readLabel(label);
        const std::uintmax_t expected = imageBytes(keys);
        const int lines = static_cast<int>(number(keys, "LINES"));
        const int samples = static_cast<int>(number(keys, "LINE_SAMPLES"));
        const double scale = number(keys, "SCALING_FACTOR");
        const std::filesystem::path image = label.parent_path() / imageName(keys);
        std::error_code sizeError;
        if (std::filesystem::file_size(image, sizeError) != expected || sizeError)
            throw std::runtime_error(image.string() + " does not have the " +
                                     std::to_string(expected) + " bytes the label states");
        std::ifstream in(image, std::ios::binary);
        std::vector<unsigned char> bytes(expected);
        if (!in || !in.read(reinterpret_cast<char*>(bytes.data()),
                            static_cast<std::streamsize>(bytes.size())))
            throw std::runtime_error("cannot read " + image.string() + " whole");
        const auto source = [&](int r, int c) {
            r = std::clamp(r, 0, lines - 1);
            c = ((c % samples) + samples) % samples;
            const std::size_t at = (static_cast<std::size_t>(r) * samples + c) * 2;
            return static_cast<std::int16_t>(bytes[at] | (bytes[at + 1] << 8)) * scale;
        };
        const double perDegreeIn = samples / 360.0;
        const double westernmost =
            keys.count("WESTERNMOST_LONGITUDE") ? number(keys, "WESTERNMOST_LONGITUDE") : 0;
        if ((keys.count("MAXIMUM_LATITUDE") && number(keys, "MAXIMUM_LATITUDE") != 90) ||
            (keys.count("MINIMUM_LATITUDE") && number(keys, "MINIMUM_LATITUDE") != -90) ||
            std::fabs(lines * 2 - samples) > 0)
            throw std::runtime_error("only global products (90 N to 90 S, 360 degrees) are read");
        std::vector<unsigned char> out(static_cast<std::size_t>(outRows) * outColumns * 2);
        for (int h = 0; h < outRows; ++h) {
            const double lat = 90 - 1.0 / 32 - h / 16.0;
            const double y = (90 - lat) * perDegreeIn - 0.5;
            const int r0 = static_cast<int>(std::floor(y));
            const double fy = y - r0;
            for (int f = 0; f < outColumns; ++f) {
                const double lon = 1.0 / 32 + f / 16.0;
                const double x = (lon - westernmost) * perDegreeIn - 0.5;
                const int c0 = static_cast<int>(std::floor(x));
                const double fx = x - c0;
                const double v = (1 - fy) * ((1 - fx) * source(r0, c0) + fx * source(r0, c0 + 1)) +
                                 fy * ((1 - fx) * source(r0 + 1, c0) + fx * source(r0 + 1, c0 + 1));
                const auto metres =
                    static_cast<std::int16_t>(std::clamp(std::lround(v), -32768L, 32767L));
                const std::size_t at = (static_cast<std::size_t>(h) * outColumns + f) * 2;
                out[at] = static_cast<unsigned char>(metres & 0xff);
                out[at + 1] = static_cast<unsigned char>((metres >> 8) & 0xff);
            }
        }
        const std::string part = output.string() + ".part";
        std::ofstream file(part, std::ios::binary);
        if (!file.write(reinterpret_cast<const char*>(out.data()),
                        static_cast<std::streamsize>(out.size())) ||
            (file.close(), !file) || std::rename(part.c_str(), output.c_str()) != 0) {
            std::remove(part.c_str());
            throw std::runtime_error("cannot write " + output.string());
        }
        std::printf("%d x %d samples (%g per degree) to %d x %d\n", samples, lines, perDegreeIn,
                    outColumns, outRows);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vesk-make-lro: %s\n", error.what());
        return 1;
    }
}
