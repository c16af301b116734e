#pragma once

#include "engine/name_engine.h"
#include "engine/rename_settings.h"
#include "model/file_list.h"
#include "platform/no_replace_rename.h"
#include "rename/input_memory.h"
#include "settings/requester.h"

#include <QString>

namespace namenswerk {

// What a run works on. The list holds the new names of the last computation.
struct RunContext {
    FileList &list;
    NameEngine &engine;
    RenameSettings &settings; // the current record; "Einstellung ändern" changes its template
    Requester &requester;
    QString settingsFolder;             // where the settings file and the journal live
    InputMemory *inputMemory = nullptr; // remembers the inputs after a template change
    // The system calls the renames are made of; the system's own when none.
    const platform::RenameSteps *renameSteps = nullptr;
};

enum class RunEnd {
    Renamed,         // the entries were worked through (perhaps stopped at a folder question)
    Declined,        // the extension warning was answered with "Abbrechen"
    TemplateChanged, // the template was given the extension instead; nothing was renamed
    FolderBusy,      // another run works with the settings folder; nothing was renamed
    OtherRunDied,    // the run waited for died half-way; its journal became the record
    NoJournal,       // no journal could be made, and the user did not go on without one
};

struct RunResult {
    RunEnd end = RunEnd::Renamed;
    // With TemplateChanged: the new text of the template field. The run has
    // already put it into the settings and the engine, remembered the inputs
    // and asked the list for new names; the caller only shows it.
    QString changedTemplate;
    int renamed = 0;
    int failed = 0;
    bool stopped = false;  // "Abbrechen" at a folder question
    bool recorded = false; // the recovery record now holds this run
    // Unrecorded renames are all in the journal that stays for the next start.
    bool journalKept = false;
    // Failed entries whose targets were old names of entries of this run:
    // with chains left unresolved, what the run itself stood in the way of.
    int failedOnOwnNames = 0;
};

// Renames every entry with status Ok from its old to its new name, in the
// order of the list, never replacing anything on disk (with chains resolved,
// in the order that lets each rename find its target free, cycles passing
// through a temporary name); each becomes Renamed
// or RenameFailed. A new name that differs from the old one only where the
// file system ignores letter case is reached through a temporary name as
// well. The renamed pairs become the recovery record. Afterwards
// the facts are read again and the statuses refreshed.
//
// The run holds the settings folder's lock from before it takes over a
// leftover journal until its record is written; while another run holds it,
// it tells the user so and renames nothing. When the run it waited for dies
// meanwhile, that run's journal becomes the record and this run renames
// nothing either: its own record would leave the other run's files beyond
// undo. It asks before renaming without a journal.
RunResult renameRun(const RunContext &context);

} // namespace namenswerk
