#include "app/batch/batch_commands.h"
#include "app/batch/option_answers.h"
#include "app/batch/plan_output.h"
#include "app/batch/progress_line.h"
#include "rename/record_paths.h"
#include "rename/recovery_record.h"
#include "rename/undo_last_run.h"

#include <QTextStream>

namespace namenswerk::batch {

using namespace Qt::StringLiterals;

namespace {

// The paths a recorded pair stands for, old then new, tab-separated. A pair
// of empty names stands for nothing on disk and stays empty.
QString pairLine(const RecoveryRecord &record, const RenamedPair &pair)
{
    const auto pathOf = [&record](const QString &name) {
        return name.isEmpty() ? name : escapedField(resolveRecordName(record.folder, name));
    };
    return pathOf(pair.oldName) % u'\t' % pathOf(pair.newName);
}

} // namespace

int undoLastRecordedRun(const QString &settingsFolder, const BatchOptions &options)
{
    const RecoveryRecord record = readRecoveryRecord(settingsFolder);
    if (record.pairs.empty()) {
        printError(u"no recorded run to undo in '%1'"_s.arg(settingsFolder));
        return Success;
    }
    QTextStream out(stdout);
    if (options.dryRun) {
        for (const RenamedPair &pair : record.pairs) {
            out << pairLine(record, pair) << '\n';
        }
        return Success;
    }
    AlwaysYes yes;
    FileList list;
    ProgressLine progress(u"undoing %1 renames"_s.arg(record.pairs.size()));
    const UndoResult result = undoLastRun(settingsFolder, yes, list);
    progress.stop();
    for (std::size_t index = 0; index < record.pairs.size(); ++index) {
        const bool restored = index < result.pairRestored.size() && result.pairRestored[index];
        out << pairLine(record, record.pairs[index]) << (restored ? "\tok\n" : "\tfailed\n");
    }
    return result.skipped > 0 ? StepFailed : Success;
}

} // namespace namenswerk::batch
