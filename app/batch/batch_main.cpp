// namenswerk-batch: the rules of Namenswerk for scripts and servers.

#include "app/batch/batch_options.h"
#include "app/batch/batch_rules.h"
#include "app/batch/plan_output.h"
#include "engine/entry_facts.h"
#include "engine/name_engine.h"
#include "model/file_list.h"
#include "platform/program_folders.h"
#include "settings/list_file.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace namenswerk::batch {
namespace {

using namespace Qt::StringLiterals;

enum ExitCode { Success = 0, StepFailed = 1, BadUsage = 2 };

void printError(const QString &message)
{
    QTextStream(stderr) << "namenswerk-batch: " << message << '\n';
}

QString settingsFolderOf(const BatchOptions &options, QString &error)
{
    if (options.settingsFolder.isEmpty()) {
        return platform::settingsFolder();
    }
    if (!QFileInfo(options.settingsFolder).isDir()) {
        error = u"settings folder '%1' does not exist"_s.arg(options.settingsFolder);
        return {};
    }
    return withTrailingSlash(options.settingsFolder);
}

bool isReadableFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

// Fills the list from the command line's entry source.
bool loadEntries(FileList &list, const BatchOptions &options, const QString &settingsFolder,
                 QString &error)
{
    if (!options.paths.isEmpty()) {
        // A file manager hands over absolute paths; so does the command line.
        QStringList paths;
        for (const QString &path : options.paths) {
            paths.append(QFileInfo(path).absoluteFilePath());
        }
        list.addDroppedFiles(paths);
        return true;
    }
    const QString path = options.remembered ? ownListFilePath(settingsFolder) : options.listFile;
    if (!isReadableFile(path)) {
        error = u"cannot read the list file '%1'"_s.arg(path);
        return false;
    }
    readListFile(list, path, options.remembered, options.limit);
    return true;
}

int runPlan(const BatchOptions &options)
{
    QString error;
    const QString settingsFolder = settingsFolderOf(options, error);
    const std::optional<BatchRules> rules =
        error.isEmpty() ? rulesFor(readSettings(settingsFolder), options, error) : std::nullopt;
    FileList list(readEntryFacts);
    if (!rules || !loadEntries(list, options, settingsFolder, error)) {
        printError(error);
        return BadUsage;
    }
    NameEngine engine;
    engine.upper = rules->upper;
    engine.counterStart = rules->counterStart;
    engine.setInputs(rules->settings);
    list.requestRefresh(RefreshLevel::Names);
    engine.refresh(list, rules->settings);

    QTextStream out(stdout);
    out << (options.json ? planAsJson(list) : planAsTabSeparated(list));
    QTextStream(stderr) << engine.summary().trimmed() << '\n';
    return Success;
}

} // namespace
} // namespace namenswerk::batch

int main(int argc, char **argv)
{
    using namespace namenswerk::batch;
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
    return runPlan(*parsed.options);
}
