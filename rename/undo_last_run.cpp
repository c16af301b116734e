#include "rename/undo_last_run.h"

#include "engine/abbreviate_path.h"
#include "platform/file_system.h"
#include "platform/no_replace_rename.h"
#include "rename/age_phrase.h"
#include "rename/interrupted_run.h"
#include "rename/local_clock.h"
#include "rename/record_paths.h"
#include "rename/recovery_record.h"
#include "settings/settings_lock.h"

#include <algorithm>

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

// "12 Dateien aus dem Verzeichnis '…' wurden vor 25 Minuten umbenannt."
QString runHeading(const RecoveryRecord &record, std::int64_t now)
{
    const auto count = static_cast<qsizetype>(record.pairs.size());
    const bool one = count == 1;
    return QString::number(count) % (one ? u" Datei"_s : u" Dateien"_s) %
           u" aus dem Verzeichnis '"_s % abbreviatePath(record.folder, 35) %
           (one ? u"' wurde "_s : u"' wurden "_s) % agePhrase(record.magic, now) % u" umbenannt."_s;
}

Request undoQuestion(const RecoveryRecord &record, std::int64_t now)
{
    Request request;
    request.title = u"Umbennen"_s;
    request.heading = runHeading(record, now);
    request.text = u"Soll versucht werden, dies rückgängig zu machen?"_s;
    request.icon = RequestIcon::Question;
    request.buttons = YesCancel;
    return request;
}

// Where a recorded name stands on disk now; a pair of empty names stands for nothing.
bool exists(const RecoveryRecord &record, const QString &name)
{
    return !name.isEmpty() && platform::pathExists(resolveRecordName(record.folder, name));
}

// Asking would offer renames that can only fail. Every old name back in its
// place means an undo has already run; otherwise the files went elsewhere.
Request nothingToUndo(const RecoveryRecord &record, std::int64_t now)
{
    const bool oldNamesBack = std::ranges::all_of(
        record.pairs, [&](const RenamedPair &pair) { return exists(record, pair.oldName); });
    Request request;
    request.title = u"Umbenennen rückgängig machen"_s;
    request.heading = runHeading(record, now);
    request.text = oldNamesBack ? u"Das wurde bereits rückgängig gemacht: Die Dateien tragen "
                                  u"wieder ihre alten Namen."_s
                                : u"Keine dieser Dateien trägt noch ihren neuen Namen, es gibt "
                                  u"nichts rückgängig zu machen."_s;
    request.icon = RequestIcon::Information;
    request.buttons = OkOnly;
    return request;
}

} // namespace

UndoResult undoLastRun(const QString &settingsFolder, Requester &requester, FileList &list)
{
    return undoLastRun(settingsFolder, requester, list, currentLocalSeconds());
}

UndoResult undoLastRun(const QString &settingsFolder, Requester &requester, FileList &list,
                       std::int64_t now)
{
    UndoResult result;
    // Held until the last file is back, the question included: no run may
    // replace the record, or rename the files, while they are undone.
    const SettingsLock lock(settingsFolder);
    if (lock.busy()) {
        requester.ask(settingsFolderBusy(
            settingsFolder, u"Es wurde nichts rückgängig gemacht. Bitte versuchen Sie es\r"
                            u"erneut, wenn der andere Lauf beendet ist."_s));
        result.busy = true;
        return result;
    }
    recoverInterruptedRun(settingsFolder);
    const RecoveryRecord record = readRecoveryRecord(settingsFolder);
    if (record.pairs.empty()) {
        return result;
    }
    const bool someNewNameExists = std::ranges::any_of(
        record.pairs, [&](const RenamedPair &pair) { return exists(record, pair.newName); });
    if (!someNewNameExists) {
        requester.ask(nothingToUndo(record, now));
        result.newNamesGone = true;
        result.skipped = static_cast<int>(record.pairs.size());
        result.pairRestored.assign(record.pairs.size(), false);
        return result;
    }
    result.asked = true;
    if (requester.ask(undoQuestion(record, now)).code != AnswerYes) {
        return result;
    }
    result.confirmed = true;
    // Backwards, so that chains come undone: A>B then C>A goes back as A>C, then B>A.
    result.pairRestored.resize(record.pairs.size());
    for (std::size_t index = record.pairs.size(); index-- > 0;) {
        const RenamedPair &pair = record.pairs[index];
        const bool renamedBack =
            !pair.oldName.isEmpty() && !pair.newName.isEmpty() &&
            platform::renameNoReplace(resolveRecordName(record.folder, pair.newName),
                                      resolveRecordName(record.folder, pair.oldName))
                .ok();
        result.pairRestored[index] = renamedBack;
        ++(renamedBack ? result.restored : result.skipped);
    }
    list.refreshAllFacts();
    list.requestRefresh(RefreshLevel::Names);
    return result;
}

} // namespace namenswerk
