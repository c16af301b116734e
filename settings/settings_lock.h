#pragma once

#include "platform/folder_lock.h"
#include "settings/requester.h"

#include <QString>

#include <chrono>

namespace namenswerk {

// How long a second writer waits for the first before it gives up: long
// enough for a save or the end of a run, short enough to answer the user.
inline constexpr std::chrono::milliseconds SettingsLockWait{2000};

// Where the lock of a settings folder lives.
QString settingsLockPath(const QString &settingsFolder);

// One writer of a settings folder at a time. A rename run, an undo, the
// conversion of a leftover journal and every read-modify-write of the
// settings file hold it, so that none of them sees the others half-way: no
// journal is taken from a run that is still going, and no save writes back
// a record that another process has replaced meanwhile. Held by this process
// it is held again at once (see platform::FolderLock).
class SettingsLock {
public:
    enum class Mode {
        Write,    // creates the lock file when needed
        LookOnly, // never writes: where no lock file exists, nobody holds one
    };

    explicit SettingsLock(const QString &settingsFolder,
                          std::chrono::milliseconds wait = SettingsLockWait,
                          Mode mode = Mode::Write);

    // Another process held the folder for the whole wait. Otherwise the
    // caller goes on: with the lock, or where no lock can be had (a folder
    // that takes no lock file also takes no journal and no settings).
    bool busy() const { return lock_.state() == platform::FolderLock::State::Busy; }
    bool held() const { return lock_.held(); }
    // Another process held the folder when this one came: whatever it left
    // behind is news to the caller.
    bool waited() const { return lock_.waited(); }

private:
    platform::FolderLock lock_;
};

// Tells the user that another run works with the settings folder, so that
// nothing was done; text says what to do now.
Request settingsFolderBusy(const QString &settingsFolder, const QString &text);

} // namespace namenswerk
