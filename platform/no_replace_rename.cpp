#include "platform/no_replace_rename.h"

#include "platform/file_system.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace namenswerk::platform {

namespace {

int errnoUnless(int result)
{
    return result == 0 ? 0 : errno;
}

int renameRefusingReplace(const char *from, const char *to)
{
    return errnoUnless(::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
}

int hardLink(const char *from, const char *to)
{
    return errnoUnless(::linkat(AT_FDCWD, from, AT_FDCWD, to, 0));
}

int removeName(const char *path)
{
    return errnoUnless(::unlink(path));
}

int createExclusively(const char *path)
{
    // open() is the only call that creates a file exclusively.
    const int descriptor = ::open( // NOLINT(cppcoreguidelines-pro-type-vararg)
        path, O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC | O_NOCTTY, S_IRUSR | S_IWUSR);
    if (descriptor < 0) {
        return errno;
    }
    ::close(descriptor);
    return 0;
}

int plainRename(const char *from, const char *to)
{
    return errnoUnless(::rename(from, to));
}

bool isSameFile(const char *first, const char *second)
{
    struct stat one {};
    struct stat other {};
    return ::lstat(first, &one) == 0 && ::lstat(second, &other) == 0 &&
           one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

bool isEmptyRegularFile(const char *path)
{
    struct stat info {};
    return ::lstat(path, &info) == 0 && S_ISREG(info.st_mode) && info.st_size == 0;
}

// The same for hard links (FAT and most FUSE mounts answer EPERM).
bool lacksLinks(int error)
{
    return error == EPERM || error == ENOSYS || error == EOPNOTSUPP;
}

// link() refuses an existing target by itself, so the file is never lost or
// replaced; when the old name cannot be dropped, the new one goes again so
// that the file is not left under two names.
int dropOldName(const char *from, const char *to, const RenameSteps &steps)
{
    const int error = steps.unlink(from);
    if (error != 0) {
        steps.unlink(to);
    }
    return error;
}

// The exclusive create refuses an existing target as link() does; the plain
// rename then replaces nothing but the empty file just made. Should anything
// else have taken the claim's place meanwhile, it is left alone.
int claimThenReplace(const char *from, const char *to, const RenameSteps &steps,
                     const ClaimNotice &beforeClaim)
{
    if (beforeClaim) {
        beforeClaim();
    }
    if (const int error = steps.claim(to)) {
        return error;
    }
    if (!isEmptyRegularFile(to)) {
        return EEXIST;
    }
    const int error = steps.replace(from, to);
    if (error != 0 && isEmptyRegularFile(to)) {
        steps.unlink(to);
    }
    return error;
}

RenameResult resultOf(int error, const QString &from)
{
    if (error == 0) {
        return {RenameStatus::Ok, 0};
    }
    if (error == EEXIST) {
        return {RenameStatus::TargetExists, error};
    }
    // ENOENT also stands for a missing target folder; only the source tells.
    if (error == ENOENT && !pathExists(from)) {
        return {RenameStatus::SourceMissing, error};
    }
    return {RenameStatus::Failed, error};
}

} // namespace

bool lacksNoReplace(int error)
{
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

RenameSteps systemRenameSteps()
{
    return {renameRefusingReplace, hardLink,    removeName,
            createExclusively,     plainRename, isSameFile};
}

RenameResult renameNoReplace(const QString &from, const QString &to)
{
    return renameNoReplace(from, to, systemRenameSteps());
}

RenameResult renameNoReplace(const QString &from, const QString &to, const RenameSteps &steps,
                             const ClaimNotice &beforeClaim)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    int error = steps.rename(source.constData(), target.constData());
    if (lacksNoReplace(error)) {
        error = steps.link(source.constData(), target.constData());
        if (error == 0) {
            error = dropOldName(source.constData(), target.constData(), steps);
        } else if (lacksLinks(error)) {
            error = claimThenReplace(source.constData(), target.constData(), steps, beforeClaim);
        }
    }
    // Where letter case does not count, a name that differs from the old one
    // only in case is taken by the file itself.
    if (error == EEXIST && source != target &&
        steps.sameFile(source.constData(), target.constData())) {
        return {RenameStatus::TargetIsSource, error};
    }
    return resultOf(error, from);
}

bool removeEmptyClaim(const QString &path, const QString &renamedFile)
{
    // Where letter case does not count, the file to be renamed is found under
    // a name that differs only in case, and a file system may not tell by its
    // inode numbers; an empty file there is left, a claim or not.
    if (path.compare(renamedFile, Qt::CaseInsensitive) == 0) {
        return false;
    }
    const QByteArray name = QFile::encodeName(path);
    return isEmptyRegularFile(name.constData()) &&
           !isSameFile(name.constData(), QFile::encodeName(renamedFile).constData()) &&
           ::unlink(name.constData()) == 0;
}

} // namespace namenswerk::platform
