// SPDX-License-Identifier: GPL-3.0-or-later
// Which paths the program may write an output file to. An output replaces only a regular file
// (or creates a new one); a device node, a FIFO, a socket or a directory at the path, or at the
// end of the symbolic links it names, is refused, so that no output ever turns a special file
// into a regular one or blocks on a FIFO without a reader.
#pragma once

#include <filesystem>
#include <string>

namespace vesk {

// Empty when path names nothing yet or a regular file (through any symbolic links); else why
// it is refused, naming the path.
std::string outputPathRefusal(const std::filesystem::path& path);

} // namespace vesk
