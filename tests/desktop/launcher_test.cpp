// namenswerk-open turns the files a file manager hands over into the one
// list-file argument the program takes.

#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace namenswerk::test {
namespace {

// Records how it was called and keeps a copy of the list file, which the
// launcher removes once the program has ended.
constexpr char StandIn[] = R"(#!/bin/sh
printf '%s' "$#" >"$RECORD/count"
if [ $# -gt 0 ]; then
    printf '%s' "$1" >"$RECORD/argument"
    cp "$1" "$RECORD/list" 2>/dev/null
fi
exit 7
)";

const QByteArray Bom = "\xEF\xBB\xBF";

QString installExecutable(const TempFolder &folder, const QString &name, const QByteArray &text)
{
    const QString path = folder.write(name, text);
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    return path;
}

QByteArray scriptText()
{
    QFile script(QStringLiteral(NAMENSWERK_OPEN_SCRIPT));
    return script.open(QIODevice::ReadOnly) ? script.readAll() : QByteArray();
}

struct Call {
    int exitCode = -1;
    QString errors;
};

class Launcher : public testing::Test {
protected:
    void SetUp() override
    {
        launcher = installExecutable(temp, u"bin/namenswerk-open"_s, scriptText());
        installExecutable(temp, u"bin/namenswerk"_s, StandIn);
        temp.write(u"record/.keep"_s);
        temp.write(u"work/.keep"_s);
    }

    // Runs the launcher in the folder "work" as `sh -c <command> <launcher> <arguments>`.
    Call runShell(const QString &command, const QStringList &arguments,
                  const QString &path = QString())
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"RECORD"_s, temp.file(u"record"_s));
        environment.insert(u"TMPDIR"_s, temp.file(u"tmp"_s));
        environment.remove(u"XDG_RUNTIME_DIR"_s);
        if (!path.isEmpty()) {
            environment.insert(u"PATH"_s, path + u':' + environment.value(u"PATH"_s));
        }
        temp.write(u"tmp/.keep"_s);
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(temp.file(u"work"_s));
        process.start(u"/bin/sh"_s, QStringList{u"-c"_s, command, launcher} + arguments);
        process.waitForFinished(30'000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
    }

    Call run(const QStringList &arguments) { return runShell(u"exec \"$0\" \"$@\""_s, arguments); }

    QString recorded(const QString &what) const
    {
        return QString::fromUtf8(temp.read(u"record/"_s + what));
    }
    QByteArray recordedList() const { return temp.read(u"record/list"_s); }

    TempFolder temp;
    QString launcher;
};

TEST_F(Launcher, HandsThePathsOverInOneListFileAndRemovesItAfterwards)
{
    const Call call = run({u"a.txt"_s, u"./b c.jpg"_s, u"/x/Straße.png"_s});

    EXPECT_EQ(call.exitCode, 7) << "the program's exit code";
    EXPECT_EQ(recorded(u"count"_s), u"1"_s);
    const QString list = recorded(u"argument"_s);
    EXPECT_TRUE(list.endsWith(u".lst"_s)) << list.toStdString();
    EXPECT_FALSE(QFile::exists(list));
    const QString work = temp.file(u"work/"_s);
    EXPECT_EQ(recordedList(),
              Bom + (work + u"a.txt\n"_s + work + u"b c.jpg\n/x/Straße.png\n"_s).toUtf8());
}

TEST_F(Launcher, LeavesOutPathsThatAListFileCannotHold)
{
    const Call call = runShell(
        u"exec \"$0\" \"$@\" \"$(printf 'latin\\3771.txt')\""_s,
        {u"gut.txt"_s, u"zwei\nzeilen.txt"_s, u"wagen\rruecklauf.txt"_s, u"schräg\\strich.txt"_s});

    EXPECT_EQ(recordedList(), Bom + (temp.file(u"work/gut.txt"_s) + u'\n').toUtf8());
    EXPECT_EQ(call.errors.count(u"namenswerk-open: left out"_s), 4) << call.errors.toStdString();
}

TEST_F(Launcher, PassesASingleListFileOnAsItIs)
{
    run({u"auswahl.lst"_s});
    EXPECT_EQ(recorded(u"argument"_s), temp.file(u"work/auswahl.lst"_s));

    // Only a name ending in exactly ".lst" is a list file for the program.
    run({u"AUSWAHL.LST"_s});
    EXPECT_EQ(recordedList(), Bom + temp.file(u"work/AUSWAHL.LST\n"_s).toUtf8());
}

TEST_F(Launcher, StartsTheProgramWithoutArgumentWhenGivenNoFiles)
{
    run({});
    EXPECT_EQ(recorded(u"count"_s), u"0"_s);
}

TEST_F(Launcher, FindsTheProgramOnThePathWhenItIsNotBesideTheLauncher)
{
    launcher = installExecutable(temp, u"elsewhere/namenswerk-open"_s, scriptText());
    runShell(u"exec \"$0\" \"$@\""_s, {u"a.txt"_s}, temp.file(u"bin"_s));
    EXPECT_EQ(recordedList(), Bom + temp.file(u"work/a.txt\n"_s).toUtf8());
}

} // namespace
} // namespace namenswerk::test
