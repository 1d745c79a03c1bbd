// SPDX-License-Identifier: GPL-3.0-or-later
// The program's output files through Qt's QSaveFile: each goes to a unique temporary file in its
// target folder, every write and the flush are checked, and only then is it renamed over the
// earlier file. Only regular files are replaced (a special file is refused), and SIGINT, SIGTERM
// and SIGHUP wait until the files are in place, so that no temporary file stays behind.
#pragma once

#include "file_sink.h"

#include <QImage>

namespace vesk {

class SaveFileSink : public FileSink {
  public:
    std::string writeTogether(const std::vector<OutputFile>& files) override;
};

// Writes the image as a PNG file whole or not at all; an empty text, or the failure.
std::string savePng(const QImage& image, const std::filesystem::path& path);

} // namespace vesk
