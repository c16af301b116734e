#include "rename/interrupted_run.h"

#include "platform/file_facts.h"
#include "platform/file_system.h"
#include "rename/record_paths.h"
#include "rename/recovery_record.h"
#include "rename/rename_journal.h"

#include <QFile>

namespace namenswerk {

namespace {

bool wasCarriedOut(const QString &folder, const RenamedPair &pair)
{
    return !platform::pathExists(resolveRecordName(folder, pair.oldName)) &&
           platform::pathExists(resolveRecordName(folder, pair.newName));
}

} // namespace

bool recoverInterruptedRun(const QString &settingsFolder)
{
    const QString path = journalFilePath(settingsFolder);
    if (!platform::pathExists(path)) {
        return false;
    }
    JournalContents journal = readJournal(path);
    if (!journal.readable) {
        return false;
    }
    if (journal.pending && wasCarriedOut(journal.folder, *journal.pending)) {
        journal.renamed.push_back(*journal.pending);
    }
    const bool renamedAny = !journal.renamed.empty();
    if (renamedAny) {
        // The last line was appended right after the run's last rename.
        const RecoveryRecord record{platform::pathFacts(path).localTime, journal.folder,
                                    std::move(journal.renamed)};
        if (!writeRecoveryRecord(settingsFolder, record)) {
            return false;
        }
    }
    QFile::remove(path);
    return renamedAny;
}

} // namespace namenswerk
