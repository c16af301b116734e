#pragma once

#include "settings/requester.h"

#include <QString>

namespace namenswerk {

// The question before a run whose journal cannot be made: killed half-way,
// such a run could not be undone. "&Umbenennen" (AnswerRename) goes on
// without it.
Request missingJournalQuestion(const QString &settingsFolder);

// The message after a run whose renames could not be recorded for undo. A
// journal that stays behind becomes the record at the next start.
Request unrecordedRunMessage(const QString &settingsFolder, bool journalKept);

// Why a run or an undo did nothing: another one works with the folder.
Request busyRunMessage(const QString &settingsFolder);
// Why a run did nothing: the run it waited for died half-way, and what that
// one renamed is now the record for undo.
Request diedRunMessage(const QString &settingsFolder);

} // namespace namenswerk
