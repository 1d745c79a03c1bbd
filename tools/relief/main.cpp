// vesk-make-relief: the relief grid "globe04.dat" and its colour table "color.txt".
//
//   vesk-make-relief --etopo etopo5.cdf --grid globe04.dat
//   vesk-make-relief --colours color.txt
//
// The grid is 2700 rows x 5400 columns of little-endian int16 metres at 1/15 degree: row r at
// latitude 89.9666... - r/15, column c at longitude -179.9666... + c/15, resampled bilinearly
// from NOAA's ETOPO5 (5 arc-minutes, as packaged in Debian's ferret-datasets). Sea depths stay
// negative, so the program's sampler takes them as sea.
//
// The colour table has one line per metre from -500 to 8752 m ("elevation red green blue"): a
// hypsometric tint after the usual atlas scale, dark green lowlands through yellow-green and
// tan uplands to brown mountains, grey rock and white above 6000 m; below sea level a blue.
#include <netcdf.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int gridRows = 2700, gridColumns = 5400;
constexpr double gridStep = 1.0 / 15;
constexpr double firstRowLat = 89.96666666666667, firstColumnLon = -179.96666666666667;
constexpr int lowestElevation = -500, colourLines = 9253;

void check(int status, const std::string& what) {
    if (status != NC_NOERR)
        throw std::runtime_error(what + ": " + nc_strerror(status));
}

struct SourceGrid {
    std::vector<double> lon, lat; // ascending
    std::vector<float> z;         // lat-major
    double at(std::size_t row, std::size_t column) const { return z[row * lon.size() + column]; }
};

SourceGrid readEtopo(const std::string& path) {
    int file = 0;
    check(nc_open(path.c_str(), NC_NOWRITE, &file), "cannot open " + path);
    int variables = 0;
    check(nc_inq_nvars(file, &variables), "no variables");
    SourceGrid grid;
    for (int v = 0; v < variables; ++v) {
        int dims = 0;
        check(nc_inq_varndims(file, v, &dims), "variable");
        if (dims != 2)
            continue;
        int dimIds[2];
        check(nc_inq_vardimid(file, v, dimIds), "dimensions");
        std::size_t sizes[2];
        int coordinates[2];
        for (int d = 0; d < 2; ++d) {
            char name[NC_MAX_NAME + 1];
            check(nc_inq_dim(file, dimIds[d], name, &sizes[d]), "dimension");
            check(nc_inq_varid(file, name, &coordinates[d]), std::string("coordinate ") + name);
        }
        grid.lat.resize(sizes[0]);
        grid.lon.resize(sizes[1]);
        check(nc_get_var_double(file, coordinates[0], grid.lat.data()), "latitudes");
        check(nc_get_var_double(file, coordinates[1], grid.lon.data()), "longitudes");
        grid.z.resize(sizes[0] * sizes[1]);
        check(nc_get_var_float(file, v, grid.z.data()), "elevations");
        nc_close(file);
        if (!std::is_sorted(grid.lat.begin(), grid.lat.end()) ||
            !std::is_sorted(grid.lon.begin(), grid.lon.end()))
            throw std::runtime_error("coordinates must ascend");
        return grid;
    }
    nc_close(file);
    throw std::runtime_error("no elevation grid in " + path);
}

// Bilinear value at (lat, lon), the longitude wrapping round the globe.
double sample(const SourceGrid& g, double lat, double lon) {
    const double lonStep = g.lon[1] - g.lon[0], latStep = g.lat[1] - g.lat[0];
    double x = std::fmod(lon - g.lon[0] + 720, 360) / lonStep;
    const double y = std::clamp((lat - g.lat[0]) / latStep, 0.0, g.lat.size() - 1.0);
    const auto columns = g.lon.size();
    const auto c0 = static_cast<std::size_t>(x) % columns, c1 = (c0 + 1) % columns;
    const auto r0 = std::min(static_cast<std::size_t>(y), g.lat.size() - 2), r1 = r0 + 1;
    const double fx = x - std::floor(x), fy = y - r0;
    return (1 - fy) * ((1 - fx) * g.at(r0, c0) + fx * g.at(r0, c1)) +
           fy * ((1 - fx) * g.at(r1, c0) + fx * g.at(r1, c1));
}

void writeGrid(const SourceGrid& source, const std::string& path) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(gridRows) * gridColumns * 2);
    for (int r = 0; r < gridRows; ++r) {
        for (int c = 0; c < gridColumns; ++c) {
            const double h =
                sample(source, firstRowLat - r * gridStep, firstColumnLon + c * gridStep);
            const auto v = static_cast<std::int16_t>(std::clamp(std::lround(h), -32768L, 32767L));
            const std::size_t at = (static_cast<std::size_t>(r) * gridColumns + c) * 2;
            bytes[at] = static_cast<std::uint8_t>(v & 0xff);
            bytes[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xff);
        }
    }
    const std::string part = path + ".part";
    std::FILE* file = std::fopen(part.c_str(), "wb");
    if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
        std::fclose(file) != 0)
        throw std::runtime_error("cannot write " + path);
    if (std::rename(part.c_str(), path.c_str()) != 0)
        throw std::runtime_error("cannot rename " + part);
}

struct Stop {
    double elevation;
    std::array<double, 3> rgb;
};
// The hypsometric scale, interpolated linearly between its stops.
constexpr Stop colourStops[] = {
    {-500, {40, 70, 140}},   {0, {70, 120, 190}},    {1, {40, 110, 50}},
    {200, {90, 155, 70}},    {500, {165, 190, 95}},  {1000, {225, 215, 135}},
    {2000, {205, 160, 95}},  {3000, {160, 110, 70}}, {4500, {135, 115, 105}},
    {6000, {215, 215, 215}}, {8752, {255, 255, 255}}};

void writeColours(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr)
        throw std::runtime_error("cannot write " + path);
    for (int line = 0; line < colourLines; ++line) {
        const double h = lowestElevation + line;
        std::size_t i = 0;
        while (i + 2 < std::size(colourStops) && h > colourStops[i + 1].elevation)
            ++i;
        const Stop& a = colourStops[i];
        const Stop& b = colourStops[i + 1];
        const double f = std::clamp((h - a.elevation) / (b.elevation - a.elevation), 0.0, 1.0);
        std::fprintf(file, "%.0f", h);
        for (int k = 0; k < 3; ++k)
            std::fprintf(file, " %.0f", a.rgb[k] + (b.rgb[k] - a.rgb[k]) * f);
        std::fprintf(file, "\n");
    }
    if (std::fclose(file) != 0)
        throw std::runtime_error("cannot write " + path);
}

} // namespace

int main(int argc, char** argv) {
    try {
        std::string etopo, grid, colours;
        for (int i = 1; i + 1 < argc; i += 2) {
            const std::string flag = argv[i];
            (flag == "--etopo"     ? etopo
             : flag == "--grid"    ? grid
             : flag == "--colours" ? colours
                                   : throw std::runtime_error("unknown option " + flag)) =
                argv[i + 1];
        }
        if ((etopo.empty() != grid.empty()) || (grid.empty() && colours.empty()))
            throw std::runtime_error(
                "usage: vesk-make-relief [--etopo etopo5.cdf --grid globe04.dat] "
                "[--colours color.txt]");
        if (!grid.empty())
            writeGrid(readEtopo(etopo), grid);
        if (!colours.empty())
            writeColours(colours);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vesk-make-relief: %s\n", error.what());
        return 1;
    }
}
