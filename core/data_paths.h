// Where the program finds the files it reads: the working directory first, then the installed
// data folder relative to the executable (bin/../share/vesk), then the folder named by
// VESK_DATA, then the folder "data" beside the executable (the build tree).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace vesk {

struct DataPaths {
    std::vector<std::filesystem::path> dirs; // searched in order
};

// The standard search order for a program whose executable lies at exePath (empty: unknown).
// dataEnv is the value of VESK_DATA, or null when it is not set.
DataPaths standardDataPaths(const std::filesystem::path& exePath, const char* dataEnv);

// The data directories of this process: standardDataPaths for /proc/self/exe and VESK_DATA.
DataPaths processDataPaths();

// The first existing regular file called name in the search order, or an empty path.
std::filesystem::path findDataFile(const DataPaths& paths, std::string_view name);

// The first count little-endian 16-bit integers of the data file called name, read straight into
// the result; empty when the file is missing or shorter than that.
std::vector<std::int16_t> readInt16Grid(const DataPaths& paths, std::string_view name,
                                        std::size_t count);

} // namespace vesk
