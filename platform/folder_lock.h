#pragma once

#include <QString>

#include <chrono>

namespace namenswerk::platform {

// An exclusive lock on a lock file (flock), held by one object until it is
// destroyed. The system drops it when its process dies, so a killed holder
// never blocks the next one.
//
// Inside one process the lock is shared: a second object for the same lock
// file (by any spelling of its path) joins the one already held, so that a
// holder may call code that takes the lock again. The program has one thread;
// two threads of one process do not keep each other out.
//
// The holder that created the lock file removes it when the last holder of
// the process lets go; a waiter that then finds its file gone tries anew.
class FolderLock {
public:
    enum class State {
        Held,        // this process holds the lock
        Busy,        // another process held it for the whole wait
        Unavailable, // no lock file can be made or locked there
    };
    enum class Create { IfMissing, Never };

    FolderLock(const QString &lockFilePath, std::chrono::milliseconds wait,
               Create create = Create::IfMissing);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;
    FolderLock(FolderLock &&) = delete;
    FolderLock &operator=(FolderLock &&) = delete;

    State state() const { return state_; }
    bool held() const { return state_ == State::Held; }
    // Another process held the lock when it was first asked for.
    bool waited() const { return waited_; }

    struct Holding; // one lock of this process, shared by its holders

private:
    State state_ = State::Unavailable;
    bool waited_ = false;
    Holding *holding_ = nullptr;
};

} // namespace namenswerk::platform
