// SPDX-License-Identifier: GPL-3.0-or-later
// Downloads over https, or from a file where the label was given as one, resumable: a partial
// download is kept beside the target as TARGET.part and continued by the next run (or begun anew
// where the server cannot resume).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace vesk::lro {

// A download that the server or the network refused (no such file, no connection, a stall).
struct FetchError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The protocols curl may use for an address given by the user: https, and a redirection only to
// https; a local file only for an address that is one ("file://"); plain http only from this
// machine (a mirror at 127.0.0.1 or localhost, which no network carries). Empty for any other
// address, which is refused.
std::string allowedProtocols(const std::string& url);

struct DownloadLimits {
    // The size the file must have: a target of that size is taken as done, a partial download
    // is continued, and one that ends at another size is refused. Without it the file is
    // fetched whole anew and may have any size up to maxBytes.
    std::optional<std::uintmax_t> expectedBytes;
    std::uintmax_t maxBytes = 0; // the transfer stops as soon as it would pass this
    long timeoutSeconds = 60;    // to connect, and the longest time without a byte
};

// Fetches url into target. Throws FetchError for what the server or network did (the message
// names the HTTP status or the stall; an empty TARGET.part is removed), std::runtime_error for
// a file of the wrong size (a larger one is removed, a shorter one kept to be continued) or a
// file that cannot be written. Progress goes to standard error.
void download(const std::string& url, const std::filesystem::path& target,
              const DownloadLimits& limits);

// The address of a file named name (a bare file name) in the same folder as url.
std::string siblingUrl(const std::string& url, const std::string& name);

} // namespace vesk::lro
