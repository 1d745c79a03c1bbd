// SPDX-License-Identifier: GPL-3.0-or-later
// "vesk animate" as a user runs it: the frames read back by Qt's WebP plugin and compared with
// the pictures of "render --at", bad options and special files refused, and an interrupted run
// that leaves nothing behind.
#include "local_circumstances.h"
#include "shadow_layer.h"
#include "test_support.h"

#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <map>

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

namespace {

std::vector<std::string> animateInto(const char* step, const char* out) {
    return animate2024({"--step", step, "--size", "600x400", "--out", out});
}

} // namespace

// A second run into a folder leaves exactly its own frames there (a shorter run none of the
// first's later ones); a folder with a file of the user's in it is refused and left as it was;
// the folders a run killed outright left beside it are removed.
TEST(AnimateCommand, FolderHoldsExactlyTheLastRunsFrames) {
    ScratchDir dir;
    CommandResult r = runVesk(animateInto("5", "frames/"), dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(namesIn(dir.path() / "frames").size(), 63u);
    const std::filesystem::path killed = dir.path() / ".frames.vesk-frames-999999999-a1b2c3";
    std::filesystem::create_directory(killed);
    dir.write(".frames.vesk-frames-999999999-a1b2c3/frame0001.png", "half");
    r = runVesk(animateInto("30", "frames"), dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("11 frames"), std::string::npos) << r.out;
    std::vector<std::string> names = namesIn(dir.path() / "frames");
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names.size(), 11u);
    EXPECT_EQ(names.front(), "frame0001.png");
    EXPECT_EQ(names.back(), "frame0011.png");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"frames"}) << "nothing beside it";

    dir.write("frames/notes.txt", "my notes");
    const auto before = folderContents(dir.path() / "frames");
    r = runVesk(animateInto("5", "frames/"), dir.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("holds notes.txt"), std::string::npos) << r.err;
    EXPECT_EQ(folderContents(dir.path() / "frames"), before);
    r = runVesk(animateInto("5", "./"), dir.path() / "frames");
    EXPECT_EQ(r.status, 2) << "the working folder itself is never replaced";
    EXPECT_EQ(folderContents(dir.path() / "frames"), before);
}

// SIGTERM at any moment of a run that replaces an earlier run's frames leaves the folder as it
// was or with the new frames, whole, and nothing beside it: the signal waits while the folder
// changes, whichever thread the system hands it to. The moments are fractions of a whole run's
// length, most of them near its end, where the frames are written.
TEST(AnimateCommand, SignalLeavesTheOldFramesOrTheNewOnes) {
    ScratchDir dir;
    const auto earlierRun = [&] {
        std::filesystem::remove_all(dir.path() / "frames");
        return runVesk(animateInto("30", "frames/"), dir.path()).status;
    };
    ASSERT_EQ(earlierRun(), 0);
    const auto earlier = folderContents(dir.path() / "frames");
    ASSERT_EQ(earlier.size(), 11u);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(runVesk(animateInto("2", "whole/"), dir.path()).status, 0);
    const double runSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::filesystem::remove_all(dir.path() / "whole");
    std::size_t replaced = 0;
    const std::vector<double> fractions = {0.5, 0.8, 0.9, 0.95, 1.0, 1.1};
    for (const double fraction : fractions) {
        const std::string delay = std::to_string(fraction * runSeconds);
        std::vector<std::string> args = {"-s", "TERM", delay, VESK_EXECUTABLE};
        for (const std::string& arg : animateInto("2", "frames/"))
            args.push_back(arg);
        runProgram("/usr/bin/timeout", args, dir.path());
        EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"frames"}) << delay;
        const auto now = folderContents(dir.path() / "frames");
        if (now == earlier)
            continue;
        ++replaced;
        EXPECT_EQ(now.size(), 156u) << "after SIGTERM at " << delay << " s: a mix";
        for (const auto& [name, bytes] : now)
            EXPECT_TRUE(name.starts_with("frame") && bytes.starts_with("\x89PNG")) << name;
        ASSERT_EQ(earlierRun(), 0);
    }
    std::printf("(%zu of %zu runs ended with the new frames)\n", replaced, fractions.size());
}

namespace {

std::vector<std::string> viewFromDallas(const std::vector<std::string>& more) {
    return animate2024([&] {
        std::vector<std::string> args = {"--mode", "view",     "--lon", "-96.8",  "--lat",
                                         "32.78",  "--height", "0",     "--size", "500x350"};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }());
}

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

// The view from the place: its frames run from the place's first to its last contact, each the
// still of render --mode view --at its instant, pixel for pixel; a place that sees nothing, a view
// without a place and --north-up with the map are refused; SIGTERM while a run replaces a WebP
// file leaves the old file or the new one, whole.
TEST(AnimateCommand, ViewFromThePlaceFramesAreItsStills) {
    ScratchDir dir;
    CommandResult r = runVesk(viewFromDallas({"--step", "20", "--out", "view/"}), dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    const Frames frames;
    const EclipseRecord& record = frames.eclipse.catalog.record;
    const LocalCircumstances local =
        localCircumstances(record, observerAt(-96.8, 32.78, 0), frames.eclipse.deltaT);
    ASSERT_TRUE(local.first && local.fourth);
    const double first = dayHoursOf(record, local.first->shadow.t, frames.eclipse.deltaT);
    const double last = dayHoursOf(record, local.fourth->shadow.t, frames.eclipse.deltaT);
    const auto count = static_cast<std::size_t>(std::floor((last - first) * 3)) + 1;
    EXPECT_EQ(namesIn(dir.path() / "view").size(), count);
    const double dayStart = std::floor(record.jd - 0.5) + 0.5;
    for (const int k : {0, 4}) {
        char at[32];
        std::snprintf(at, sizeof at, "%.9f", dayStart + (first + k / 3.0) / 24);
        r = runVesk({"render", "--year", "2024", "--month", "4", "--mode", "view", "--lon", "-96.8",
                     "--lat", "32.78", "--height", "0", "--size", "500x350", "--at", at, "--out",
                     "still.png"},
                    dir.path());
        ASSERT_EQ(r.status, 0) << r.err;
        char name[32];
        std::snprintf(name, sizeof name, "view/frame%04d.png", k + 1);
        const QImage frame(QString::fromStdString((dir.path() / name).string()));
        const QImage still(QString::fromStdString((dir.path() / "still.png").string()));
        ASSERT_FALSE(frame.isNull());
        EXPECT_EQ(frame.convertToFormat(QImage::Format_RGB32),
                  still.convertToFormat(QImage::Format_RGB32))
            << name;
    }

    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"--mode", "view", "--out", "v.webp"}, "needs the place"},
        {{"--north-up", "--out", "v.webp"}, "--north-up"},
        {{"--mode", "view", "--lon", "100", "--lat", "-60", "--out", "v.webp"}, "does not see"}};
    for (const auto& [more, named] : refused) {
        r = runVesk(animate2024(more), dir.path());
        EXPECT_NE(r.status, 0) << named;
        EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "v.webp"));
    }

    ASSERT_EQ(runVesk(viewFromDallas({"--step", "30", "--out", "v.webp"}), dir.path()).status, 0);
    const std::string old = fileBytes(dir.path() / "v.webp");
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(runVesk(viewFromDallas({"--step", "1", "--out", "new.webp"}), dir.path()).status, 0);
    const double runSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const std::string whole = fileBytes(dir.path() / "new.webp");
    for (const double fraction : {0.6, 0.95, 1.05}) {
        std::vector<std::string> args = {"-s", "TERM", std::to_string(fraction * runSeconds),
                                         VESK_EXECUTABLE};
        for (const std::string& arg : viewFromDallas({"--step", "1", "--out", "v.webp"}))
            args.push_back(arg);
        runProgram("/usr/bin/timeout", args, dir.path());
        const std::string now = fileBytes(dir.path() / "v.webp");
        EXPECT_TRUE(now == old || now == whole) << "after SIGTERM at " << fraction;
        EXPECT_EQ(namesIn(dir.path()).size(), 4U) << "no temporary file left beside it";
        std::ofstream(dir.path() / "v.webp", std::ios::binary) << old; // the old file again
    }
}
