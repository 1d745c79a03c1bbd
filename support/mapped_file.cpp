// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapped_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk {

MappedFile::MappedFile(const std::filesystem::path& path) {
    // without blocking: a FIFO at the path is refused, not waited on
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        failure = std::strerror(errno);
        return;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        failure = "not a regular file";
    } else if (status.st_size > 0) {
        void* mapped = ::mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ,
                              MAP_PRIVATE, fd, 0);
        if (mapped == MAP_FAILED) {
            failure = std::strerror(errno);
        } else {
            data = static_cast<const char*>(mapped);
            size = static_cast<std::size_t>(status.st_size);
        }
    }
    ::close(fd);
}

MappedFile::~MappedFile() {
    if (data != nullptr)
        ::munmap(const_cast<char*>(data), size);
}

} // namespace vesk
