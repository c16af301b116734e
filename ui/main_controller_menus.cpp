// The popup menus, the switches they hold and the commands that answer
// through a dialog or the desktop.

#include "rename/rename_run.h"
#include "rename/run_reports.h"
#include "rename/undo_last_run.h"
#include "settings/requester.h"
#include "ui/file_list_model.h"
#include "ui/main_controller.h"
#include "ui/main_window.h"
#include "ui/menus.h"
#include "ui/wait_cursor.h"

#include <QComboBox>
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
    chosenFilter_ = command;
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
    fillSpecialMenu(*specialMenu_, {settings_.theme, engine_.upper, settings_.rememberList,
                                    settings_.records[0].resolveChains, settings_.colors});
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

// A setting of the current record, as a profile keeps it, though no field shows it.
void MainController::toggleResolveChains()
{
    bool &resolve = settings_.records[0].resolveChains;
    resolve = !resolve;
    if (QAction *item = menuItem(*specialMenu_, Command::ResolveChains)) {
        item->setChecked(resolve);
    }
    markModified();
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
    QPalette palette = window_.palette();
    QString text = engine_.summary();
    if (!statusNote_.isEmpty()) {
        text = u"   "_s + statusNote_ + u' ' + text.trimmed();
    }
    line->setText(list_.failedCount > 0 ? text + ownNamesHint_ : text);
    if (list_.failedCount > 0) {
        const auto failed = static_cast<std::size_t>(EntryStatus::RenameFailed);
        palette.setColor(QPalette::Window, tableColor(settings_.colors[failed]));
    }
    line->setPalette(palette);
}

bool MainController::profileInUse() const
{
    return profiles_->hasNameInUse();
}

// The rename run, undo and the profile commands are added by their own
// features; until then these commands do nothing.
void MainController::renameFiles()
{
    settings_.records[0] = storedInputs();
    RunResult result;
    {
        const WaitCursor busy;
        result = renameRun(
            {list_, engine_, settings_.records[0], requester_, settingsFolder_, &memory_});
    }
    if (result.end == RunEnd::TemplateChanged) {
        QComboBox *field = window_.inputField(control::TemplateField);
        const QSignalBlocker quiet(field);
        field->setEditText(result.changedTemplate);
        markModified();
    }
    ownNamesHint_.clear();
    if (result.failedOnOwnNames > 0 && result.failedOnOwnNames == result.failed) {
        ownNamesHint_ = u" – %1 Dateien scheiterten nur, weil ihr neuer Name der alte Name einer "
                        u"anderen Datei dieses Laufs war: \"Ketten und Tausch auflösen\" "
                        u"(Sonderfunktionen) ordnet solche Umbenennungen."_s.arg(result.failed);
    }
    if (result.renamed > 0 && !result.recorded) {
        requester_.ask(unrecordedRunMessage(settingsFolder_, result.journalKept));
    }
    // The run has refreshed the statuses; the view still has to show them.
    list_.requestRefresh(RefreshLevel::Statuses);
}

void MainController::undoLastRun()
{
    const UndoResult result = namenswerk::undoLastRun(settingsFolder_, requester_, list_);
    if (result.confirmed) {
        // Renames back that fail are skipped without a question; the count
        // tells the user that something stayed as it was.
        statusNote_ = u"Rückgängig gemacht: %1 wiederhergestellt, %2 übersprungen."_s.arg(
            result.restored == 1 ? u"1 Name"_s : u"%1 Namen"_s.arg(result.restored),
            QString::number(result.skipped));
        list_.requestRefresh(RefreshLevel::Names);
    }
}

// After "&Ok" the focus rests on "&Profile", where the next profile
// command is one key away.
void MainController::saveProfile()
{
    bool confirmed = false;
    askProfileName_(ProfileDialogMode::Save, *profiles_, [this, &confirmed](const QString &typed) {
        confirmed = true;
        profiles_->saveProfile(typed, inputsOf(storedInputs()), requester_);
    });
    showProfileState();
    if (confirmed) {
        window_.button(control::ProfileButton)->setFocus(Qt::OtherFocusReason);
    }
}

void MainController::deleteProfile()
{
    profiles_->removeProfileInUse(requester_);
    showProfileState();
}

void MainController::renameProfile()
{
    bool confirmed = false;
    askProfileName_(ProfileDialogMode::Rename, *profiles_,
                    [this, &confirmed](const QString &typed) {
                        confirmed = true;
                        profiles_->renameProfile(typed);
                        profiles_->markModified(inputsOf(storedInputs()));
                    });
    showProfileState();
    if (confirmed) {
        window_.button(control::ProfileButton)->setFocus(Qt::OtherFocusReason);
    }
}

void MainController::selectProfile(int slot)
{
    if (!profiles_->selectProfile(slot)) {
        return;
    }
    applyInputs(settings_.records[0]);
    checkInputs();
    list_.requestRefresh(RefreshLevel::Names);
    showProfileState();
}

void MainController::markModified()
{
    profiles_->markModified(inputsOf(storedInputs()));
    window_.setWindowTitle(profiles_->windowTitle());
}

// The title and the profile menu follow the profile in use.
void MainController::showProfileState()
{
    window_.setWindowTitle(profiles_->windowTitle());
    fillProfileMenu(*profileMenu_, settings_.records);
}

} // namespace namenswerk
