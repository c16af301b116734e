#include "rename/interrupted_run.h"
#include "rename/recovery_record.h"
#include "rename/rename_journal.h"
#include "rename/undo_last_run.h"
#include "tests/rename/printers.h"
#include "tests/rename/run_fixture.h"
#include "tests/support/journal_length.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

constexpr int FileCount = 5000;

QString fileName(int i)
{
    return u"file_%1.dat"_s.arg(i, 4, 10, QChar(u'0'));
}

QByteArray contentOf(int i)
{
    return "content of file " + QByteArray::number(i);
}

// Waits until the child has journaled some renames, then kills it.
void killHalfWay(QProcess &child, const QString &journal)
{
    QElapsedTimer waited;
    waited.start();
    while (test::journalLength(journal) < 4096 && child.state() == QProcess::Running &&
           waited.elapsed() < 60'000) {
        QThread::usleep(50);
    }
    child.kill(); // SIGKILL
    child.waitForFinished();
}

TEST(InterruptedRun, UndoBringsBackEveryFileAfterTheRunWasKilled)
{
    test::TempFolder files;
    test::TempFolder settings;
    for (int i = 0; i < FileCount; ++i) {
        files.write(fileName(i), contentOf(i));
    }
    const QStringList before = test::RunFixture::filesBelow(files.path());
    const QString journal = journalFilePath(settings.path());

    QProcess child;
    child.start(QStringLiteral(INTERRUPTED_RUN_CHILD),
                {files.path(), settings.path(), QString::number(FileCount)});
    ASSERT_TRUE(child.waitForStarted());
    killHalfWay(child, journal);

    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);
    ASSERT_TRUE(QFile::exists(journal)) << "the run ended before it was killed";
    qsizetype movedAway = 0;
    for (const QString &name : before) {
        movedAway += files.exists(name) ? 0 : 1;
    }
    EXPECT_GT(movedAway, 0);

    EXPECT_TRUE(recoverInterruptedRun(settings.path()));
    EXPECT_EQ(qsizetype(readRecoveryRecord(settings.path()).pairs.size()), movedAway);
    EXPECT_EQ(test::RunFixture::filesBelow(settings.path()), QStringList{u"Brindlewick.ini"_s});

    test::ScriptedRequester requester;
    requester.add(AnswerYes);
    FileList list;
    EXPECT_EQ(undoLastRun(settings.path(), requester, list).restored, movedAway);

    EXPECT_EQ(test::RunFixture::filesBelow(files.path()), before);
    for (int i = 0; i < FileCount; ++i) {
        ASSERT_EQ(files.read(fileName(i)), contentOf(i)) << i;
    }
}

} // namespace
} // namespace namenswerk
