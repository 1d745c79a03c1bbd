// vesk-make-lro: the lunar elevation grid "LRO.dat" from a NASA PDS LOLA product (LDEM_4,
// LDEM_16, ..., the IMG file with its LBL label).
//
//   vesk-make-lro --label LDEM_16.LBL --out LRO.dat
//
// The label gives the size (LINES, LINE_SAMPLES), the sample type (LSB_INTEGER, 16 bits) and the
// SCALING_FACTOR that turns a sample into metres above the 1737.4 km sphere. The product is a
// global simple-cylindrical grid, north row first, starting at 0 degrees east, pixel-registered.
// The output is 5760 x 2880 little-endian int16 metres (16 samples per degree, cell centres at
// 1/32 + f/16 degrees east and 90 - 1/32 - h/16 degrees north), resampled bilinearly when the
// product has another resolution (LDEM_16 is copied sample for sample).
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

int main(int argc, char** argv) {
    try {
        if (argc != 5 || std::string(argv[1]) != "--label" || std::string(argv[3]) != "--out")
            throw std::runtime_error("usage: vesk-make-lro --label FILE.LBL --out LRO.dat");
        const std::filesystem::path label = argv[2];
        const auto keys = readLabel(label);
        if (keys.count("SAMPLE_TYPE") == 0 || keys.at("SAMPLE_TYPE") != "LSB_INTEGER" ||
            number(keys, "SAMPLE_BITS") != 16)
            throw std::runtime_error("only 16-bit LSB_INTEGER products are read");
        const int lines = static_cast<int>(number(keys, "LINES"));
        const int samples = static_cast<int>(number(keys, "LINE_SAMPLES"));
        const double scale = number(keys, "SCALING_FACTOR");
        const std::string imageName = keys.count("IMAGE") ? keys.at("IMAGE") : keys.at("FILE_NAME");
        const std::filesystem::path image = label.parent_path() / imageName;
        std::ifstream in(image, std::ios::binary);
        std::vector<unsigned char> bytes(static_cast<std::size_t>(lines) * samples * 2);
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
        const std::string part = std::string(argv[4]) + ".part";
        std::ofstream file(part, std::ios::binary);
        if (!file.write(reinterpret_cast<const char*>(out.data()),
                        static_cast<std::streamsize>(out.size())) ||
            (file.close(), !file) || std::rename(part.c_str(), argv[4]) != 0) {
            std::remove(part.c_str());
            throw std::runtime_error(std::string("cannot write ") + argv[4]);
        }
        std::printf("%d x %d samples (%g per degree) to %d x %d\n", samples, lines, perDegreeIn,
                    outColumns, outRows);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vesk-make-lro: %s\n", error.what());
        return 1;
    }
}
