#include "ui/main_controller.h"

#include "ui/clipboard_export.h"
#include "ui/file_list_model.h"
#include "ui/input_history.h"
#include "ui/list_commands.h"
#include "ui/main_window.h"
#include "ui/menus.h"
#include "ui/profile_window.h"
#include "ui/shortcuts.h"
#include "ui/wait_cursor.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTreeView>

namespace namenswerk {

namespace {

constexpr int textFields[] = {control::NamePatternField, control::ExtensionPatternField,
                              control::TemplateField, control::FirstReplaceField,
                              control::FinalReplaceField};

constexpr int optionBoxes[] = {control::PatternCaseBox, control::NameOnlyBox,
                               control::ReplaceCaseBox, control::ReplaceAllBox,
                               control::FileDateBox};

constexpr int commandButtons[] = {control::RenameButton, control::CloseButton,
                                  control::ProfileButton, control::FilterButton,
                                  control::SpecialButton};

bool inRange(Command command, Command first, Command last)
{
    return commandNumber(command) >= commandNumber(first) &&
           commandNumber(command) <= commandNumber(last);
}

} // namespace

MainController::MainController(FileList &list, MainWindow &window, Requester &requester,
                               QString settingsFolder, QObject *parent)
    : QObject(parent), list_(list), window_(window), requester_(requester),
      settingsFolder_(std::move(settingsFolder)), help_(requester),
      filterMenu_(std::make_unique<QMenu>()), specialMenu_(std::make_unique<QMenu>()),
      profileMenu_(std::make_unique<QMenu>()),
      presentPopup_([](QMenu &menu, const QPoint &at) { menu.exec(at); }),
      askProfileName_([&window](ProfileDialogMode mode, const Profiles &profiles,
                                const std::function<void(const QString &)> &confirmed) {
          ProfileWindow::ask(mode, profiles, &window, confirmed);
      }),
      dialogChooser_(&window)
{
    filterMenu_->setObjectName(QStringLiteral("filterMenu"));
    specialMenu_->setObjectName(QStringLiteral("specialMenu"));
    profileMenu_->setObjectName(QStringLiteral("profileMenu"));
    for (QMenu *menu : {filterMenu_.get(), specialMenu_.get(), profileMenu_.get()}) {
        connect(menu, &QMenu::triggered, this, [this](QAction *action) {
            if (const std::optional<Command> command = itemCommand(action)) {
                const QScopedValueRollback fromMenu(menuChoice_, true);
                execute(*command);
            }
        });
    }
    applySettings(StoredSettings());
    connectControls();
    installShortcuts(window_, [this](Command command) { execute(command); });
}

MainController::~MainController() = default;

void MainController::connectControls()
{
    for (const int number : textFields) {
        connect(window_.inputField(number), &QComboBox::editTextChanged, this,
                [this, number] { execute(static_cast<Command>(number)); });
    }
    for (const int number : {control::NameCaseList, control::ExtensionCaseList}) {
        connect(window_.caseList(number), &QComboBox::currentIndexChanged, this,
                [this, number] { execute(static_cast<Command>(number)); });
    }
    for (const int number : optionBoxes) {
        connect(window_.optionBox(number), &QCheckBox::clicked, this,
                [this, number] { execute(static_cast<Command>(number)); });
    }
    for (const int number : commandButtons) {
        connect(window_.button(number), &QPushButton::clicked, this,
                [this, number] { execute(static_cast<Command>(number)); });
    }
    FileListView *view = window_.fileListView();
    connect(view, &QTreeView::doubleClicked, this, [this] { execute(Command::ToggleIgnoredRow); });
    connect(view, &FileListView::filesDropped, this, &MainController::dropFiles);
    connect(view->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { execute(static_cast<Command>(SortColumnOffset + column)); });
    window_.button(control::ProfileButton)->installEventFilter(this);
    window_.button(control::FilterButton)->installEventFilter(this);
    window_.installEventFilter(this);
}

void MainController::setProfileNameAsker(ProfileNameAsker asker)
{
    askProfileName_ = std::move(asker);
}

void MainController::setPopupPresenter(PopupPresenter presenter)
{
    presentPopup_ = std::move(presenter);
}

void MainController::execute(Command command)
{
    statusNote_.clear();
    dispatch(command);
    refresh();
    Q_EMIT executed(command);
}

void MainController::dispatch(Command command)
{
    using C = Command;
    const int number = commandNumber(command);
    if (inRange(command, C::FirstProfile, C::LastProfile)) {
        selectProfile(number - ProfileCommandOffset);
        return;
    }
    if (inRange(command, C::SortByFolderMark, C::SortByStatus)) {
        // The shown rows are sorted as they read; a refresh would sort by the
        // entries' data instead, so only the view is told.
        sortByColumn(list_, number - SortColumnOffset);
        window_.fileListModel()->refresh();
        window_.fileListView()->showSortState();
        return;
    }
    if (inRange(command, C::FilterFound, C::FilterOff)) {
        setFilter(number);
        return;
    }
    switch (command) {
    case C::NamePatternChanged:
    case C::ExtensionPatternChanged:
    case C::TemplateChanged:
    case C::FirstReplaceChanged:
    case C::FinalReplaceChanged:
        inputChanged(command);
        break;
    case C::FocusNamePattern:
    case C::FocusExtensionPattern:
    case C::FocusTemplate:
        focusControl(number - FocusFieldOffset);
        break;
    case C::FocusFirstReplace:
    case C::FocusFinalReplace:
    case C::FocusNameCase:
    case C::FocusExtensionCase:
        focusControl(number - FocusLowerFieldOffset);
        break;
    case C::PatternCaseClicked:
    case C::NameOnlyClicked:
    case C::ReplaceCaseClicked:
    case C::ReplaceAllClicked:
    case C::NameCaseChanged:
    case C::ExtensionCaseChanged:
        optionClicked(true);
        break;
    case C::FileDateClicked:
        optionClicked(false);
        break;
    case C::InvertPatternCase:
    case C::InvertNameOnly:
    case C::InvertReplaceCase:
    case C::InvertReplaceAll:
        invertOption(number - InvertBoxOffset, true);
        break;
    case C::InvertFileDate:
        invertOption(number - InvertBoxOffset, false);
        break;
    case C::ToggleIgnoredRow:
        toggleIgnoredRow(false);
        break;
    case C::RenameFiles:
        renameFiles();
        break;
    case C::Close:
        Q_EMIT quitRequested();
        break;
    case C::ShowProfileMenu:
        showProfileMenu();
        break;
    case C::ShowFilterMenu:
        showFilterMenu();
        break;
    case C::ShowSpecialMenu:
        showPopup(*specialMenu_);
        break;
    case C::ResetSort:
        resetSort(list_);
        break;
    case C::RefreshFacts:
        list_.refreshAllFacts();
        engine_.forgetFileContents();
        list_.requestRefresh(RefreshLevel::Names);
        break;
    case C::ContextHelp:
        help_.showContextHelp(focusedControl(), engine_, storedInputs());
        break;
    case C::PatternReference:
        help_.showPatternReference();
        break;
    case C::ShortcutOverview:
        help_.showShortcutOverview();
        break;
    case C::UndoLastRun:
        undoLastRun();
        break;
    case C::RestoreInputs:
        restoreInputs();
        break;
    case C::About:
        help_.showAbout();
        break;
    case C::RememberList:
        toggleRememberList();
        break;
    case C::ResolveChains:
        toggleResolveChains();
        break;
    case C::CustomColours:
        toggleCustomColours();
        break;
    case C::CopyRenameCommands:
        copyRenameCommands(list_);
        break;
    case C::OpenFolder:
        openFolder();
        break;
    case C::AdoptDisplayedOrder:
        adoptDisplayedOrder(list_, requester_);
        break;
    case C::TakeOverNewNames:
        takeOverNewNames(list_, requester_);
        break;
    case C::UpperCaseSwitch:
        toggleUpperCase();
        break;
    case C::CounterStart:
        askCounterStart();
        break;
    case C::SaveProfile:
        saveProfile();
        break;
    case C::DeleteProfile:
        if (profileInUse()) {
            deleteProfile();
        }
        break;
    case C::RenameProfile:
        if (profileInUse()) {
            renameProfile();
        }
        break;
    case C::StoreSettings:
        storeSettingsOrToggleRow();
        break;
    case C::AddFiles:
        addFiles();
        break;
    case C::AddFolder:
        addFolder();
        break;
    default:
        break;
    }
}

void MainController::inputChanged(Command command)
{
    rememberInputs();
    const QString text = window_.inputField(commandNumber(command))->currentText();
    switch (command) {
    case Command::NamePatternChanged:
        engine_.setNamePattern(text);
        break;
    case Command::ExtensionPatternChanged:
        engine_.setExtensionPattern(text);
        break;
    case Command::TemplateChanged:
        engine_.setTemplate(text);
        break;
    default:
        break;
    }
    showIndicators();
    list_.requestRefresh(RefreshLevel::Names);
    markModified();
}

void MainController::optionClicked(bool recompute)
{
    markModified();
    if (recompute) {
        list_.requestRefresh(RefreshLevel::Names);
    }
}

void MainController::invertOption(int box, bool recompute)
{
    QCheckBox *option = window_.optionBox(box);
    option->setFocus(Qt::ShortcutFocusReason);
    option->setChecked(!option->isChecked());
    optionClicked(recompute);
}

void MainController::focusControl(int number)
{
    if (QWidget *target = window_.control(number)) {
        target->setFocus(Qt::ShortcutFocusReason);
    }
}

// Enter in the list marks rows; "Eins&tellungen merken" chosen in the menu
// always stores, wherever the focus was before the menu opened.
void MainController::storeSettingsOrToggleRow()
{
    if (listHasFocus() && !menuChoice_) {
        toggleIgnoredRow(true);
    } else {
        storeSettings();
    }
}

void MainController::storeSettings()
{
    for (const int number : textFields) {
        addDropDownEntry(*window_.inputField(number));
    }
    saveSettings();
}

void MainController::toggleIgnoredRow(bool moveOn)
{
    const int row = selectedRow();
    const int entry = window_.fileListModel()->entryAt(row);
    if (entry < 0) {
        return;
    }
    const int rows = window_.fileListModel()->rowCount();
    if (moveOn && activeFilter_ == 0 && row + 1 < rows) {
        QTreeView *view = window_.fileListView();
        view->setCurrentIndex(view->model()->index(row + 1, 0));
    }
    list_.toggleIgnored(entry);
}

void MainController::refresh()
{
    if (refreshing_ || list_.refreshLevel == RefreshLevel::None) {
        return;
    }
    refreshing_ = true;
    // Only long lists get the wait cursor; on short ones it would flicker
    // with every key.
    const bool longRun = list_.refreshLevel == RefreshLevel::Names && list_.count() > 5000;
    std::optional<WaitCursor> busy;
    if (longRun) {
        busy.emplace();
    }
    if (patternsDirty_) {
        checkInputs();
        patternsDirty_ = false;
    }
    settings_.records[0] = storedInputs();
    engine_.refresh(list_, settings_.records[0]);
    window_.fileListModel()->refresh();
    showIndicators();
    showStatusLine();
    window_.fileListView()->showSortState();
    refreshing_ = false;
}

void MainController::dropFiles(const QStringList &paths)
{
    if (adding_) {
        pendingDrop_ = paths; // replaces the list once the add is done
        return;
    }
    statusNote_.clear();
    list_.addDroppedFiles(paths);
    refresh();
}

void MainController::raiseWindow()
{
    if (window_.isMinimized()) {
        window_.showNormal();
    }
    window_.raise();
    window_.activateWindow();
}

int MainController::selectedRow() const
{
    const QModelIndexList rows = window_.fileListView()->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

bool MainController::listHasFocus() const
{
    const QWidget *focus = QApplication::focusWidget();
    QTreeView *view = window_.fileListView();
    return focus != nullptr && (focus == view || view->isAncestorOf(focus));
}

int MainController::focusedControl() const
{
    const QWidget *focus = QApplication::focusWidget();
    for (int number = 0; focus && number < control::ControlLimit; ++number) {
        const QWidget *candidate = window_.control(number);
        if (candidate && (candidate == focus || candidate->isAncestorOf(focus))) {
            return number;
        }
    }
    return control::MainWindow;
}

} // namespace namenswerk
