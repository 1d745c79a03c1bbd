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

// The sink of the user's cache: the files' folders made where they are missing, then the files
// saved as SaveFileSink saves them.
class CacheFileSink : public SaveFileSink {
  public:
    std::string writeTogether(const std::vector<OutputFile>& files) override;
};

// The files of a folder that a run replaces whole: the names it may hold (the frames of an
// earlier run, "frame0001.png", ...), as isOurs tells.
using OwnedName = bool (*)(const std::string& name);

// Why folder cannot be replaced: it is a symbolic link, the working folder or one above it, not
// a folder, or holds a name that isOurs does not own (so that no file of the user's is ever
// removed); empty when it can (or does not exist yet).
std::string folderReplacementRefusal(const std::filesystem::path& folder, OwnedName isOurs);

// Makes files (named within the folder) the folder's whole content, or changes nothing: they
// are written into a new folder beside it, which then takes the folder's place (an exchange of
// names where the filesystem has one, else the old folder is renamed aside first), and the old
// folder's own files are removed. The new folder's name says what it is
// (".NAME.vesk-frames-PID-XXXXXX"); one left by a run killed outright is removed by the next.
// SIGINT, SIGTERM and SIGHUP wait while the names change. Empty, or what failed.
std::string replaceFolder(const std::filesystem::path& folder, const std::vector<OutputFile>& files,
                          OwnedName isOurs);

// The image encoded as PNG into bytes; false when it cannot be.
bool encodePng(const QImage& image, std::string& bytes);

// Writes the image as a PNG file whole or not at all; an empty text, or the failure.
std::string savePng(const QImage& image, const std::filesystem::path& path);

} // namespace vesk
