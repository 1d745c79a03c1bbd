#include "data_paths.h"

#include <bit>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace vesk {

DataPaths standardDataPaths(const std::filesystem::path& exePath, const char* dataEnv) {
    DataPaths paths;
    paths.dirs.emplace_back(".");
    if (!exePath.empty())
        paths.dirs.push_back((exePath.parent_path() / VESK_INSTALLED_DATA).lexically_normal());
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

std::vector<std::int16_t> readInt16Grid(const DataPaths& paths, std::string_view name,
                                        std::size_t count) {
    const std::filesystem::path path = findDataFile(paths, name);
    std::ifstream in(path, std::ios::binary);
    if (path.empty() || !in)
        return {};
    std::vector<std::int16_t> values(count);
    const auto bytes = static_cast<std::streamsize>(count * sizeof(std::int16_t));
    if (!in.read(reinterpret_cast<char*>(values.data()), bytes))
        return {};
    if constexpr (std::endian::native == std::endian::big)
        for (std::int16_t& v : values) {
            const auto u = static_cast<std::uint16_t>(v);
            v = static_cast<std::int16_t>((u >> 8) | (u << 8));
        }
    return values;
}

} // namespace vesk
