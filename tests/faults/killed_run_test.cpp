#include "rename/interrupted_run.h"
#include "rename/recovery_record.h"
#include "rename/rename_journal.h"
#include "rename/undo_last_run.h"
#include "tests/faults/disk_manifest.h"
#include "tests/support/journal_length.h"
#include "tests/support/scripted_requester.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

constexpr int Files = 2'000;
constexpr int Repetitions = 20;
// About what the journal of a whole run of these names holds: a pending and
// a renamed line of some 38 bytes for each file.
constexpr qint64 WholeJournal = Files * 76;

// Kills the child once its journal has grown to the given size, at the
// latest when the child is done anyway.
void killAtJournalSize(QProcess &child, const QString &journal, qint64 size)
{
    QElapsedTimer waited;
    waited.start();
    while (test::journalLength(journal) < size && child.state() == QProcess::Running &&
           waited.elapsed() < 60'000) {
        QThread::msleep(1);
    }
    child.kill(); // SIGKILL
    child.waitForFinished();
}

// Starts the killable run on the folder and kills it once its journal has
// the given size.
void runUntilJournalSize(const QString &files, const QString &settings, qint64 size,
                         const QStringList &mode = {})
{
    QProcess child;
    child.start(QStringLiteral(INTERRUPTED_RUN_CHILD),
                QStringList{files, settings, QString::number(Files)} + mode);
    EXPECT_TRUE(child.waitForStarted());
    killAtJournalSize(child, journalFilePath(settings), size);
}

// Twenty runs of 2,000 files, each killed at a random point of its journal:
// after the next start recovers the journal, undo brings back every name and
// every byte.
TEST(KilledRun, EachKillIsUndoneCompletely)
{
    std::mt19937 random(2024);
    std::uniform_int_distribution<qint64> journalSize(0, WholeJournal);
    int killedHalfWay = 0;
    // One folder for all repetitions: each ends with every file back in place.
    test::TempFolder files;
    for (int i = 0; i < Files; ++i) {
        const QByteArray name = "file_" + QByteArray::number(i).rightJustified(4, '0') + ".dat";
        ASSERT_TRUE(test::writeRawFile(files.path(), name, "content of " + name));
    }
    const test::DiskManifest before = test::diskManifest(files.path());
    ASSERT_EQ(before.size(), std::size_t(Files));
    for (int repetition = 0; repetition < Repetitions; ++repetition) {
        SCOPED_TRACE(repetition);
        test::TempFolder settings;
        runUntilJournalSize(files.path(), settings.path(), journalSize(random));
        qsizetype movedAway = 0;
        for (const auto &[name, hash] : before) {
            movedAway += files.exists(QString::fromLatin1(name)) ? 0 : 1;
        }
        killedHalfWay += movedAway > 0 && movedAway < Files ? 1 : 0;

        recoverInterruptedRun(settings.path());
        EXPECT_FALSE(QFileInfo::exists(journalFilePath(settings.path())));
        test::ScriptedRequester requester({{AnswerYes, false, 0}});
        FileList list;
        const UndoResult undone = undoLastRun(settings.path(), requester, list);
        EXPECT_EQ(undone.restored, movedAway);
        EXPECT_EQ(undone.skipped, 0);
        ASSERT_EQ(test::diskManifest(files.path()), before);
    }
    // Most kills land inside the renames; the others before or after them.
    EXPECT_GT(killedHalfWay, 0);
    RecordProperty("KilledHalfWay", killedHalfWay);
}

// The same with every file taking the next one's name, the last the first's:
// one cycle through a temporary name, killed anywhere, including between the
// two steps of the temporary name. Undo leaves no temporary name behind.
TEST(KilledRun, EachKilledRotationIsUndoneCompletely)
{
    std::mt19937 random(2025);
    // A pending and a renamed line of some 29 bytes for each file.
    constexpr qint64 WholeRotation = Files * 58;
    std::uniform_int_distribution<qint64> journalSize(0, WholeRotation);
    test::TempFolder files;
    for (int i = 0; i < Files; ++i) {
        const QByteArray name = "file_" + QByteArray::number(i).rightJustified(4, '0') + ".dat";
        ASSERT_TRUE(test::writeRawFile(files.path(), name, "content of " + name));
    }
    const test::DiskManifest before = test::diskManifest(files.path());
    // The kills nearest the start and the end, where the temporary name lives.
    int killedWithTemporary = 0;
    std::vector<qint64> sizes{0, 150, 300, WholeRotation - 100, WholeRotation - 20};
    while (sizes.size() < std::size_t(Repetitions)) {
        sizes.push_back(journalSize(random));
    }
    for (const qint64 size : sizes) {
        SCOPED_TRACE(size);
        test::TempFolder settings;
        runUntilJournalSize(files.path(), settings.path(), size, {u"rotate"_s});
        const QStringList temporary =
            QDir(files.path()).entryList({u".namenswerk-*"_s}, QDir::Files | QDir::Hidden);
        killedWithTemporary += temporary.isEmpty() ? 0 : 1;

        recoverInterruptedRun(settings.path());
        EXPECT_FALSE(QFileInfo::exists(journalFilePath(settings.path())));
        test::ScriptedRequester requester({{AnswerYes, false, 0}});
        FileList list;
        const UndoResult undone = undoLastRun(settings.path(), requester, list);
        EXPECT_EQ(undone.skipped, 0);
        ASSERT_EQ(test::diskManifest(files.path()), before);
    }
    EXPECT_GT(killedWithTemporary, 0);
}

// Runs on played file systems that kill themselves between the two steps of
// one rename, at the first, second, a middle and the last of them: between
// the claim of the target and the move onto it, or with the file under its
// temporary name on the way to a name that differs only in case. After
// recovery and undo every name and byte is back, and neither a claim nor a
// temporary name is left.
TEST(KilledRun, AKillBetweenTheStepsOfOneRenameIsUndoneCompletely)
{
    constexpr int Few = 40;
    for (const QString &mode : {u"claims"_s, u"case"_s}) {
        for (const int killAt : {1, 2, Few / 2, Few}) {
            SCOPED_TRACE(mode.toStdString() + " " + std::to_string(killAt));
            test::TempFolder files;
            for (int i = 0; i < Few; ++i) {
                const QByteArray name =
                    "file_" + QByteArray::number(i).rightJustified(4, '0') + ".dat";
                ASSERT_TRUE(test::writeRawFile(files.path(), name, "content of " + name));
            }
            const test::DiskManifest before = test::diskManifest(files.path());
            test::TempFolder settings;
            QProcess child;
            child.start(QStringLiteral(INTERRUPTED_RUN_CHILD),
                        {files.path(), settings.path(), QString::number(Few), mode,
                         QString::number(killAt)});
            ASSERT_TRUE(child.waitForFinished(60'000));
            ASSERT_EQ(child.exitStatus(), QProcess::CrashExit); // it died half-way
            // The kill left the in-between state: a claim beside the file, or
            // the file under its temporary name.
            const test::DiskManifest killed = test::diskManifest(files.path());
            if (mode == u"claims"_s) {
                EXPECT_EQ(killed.size(), std::size_t(Few) + 1);
            } else {
                EXPECT_TRUE(std::any_of(killed.begin(), killed.end(), [](const auto &file) {
                    return file.first.startsWith(".namenswerk-");
                }));
            }

            recoverInterruptedRun(settings.path());
            test::ScriptedRequester requester({{AnswerYes, false, 0}});
            FileList list;
            const UndoResult undone = undoLastRun(settings.path(), requester, list);
            EXPECT_EQ(undone.skipped, 0);
            EXPECT_EQ(test::diskManifest(files.path()), before);
        }
    }
}

} // namespace
} // namespace namenswerk
