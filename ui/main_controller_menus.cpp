// The popup menus, the switches they hold and the commands that answer
// through a dialog or the desktop.

#include "settings/requester.h"
#include "ui/file_list_model.h"
#include "ui/main_controller.h"
#include "ui/main_window.h"
#include "ui/menus.h"

#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace namenswerk {

void MainController::setFilter(int command)
{
    activeFilter_ = command == commandNumber(Command::FilterOff) ? 0 : command;
    checkFilterItem(*filterMenu_, activeFilter_);
    QPushButton *button = window_.button(control::FilterButton);
    button->setText(activeFilter_ == 0 ? u"Ergebnisliste &filtern"_s : u"Ergebnis&filter ändern"_s);
    // The new text brings its own mnemonic key; Alt+F belongs to the window.
    button->setShortcut(QKeySequence());
    button->setChecked(activeFilter_ != 0);
    list_.setFilter(activeFilter_);
}

void MainController::buildSpecialMenu()
{
    window_.setCaseModeTexts(engine_.upper);
    fillSpecialMenu(*specialMenu_,
                    {settings_.theme, engine_.upper, settings_.rememberList, settings_.colors});
}

void MainController::showPopup(QMenu &menu)
{
    presentPopup_(menu, QCursor::pos());
}

void MainController::showFilterMenu()
{
    showPopup(*filterMenu_);
    // A click on the toggle button flips it; only the filter decides its state.
    window_.button(control::FilterButton)->setChecked(activeFilter_ != 0);
}

void MainController::showProfileMenu()
{
    fillProfileMenu(*profileMenu_, settings_.records);
    showPopup(*profileMenu_);
}

void MainController::toggleRememberList()
{
    settings_.rememberList = !settings_.rememberList;
    if (QAction *item = menuItem(*specialMenu_, Command::RememberList)) {
        item->setChecked(settings_.rememberList);
    }
}

void MainController::toggleCustomColours()
{
    settings_.theme = !settings_.theme;
    settings_.colors = readColors(settingsFolder_, settings_.theme);
    applyColours();
    buildSpecialMenu();
    list_.requestRefresh(RefreshLevel::Names);
}

void MainController::toggleUpperCase()
{
    engine_.upper = !engine_.upper;
    buildSpecialMenu();
    list_.requestRefresh(RefreshLevel::Names);
}

void MainController::askCounterStart()
{
    Request request;
    request.title = u"Zähler-Startwert"_s;
    request.heading = u"Startwert für Autonummerierung"_s;
    request.text = u"Setzen Sie den Startwert für den Zähler-Token:"_s;
    request.icon = RequestIcon::Question;
    request.buttons = OkCancel | WithNumberBox;
    request.number = engine_.counterStart;
    const Answer answer = requester_.ask(request);
    if (answer.code == AnswerOk) {
        engine_.counterStart = answer.number;
    }
    list_.requestRefresh(RefreshLevel::Names);
}

void MainController::openFolder()
{
    QString folder;
    if (listHasFocus()) {
        const int entry = window_.fileListModel()->entryAt(selectedRow());
        if (entry >= 0) {
            folder = list_.at(entry).folder;
        }
    }
    if (folder.isEmpty()) {
        folder = list_.currentFolder;
    }
    if (!folder.isEmpty()) {
        // The current folder may be relative ("./"); a file manager needs it whole.
        QDesktopServices::openUrl(QUrl::fromLocalFile(QDir(folder).absolutePath()));
    }
}

void MainController::showStatusLine()
{
    QLabel *line = window_.statusLine();
    line->setText(engine_.summary());
    QPalette palette = window_.palette();
    if (list_.failedCount > 0) {
        const auto failed = static_cast<std::size_t>(EntryStatus::RenameFailed);
        palette.setColor(QPalette::Window, tableColor(settings_.colors[failed]));
    }
    line->setPalette(palette);
}

bool MainController::profileInUse() const
{
    return !settings_.records[0].name.isEmpty();
}

// The rename run, undo and the profile commands are added by their own
// features; until then these commands do nothing.
void MainController::renameFiles() {}

void MainController::undoLastRun() {}

void MainController::saveProfile() {}

void MainController::deleteProfile() {}

void MainController::renameProfile() {}

void MainController::selectProfile(int /*slot*/) {}

void MainController::markModified() {}

} // namespace namenswerk
