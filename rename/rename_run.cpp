#include "rename/rename_run.h"

#include "platform/file_system.h"
#include "platform/no_replace_rename.h"
#include "platform/open_folders.h"
#include "rename/interrupted_run.h"
#include "rename/local_clock.h"
#include "rename/record_paths.h"
#include "rename/recovery_record.h"
#include "rename/rename_journal.h"
#include "rename/rename_lane.h"
#include "rename/run_order.h"
#include "rename/run_questions.h"
#include "rename/run_reports.h"
#include "settings/settings_lock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <memory>
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

// The move as the order compares it: paths in one spelling.
PlannedMove plannedMove(const Attempt &attempt)
{
    return {QDir::cleanPath(attempt.from), QDir::cleanPath(attempt.to)};
}

// A stretch of the list's ready entries, prepared for the lane.
struct Stretch {
    std::vector<FileEntry *> entries;
    std::vector<Attempt> attempts;
    std::vector<LaneMove> moves;

    std::size_t size() const { return entries.size(); }
    void clear()
    {
        entries.clear();
        attempts.clear();
        moves.clear();
    }
};

// The first stretch is short, so that the lane soon has work; the longest
// keeps the prepared paths of a huge run to a few MB.
constexpr std::size_t FirstStretch = 256;
constexpr std::size_t LongestStretch = 8192;

// The entries of one run, renamed one after the other.
class RunLoop {
public:
    explicit RunLoop(const RunContext &context)
        : context_(context), workingFolder_(QDir::currentPath()),
          recordFolder_(recordFolderOf(context.list, workingFolder_)),
          recordFolderFits_(staysOneLine(recordFolder_) && hasExactDiskName(recordFolder_)),
          journal_(context.settingsFolder, recordFolder_),
          steps_(context.renameSteps ? *context.renameSteps : platform::systemRenameSteps())
    {
        // Steps handed in stand for another file system, which the folders'
        // own calls would bypass.
        if (context.renameSteps == nullptr) {
            folders_ = std::make_unique<platform::OpenFolders>();
        }
    }

    // Every ready entry in the order of the list; the next entry to be
    // renamed is announced in the journal along with each success. False
    // when the user stopped the run at a folder question.
    bool renameInListOrder(const std::vector<FileEntry *> &ready);
    // The same for every ready entry at once, in the order that lets chains
    // and cycles succeed. False when the user stopped the run.
    bool renameInOrder(std::vector<FileEntry *> &ready);
    // How many failed entries had old names of ready entries as targets.
    int failedOnOwnNames(const std::vector<FileEntry *> &ready) const;
    void finish(RunResult &result);
    bool journalOpen() const { return journal_.isOpen(); }

private:
    Attempt prepare(const FileEntry &entry) const;
    bool prepareStretch(const std::vector<FileEntry *> &ready, std::size_t &at, std::size_t size,
                        Stretch &stretch);
    bool startLane(RenameLane &lane, const Stretch &stretch, std::size_t first);
    void takeIn(const Stretch &stretch, std::size_t first, std::size_t end);
    std::size_t finishStretch(RenameLane &lane, bool started, const Stretch &stretch);
    void carryEntry(const Stretch &stretch, std::size_t at);
    LaneMove laneMove(const Attempt &attempt);
    void placeInFolder(const QByteArray &path, int &folder, qsizetype &name);
    QString recordedName(const FileEntry &entry, const QString &folder, const QString &name) const;
    bool folderReady(const Attempt &attempt);
    int subfolderAnswer(const QString &subfolder);
    void fail(FileEntry &entry);
    platform::RenameStatus move(const Attempt &attempt);
    bool carryOut(const Attempt &attempt, const Attempt *next, bool mayChangeCase = true);
    bool changeCase(const Attempt &attempt, const Attempt *next);
    void renamed(FileEntry &entry, const Attempt &attempt);
    Attempt temporaryFor(const Attempt &attempt);
    void throughTemporary(FileEntry &entry, const Attempt &attempt);
    void finishFromTemporary(FileEntry &entry, const Attempt &attempt);

    const RunContext &context_;
    const QString workingFolder_;
    const QString recordFolder_;
    // Names relative to a folder that the record cannot hold exactly would be
    // undone in another folder.
    const bool recordFolderFits_;
    RenameJournal journal_;
    const platform::RenameSteps steps_;
    std::unique_ptr<platform::OpenFolders> folders_; // none with steps handed in
    RecordLines record_;                             // every rename made, temporary steps too
    int renamed_ = 0; // entries; the record holds temporary steps too
    int failed_ = 0;
    std::optional<int> rememberedAnswer_;
    bool nextIsPending_ = false; // the next attempt is announced in the journal already
    // The file system knows no replace-refusing rename: the lane would stop
    // at every move.
    bool laneOff_ = false;
    int temporaries_ = 0;
    std::optional<Attempt> parked_; // the cycle member waiting under a temporary name
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

// One rename on disk. A claim of the target name is announced in the
// journal before it is made.
platform::RenameStatus RunLoop::move(const Attempt &attempt)
{
    return platform::renameNoReplace(attempt.from, attempt.to, steps_,
                                     [this] { journal_.claiming(); })
        .status;
}

// Renames as the journal tells: pending before, confirmed right after; the
// next attempt, when it can be tried, is announced along with the success.
bool RunLoop::carryOut(const Attempt &attempt, const Attempt *next, bool mayChangeCase)
{
    if (!std::exchange(nextIsPending_, false)) {
        journal_.pending(attempt.pair);
    }
    const platform::RenameStatus status = move(attempt);
    if (status == platform::RenameStatus::TargetIsSource && mayChangeCase) {
        return changeCase(attempt, next);
    }
    if (status != platform::RenameStatus::Ok) {
        return false;
    }
    const bool announce = next != nullptr && next->possible;
    journal_.renamed(announce ? &next->pair : nullptr);
    nextIsPending_ = announce;
    record_.append(attempt.pair);
    return true;
}

// The new name is the file's own where letter case does not count: the file
// goes to a temporary name and from there to its new one, two ordinary
// journaled renames, so that recovery and undo need nothing new. When the
// second fails, the file goes back to its old name.
bool RunLoop::changeCase(const Attempt &attempt, const Attempt *next)
{
    Attempt away = temporaryFor(attempt);
    for (int tries = 0; !carryOut(away, nullptr, false); ++tries) {
        if (tries == 3 || !platform::pathExists(away.to)) {
            return false; // not for want of a free temporary name
        }
        away = temporaryFor(attempt);
    }
    Attempt onward = attempt;
    onward.from = away.to;
    onward.pair.oldName = away.pair.newName;
    if (carryOut(onward, next, false)) {
        return true;
    }
    Attempt back = away;
    std::swap(back.from, back.to);
    std::swap(back.pair.oldName, back.pair.newName);
    carryOut(back, nullptr, false); // failing, the record still leads undo to it
    return false;
}

void RunLoop::renamed(FileEntry &entry, const Attempt &attempt)
{
    entry.status = EntryStatus::Renamed;
    ++renamed_;
    if (context_.settings.fileDate) {
        platform::setModificationTime(attempt.to, currentLocalSeconds() / 60 * 60);
    }
}

// Prepares the entries from `at` on until the stretch has `size` moves;
// false when the user stopped the run at a folder question.
bool RunLoop::prepareStretch(const std::vector<FileEntry *> &ready, std::size_t &at,
                             std::size_t size, Stretch &stretch)
{
    while (stretch.size() < size && at < ready.size()) {
        FileEntry &entry = *ready[at++];
        Attempt attempt = prepare(entry);
        if (!attempt.possible) {
            fail(entry); // it could not be undone, or would move another file
            continue;
        }
        if (!folderReady(attempt)) {
            return false;
        }
        stretch.moves.push_back(laneMove(attempt));
        stretch.entries.push_back(&entry);
        stretch.attempts.push_back(std::move(attempt));
    }
    return true;
}

LaneMove RunLoop::laneMove(const Attempt &attempt)
{
    LaneMove move{QFile::encodeName(attempt.from), QFile::encodeName(attempt.to),
                  RenameJournal::pendingLineOf(attempt.pair)};
    if (folders_) {
        placeInFolder(move.from, move.fromFolder, move.fromName);
        placeInFolder(move.to, move.toFolder, move.toName);
    }
    return move;
}

// The open folder a path leads into, and where its name starts.
void RunLoop::placeInFolder(const QByteArray &path, int &folder, qsizetype &name)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0 || slash + 1 == path.size()) {
        return; // no folder, or no name: the path itself serves
    }
    folder = folders_->descriptorOf(slash == 0 ? QByteArrayView("/")
                                               : QByteArrayView(path).first(slash));
    name = slash + 1;
}

// One entry the lane left to the run: all the ways of no_replace_rename.h.
void RunLoop::carryEntry(const Stretch &stretch, std::size_t at)
{
    const Attempt *next = at + 1 < stretch.size() ? &stretch.attempts[at + 1] : nullptr;
    if (carryOut(stretch.attempts[at], next)) {
        renamed(*stretch.entries[at], stretch.attempts[at]);
    } else {
        fail(*stretch.entries[at]);
    }
}

// Starts the lane on the stretch's moves from `first` on; false when there
// are none or the lane is off.
bool RunLoop::startLane(RenameLane &lane, const Stretch &stretch, std::size_t first)
{
    if (laneOff_ || first >= stretch.size()) {
        return false;
    }
    lane.start(stretch.moves, first, std::exchange(nextIsPending_, false));
    return true;
}

// The lane's renames of a stretch, taken into the record and the list.
void RunLoop::takeIn(const Stretch &stretch, std::size_t first, std::size_t end)
{
    for (std::size_t at = first; at < end; ++at) {
        record_.append(stretch.attempts[at].pair);
        renamed(*stretch.entries[at], stretch.attempts[at]);
    }
}

// Waits for the lane and takes over every move the system refused it. The
// lane's last renames of the stretch are left to be taken in while it
// works on the next one: the index of the first of them.
std::size_t RunLoop::finishStretch(RenameLane &lane, bool started, const Stretch &stretch)
{
    std::size_t at = 0;
    for (;;) {
        if (started) {
            const LaneOutcome outcome = lane.wait();
            nextIsPending_ = outcome.nextAnnounced;
            laneOff_ = laneOff_ || platform::lacksNoReplace(outcome.error);
            if (at + outcome.done == stretch.size()) {
                return at;
            }
            takeIn(stretch, at, at + outcome.done);
            at += outcome.done;
        }
        if (at == stretch.size()) {
            return at;
        }
        carryEntry(stretch, at++);
        started = startLane(lane, stretch, at);
    }
}

bool RunLoop::renameInListOrder(const std::vector<FileEntry *> &ready)
{
    RenameLane lane(journal_, steps_.rename);
    Stretch current;
    Stretch upcoming;
    std::size_t at = 0;
    std::size_t size = FirstStretch;
    bool going = prepareStretch(ready, at, size, current);
    bool started = startLane(lane, current, 0);
    while (current.size() > 0) {
        size = std::min(size * 2, LongestStretch);
        upcoming.clear();
        going = going && prepareStretch(ready, at, size, upcoming);
        const std::size_t left = finishStretch(lane, started, current);
        started = startLane(lane, upcoming, 0);
        takeIn(current, left, current.size());
        // The lane reads the moves where they lie, which a swap of the
        // vectors leaves in place.
        std::swap(current, upcoming);
    }
    return going;
}

// A name in the folder the file leaves that no file has: the rename onto it
// never replaces, so a name taken meanwhile only costs another try.
Attempt RunLoop::temporaryFor(const Attempt &attempt)
{
    const QString name =
        u".namenswerk-%1-%2.tmp"_s.arg(QCoreApplication::applicationPid()).arg(++temporaries_);
    Attempt step = attempt;
    step.pair.newName = folderPart(attempt.pair.oldName) + name;
    step.to = resolveRecordName(recordFolder_, step.pair.newName);
    return step;
}

// A member of a cycle, out of the way before the others move, then to its
// target; when that fails it goes back to its old name.
void RunLoop::throughTemporary(FileEntry &entry, const Attempt &attempt)
{
    Attempt away = temporaryFor(attempt);
    for (int tries = 0; !carryOut(away, nullptr); ++tries) {
        if (tries == 3 || platform::pathExists(attempt.to) || !platform::pathExists(attempt.from)) {
            fail(entry);
            return;
        }
        away = temporaryFor(attempt);
    }
    parked_ = away;
}

void RunLoop::finishFromTemporary(FileEntry &entry, const Attempt &attempt)
{
    if (!parked_) {
        return; // it never left its name, and has failed already
    }
    const Attempt away = *std::exchange(parked_, std::nullopt);
    Attempt onward = attempt;
    onward.from = away.to;
    onward.pair.oldName = away.pair.newName;
    if (carryOut(onward, nullptr)) {
        renamed(entry, attempt);
        return;
    }
    Attempt back = away;
    std::swap(back.from, back.to);
    std::swap(back.pair.oldName, back.pair.newName);
    carryOut(back, nullptr); // failing, the record still leads undo to it
    fail(entry);
}

bool RunLoop::renameInOrder(std::vector<FileEntry *> &ready)
{
    std::vector<Attempt> attempts;
    attempts.reserve(ready.size());
    std::vector<PlannedMove> moves;
    moves.reserve(ready.size());
    for (FileEntry *entry : ready) {
        attempts.push_back(prepare(*entry));
        moves.push_back(plannedMove(attempts.back()));
    }
    const std::vector<OrderedStep> steps = orderMoves(moves);
    for (std::size_t at = 0; at < steps.size(); ++at) {
        const OrderedStep &step = steps[at];
        FileEntry &entry = *ready[step.move];
        const Attempt &attempt = attempts[step.move];
        if (step.kind == OrderedStep::FromTemporary) {
            finishFromTemporary(entry, attempt);
            continue;
        }
        if (!attempt.possible) {
            fail(entry); // it could not be undone, or would move another file
            continue;
        }
        if (!folderReady(attempt)) {
            return false;
        }
        if (step.kind == OrderedStep::ToTemporary) {
            throughTemporary(entry, attempt);
            continue;
        }
        const bool nextWhole = at + 1 < steps.size() && steps[at + 1].kind == OrderedStep::Whole;
        if (carryOut(attempt, nextWhole ? &attempts[steps[at + 1].move] : nullptr)) {
            renamed(entry, attempt);
        } else {
            fail(entry);
        }
    }
    return true;
}

int RunLoop::failedOnOwnNames(const std::vector<FileEntry *> &ready) const
{
    std::vector<PlannedMove> moves;
    moves.reserve(ready.size());
    for (const FileEntry *entry : ready) {
        moves.push_back(plannedMove(prepare(*entry)));
    }
    const std::vector<bool> blocked = targetsOfOtherMoves(moves);
    int count = 0;
    for (std::size_t index = 0; index < ready.size(); ++index) {
        count += blocked[index] && ready[index]->status == EntryStatus::RenameFailed ? 1 : 0;
    }
    return count;
}

void RunLoop::finish(RunResult &result)
{
    result.renamed = renamed_;
    result.failed = failed_;
    const bool movedAny = record_.count() > 0;
    if (movedAny) {
        result.recorded = writeRecoveryRecord(context_.settingsFolder, currentLocalSeconds(),
                                              recordFolder_, record_);
    }
    // Without a record the journal is the only trace of the run: it stays,
    // and the next start tries again.
    if (result.recorded || !movedAny) {
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
    std::vector<FileEntry *> ready;
    ready.reserve(std::size_t(std::max(context.list.readyCount, 0)));
    for (FileEntry &entry : entries) {
        if (entry.status == EntryStatus::Ok) {
            ready.push_back(&entry);
        }
    }
    if (context.settings.resolveChains) {
        result.stopped = !loop.renameInOrder(ready);
    } else {
        result.stopped = !loop.renameInListOrder(ready);
    }
    std::vector<bool> renamedHere(entries.size());
    for (FileEntry *entry : ready) {
        renamedHere[std::size_t(entry - entries.data())] = entry->status == EntryStatus::Renamed;
    }
    loop.finish(result);
    if (result.failed > 0 && !context.settings.resolveChains) {
        result.failedOnOwnNames = loop.failedOnOwnNames(ready);
    }

    // The new statuses stay: only the status pass runs, no new names.
    readFactsAfterRun(context.list, renamedHere);
    context.list.refreshLevel = RefreshLevel::Statuses;
    context.engine.refresh(context.list, context.settings);
    return result;
}

} // namespace namenswerk
