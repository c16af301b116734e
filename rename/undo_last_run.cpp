#include "rename/undo_last_run.h"

#include "engine/abbreviate_path.h"
#include "platform/no_replace_rename.h"
#include "rename/age_phrase.h"
#include "rename/interrupted_run.h"
#include "rename/local_clock.h"
#include "rename/record_paths.h"
#include "rename/recovery_record.h"
#include "settings/settings_lock.h"

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

Request undoQuestion(const RecoveryRecord &record, std::int64_t now)
{
    const auto count = static_cast<qsizetype>(record.pairs.size());
    Request request;
    request.title = u"Umbennen"_s;
    const bool one = count == 1;
    request.heading = QString::number(count) % (one ? u" Datei"_s : u" Dateien"_s) %
                      u" aus dem Verzeichnis '"_s % abbreviatePath(record.folder, 35) %
                      (one ? u"' wurde "_s : u"' wurden "_s) % agePhrase(record.magic, now) %
                      u" umbenannt."_s;
    request.text = u"Soll versucht werden, dies rückgängig zu machen?"_s;
    request.icon = RequestIcon::Question;
    request.buttons = YesCancel;
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
