// SPDX-License-Identifier: GPL-3.0-or-later
// What the fuzz harnesses share: a scratch folder of their own for the files that a reader
// opens by name, and the repository's data folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace vesk::fuzzing {

// A folder made once per process under the system's temporary folder.
inline const std::filesystem::path& scratchDir() {
    static const std::filesystem::path dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "vesk-fuzz-XXXXXX");
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a scratch folder");
        return std::filesystem::path(pattern);
    }();
    return dir;
}

// Writes the bytes as the named file of the scratch folder, replacing it.
inline void writeScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    std::ofstream(scratchDir() / name, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

inline std::filesystem::path sourceDataDir() {
    return std::filesystem::path(VESK_SOURCE_DIR) / "data";
}

} // namespace vesk::fuzzing
