#include "rename/rename_run.h"

#include "platform/file_system.h"
#include "platform/no_replace_rename.h"
#include "rename/interrupted_run.h"
#include "rename/local_clock.h"
#include "rename/record_paths.h"
#include "rename/recovery_record.h"
#include "rename/rename_journal.h"
#include "rename/run_questions.h"
#include "rename/run_reports.h"
#include "settings/settings_lock.h"

#include <QDir>

#include <optional>

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

// The folder the record's relative names are in. It is kept absolute, so
// that undo finds the files from any working folder.
QString recordFolderOf(const FileList &list, const QString &workingFolder)
{
    const QString folder = list.currentFolder.isEmpty() ? u"./"_s : list.currentFolder;
    return absolutePath(withTrailingSlash(folder), workingFolder);
}

// A new name as it touches the disk: the rules' folder separators are "/"
// already, a backslash is a character of the name, and one leading separator
// means no folder.
QString targetName(const QString &newName)
{
    return newName.startsWith(u'/') ? newName.sliced(1) : newName;
}

// One entry's rename as it will touch the disk.
struct Attempt {
    QString folder; // the entry's folder, ending in "/"; empty for the working folder
    QString target; // the new name inside it
    RenamedPair pair;
    QString from; // exactly the paths undo will use
    QString to;
    bool possible = false; // it can be undone and moves no other file
};

// The entries of one run, renamed one after the other.
class RunLoop {
public:
    explicit RunLoop(const RunContext &context)
        : context_(context), workingFolder_(QDir::currentPath()),
          recordFolder_(recordFolderOf(context.list, workingFolder_)),
          recordFolderFits_(staysOneLine(recordFolder_) && hasExactDiskName(recordFolder_)),
          journal_(context.settingsFolder, recordFolder_)
    {
    }

    // False when the user stopped the run at a folder question. The next
    // entry to be renamed, if any, is announced in the journal along with
    // this one's success.
    bool renameEntry(FileEntry &entry, const FileEntry *following);
    void finish(RunResult &result);
    bool journalOpen() const { return journal_.isOpen(); }

private:
    Attempt prepare(const FileEntry &entry) const;
    QString recordedName(const FileEntry &entry, const QString &folder, const QString &name) const;
    bool folderReady(const Attempt &attempt);
    int subfolderAnswer(const QString &subfolder);
    void fail(FileEntry &entry);

    const RunContext &context_;
    const QString workingFolder_;
    const QString recordFolder_;
    // Names relative to a folder that the record cannot hold exactly would be
    // undone in another folder.
    const bool recordFolderFits_;
    RenameJournal journal_;
    std::vector<RenamedPair> log_;
    int failed_ = 0;
    std::optional<int> rememberedAnswer_;
    std::optional<Attempt> announced_; // the next entry's attempt, already pending in the journal
};

// Names in the list's current folder are recorded relative to it; those of
// other folders, and those that would read as absolute, by their whole path.
QString RunLoop::recordedName(const FileEntry &entry, const QString &folder,
                              const QString &name) const
{
    const bool inRecordFolder =
        entry.folder.isEmpty() || entry.folder == context_.list.currentFolder;
    if (inRecordFolder && !isAbsoluteRecordName(name)) {
        return name;
    }
    return absolutePath(folder + name, workingFolder_);
}

Attempt RunLoop::prepare(const FileEntry &entry) const
{
    Attempt attempt;
    const QString &folder = entry.folder.isEmpty() ? context_.list.currentFolder : entry.folder;
    attempt.folder = folder.isEmpty() ? folder : withTrailingSlash(folder);
    attempt.target = targetName(entry.newName);
    attempt.pair = {recordedName(entry, attempt.folder, entry.oldName),
                    recordedName(entry, attempt.folder, attempt.target)};
    attempt.from = resolveRecordName(recordFolder_, attempt.pair.oldName);
    attempt.to = resolveRecordName(recordFolder_, attempt.pair.newName);
    const bool relative =
        !isAbsoluteRecordName(attempt.pair.oldName) || !isAbsoluteRecordName(attempt.pair.newName);
    attempt.possible = (recordFolderFits_ || !relative) && fitsRecordLine(attempt.pair) &&
                       hasExactDiskName(attempt.from) && hasExactDiskName(attempt.to);
    return attempt;
}

int RunLoop::subfolderAnswer(const QString &subfolder)
{
    if (rememberedAnswer_) {
        return *rememberedAnswer_;
    }
    const Answer answer = context_.requester.ask(subfolderQuestion(subfolder));
    if (answer.checked) {
        rememberedAnswer_ = answer.code;
    }
    return answer.code;
}

// Asks for a missing subfolder of the new name; false when the user stops the run.
bool RunLoop::folderReady(const Attempt &attempt)
{
    QString subfolder = folderPart(attempt.target);
    subfolder.chop(1);
    if (subfolder.isEmpty() || platform::pathExists(attempt.folder + subfolder)) {
        return true;
    }
    const int answer = subfolderAnswer(subfolder);
    if (answer == AnswerYes) {
        platform::createFolder(attempt.folder + subfolder);
    }
    return answer != AnswerCancel;
}

void RunLoop::fail(FileEntry &entry)
{
    entry.status = EntryStatus::RenameFailed;
    ++failed_;
}

bool RunLoop::renameEntry(FileEntry &entry, const FileEntry *following)
{
    const bool isPending = announced_.has_value();
    const Attempt attempt = isPending ? *std::exchange(announced_, std::nullopt) : prepare(entry);
    if (!attempt.possible) {
        fail(entry); // it could not be undone, or would move another file
        return true;
    }
    if (!folderReady(attempt)) {
        return false;
    }
    if (!isPending) {
        journal_.pending(attempt.pair);
    }
    if (!platform::renameNoReplace(attempt.from, attempt.to).ok()) {
        fail(entry);
        return true;
    }
    std::optional<Attempt> next;
    if (following) {
        next = prepare(*following);
    }
    const bool announce = next && next->possible;
    journal_.renamed(announce ? &next->pair : nullptr);
    if (announce) {
        announced_ = std::move(next);
    }
    entry.status = EntryStatus::Renamed;
    if (context_.settings.fileDate) {
        platform::setModificationTime(attempt.to, currentLocalSeconds() / 60 * 60);
    }
    log_.push_back(attempt.pair);
    return true;
}

void RunLoop::finish(RunResult &result)
{
    result.renamed = static_cast<int>(log_.size());
    result.failed = failed_;
    if (!log_.empty()) {
        result.recorded = writeRecoveryRecord(
            context_.settingsFolder, {currentLocalSeconds(), recordFolder_, std::move(log_)});
    }
    // Without a record the journal is the only trace of the run: it stays,
    // and the next start tries again.
    if (result.recorded || result.renamed == 0) {
        journal_.remove();
    } else {
        result.journalKept = journal_.isOpen();
    }
}

// The facts of every entry as the disk has them now. An entry this run
// renamed has left its old name, which the list still shows, so it reads as
// missing without another look-up of a name that was just moved away (in a
// large folder that look-up costs about a third of the rename itself).
void readFactsAfterRun(FileList &list, const std::vector<bool> &renamedHere)
{
    for (int index = 0; index < list.count(); ++index) {
        if (renamedHere[std::size_t(index)]) {
            applyFacts(list.at(index), FileFacts{});
        } else {
            list.readFacts(index, list.fullPath(index));
        }
    }
}

// "Einstellung ändern": the template gets the extension, and everything that
// follows a typed change of the field happens.
QString changeTemplate(const RunContext &context)
{
    QString changed = templateWithExtension(context.settings.regReplace);
    context.settings.regReplace = changed;
    if (context.inputMemory) {
        context.inputMemory->rememberInputs(textInputsOf(context.settings));
    }
    context.engine.setTemplate(changed);
    context.list.requestRefresh(RefreshLevel::Names);
    return changed;
}

} // namespace

RunResult renameRun(const RunContext &context)
{
    RunResult result;
    if (const auto warning =
            extensionWarning(context.engine.extensionFlags(), context.list.readyCount)) {
        const int answer = context.requester.ask(*warning).code;
        if (answer == AnswerChangeSetting) {
            result.end = RunEnd::TemplateChanged;
            result.changedTemplate = changeTemplate(context);
            return result;
        }
        if (answer != AnswerRename) {
            result.end = RunEnd::Declined;
            return result;
        }
    }

    const SettingsLock lock(context.settingsFolder);
    if (lock.busy()) {
        context.requester.ask(busyRunMessage(context.settingsFolder));
        result.end = RunEnd::FolderBusy;
        return result;
    }
    // A journal left by a run that died must become its record before this
    // run starts its own.
    if (recoverInterruptedRun(context.settingsFolder) && lock.waited()) {
        context.requester.ask(diedRunMessage(context.settingsFolder));
        result.end = RunEnd::OtherRunDied;
        return result;
    }
    RunLoop loop(context);
    if (!loop.journalOpen() && context.list.readyCount > 0 &&
        context.requester.ask(missingJournalQuestion(context.settingsFolder)).code !=
            AnswerRename) {
        result.end = RunEnd::NoJournal;
        return result;
    }
    std::vector<FileEntry> &entries = context.list.entries();
    const auto readyFrom = [&entries](std::size_t index) {
        while (index < entries.size() && entries[index].status != EntryStatus::Ok) {
            ++index;
        }
        return index;
    };
    std::vector<bool> renamedHere(entries.size());
    for (std::size_t index = readyFrom(0); index < entries.size();) {
        const std::size_t next = readyFrom(index + 1);
        if (!loop.renameEntry(entries[index], next < entries.size() ? &entries[next] : nullptr)) {
            result.stopped = true;
            break;
        }
        renamedHere[index] = entries[index].status == EntryStatus::Renamed;
        index = next;
    }
    loop.finish(result);

    // The new statuses stay: only the status pass runs, no new names.
    readFactsAfterRun(context.list, renamedHere);
    context.list.refreshLevel = RefreshLevel::Statuses;
    context.engine.refresh(context.list, context.settings);
    return result;
}

} // namespace namenswerk
