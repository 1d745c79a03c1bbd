// SPDX-License-Identifier: GPL-3.0-or-later
#include "output_path.h"

#include <system_error>

namespace vesk {

std::string outputPathRefusal(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found ||
        status.type() == std::filesystem::file_type::regular)
        return "";
    if (error)
        return "cannot write " + path.string() + ": " + error.message();
    if (status.type() == std::filesystem::file_type::directory)
        return path.string() + " is a folder, not a file";
    return path.string() + " is a device, FIFO or socket, not a regular file: it is not replaced";
}

} // namespace vesk
