// SPDX-License-Identifier: GPL-3.0-or-later
#include "atomic_file.h"

#include "held_signals.h"
#include "output_path.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk::tools {

namespace {

// The file a path finally names: the target of its symbolic links, if any.
std::filesystem::path finalPath(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error))
        return path;
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    return error ? path : target;
}

std::string failure(const std::filesystem::path& path, int error) {
    return "cannot write " + path.string() + ": " + std::strerror(error);
}

// The permissions a new file gets from open(2): 0666 less the umask.
mode_t newFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

void checkOutputPath(const std::filesystem::path& path) {
    if (const std::string refusal = outputPathRefusal(path); !refusal.empty())
        throw OutputRefused(refusal);
}

void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    checkOutputPath(path);
    const std::filesystem::path target = finalPath(path);
    const HeldSignals held;
    std::string temporary = target.string() + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        throw std::runtime_error(failure(target, errno));
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        written += static_cast<std::size_t>(n);
    }
    const int writeError = written == bytes.size() ? 0 : errno;
    const bool complete = writeError == 0 && fchmod(fd, newFileMode()) == 0 && fsync(fd) == 0;
    const int closeResult = close(fd);
    if (!complete || closeResult != 0 || std::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = writeError != 0 ? writeError : errno;
        unlink(temporary.c_str());
        throw std::runtime_error(failure(target, error != 0 ? error : EIO));
    }
}

} // namespace vesk::tools
