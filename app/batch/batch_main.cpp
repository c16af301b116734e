// namenswerk-batch: the rules of Namenswerk for scripts and servers.

#include "app/batch/batch_commands.h"
#include "app/batch/batch_options.h"
#include "app/batch/batch_session.h"
#include "platform/large_pages.h"

#include <QCoreApplication>
#include <QTextStream>

namespace namenswerk::batch {
namespace {

int runCommand(const BatchOptions &options)
{
    QString error;
    const QString settingsFolder = settingsFolderOf(options, error);
    if (settingsFolder.isEmpty()) {
        printError(error);
        return BadUsage;
    }
    // A journal that a dead run left becomes the record inside the rename
    // run and the undo, under the settings folder's lock; --undo --dry-run
    // only reads it.
    if (options.action == Action::Undo) {
        return undoLastRecordedRun(settingsFolder, options);
    }
    const std::unique_ptr<ComputedPlan> plan = computePlan(options, settingsFolder, error);
    if (!plan) {
        printError(error);
        return BadUsage;
    }
    if (options.action == Action::Apply) {
        return applyPlan(*plan, options);
    }
    printPlan(*plan, options.json);
    return Success;
}

} // namespace
} // namespace namenswerk::batch

int main(int argc, char **argv)
{
    using namespace namenswerk::batch;
    // The plan of a long list builds hundreds of thousands of entries.
    namenswerk::platform::preferLargePages();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("namenswerk"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION_TEXT));
    const ParsedCommandLine parsed = parseCommandLine(QCoreApplication::arguments());
    if (parsed.helpShown) {
        const bool version = QCoreApplication::arguments().contains(QStringLiteral("--version"));
        QTextStream(stdout) << (version
                                    ? QStringLiteral("namenswerk-batch " PROJECT_VERSION_TEXT "\n")
                                    : usageText());
        return Success;
    }
    if (!parsed.options) {
        printError(parsed.error);
        if (parsed.noEntries) {
            QTextStream(stderr) << usageText();
        }
        return BadUsage;
    }
    return runCommand(*parsed.options);
}
