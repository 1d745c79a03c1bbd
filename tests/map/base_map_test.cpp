// SPDX-License-Identifier: GPL-3.0-or-later
#include "base_map.h"
#include "grid_labels.h"
#include "palette.h"
#include "parallel_rows.h"
#include "place_names_layer.h"
#include "recording_surface.h"
#include "redraw_pipeline.h"
#include "test_support.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

using namespace vesk;
using namespace vesk::testing;

namespace {

// A grid of sea (-4000 m) with a block of land.
ReliefGrid islandGrid(int row, int column, int height) {
    ReliefGrid relief;
    relief.heights.assign(static_cast<std::size_t>(reliefRows) * reliefColumns, -4000);
    for (int r = row - 3; r <= row + 3; ++r)
        for (int c = column - 3; c <= column + 3; ++c)
            relief.heights[static_cast<std::size_t>(r) * reliefColumns + c] = height;
    return relief;
}

double rowLat(int row) {
    return 89.96666666666667 - row / 15.0;
}
double columnLon(int column) {
    return -179.96666666666667 + column / 15.0;
}

// Little-endian bytes of the vector file format.
void put16(std::string& b, int v) {
    b += static_cast<char>(v & 0xff);
    b += static_cast<char>((v >> 8) & 0xff);
}
void put32(std::string& b, long v) {
    for (int i = 0; i < 4; ++i)
        b += static_cast<char>((v >> (8 * i)) & 0xff);
}

// One segment from (lon, lat) in arc-seconds with the given 16-bit stroke words.
std::string vectorFile(long lon, long lat, int points, const std::vector<int>& words, int rank) {
    std::string b(40, '\0');
    const long segment = static_cast<long>(b.size());
    put32(b, lon);
    put32(b, lat);
    put32(b, 0);
    put16(b, points);
    put16(b, 0);
    for (int w : words)
        put16(b, w);
    const long directory = static_cast<long>(b.size());
    b += std::string(20, '\0');
    put32(b, segment);
    put16(b, static_cast<int>(words.size() * 2));
    put16(b, rank);
    std::string header;
    put32(header, 0);
    put32(header, directory);
    put32(header, 1);
    put32(header, 28);
    put32(header, static_cast<long>(words.size()));
    return header + b.substr(header.size());
}

struct MapFixture : ::testing::Test {
    ScratchDir dir;
    DataPaths paths{{dir.path()}};
    RecordingSurface surface;
    MapProjection projection;
    ViewSettings view;
    MapLayout layout;
    MapCanvas canvas{surface, projection, view, layout};

    void SetUp() override {
        layout = layoutView(view, 1000, 700);
        layout.mapRadius = layout.baseRadius;
        setMapCentre(projection, layout, 0, 0);
    }

    // The pixels of the relief raster of the canvas's view.
    std::vector<std::pair<PixelPoint, Rgb>> reliefPixels(const ReliefData& relief) {
        view.baseMap = BaseMapKind::relief;
        drawMapBackground(canvas, relief, paths);
        return dynamic_cast<const RecordingSurface&>(*relief.raster.pixels).pixels;
    }

    // A 1000 x 700 view of the whole globe in a projection.
    void project(Projection kind) {
        view.projection = kind;
        layout = layoutView(view, 1000, 700);
    }
};

} // namespace

TEST(SampleRelief, SeaLandAndTheInterpolation) {
    const ReliefGrid relief = islandGrid(1000, 2000, 500);
    EXPECT_EQ(sampleRelief(relief, rowLat(1000), columnLon(2000)), 500);
    EXPECT_EQ(sampleRelief(relief, rowLat(1500), columnLon(3000)), 0) << "deep sea";
    // Between two samples the cubic interpolates; at an edge of the island it stays >= 0.
    const int edge = sampleRelief(relief, rowLat(1000), columnLon(2003) + 1.0 / 30);
    EXPECT_GE(edge, 0);
    EXPECT_LE(edge, 500);
    // 15 of the 16 neighbours missing: sea, whatever the one left says.
    ReliefGrid lonely = islandGrid(1000, 2000, 500);
    for (int r = 997; r <= 1003; ++r)
        for (int c = 1997; c <= 2003; ++c)
            lonely.heights[static_cast<std::size_t>(r) * reliefColumns + c] = -4000;
    lonely.heights[static_cast<std::size_t>(1000) * reliefColumns + 2000] = 800;
    EXPECT_EQ(sampleRelief(lonely, rowLat(1000) - 0.01, columnLon(2000) + 0.01), 0);
    // At the edges of the grid: bilinear, longitudes wrapping round.
    EXPECT_EQ(sampleRelief(islandGrid(3, 3, 300), rowLat(0), columnLon(0)), 300);
    EXPECT_NEAR(sampleRelief(islandGrid(3, 3, 300), rowLat(0), columnLon(-1) + 0.01), 45, 1)
        << "west of the first column: between the sea of the last column and the land";
    EXPECT_EQ(sampleRelief(ReliefGrid{}, 10, 10), 0) << "no grid: no relief";
    // Any turn of the longitude is the same place; places that are not numbers have no relief.
    const ReliefGrid island = islandGrid(1000, 2000, 800);
    EXPECT_EQ(sampleRelief(island, rowLat(1000), columnLon(2000) + 720),
              sampleRelief(island, rowLat(1000), columnLon(2000)));
    EXPECT_GT(sampleRelief(island, rowLat(1000), columnLon(2000) - 3600), 0);
    EXPECT_EQ(sampleRelief(island, std::nan(""), 10), 0);
    EXPECT_EQ(sampleRelief(island, 10, INFINITY), 0);
    EXPECT_EQ(sampleRelief(island, 1e300, 1e300), 0);
}

TEST_F(MapFixture, ColourTableRepeatsItsLastLine) {
    dir.write("color.txt", "-500 1 2 3\n-499 4 5 6\n");
    ReliefData relief;
    IgnoredFiles ignored;
    loadReliefColours(relief, paths, ignored);
    EXPECT_EQ(relief.colours[0], (std::array<int, 3>{1, 2, 3}));
    EXPECT_EQ(relief.colours[1], (std::array<int, 3>{4, 5, 6}));
    EXPECT_EQ(relief.colours[9252], (std::array<int, 3>{4, 5, 6}));
    EXPECT_EQ(relief.colours[9253], (std::array<int, 3>{0, 0, 0}));
    for (const char* damaged :
         {"-500 1 2 3\n-499 4 1e10 6\n", "-500 1 2 3\n-499 4 -1 6\n", "-500 1 2 3\n-499 4 256 6\n",
          "-500 1 2 3\n-499 4 five 6\n", "-500 1 2 3\n-499 4 nan 6\n", "-500 1 2\n"}) {
        dir.write("color.txt", damaged);
        const Outcome failure = loadReliefColours(relief, paths, ignored);
        ASSERT_NE(failure, std::nullopt) << damaged;
        EXPECT_EQ(failure->where, (dir.path() / "color.txt").string());
        EXPECT_NE(failure->line, std::nullopt);
    }
    dir.write("color.txt", "-500 0 0 0\n-499 255 255 255\n");
    EXPECT_EQ(loadReliefColours(relief, paths, ignored), std::nullopt)
        << "the ends of the range are colours";
    loadRelief(relief, paths, ignored);
    EXPECT_TRUE(relief.grid->heights.empty()) << "no globe04.dat";
    dir.write("globe04.dat", std::string(1000, '\0'));
    loadRelief(relief, paths, ignored);
    EXPECT_TRUE(relief.grid->heights.empty()) << "a short file is no grid";
    // A repaint draws the file's current content: a changed file is read again.
    const std::size_t bytes = 2u * reliefRows * reliefColumns;
    dir.write("globe04.dat", std::string(bytes, '\1'));
    loadRelief(relief, paths, ignored);
    ASSERT_FALSE(relief.grid->heights.empty());
    EXPECT_EQ(relief.grid->heights[0], 0x0101);
    // Another map of the process (a second window) draws from the same grid, read once.
    ReliefData other;
    loadRelief(other, paths, ignored);
    EXPECT_EQ(other.grid, relief.grid);
    dir.write("globe04.dat", std::string(bytes, '\2'));
    std::filesystem::last_write_time(dir.path() / "globe04.dat",
                                     relief.grid->file.changed + std::chrono::seconds(1));
    loadRelief(relief, paths, ignored);
    EXPECT_EQ(relief.grid->heights[0], 0x0202);
    EXPECT_EQ(other.grid->heights[0], 0x0101) << "the other map keeps its grid until it loads";
    loadRelief(other, paths, ignored);
    EXPECT_EQ(other.grid, relief.grid);
    std::filesystem::remove(dir.path() / "globe04.dat");
    loadRelief(relief, paths, ignored);
    EXPECT_TRUE(relief.grid->heights.empty()) << "a removed file: no relief";
}

// A damaged colour table or a grid of the wrong size in the first folder is named by its path
// and passed over: the next folder of the search order supplies the file.
TEST_F(MapFixture, DamagedDataFilesArePassedOverForTheNextFolder) {
    ScratchDir second;
    const DataPaths both{{dir.path(), second.path()}};
    dir.write("color.txt", "-500 1 2 3\n-499 4 five 6\n");
    second.write("color.txt", "-500 7 8 9\n");
    dir.write("globe04.dat", std::string(1000, '\0'));
    second.write("globe04.dat", std::string(2u * reliefRows * reliefColumns, '\3'));
    ReliefData relief;
    IgnoredFiles ignored;
    EXPECT_EQ(loadReliefColours(relief, both, ignored), std::nullopt);
    EXPECT_EQ(relief.colours[0], (std::array<int, 3>{7, 8, 9}));
    ASSERT_EQ(ignored.size(), 1u);
    EXPECT_EQ(ignored[0], (dir.path() / "color.txt").string() + ": line 2: four numbers expected");
    loadRelief(relief, both, ignored);
    ASSERT_FALSE(relief.grid->heights.empty());
    EXPECT_EQ(relief.grid->heights[0], 0x0303);
    ASSERT_EQ(ignored.size(), 2u);
    EXPECT_EQ(ignored[1], (dir.path() / "globe04.dat").string() +
                              ": holds 1000 bytes, not the 29160000 of a 2700 x 5400 relief "
                              "grid; not used");
    // With no good table after it, the damaged one stops the map, named by its path.
    std::filesystem::remove(second.path() / "color.txt");
    const Outcome failure = loadReliefColours(relief, both, ignored);
    ASSERT_NE(failure, std::nullopt);
    EXPECT_EQ(
        failureLines(*failure),
        (std::vector<std::string>{messageDamagedDataFile, (dir.path() / "color.txt").string() +
                                                              ": line 2: four numbers expected"}));
}

TEST_F(MapFixture, VectorTokensAndThePointsDrawn) {
    // Origin 0 E 0 N; a short token (+10", +20"), a short negative one (-5", -3"), a long one
    // (+400" is dropped as a longitude jump on the globe, -1000" latitude), then 96 short
    // tokens: 100 points in all.
    std::vector<int> words = {0x4000 | (10 << 8) | 20,
                              0x8000 | 0x4000 | ((-5 & 0x3f) << 8) | (-3 & 0xff), 400,
                              -1000 & ~0x4000 & 0xffff};
    for (int i = 0; i < 96; ++i)
        words.push_back(0x4000 | (1 << 8) | 1);
    dir.write("as_cil.cbd", vectorFile(0, 0, 99, words, 1));
    view.baseMap = BaseMapKind::vector;
    ReliefData relief;
    drawMapBackground(canvas, relief, paths);
    // The other files are missing: the caption, once, after the first file.
    int captions = 0;
    for (const auto& t : surface.texts)
        captions += t.text == "CIA WORLD BANK";
    EXPECT_EQ(captions, 1);
    // Magnification 1: the origin and every 100th point (none of 99).
    int coastPixels = 0;
    for (const auto& p : surface.pixels)
        coastPixels += p.second == palette[silver];
    EXPECT_EQ(coastPixels, 1);

    // Zoomed in 100 times every point is plotted.
    surface.pixels.clear();
    surface.lines.clear();
    view.mapRange = MapRange::centred;
    layout.mapRadius = layout.baseRadius * 100;
    setMapCentre(projection, layout, 0, 0);
    drawMapBackground(canvas, relief, paths);
    int coastLines = 0;
    for (const auto& l : surface.lines)
        coastLines += l.pen.colour == palette[silver];
    EXPECT_EQ(coastLines, 99);
    // The long token moved the line 1000" south (to 983" S) and not 400" east.
    int southmost = 0;
    for (const auto& l : surface.lines)
        if (l.pen.colour == palette[silver])
            southmost = std::max(southmost, l.to.y);
    const double pixelsPerSecond = layout.mapRadius * 0.0174532925 / 3600;
    EXPECT_NEAR(southmost - layout.mapCentreY, 983 * pixelsPerSecond, 2);
    int eastmost = 0;
    for (const auto& l : surface.lines)
        if (l.pen.colour == palette[silver])
            eastmost = std::max(eastmost, l.to.x);
    EXPECT_NEAR(eastmost - layout.mapCentreX, (10 - 5 + 96) * pixelsPerSecond, 2);
}

// A ring is drawn wherever the globe is centred, also at 90 W on the equator, where the globe's
// rotation is (0, 0) as it is before any centre is set; before that no ring is drawn.
TEST_F(MapFixture, RingsAreDrawnOnAGlobeCentredAt90WOnTheEquator) {
    view.projection = Projection::globe;
    layout = layoutView(view, 1000, 700);
    MapProjection unset;
    MapCanvas notCentred{surface, unset, view, layout};
    plotRing(notCentred, -90, 0, yellow, 4);
    EXPECT_TRUE(surface.shapes.empty());
    std::optional<std::pair<int, int>> centre; // where the centre's ring falls: the same for all
    for (const auto& [lon, lat] : {std::pair{10.0, 20.0}, {-90.0, 0.0}, {-90.5, 0.5}}) {
        surface.shapes.clear();
        setMapCentre(projection, layout, lon, lat);
        plotRing(canvas, lon, lat, yellow, 4);
        ASSERT_EQ(surface.shapes.size(), 1u) << lon << " " << lat;
        const RecordedShape& ring = surface.shapes[0];
        const std::pair at{(ring.left + ring.right) / 2, (ring.top + ring.bottom) / 2};
        EXPECT_EQ(at, centre.value_or(at)) << lon << " " << lat;
        centre = at;
    }
}

TEST_F(MapFixture, TruncatedStrokesStayInsideTheSegment) {
    // The header claims 50 points but the strokes hold two tokens.
    dir.write("as_cil.cbd",
              vectorFile(0, 0, 50, {0x4000 | (1 << 8) | 1, 0x4000 | (1 << 8) | 1}, 1));
    view.baseMap = BaseMapKind::vector;
    view.mapRange = MapRange::centred;
    layout.mapRadius = layout.baseRadius * 100;
    setMapCentre(projection, layout, 0, 0);
    ReliefData relief;
    drawMapBackground(canvas, relief, paths);
    int coastLines = 0;
    for (const auto& l : surface.lines)
        coastLines += l.pen.colour == palette[silver];
    EXPECT_EQ(coastLines, 2);
}

// A directory that names one segment thousands of times is drawn no further than the bytes
// of the file reach: the work of a file is bounded by its size.
TEST_F(MapFixture, RepeatedSegmentsCostNoMoreThanTheFile) {
    const std::vector<int> words(2000, 0x4000 | (1 << 8) | 1);
    const std::string single = vectorFile(0, 0, 2000, words, 1);
    std::string repeated = single;
    const std::string entry = single.substr(single.size() - 28);
    const int copies = 30000;
    for (int i = 1; i < copies; ++i)
        repeated += entry;
    for (int i = 0; i < 4; ++i)
        repeated[8 + i] = static_cast<char>((copies >> (8 * i)) & 0xff);
    view.baseMap = BaseMapKind::vector;
    view.mapRange = MapRange::centred;
    layout.mapRadius = layout.baseRadius * 100;
    setMapCentre(projection, layout, 0, 0);
    ReliefData relief;
    dir.write("as_cil.cbd", single);
    drawMapBackground(canvas, relief, paths);
    const std::size_t once = surface.lines.size();
    ASSERT_GT(once, 1000u);
    surface.lines.clear();
    dir.write("as_cil.cbd", repeated);
    drawMapBackground(canvas, relief, paths);
    // the file (845 KB) holds the strokes (4 KB) about 200 times over
    EXPECT_LT(surface.lines.size(), once * (repeated.size() / 4000 + 1));
    EXPECT_GT(surface.lines.size(), once);
}

namespace {

bool drewText(const RecordingSurface& surface, const std::string& text) {
    return std::any_of(surface.texts.begin(), surface.texts.end(),
                       [&](const auto& t) { return t.text == text; });
}

} // namespace

TEST_F(MapFixture, ScaleBarAndPlaceNamesOnRegionalMapsOnly) {
    view.mapRange = MapRange::centred;
    layout.mapRadius = layout.baseRadius * 30;
    setMapCentre(projection, layout, 139.7, 35.7);
    ReliefData relief;
    view.baseMap = BaseMapKind::none; // no base data: only the overlays
    drawMapBackground(canvas, relief, paths);
    EXPECT_TRUE(std::any_of(surface.texts.begin(), surface.texts.end(),
                            [](const auto& t) { return t.text.find(" km") != std::string::npos; }));
    drawPlaceNames(canvas, nullptr);
    EXPECT_FALSE(drewText(surface, "Tokyo")) << "without a gazetteer no names";
    // On the whole globe neither.
    surface.texts.clear();
    view.mapRange = MapRange::globe;
    layout.mapRadius = layout.baseRadius;
    setMapCentre(projection, layout, 139.7, 35.7);
    MapCanvas globe{surface, projection, view, layout};
    drawMapBackground(globe, relief, paths);
    Gazetteer tokyo;
    GazetteerPlace place;
    place.name = "Tokyo";
    place.lon = 139.7;
    place.lat = 35.7;
    place.population = 8'000'000;
    tokyo.places.push_back(place);
    tokyo.byPopulation = {0};
    drawPlaceNames(globe, &tokyo);
    EXPECT_TRUE(surface.texts.empty());
}

// A gazetteer's places are named by population, fewer the less the map is magnified; a place
// already named (its dot taken) is not named again.
TEST_F(MapFixture, PlaceNamesThinnedByPopulationAndNamedOnce) {
    Gazetteer g;
    const auto add = [&](const char* name, double lon, double lat, long long population) {
        GazetteerPlace place;
        place.name = name;
        place.lon = lon;
        place.lat = lat;
        place.population = population;
        g.places.push_back(place);
        g.byPopulation.push_back(static_cast<std::uint32_t>(g.byPopulation.size()));
    };
    add("Big", 100, 30, 5'000'000);
    add("Middle", 101, 30.5, 300'000);
    add("Small", 99.2, 29.6, 20'000);
    view.mapRange = MapRange::asia;
    layout.mapRadius = layout.baseRadius * 2.7;
    setMapCentre(projection, layout, 100, 30);
    drawPlaceNames(canvas, &g);
    EXPECT_TRUE(drewText(surface, "Big"));
    EXPECT_FALSE(drewText(surface, "Middle")) << namedPopulation(2.7);
    EXPECT_FALSE(drewText(surface, "Small"));

    surface.texts.clear();
    layout.mapRadius = layout.baseRadius * 25;
    setMapCentre(projection, layout, 100, 30);
    MapCanvas zoomed{surface, projection, view, layout};
    // an observing place drawn first at Big's position keeps Big's own name off the map
    drawPlaceLabel(zoomed, 100, 30, "Observatory", 0);
    drawPlaceNames(zoomed, &g);
    EXPECT_TRUE(drewText(surface, "Observatory"));
    EXPECT_FALSE(drewText(surface, "Big"));
    EXPECT_TRUE(drewText(surface, "Middle"));
    EXPECT_TRUE(drewText(surface, "Small"));
}

// The grid's degrees at the frame: each meridian's label stands where that meridian meets the
// bottom of the frame, each parallel's where it meets the left side.
TEST_F(MapFixture, GridDegreesAtTheFrame) {
    EXPECT_EQ(degreesText(-75, true), "75°W");
    EXPECT_EQ(degreesText(190, true), "170°W");
    EXPECT_EQ(degreesText(0, true), "0°");
    EXPECT_EQ(degreesText(-35, false), "35°S");
    view.mapRange = MapRange::centred;
    layout.mapRadius = layout.baseRadius * 25;
    view.gridLines = true;
    view.baseMap = BaseMapKind::none;
    setMapCentre(projection, layout, -97, 30);
    drawMapBackground(canvas, ReliefData{}, paths);
    int meridians = 0, parallels = 0;
    for (const auto& t : surface.texts) {
        const double value = std::atof(t.text.c_str());
        const char side = t.text.back();
        if (side == 'W' || side == 'E') {
            const auto at = lonLatAtPixel(canvas, t.x - 2, layout.mapBottom - 1);
            ASSERT_TRUE(at.has_value());
            EXPECT_NEAR(at->first, side == 'W' ? -value : value, 0.03) << t.text;
            ++meridians;
        } else if (side == 'N' || side == 'S') {
            const int height = surface.textSize(t.text).height;
            const auto at = lonLatAtPixel(canvas, layout.mapLeft + 1, t.y + height + 1);
            ASSERT_TRUE(at.has_value());
            EXPECT_NEAR(at->second, side == 'S' ? -value : value, 0.03) << t.text;
            ++parallels;
        }
    }
    EXPECT_GE(meridians, 2);
    EXPECT_GE(parallels, 2);
}

// The generated relief grid marks shallow seas and lakes as water (below -100 m) from the
// shorelines, and keeps land below sea level as land.
TEST(ReliefGrid, WaterAndLandOfKnownPlaces) {
    ReliefData relief;
    IgnoredFiles ignored;
    loadRelief(relief, DataPaths{{sourceDataDir()}}, ignored);
    if (relief.grid->heights.empty())
        GTEST_SKIP() << "no generated globe04.dat in " << sourceDataDir();
    const auto cell = [&](double lat, double lon) {
        const int row = static_cast<int>(std::lround((rowLat(0) - lat) * 15));
        const int column = static_cast<int>(std::lround((lon - columnLon(0)) * 15));
        return relief.grid->heights[static_cast<std::size_t>(row) * reliefColumns + column];
    };
    struct Place {
        const char* name;
        double lat, lon;
        bool water;
    };
    for (const Place& p :
         {Place{"Grand Banks", 44.5, -51.0, true}, Place{"Dogger Bank", 54.75, 2.0, true},
          Place{"Lake Superior", 47.6, -87.5, true}, Place{"Lake Victoria", -1.0, 33.0, true},
          Place{"Caspian Sea", 42.0, 50.5, true}, Place{"Death Valley", 36.25, -116.85, false},
          Place{"Qattara Depression", 29.6, 27.1, false},
          Place{"Turpan Depression", 42.7, 89.3, false}, Place{"Tibet", 33.0, 88.0, false}}) {
        if (p.water)
            EXPECT_LT(cell(p.lat, p.lon), -100) << p.name;
        else
            EXPECT_GE(cell(p.lat, p.lon), -100) << p.name;
    }
}

TEST(ReliefGrid, SeaBlocksGiveTheSamplesOfTheWholeInterpolation) {
    ReliefData relief;
    IgnoredFiles ignored;
    loadRelief(relief, DataPaths{{sourceDataDir()}}, ignored);
    if (relief.grid->heights.empty())
        GTEST_SKIP() << "no generated globe04.dat in " << sourceDataDir();
    ASSERT_EQ(relief.grid->seaBlocks.size(), std::size_t{reliefRows} * seaBlockWords);
    ReliefGrid plain;
    plain.heights = relief.grid->heights; // no sea blocks: every sample interpolates
    int land = 0;
    for (long long i = 0; i < 200000; ++i) {
        // spread over the globe by two primes
        const double lat = -89.9 + 179.8 * static_cast<double>(i * 7919 % 200000) / 200000;
        const double lon = -180 + 360 * static_cast<double>(i * 104729 % 200000) / 200000;
        const int h = sampleRelief(*relief.grid, lat, lon);
        ASSERT_EQ(h, sampleRelief(plain, lat, lon)) << lat << " " << lon;
        land += h > 0;
    }
    EXPECT_GT(land, 40000);
    EXPECT_LT(land, 100000);
}

// The sea blocks only spare the rasters work: the whole globe and the Mercator map draw the same
// pixels with them as without them (where every sample interpolates), on a sea with islands of
// every size, at the grid's edges and astride the words of the sea-block rows.
TEST_F(MapFixture, SeaBlocksDrawTheSameRasterAsTheInterpolationEverywhere) {
    std::vector<std::int16_t> heights(static_cast<std::size_t>(reliefRows) * reliefColumns, -4000);
    std::uint32_t seed = 12345;
    const auto next = [&seed](std::uint32_t below) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % below;
    };
    for (int island = 0; island < 3000; ++island) {
        const int row = static_cast<int>(next(reliefRows)), size = static_cast<int>(next(40));
        // half of them from a word's first bit of the sea blocks, some on the grid's first or last
        // column
        const int column = island % 2 == 0   ? static_cast<int>(next(reliefColumns))
                           : island % 7 == 1 ? (island % 3 == 0 ? 0 : reliefColumns - 1)
                                             : static_cast<int>(next(84)) * 64 + 1 + island % 3;
        for (int r = row; r < std::min(reliefRows, row + size / 2 + 1); ++r)
            for (int c = column; c < std::min(reliefColumns, column + size + 1); ++c)
                heights[static_cast<std::size_t>(r) * reliefColumns + c] =
                    static_cast<std::int16_t>(1 + (r * 7 + c * 3) % 3000);
    }
    ReliefData blocked, interpolated;
    blocked.grid = std::make_shared<const ReliefGrid>(reliefGridOf(heights));
    ReliefGrid plain;
    plain.heights = std::move(heights);
    interpolated.grid = std::make_shared<const ReliefGrid>(std::move(plain));
    for (int i = 0; i < reliefColourEntries; ++i)
        blocked.colours[i] = interpolated.colours[i] = {i % 256, i / 256, 0};
    for (const Projection kind : {Projection::globe, Projection::mercator}) {
        project(kind);
        for (const auto& [lon, lat, scale] : {std::tuple{0.0, 0.0, 1.0},
                                              {170.0, 60.0, 1.0},
                                              {-100.0, -85.0, 2.0},
                                              {45, 89.5, 4.0}}) {
            layout.mapRadius = layout.baseRadius * (kind == Projection::globe ? scale : 1);
            setMapCentre(projection, layout, lon, lat);
            const auto withBlocks = reliefPixels(blocked);
            ASSERT_GT(withBlocks.size(), 1000u);
            EXPECT_TRUE(withBlocks == reliefPixels(interpolated))
                << (kind == Projection::globe ? "globe" : "Mercator") << " at " << lon << "," << lat
                << " scale " << scale;
        }
    }
}

// A command's one height, read from the rows about the place, is the whole grid's: at the poles,
// across the date line and anywhere between.
TEST(ReliefGrid, OnePlacesHeightIsTheWholeGridsInterpolation) {
    const DataPaths paths{{sourceDataDir()}};
    ReliefData relief;
    IgnoredFiles ignored;
    loadRelief(relief, paths, ignored);
    if (relief.grid->heights.empty())
        GTEST_SKIP() << "no generated globe04.dat in " << sourceDataDir();
    for (const auto& [lat, lon] : {std::pair{90.0, 0.0},
                                   {-90.0, 10.0},
                                   {89.99, -179.99},
                                   {-89.97, 179.99},
                                   {27.9881, 86.925},
                                   {35.69, 139.69},
                                   {0.0, 180.0},
                                   {-33.4, -70.6},
                                   {89.9, 45.0},
                                   {-89.9, -45.0}})
        EXPECT_EQ(reliefHeightAt(paths, lat, lon), sampleRelief(*relief.grid, lat, lon))
            << lat << " " << lon;
    for (int i = 0; i < 500; ++i) {
        const double lat = -90 + 180 * static_cast<double>(i * 7919 % 500) / 500;
        const double lon = -180 + 360 * static_cast<double>(i * 104729 % 500) / 500;
        ASSERT_EQ(reliefHeightAt(paths, lat, lon), sampleRelief(*relief.grid, lat, lon))
            << lat << " " << lon;
    }
    EXPECT_EQ(reliefHeightAt(DataPaths{}, 27.9881, 86.925), 0) << "no grid: no relief";
}

TEST_F(MapFixture, ReliefRasterIsKeptForTheSameViewOnly) {
    ReliefData relief;
    relief.grid = std::make_shared<const ReliefGrid>(islandGrid(1300, 2700, 800)); // 3 N, 0 E
    relief.colours.fill({10, 200, 30});
    view.baseMap = BaseMapKind::relief;
    drawMapBackground(canvas, relief, paths);
    const DrawSurface* first = relief.raster.pixels.get();
    ASSERT_NE(first, nullptr);
    const auto& island = dynamic_cast<const RecordingSurface&>(*first).pixels;
    ASSERT_FALSE(island.empty());
    EXPECT_EQ(island.front().second, (Rgb{10, 200, 30}));
    drawMapBackground(canvas, relief, paths);
    EXPECT_EQ(relief.raster.pixels.get(), first) << "the same view: the raster is kept";
    relief.colours.fill({200, 10, 30});
    drawMapBackground(canvas, relief, paths);
    const auto& recoloured = dynamic_cast<const RecordingSurface&>(*relief.raster.pixels).pixels;
    ASSERT_FALSE(recoloured.empty());
    EXPECT_EQ(recoloured.front().second, (Rgb{200, 10, 30})) << "new colours: drawn again";
    const DrawSurface* second = relief.raster.pixels.get();
    setMapCentre(projection, layout, 10, 0);
    drawMapBackground(canvas, relief, paths);
    EXPECT_NE(relief.raster.pixels.get(), second) << "another centre: drawn again";
}

// A raster drawn after others (the working memory is kept, and cleared when the count of its rows
// would overflow) is the raster drawn first: nothing of the land of the views before it, on the
// globe and on the Mercator map.
TEST_F(MapFixture, ARasterKeepsNothingOfTheOnesBefore) {
    const auto grid = std::make_shared<const ReliefGrid>(islandGrid(1300, 2700, 800)); // 3 N, 0 E
    ReliefData kept;
    kept.grid = grid;
    kept.colours.fill({10, 200, 30});
    for (const Projection kind : {Projection::globe, Projection::mercator}) {
        project(kind);
        for (const double lon : {0.0, 20.0, 100.0, 0.0, 20.0}) {
            setMapCentre(projection, layout, lon, 0);
            if (lon == 20.0 && kept.raster.rowsDrawn > 0) // as after a long time of drawing
                kept.raster.rowsDrawn = (1u << 18) - 100;
            const auto drawnAfterOthers = reliefPixels(kept);
            ReliefData fresh;
            fresh.grid = grid;
            fresh.colours = kept.colours;
            EXPECT_TRUE(drawnAfterOthers == reliefPixels(fresh))
                << (kind == Projection::globe ? "globe" : "Mercator") << " centred at " << lon;
            // the island lies on the globe's far side seen from 100 E
            EXPECT_EQ(drawnAfterOthers.empty(), kind == Projection::globe && lon == 100.0) << lon;
        }
    }
}

// A zoomed globe samples each pixel of its frame at the place under it, at every centre (the
// equator and the poles included) and magnification: checked against the program's own
// pixel-to-place inversion on a grid whose height tells 3 x 6 degree blocks apart.
TEST_F(MapFixture, ZoomedReliefLiesUnderItsPixelsAtEveryCentre) {
    std::vector<std::int16_t> heights(static_cast<std::size_t>(reliefRows) * reliefColumns);
    for (int r = 0; r < reliefRows; ++r)
        for (int c = 0; c < reliefColumns; ++c)
            heights[static_cast<std::size_t>(r) * reliefColumns + c] =
                static_cast<std::int16_t>(1 + (r / 45) * 60 + c / 90);
    ReliefData relief;
    relief.grid = std::make_shared<const ReliefGrid>(reliefGridOf(std::move(heights)));
    for (int i = 0; i < reliefColourEntries; ++i)
        relief.colours[i] = {i % 256, i / 256, 0};
    view.baseMap = BaseMapKind::relief;
    const double centres[][2] = {{9, 1.5}, {9, 46.5}, {-171, 76.5}, {9, 89}, {123, -89}};
    for (const auto& [lon, lat] : centres) {
        for (const double scale : {8.0, 100.0, 1000.0}) {
            layout.mapRadius = layout.baseRadius * scale;
            setMapCentre(projection, layout, lon, lat);
            drawMapBackground(canvas, relief, paths);
            const auto& dots = dynamic_cast<const RecordingSurface&>(*relief.raster.pixels).pixels;
            int checked = 0;
            for (std::size_t d = 0; d < dots.size(); d += 97) {
                const auto& [at, colour] = dots[d];
                const auto found = pixelToLonLat(projection, layout, at.x, at.y);
                if (!found)
                    continue; // the inversion leaves out pixels at the rim
                auto [pixelLon, pixelLat] = *found;
                pixelLon -= 360 * std::floor((pixelLon + 180) / 360);
                const double row = (rowLat(0) - pixelLat) * 15,
                             column = (pixelLon - columnLon(0)) * 15;
                // away from the blocks' edges, where the interpolation blends two of them
                if (std::fabs(std::remainder(row, 45)) < 4 ||
                    std::fabs(std::remainder(column, 90)) < 4 || std::fabs(pixelLat) > 89.7)
                    continue;
                const int height = colour.r + 256 * colour.g - reliefColourOffset;
                EXPECT_EQ(height, 1 + static_cast<int>(std::lround(row) / 45) * 60 +
                                      static_cast<int>(std::lround(column) / 90))
                    << "centre " << lon << "," << lat << " scale " << scale << " pixel " << at.x
                    << "," << at.y;
                ++checked;
            }
            EXPECT_GT(checked, 10) << lon << "," << lat << " scale " << scale;
            // Zoomed in, the frame lies on the globe and every pixel inside it is land.
            if (scale >= 100) {
                EXPECT_EQ(static_cast<int>(dots.size()),
                          (layout.mapRight - layout.mapLeft - 3) *
                              (layout.mapBottom - layout.mapTop - 3));
            }
        }
    }
}

TEST(ParallelRows, EveryRowRunsExactlyOnce) {
    for (const std::size_t rows : {0u, 1u, 7u, 8u, 9u, 1001u}) {
        std::vector<std::atomic<int>> runs(rows);
        forEachRowInParallel(rows, [&](std::size_t row) { ++runs[row]; });
        for (std::size_t row = 0; row < rows; ++row)
            EXPECT_EQ(runs[row], 1) << rows << " rows, row " << row;
    }
}

// The coarse relief of a map being dragged: blocks of 3 x 3 pixels from the coarse grid, the
// same land as the full raster (allowing for the coarser coasts), and a raster of its own.
TEST_F(MapFixture, CoarseReliefHasTheLandOfTheFullOne) {
    ReliefData relief;
    IgnoredFiles ignored;
    loadRelief(relief, DataPaths{{sourceDataDir()}}, ignored);
    if (relief.grid->heights.empty())
        GTEST_SKIP() << "no generated globe04.dat in " << sourceDataDir();
    relief.colours.fill({10, 200, 30});
    view.baseMap = BaseMapKind::relief;
    setMapCentre(projection, layout, 20, 10); // Africa and Europe
    const auto landPixels = [&](bool coarse) {
        canvas.coarseRelief = coarse;
        drawMapBackground(canvas, relief, paths);
        std::set<std::pair<int, int>> land;
        for (const auto& [at, colour] :
             dynamic_cast<const RecordingSurface&>(*relief.raster.pixels).pixels)
            land.insert({at.x, at.y});
        return land;
    };
    const auto full = landPixels(false);
    const DrawSurface* fullRaster = relief.raster.pixels.get();
    const auto coarse = landPixels(true);
    EXPECT_NE(relief.raster.pixels.get(), fullRaster) << "a raster of its own";
    std::size_t shared = 0;
    for (const auto& p : coarse)
        shared += full.count(p);
    ASSERT_GT(full.size(), 50000u);
    EXPECT_NEAR(static_cast<double>(coarse.size()), static_cast<double>(full.size()),
                0.05 * full.size());
    EXPECT_GT(static_cast<double>(shared), 0.93 * coarse.size());
}
