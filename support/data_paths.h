// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program finds the files it reads: the working directory first, then the user's data
// folder ($XDG_DATA_HOME/vesk, by default ~/.local/share/vesk), then the installed data folder
// relative to the executable (bin/../share/vesk), then the folder named by VESK_DATA, then the
// folder "data" beside the executable (the build tree). A file that cannot be read, or that its
// reader refuses, is passed over with a note naming it, and the next folder's file is used.
#pragma once

#include "file_sink.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vesk {

struct DataPaths {
    DataPaths(std::vector<std::filesystem::path> dirs = {}, std::filesystem::path cacheDir = {})
        : dirs(std::move(dirs)), cacheDir(std::move(cacheDir)) {}
    std::vector<std::filesystem::path> dirs; // searched in order
    // where indexes made of the data files are kept for later runs, and the writer that keeps
    // them there; none are kept without both
    std::filesystem::path cacheDir;
    std::shared_ptr<FileSink> cacheFiles;
};

// The data files passed over by a search: one line each, naming the file and why.
using IgnoredFiles = std::vector<std::string>;

// The full path by which a note names a data file ("./color.txt" says little in a status bar).
std::string noteName(const std::filesystem::path& path);

// The standard search order for a program whose executable lies at exePath (empty: unknown).
// userDataDir is the user's data folder (empty: none); dataEnv is the value of VESK_DATA, or
// null when it is not set.
DataPaths standardDataPaths(const std::filesystem::path& exePath,
                            const std::filesystem::path& userDataDir, const char* dataEnv);

// The user's data folder: $XDG_DATA_HOME/vesk, else $HOME/.local/share/vesk (empty when neither
// variable is set).
std::filesystem::path userDataDir(const char* xdgDataHome, const char* home);

// The user's cache folder: $XDG_CACHE_HOME/vesk, else $HOME/.cache/vesk (empty when neither
// variable is set).
std::filesystem::path userCacheDir(const char* xdgCacheHome, const char* home);

// The data directories of this process: standardDataPaths for /proc/self/exe, the user's data
// folder and VESK_DATA; and the user's cache folder.
DataPaths processDataPaths();

// The first existing regular file called name in the search order, or an empty path.
std::filesystem::path findDataFile(const DataPaths& paths, std::string_view name);

// Why the reader of a data file refuses it (empty: it took the file).
using DataFileReader = std::function<std::string(const std::filesystem::path&)>;

// The first regular file called name in the search order that can be opened for reading and
// that read takes (without read: the first that can be read), or an empty path. Each file
// passed over adds a line to ignored: "PATH cannot be read: REASON" or "PATH: REFUSAL".
std::filesystem::path findDataFile(const DataPaths& paths, std::string_view name,
                                   IgnoredFiles& ignored, const DataFileReader& read = {});

// What a data file holds, as far as its path, size and time of change tell: a file read before is
// read again only when its identity has changed.
struct FileIdentity {
    std::filesystem::path path;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type changed;
    bool operator==(const FileIdentity&) const = default;
};

// The identity of the file at path (one with the path alone when it cannot be looked at).
FileIdentity fileIdentity(const std::filesystem::path& path);

// The identities of the files called name in the folders of the search order, in order: what
// findDataFile would find among and read again (the same ones, the same outcome).
std::vector<FileIdentity> candidateIdentities(const DataPaths& paths, std::string_view name);

// A data file read through findDataFile and kept: the files it was chosen among and the notes
// of passing over others, to be told again whenever the kept reading is used.
struct KeptReading {
    std::vector<FileIdentity> candidates;
    IgnoredFiles notes;
    bool valid = false;
};

// count little-endian 16-bit integers of a file from the first'th on, read straight into the
// result; empty when the file is missing or shorter than that.
std::vector<std::int16_t> readInt16File(const std::filesystem::path& path, std::size_t count,
                                        std::size_t first = 0);

// The first count little-endian 16-bit integers of the data file called name, read straight into
// the result; empty when the file is missing or shorter than that.
std::vector<std::int16_t> readInt16Grid(const DataPaths& paths, std::string_view name,
                                        std::size_t count);

// A data set of the process, read by load from paths when it is first asked for (from any
// thread) and kept; notes get what the reading passed over.
template <typename T> class KeptData {
  public:
    using Loader = std::function<std::optional<T>(const DataPaths&, IgnoredFiles&)>;
    KeptData(DataPaths paths, Loader load) : paths(std::move(paths)), load(std::move(load)) {}
    // The data, or null when there is none.
    const T* get() {
        std::call_once(read, [this] {
            kept = load(paths, notes);
            done = true;
        });
        return kept ? &*kept : nullptr;
    }
    // Whether the data has been read (and notes is complete).
    bool loaded() const { return done; }
    IgnoredFiles notes;

  private:
    DataPaths paths;
    Loader load;
    std::once_flag read;
    std::atomic<bool> done{false};
    std::optional<T> kept;
};

} // namespace vesk
