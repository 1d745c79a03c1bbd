// SPDX-License-Identifier: GPL-3.0-or-later
// The base map under the eclipse path: a relief raster from the elevation grid "globe04.dat"
// and the colour table "color.txt", or the coast, river and boundary lines of the vector data
// set (CIA World Data Bank II segment format), then the frame, place labels and scale bar of
// regional maps and the latitude/longitude grid.
#pragma once

#include "data_paths.h"
#include "map_projection.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <typeindex>
#include <vector>

namespace vesk {

constexpr int reliefRows = 2700, reliefColumns = 5400;
constexpr int coarseGridStep = 4;
constexpr int reliefColourEntries = 10000;
// Elevation of colour entry 0.
constexpr int reliefColourOffset = 500;

// The relief raster of the last map, kept for the next repaint of the same view: it depends
// only on the kind of surface, the frame, the projection's centre and radius, the grid and the
// colour table.
struct ReliefRaster {
    struct Key {
        std::optional<std::type_index> surface;
        std::array<int, 8> frame{};     // projection, map frame and centre pixels, coarse relief
        std::array<double, 3> centre{}; // rotations and radius of the projection
        FileIdentity grid;
        std::array<std::array<int, 3>, reliefColourEntries> colours{};
        bool operator==(const Key&) const = default;
    };
    Key key;
    std::unique_ptr<DrawSurface> pixels; // null before the first relief
    // The working memory of the last drawing, kept for the next (a new one costs the system's
    // zeroing of its pages at every repaint): per pixel of the map's frame, the last land sample
    // found, and the count of the rows of samples of the drawings since it was cleared; and the
    // land pixels.
    std::vector<std::uint32_t> lastLand;
    std::uint32_t rowsDrawn = 0;
    std::vector<ColouredPixel> land;
};

// The relief grid with the tables made from it once when it is read. The maps of a process draw
// from one shared, unchanged copy of a file's grid.
struct ReliefGrid {
    std::vector<std::int16_t> heights; // rows x columns from firstRow on, empty without the file
    int firstRow = 0;                  // 0, or the first of the rows read about one place
    FileIdentity file;                 // what the grid holds
    // One bit per cell, in rows of seaBlockWords words: 1 where the 4 x 4 cells from this one
    // right and down are all sea (empty: sampling interpolates everywhere)
    std::vector<std::uint64_t> seaBlocks;
    // Every coarseGridStep-th row and column of the grid (small enough to stay in the
    // processor's cache): the coarse relief of a map being dragged
    std::vector<std::int16_t> coarse;
};
constexpr int seaBlockWords = (reliefColumns + 63) / 64;

// A grid of the heights of the whole globe with its sea blocks and coarse grid.
ReliefGrid reliefGridOf(std::vector<std::int16_t> heights, const FileIdentity& file = {});

struct ReliefData {
    std::shared_ptr<const ReliefGrid> grid = std::make_shared<const ReliefGrid>();
    std::array<std::array<int, 3>, reliefColourEntries> colours{}; // red, green, blue
    KeptReading colourTable; // the files the colours were chosen among; colourFailure its outcome
    Outcome colourFailure;
    mutable ReliefRaster raster; // drawing it is not a change of the data
};

// Reads "globe04.dat" (a missing file leaves the grid empty: no relief). A file of another size
// than the grid's is passed over with a note in ignored. The grid is read again only when the
// file found, its size or its time has changed, and only once for all the ReliefData of the
// process that hold it.
void loadRelief(ReliefData& relief, const DataPaths& paths, IgnoredFiles& ignored);
// Reads the 9253 lines of "color.txt" (elevation, red, green, blue) again when the files of that
// name in the search order have changed since the last reading; a missing line repeats the
// last one read. A line without four numbers, or with a colour value outside 0 to 255, refuses
// the table, which is passed over with a note in ignored for the next folder's. The result is
// nothing when a table was read or there is none; else the last refusal (damagedFile, naming the
// file's path and line).
Outcome loadReliefColours(ReliefData& relief, const DataPaths& paths, IgnoredFiles& ignored);

// Elevation in metres at a latitude and longitude (0 for sea or missing data): a 4 x 4 cubic
// interpolation of the grid, bilinear at its edges.
int sampleRelief(const ReliefGrid& grid, double lat, double lon);

// The same elevation at one place, read from the rows of "globe04.dat" about it alone (0 without
// the file): for a command that needs one height, not the map.
int reliefHeightAt(const DataPaths& paths, double lat, double lon);

// Where a latitude (clamped to +-90) or a longitude (any turn) falls in the relief grid: its
// row or column and the fraction of the way to the next one. The rasters work them out once
// for a row or column of samples.
struct GridAxis {
    int cell = 0;
    double fraction = 0;
};
GridAxis latitudeAxis(double lat);
GridAxis longitudeAxis(double lon);
// The same elevation for a place given by its grid axes.
int sampleRelief(const ReliefGrid& grid, GridAxis row, GridAxis column);

// Whether a place's dot is drawn when its name finds no room.
enum class LoneDot : bool { drawn, left_out };

// A label on the globe: the name beside a dot of the palette colour, when the place lies on the
// near side strictly inside the map frame. The name goes right of the dot, or where it covers
// no earlier label or dot of the canvas within the frame; where nothing fits it is left out, and
// so is the dot when loneDot says so. A place whose dot would cover an earlier label or dot is
// left out when loneDot is left_out (one name per place where two lists hold it). Returns
// whether the name was drawn.
bool drawPlaceLabel(MapCanvas& canvas, double lon, double lat, const std::string& name,
                    int dotColour, LoneDot loneDot = LoneDot::drawn);

// A name placed beside a dot at view pixel (x, y) that is already reserved: right of it, or
// where it covers no earlier label of the canvas within the map frame. Returns whether it found
// room (and was drawn).
bool labelBesideDot(MapCanvas& canvas, int x, int y, const std::string& name);

// A text that is always drawn where it is (a caption, the scale's length): drawn, and its box
// kept free of the labels placed after it.
void fixedText(MapCanvas& canvas, int x, int y, const std::string& text);

// The whole base map on the canvas.
void drawMapBackground(MapCanvas& canvas, const ReliefData& relief, const DataPaths& paths);

} // namespace vesk
