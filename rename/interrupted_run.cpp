#include "rename/interrupted_run.h"

#include "platform/file_facts.h"
#include "platform/file_system.h"
#include "platform/no_replace_rename.h"
#include "rename/record_paths.h"
#include "rename/rename_journal.h"
#include "settings/settings_lock.h"

#include <QFile>

namespace namenswerk {

namespace {

bool wasCarriedOut(const QString &folder, const RenamedPair &pair)
{
    return !platform::pathExists(resolveRecordName(folder, pair.oldName)) &&
           platform::pathExists(resolveRecordName(folder, pair.newName));
}

// The run died after it announced a claim of the new name and before the
// file took that name (the old name is still there): what is at the new
// name, if it is still an empty file, is the claim.
struct StrayClaim {
    QString path;
    QString renamedFile;
};

std::optional<StrayClaim> claimLeftBehind(const QString &folder, const RenamedPair &pair)
{
    const QString renamedFile = resolveRecordName(folder, pair.oldName);
    if (!platform::pathExists(renamedFile)) {
        return std::nullopt;
    }
    return StrayClaim{resolveRecordName(folder, pair.newName), renamedFile};
}

// The record the journal at path stands for; none when it cannot be read.
// A journal of no renames gives a record without pairs. The path of a claim
// that the run may have left behind goes to strayClaim.
std::optional<RecoveryRecord> recordOfJournal(const QString &path,
                                              std::optional<StrayClaim> *strayClaim = nullptr)
{
    if (!platform::pathExists(path)) {
        return std::nullopt;
    }
    JournalContents journal = readJournal(path);
    if (!journal.readable) {
        return std::nullopt;
    }
    if (journal.pending && wasCarriedOut(journal.folder, *journal.pending)) {
        journal.renamed.push_back(*journal.pending);
    } else if (strayClaim && journal.claimed) {
        *strayClaim = claimLeftBehind(journal.folder, *journal.claimed);
    }
    // The last line was appended right after the run's last rename.
    return RecoveryRecord{platform::pathFacts(path).localTime, journal.folder,
                          std::move(journal.renamed)};
}

} // namespace

bool recoverInterruptedRun(const QString &settingsFolder)
{
    // Under the lock no run is going: a journal found now is one a run left
    // when it died, not the one a live run is writing.
    const SettingsLock lock(settingsFolder);
    if (lock.busy()) {
        return false;
    }
    const QString path = journalFilePath(settingsFolder);
    std::optional<StrayClaim> strayClaim;
    const std::optional<RecoveryRecord> record = recordOfJournal(path, &strayClaim);
    if (!record) {
        return false;
    }
    if (strayClaim) {
        platform::removeEmptyClaim(strayClaim->path, strayClaim->renamedFile);
    }
    const bool renamedAny = !record->pairs.empty();
    if (renamedAny && !writeRecoveryRecord(settingsFolder, *record)) {
        return false;
    }
    QFile::remove(path);
    return renamedAny;
}

std::optional<RecoveryRecord> leftoverRunRecord(const QString &settingsFolder)
{
    std::optional<RecoveryRecord> record = recordOfJournal(journalFilePath(settingsFolder));
    if (record && record->pairs.empty()) {
        return std::nullopt;
    }
    return record;
}

} // namespace namenswerk
