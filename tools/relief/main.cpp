// SPDX-License-Identifier: GPL-3.0-or-later
// vesk-make-relief: the relief grid "globe04.dat" and its colour table "color.txt".
//
//   vesk-make-relief --etopo etopo5.cdf --grid globe04.dat
//   vesk-make-relief --colours color.txt
//
// The grid is 2700 rows x 5400 columns of little-endian int16 metres at 1/15 degree: row r at
// latitude 89.9666... - r/15, column c at longitude -179.9666... + c/15, resampled bilinearly
// from NOAA's ETOPO5 (5 arc-minutes, as packaged in Debian's ferret-datasets). Which cells are
// water comes from the GSHHG shorelines (the data of the vector files) through GMT's
// grdlandmask: every sea and lake cell gets a value below -100 m, which the program's sampler
// takes as water, and every land cell one of -100 m or more, land below sea level included.
// ETOPO5's row at 81.25 degrees south, where its Antarctic source data meet, lies hundreds of
// metres below both neighbours; it is replaced by their mean.
//
// The colour table has one line per metre from -500 to 8752 m ("elevation red green blue"): a
// hypsometric tint after the usual atlas scale, dark green lowlands through yellow-green and
// tan uplands to brown mountains, grey rock and white above 6000 m; land below sea level a darker
// green (water is below -100 m and never drawn with the table).
#include "tool_main.h"

#include <netcdf.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

SourceGrid readGrid(const std::string& path) {
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

// Sea and lake cells lie below this height; land cells at it or above (metres).
constexpr double waterBelow = -100;

// The land mask of the grid's cells (1 land, 0 water; row 0 north) from GMT's grdlandmask at
// the grid's spacing and cell registration with the high-resolution GSHHG shorelines: sea,
// lakes and ponds are water, islands in lakes land. GMT runs in a temporary folder, which goes
// with everything GMT leaves in it.
std::vector<std::uint8_t> landMask() {
    char pattern[] = "/tmp/vesk-relief-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (dir == nullptr)
        throw std::runtime_error("cannot make a temporary folder");
    const std::filesystem::path folder = dir;
    const std::string command = "cd '" + folder.string() +
                                "' && gmt grdlandmask -R-180/180/-90/90 -I4m -r -Dh "
                                "-N0/1/0/1/0 -Gmask.nc --GMT_HISTORY=false";
    const int status = std::system(command.c_str());
    SourceGrid mask;
    try {
        if (status != 0)
            throw std::runtime_error("gmt grdlandmask failed (are gmt and gmt-gshhg-high "
                                     "installed?)");
        mask = readGrid((folder / "mask.nc").string());
    } catch (...) {
        std::filesystem::remove_all(folder);
        throw;
    }
    std::filesystem::remove_all(folder);
    if (mask.lat.size() != gridRows || mask.lon.size() != gridColumns)
        throw std::runtime_error("the land mask is not a 4-minute grid");
    std::vector<std::uint8_t> land(mask.z.size());
    for (int r = 0; r < gridRows; ++r)
        for (int c = 0; c < gridColumns; ++c)
            land[static_cast<std::size_t>(r) * gridColumns + c] =
                mask.at(gridRows - 1 - r, c) > 0.5 ? 1 : 0;
    return land;
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

// Mean height of a source row, metres.
double rowMean(const SourceGrid& g, std::size_t r) {
    double sum = 0;
    for (std::size_t c = 0; c < g.lon.size(); ++c)
        sum += g.at(r, c);
    return sum / g.lon.size();
}

// ETOPO5's Antarctic sources meet near 81 degrees south in a row whose mean lies 350 m below
// both neighbours' (elsewhere neighbouring rows differ by a few metres on average). Rows of the
// band 75-85 S whose mean stands more than seamMetres off their neighbours' are replaced by
// the neighbours' mean, the worst first. Returns the number of rows replaced.
int smoothSeamRows(SourceGrid& g) {
    constexpr double seamMetres = 100, bandNorth = -75, bandSouth = -85;
    const std::size_t columns = g.lon.size();
    int replaced = 0;
    for (std::size_t pass = 0; pass < g.lat.size(); ++pass) {
        std::size_t worst = 0;
        double worstStep = seamMetres;
        for (std::size_t r = 1; r + 1 < g.lat.size(); ++r) {
            if (g.lat[r] > bandNorth || g.lat[r] < bandSouth)
                continue;
            const double step =
                std::fabs(rowMean(g, r) - (rowMean(g, r - 1) + rowMean(g, r + 1)) / 2);
            if (step > worstStep) {
                worstStep = step;
                worst = r;
            }
        }
        if (worst == 0)
            break;
        for (std::size_t c = 0; c < columns; ++c)
            g.z[worst * columns + c] =
                static_cast<float>((g.at(worst - 1, c) + g.at(worst + 1, c)) / 2);
        ++replaced;
    }
    return replaced;
}

void writeGrid(const SourceGrid& source, const std::vector<std::uint8_t>& land,
               const std::string& path) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(gridRows) * gridColumns * 2);
    for (int r = 0; r < gridRows; ++r) {
        for (int c = 0; c < gridColumns; ++c) {
            const std::size_t cell = static_cast<std::size_t>(r) * gridColumns + c;
            double h = sample(source, firstRowLat - r * gridStep, firstColumnLon + c * gridStep);
            h = land[cell] ? std::max(h, waterBelow) : std::min(h, waterBelow - 1);
            const auto v = static_cast<std::int16_t>(std::clamp(std::lround(h), -32768L, 32767L));
            bytes[cell * 2] = static_cast<std::uint8_t>(v & 0xff);
            bytes[cell * 2 + 1] = static_cast<std::uint8_t>((v >> 8) & 0xff);
        }
    }
    vesk::tools::writeFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

struct Stop {
    double elevation;
    std::array<double, 3> rgb;
};
// The hypsometric scale, interpolated linearly between its stops.
constexpr Stop colourStops[] = {
    {-500, {30, 90, 45}},    {0, {38, 104, 48}},     {1, {40, 110, 50}},
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
    return vesk::tools::runTool("vesk-make-relief", [&] {
        std::string etopo, grid, colours;
        for (int i = 1; i + 1 < argc; i += 2) {
            const std::string flag = argv[i];
            (flag == "--etopo"     ? etopo
             : flag == "--grid"    ? grid
             : flag == "--colours" ? colours
                                   : throw vesk::tools::UsageError("unknown option " + flag)) =
                argv[i + 1];
        }
        if ((etopo.empty() != grid.empty()) || (grid.empty() && colours.empty()))
            throw vesk::tools::UsageError(
                "usage: vesk-make-relief [--etopo etopo5.cdf --grid globe04.dat] "
                "[--colours color.txt]");
        if (!grid.empty()) {
            SourceGrid source = readGrid(etopo);
            std::printf("ETOPO5 rows replaced at the Antarctic seam: %d\n", smoothSeamRows(source));
            writeGrid(source, landMask(), grid);
        }
        if (!colours.empty())
            writeColours(colours);
        return 0;
    });
}
