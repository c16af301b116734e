#include "rename/interrupted_run.h"
#include "rename/rename_journal.h"
#include "settings/settings_lock.h"
#include "tests/app/batch/batch_run.h"
#include "tests/faults/disk_manifest.h"
#include "tests/support/journal_length.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

constexpr int LongRunFiles = 10'000;
constexpr int ShortRunFiles = 50;

// Files named prefix + number in the folder, and a list file naming them.
QString makeFiles(const test::TempFolder &folder, const QString &prefix, int count,
                  const test::TempFolder &lists)
{
    QByteArray list;
    for (int i = 0; i < count; ++i) {
        const QString name = prefix + QString::number(i).rightJustified(5, u'0') + u".dat"_s;
        list += QFile::encodeName(folder.write(name, name.toUtf8())) + '\n';
    }
    return lists.write(prefix + u".txt"_s, list);
}

QStringList settingsFolderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

struct RacingRuns : ::testing::Test {
    test::TempFolder settings;
    test::TempFolder longFolder;
    test::TempFolder shortFolder;
    test::TempFolder lists;
    QString longList = makeFiles(longFolder, u"long_"_s, LongRunFiles, lists);
    QString shortList = makeFiles(shortFolder, u"short_"_s, ShortRunFiles, lists);
    test::DiskManifest longBefore = test::diskManifest(longFolder.path());
    test::DiskManifest shortBefore = test::diskManifest(shortFolder.path());
    QProcess longRun;

    void TearDown() override
    {
        if (longRun.state() != QProcess::NotRunning) {
            longRun.kill();
            longRun.waitForFinished();
        }
    }

    QStringList applyArguments(const QString &list, const QString &templateText) const
    {
        return {u"--apply"_s,
                u"--settings"_s,
                settings.path(),
                u"--template"_s,
                templateText,
                u"--list"_s,
                list};
    }

    // Starts the long run and freezes it half-way, its journal begun and
    // its lock held, as a run is while it works.
    bool startAndFreezeLongRun()
    {
        longRun.start(QStringLiteral(NAMENSWERK_BATCH_EXECUTABLE),
                      applyArguments(longList, u"renamed_<n>.<e>"_s));
        if (!longRun.waitForStarted()) {
            return false;
        }
        const QString journal = journalFilePath(settings.path());
        while (test::journalLength(journal) < 4096 && longRun.state() == QProcess::Running) {
        }
        ::kill(pid_t(longRun.processId()), SIGSTOP);
        return longRun.state() == QProcess::Running;
    }

    test::BatchResult batch(const QStringList &arguments) const
    {
        return test::runBatch(lists.path(), arguments);
    }
};

// Another run, an undo's dry run and the conversion at start-up, while a run
// is going and when it is killed: none of them takes its journal, the
// refused run renames nothing, and afterwards undo brings back every file
// the killed run renamed.
TEST_F(RacingRuns, ASecondRunIsRefusedAndTheKilledRunStaysUndoable)
{
    ASSERT_TRUE(startAndFreezeLongRun()) << "the long run ended before it could be stopped";
    const QString journal = journalFilePath(settings.path());
    const QStringList entriesDuringRun = settingsFolderEntries(settings.path());

    const test::BatchResult refused = batch(applyArguments(shortList, u"b_<n>.<e>"_s));
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.err.count(u'\n'), 1) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(settings.path())) << refused.err.toStdString();
    EXPECT_EQ(test::diskManifest(shortFolder.path()), shortBefore);

    const test::BatchResult look =
        batch({u"--undo"_s, u"--dry-run"_s, u"--settings"_s, settings.path()});
    EXPECT_EQ(look.exitCode, 2);
    // What the program does at start-up: the live run's journal stays its own.
    EXPECT_FALSE(recoverInterruptedRun(settings.path()));
    EXPECT_EQ(settingsFolderEntries(settings.path()), entriesDuringRun);
    EXPECT_TRUE(QFileInfo::exists(journal));

    // The long run dies while a second one waits for it.
    QProcess waiting;
    waiting.start(QStringLiteral(NAMENSWERK_BATCH_EXECUTABLE),
                  applyArguments(shortList, u"c_<n>.<e>"_s));
    ASSERT_TRUE(waiting.waitForStarted());
    QThread::msleep(1000);
    longRun.kill(); // SIGKILL, also for a stopped process
    longRun.waitForFinished();
    ASSERT_TRUE(waiting.waitForFinished(60'000));
    EXPECT_EQ(waiting.exitCode(), 2) << waiting.readAllStandardError().toStdString();
    EXPECT_EQ(test::diskManifest(shortFolder.path()), shortBefore);

    qsizetype renamedByLongRun = 0;
    for (const auto &[name, hash] : longBefore) {
        renamedByLongRun += longFolder.exists(QString::fromUtf8(name)) ? 0 : 1;
    }
    ASSERT_GT(renamedByLongRun, 0);
    const test::BatchResult listed =
        batch({u"--undo"_s, u"--dry-run"_s, u"--settings"_s, settings.path()});
    EXPECT_EQ(listed.exitCode, 0);
    EXPECT_EQ(listed.out.count(u'\n'), renamedByLongRun);

    const test::BatchResult undone = batch({u"--undo"_s, u"--settings"_s, settings.path()});
    EXPECT_EQ(undone.exitCode, 0) << undone.err.toStdString();
    EXPECT_EQ(test::diskManifest(longFolder.path()), longBefore);
    EXPECT_EQ(test::diskManifest(shortFolder.path()), shortBefore);
    EXPECT_FALSE(QFileInfo::exists(journal));
    EXPECT_FALSE(QFileInfo::exists(settingsLockPath(settings.path())));
}

// A dry run of undo reads a journal that a killed run left, and writes
// nothing: not the record, not the lock file, and the journal stays.
TEST_F(RacingRuns, UndoDryRunWritesNothing)
{
    ASSERT_TRUE(startAndFreezeLongRun()) << "the long run ended before it could be stopped";
    longRun.kill();
    longRun.waitForFinished();
    const test::DiskManifest settingsBefore = test::diskManifest(settings.path());
    const QStringList entriesBefore = settingsFolderEntries(settings.path());

    const test::BatchResult listed =
        batch({u"--undo"_s, u"--dry-run"_s, u"--settings"_s, settings.path()});

    EXPECT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    EXPECT_GT(listed.out.count(u'\n'), 0);
    EXPECT_EQ(test::diskManifest(settings.path()), settingsBefore);
    EXPECT_EQ(settingsFolderEntries(settings.path()), entriesBefore);
}

} // namespace
} // namespace namenswerk
