#include "app/batch/batch_commands.h"
#include "app/batch/option_answers.h"
#include "app/batch/plan_output.h"
#include "app/batch/progress_line.h"
#include "rename/interrupted_run.h"
#include "rename/record_paths.h"
#include "rename/recovery_record.h"
#include "rename/undo_last_run.h"
#include "settings/settings_lock.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace namenswerk::batch {

using namespace Qt::StringLiterals;

namespace {

QString pathOf(const RecoveryRecord &record, const QString &name)
{
    return name.isEmpty() ? name : resolveRecordName(record.folder, name);
}

// The recorded pairs, old path then new path, and once the undo has run
// ("ok" or "failed") for each. A pair of empty names stands for nothing on
// disk and stays empty.
void printPairs(const RecoveryRecord &record, const UndoResult *result, bool json)
{
    QTextStream out(stdout);
    QJsonArray rows;
    for (std::size_t index = 0; index < record.pairs.size(); ++index) {
        const QString oldPath = pathOf(record, record.pairs[index].oldName);
        const QString newPath = pathOf(record, record.pairs[index].newName);
        const bool restored =
            result != nullptr && index < result->pairRestored.size() && result->pairRestored[index];
        const QString outcome = restored ? u"ok"_s : u"failed"_s;
        if (json) {
            QJsonObject row{{u"old"_s, oldPath}, {u"new"_s, newPath}};
            if (result != nullptr) {
                row.insert(u"result"_s, outcome);
            }
            rows.append(row);
            continue;
        }
        out << escapedField(oldPath) << '\t' << escapedField(newPath);
        if (result != nullptr) {
            out << '\t' << outcome;
        }
        out << '\n';
    }
    if (json) {
        out << QString::fromUtf8(QJsonDocument(rows).toJson(QJsonDocument::Indented));
    }
}

} // namespace

// The record as undo would find it: a journal that a dead run left counts
// as its record. A dry run only reads, and writes not even the lock file.
int undoLastRecordedRun(const QString &settingsFolder, const BatchOptions &options)
{
    const SettingsLock lock(settingsFolder, SettingsLockWait,
                            options.dryRun ? SettingsLock::Mode::LookOnly
                                           : SettingsLock::Mode::Write);
    if (lock.busy()) {
        printFolderBusy(settingsFolder);
        return BadUsage;
    }
    if (!options.dryRun) {
        recoverInterruptedRun(settingsFolder);
    }
    std::optional<RecoveryRecord> leftover;
    if (options.dryRun) {
        leftover = leftoverRunRecord(settingsFolder);
    }
    const RecoveryRecord record =
        leftover ? std::move(*leftover) : readRecoveryRecord(settingsFolder);
    if (record.pairs.empty()) {
        printError(u"no recorded run to undo in '%1'"_s.arg(settingsFolder));
        return Success;
    }
    if (options.dryRun) {
        printPairs(record, nullptr, options.json);
        return Success;
    }
    AlwaysYes yes;
    FileList list;
    ProgressLine progress(u"undoing %1 renames"_s.arg(record.pairs.size()));
    const UndoResult result = undoLastRun(settingsFolder, yes, list);
    progress.stop();
    if (result.newNamesGone) {
        printError(u"none of the recorded new names exists: the run was undone already, "
                   u"or its files were moved"_s);
    }
    printPairs(record, &result, options.json);
    return result.skipped > 0 ? StepFailed : Success;
}

} // namespace namenswerk::batch
