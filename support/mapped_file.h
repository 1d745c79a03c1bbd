// SPDX-License-Identifier: GPL-3.0-or-later
// A file mapped into memory for reading: its bytes without copying them.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vesk {

class MappedFile {
  public:
    // Maps a regular file; bytes() is empty and error() says why when it cannot.
    explicit MappedFile(const std::filesystem::path& path);
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    std::string_view bytes() const { return {data, size}; }
    const std::string& error() const { return failure; }

  private:
    const char* data = nullptr;
    std::size_t size = 0;
    std::string failure;
};

} // namespace vesk
