#include "app/program.h"
#include "rename/recovery_record.h"
#include "settings/list_file.h"
#include "settings/settings_file.h"
#include "settings/startup_list_choice.h"
#include "tests/support/printers.h"
#include "tests/support/scripted_requester.h"
#include "tests/support/temp_folder.h"
#include "ui/file_list_model.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

#include <gtest/gtest.h>

namespace namenswerk::test {
namespace {

using namespace Qt::StringLiterals;

// A start inside the test process, with the settings in a fresh folder.
class Startup : public ::testing::Test {
protected:
    StartupOptions options() const
    {
        StartupOptions result;
        result.settingsFolder = folder.path();
        result.instanceName = folder.file(u"instance"_s);
        return result;
    }

    void writeIni(const QString &lines) const
    {
        folder.write(u"Brindlewick.ini"_s, (u"[Global]\r\n"_s + lines).toUtf8());
    }

    // A start whose welcome tip, if any, is answered with "OK".
    std::unique_ptr<Program> start(const StartupOptions &startOptions)
    {
        requester.add(AnswerOk);
        auto program = std::make_unique<Program>(startOptions, &requester);
        program->start();
        return program;
    }

    TempFolder folder;
    ScriptedRequester requester;
};

TEST_F(Startup, TheFirstStartWelcomesTheUserAndCountsTheRunOnce)
{
    const auto program = start(options());
    ASSERT_EQ(requester.asked.size(), 1u);
    const Request &tip = requester.asked[0];
    EXPECT_EQ(tip.title, u"Willkommen"_s);
    EXPECT_EQ(tip.heading, u"Namenswerk"_s);
    EXPECT_EQ(tip.text, u"Diese Software dient zum schnellen Umbenennen \rmehrerer Dateien.\r\r"
                        u"Nicht vergessen, die F1-Taste bietet einige Hilfe..."_s);
    EXPECT_EQ(tip.icon, RequestIcon::Information);
    EXPECT_EQ(tip.buttons, OkOnly);

    MainWindow &window = program->window();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), u"Namenswerk"_s);
    EXPECT_EQ(window.statusLine()->text(), u"   Keine Dateien vorhanden."_s);
    QComboBox *nameField = window.inputField(control::NamePatternField);
    EXPECT_TRUE(window.focusWidget() == nameField || nameField->isAncestorOf(window.focusWidget()))
        << "the name field has the focus";

    program->finish();
    program->finish();
    EXPECT_EQ(readSettings(folder.path()).startCount, 1);
}

class WelcomeTip : public Startup, public testing::WithParamInterface<std::pair<int, bool>> {};

TEST_P(WelcomeTip, ComesOnEverySixteenthStart)
{
    const auto [count, shown] = GetParam();
    writeIni(u"Filebuffer=%1\r\n"_s.arg(count));
    const auto program = start(options());
    EXPECT_EQ(requester.allAnswersUsed(), shown) << count;
}

INSTANTIATE_TEST_SUITE_P(Counts, WelcomeTip,
                         testing::Values(std::pair{1, false}, std::pair{15, false},
                                         std::pair{16, true}, std::pair{32, true},
                                         std::pair{33, false}));

TEST_F(Startup, AStoredWindowPlaceIsUsedOnlyWhenItFitsTheScreen)
{
    // The place is the outer corner, the size the inner size.
    writeIni(u"Filebuffer=1\r\nWindow=30 40 760 500\r\n"_s);
    auto program = start(options());
    EXPECT_EQ(program->window().frameGeometry().topLeft(), QPoint(30, 40));
    EXPECT_EQ(program->window().size(), QSize(760, 500));
    program->finish();
    const WindowPlacement saved = readSettings(folder.path()).window;
    EXPECT_EQ(saved, (WindowPlacement{30, 40, 760, 500}));
    program.reset();

    writeIni(u"Filebuffer=1\r\nWindow=10 20 700 500\r\n"_s);
    EXPECT_EQ(start(options())->window().size(), MainWindow::InitialSize);
}

TEST_F(Startup, StoredFilterSortSwitchesAndInputsComeBack)
{
    writeIni(u"Filebuffer=1\r\nFilter=1\r\nOrder=12\r\nUpper=1\r\n"
             u"RegFindname=\"<a\"\r\nRegReplace=\"x\"\r\nRegReplace-1=\"y\"\r\n"_s);
    const auto program = start(options());
    MainWindow &window = program->window();

    QPushButton *filter = window.button(control::FilterButton);
    EXPECT_EQ(filter->text(), u"Ergebnis&filter ändern"_s);
    EXPECT_TRUE(filter->isChecked());
    EXPECT_EQ(program->list().activeFilter, ListFilter::Renameable);
    EXPECT_EQ(program->list().sortColumn, ListColumn::OldName);
    EXPECT_EQ(program->list().sortDirection, SortDirection::Descending);
    EXPECT_EQ(window.fileListView()->header()->sortIndicatorSection(), 1);
    EXPECT_EQ(window.caseList(control::NameCaseList)->itemText(2), u"Nur erstes Zeichen groß"_s);
    EXPECT_EQ(window.indicatorState(control::NamePatternIcon), FieldIndicator::State::Error);
    QComboBox *templateField = window.inputField(control::TemplateField);
    EXPECT_EQ(templateField->currentText(), u"x"_s);
    ASSERT_EQ(templateField->count(), 2);
    EXPECT_EQ(templateField->itemText(1), u"y"_s);
}

// "Filter ausschalten" as stored is written back as it was read.
TEST_F(Startup, TheStoredFilterIsWrittenBackAsRead)
{
    writeIni(u"Filebuffer=1\r\nFilter=5\r\n"_s);
    const auto program = start(options());
    EXPECT_FALSE(program->window().button(control::FilterButton)->isChecked());
    program->finish();
    EXPECT_TRUE(folder.read(u"Brindlewick.ini"_s).contains("\r\nFilter=5\r\n"));
}

// A settings file that the first rename run created holds only its record;
// the groups the window adds later come before it, as in a file the window
// wrote first.
TEST_F(Startup, TheRecordOfTheRunThatCreatedTheFileStaysLast)
{
    ASSERT_TRUE(writeRecoveryRecord(folder.path(), {1'700'000'000, u"/f/"_s, {{u"a"_s, u"b"_s}}}));
    start(options())->finish();
    const QByteArray written = folder.read(u"Brindlewick.ini"_s);
    EXPECT_TRUE(written.startsWith("\xEF\xBB\xBF\r\n[Global]\r\n"));
    EXPECT_TRUE(written.endsWith("\r\n\r\n[Recovery]\r\nMagic=1700000000\r\n00000=\"/f/\"\r\n"
                                 "00001=\"a\" > \"b\"\r\n"))
        << written.right(200).toStdString();
    EXPECT_EQ(readRecoveryRecord(folder.path()).pairs.size(), 1U);
}

TEST_F(Startup, AListFileOnTheCommandLineFillsTheList)
{
    const QString first = folder.write(u"Bild 1.jpg"_s, "x");
    const QString second = folder.write(u"Bild 2.jpg"_s, "x");
    writeIni(u"Filebuffer=1\r\nRegReplace=\"neu <n>.<e>\"\r\n"_s);
    StartupOptions withList = options();
    withList.firstArgument = folder.write(u"auswahl.lst"_s, (first + u"\n"_s + second).toUtf8());

    const auto program = start(withList);
    ASSERT_EQ(program->list().count(), 2);
    EXPECT_EQ(program->list().at(1).newName, u"neu Bild 2.jpg"_s);
    EXPECT_TRUE(
        program->window().statusLine()->text().contains(u"2 Dateien sind bereit zum Umbenennen"_s));
}

TEST_F(Startup, PathsOnTheCommandLineBecomeTheListAsIfDropped)
{
    const QString picture = folder.write(u"Bild.jpg"_s, "x");
    const QString subfolder = folder.file(u"Fotos"_s);
    ASSERT_TRUE(QDir().mkpath(subfolder));
    StartupOptions withPaths = options();
    withPaths.paths = {picture, subfolder};

    const auto program = start(withPaths);
    ASSERT_EQ(program->list().count(), 2) << "a folder is one entry, as when dropped";
    EXPECT_EQ(program->list().at(0).oldName, u"Bild.jpg"_s);
    EXPECT_EQ(program->list().at(1).oldName, u"Fotos"_s);
}

TEST_F(Startup, MissingArgumentsAreNamedAndTheStartGoesOn)
{
    const QString picture = folder.write(u"Bild.jpg"_s, "x");
    StartupOptions withMissing = options();
    withMissing.firstArgument = folder.file(u"fehlt.lst"_s);
    withMissing.paths = {picture};
    withMissing.missingPaths = {folder.file(u"weg.jpg"_s)};
    requester.add(AnswerOk);
    requester.add(AnswerOk);

    const auto program = start(withMissing);
    std::vector<QString> named;
    for (const Request &request : requester.asked) {
        if (request.icon == RequestIcon::Warning) {
            named.push_back(request.text);
        }
    }
    ASSERT_EQ(named.size(), 2u);
    EXPECT_TRUE(named[0].endsWith(u"fehlt.lst"_s));
    EXPECT_TRUE(named[1].endsWith(u"weg.jpg"_s));
    EXPECT_EQ(program->list().count(), 1) << "the start goes on with what it has";
}

struct LimitCase {
    int answer;
    int entries;
};

class LongList : public Startup, public testing::WithParamInterface<LimitCase> {};

// One more line than the limit: the question says so, and its answer decides.
TEST_P(LongList, TheLimitIsNeverCutSilently)
{
    QByteArray lines;
    for (int line = 0; line <= DefaultEntryLimit; ++line) {
        lines += folder.file(u"Datei %1.txt"_s.arg(line)).toUtf8() + '\n';
    }
    StartupOptions withList = options();
    withList.firstArgument = folder.write(u"lang.lst"_s, lines);
    requester.add(GetParam().answer);

    const auto program = start(withList);
    const auto question =
        std::find_if(requester.asked.begin(), requester.asked.end(), [](const Request &request) {
            return request.firstCaption == u"Alle &laden"_s;
        });
    ASSERT_NE(question, requester.asked.end());
    EXPECT_TRUE(question->text.contains(u"10000"_s)) << question->text.toStdString();
    EXPECT_TRUE(question->text.contains(u"9999"_s)) << question->text.toStdString();
    EXPECT_EQ(program->list().count(), GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(Answers, LongList,
                         testing::Values(LimitCase{'L', DefaultEntryLimit + 1},
                                         LimitCase{'N', DefaultEntryLimit},
                                         LimitCase{AnswerCancel, DefaultEntryLimit}));

struct RememberCase {
    bool remember;
    bool shift;
    int entries;
};

class RememberedList : public Startup, public testing::WithParamInterface<RememberCase> {};

TEST_P(RememberedList, LoadsWhenRememberedUnlessShiftInvertsIt)
{
    const RememberCase c = GetParam();
    FileList kept;
    kept.currentFolder = folder.path();
    for (const QString &name : {u"a.txt"_s, u"b.txt"_s}) {
        kept.addPathLine(name, true);
    }
    ASSERT_TRUE(writeListFile(kept, ownListFilePath(folder.path()), true));
    writeIni(u"Filebuffer=1\r\nLogging=%1\r\n"_s.arg(c.remember ? 1 : 0));
    StartupOptions withShift = options();
    withShift.shiftAtStart = c.shift;

    const auto program = start(withShift);
    EXPECT_EQ(program->list().count(), c.entries);
}

INSTANTIATE_TEST_SUITE_P(Cases, RememberedList,
                         testing::Values(RememberCase{true, false, 2}, RememberCase{true, true, 0},
                                         RememberCase{false, false, 0},
                                         RememberCase{false, true, 2}));

TEST_F(Startup, TheEndWritesTheRememberedList)
{
    const QString file = folder.write(u"c.txt"_s, "x");
    writeIni(u"Filebuffer=1\r\nLogging=1\r\n"_s);
    StartupOptions withList = options();
    withList.firstArgument = folder.write(u"eins.lst"_s, file.toUtf8());
    const auto program = start(withList);
    program->finish();

    FileList reread;
    readListFile(reread, ownListFilePath(folder.path()), true, 10);
    ASSERT_EQ(reread.count(), 1);
    EXPECT_EQ(reread.fullPath(0), file);
}

} // namespace
} // namespace namenswerk::test
