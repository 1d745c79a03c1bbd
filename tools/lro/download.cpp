#include "download.h"

#include <curl/curl.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <system_error>
#include <unistd.h>

namespace vesk::lro {

namespace {

struct Transfer {
    std::FILE* file = nullptr;
    bool terminal = false;     // progress on one line that is written over
    std::uintmax_t offset = 0; // bytes already in the partial file
    std::string name;
    int lastPercent = -1;
};

std::size_t writeBytes(char* data, std::size_t size, std::size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    return std::fwrite(data, size, count, transfer->file) * size;
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

} // namespace

std::string siblingUrl(const std::string& url, const std::string& name) {
    const std::size_t slash = url.rfind('/');
    return (slash == std::string::npos ? std::string() : url.substr(0, slash + 1)) + name;
}

void download(const std::string& url, const std::filesystem::path& target,
              std::optional<std::uintmax_t> expectedBytes) {
    if (expectedBytes && sizeOf(target) == *expectedBytes)
        return; // fetched whole before
    const std::filesystem::path part = target.string() + ".part";
    Transfer transfer;
    transfer.name = target.filename().string();
    transfer.terminal = isatty(fileno(stderr)) != 0;
    transfer.offset = sizeOf(part);
    if (!expectedBytes || transfer.offset > *expectedBytes) {
        std::filesystem::remove(part);
        transfer.offset = 0;
    }
    const std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), curl_easy_cleanup);
    transfer.file = std::fopen(part.c_str(), "ab");
    if (!curl || transfer.file == nullptr)
        throw std::runtime_error("cannot write " + part.string());
    char error[CURL_ERROR_SIZE] = "";
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(curl.get(), CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, writeBytes);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl.get(), CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl.get(), CURLOPT_XFERINFOFUNCTION, showProgress);
    curl_easy_setopt(curl.get(), CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl.get(), CURLOPT_RESUME_FROM_LARGE,
                     static_cast<curl_off_t>(transfer.offset));
    const CURLcode result = curl_easy_perform(curl.get());
    const bool closed = std::fclose(transfer.file) == 0;
    if (transfer.lastPercent >= 0)
        std::fputc('\n', stderr);
    if (result != CURLE_OK)
        throw FetchError("cannot fetch " + url + ": " +
                         (*error != '\0' ? error : curl_easy_strerror(result)) +
                         " (what arrived is kept in " + part.string() + ")");
    if (!closed)
        throw std::runtime_error("cannot write " + part.string());
    const std::uintmax_t size = sizeOf(part);
    if (expectedBytes && size != *expectedBytes) {
        if (size > *expectedBytes)
            std::filesystem::remove(part);
        throw std::runtime_error(url + " gave " + std::to_string(size) +
                                 " bytes; the label states " + std::to_string(*expectedBytes));
    }
    std::filesystem::rename(part, target);
    if (!transfer.terminal)
        std::fprintf(stderr, "%s: %ju bytes\n", transfer.name.c_str(), size);
}

} // namespace vesk::lro
