#pragma once

#include "app/batch/batch_options.h"
#include "app/batch/batch_rules.h"
#include "engine/name_engine.h"
#include "model/file_list.h"

#include <QString>

#include <memory>

namespace namenswerk::batch {

enum ExitCode { Success = 0, StepFailed = 1, BadUsage = 2 };

// One line on standard error, prefixed with the command's name.
void printError(const QString &message);
// The line for a command that did nothing because another run works with
// the settings folder.
void printFolderBusy(const QString &settingsFolder);

// The folder of the settings file the command works with, ending in "/";
// empty, with a reason, when a named one does not exist.
QString settingsFolderOf(const BatchOptions &options, QString &error);

// The entries of the command line with the new names the rules give them.
struct ComputedPlan {
    QString settingsFolder;
    BatchRules rules;
    FileList list;
    NameEngine engine;
};

// Fails, with a one-line reason, when a named profile or the list file is
// not there.
std::unique_ptr<ComputedPlan> computePlan(const BatchOptions &options,
                                          const QString &settingsFolder, QString &error);

// The plan on standard output and the summary line on standard error.
void printPlan(const ComputedPlan &plan, bool json);

} // namespace namenswerk::batch
