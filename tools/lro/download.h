// Downloads over any protocol libcurl knows (https, http, ftp, file), resumable: a partial
// download is kept beside the target as TARGET.part and continued by the next run.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace vesk::lro {

// A download that the server or the file system refused (no such file, no connection).
struct FetchError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Fetches url into target. With expectedBytes, a target of that size is taken as done, a
// partial download is continued, and one that ends at another size is refused
// (std::runtime_error naming both sizes; a shorter one stays as TARGET.part to be continued);
// without, the file is fetched whole anew. Progress goes to standard error.
void download(const std::string& url, const std::filesystem::path& target,
              std::optional<std::uintmax_t> expectedBytes);

// The address of a file named name in the same folder as url.
std::string siblingUrl(const std::string& url, const std::string& name);

} // namespace vesk::lro
