#pragma once

#include "rename/recovery_record.h"

#include <QString>

#include <optional>

namespace namenswerk {

// Turns the journal a rename run left behind when it died into the recovery
// record, so that undo brings back every file that run renamed, and removes
// the journal. Called at start-up (and by every run and undo before it
// begins). The pair the run was renaming when it died counts when its old
// name is gone and its new name is there. True when a record was written; a
// journal whose record cannot be written stays for the next try, and so does
// a journal while another process holds the settings folder: it belongs to a
// run that is still going.
bool recoverInterruptedRun(const QString &settingsFolder);

// The record that recoverInterruptedRun would write, without writing
// anything; none when there is no journal that renamed anything. The caller
// holds the settings folder, or at least knows that no run holds it.
std::optional<RecoveryRecord> leftoverRunRecord(const QString &settingsFolder);

} // namespace namenswerk
