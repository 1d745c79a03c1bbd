// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program's output files go. Every file is written whole or not at all: a failed
// write leaves the earlier file as it was and no temporary file behind. The implementation
// over Qt's QSaveFile serves the window and the command line; the computing folders only hand
// over the bytes.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace vesk {

struct OutputFile {
    std::filesystem::path path;
    std::string bytes;
};

class FileSink {
  public:
    virtual ~FileSink() = default;
    // Writes the files together: all of them, or none (each earlier file stays as it was). An
    // empty text on success, else what failed: the file and the reason.
    virtual std::string writeTogether(const std::vector<OutputFile>& files) = 0;
};

} // namespace vesk
