#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QFile>
#include <QString>

#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <unistd.h>
#include <utility>

namespace namenswerk::test {

// The files of one folder as the disk has them: each name exactly as its
// bytes stand (names that are no valid UTF-8 included) with a hash of its
// content. Two manifests are equal only when no byte of a name or a file
// changed.
using DiskManifest = std::map<QByteArray, QByteArray>;

inline QByteArray contentHash(const QByteArray &content)
{
    return QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex();
}

// Writes a file whose name is given as raw bytes; false when it cannot be made.
inline bool writeRawFile(const QString &folder, const QByteArray &name, const QByteArray &content)
{
    const QByteArray path = QFile::encodeName(folder) + name;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) {
        return false;
    }
    const bool written =
        ::write(fd, content.constData(), std::size_t(content.size())) == ssize_t(content.size());
    return ::close(fd) == 0 && written;
}

inline QByteArray readRawFile(const QByteArray &path)
{
    QByteArray content;
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0) {
        return content;
    }
    char buffer[4096];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;) {
        content.append(buffer, got);
    }
    ::close(fd);
    return content;
}

// Every entry of the folder but "." and ".."; subfolders are listed by name
// with an empty hash.
inline DiskManifest diskManifest(const QString &folder)
{
    DiskManifest manifest;
    const QByteArray base = QFile::encodeName(folder);
    DIR *dir = ::opendir(base.constData());
    if (!dir) {
        return manifest;
    }
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..") {
            continue;
        }
        const bool isFolder = entry->d_type == DT_DIR;
        manifest.emplace(name, isFolder ? QByteArray() : contentHash(readRawFile(base + name)));
    }
    ::closedir(dir);
    return manifest;
}

// Removes the files of a folder by their bytes when it goes out of scope:
// the temporary folder itself cannot remove names that are no UTF-8.
class RawNamesRemover {
public:
    explicit RawNamesRemover(QString folder) : folder_(std::move(folder)) {}
    ~RawNamesRemover()
    {
        const QByteArray base = QFile::encodeName(folder_);
        for (const auto &[name, hash] : diskManifest(folder_)) {
            ::unlink(QByteArray(base + name).constData());
        }
    }
    RawNamesRemover(const RawNamesRemover &) = delete;
    RawNamesRemover &operator=(const RawNamesRemover &) = delete;

private:
    QString folder_;
};

} // namespace namenswerk::test
