// SPDX-License-Identifier: GPL-3.0-or-later
// vesk-make-lro: the lunar elevation grid "LRO.dat" from a NASA PDS LOLA product (LDEM_4,
// LDEM_16, ..., the IMG file with its LBL label).
//
//   vesk-make-lro --label LDEM_16.LBL --out LRO.dat
//   vesk-make-lro --url https://.../ldem_16.lbl --out LRO.dat [--timeout SECONDS]
//
// With --url (https, or a file; http only at 127.0.0.1 or localhost) the label is fetched into
// OUT.lbl, then the image it names (a bare file name in the label's folder on the server) into
// OUT.img; the names on disk are the tool's, never the label's, and OUT's folder is made. The image
// download shows its progress, is continued by the next run when it was cut off, and stops as soon
// as it passes the size the label states. A server silent for SECONDS (default 60) ends the run.
//
// The label gives the size (LINES, LINE_SAMPLES), the sample type (LSB_INTEGER, 16 bits) and the
// SCALING_FACTOR that turns a sample into metres above the 1737.4 km sphere. The product is a
// global simple-cylindrical grid, north row first, starting at WESTERNMOST_LONGITUDE,
// pixel-registered. The output is 5760 x 2880 little-endian int16 metres (16 samples per degree,
// cell centres at 1/32 + f/16 degrees east and 90 - 1/32 - h/16 degrees north), resampled
// bilinearly when the product has another resolution (LDEM_16 is copied sample for sample).
//
// Exit status: 0 done, 1 a failure (network, label, image, writing), 2 bad arguments or an
// output that is not a regular file.
#include "download.h"
#include "label.h"
#include "tool_main.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int outColumns = 5760, outRows = 2880;

using vesk::tools::UsageError;

struct Options {
    std::string label, url;
    std::filesystem::path output;
    long timeoutSeconds = 60;
};

Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i], value = argv[i + 1];
        if (flag == "--label")
            options.label = value;
        else if (flag == "--url")
            options.url = value;
        else if (flag == "--out")
            options.output = value;
        else if (flag == "--timeout") {
            const auto [end, error] =
                std::from_chars(value.data(), value.data() + value.size(), options.timeoutSeconds);
            if (error != std::errc() || end != value.data() + value.size() ||
                options.timeoutSeconds < 1 || options.timeoutSeconds > 3600)
                throw UsageError("--timeout must be a whole number of seconds from 1 to 3600");
        } else
            throw UsageError("unknown option " + flag);
    }
    if (argc % 2 == 0 || options.output.empty() || options.label.empty() == options.url.empty())
        throw UsageError("usage: vesk-make-lro --label FILE.LBL --out LRO.dat\n"
                         "       vesk-make-lro --url URL_OF_THE_LBL --out LRO.dat "
                         "[--timeout SECONDS]");
    if (!options.url.empty()) {
        const bool known = !vesk::lro::allowedProtocols(options.url).empty();
        if (!known || options.url.back() == '/' ||
            options.url.find('/', options.url.find("//") + 2) == std::string::npos)
            throw UsageError("--url must be the https or file address of the label file (http "
                             "only at 127.0.0.1 or localhost), not of a folder: " +
                             options.url);
    }
    vesk::tools::checkOutputPath(options.output);
    return options;
}

vesk::lro::LunarProduct readProduct(const std::filesystem::path& label) {
    std::error_code error;
    if (std::filesystem::file_size(label, error) > vesk::lro::maxLabelBytes && !error)
        throw std::runtime_error(label.string() + " is too large for a label");
    std::ifstream in(label, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + label.string());
    try {
        return vesk::lro::productOf(vesk::lro::parseLabel(in));
    } catch (const std::runtime_error& fault) {
        throw std::runtime_error(label.string() + ": " + fault.what());
    }
}

// The label fetched from url into OUT.lbl and its image into OUT.img; the image's path.
std::filesystem::path fetchProduct(const Options& options, vesk::lro::LunarProduct& product) {
    using namespace vesk::lro;
    const std::filesystem::path label = options.output.string() + ".lbl";
    const std::filesystem::path image = options.output.string() + ".img";
    download(options.url, label, {std::nullopt, maxLabelBytes, options.timeoutSeconds});
    product = readProduct(label);
    const DownloadLimits limits{product.imageBytes(), product.imageBytes(), options.timeoutSeconds};
    try {
        download(siblingUrl(options.url, product.image), image, limits);
    } catch (const FetchError&) {
        // PDS servers may keep the label's upper-case names in lower case
        std::string lower = product.image;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        if (lower == product.image)
            throw;
        download(siblingUrl(options.url, lower), image, limits);
    }
    return image;
}

std::vector<unsigned char> readImage(const std::filesystem::path& image, std::uintmax_t bytes) {
    std::error_code sizeError;
    if (std::filesystem::file_size(image, sizeError) != bytes || sizeError)
        throw std::runtime_error(image.string() + " does not have the " + std::to_string(bytes) +
                                 " bytes the label states");
    std::ifstream in(image, std::ios::binary);
    std::vector<unsigned char> data(bytes);
    if (!in ||
        !in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size())))
        throw std::runtime_error("cannot read " + image.string() + " whole");
    return data;
}

// The output grid, bilinear in the product's samples (little-endian int16 metres).
std::string resampled(const vesk::lro::LunarProduct& product,
                      const std::vector<unsigned char>& bytes) {
    const int lines = product.lines, samples = product.samples;
    const auto source = [&](int r, int c) {
        r = std::clamp(r, 0, lines - 1);
        c = ((c % samples) + samples) % samples;
        const std::size_t at = (static_cast<std::size_t>(r) * samples + c) * 2;
        return static_cast<std::int16_t>(bytes[at] | (bytes[at + 1] << 8)) * product.scale;
    };
    const double perDegreeIn = samples / 360.0;
    std::string out(static_cast<std::size_t>(outRows) * outColumns * 2, '\0');
    for (int h = 0; h < outRows; ++h) {
        const double lat = 90 - 1.0 / 32 - h / 16.0;
        const double y = (90 - lat) * perDegreeIn - 0.5;
        const int r0 = static_cast<int>(std::floor(y));
        const double fy = y - r0;
        for (int f = 0; f < outColumns; ++f) {
            const double lon = 1.0 / 32 + f / 16.0;
            const double x = (lon - product.westernmost) * perDegreeIn - 0.5;
            const int c0 = static_cast<int>(std::floor(x));
            const double fx = x - c0;
            const double v = (1 - fy) * ((1 - fx) * source(r0, c0) + fx * source(r0, c0 + 1)) +
                             fy * ((1 - fx) * source(r0 + 1, c0) + fx * source(r0 + 1, c0 + 1));
            const auto metres =
                static_cast<std::int16_t>(std::clamp(std::lround(v), -32768L, 32767L));
            const std::size_t at = (static_cast<std::size_t>(h) * outColumns + f) * 2;
            out[at] = static_cast<char>(metres & 0xff);
            out[at + 1] = static_cast<char>((metres >> 8) & 0xff);
        }
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    return vesk::tools::runTool("vesk-make-lro", [&] {
        const Options options = parseOptions(argc, argv);
        // the folder of the output, as on a new account (~/.local/share/vesk)
        std::error_code error;
        if (const std::filesystem::path folder = options.output.parent_path(); !folder.empty())
            if (std::filesystem::create_directories(folder, error); error)
                throw std::runtime_error("cannot make the folder " + folder.string() + ": " +
                                         error.message());
        vesk::lro::LunarProduct product;
        std::filesystem::path image;
        if (!options.url.empty()) {
            image = fetchProduct(options, product);
        } else {
            product = readProduct(options.label);
            image = std::filesystem::path(options.label).parent_path() / product.image;
        }
        const std::string grid = resampled(product, readImage(image, product.imageBytes()));
        vesk::tools::writeFileAtomically(options.output, grid);
        std::printf("%d x %d samples (%g per degree) to %d x %d, written to %s\n", product.samples,
                    product.lines, product.samples / 360.0, outColumns, outRows,
                    std::filesystem::absolute(options.output).lexically_normal().c_str());
        return 0;
    });
}
