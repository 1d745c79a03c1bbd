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

// A sink that keeps what it is given (a later file of a path in place of the earlier), for a
// caller that writes it together with a file of its own: a picture and the exports beside it are
// then all new, or all as they were.
class KeptFiles : public FileSink {
  public:
    std::string writeTogether(const std::vector<OutputFile>& files) override {
        for (const OutputFile& file : files) {
            std::erase_if(kept, [&file](const OutputFile& k) { return k.path == file.path; });
            kept.push_back(file);
        }
        return "";
    }
    std::vector<OutputFile> kept;
};

} // namespace vesk
