#include "save_files.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryFile>
#include <memory>

namespace vesk {

namespace {

std::string failure(const std::filesystem::path& path, const QString& reason) {
    return "cannot write " + path.string() + ": " + reason.toStdString();
}

// A second name (a hard link) of an existing file beside it, kept until the files written
// together are all in place; it puts the file back when a later one of them fails.
class Backup {
  public:
    explicit Backup(const std::filesystem::path& path) : path(QString::fromStdString(path)) {
        if (!QFile::exists(this->path))
            return;
        copy = std::make_unique<QTemporaryFile>(this->path + QStringLiteral(".XXXXXX"));
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

} // namespace

std::string SaveFileSink::writeTogether(const std::vector<OutputFile>& files) {
    std::vector<std::unique_ptr<QSaveFile>> saves;
    for (const OutputFile& file : files) {
        auto save = std::make_unique<QSaveFile>(QString::fromStdString(file.path));
        const auto size = static_cast<qint64>(file.bytes.size());
        if (!save->open(QIODevice::WriteOnly) || save->write(file.bytes.data(), size) != size ||
            !save->flush())
            return failure(file.path, save->errorString());
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
        if (!saves[i]->commit()) {
            const std::string reason = failure(files[i].path, saves[i]->errorString());
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
