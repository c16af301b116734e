#include "platform/no_replace_rename.h"

#include "platform/file_system.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
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

// The answers of a file system (or an old kernel) that knows no
// replace-refusing rename, as opposed to one that refused this move.
bool lacksNoReplace(int error)
{
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// link() refuses an existing target by itself, so the file is never lost or
// replaced; when the old name cannot be dropped, the new one goes again so
// that the file is not left under two names.
int linkThenUnlink(const char *from, const char *to, const RenameSteps &steps)
{
    if (const int error = steps.link(from, to)) {
        return error;
    }
    const int error = steps.unlink(from);
    if (error != 0) {
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

RenameSteps systemRenameSteps()
{
    return {renameRefusingReplace, hardLink, removeName};
}

RenameResult renameNoReplace(const QString &from, const QString &to)
{
    return renameNoReplace(from, to, systemRenameSteps());
}

RenameResult renameNoReplace(const QString &from, const QString &to, const RenameSteps &steps)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    int error = steps.rename(source.constData(), target.constData());
    if (lacksNoReplace(error)) {
        error = linkThenUnlink(source.constData(), target.constData(), steps);
    }
    return resultOf(error, from);
}

} // namespace namenswerk::platform
