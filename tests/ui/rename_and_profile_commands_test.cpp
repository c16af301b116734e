#include "tests/ui/controller_fixture.h"
#include "ui/control_ids.h"
#include "ui/message_requester.h"

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QtTest>

#include <gtest/gtest.h>

namespace namenswerk::test {
namespace {

using namespace Qt::StringLiterals;

class RenameCommands : public ControllerTest {};

// Presses a key in the modal dialog as soon as it is open.
void answerInDialog(Qt::Key key)
{
    QTimer::singleShot(0, [key] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr) << "no dialog was open";
        QTest::keyClick(dialog, key);
    });
}

TEST_F(RenameCommands, CtrlEnterRenamesAndCtrlBackspaceUndoesThroughTheDialog)
{
    dropFiles({u"a.txt"_s, u"b.txt"_s});
    setFieldText(control::TemplateField, u"x_<n>.<e>"_s);
    ASSERT_EQ(shownNewNames(), (QStringList{u"x_a.txt"_s, u"x_b.txt"_s}));

    press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(folder.exists(u"x_a.txt"_s));
    EXPECT_TRUE(folder.exists(u"x_b.txt"_s));
    EXPECT_FALSE(folder.exists(u"a.txt"_s));
    EXPECT_EQ(list.at(0).status, EntryStatus::Renamed);
    EXPECT_TRUE(statusText().contains(u"2 Dateien umbenannt"_s)) << statusText().toStdString();

    MessageRequester dialog(&window);
    requester.delegate = &dialog;
    answerInDialog(Qt::Key_J);
    press(Qt::Key_Backspace, Qt::ControlModifier);
    ASSERT_FALSE(requester.asked.empty());
    EXPECT_EQ(requester.asked.back().icon, RequestIcon::Question);
    EXPECT_TRUE(folder.exists(u"a.txt"_s));
    EXPECT_TRUE(folder.exists(u"b.txt"_s));
    EXPECT_FALSE(folder.exists(u"x_a.txt"_s));
}

// Renumbering by one in list order: the first file's new name is still the
// second one's old name, so it fails, and the status line names the option
// that would have ordered the renames.
TEST_F(RenameCommands, ARunBlockedOnlyByItsOwnOldNamesPointsToTheChainsOption)
{
    dropFiles({u"001.txt"_s, u"002.txt"_s});
    requester.answer = {AnswerOk, false, 2};
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    setFieldText(control::TemplateField, u"<c>.<e>"_s);
    ASSERT_EQ(shownNewNames(), (QStringList{u"002.txt"_s, u"003.txt"_s}));

    press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(list.at(0).status, EntryStatus::RenameFailed);
    EXPECT_EQ(list.at(1).status, EntryStatus::Renamed);
    EXPECT_TRUE(statusText().contains(u"\"Ketten und Tausch auflösen\""_s))
        << statusText().toStdString();
}

// Undo says in the status line what it did, and a second undo of the same
// run says that it has been undone instead of asking.
TEST_F(RenameCommands, UndoTellsWhatItRestoredAndThatItRanAlready)
{
    dropFiles({u"a.txt"_s, u"b.txt"_s});
    setFieldText(control::TemplateField, u"x_<n>.<e>"_s);
    press(Qt::Key_Return, Qt::ControlModifier);
    folder.write(u"a.txt"_s, "taken again");

    requester.answer = {AnswerYes};
    press(Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_TRUE(statusText().startsWith(
        u"   Rückgängig gemacht: 1 Name wiederhergestellt, 1 übersprungen. 2 Dateien"_s))
        << statusText().toStdString();

    // A keystroke later the summary is on its own again.
    setFieldText(control::TemplateField, u"y_<n>.<e>"_s);
    EXPECT_TRUE(statusText().startsWith(u"   2 Dateien"_s)) << statusText().toStdString();

    QFile::remove(folder.file(u"x_a.txt"_s));
    requester.asked.clear();
    press(Qt::Key_Backspace, Qt::ControlModifier);
    ASSERT_EQ(requester.asked.size(), 1u);
    EXPECT_EQ(requester.asked[0].icon, RequestIcon::Information);
    EXPECT_EQ(requester.asked[0].buttons, OkOnly);
    EXPECT_TRUE(statusText().startsWith(u"   2 Dateien"_s)) << "nothing was undone";
}

TEST_F(RenameCommands, ProfilesFollowTheTitle)
{
    dropFiles({u"a.txt"_s});
    setFieldText(control::TemplateField, u"<n>-1.<e>"_s);
    profileNameAnswer = u"Fotos"_s;
    press(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(askedProfileNames, std::vector{ProfileDialogMode::Save});
    EXPECT_EQ(window.windowTitle(), u"Namenswerk - Fotos"_s);

    setFieldText(control::TemplateField, u"<n>-2.<e>"_s);
    EXPECT_EQ(window.windowTitle(), u"Namenswerk - Fotos*"_s);

    // Choosing the profile again brings its template back.
    controller.execute(static_cast<Command>(151));
    EXPECT_EQ(field(control::TemplateField)->currentText(), u"<n>-1.<e>"_s);
    EXPECT_EQ(window.windowTitle(), u"Namenswerk - Fotos"_s);
    EXPECT_EQ(shownNewNames(), QStringList{u"a-1.txt"_s});
}

} // namespace
} // namespace namenswerk::test
