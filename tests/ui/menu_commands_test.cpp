#include "settings/settings_file.h"
#include "settings/status_colors.h"
#include "tests/ui/controller_fixture.h"
#include "ui/file_list_model.h"
#include "ui/menus.h"
#include "ui/message_requester.h"
#include "ui/requester_dialog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeView>

namespace namenswerk::test {
namespace {

using namespace Qt::StringLiterals;

class MenuCommands : public ControllerTest {
protected:
    MenuCommands() { dropFiles({u"a.txt"_s, u"b.txt"_s}); }

    // Shows menus as the program does, and lets the user choose the item of
    // a command in the open menu with the keyboard.
    void chooseInRealMenu(Command command)
    {
        controller.setPopupPresenter([](QMenu &menu, const QPoint &at) { menu.exec(at); });
        QTimer::singleShot(0, [command] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu) {
                ADD_FAILURE() << "no menu is open";
                return;
            }
            menu->setActiveAction(menuItem(*menu, command));
            QTest::keyClick(menu, Qt::Key_Return);
        });
    }

    QPushButton *filterButton() const { return window.button(control::FilterButton); }

    // The items as the user reads them; an item without its image is marked.
    QStringList itemTexts(const QMenu &menu) const
    {
        QStringList texts;
        for (const QAction *action : menu.actions()) {
            if (action->isSeparator()) {
                texts.append(u"-"_s);
            } else {
                texts.append(action->text() +
                             (action->icon().isNull() ? u" (ohne Bild)"_s : u""_s));
            }
        }
        return texts;
    }
};

TEST_F(MenuCommands, AChosenFilterChangesTheButtonAndTheList)
{
    list.at(1).ignored = true;
    list.requestRefresh(RefreshLevel::Names);
    chooseInRealMenu(Command::FilterRenameable);
    QTest::mouseClick(filterButton(), Qt::LeftButton);

    EXPECT_EQ(controller.activeFilter(), 131);
    EXPECT_EQ(filterButton()->text(), u"Ergebnis&filter ändern"_s);
    EXPECT_TRUE(filterButton()->isChecked());
    EXPECT_TRUE(menuItem(controller.filterMenu(), Command::FilterRenameable)->isChecked());
    EXPECT_EQ(window.fileListModel()->rowCount(), 1);

    chooseInRealMenu(Command::FilterOff);
    QTest::mouseClick(filterButton(), Qt::LeftButton);
    EXPECT_EQ(controller.activeFilter(), 0);
    EXPECT_EQ(filterButton()->text(), u"Ergebnisliste &filtern"_s);
    EXPECT_FALSE(filterButton()->isChecked());
    EXPECT_TRUE(menuItem(controller.filterMenu(), Command::FilterOff)->isChecked());
    EXPECT_FALSE(menuItem(controller.filterMenu(), Command::FilterRenameable)->isChecked());
    EXPECT_EQ(window.fileListModel()->rowCount(), 2);
}

TEST_F(MenuCommands, ADismissedFilterMenuLeavesTheButtonAsItWas)
{
    QTest::mouseClick(filterButton(), Qt::LeftButton);
    ASSERT_EQ(shownMenus.size(), 1u);
    EXPECT_FALSE(filterButton()->isChecked());
}

TEST_F(MenuCommands, AFilterKeepsItsMnemonicKeyOffTheButton)
{
    press(Qt::Key_2, Qt::ControlModifier);
    shownMenus.clear();
    press(Qt::Key_F, Qt::AltModifier);
    ASSERT_EQ(shownMenus.size(), 1u) << "Alt+F still opens the menu";
    EXPECT_EQ(shownMenus[0].menu, &controller.filterMenu());
}

TEST_F(MenuCommands, RightClicksOpenMenusOnlyOnTheProfileAndFilterButtons)
{
    const std::vector<std::pair<int, QMenu *>> cases{
        {control::ProfileButton, &controller.profileMenu()},
        {control::FilterButton, &controller.filterMenu()},
        {control::SpecialButton, nullptr},
        {control::RenameButton, nullptr},
    };
    for (const auto &[button, menu] : cases) {
        shownMenus.clear();
        QTest::mouseClick(window.button(button), Qt::RightButton);
        if (menu) {
            ASSERT_EQ(shownMenus.size(), 1u) << button;
            EXPECT_EQ(shownMenus[0].menu, menu);
        } else {
            EXPECT_TRUE(shownMenus.empty()) << button;
        }
    }
}

TEST_F(MenuCommands, TheUpperCaseSwitchRenamesItsItemAndTheCaseModes)
{
    const QMenu &menu = controller.specialMenu();
    EXPECT_EQ(menuItem(menu, Command::UpperCaseSwitch)->text(),
              u"Großb&uchstaben erhalten\tStrg+Shift+U"_s);
    chooseInRealMenu(Command::UpperCaseSwitch);
    QTest::mouseClick(window.button(control::SpecialButton), Qt::LeftButton);

    EXPECT_EQ(menuItem(menu, Command::UpperCaseSwitch)->text(),
              u"Großb&uchstaben umwandeln\tStrg+Shift+U"_s);
    const QStringList upperTexts{u"Nur erstes Zeichen groß"_s, u"Nur ersten Buchstaben groß"_s,
                                 u"Nur Wortanfänge groß"_s};
    for (const int number : {control::NameCaseList, control::ExtensionCaseList}) {
        for (int mode = 2; mode <= 4; ++mode) {
            EXPECT_EQ(window.caseList(number)->itemText(mode), upperTexts[mode - 2]);
        }
    }
    EXPECT_TRUE(controller.engine().upper);
}

TEST_F(MenuCommands, TheSpecialMenuListsItsItemsInOrderWithTheirChecks)
{
    const QMenu &menu = controller.specialMenu();
    EXPECT_EQ(itemTexts(menu), QStringList({
                                   u"&Dateien hinzufügen…\tStrg+Shift+D"_s,
                                   u"&Ordner hinzufügen…\tStrg+Shift+A"_s,
                                   u"-"_s,
                                   u"Benutzerdefinierte &Farben\tStrg+Shift+F"_s,
                                   u"-"_s,
                                   u"Großb&uchstaben erhalten\tStrg+Shift+U"_s,
                                   u"Startwert für &Zähler\tStrg+Shift+Z"_s,
                                   u"&Einträge der Dateiliste merken\tStrg+Shift+E"_s,
                                   u"&Ketten und Tausch auflösen"_s,
                                   u"-"_s,
                                   u"Dateiverzeichnis &öffnen\tStrg+Shift+O"_s,
                                   u"Dateiliste in die Zwis&chenablage\tStrg+Shift+C"_s,
                                   u"Dateiliste neu so&rtieren\tStrg+Shift+R"_s,
                                   u"'Neue Namen' über&nehmen\tStrg+Shift+N"_s,
                               }));
    EXPECT_TRUE(menuItem(menu, Command::CustomColours)->isChecked());
    EXPECT_FALSE(menuItem(menu, Command::RememberList)->isChecked());
    EXPECT_FALSE(menuItem(menu, Command::ResolveChains)->isChecked());

    press(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(controller.rememberList());
    EXPECT_TRUE(menuItem(controller.specialMenu(), Command::RememberList)->isChecked());

    press(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(menuItem(controller.specialMenu(), Command::CustomColours)->isChecked());
    const auto ok = std::size_t(EntryStatus::Ok);
    EXPECT_EQ(window.fileListModel()->colors()[ok], fixedColors()[ok])
        << "the list shows the fixed colours";
}

// The lines of one group of the stored settings file, without its header.
QList<QByteArray> storedGroup(const TempFolder &folder, const QByteArray &group)
{
    QList<QByteArray> lines;
    bool inGroup = false;
    for (const QByteArray &line : folder.read(u"Brindlewick.ini"_s).split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('[')) {
            inGroup = trimmed == '[' + group + ']';
        } else if (inGroup && !trimmed.isEmpty()) {
            lines.append(trimmed);
        }
    }
    return lines;
}

// Chosen with the mouse in the open menu and stored from the profile menu:
// on in the menu and in the file, and off again the same way, with no key
// left behind.
TEST_F(MenuCommands, TheChainsOptionIsCheckedInTheMenuAndStoredInTheGlobalGroup)
{
    controller.setPopupPresenter([](QMenu &menu, const QPoint &at) { menu.exec(at); });
    const auto clickInMenu = [this](int button, Command command) {
        QTimer::singleShot(0, [command] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu) {
                ADD_FAILURE() << "no menu is open";
                return;
            }
            const QRect item = menu->actionGeometry(menuItem(*menu, command));
            QTest::mouseClick(menu, Qt::LeftButton, {}, item.center());
        });
        QTest::mouseClick(window.button(button), Qt::LeftButton);
    };
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on);
        clickInMenu(control::SpecialButton, Command::ResolveChains);
        EXPECT_EQ(menuItem(controller.specialMenu(), Command::ResolveChains)->isChecked(), on);

        clickInMenu(control::ProfileButton, Command::StoreSettings);
        const QList<QByteArray> global = storedGroup(folder, "Global");
        ASSERT_FALSE(global.isEmpty()) << "the settings were stored";
        EXPECT_EQ(global.contains("ResolveChains=1"), on);
        EXPECT_FALSE(global.contains("ResolveChains=0"));
        EXPECT_EQ(readSettings(folder.path()).records[0].resolveChains, on);
    }
}

TEST_F(MenuCommands, TheFilterMenuShowsItsClassesWithSwatches)
{
    const QMenu &menu = controller.filterMenu();
    EXPECT_EQ(itemTexts(menu), QStringList({
                                   u"Gefundene Dateien\tStrg+1"_s,
                                   u"Dateien, die umbenannt werden können\tStrg+2"_s,
                                   u"Dateien, die nicht umbenannt werden können\tStrg+3"_s,
                                   u"Dateien, die umbenannt wurden\tStrg+4"_s,
                                   u"Gefilterte Dateien\tStrg+5"_s,
                                   u"-"_s,
                                   u"Filter ausschalten\tStrg+0"_s,
                               }));
}

TEST_F(MenuCommands, ProfileItemsThatNeedAProfileInUseAreDisabledWithoutOne)
{
    press(Qt::Key_P, Qt::ControlModifier);
    const QMenu &menu = controller.profileMenu();
    EXPECT_TRUE(menuItem(menu, Command::SaveProfile)->isEnabled());
    EXPECT_FALSE(menuItem(menu, Command::DeleteProfile)->isEnabled());
    EXPECT_FALSE(menuItem(menu, Command::RenameProfile)->isEnabled());
    EXPECT_TRUE(menuItem(menu, Command::StoreSettings)->isEnabled());
    EXPECT_EQ(menuItem(menu, Command::StoreSettings)->text(), u"Eins&tellungen merken\tEnter"_s);
}

TEST_F(MenuCommands, RememberingSettingsFromTheMenuStoresEvenWhenTheListHadTheFocus)
{
    QTreeView *view = window.fileListView();
    view->setFocus();
    view->setCurrentIndex(view->model()->index(0, 0));
    chooseInRealMenu(Command::StoreSettings);
    press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(folder.exists(u"Brindlewick.ini"_s));
    EXPECT_FALSE(list.at(0).ignored);
}

TEST_F(MenuCommands, StoredProfilesAppearWithTheirLetters)
{
    StoredSettings stored;
    stored.records[0].name = u"Urlaub"_s;
    for (int slot = 1; slot <= 2; ++slot) {
        stored.records[std::size_t(slot)].active = true;
    }
    stored.records[1].name = u"Fotos"_s;
    stored.records[2].name = u"Urlaub"_s;
    controller.applySettings(stored);
    press(Qt::Key_P, Qt::ControlModifier);
    const QMenu &menu = controller.profileMenu();
    EXPECT_TRUE(menuItem(menu, Command::DeleteProfile)->isEnabled());
    EXPECT_EQ(menuItem(menu, static_cast<Command>(151))->text(), u"Fotos\t&A  "_s);
    EXPECT_EQ(menuItem(menu, static_cast<Command>(152))->text(), u"Urlaub\t&B  "_s);
}

TEST_F(MenuCommands, TheCounterStartDialogSetsTheFirstNumber)
{
    setFieldText(control::TemplateField, u"<c>.<e>"_s);
    ASSERT_EQ(list.at(0).newName, u"001.txt"_s);
    MessageRequester dialog(&window);
    requester.delegate = &dialog;
    QTimer::singleShot(0, [&dialog] {
        RequesterDialog *shown = dialog.dialog();
        ASSERT_TRUE(shown->isVisible());
        EXPECT_EQ(shown->numberBox()->value(), 1);
        shown->numberBox()->selectAll();
        QTest::keyClicks(shown->numberBox(), u"41"_s);
        QTest::keyClick(shown->numberBox(), Qt::Key_Return);
    });
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);

    ASSERT_EQ(requester.asked.size(), 1u);
    const Request &asked = requester.asked[0];
    EXPECT_EQ(asked.title, u"Zähler-Startwert"_s);
    EXPECT_EQ(asked.heading, u"Startwert für Autonummerierung"_s);
    EXPECT_EQ(asked.text, u"Setzen Sie den Startwert für den Zähler-Token:"_s);
    EXPECT_EQ(asked.icon, RequestIcon::Question);
    EXPECT_EQ(asked.buttons, OkCancel | WithNumberBox);
    EXPECT_EQ(controller.engine().counterStart, 41);
    EXPECT_EQ(list.at(0).newName, u"041.txt"_s);
    EXPECT_EQ(list.at(1).newName, u"042.txt"_s);
}

TEST_F(MenuCommands, ACancelledCounterStartDialogKeepsTheNumber)
{
    requester.answer = {AnswerCancel, false, 77};
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(requester.asked.size(), 1u);
    EXPECT_EQ(controller.engine().counterStart, 1);
}

TEST_F(MenuCommands, OpenFolderHandsTheSelectedEntrysFolderToTheDesktop)
{
    const QString other = folder.write(u"sub/c.txt"_s, "x");
    controller.dropFiles({folder.file(u"a.txt"_s), other});
    press(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(urls.opened.size(), 1u);
    EXPECT_EQ(QDir(urls.opened[0].toLocalFile()), QDir(folder.path()));

    QTreeView *view = window.fileListView();
    view->setFocus();
    view->setCurrentIndex(view->model()->index(1, 0));
    press(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(urls.opened.size(), 2u);
    EXPECT_EQ(QDir(urls.opened[1].toLocalFile()), QDir(folder.file(u"sub"_s)));
}

TEST_F(MenuCommands, AClickOnAColumnHeaderSortsByIt)
{
    QTreeView *view = window.fileListView();
    QHeaderView *header = view->header();
    const int x = header->sectionViewportPosition(3) + 5;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    EXPECT_EQ(list.sortColumn, ListColumn::Size);
    EXPECT_NE(list.sortDirection, SortDirection::Unsorted);
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), 3);
}

} // namespace
} // namespace namenswerk::test
