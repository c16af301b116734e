#include "platform/file_system.h"

#include "platform/file_facts.h"

#include <QDir>
#include <QFile>

#include <array>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

namespace namenswerk::platform {

bool createFolder(const QString &path)
{
    return ::mkdir(QFile::encodeName(path).constData(), 0777) == 0;
}

bool pathExists(const QString &path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

bool isFolder(const QString &path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

QString resolvedPath(const QString &path)
{
    const std::unique_ptr<char, decltype(&std::free)> resolved(
        ::realpath(QFile::encodeName(path).constData(), nullptr), &std::free);
    return resolved ? QFile::decodeName(resolved.get()) : QString();
}

QString workingFolder()
{
    return QDir::currentPath();
}

bool setModificationTime(const QString &path, std::int64_t localSeconds)
{
    const std::array<timespec, 2> times{{{0, UTIME_OMIT}, {fromLocalSeconds(localSeconds), 0}}};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times.data(), 0) == 0;
}

} // namespace namenswerk::platform
