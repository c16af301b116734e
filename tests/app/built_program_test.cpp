// The built program in a process of its own, ended the way a user ends it.

#include "settings/settings_file.h"
#include "tests/support/temp_folder.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStringDecoder>
#include <QThread>

#include <gtest/gtest.h>

namespace namenswerk::test {
namespace {

using namespace Qt::StringLiterals;

constexpr int waitMilliseconds = 30000;

class BuiltProgram : public ::testing::Test {
protected:
    BuiltProgram()
    {
        // A counted earlier run, so no welcome tip waits for an answer.
        folder.write(u"Brindlewick.ini"_s, "[Global]\r\nFilebuffer=1\r\nLogging=1\r\n");
    }

    QString socket() const { return folder.file(u"instance"_s); }

    // closeWhen: "start" ends the program once it is up, "raise" when a later
    // start asks for its window; empty leaves it to the test.
    void launch(QProcess &process, const QString &closeWhen, const QStringList &arguments = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        environment.insert(u"NAMENSWERK_SETTINGS_DIR"_s, folder.path());
        environment.insert(u"NAMENSWERK_INSTANCE_NAME"_s, socket());
        if (closeWhen.isEmpty()) {
            environment.remove(u"NAMENSWERK_TEST_CLOSE"_s);
        } else {
            environment.insert(u"NAMENSWERK_TEST_CLOSE"_s, closeWhen);
        }
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(NAMENSWERK_EXECUTABLE), arguments);
        ASSERT_TRUE(process.waitForStarted(waitMilliseconds));
    }

    static void expectCleanEnd(QProcess &process)
    {
        ASSERT_TRUE(process.waitForFinished(waitMilliseconds)) << "the program did not end";
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
    }

    // The remembered list as the program wrote it at its end.
    QString rememberedList() const
    {
        QFile file(folder.file(u"Brindlewick.lst"_s));
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        QStringDecoder decode(QStringDecoder::Utf16LE);
        return decode(file.readAll());
    }

    void waitUntilListening() const
    {
        const QDeadlineTimer deadline(waitMilliseconds);
        while (!QFileInfo::exists(socket()) && !deadline.hasExpired()) {
            QThread::msleep(20);
        }
        ASSERT_TRUE(QFileInfo::exists(socket())) << "the first start does not listen";
    }

    TempFolder folder;
};

TEST_F(BuiltProgram, StartsWithAListFileSavesAndEndsWithZero)
{
    const QString file = folder.write(u"a.txt"_s, "x");
    const QString listFile = folder.write(u"auswahl.lst"_s, file.toUtf8());
    QProcess program;
    launch(program, u"start"_s, {listFile});
    expectCleanEnd(program);

    const StoredSettings saved = readSettings(folder.path());
    EXPECT_EQ(saved.startCount, 2);
    EXPECT_TRUE(folder.exists(u"Brindlewick.lst"_s)) << "the remembered list is written";
}

TEST_F(BuiltProgram, ASecondStartRaisesTheFirstAndEndsAtOnce)
{
    QProcess first;
    launch(first, u"raise"_s);
    waitUntilListening();

    QProcess second;
    launch(second, {}, {u"7"_s});
    expectCleanEnd(second);
    // The first one ends only because the second asked it for its window.
    expectCleanEnd(first);
    EXPECT_EQ(readSettings(folder.path()).startCount, 2) << "only the first start saved";
}

TEST_F(BuiltProgram, PathArgumentsBecomeTheList)
{
    folder.write(u"Bild 1.jpg"_s, "x");
    folder.write(u"Bild 2.jpg"_s, "x");
    QProcess program;
    program.setWorkingDirectory(folder.path());
    launch(program, u"start"_s, {u"Bild 1.jpg"_s, u"Bild 2.jpg"_s});
    expectCleanEnd(program);

    const QString list = rememberedList();
    EXPECT_TRUE(list.contains(u"Bild 1.jpg"_s)) << list.toStdString();
    EXPECT_TRUE(list.contains(u"Bild 2.jpg"_s)) << list.toStdString();
}

TEST_F(BuiltProgram, ASecondStartHandsItsPathsToTheFirst)
{
    QProcess first;
    launch(first, u"raise"_s);
    waitUntilListening();
    folder.write(u"Neu.txt"_s, "x");

    QProcess second;
    second.setWorkingDirectory(folder.path());
    launch(second, {}, {u"Neu.txt"_s});
    expectCleanEnd(second);
    expectCleanEnd(first);
    EXPECT_TRUE(rememberedList().contains(u"Neu.txt"_s)) << "the first took the path as a drop";
}

} // namespace
} // namespace namenswerk::test
