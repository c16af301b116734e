#include "tests/ui/controller_fixture.h"
#include "ui/input_history.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <algorithm>

namespace namenswerk::test {
namespace {

using namespace Qt::StringLiterals;

constexpr auto None = Qt::NoModifier;
constexpr auto Alt = Qt::AltModifier;
constexpr auto Ctrl = Qt::ControlModifier;
constexpr auto Shift = Qt::ShiftModifier;
constexpr auto CtrlShift = Qt::ControlModifier | Qt::ShiftModifier;
constexpr auto Keypad = Qt::KeypadModifier;

struct KeyRow {
    Qt::KeyboardModifiers modifiers;
    Qt::Key key;
    int command;
};

std::ostream &operator<<(std::ostream &out, const KeyRow &row)
{
    return out << QKeySequence(QKeyCombination(row.modifiers, row.key)).toString().toStdString();
}

// The window's key table as the user's manual lists it.
const std::vector<KeyRow> keyTable{
    {None, Qt::Key_Escape, 35},
    {Alt, Qt::Key_A, 59},
    {Alt, Qt::Key_B, 60},
    {Alt, Qt::Key_C, 35},
    {Alt, Qt::Key_D, 32},
    {Alt, Qt::Key_E, 10},
    {Alt, Qt::Key_F, 37},
    {Alt, Qt::Key_G, 28},
    {Alt, Qt::Key_I, 11},
    {Alt, Qt::Key_K, 30},
    {Alt, Qt::Key_M, 29},
    {Alt, Qt::Key_N, 9},
    {Alt, Qt::Key_O, 38},
    {Alt, Qt::Key_P, 36},
    {Alt, Qt::Key_S, 59},
    {Alt, Qt::Key_T, 62},
    {Alt, Qt::Key_U, 34},
    {Alt, Qt::Key_V, 31},
    {Alt, Qt::Key_W, 61},
    {Ctrl, Qt::Key_B, 148},
    {Ctrl, Qt::Key_D, 43},
    {Ctrl, Qt::Key_F, 37},
    {Ctrl, Qt::Key_G, 42},
    {Ctrl, Qt::Key_I, 52},
    {Ctrl, Qt::Key_L, 147},
    {Ctrl, Qt::Key_M, 40},
    {Ctrl, Qt::Key_N, 41},
    {Ctrl, Qt::Key_O, 38},
    {Ctrl, Qt::Key_P, 36},
    {Ctrl, Qt::Key_R, 46},
    {Ctrl, Qt::Key_S, 146},
    {Ctrl, Qt::Key_T, 44},
    {Ctrl, Qt::Key_U, 45},
    {Ctrl, Qt::Key_W, 39},
    {Ctrl, Qt::Key_Z, 51},
    {None, Qt::Key_Return, 149},
    {Keypad, Qt::Key_Enter, 149},
    {Ctrl, Qt::Key_Return, 34},
    {Ctrl | Keypad, Qt::Key_Enter, 34},
    {Ctrl, Qt::Key_Backspace, 50},
    {Ctrl, Qt::Key_1, 130},
    {Ctrl, Qt::Key_2, 131},
    {Ctrl, Qt::Key_3, 132},
    {Ctrl, Qt::Key_4, 133},
    {Ctrl, Qt::Key_5, 134},
    {Ctrl, Qt::Key_0, 135},
    {None, Qt::Key_F1, 47},
    {Shift, Qt::Key_F1, 48},
    {Ctrl, Qt::Key_F1, 49},
    {CtrlShift, Qt::Key_C, 139},
    {CtrlShift, Qt::Key_E, 137},
    {CtrlShift, Qt::Key_F, 138},
    {CtrlShift, Qt::Key_I, 52},
    {CtrlShift, Qt::Key_N, 142},
    {CtrlShift, Qt::Key_O, 140},
    {CtrlShift, Qt::Key_R, 141},
    {CtrlShift, Qt::Key_U, 143},
    {CtrlShift, Qt::Key_Z, 144},
    // Beyond the manual's table: adding files and a folder.
    {CtrlShift, Qt::Key_D, 171},
    {CtrlShift, Qt::Key_A, 172},
};

class Shortcuts : public ControllerTest {
protected:
    Shortcuts() { dropFiles({u"a.txt"_s, u"b.txt"_s}); }

    // Presses the keys with the focus in the given control.
    void pressIn(QWidget *focus, const KeyRow &row)
    {
        focus->setFocus();
        executed.clear();
        press(row.key, row.modifiers);
    }
};

// Every key reaches its command from inside a text field, where a line
// edit would otherwise keep keys such as Ctrl+Z and Ctrl+Backspace for itself.
TEST_F(Shortcuts, EveryKeyOfTheTableRunsItsCommandFromATextField)
{
    for (const KeyRow &row : keyTable) {
        pressIn(editor(control::TemplateField), row);
        ASSERT_FALSE(executed.empty()) << row << " ran nothing";
        EXPECT_EQ(commandNumber(executed.front()), row.command) << row;
    }
}

TEST_F(Shortcuts, EnterInTheListTogglesTheIgnoreMarkAndMovesOn)
{
    QTreeView *view = window.fileListView();
    view->setCurrentIndex(view->model()->index(0, 0));
    pressIn(view, {None, Qt::Key_Return, 149});
    EXPECT_TRUE(list.at(0).ignored);
    EXPECT_EQ(list.at(0).status, EntryStatus::Ignored);
    EXPECT_EQ(view->currentIndex().row(), 1);

    // On the last row the selection stays.
    pressIn(view, {Keypad, Qt::Key_Enter, 149});
    EXPECT_TRUE(list.at(1).ignored);
    EXPECT_EQ(view->currentIndex().row(), 1);
    EXPECT_FALSE(folder.exists(u"Brindlewick.ini"_s)) << "Enter in the list saves nothing";
}

TEST_F(Shortcuts, EnterInTheListStaysOnItsRowWhileAFilterIsActive)
{
    press(Qt::Key_1, Ctrl);
    QTreeView *view = window.fileListView();
    view->setCurrentIndex(view->model()->index(0, 0));
    pressIn(view, {None, Qt::Key_Return, 149});
    EXPECT_TRUE(list.at(0).ignored);
    // The ignored entry leaves the filtered view; b.txt is the only row now.
    EXPECT_EQ(window.fileListModel()->rowCount(), 1);
}

TEST_F(Shortcuts, DoubleClickTogglesTheIgnoreMarkOfThatRow)
{
    QTreeView *view = window.fileListView();
    const QRect second = view->visualRect(view->model()->index(1, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_FALSE(list.at(0).ignored);
    EXPECT_TRUE(list.at(1).ignored);
}

// What the user sees happen for the keys that act on the window itself.
TEST_F(Shortcuts, FocusAndOptionKeysActOnTheirControls)
{
    struct Case {
        KeyRow keys;
        int focused;
    };
    const std::vector<Case> cases{
        {{Alt, Qt::Key_N, 9}, control::NamePatternField},
        {{Alt, Qt::Key_E, 10}, control::ExtensionPatternField},
        {{Alt, Qt::Key_I, 11}, control::TemplateField},
        {{Alt, Qt::Key_A, 59}, control::FirstReplaceField},
        {{Alt, Qt::Key_S, 59}, control::FirstReplaceField},
        {{Alt, Qt::Key_B, 60}, control::FinalReplaceField},
        {{Alt, Qt::Key_W, 61}, control::NameCaseList},
        {{Alt, Qt::Key_T, 62}, control::ExtensionCaseList},
        {{Alt, Qt::Key_G, 28}, control::PatternCaseBox},
        {{Alt, Qt::Key_M, 29}, control::NameOnlyBox},
        {{Alt, Qt::Key_K, 30}, control::ReplaceCaseBox},
        {{Alt, Qt::Key_V, 31}, control::ReplaceAllBox},
        {{Alt, Qt::Key_D, 32}, control::FileDateBox},
    };
    for (const Case &c : cases) {
        QCheckBox *box = window.optionBox(c.focused);
        const bool before = box && box->isChecked();
        pressIn(editor(control::NamePatternField), c.keys);
        QWidget *target = window.control(c.focused);
        EXPECT_TRUE(target == QApplication::focusWidget() ||
                    target->isAncestorOf(QApplication::focusWidget()))
            << c.keys;
        if (box) {
            EXPECT_NE(box->isChecked(), before) << c.keys << " inverts its box";
        }
    }
}

TEST_F(Shortcuts, MenuKeysOpenTheirMenusAtTheMousePointer)
{
    QCursor::setPos(window.mapToGlobal(QPoint(300, 300)));
    const std::vector<std::pair<KeyRow, QMenu *>> cases{
        {{Ctrl, Qt::Key_F, 37}, &controller.filterMenu()},
        {{Alt, Qt::Key_F, 37}, &controller.filterMenu()},
        {{Ctrl, Qt::Key_O, 38}, &controller.specialMenu()},
        {{Ctrl, Qt::Key_P, 36}, &controller.profileMenu()},
    };
    for (const auto &[keys, menu] : cases) {
        shownMenus.clear();
        pressIn(editor(control::NamePatternField), keys);
        ASSERT_EQ(shownMenus.size(), 1u) << keys;
        EXPECT_EQ(shownMenus[0].menu, menu) << keys;
        EXPECT_EQ(shownMenus[0].at, QCursor::pos()) << keys;
    }
}

TEST_F(Shortcuts, SortKeysSortTheListAndCtrlUUndoesIt)
{
    press(Qt::Key_N, Ctrl);
    EXPECT_EQ(list.sortColumn, ListColumn::NewName);
    EXPECT_NE(list.sortDirection, SortDirection::Unsorted);
    press(Qt::Key_U, Ctrl);
    EXPECT_EQ(list.sortDirection, SortDirection::Unsorted);
}

TEST_F(Shortcuts, EscapeEndsTheProgramWithoutAQuestion)
{
    bool quit = false;
    QObject::connect(&controller, &MainController::quitRequested, [&quit] { quit = true; });
    press(Qt::Key_Escape);
    EXPECT_TRUE(quit);
    EXPECT_TRUE(requester.asked.empty());
}

// Where the keyboard's keys go while a popup is open.
QWidget *popupFocus()
{
    QWidget *popup = QApplication::activePopupWidget();
    return popup->focusWidget() ? popup->focusWidget() : popup;
}

// An open drop-down list owns Escape and Enter: Escape closes only the list
// and Enter only picks the highlighted entry. Neither may end the program
// (the loaded list would be lost) or store the settings.
TEST_F(Shortcuts, EscapeAndEnterInAnOpenDropDownListActOnTheListOnly)
{
    struct Case {
        int field;
        Qt::Key key;
        int expectedIndex; // the entry chosen afterwards
    };
    // The history of "Datei&name:" and the list "Schreib&weise:", each opened
    // on its first entry; Down highlights the second before the key.
    const std::vector<Case> cases{
        {control::NamePatternField, Qt::Key_Escape, 0},
        {control::NamePatternField, Qt::Key_Return, 1},
        {control::NamePatternField, Qt::Key_Enter, 1},
        {control::NameCaseList, Qt::Key_Escape, 0},
        {control::NameCaseList, Qt::Key_Return, 1},
    };
    bool quit = false;
    QObject::connect(&controller, &MainController::quitRequested, [&quit] { quit = true; });
    window.inputField(control::NamePatternField)->addItems({u"<n>"_s, u"neu <n>"_s});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    for (const Case &c : cases) {
        auto *list = qobject_cast<QComboBox *>(window.control(c.field));
        ASSERT_NE(list, nullptr);
        list->setCurrentIndex(0);
        list->setFocus();
        executed.clear();
        list->showPopup();
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
        QTest::keyClick(popupFocus(), Qt::Key_Down);
        QTest::keyClick(popupFocus(), c.key);
        EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }))
            << "the list stays open after key " << c.key;
        EXPECT_FALSE(quit) << "the key in the open list ended the program";
        EXPECT_EQ(std::ranges::count(executed, Command::StoreSettings), 0)
            << "the key in the open list stored the settings";
        EXPECT_EQ(list->currentIndex(), c.expectedIndex) << "field " << c.field;
        const QWidget *focus = QApplication::focusWidget();
        EXPECT_TRUE(focus == list || list->isAncestorOf(focus)) << "field " << c.field;
    }
    EXPECT_EQ(field(control::NamePatternField)->currentText(), u"neu <n>"_s);
    EXPECT_FALSE(folder.exists(u"Brindlewick.ini"_s));
}

TEST_F(Shortcuts, TheCloseBoxEndsTheProgramToo)
{
    bool quit = false;
    QObject::connect(&controller, &MainController::quitRequested, [&quit] { quit = true; });
    window.close();
    EXPECT_TRUE(quit);
    EXPECT_TRUE(window.isVisible()) << "the window stays until the program has saved";
}

} // namespace
} // namespace namenswerk::test
