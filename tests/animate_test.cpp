// SPDX-License-Identifier: GPL-3.0-or-later
// "vesk animate" as a user runs it: the frames read back by Qt's WebP plugin and compared with
// the pictures of "render --at", bad options and special files refused, and an interrupted run
// that leaves nothing behind.
#include "shadow_layer.h"
#include "test_support.h"

#include <QImage>
#include <QImageReader>
#include <cmath>
#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

CommandResult runVesk(const std::vector<std::string>& args, const std::filesystem::path& dir) {
    return runProgram(VESK_EXECUTABLE, args, dir);
}

// The number of frames from the first to the last contact of 2024 April 8 at a step of minutes,
// and the Julian date (UT) of frame k (from 0).
struct Frames {
    CatalogEclipse eclipse{2024, 4};
    std::pair<double, double> span = contactSpanUt(eclipse.catalog.record, eclipse.deltaT);
    int count(double minutes) const {
        return static_cast<int>(std::floor((span.second - span.first) * 60 / minutes)) + 1;
    }
    double julianDate(int k, double minutes) const {
        const double dayStart = std::floor(eclipse.catalog.record.jd - 0.5) + 0.5;
        return dayStart + (span.first + k * minutes / 60) / 24;
    }
};

// The names in a folder.
std::vector<std::string> namesIn(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    return names;
}

std::vector<std::string> animate2024(const std::vector<std::string>& more) {
    std::vector<std::string> args = {"animate", "--year", "2024", "--month", "4"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

} // namespace

// The WebP file has a frame for every step from the first to the last contact, at the size
// asked for, and the shadow moves from frame to frame over an unchanged map.
TEST(AnimateCommand, WebpReadsBackWithItsFramesAndSize) {
    ScratchDir dir;
    const CommandResult r = runVesk(
        animate2024({"--step", "10", "--size", "640x480", "--out", "path.webp"}), dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    const Frames frames;
    EXPECT_EQ(frames.count(10), 32); // 15:42 to 20:52 UT
    QImageReader reader(QString::fromStdString((dir.path() / "path.webp").string()));
    ASSERT_TRUE(reader.canRead()) << "Qt's WebP image plugin (qt6-image-formats-plugins)";
    EXPECT_EQ(reader.imageCount(), frames.count(10));
    EXPECT_EQ(reader.size(), QSize(640, 480));
    EXPECT_EQ(reader.loopCount(), -1); // for ever
    std::vector<QImage> images;
    for (QImage image; reader.read(&image);)
        images.push_back(image);
    ASSERT_EQ(images.size(), static_cast<std::size_t>(frames.count(10)));
    // the panel at the left stays, the globe under the shadow changes
    const QRect panel(0, 0, 200, 300);
    EXPECT_EQ(images.front().copy(panel), images.back().copy(panel));
    EXPECT_NE(images[10], images[20]);
}

// A frame is the picture that render --at draws for its instant; the folder holds numbered PNG
// files, one per frame.
TEST(AnimateCommand, FramesAreTheMapsOfRenderAt) {
    ScratchDir dir;
    CommandResult r = runVesk(animate2024({"--step", "30", "--out", "frames/"}), dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    const Frames frames;
    const int count = frames.count(30);
    EXPECT_EQ(count, 11);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "frames" / "frame0011.png"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "frames" / "frame0012.png"));
    for (const int k : {0, 5}) {
        char at[32];
        std::snprintf(at, sizeof at, "%.9f", frames.julianDate(k, 30));
        r = runVesk({"render", "--year", "2024", "--month", "4", "--at", at, "--out", "at.png"},
                    dir.path());
        ASSERT_EQ(r.status, 0) << r.err;
        char name[32];
        std::snprintf(name, sizeof name, "frames/frame%04d.png", k + 1);
        const QImage frame(QString::fromStdString((dir.path() / name).string()));
        const QImage picture(QString::fromStdString((dir.path() / "at.png").string()));
        ASSERT_FALSE(frame.isNull());
        EXPECT_EQ(frame.convertToFormat(QImage::Format_RGB32),
                  picture.convertToFormat(QImage::Format_RGB32))
            << name;
    }
}

// Bad options name themselves and write nothing; a FIFO at the output's name is refused without
// waiting on it.
TEST(AnimateCommand, BadOptionsAndSpecialFilesAreRefused) {
    ScratchDir dir;
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--step", "0.1"}, "--step"},
        {{"--step", "x"}, "--step"},
        {{"--out", "a.gif"}, "--out"},
        {{"--out", ".webp"}, "--out"},
        {{"--size", "5000x700"}, "--size"},
        {{"--mode", "table"}, "--mode"},
        {{"--at", "18:00"}, "--at"},
        {{"--centre", "0,0"}, "--centre"},
        {{"--relief", "--vector"}, "--relief"},
        {{"--size", "2000x1400", "--step", "0.5", "--out", "f/"}, "a larger --step"}};
    for (const auto& [more, named] : cases) {
        const CommandResult r = runVesk(animate2024(more), dir.path());
        EXPECT_EQ(r.status, 2) << more.front();
        EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
    }
    const SpecialFiles specials = makeSpecialFiles(dir, ".webp");
    for (const std::filesystem::path& special : specials.paths) {
        const CommandResult r =
            runVesk(animate2024({"--out", special.filename().string()}), dir.path());
        EXPECT_EQ(r.status, 2) << special;
        EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
    }
    EXPECT_TRUE(specials.untouched());
    EXPECT_EQ(namesIn(dir.path()).size(), specials.paths.size());
}

// SIGINT (Ctrl+C) while the frames are drawn ends the run with no file and no temporary file.
TEST(AnimateCommand, InterruptedRunLeavesNothing) {
    ScratchDir dir;
    for (const char* out : {"path.webp", "frames/"}) {
        const CommandResult r =
            runProgram("/usr/bin/timeout",
                       {"-s", "INT", "1", VESK_EXECUTABLE, "animate", "--year", "2024", "--month",
                        "4", "--step", "1", "--size", "2000x1400", "--out", out},
                       dir.path());
        EXPECT_EQ(r.status, 124) << out << ": " << r.err; // ended by timeout's signal
        EXPECT_TRUE(namesIn(dir.path()).empty()) << "after SIGINT with --out " << out;
    }
}
