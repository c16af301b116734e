#pragma once

#include "model/file_list.h"
#include "settings/requester.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace namenswerk {

struct UndoResult {
    bool busy = false;      // another process held the settings folder; nothing was done
    bool asked = false;     // a recorded run was offered
    bool confirmed = false; // and the user said "Ja"
    // No recorded new name exists any more: the user was told instead of
    // asked, and every pair counts as skipped.
    bool newNamesGone = false;
    int restored = 0; // files back under their old names
    int skipped = 0;  // renames back that failed, silently
    // For each recorded pair, in the record's order: whether it came back.
    std::vector<bool> pairRestored;
};

// Offers to rename the files of the last recorded run back, last rename
// first, never replacing anything, and reads the list's facts again for a
// full recomputation. Works from the record alone and never changes it; with
// no record it does nothing and shows nothing. When none of the recorded new
// names exists, there is nothing to rename back: it says so (already undone,
// when every old name is there again) instead of asking. A journal that a
// dead run left becomes the record first. While another process holds the
// settings folder it says so and does nothing.
UndoResult undoLastRun(const QString &settingsFolder, Requester &requester, FileList &list);
// The same as at the local time `now` (seconds since 1970).
UndoResult undoLastRun(const QString &settingsFolder, Requester &requester, FileList &list,
                       std::int64_t now);

} // namespace namenswerk
