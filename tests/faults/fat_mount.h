#pragma once

#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <sys/stat.h>

namespace namenswerk::test {

// A small FAT file system, made in a temporary folder and mounted there
// through FUSE (fusefat), read-write. FAT ignores letter case in names, and
// through FUSE it has neither a replace-refusing rename nor hard links.
// Where the machine cannot mount it (no /dev/fuse, tools missing, mounting
// not allowed), `unavailable` says why.
class FatMount {
public:
    FatMount()
    {
        if (!QFile::exists(QStringLiteral("/dev/fuse"))) {
            unavailable = "no /dev/fuse on this machine";
            return;
        }
        const QStringList system{QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")};
        const QString mkfs = QStandardPaths::findExecutable(QStringLiteral("mkfs.fat"), system);
        const QString fusefat = QStandardPaths::findExecutable(QStringLiteral("fusefat"));
        fusermount_ = QStandardPaths::findExecutable(QStringLiteral("fusermount"));
        if (mkfs.isEmpty() || fusefat.isEmpty() || fusermount_.isEmpty()) {
            unavailable = "mkfs.fat, fusefat or fusermount missing (packages dosfstools, fusefat)";
            return;
        }
        const QString image = folder_.file(QStringLiteral("fat.img"));
        mountPoint_ = folder_.file(QStringLiteral("mnt"));
        QDir().mkpath(mountPoint_);
        if (!runs(mkfs, {QStringLiteral("-C"), image, QStringLiteral("4096")})) {
            unavailable = "mkfs.fat could not make the image";
            return;
        }
        // use_ino: the file system's own inode numbers, so that two spellings
        // of one name are seen as one file, as on a card mounted by the kernel.
        if (!runs(fusefat,
                  {QStringLiteral("-o"), QStringLiteral("rw+,use_ino"), image, mountPoint_}) ||
            !isMountPoint()) {
            unavailable = "fusefat could not mount the image here (FUSE not permitted?)";
            return;
        }
        mounted_ = true;
    }

    ~FatMount()
    {
        if (mounted_) {
            runs(fusermount_, {QStringLiteral("-u"), mountPoint_}) ||
                runs(fusermount_, {QStringLiteral("-u"), QStringLiteral("-z"), mountPoint_});
        }
    }

    FatMount(const FatMount &) = delete;
    FatMount &operator=(const FatMount &) = delete;

    // The mounted file system's root, ending in "/".
    QString path() const { return mountPoint_ + u'/'; }

    // Empty when the file system is mounted.
    const char *unavailable = "";

private:
    static bool runs(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.start(program, arguments);
        return process.waitForFinished(30'000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

    // Another device than the folder it lies in.
    bool isMountPoint() const
    {
        struct stat point {};
        struct stat above {};
        return ::stat(QFile::encodeName(mountPoint_).constData(), &point) == 0 &&
               ::stat(QFile::encodeName(folder_.path()).constData(), &above) == 0 &&
               point.st_dev != above.st_dev;
    }

    TempFolder folder_;
    QString mountPoint_;
    QString fusermount_;
    bool mounted_ = false;
};

} // namespace namenswerk::test
