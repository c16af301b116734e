#include "app/batch/batch_commands.h"
#include "app/batch/option_answers.h"
#include "app/batch/progress_line.h"
#include "rename/rename_run.h"

namespace namenswerk::batch {

using namespace Qt::StringLiterals;

int applyPlan(ComputedPlan &plan, const BatchOptions &options)
{
    if (plan.list.readyCount == 0) {
        // The run would still warn about extensions that no file loses.
        printPlan(plan, options.json);
        return Success;
    }
    OptionAnswers answers(options.allowExtensionLoss, options.createFolders, options.noJournal);
    ProgressLine progress(u"renaming %1 files"_s.arg(plan.list.readyCount));
    const RunResult result = renameRun(
        {plan.list, plan.engine, plan.rules.settings, answers, plan.settingsFolder, nullptr});
    progress.stop();
    if (result.end == RunEnd::FolderBusy) {
        printFolderBusy(plan.settingsFolder);
        return BadUsage;
    }
    if (result.end == RunEnd::OtherRunDied) {
        printError(u"another run with the settings folder '%1' died half-way and can be undone "
                   u"now (--undo); nothing was renamed"_s.arg(plan.settingsFolder));
        return BadUsage;
    }

    printPlan(plan, options.json);
    if (result.end == RunEnd::NoJournal) {
        printError(u"no journal can be created in '%1', so a killed run could not be undone; "
                   u"nothing was renamed (--no-journal renames anyway)"_s.arg(plan.settingsFolder));
        return StepFailed;
    }
    if (result.end != RunEnd::Renamed) {
        printError(u"the new names would lose their extensions; nothing was renamed "
                   u"(--allow-extension-loss renames anyway)"_s);
        return StepFailed;
    }
    if (result.renamed > 0 && !result.recorded) {
        printError(u"warning: the record for undo could not be written to '%1'%2"_s.arg(
            plan.settingsFolder,
            result.journalKept ? u"; its journal stays there for the next run"_s : QString()));
        return StepFailed;
    }
    if (result.failedOnOwnNames > 0 && result.failedOnOwnNames == result.failed) {
        printError(
            u"%1 entries failed only because their new names were old names of other "
            u"entries of this run; --resolve-chains orders such renames"_s.arg(result.failed));
    }
    return result.failed > 0 || result.stopped ? StepFailed : Success;
}

} // namespace namenswerk::batch
