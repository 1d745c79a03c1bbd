// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_files.h"

#include "held_signals.h"
#include "output_path.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
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

std::string savePng(const QImage& image, const std::filesystem::path& path) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return failure(path, QStringLiteral("the picture cannot be encoded"));
    return SaveFileSink().writeTogether({{path, buffer.data().toStdString()}});
}

} // namespace vesk
