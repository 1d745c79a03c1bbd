// SPDX-License-Identifier: GPL-3.0-or-later
#include "base_map.h"

#include "angles.h"
#include "checked_int.h"
#include "grid_labels.h"
#include "palette.h"
#include "parallel_rows.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <sstream>

namespace vesk {

namespace {

constexpr double gridStep = 0.06666666666666667;
constexpr double firstRowLat = 89.96666666666667, firstColumnLon = -179.96666666666667;
constexpr int colourLines = 9253;
constexpr const char* reliefFileName = "globe04.dat";
constexpr const char* colourFileName = "color.txt";
constexpr int missingBelow = -100; // grid values below this are missing (sea)
// Above this map radius the vector lines are drawn over the relief raster.
constexpr double vectorOverReliefRadius = 1800;
constexpr Rgb labelColour{255, 255, 191};
// The coarse relief samples one pixel in coarseStride x coarseStride.
constexpr int coarseStride = 3;
// Above this globe radius (in hundreds of pixels) the relief is sampled pixel by pixel.
constexpr double zoomedReliefScale = 7;
// The near side of the relief raster: depth 0.005 of the radius or more.
constexpr double reliefNearSide = 0.005;
// The whole-globe raster skips far-side columns in blocks of this many.
constexpr std::size_t farSideBlock = 16;
// The sample rows a thread of the last-land raster takes at a time: enough that two threads
// seldom write the pixels of the same cache lines.
constexpr std::size_t lastLandBlock = 128;

constexpr std::uintmax_t reliefGridBytes = 2u * reliefRows * reliefColumns;

// Why a file called "globe04.dat" is not the relief grid (its size), or nothing.
std::string reliefGridRefusal(const std::filesystem::path& p) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(p, error);
    return error || size == reliefGridBytes
               ? std::string()
               : "holds " + std::to_string(size) + " bytes, not the " +
                     std::to_string(reliefGridBytes) + " of a 2700 x 5400 relief grid; not used";
}

int gridValue(const ReliefGrid& g, int row, int column) {
    row = std::clamp(row, 0, reliefRows - 1) - g.firstRow;
    column = ((column % reliefColumns) + reliefColumns) % reliefColumns; // wrap round the globe
    return g.heights[static_cast<std::size_t>(row) * reliefColumns + column];
}

// Bilinear value of the four samples about (row, column), negatives taken as 0.
double bilinear(const ReliefGrid& g, int row, int column, double fy, double fx) {
    const auto positive = [&](int dr, int dc) {
        return std::max(0, gridValue(g, row + dr, column + dc));
    };
    return (1 - fy) * ((1 - fx) * positive(0, 0) + fx * positive(0, 1)) +
           fy * ((1 - fx) * positive(1, 0) + fx * positive(1, 1));
}

// Four-point Lagrange interpolation at t of samples at -1, 0, +1, +2.
double cubic(const double f[4], double t) {
    return f[1] + t / 6 * (6 * f[2] - f[3] - 3 * f[1] - 2 * f[0]) +
           t * t / 2 * (f[0] + f[2] - 2 * f[1]) +
           t * t * t / 6 * (f[3] - 3 * f[2] + 3 * f[1] - f[0]);
}

// The elevation of the coarse grid's point nearest a place (0 for sea or missing data).
int coarseGridRelief(const ReliefGrid& g, double lat, double lon) {
    if (g.coarse.empty())
        return 0;
    constexpr int rows = reliefRows / coarseGridStep, columns = reliefColumns / coarseGridStep;
    const GridAxis y = latitudeAxis(lat), x = longitudeAxis(lon);
    const int row = std::clamp(
        static_cast<int>(std::lround((y.cell + y.fraction) / coarseGridStep)), 0, rows - 1);
    const int column =
        static_cast<int>(std::lround((x.cell + x.fraction) / coarseGridStep)) % columns;
    const int h = g.coarse[static_cast<std::size_t>(row) * columns + (column + columns) % columns];
    return h < missingBelow ? 0 : h;
}

Rgb reliefColour(const ReliefData& r, int h) {
    const auto& c = r.colours[std::clamp(h + reliefColourOffset, 0, reliefColourEntries - 1)];
    return {static_cast<std::uint8_t>(c[0] & 0xff), static_cast<std::uint8_t>(c[1] & 0xff),
            static_cast<std::uint8_t>(c[2] & 0xff)};
}

bool insideRasterFrame(const MapLayout& l, int px, int py) {
    return px > l.mapLeft + 1 && px < l.mapRight - 1 && py > l.mapTop + 1 && py < l.mapBottom - 1;
}

// The relief raster: sampleRow(i, dots) gives the pixels of row i of the sampling; the rows are
// sampled on all cores, then drawn in row order into an off-screen surface.
template <typename SampleRow>
std::unique_ptr<DrawSurface> rasterOf(MapCanvas& c, std::size_t rows, const SampleRow& sampleRow) {
    const MapLayout& l = c.layout;
    std::vector<std::vector<ColouredPixel>> dots(rows);
    forEachRowInParallel(rows, [&](std::size_t row) {
        if (!c.stop.stop_requested())
            sampleRow(row, dots[row]);
    });
    std::unique_ptr<DrawSurface> memory = c.surface.createMemorySurface(l.mapRight, l.mapBottom);
    for (const std::vector<ColouredPixel>& row : dots)
        memory->setPixels(row);
    return memory;
}

// The relief of a zoomed globe: every pixel of the frame on the near side takes the height at
// its own longitude and latitude (the inverse of the orthographic projection), so that the work
// is the frame's pixels whatever the centre and the magnification. With a stride above 1 (the
// coarse relief of a map being dragged) one pixel of each stride x stride block is sampled and
// the block filled from the coarse grid.
std::unique_ptr<DrawSurface> pixelGlobeRelief(MapCanvas& c, const ReliefData& r, int stride) {
    const MapLayout& l = c.layout;
    // the near side as the whole-globe raster draws it (depth of 0.005 radius or more)
    const GlobeInverse inverse(c.projection, c.layout, reliefNearSide);
    const int firstRow = l.mapTop + 2, lastRow = l.mapBottom - 2, lastColumn = l.mapRight - 2;
    const int rows = std::max(0, (lastRow - firstRow + stride) / stride);
    return rasterOf(c, rows, [&](std::size_t row, std::vector<ColouredPixel>& dots) {
        const int py = firstRow + static_cast<int>(row) * stride;
        for (int px = l.mapLeft + 2; px <= lastColumn; px += stride) {
            const auto place = inverse.lonLat(px, py);
            if (!place)
                continue;
            const auto [lon, lat] = *place;
            const int h =
                stride > 1 ? coarseGridRelief(*r.grid, lat, lon) : sampleRelief(*r.grid, lat, lon);
            if (h <= 0)
                continue;
            const Rgb colour = reliefColour(r, h);
            for (int by = py; by < std::min(py + stride, lastRow + 1); ++by)
                for (int bx = px; bx < std::min(px + stride, lastColumn + 1); ++bx)
                    dots.push_back({bx, by, colour});
        }
    });
}

// Whether the 4 x 4 cells from a cell right and down are all sea.
bool seaBlockAt(const ReliefGrid& g, int row, int column) {
    const std::uint64_t word = g.seaBlocks[static_cast<std::size_t>(row) * seaBlockWords +
                                           static_cast<std::size_t>(column) / 64];
    return (word >> (column % 64) & 1) != 0;
}

// The sea-block bits of the grid row of a row of samples, or null where sampleRelief takes no
// place of the row for sea without interpolating (no table, or the grid's first and last rows).
const std::uint64_t* seaBlockRow(const ReliefGrid& g, GridAxis row) {
    if (g.seaBlocks.empty() || row.cell <= 0 || row.cell >= reliefRows - 2)
        return nullptr;
    return &g.seaBlocks[static_cast<std::size_t>(row.cell - 1) * seaBlockWords];
}

// The bit of the sea block a sample column reads, or none at the grid's first and last columns.
std::optional<int> seaBlockBit(GridAxis column) {
    if (column.cell <= 0 || column.cell >= reliefColumns - 2)
        return std::nullopt;
    return column.cell - 1;
}

// Where a sample of a row of samples lies as sampleRelief sees it: where it interpolates, in a
// sea block (all sea, no relief: the early return of sampleRelief, here inline for the
// rasters), or in a sea block of a word of the row's bits that is all sea blocks.
enum class SeaAt { interpolated, seaBlock, seaWord };
SeaAt seaAt(const std::uint64_t* seaRow, GridAxis column) {
    const std::optional<int> bit = seaBlockBit(column);
    if (!seaRow || !bit)
        return SeaAt::interpolated;
    const std::uint64_t word = seaRow[*bit / 64];
    if (word == ~std::uint64_t{0})
        return SeaAt::seaWord;
    return (word >> (*bit % 64) & 1) != 0 ? SeaAt::seaBlock : SeaAt::interpolated;
}

// For sample columns in ascending order of their grid columns (cellOf(i)), the first sample
// whose sea-block bit lies in the same word of a row's bits as sample i's: a row walking its
// samples from the last passes from sample i to that one at once where the word is all sea. A
// sample without a bit starts its own group.
template <typename CellOf>
std::vector<std::size_t> seaWordStarts(std::size_t count, const CellOf& cellOf) {
    std::vector<std::size_t> starts(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<int> bit = seaBlockBit(cellOf(i)),
                                 before = i > 0 ? seaBlockBit(cellOf(i - 1)) : std::nullopt;
        starts[i] = bit && before && *bit / 64 == *before / 64 ? starts[i - 1] : i;
    }
    return starts;
}

// The relief raster of a sampling in which a later sample at a pixel covers an earlier one (the
// grid samples of the whole globe and of the Mercator map, several to a pixel, in rows of
// columns): each pixel takes its last sample of land, as if every sample were drawn in order.
// The rows are walked from the last, on all cores, and a sample is looked up only while no later
// one of land is known at its pixel. rowSamples(row, visit) calls visit(px, py, latitude,
// longitude) for the samples of a row inside the frame (the place as its grid axes) that are not
// in a sea block (seaAt, tested before the sample is projected), from the row's last column to
// its first: of two samples of a row at one pixel, the first visited is the later one.
// The bits of a pixel's word of the last-land raster that hold the entry of its colour; the
// bits above them hold the row of its sample.
constexpr int lastLandColourBits = 14;
static_assert(reliefColourEntries <= 1 << lastLandColourBits);

// The raster's pixels whose last land sample was found from firstRow on, in the colours of their
// heights, as a surface of the map's size; width: the frame's, whose top-left pixel is (left, top).
std::unique_ptr<DrawSurface> landSurface(MapCanvas& c, const ReliefData& r, std::uint32_t firstRow,
                                         int left, int top, std::size_t width) {
    constexpr std::uint32_t colourMask = (1u << lastLandColourBits) - 1;
    std::vector<ColouredPixel>& land = r.raster.land;
    land.clear();
    const std::vector<std::uint32_t>& last = r.raster.lastLand;
    for (std::size_t i = 0; i < last.size(); ++i)
        if (const std::uint32_t found = last[i]; (found >> lastLandColourBits) >= firstRow)
            land.push_back(
                {left + static_cast<int>(i % width), top + static_cast<int>(i / width),
                 reliefColour(r, static_cast<int>(found & colourMask) - reliefColourOffset)});
    std::unique_ptr<DrawSurface> memory =
        c.surface.createMemorySurface(c.layout.mapRight, c.layout.mapBottom);
    memory->setPixels(land);
    return memory;
}

template <typename RowSamples>
std::unique_ptr<DrawSurface> lastLandRaster(MapCanvas& c, const ReliefData& r, std::size_t rows,
                                            const RowSamples& rowSamples) {
    const MapLayout& l = c.layout;
    // the samples lie inside the frame (insideRasterFrame): its pixels alone are kept
    const int left = l.mapLeft, top = l.mapTop;
    const std::size_t width = std::max(0, l.mapRight - left),
                      height = std::max(0, l.mapBottom - top);
    // Per pixel, 4 bytes (the working memory stays in the processor's cache the better): the row
    // of its last land sample found, counted on from the rows of the drawings before, above the
    // entry of its colour. A sample covers what a sample of an earlier row found; in its own row
    // the first found stays. The memory is cleared only when it changes size or the rows would
    // overflow their bits.
    constexpr int colourBits = lastLandColourBits;
    constexpr std::uint32_t rowLimit = std::uint32_t{1} << (32 - colourBits);
    std::vector<std::uint32_t>& last = r.raster.lastLand;
    std::uint32_t& drawn = r.raster.rowsDrawn;
    if (rows >= rowLimit)
        return c.surface.createMemorySurface(l.mapRight, l.mapBottom); // no screen is so tall
    if (last.size() != width * height || drawn + rows >= rowLimit) {
        last.assign(width * height, 0);
        drawn = 0;
    }
    const std::uint32_t firstRow = drawn + 1;
    drawn += static_cast<std::uint32_t>(rows);
    forEachRowInParallel(
        rows,
        [&](std::size_t walked) {
            if (c.stop.stop_requested())
                return;
            const std::uint32_t row = firstRow + static_cast<std::uint32_t>(rows - 1 - walked);
            rowSamples(rows - 1 - walked, [&](int px, int py, GridAxis lat, GridAxis lon) {
                const std::atomic_ref slot(last[static_cast<std::size_t>(py - top) * width +
                                                static_cast<std::size_t>(px - left)]);
                std::uint32_t known = slot.load(std::memory_order_relaxed);
                if ((known >> colourBits) >= row)
                    return;
                const int h = sampleRelief(*r.grid, lat, lon);
                if (h <= 0)
                    return;
                const std::uint32_t mine =
                    row << colourBits | static_cast<std::uint32_t>(std::min(
                                            h + reliefColourOffset, reliefColourEntries - 1));
                while ((known >> colourBits) < row &&
                       !slot.compare_exchange_weak(known, mine, std::memory_order_relaxed)) {
                }
            });
        },
        lastLandBlock);
    return landSurface(c, r, firstRow, left, top, width);
}

// A sample longitude of the globe's relief and the sine and cosine of its angle from the centre.
struct GlobeColumn {
    GridAxis lon;
    double sinDelta, cosDelta;
};

// The sample longitudes every step degrees from -180 about a centre longitude, the same for
// every row.
std::vector<GlobeColumn> globeColumns(double step, double centreLon) {
    std::vector<GlobeColumn> columns;
    for (double lo = -180; lo < 180; lo += step) {
        const double delta = (lo - centreLon - 270) * chartDegToRad;
        columns.push_back({longitudeAxis(lo), std::sin(delta), std::cos(delta)});
    }
    return columns;
}

// The relief of the globe: below zoomedReliefScale the whole globe is sampled on a grid of
// longitude and latitude and each sample drawn at its pixel; above it, each pixel is sampled.
std::unique_ptr<DrawSurface> globeRelief(MapCanvas& c, const ReliefData& r) {
    const MapLayout& l = c.layout;
    const MapProjection& p = c.projection;
    const double scale = p.mapRadius / 100;
    if (scale > zoomedReliefScale)
        return pixelGlobeRelief(c, r, 1);
    if (c.coarseRelief)
        return pixelGlobeRelief(c, r, coarseStride);
    const double step = 1 / (1.8 * scale);
    const double centreLat = -p.rotationLat, centreLon = -p.rotationLon - 90;
    const double phi0 = centreLat * chartDegToRad;
    const double sinPhi0 = std::sin(phi0), cosPhi0 = std::cos(phi0);
    const std::vector<GlobeColumn> columns = globeColumns(step, centreLon);
    const std::vector<std::size_t> seaWord =
        seaWordStarts(columns.size(), [&](std::size_t i) { return columns[i].lon; });
    std::vector<double> rowLats;
    for (double la = 90; la > -90; la -= step)
        rowLats.push_back(la);
    return lastLandRaster(c, r, rowLats.size(), [&](std::size_t row, auto visit) {
        const double la = rowLats[row];
        const GridAxis lat = latitudeAxis(la);
        const std::uint64_t* seaRow = seaBlockRow(*r.grid, lat);
        const double phi = la * chartDegToRad, sinPhi = std::sin(phi), cosPhi = std::cos(phi);
        // A block of columns lies on the far side when its first depth, plus the most that the
        // depth changes across the block, is well below the near side's.
        const double depthSlope = std::fabs(cosPhi * cosPhi0) * step * chartDegToRad;
        const double blockReach = depthSlope * (farSideBlock + 1);
        for (std::size_t end = columns.size(); end > 0;) {
            const std::size_t begin = end > farSideBlock ? end - farSideBlock : 0;
            const double firstDepth =
                columns[end - 1].sinDelta * cosPhi * cosPhi0 + sinPhi0 * sinPhi;
            if (firstDepth + blockReach < reliefNearSide / 2) {
                end = begin;
                continue;
            }
            for (std::size_t i = end; i-- > begin;) {
                // sampleRelief gives 0 in a sea block
                if (const SeaAt sea = seaAt(seaRow, columns[i].lon); sea != SeaAt::interpolated) {
                    if (sea == SeaAt::seaWord)
                        i = std::max(seaWord[i], begin);
                    continue;
                }
                const double sinDelta = columns[i].sinDelta, cosDelta = columns[i].cosDelta;
                const int visible =
                    clampedInt((sinDelta * cosPhi * cosPhi0 + sinPhi0 * sinPhi) * 100 + 0.5);
                if (visible <= 0)
                    continue;
                const int px = clampedInt(l.mapCentreX - cosDelta * cosPhi * 100 * scale + 0.5);
                const int py = clampedInt(
                    l.mapCentreY - (sinPhi * cosPhi0 - sinDelta * cosPhi * sinPhi0) * 100 * scale +
                    0.5);
                if (insideRasterFrame(c.layout, px, py))
                    visit(px, py, lat, columns[i].lon);
            }
            end = begin;
        }
    });
}

std::unique_ptr<DrawSurface> mercatorRelief(MapCanvas& c, const ReliefData& r) {
    const MapLayout& l = c.layout;
    const MapProjection& p = c.projection;
    const double scale = p.mapRadius / 100;
    const double centreLon = -p.rotationLon;
    std::vector<double> rowLats;
    for (double la = 80 - 1.0 / 30; la > -80;) {
        rowLats.push_back(la);
        const double a = std::fabs(la);
        la -= a < 50 ? 1 / (3 * scale) : a < 65 ? 1 / (4.5 * scale) : 1 / (12 * scale);
    }
    std::vector<double> columnLons;
    std::vector<GridAxis> columnAxes;
    for (double lo = -180 + 1.0 / 30; lo < 180; lo += 1 / (1.8 * scale)) {
        columnLons.push_back(lo);
        columnAxes.push_back(longitudeAxis(lo));
    }
    const std::vector<std::size_t> seaWord =
        seaWordStarts(columnAxes.size(), [&](std::size_t i) { return columnAxes[i]; });
    return lastLandRaster(c, r, rowLats.size(), [&](std::size_t row, auto visit) {
        const double la = rowLats[row];
        const GridAxis lat = latitudeAxis(la);
        const std::uint64_t* seaRow = seaBlockRow(*r.grid, lat);
        const int py = clampedInt(
            l.mapCentreY -
            std::log(std::tan(la * chartDegToRad / 2 + roundedQuarterPi)) * p.mapRadius + 0.5);
        for (std::size_t i = columnLons.size(); i-- > 0;) {
            // sampleRelief gives 0 in a sea block
            if (const SeaAt sea = seaAt(seaRow, columnAxes[i]); sea != SeaAt::interpolated) {
                if (sea == SeaAt::seaWord)
                    i = seaWord[i];
                continue;
            }
            double d = columnLons[i] - centreLon;
            if (d > 180)
                d -= 360;
            if (d < -180)
                d += 360;
            const int px = clampedInt(l.mapCentreX + p.mapRadius * d * chartDegToRad + 0.5);
            if (insideRasterFrame(c.layout, px, py))
                visit(px, py, lat, columnAxes[i]);
        }
    });
}

// The vector files in drawing order with their colours (coasts: grey over relief on the globe).
struct VectorFile {
    const char* name;
    int colour;
};
constexpr VectorFile vectorFiles[] = {
    {"as_cil.cbd", silver}, {"eu_cil.cbd", silver}, {"af_cil.cbd", silver}, {"na_cil.cbd", silver},
    {"sa_cil.cbd", silver}, {"sa_riv.cbd", navy},   {"as_riv.cbd", navy},   {"eu_riv.cbd", navy},
    {"af_riv.cbd", navy},   {"na_riv.cbd", navy},   {"as_bdy.cbd", brown},  {"eu_bdy.cbd", brown},
    {"af_bdy.cbd", brown},  {"na_bdy.cbd", brown},  {"na_pby.cbd", brown},  {"sa_bdy.cbd", brown}};
constexpr int coastFiles = 5, coastAndRiverFiles = 10;
constexpr int directoryEntryBytes = 28, segmentHeaderBytes = 16;

std::int32_t int32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    if (at + 4 > b.size())
        return 0;
    return static_cast<std::int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
                                     (static_cast<std::uint32_t>(b[at + 3]) << 24));
}

std::int16_t int16At(const std::vector<std::uint8_t>& b, std::size_t at) {
    if (at + 2 > b.size())
        return 0;
    return static_cast<std::int16_t>(b[at] | (b[at + 1] << 8));
}

// Draws one segment: origin, then every s-th point of its strokes.
void drawSegment(MapCanvas& c, const std::vector<std::uint8_t>& bytes, std::size_t offset,
                 int strokeBytes, int every, bool globe) {
    const MapLayout& l = c.layout;
    MapProjection& p = c.projection;
    double lon = int32At(bytes, offset), lat = int32At(bytes, offset + 4);
    const int points = int16At(bytes, offset + 12);
    const auto project = [&](int& x, int& y, int& depth) {
        if (globe)
            projectGlobe(p, lon / 3600, lat / 3600, x, y, depth);
        else
            projectMercator(p, lon / 3600, lat / 3600, x, y, depth);
    };
    int x = 0, y = 0, depth = 0;
    project(x, y, depth);
    const int margin = static_cast<int>(28 * magnification(c));
    const int px = l.mapCentreX + x, py = l.mapCentreY - y;
    if (depth > nearSideDepth || px < l.mapLeft - margin || px > l.mapRight + margin ||
        py < l.mapTop - margin || py > l.mapBottom + margin)
        return;
    plotMapPoint(c, x, y, c.pen.colour);
    const std::size_t first = offset + segmentHeaderBytes;
    const std::size_t end = std::min(bytes.size(), first + static_cast<std::size_t>(strokeBytes));
    std::size_t at = first;
    const int jumpLimit = globe ? 300 : 100;
    for (int point = 1; point <= points; ++point) {
        if (at + 2 > end)
            return; // the strokes end before the point count: keep inside the segment
        int dlon = 0, dlat = 0;
        const std::int16_t word = int16At(bytes, at);
        if (word & 0x4000) { // short token
            int value = word;
            if (value > 0)
                value &= ~0x4000;
            dlat = static_cast<std::int8_t>(value & 0xff);
            dlon = value >> 8;
            if (dlon & 0x80)
                dlon |= ~0x3f;
            at += 2;
        } else { // long token
            if (at + 4 > end)
                return;
            dlon = word;
            dlat = int16At(bytes, at + 2);
            if (dlon < 0)
                dlon |= 0x4000;
            if (dlat < 0)
                dlat |= 0x4000;
            at += 4;
        }
        if (std::abs(dlon) < jumpLimit)
            lon += dlon;
        lat += dlat;
        if (point % every == 0) {
            project(x, y, depth);
            plotMapPoint(c, x, y, c.pen.colour);
        }
    }
}

void drawVectorLines(MapCanvas& c, const DataPaths& paths, bool overRelief) {
    const bool globe = c.view.projection == Projection::globe;
    const double zoom = magnification(c);
    const int every = std::max(1, clampedInt(100 / zoom));
    const int files = !globe || c.view.baseMap == BaseMapKind::relief ? coastAndRiverFiles
                                                                      : std::size(vectorFiles);
    for (int f = 0; f < files; ++f) {
        const std::filesystem::path path = findDataFile(paths, vectorFiles[f].name);
        std::ifstream in(path, std::ios::binary);
        if (path.empty() || !in) {
            c.surface.setTextColour(palette[white]);
            fixedText(c, 300, 15, "CIA WORLD BANK");
            return;
        }
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                              std::istreambuf_iterator<char>());
        const std::size_t directory = static_cast<std::uint32_t>(int32At(bytes, 4));
        const int segments = int32At(bytes, 8);
        const int colour = f < coastFiles && overRelief && globe ? grey : vectorFiles[f].colour;
        // The segments of a real file do not overlap: strokes of more bytes than the file has
        // mean a directory that names segments again, and the rest of it is not drawn.
        std::size_t unread = bytes.size();
        for (int s = 0; s < segments; ++s) {
            const std::size_t entry = directory + static_cast<std::size_t>(s) * directoryEntryBytes;
            if (entry + directoryEntryBytes > bytes.size())
                break;
            c.pen.down = false;
            c.pen.colour = colour;
            const int rank = int16At(bytes, entry + 26);
            if (!(rank <= 2 || (c.view.mapRange != MapRange::globe && zoom >= 5)))
                continue;
            const std::size_t offset = static_cast<std::uint32_t>(int32At(bytes, entry + 20));
            if (offset + segmentHeaderBytes > bytes.size())
                continue;
            const std::size_t strokeBytes = static_cast<std::uint16_t>(int16At(bytes, entry + 24));
            const std::size_t cost =
                segmentHeaderBytes + std::min(strokeBytes, bytes.size() - offset);
            if (cost > unread)
                break;
            unread -= cost;
            drawSegment(c, bytes, offset, static_cast<int>(strokeBytes), every, globe);
        }
    }
}

void drawScaleBar(MapCanvas& c) {
    const MapLayout& l = c.layout;
    const auto a = pixelToLonLat(c.projection, c.layout, l.mapRight - 160, l.mapBottom - 20);
    const auto b = pixelToLonLat(c.projection, c.layout, l.mapRight - 10, l.mapBottom - 20);
    if (!a || !b) // a probe off the globe
        return;
    const auto [lonA, latA] = *a;
    const auto [lonB, latB] = *b;
    const double d =
        6370 * std::acos(std::sin(latA * chartDegToRad) * std::sin(latB * chartDegToRad) +
                         std::cos(latA * chartDegToRad) * std::cos(latB * chartDegToRad) *
                             std::cos((lonA - lonB) * chartDegToRad));
    double length = 0;
    if (d > 200 && d <= 500)
        length = 200;
    else if (d > 100 && d <= 200)
        length = 100;
    else if (d > 50 && d <= 100)
        length = 50;
    else if (d > 25 && d <= 50)
        length = 25;
    else if (d > 10 && d <= 25)
        length = 10;
    if (length == 0) // also for a distance that is not a number
        return;
    const int w = static_cast<int>(150 / d * length);
    c.surface.setBackgroundOpaque(false);
    c.surface.setTextColour(labelColour);
    char text[32];
    std::snprintf(text, sizeof text, "%7.0f km", length);
    fixedText(c, l.mapRight - 110, l.mapBottom - 33, text);
    fillBox(c.surface, l.mapRight - 10 - w, l.mapBottom - 20, l.mapRight - 10, l.mapBottom - 10,
            brown);
    c.labels.reserve({l.mapRight - 10 - w, l.mapBottom - 20, l.mapRight - 10, l.mapBottom - 10});
}

// Every coarseGridStep-th row and column of the grid.
std::vector<std::int16_t> coarseGridOf(const std::vector<std::int16_t>& heights) {
    if (heights.empty())
        return {};
    std::vector<std::int16_t> coarse;
    coarse.reserve(static_cast<std::size_t>(reliefRows / coarseGridStep) *
                   (reliefColumns / coarseGridStep));
    for (int row = 0; row < reliefRows; row += coarseGridStep)
        for (int column = 0; column < reliefColumns; column += coarseGridStep)
            coarse.push_back(heights[static_cast<std::size_t>(row) * reliefColumns + column]);
    return coarse;
}

// For each cell, whether it and the 3 cells right and down of it in each direction (4 x 4) are
// all sea; cells of the last three rows and columns are not. One bit per cell (ReliefGrid).
std::vector<std::uint64_t> seaBlocksOf(const std::vector<std::int16_t>& heights) {
    if (heights.empty())
        return {};
    using BitRow = std::array<std::uint64_t, seaBlockWords>;
    std::vector<std::uint64_t> blocks(static_cast<std::size_t>(reliefRows) * seaBlockWords);
    // of the last four rows (row % 4): the cells with 4 sea cells from them rightwards
    std::array<BitRow, 4> across{};
    for (int row = 0; row < reliefRows; ++row) {
        BitRow& bits = across[static_cast<std::size_t>(row % 4)];
        bits.fill(0);
        const std::size_t start = static_cast<std::size_t>(row) * reliefColumns;
        int seaRun = 0; // sea cells from this column on
        for (int column = reliefColumns - 1; column >= 0; --column) {
            seaRun = heights[start + column] < missingBelow ? seaRun + 1 : 0;
            if (seaRun >= 4)
                bits[static_cast<std::size_t>(column) / 64] |= std::uint64_t{1} << (column % 64);
        }
        if (row < 3)
            continue;
        std::uint64_t* block = &blocks[static_cast<std::size_t>(row - 3) * seaBlockWords];
        for (std::size_t w = 0; w < seaBlockWords; ++w)
            block[w] = across[0][w] & across[1][w] & across[2][w] & across[3][w];
    }
    return blocks;
}

// The grid of a file, read once for all the ReliefData of the process while one of them holds
// it: a window's repaints, its exports and every other window share it.
std::shared_ptr<const ReliefGrid> sharedReliefGrid(const std::filesystem::path& path,
                                                   const FileIdentity& file) {
    if (path.empty())
        return std::make_shared<const ReliefGrid>(ReliefGrid{{}, 0, file, {}, {}});
    static std::mutex guard;
    static std::weak_ptr<const ReliefGrid> shared;
    const std::lock_guard lock(guard);
    if (std::shared_ptr<const ReliefGrid> kept = shared.lock(); kept && kept->file == file)
        return kept;
    auto grid = std::make_shared<const ReliefGrid>(
        reliefGridOf(readInt16File(path, reliefGridBytes / 2), file));
    shared = grid;
    return grid;
}

} // namespace

bool drawPlaceLabel(MapCanvas& c, double lon, double lat, const std::string& name, int dotColour,
                    LoneDot loneDot) {
    const MapLayout& l = c.layout;
    int x = 0, y = 0, depth = 0;
    projectGlobe(c.projection, lon, lat, x, y, depth);
    const int px = l.mapCentreX + x, py = l.mapCentreY - y;
    if (depth >= nearSideDepth || px <= l.mapLeft || px >= l.mapRight || py <= l.mapTop ||
        py >= l.mapBottom)
        return false;
    const LabelBox dot{px - 2, py - 2, px + 3, py + 3};
    const bool labelledOnly = loneDot == LoneDot::left_out;
    if (labelledOnly && !c.labels.isFree(dot))
        return false;
    // the dot first, then the name beside it where no earlier label lies
    c.labels.reserve(dot);
    const bool named = labelBesideDot(c, px, py, name);
    if (named || !labelledOnly)
        fillCircle(c.surface, px, py, 2, dotColour);
    return named;
}

void fixedText(MapCanvas& c, int x, int y, const std::string& text) {
    const TextSize size = c.surface.textSize(text);
    c.labels.reserve({x, y, x + size.width, y + size.height});
    c.surface.textOut(x, y, text);
}

bool labelBesideDot(MapCanvas& c, int x, int y, const std::string& name) {
    const MapLayout& l = c.layout;
    const TextSize size = c.surface.textSize(name);
    const LabelBox frame{l.mapLeft, l.mapTop, l.mapRight, l.mapBottom};
    const auto box = c.labels.place(labelCandidates(x, y, size.width, size.height, 2, 0, 4),
                                    [&](const LabelBox& b) { return boxWithin(b, frame); });
    if (box) {
        c.surface.setTextColour(labelColour);
        c.surface.textOut(box->left, box->top, name);
    }
    return box.has_value();
}

ReliefGrid reliefGridOf(std::vector<std::int16_t> heights, const FileIdentity& file) {
    ReliefGrid grid{{}, 0, file, seaBlocksOf(heights), coarseGridOf(heights)};
    grid.heights = std::move(heights);
    return grid;
}

void loadRelief(ReliefData& r, const DataPaths& paths, IgnoredFiles& ignored) {
    const std::filesystem::path path =
        findDataFile(paths, reliefFileName, ignored, reliefGridRefusal);
    const FileIdentity file = fileIdentity(path);
    if (!path.empty() && file == r.grid->file && !r.grid->heights.empty())
        return;
    r.grid = sharedReliefGrid(path, file);
}

namespace {

// The colour table of a "color.txt", or why it is refused (at which line).
Outcome readColourTable(const std::filesystem::path& path,
                        std::array<std::array<int, 3>, reliefColourEntries>& colours) {
    std::ifstream in(path);
    std::string text;
    std::array<int, 3> last{};
    int line = 0;
    colours = {};
    for (; line < colourLines && std::getline(in, text); ++line) {
        // an elevation, then red, green and blue
        std::istringstream fields(text);
        double elevation = 0, value[3] = {};
        if (!(fields >> elevation >> value[0] >> value[1] >> value[2]))
            return Failure{FailureKind::damagedFile, "", line + 1, "four numbers expected"};
        for (int i = 0; i < 3; ++i) {
            const std::optional<int> level = intWithin(value[i], 0, 255);
            if (!level)
                return Failure{FailureKind::damagedFile, "", line + 1,
                               "a colour value outside 0 to 255"};
            last[i] = *level;
        }
        colours[line] = last;
    }
    std::fill(colours.begin() + line, colours.begin() + colourLines, last);
    return std::nullopt;
}

// The colour table through the search order, with the notes of the tables passed over; the
// last refusal when none is good and one was damaged.
Outcome readReliefColours(ReliefData& r, const DataPaths& paths, IgnoredFiles& ignored) {
    r.colours = {};
    Outcome refused;
    const std::filesystem::path path =
        findDataFile(paths, colourFileName, ignored, [&](const std::filesystem::path& p) {
            Outcome failure = readColourTable(p, r.colours);
            if (!failure)
                return std::string();
            refused = failure;
            refused->where = noteName(p);
            return failureDetail(*failure); // the note names the file before it
        });
    // A damaged table with no good one after it stops the map; one passed over is a note.
    return path.empty() ? refused : std::nullopt;
}

} // namespace

Outcome loadReliefColours(ReliefData& r, const DataPaths& paths, IgnoredFiles& ignored) {
    std::vector<FileIdentity> candidates = candidateIdentities(paths, colourFileName);
    KeptReading& kept = r.colourTable;
    if (kept.valid && kept.candidates == candidates) {
        ignored.insert(ignored.end(), kept.notes.begin(), kept.notes.end());
        return r.colourFailure;
    }
    IgnoredFiles notes;
    r.colourFailure = readReliefColours(r, paths, notes);
    kept = {std::move(candidates), notes, true};
    ignored.insert(ignored.end(), notes.begin(), notes.end());
    return r.colourFailure;
}

GridAxis latitudeAxis(double lat) {
    const double y = (firstRowLat - std::clamp(lat, -90.0, 90.0)) / gridStep;
    const int row = clampedInt(std::floor(y));
    return {row, y - row};
}

GridAxis longitudeAxis(double lon) {
    lon = wrappedLongitude(lon); // the same cells for any turn of the longitude
    const double x = (lon - firstColumnLon) / gridStep;
    // floor, not truncation: west of the first column the longitude wraps to the last one.
    const int column = clampedInt(std::floor(x));
    return {column, x - column};
}

int reliefHeightAt(const DataPaths& paths, double lat, double lon) {
    if (!std::isfinite(lat) || !std::isfinite(lon))
        return 0;
    // the rows the interpolation reads: one above the place's to two below, within the grid
    const GridAxis row = latitudeAxis(lat);
    ReliefGrid around;
    around.firstRow = std::clamp(row.cell - 1, 0, reliefRows - 1);
    const int lastRow = std::clamp(row.cell + 2, 0, reliefRows - 1);
    const std::size_t rows = static_cast<std::size_t>(lastRow - around.firstRow + 1);
    IgnoredFiles ignored;
    around.heights = readInt16File(findDataFile(paths, reliefFileName, ignored, reliefGridRefusal),
                                   rows * reliefColumns,
                                   static_cast<std::size_t>(around.firstRow) * reliefColumns);
    return sampleRelief(around, row, longitudeAxis(lon));
}

int sampleRelief(const ReliefGrid& g, double lat, double lon) {
    if (!std::isfinite(lat) || !std::isfinite(lon))
        return 0;
    return sampleRelief(g, latitudeAxis(lat), longitudeAxis(lon));
}

int sampleRelief(const ReliefGrid& g, GridAxis rowAxis, GridAxis columnAxis) {
    if (g.heights.empty())
        return 0;
    const int row = rowAxis.cell, column = columnAxis.cell;
    const double fy = rowAxis.fraction, fx = columnAxis.fraction;
    int result = 0;
    if (row <= 0 || row >= reliefRows - 2 || column <= 0 || column >= reliefColumns - 2) {
        result = clampedInt(bilinear(g, row, column, fy, fx));
    } else {
        // inside the grid: the 4 x 4 cells about the place without wrapping; all sea is no relief
        if (!g.seaBlocks.empty() && seaBlockAt(g, row - 1, column - 1))
            return 0;
        const std::int16_t* corner =
            g.heights.data() + static_cast<std::size_t>(row - 1 - g.firstRow) * reliefColumns +
            (column - 1);
        double samples[4][4];
        int missing = 0;
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) {
                int value = corner[i * reliefColumns + j];
                if (value < missingBelow) {
                    value = 0;
                    ++missing;
                }
                samples[j][i] = value; // samples[column][row]
            }
        }
        if (missing >= 15)
            return 0;
        double across[4];
        for (int j = 0; j < 4; ++j)
            across[j] = std::max(0.0, cubic(samples[j], fy));
        result = clampedInt(cubic(across, fx));
        if (missing <= 1 && result <= 0) {
            const double flat = bilinear(g, row, column, fy, fx);
            if (flat > 0)
                result = clampedInt(flat);
        }
    }
    return result < -300 ? 0 : result;
}

namespace {

// The relief raster, drawn again only when its view, grid or colours changed since the last. On a
// high-density surface it is sampled at the device's pixels: the layout scaled by the pixel ratio.
void drawRelief(MapCanvas& c, const ReliefData& relief) {
    const double ratio = c.surface.pixelRatio();
    const auto scaled = [ratio](int v) { return static_cast<int>(std::lround(v * ratio)); };
    MapLayout l = c.layout;
    MapProjection p = c.projection;
    for (int* pixel :
         {&l.mapLeft, &l.mapTop, &l.mapRight, &l.mapBottom, &l.mapCentreX, &l.mapCentreY})
        *pixel = scaled(*pixel);
    p.mapRadius *= ratio;
    ReliefRaster::Key key{typeid(c.surface),
                          {static_cast<int>(l.mercator), l.mapLeft, l.mapTop, l.mapRight,
                           l.mapBottom, l.mapCentreX, l.mapCentreY, c.coarseRelief},
                          {p.rotationLon, p.rotationLat, p.mapRadius},
                          relief.grid->file,
                          relief.colours};
    ReliefRaster& raster = relief.raster;
    if (!raster.pixels || !(raster.key == key)) {
        MapCanvas device{c.surface, p, c.view, l, {}, c.stop, c.coarseRelief};
        raster.pixels = l.mercator ? mercatorRelief(device, relief) : globeRelief(device, relief);
        // A raster cut short is shown by no one: it is drawn again next time.
        raster.key = c.stop.stop_requested() ? ReliefRaster::Key{} : std::move(key);
    }
    c.surface.blit(0, 0, c.layout.mapRight, c.layout.mapBottom, *raster.pixels, 0, 0);
}

} // namespace

void drawMapBackground(MapCanvas& c, const ReliefData& relief, const DataPaths& paths) {
    const ViewSettings& v = c.view;
    const MapLayout& l = c.layout;
    const bool globe = v.projection == Projection::globe;
    if (v.baseMap == BaseMapKind::relief) {
        drawRelief(c, relief);
        if (c.projection.mapRadius > vectorOverReliefRadius)
            drawVectorLines(c, paths, true);
    } else if (v.baseMap == BaseMapKind::vector) {
        drawVectorLines(c, paths, false);
    }
    if (!globe)
        frameRect(c.surface, l.mapLeft, l.mapTop, l.mapRight, l.mapBottom, brown);
    if (v.mapRange != MapRange::globe && magnification(c) >= 0.01)
        drawScaleBar(c);
    c.pen.colour = navy;
    if (!v.gridLines && globe)
        drawGlobeOutline(c);
    if (v.gridLines) {
        drawGrid(c);
        if (v.mapRange != MapRange::globe)
            labelGridAtFrame(c);
    }
    c.pen.colour = pink;
    if (!globe)
        frameRect(c.surface, l.mapLeft, l.mapTop, l.mapRight, l.mapBottom, brown);
}

} // namespace vesk
