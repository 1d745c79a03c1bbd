#include "data_paths.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace vesk;
using vesk::testing::ScratchDir;

TEST(DataPaths, WorkingDirectoryThenInstalledThenEnvironmentThenBesideTheExecutable) {
    const DataPaths paths = standardDataPaths("/opt/vesk/bin/vesk", "/srv/eclipses");
    ASSERT_EQ(paths.dirs.size(), 4u);
    EXPECT_EQ(paths.dirs[0], ".");
    EXPECT_EQ(paths.dirs[1], "/opt/vesk/share/vesk") << "relative to the executable";
    EXPECT_EQ(paths.dirs[2], "/srv/eclipses");
    EXPECT_EQ(paths.dirs[3], "/opt/vesk/bin/data");
    EXPECT_EQ(standardDataPaths("/opt/vesk/bin/vesk", "").dirs.size(), 3u);
    EXPECT_EQ(standardDataPaths("", nullptr).dirs.size(), 1u);
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
