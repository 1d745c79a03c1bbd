// SPDX-License-Identifier: GPL-3.0-or-later
// The data tools' output files: written whole into a private temporary file beside the target
// (mkstemp), flushed, then renamed over the target, so that a failed or interrupted run leaves
// the earlier file as it was. A symbolic link to a regular file has its target replaced; a
// device node, FIFO or other special file is refused before anything is written. SIGINT,
// SIGTERM and SIGHUP wait while the temporary file exists, so no signal leaves it behind.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace vesk::tools {

// An output path that names a special file or a folder (the tools exit with status 2).
struct OutputRefused : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws OutputRefused when path may not be written (see outputPathRefusal).
void checkOutputPath(const std::filesystem::path& path);

// Replaces path (or the regular file its symbolic links lead to) by bytes; throws
// std::runtime_error naming the file when it cannot, OutputRefused for a special file.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace vesk::tools
