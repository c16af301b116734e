#pragma once

#include <QString>

namespace namenswerk {

// Turns the journal a rename run left behind when it died into the recovery
// record, so that undo brings back every file that run renamed, and removes
// the journal. Called at start-up (and by every run before it begins). The
// pair the run was renaming when it died counts when its old name is gone and
// its new name is there. True when a record was written; a journal whose
// record cannot be written stays for the next try.
bool recoverInterruptedRun(const QString &settingsFolder);

} // namespace namenswerk
