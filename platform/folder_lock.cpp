#include "platform/folder_lock.h"

#include <QElapsedTimer>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace namenswerk::platform {

using FileId = std::pair<dev_t, ino_t>;

struct FolderLock::Holding {
    FileId id;
    int descriptor = -1;
    QByteArray path;
    bool removeAtEnd = false;
    int holders = 1;
};

namespace {

// The locks this process holds, by the lock file's device and inode.
std::map<FileId, std::unique_ptr<FolderLock::Holding>> &heldLocks()
{
    static std::map<FileId, std::unique_ptr<FolderLock::Holding>> held;
    return held;
}

constexpr std::chrono::milliseconds PollInterval(10);

FileId idOf(const struct stat &info)
{
    return {info.st_dev, info.st_ino};
}

// The path still names the locked file: nobody removed it while we waited.
bool stillThere(const QByteArray &path, const FileId &locked)
{
    struct stat now {};
    return ::lstat(path.constData(), &now) == 0 && idOf(now) == locked;
}

enum class Try { Locked, Joined, Busy, Again, Failed };

// Opens the lock file without ever blocking on a FIFO or a device someone
// put there, and without following a link out of the folder; -1 unless it is
// a regular file.
int openLockFile(const QByteArray &path, FolderLock::Create create, FileId &id)
{
    const int flags = O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK |
                      (create == FolderLock::Create::IfMissing ? O_CREAT : 0);
    const int descriptor = ::open(path.constData(), flags, 0600);
    struct stat info {};
    if (descriptor >= 0 && ::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode)) {
        id = idOf(info);
        return descriptor;
    }
    if (descriptor >= 0) {
        ::close(descriptor);
    }
    return -1;
}

Try tryOnce(const QByteArray &path, FolderLock::Create create, FolderLock::Holding *&holding)
{
    FileId id;
    const int descriptor = openLockFile(path, create, id);
    if (descriptor < 0) {
        return Try::Failed;
    }
    auto &held = heldLocks();
    if (const auto joined = held.find(id); joined != held.end()) {
        ::close(descriptor);
        holding = joined->second.get();
        ++holding->holders;
        return Try::Joined;
    }
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK || errno == EINTR;
        ::close(descriptor);
        return busy ? Try::Busy : Try::Failed;
    }
    if (!stillThere(path, id)) {
        ::close(descriptor);
        return Try::Again;
    }
    auto made = std::make_unique<FolderLock::Holding>(
        FolderLock::Holding{id, descriptor, path, create == FolderLock::Create::IfMissing});
    holding = made.get();
    held.emplace(id, std::move(made));
    return Try::Locked;
}

} // namespace

FolderLock::FolderLock(const QString &lockFilePath, std::chrono::milliseconds wait, Create create)
{
    const QByteArray path = QFile::encodeName(lockFilePath);
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        switch (tryOnce(path, create, holding_)) {
        case Try::Locked:
        case Try::Joined:
            state_ = State::Held;
            return;
        case Try::Failed:
            return;
        case Try::Again:
            continue;
        case Try::Busy:
            waited_ = true;
            if (waited.elapsed() >= wait.count()) {
                state_ = State::Busy;
                return;
            }
            std::this_thread::sleep_for(PollInterval);
        }
    }
}

FolderLock::~FolderLock()
{
    if (holding_ == nullptr || --holding_->holders > 0) {
        return;
    }
    // Removed while still locked: a waiter that locks the old file after us
    // finds it gone and starts again with a new one.
    if (holding_->removeAtEnd) {
        ::unlink(holding_->path.constData());
    }
    ::close(holding_->descriptor);
    heldLocks().erase(holding_->id);
}

} // namespace namenswerk::platform
