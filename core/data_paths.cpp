#include "data_paths.h"

#include <cstdlib>
#include <system_error>

namespace vesk {

DataPaths standardDataPaths(const std::filesystem::path& exePath, const char* dataEnv) {
    DataPaths paths;
    paths.dirs.emplace_back(".");
    if (dataEnv != nullptr && *dataEnv != '\0')
        paths.dirs.emplace_back(dataEnv);
    if (!exePath.empty())
        paths.dirs.push_back(exePath.parent_path() / "data");
    return paths;
}

DataPaths processDataPaths() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        exe.clear();
    return standardDataPaths(exe, std::getenv("VESK_DATA"));
}

std::filesystem::path findDataFile(const DataPaths& paths, std::string_view name) {
    for (const std::filesystem::path& dir : paths.dirs) {
        std::filesystem::path candidate = dir / name;
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error))
            return candidate;
    }
    return {};
}

} // namespace vesk
