// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_files.h"

#include "data_paths.h"

#include "held_signals.h"
#include "output_path.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace vesk {

namespace {

// The second names of earlier files are NAME + backupInfix + the writing process's id, '-' and
// six characters.
constexpr const char* backupInfix = ".vesk-backup-";

std::string failure(const std::filesystem::path& path, const QString& reason) {
    return "cannot write " + path.string() + ": " + reason.toStdString();
}

// The failure of a file's write with the system's own words where Qt has none of its own
// ("File too large" where a write ran into the size limit, not "Unknown error").
std::string writeFailure(const std::filesystem::path& path, const QFileDevice& file,
                         int systemError) {
    const QString reason = file.errorString();
    if (systemError != 0 && (reason.isEmpty() || reason == QLatin1String("Unknown error")))
        return failure(path, QString::fromLocal8Bit(std::strerror(systemError)));
    return failure(path, reason);
}

// A second name (a hard link) of an existing file beside it, kept until the files written
// together are all in place; it puts the file back when a later one of them fails.
class Backup {
  public:
    explicit Backup(const std::filesystem::path& path) : path(QString::fromStdString(path)) {
        if (!QFile::exists(this->path))
            return;
        copy =
            std::make_unique<QTemporaryFile>(this->path + QString::fromLatin1(backupInfix) +
                                             QString::number(getpid()) + QStringLiteral("-XXXXXX"));
        std::error_code error;
        if (!copy->open() || !QFile::remove(copy->fileName()))
            copy.reset();
        else
            std::filesystem::create_hard_link(path, copy->fileName().toStdString(), error);
        if (error)
            copy.reset();
    }
    bool valid(const std::filesystem::path& file) const {
        return !QFile::exists(QString::fromStdString(file)) || copy != nullptr;
    }
    void restore() {
        if (copy) {
            QFile::remove(path);
            QFile::rename(copy->fileName(), path);
        }
    }

  private:
    QString path;
    std::unique_ptr<QTemporaryFile> copy;
};

// Whether a second name was left by a process that no longer runs: NAME + backupInfix + its id,
// '-' and six characters (a second name of a write still going on belongs to a live process).
bool staleBackup(const std::string& name, const std::string& prefix) {
    if (!name.starts_with(prefix))
        return false;
    const std::size_t dash = name.find('-', prefix.size());
    if (dash == std::string::npos || dash == prefix.size() || name.size() != dash + 7 ||
        name.find_first_not_of("0123456789", prefix.size()) != dash)
        return false;
    const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
    return pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// The names beside a folder of the new and the old folder while it is replaced.
constexpr const char* newFolderInfix = ".vesk-frames-";
constexpr const char* oldFolderInfix = ".vesk-old-";

// The folder without a final "/" or ".": the name it has in its parent.
std::filesystem::path folderItself(const std::filesystem::path& folder) {
    std::filesystem::path normal = std::filesystem::absolute(folder).lexically_normal();
    if (normal.filename().empty())
        normal = normal.parent_path();
    return normal;
}

// Removes a folder's own files (the names isOurs owns) and then the folder, if nothing else is in
// it; false when something stays.
bool removeOwnFolder(const std::filesystem::path& folder, OwnedName isOurs) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::error_code ignored;
        if (isOurs(entry.path().filename().string()) && entry.is_regular_file(ignored))
            std::filesystem::remove(entry.path(), ignored);
    }
    return !error && std::filesystem::remove(folder, error);
}

// ".NAME" + infix: how the names of the new and the old folder beside folder begin.
std::string besideName(const std::filesystem::path& folder, const char* infix) {
    std::string name(1, '.');
    name.append(folder.filename().string()).append(infix);
    return name;
}

// Removes the new and old folders that runs killed outright left beside folder.
void removeStaleFolders(const std::filesystem::path& folder, OwnedName isOurs) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder.parent_path(), error)) {
        const std::string found = entry.path().filename().string();
        std::error_code ignored;
        if ((staleBackup(found, besideName(folder, newFolderInfix)) ||
             staleBackup(found, besideName(folder, oldFolderInfix))) &&
            entry.is_directory(ignored) && !entry.is_symlink(ignored))
            removeOwnFolder(entry.path(), isOurs);
    }
}

// A new empty folder beside folder, named NAME + infix + the process's id, '-' and six
// characters; empty on failure.
std::filesystem::path folderBeside(const std::filesystem::path& folder, const char* infix) {
    std::string pattern =
        (folder.parent_path() / besideName(folder, infix)).string() + std::to_string(getpid());
    pattern += "-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        return {};
    return pattern;
}

// Removes the second names that a run killed outright (SIGKILL, a power cut) left beside path.
void removeStaleBackups(const std::filesystem::path& path) {
    const std::string prefix = path.filename().string() + backupInfix;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(
             path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path(), error)) {
        std::error_code ignored;
        if (staleBackup(entry.path().filename().string(), prefix) && entry.is_regular_file(ignored))
            std::filesystem::remove(entry.path(), ignored);
    }
}

} // namespace

std::string SaveFileSink::writeTogether(const std::vector<OutputFile>& files) {
    for (const OutputFile& file : files)
        if (const std::string refusal = outputPathRefusal(file.path); !refusal.empty())
            return refusal;
    // No signal ends the run while temporary files and second names exist.
    const HeldSignals held;
    for (const OutputFile& file : files)
        removeStaleBackups(file.path);
    std::vector<std::unique_ptr<QSaveFile>> saves;
    for (const OutputFile& file : files) {
        auto save = std::make_unique<QSaveFile>(QString::fromStdString(file.path));
        const auto size = static_cast<qint64>(file.bytes.size());
        errno = 0;
        if (!save->open(QIODevice::WriteOnly) || save->write(file.bytes.data(), size) != size ||
            !save->flush())
            return writeFailure(file.path, *save, errno);
        saves.push_back(std::move(save));
    }
    // Every file is complete in its temporary: now they replace the earlier ones, which come
    // back should a later one fail.
    std::vector<Backup> backups;
    if (files.size() > 1)
        for (const OutputFile& file : files) {
            backups.emplace_back(file.path);
            if (!backups.back().valid(file.path))
                return failure(file.path, QStringLiteral("cannot keep the earlier file"));
        }
    for (std::size_t i = 0; i < saves.size(); ++i) {
        errno = 0;
        if (!saves[i]->commit()) {
            const std::string reason = writeFailure(files[i].path, *saves[i], errno);
            for (std::size_t j = 0; j < i; ++j)
                backups[j].restore();
            return reason;
        }
    }
    return "";
}

std::string folderReplacementRefusal(const std::filesystem::path& folder, OwnedName isOurs) {
    const std::filesystem::path itself = folderItself(folder);
    std::error_code error;
    const std::filesystem::path working = std::filesystem::current_path(error);
    if (itself == itself.root_path() ||
        (!error &&
         std::mismatch(itself.begin(), itself.end(), working.begin(), working.end()).first ==
             itself.end()))
        return folder.string() + " is the working folder or holds it: name a folder of its own "
                                 "for the frames";
    const std::filesystem::file_status status = std::filesystem::symlink_status(itself, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return "";
    if (status.type() == std::filesystem::file_type::symlink)
        return folder.string() + " is a symbolic link: name the folder itself";
    if (status.type() != std::filesystem::file_type::directory)
        return folder.string() + " is not a folder";
    for (const auto& entry : std::filesystem::directory_iterator(itself, error)) {
        std::error_code ignored;
        const std::string name = entry.path().filename().string();
        if (!isOurs(name) || !entry.is_regular_file(ignored) || entry.is_symlink(ignored))
            return folder.string() + " holds " + name +
                   ", which is not a frame of an earlier run: the folder is not replaced (name an "
                   "empty or new folder)";
    }
    if (error)
        return "cannot read " + folder.string() + ": " + error.message();
    return "";
}

std::string replaceFolder(const std::filesystem::path& folder, const std::vector<OutputFile>& files,
                          OwnedName isOurs) {
    if (const std::string refusal = folderReplacementRefusal(folder, isOurs); !refusal.empty())
        return refusal;
    const std::filesystem::path itself = folderItself(folder);
    // from here the folder is the old one or the new one, whole, and no new folder stays beside
    const HeldSignals held;
    removeStaleFolders(itself, isOurs);
    const std::filesystem::path fresh = folderBeside(itself, newFolderInfix);
    if (fresh.empty())
        return "cannot make a folder beside " + folder.string() + ": " + std::strerror(errno);
    std::vector<OutputFile> inFresh;
    for (const OutputFile& file : files)
        inFresh.push_back({fresh / file.path.filename(), file.bytes});
    if (std::string failed = SaveFileSink().writeTogether(inFresh); !failed.empty()) {
        removeOwnFolder(fresh, isOurs);
        return failed;
    }
    if (std::rename(fresh.c_str(), itself.c_str()) == 0)
        return ""; // there was none
    if (errno != EEXIST && errno != ENOTEMPTY) {
        const std::string reason = std::strerror(errno);
        removeOwnFolder(fresh, isOurs);
        return "cannot write " + folder.string() + ": " + reason;
    }
    // the earlier folder: exchanged with the new one where the filesystem can, else renamed aside
    std::filesystem::path old = fresh;
    if (renameat2(AT_FDCWD, fresh.c_str(), AT_FDCWD, itself.c_str(), RENAME_EXCHANGE) != 0) {
        old = folderBeside(itself, oldFolderInfix);
        if (old.empty() || std::rename(itself.c_str(), old.c_str()) != 0 ||
            std::rename(fresh.c_str(), itself.c_str()) != 0) {
            const std::string reason = std::strerror(errno);
            if (!old.empty() && !std::filesystem::exists(itself))
                std::rename(old.c_str(), itself.c_str());
            removeOwnFolder(fresh, isOurs);
            return "cannot replace " + folder.string() + ": " + reason;
        }
    }
    removeOwnFolder(old, isOurs);
    return "";
}

bool encodePng(const QImage& image, std::string& bytes) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return false;
    bytes = buffer.data().toStdString();
    return true;
}

std::string savePng(const QImage& image, const std::filesystem::path& path) {
    OutputFile file{path, {}};
    if (!encodePng(image, file.bytes))
        return failure(path, QStringLiteral("the picture cannot be encoded"));
    return SaveFileSink().writeTogether({file});
}

std::string CacheFileSink::writeTogether(const std::vector<OutputFile>& files) {
    for (const OutputFile& file : files) {
        std::error_code error;
        std::filesystem::create_directories(file.path.parent_path(), error);
        if (error)
            return noteName(file.path.parent_path()) + ": " + error.message();
    }
    return SaveFileSink::writeTogether(files);
}

} // namespace vesk
