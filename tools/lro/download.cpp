// SPDX-License-Identifier: GPL-3.0-or-later
#include "download.h"

#include "atomic_file.h"

#include <curl/curl.h>

#include <cstdio>
#include <memory>
#include <system_error>
#include <unistd.h>

namespace vesk::lro {

namespace {

struct Transfer {
    std::FILE* file = nullptr;
    bool terminal = false;     // progress on one line that is written over
    std::uintmax_t offset = 0; // bytes already in the partial file
    std::uintmax_t received = 0;
    std::uintmax_t maxBytes = 0;
    bool tooLarge = false;
    std::string name;
    int lastPercent = -1;
};

// Refuses (returns short) the bytes that would take the file past its largest size.
std::size_t writeBytes(char* data, std::size_t size, std::size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    if (transfer->offset + transfer->received + bytes > transfer->maxBytes) {
        transfer->tooLarge = true;
        return 0;
    }
    const std::size_t written = std::fwrite(data, 1, bytes, transfer->file);
    transfer->received += written;
    return written;
}

// "NAME: 42 % (120 of 285 MB)" on one terminal line.
int showProgress(void* user, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t) {
    auto* transfer = static_cast<Transfer*>(user);
    if (total <= 0 || !transfer->terminal)
        return 0;
    const double whole = static_cast<double>(transfer->offset + total);
    const double done = static_cast<double>(transfer->offset + now);
    const int percent = static_cast<int>(100 * done / whole);
    if (percent != transfer->lastPercent) {
        transfer->lastPercent = percent;
        std::fprintf(stderr, "\r%s: %3d %% (%.1f of %.1f MB)", transfer->name.c_str(), percent,
                     done / 1e6, whole / 1e6);
        std::fflush(stderr);
    }
    return 0;
}

std::uintmax_t sizeOf(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

// What one attempt of the transfer ended with.
struct Attempt {
    CURLcode result = CURLE_OK;
    long status = 0; // HTTP status
    std::string error;
    bool tooLarge = false;
};

Attempt transferOnce(const std::string& url, const std::filesystem::path& part,
                     const DownloadLimits& limits, Transfer& transfer) {
    const std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), curl_easy_cleanup);
    transfer.file = std::fopen(part.c_str(), "ab");
    if (!curl || transfer.file == nullptr)
        throw std::runtime_error("cannot write " + part.string());
    char error[CURL_ERROR_SIZE] = "";
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, allowedProtocols(url).c_str());
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "https");
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, limits.timeoutSeconds);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, limits.timeoutSeconds);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, writeBytes);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, showProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(c, CURLOPT_RESUME_FROM_LARGE, static_cast<curl_off_t>(transfer.offset));
    Attempt attempt;
    attempt.result = curl_easy_perform(c);
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &attempt.status);
    attempt.error = *error != '\0' ? error : curl_easy_strerror(attempt.result);
    attempt.tooLarge = transfer.tooLarge;
    const bool closed = std::fclose(transfer.file) == 0;
    transfer.file = nullptr;
    if (transfer.lastPercent >= 0)
        std::fputc('\n', stderr);
    if (!closed)
        throw std::runtime_error("cannot write " + part.string());
    return attempt;
}

std::string sizeText(std::uintmax_t bytes) {
    return std::to_string(bytes) + " bytes";
}

} // namespace

std::string allowedProtocols(const std::string& url) {
    if (url.starts_with("https://"))
        return "https";
    if (url.starts_with("file://"))
        return "file";
    for (const char* local :
         {"http://127.0.0.1/", "http://127.0.0.1:", "http://localhost/", "http://localhost:"})
        if (url.starts_with(local))
            return "http";
    return "";
}

std::string siblingUrl(const std::string& url, const std::string& name) {
    const std::size_t slash = url.rfind('/');
    return (slash == std::string::npos ? std::string() : url.substr(0, slash + 1)) + name;
}

void download(const std::string& url, const std::filesystem::path& target,
              const DownloadLimits& limits) {
    const std::filesystem::path part = target.string() + ".part";
    tools::checkOutputPath(target);
    tools::checkOutputPath(part);
    const auto expected = limits.expectedBytes;
    if (expected && sizeOf(target) == *expected)
        return; // fetched whole before
    Transfer transfer;
    transfer.name = target.filename().string();
    transfer.terminal = isatty(fileno(stderr)) != 0;
    transfer.maxBytes = expected.value_or(limits.maxBytes);
    // a partial download is continued, as the run that left it said (without an expected size
    // too: a file that then exceeds maxBytes is refused)
    transfer.offset = sizeOf(part);
    if ((expected && transfer.offset > *expected) || transfer.offset >= transfer.maxBytes) {
        std::filesystem::remove(part);
        transfer.offset = 0;
    }
    Attempt attempt;
    if (!expected || transfer.offset < *expected) {
        attempt = transferOnce(url, part, limits, transfer);
        if ((attempt.result == CURLE_RANGE_ERROR || attempt.result == CURLE_BAD_DOWNLOAD_RESUME) &&
            transfer.offset > 0) {
            // The server cannot continue a download: fetch the file whole again.
            std::fprintf(stderr, "%s: the server cannot resume; starting again\n",
                         transfer.name.c_str());
            std::filesystem::remove(part);
            transfer.offset = transfer.received = 0;
            attempt = transferOnce(url, part, limits, transfer);
        }
    }
    const std::uintmax_t size = sizeOf(part);
    if (attempt.tooLarge) {
        std::filesystem::remove(part);
        throw std::runtime_error(url + " sends more than the " + sizeText(transfer.maxBytes) +
                                 (expected ? " the label states" : " a label can have") +
                                 "; nothing was kept");
    }
    if (attempt.result != CURLE_OK) {
        if (size == 0)
            std::filesystem::remove(part);
        const std::string status =
            attempt.status >= 400 ? "the server answered HTTP " + std::to_string(attempt.status)
                                  : attempt.error;
        throw FetchError("cannot fetch " + url + ": " + status +
                         (size > 0 ? " (the " + sizeText(size) + " that arrived are kept in " +
                                         part.string() + " and continued by the next run)"
                                   : ""));
    }
    if (expected && size != *expected)
        throw std::runtime_error(url + " gave " + sizeText(size) + "; the label states " +
                                 sizeText(*expected) + " (kept in " + part.string() +
                                 " and continued by the next run)");
    std::filesystem::rename(part, target);
    if (!transfer.terminal)
        std::fprintf(stderr, "%s: %ju bytes\n", transfer.name.c_str(), size);
}

} // namespace vesk::lro
