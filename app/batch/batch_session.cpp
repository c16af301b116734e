#include "app/batch/batch_session.h"

#include "app/batch/plan_output.h"
#include "engine/entry_facts.h"
#include "engine/target_template.h"
#include "model/presence_facts.h"
#include "platform/program_folders.h"
#include "settings/list_file.h"
#include "settings/settings_file.h"

#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace namenswerk::batch {

using namespace Qt::StringLiterals;

namespace {

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
    // A plan that leaves out entries must say so, or the rest is silently never renamed.
    if (readListFile(list, path, options.remembered, options.limit)) {
        const qsizetype total = countListFileEntries(path, options.remembered);
        printError(u"--limit %1: read %1 of the %2 entries of '%3'"_s.arg(options.limit)
                       .arg(total)
                       .arg(path));
    }
    return true;
}

// Picture sizes cost opening every file, which about doubles a large plan;
// only a template that shows them needs them. The plan shows no sizes, so
// without dates in the template one pass over each folder tells all that
// counts: which files are there. A capture date needs the modification date
// too, which stands in for it in files that hold none; audio tags need only
// to know that the file is there.
FactsReader factsReaderFor(const RenameSettings &settings)
{
    const TargetTemplate parsed = TargetTemplate::parse(settings.regReplace);
    const auto shows = [&parsed](TemplateToken::Kind kind) {
        return std::ranges::any_of(
            parsed.tokens(), [kind](const TemplateToken &token) { return token.kind == kind; });
    };
    if (shows(TemplateToken::Picture)) {
        return readEntryFacts;
    }
    return shows(TemplateToken::Date) || shows(TemplateToken::CaptureDate)
               ? FactsReader(basicFileFacts)
               : presenceFactsReader();
}

} // namespace

void printError(const QString &message)
{
    QTextStream(stderr) << "namenswerk-batch: " << escapedField(message) << '\n';
}

void printFolderBusy(const QString &settingsFolder)
{
    printError(u"another run is working with the settings folder '%1'; nothing was done"_s.arg(
        settingsFolder));
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

std::unique_ptr<ComputedPlan> computePlan(const BatchOptions &options,
                                          const QString &settingsFolder, QString &error)
{
    std::optional<BatchRules> rules = rulesFor(readSettings(settingsFolder), options, error);
    if (!rules) {
        return nullptr;
    }
    auto plan = std::make_unique<ComputedPlan>(
        ComputedPlan{settingsFolder, *rules, FileList(factsReaderFor(rules->settings)), {}});
    if (!loadEntries(plan->list, options, settingsFolder, error)) {
        return nullptr;
    }
    // The listings taken for loading grow stale once the run renames; facts
    // read after it look at each file itself.
    plan->list.setFactsReader(basicFileFacts);
    NameEngine &engine = plan->engine;
    engine.upper = plan->rules.upper;
    engine.counterStart = plan->rules.counterStart;
    engine.setInputs(plan->rules.settings);
    plan->list.requestRefresh(RefreshLevel::Names);
    engine.refresh(plan->list, plan->rules.settings);
    return plan;
}

void printPlan(const ComputedPlan &plan, bool json)
{
    const QByteArray text = json ? planAsJson(plan.list).toUtf8() : planAsTabSeparated(plan.list);
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
    std::fflush(stdout);
    // Names in the summary reach a terminal: escaped as in the plan.
    QTextStream(stderr) << escapedField(plan.engine.summary().trimmed()) << '\n';
}

} // namespace namenswerk::batch
