// SPDX-License-Identifier: GPL-3.0-or-later
#include "data_paths.h"

#include <bit>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <system_error>

namespace vesk {

DataPaths standardDataPaths(const std::filesystem::path& exePath,
                            const std::filesystem::path& userDataDir, const char* dataEnv) {
    DataPaths paths;
    paths.dirs.emplace_back(".");
    if (!userDataDir.empty())
        paths.dirs.push_back(userDataDir);
    if (!exePath.empty())
        paths.dirs.push_back((exePath.parent_path() / VESK_INSTALLED_DATA).lexically_normal());
    if (dataEnv != nullptr && *dataEnv != '\0')
        paths.dirs.emplace_back(dataEnv);
    if (!exePath.empty())
        paths.dirs.push_back(exePath.parent_path() / "data");
    return paths;
}

std::filesystem::path userDataDir(const char* xdgDataHome, const char* home) {
    // The XDG base directory rules: a relative XDG_DATA_HOME is ignored.
    if (xdgDataHome != nullptr && *xdgDataHome == '/')
        return std::filesystem::path(xdgDataHome) / "vesk";
    if (home != nullptr && *home != '\0')
        return std::filesystem::path(home) / ".local" / "share" / "vesk";
    return {};
}

DataPaths processDataPaths() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        exe.clear();
    DataPaths paths =
        standardDataPaths(exe, userDataDir(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")),
                          std::getenv("VESK_DATA"));
    paths.cacheDir = userCacheDir(std::getenv("XDG_CACHE_HOME"), std::getenv("HOME"));
    return paths;
}

std::filesystem::path userCacheDir(const char* xdgCacheHome, const char* home) {
    if (xdgCacheHome != nullptr && *xdgCacheHome == '/')
        return std::filesystem::path(xdgCacheHome) / "vesk";
    if (home != nullptr && *home != '\0')
        return std::filesystem::path(home) / ".cache" / "vesk";
    return {};
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

std::string noteName(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return (error ? path : full).lexically_normal().string();
}

std::filesystem::path findDataFile(const DataPaths& paths, std::string_view name,
                                   IgnoredFiles& ignored, const DataFileReader& read) {
    for (const std::filesystem::path& dir : paths.dirs) {
        const std::filesystem::path candidate = dir / name;
        std::error_code error;
        if (!std::filesystem::is_regular_file(candidate, error))
            continue;
        const std::string named = noteName(candidate);
        errno = 0;
        if (!std::ifstream(candidate, std::ios::binary)) {
            ignored.push_back(named +
                              " cannot be read: " + std::strerror(errno != 0 ? errno : EACCES));
            continue;
        }
        const std::string refusal = read ? read(candidate) : std::string();
        if (refusal.empty())
            return candidate;
        ignored.push_back(named + ": " + refusal);
    }
    return {};
}

FileIdentity fileIdentity(const std::filesystem::path& path) {
    FileIdentity identity{path, 0, {}};
    std::error_code error;
    identity.size = std::filesystem::file_size(path, error);
    if (!error)
        identity.changed = std::filesystem::last_write_time(path, error);
    if (error)
        return {path, 0, {}};
    return identity;
}

std::vector<FileIdentity> candidateIdentities(const DataPaths& paths, std::string_view name) {
    std::vector<FileIdentity> found;
    for (const std::filesystem::path& dir : paths.dirs) {
        std::error_code error;
        const std::filesystem::path candidate = dir / name;
        if (std::filesystem::exists(candidate, error))
            found.push_back(fileIdentity(candidate));
    }
    return found;
}

std::vector<std::int16_t> readInt16File(const std::filesystem::path& path, std::size_t count,
                                        std::size_t first) {
    std::ifstream in(path, std::ios::binary);
    if (path.empty() || !in || !in.seekg(static_cast<std::streamoff>(first * sizeof(std::int16_t))))
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

std::vector<std::int16_t> readInt16Grid(const DataPaths& paths, std::string_view name,
                                        std::size_t count) {
    return readInt16File(findDataFile(paths, name), count);
}

} // namespace vesk
