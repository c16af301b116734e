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
#include <initializer_list>
#include <memory>
#include <thread>
#include <vector>

namespace namenswerk::batch {

using namespace Qt::StringLiterals;

namespace {

bool isReadableFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

// Entries come in without facts; computeNames() reads them.
FileFacts noFacts(const QString & /*fullPath*/)
{
    return {};
}

QString listFileOf(const BatchOptions &options, const QString &settingsFolder)
{
    return options.remembered ? ownListFilePath(settingsFolder) : options.listFile;
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
    const QString path = listFileOf(options, settingsFolder);
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

// Where the first entry lies, read from the head of the list: its folder,
// mostly the folder of all of them, is listed while the rest come in.
QString firstEntryPath(const BatchOptions &options, const QString &settingsFolder)
{
    if (!options.paths.isEmpty()) {
        return QFileInfo(options.paths.front()).absoluteFilePath();
    }
    FileList head(noFacts);
    readListFile(head, listFileOf(options, settingsFolder), options.remembered, 1);
    return head.count() > 0 ? head.fullPath(0) : QString();
}

bool templateShows(const RenameSettings &settings, std::initializer_list<TemplateToken::Kind> kinds)
{
    const TargetTemplate parsed = TargetTemplate::parse(settings.regReplace);
    return std::ranges::any_of(parsed.tokens(), [kinds](const TemplateToken &token) {
        return std::ranges::find(kinds, token.kind) != kinds.end();
    });
}

// Whether the new names read anything of the files themselves beyond their
// contents: picture sizes or dates.
bool namesReadFacts(const RenameSettings &settings)
{
    return templateShows(settings,
                         {TemplateToken::Picture, TemplateToken::Date, TemplateToken::CaptureDate});
}

// Picture sizes cost opening every file, which about doubles a large plan;
// only a template that shows them needs them. A capture date needs the
// modification date too, which stands in for it in files that hold none.
FactsReader factsReaderFor(const RenameSettings &settings)
{
    return templateShows(settings, {TemplateToken::Picture}) ? FactsReader(readEntryFacts)
                                                             : FactsReader(basicFileFacts);
}

// The new names, then the statuses, which need to know which files exist.
// When the names read nothing of the files, that look runs on a second core
// while the names are made: the plan shows no sizes, so one pass over each
// folder tells all that counts (audio tags need only to know that the file is
// there). Both only read the entries' names and folders, and each writes
// only its own part: the names, or the facts aside.
void computeNames(ComputedPlan &plan, const FactsReader &presence)
{
    FileList &list = plan.list;
    if (!presence) {
        list.setFactsReader(factsReaderFor(plan.rules.settings));
        list.refreshAllFacts();
        list.requestRefresh(RefreshLevel::Names);
        plan.engine.refresh(list, plan.rules.settings);
        return;
    }
    std::vector<FileFacts> facts(static_cast<std::size_t>(list.count()));
    {
        const std::jthread look([&list, &facts, &presence] {
            for (int index = 0; index < list.count(); ++index) {
                facts[static_cast<std::size_t>(index)] = presence(list.fullPath(index));
            }
        });
        plan.engine.recomputeNames(list, plan.rules.settings);
    }
    for (int index = 0; index < list.count(); ++index) {
        applyFacts(list.at(index), facts[static_cast<std::size_t>(index)]);
    }
    list.requestRefresh(RefreshLevel::Statuses);
    plan.engine.refresh(list, plan.rules.settings);
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
    const FactsReader presence = namesReadFacts(rules->settings)
                                     ? FactsReader()
                                     : presenceFactsReader(firstEntryPath(options, settingsFolder));
    auto plan =
        std::make_unique<ComputedPlan>(ComputedPlan{settingsFolder, *rules, FileList(noFacts), {}});
    if (!loadEntries(plan->list, options, settingsFolder, error)) {
        return nullptr;
    }
    NameEngine &engine = plan->engine;
    engine.upper = plan->rules.upper;
    engine.counterStart = plan->rules.counterStart;
    engine.setInputs(plan->rules.settings);
    computeNames(*plan, presence);
    // After the run, sizes and dates are enough.
    plan->list.setFactsReader(basicFileFacts);
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
