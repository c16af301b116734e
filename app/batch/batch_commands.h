#pragma once

#include "app/batch/batch_session.h"

namespace namenswerk::batch {

// Renames the entries of the plan whose status is Ok, then prints the plan
// with the statuses the run left.
int applyPlan(ComputedPlan &plan, const BatchOptions &options);

// Undoes the last recorded run of the settings folder (or, with --dry-run,
// lists it) and prints one line per recorded pair.
int undoLastRecordedRun(const QString &settingsFolder, const BatchOptions &options);

} // namespace namenswerk::batch
