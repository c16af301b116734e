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
    OptionAnswers answers(options.allowExtensionLoss, options.createFolders);
    ProgressLine progress(u"renaming %1 files"_s.arg(plan.list.readyCount));
    const RunResult result = renameRun(
        {plan.list, plan.engine, plan.rules.settings, answers, plan.settingsFolder, nullptr});
    progress.stop();

    printPlan(plan, options.json);
    if (result.end != RunEnd::Renamed) {
        printError(u"the new names would lose their extensions; nothing was renamed "
                   u"(--allow-extension-loss renames anyway)"_s);
        return StepFailed;
    }
    if (result.renamed > 0 && !result.recorded) {
        printError(u"the record for undo could not be written to '%1'"_s.arg(plan.settingsFolder));
    }
    return result.failed > 0 || result.stopped ? StepFailed : Success;
}

} // namespace namenswerk::batch
