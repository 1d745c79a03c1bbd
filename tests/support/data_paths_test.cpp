// SPDX-License-Identifier: GPL-3.0-or-later
#include "data_paths.h"
#include "mapped_file.h"
#include "test_support.h"

#include <chrono>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vesk;
using vesk::testing::ScratchDir;

TEST(DataPaths, WorkingDirectoryThenUserThenInstalledThenEnvironmentThenBesideTheExecutable) {
    const DataPaths paths =
        standardDataPaths("/opt/vesk/bin/vesk", "/home/u/.local/share/vesk", "/srv/eclipses");
    ASSERT_EQ(paths.dirs.size(), 5u);
    EXPECT_EQ(paths.dirs[0], ".");
    EXPECT_EQ(paths.dirs[1], "/home/u/.local/share/vesk");
    EXPECT_EQ(paths.dirs[2], "/opt/vesk/share/vesk") << "relative to the executable";
    EXPECT_EQ(paths.dirs[3], "/srv/eclipses");
    EXPECT_EQ(paths.dirs[4], "/opt/vesk/bin/data");
    EXPECT_EQ(standardDataPaths("/opt/vesk/bin/vesk", "", "").dirs.size(), 3u);
    EXPECT_EQ(standardDataPaths("", "", nullptr).dirs.size(), 1u);
    // The user's folder by the XDG base directory rules.
    EXPECT_EQ(userDataDir("/x/data", "/home/u"), "/x/data/vesk");
    EXPECT_EQ(userDataDir(nullptr, "/home/u"), "/home/u/.local/share/vesk");
    EXPECT_EQ(userDataDir("relative", "/home/u"), "/home/u/.local/share/vesk");
    EXPECT_EQ(userDataDir("", nullptr), "");
}

TEST(DataPaths, FirstExistingFileWins) {
    ScratchDir first, second;
    second.write("location.new", "b");
    DataPaths paths;
    paths.dirs = {first.path(), second.path()};
    EXPECT_EQ(findDataFile(paths, "location.new"), second.path() / "location.new");
    first.write("location.new", "a");
    EXPECT_EQ(findDataFile(paths, "location.new"), first.path() / "location.new");
    EXPECT_TRUE(findDataFile(paths, "globe04.dat").empty());
    std::filesystem::create_directory(first.path() / "color.txt");
    EXPECT_TRUE(findDataFile(paths, "color.txt").empty()) << "a folder is not a data file";
}

TEST(DataPaths, Int16GridIsLittleEndianAndWhole) {
    ScratchDir dir;
    DataPaths paths;
    paths.dirs = {dir.path()};
    EXPECT_TRUE(readInt16Grid(paths, "grid.dat", 2).empty()) << "missing file";
    // 0x1234, -2 (0xfffe), then a spare byte beyond the values asked for
    dir.write("grid.dat", std::string("\x34\x12\xfe\xff\x07", 5));
    EXPECT_EQ(readInt16Grid(paths, "grid.dat", 2), (std::vector<std::int16_t>{0x1234, -2}));
    EXPECT_TRUE(readInt16Grid(paths, "grid.dat", 3).empty()) << "a short file is no grid";
}

// A file that its reader refuses, or that cannot be read, is passed over with a note naming it.
TEST(DataPaths, FilesPassedOverAreNamed) {
    ScratchDir first, second;
    first.write("color.txt", "bad");
    second.write("color.txt", "good");
    const DataPaths paths{{first.path(), second.path()}};
    IgnoredFiles ignored;
    const auto goodOnly = [](const std::filesystem::path& p) {
        return vesk::testing::readFile(p) == "good" ? std::string() : std::string("not good");
    };
    EXPECT_EQ(findDataFile(paths, "color.txt", ignored, goodOnly), second.path() / "color.txt");
    EXPECT_EQ(ignored, (IgnoredFiles{(first.path() / "color.txt").string() + ": not good"}));
    EXPECT_EQ(findDataFile(paths, "color.txt", ignored), first.path() / "color.txt");
    EXPECT_EQ(ignored.size(), 1u);
}

// A mapped file gives a regular file's bytes; a folder, a missing file and a FIFO give none and
// say why, the FIFO at once (a writer is not waited for).
TEST(MappedFile, RegularFilesOnlyAndNoWaitOnAFifo) {
    ScratchDir dir;
    const MappedFile text(dir.write("text", "bytes\n"));
    EXPECT_EQ(text.bytes(), "bytes\n");
    EXPECT_EQ(MappedFile(dir.path()).error(), "not a regular file");
    EXPECT_FALSE(MappedFile(dir.path() / "missing").error().empty());
    const std::filesystem::path fifo = dir.path() / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto mapped = std::async(std::launch::async, [&] { return MappedFile(fifo).error(); });
    if (mapped.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        const int writer = open(fifo.c_str(), O_WRONLY); // lets the waiting reader go
        mapped.wait();
        close(writer);
        FAIL() << "the FIFO was waited on";
    }
    EXPECT_EQ(mapped.get(), "not a regular file");
}
