#include "rename/interrupted_run.h"
#include "rename/rename_journal.h"
#include "rename/run_questions.h"
#include "settings/list_file.h"
#include "settings/settings_file.h"
#include "tests/app/batch/batch_run.h"
#include "tests/rename/run_fixture.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

// A test that blocks on a FIFO ends by this alarm instead of hanging.
class Deadline {
public:
    Deadline() { ::alarm(30); }
    ~Deadline() { ::alarm(0); }
    Deadline(const Deadline &) = delete;
    Deadline &operator=(const Deadline &) = delete;
    Deadline(Deadline &&) = delete;
    Deadline &operator=(Deadline &&) = delete;
};

bool makeFifo(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool isFifo(const QString &path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}

// A FIFO named like the settings file, the journal or the list file (nobody
// writes into it) is neither waited on nor replaced: the settings read as
// defaults, a run asks before it goes on without a journal, a list reads as
// empty.
TEST(FifoPaths, NoReaderWaitsAndNoFifoIsReplaced)
{
    const Deadline deadline;
    test::RunFixture run;
    const QString folder = run.settingsFolder.path();
    const QString settingsPath = settingsFilePath(folder);
    const QString journalPath = journalFilePath(folder);
    const QString listPath = ownListFilePath(folder);
    ASSERT_TRUE(makeFifo(settingsPath) && makeFifo(journalPath) && makeFifo(listPath));

    EXPECT_EQ(readSettings(folder), StoredSettings());
    EXPECT_FALSE(writeSettings(folder, StoredSettings()));
    EXPECT_FALSE(recoverInterruptedRun(folder));
    FileList list;
    readListFile(list, listPath, true, 9999);
    EXPECT_EQ(list.count(), 0);

    run.addFiles({u"a.txt"_s, u"b.txt"_s});
    run.compute(u"x_<n>.<e>"_s);
    run.requester.add(AnswerCancel);
    const RunResult declined = run.run();
    EXPECT_EQ(declined.end, RunEnd::NoJournal);
    EXPECT_EQ(run.requester.asked.back().title, u"Kein Protokoll"_s);
    EXPECT_EQ(run.filesOnDisk(), (QStringList{u"a.txt"_s, u"b.txt"_s}));

    run.requester.add(AnswerRename);
    const RunResult renamed = run.run();
    EXPECT_EQ(renamed.renamed, 2);
    EXPECT_FALSE(renamed.recorded);
    EXPECT_FALSE(renamed.journalKept);

    EXPECT_TRUE(isFifo(settingsPath));
    EXPECT_TRUE(isFifo(journalPath));
}

// The batch command with the same FIFOs: it ends, and says why.
TEST(FifoPaths, TheBatchCommandEndsAndSaysWhy)
{
    test::TempFolder settings;
    test::TempFolder files;
    files.write(u"a.txt"_s, "a");
    ASSERT_TRUE(makeFifo(settingsFilePath(settings.path())));
    ASSERT_TRUE(makeFifo(journalFilePath(settings.path())));
    ASSERT_TRUE(makeFifo(ownListFilePath(settings.path())));
    const QStringList apply{u"--apply"_s,    u"--settings"_s, settings.path(),
                            u"--template"_s, u"x_<n>.<e>"_s,  files.file(u"a.txt"_s)};

    const test::BatchResult refused = test::runBatch(files.path(), apply);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(u"--no-journal"_s)) << refused.err.toStdString();
    EXPECT_TRUE(files.exists(u"a.txt"_s));

    const test::BatchResult renamed =
        test::runBatch(files.path(), apply + QStringList{u"--no-journal"_s});
    EXPECT_EQ(renamed.exitCode, 1); // renamed, but not recorded
    EXPECT_TRUE(files.exists(u"x_a.txt"_s));
    EXPECT_TRUE(renamed.err.contains(u"record for undo"_s)) << renamed.err.toStdString();

    const test::BatchResult remembered =
        test::runBatch(files.path(), {u"--remembered"_s, u"--settings"_s, settings.path()});
    EXPECT_EQ(remembered.exitCode, 2);
    const test::BatchResult undo = test::runBatch(
        files.path(), {u"--undo"_s, u"--dry-run"_s, u"--settings"_s, settings.path()});
    EXPECT_EQ(undo.exitCode, 0);
}

} // namespace
} // namespace namenswerk
