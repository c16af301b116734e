#pragma once

#include "engine/name_engine.h"
#include "rename/input_memory.h"
#include "settings/profiles.h"
#include "settings/settings_file.h"
#include "ui/commands.h"
#include "ui/help_windows.h"
#include "ui/path_chooser.h"

#include <QObject>
#include <QPoint>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QMenu;

namespace namenswerk {

class FileList;
class MainWindow;
class Requester;

// The main window's event handling: every control, shortcut and menu item
// ends in execute(), and after each command the list is refreshed as far as
// the command asked for. Qt's own event loop delivers the events.
class MainController : public QObject {
    Q_OBJECT

public:
    // settingsFolder: where the settings file and the remembered list live.
    MainController(FileList &list, MainWindow &window, Requester &requester, QString settingsFolder,
                   QObject *parent = nullptr);
    ~MainController() override;
    Q_DISABLE_COPY_MOVE(MainController)

    // Puts stored settings into the window and the engine: colours, sort,
    // filter, switches, the inputs with their drop-down lists, and the window
    // place when it fits the screen. Checks the patterns and the template.
    void applySettings(const StoredSettings &stored);
    // What the settings file gets now: the inputs as record 0 with their
    // drop-down lists, the window place, sort, filter and switches.
    StoredSettings currentSettings() const;
    // Writes the settings file and, when the list is remembered, the list file.
    bool saveSettings();

    // Runs one command, then the refresh it asked for.
    void execute(Command command);
    // Performs the pending refresh unless one is running: record 0 from the
    // controls, new names and statuses, the list and the status line.
    void refresh();

    // command: 130 to 134, or 0 (135 counts as 0) for no filter.
    void setFilter(int command);
    // Case-mode texts and the special-functions menu for the current switches.
    void buildSpecialMenu();
    // Files dropped from a file manager replace the list.
    void dropFiles(const QStringList &paths);
    // A later start of the program asked for the window.
    void raiseWindow();

    int activeFilter() const { return activeFilter_; }
    bool rememberList() const { return settings_.rememberList; }
    NameEngine &engine() { return engine_; }
    const NameEngine &engine() const { return engine_; }
    QMenu &filterMenu() const { return *filterMenu_; }
    QMenu &specialMenu() const { return *specialMenu_; }
    QMenu &profileMenu() const { return *profileMenu_; }

    // How a popup menu is shown; by default at the given point until the user
    // chooses or dismisses it. Tests and the screenshot tool replace it.
    using PopupPresenter = std::function<void(QMenu &menu, const QPoint &at)>;
    void setPopupPresenter(PopupPresenter presenter);

    // How a profile name is asked for; by default the modal profile window,
    // which hands the typed name to `confirmed` while it is still open, so
    // that the questions of saving stand over it. Tests replace it.
    using ProfileNameAsker =
        std::function<void(ProfileDialogMode mode, const Profiles &profiles,
                           const std::function<void(const QString &typed)> &confirmed)>;
    void setProfileNameAsker(ProfileNameAsker asker);

    // How files and folders to add are chosen; by default the desktop's file
    // dialog and the program's folder dialog. Tests replace it; the chooser
    // must outlive the controller.
    void setPathChooser(PathChooser &chooser) { chooser_ = &chooser; }

Q_SIGNALS:
    // After a command and its refresh.
    void executed(namenswerk::Command command);
    // The user closed the program.
    void quitRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The five text inputs in the order fields 0, 1, 2, 55, 56.
    using InputTexts = std::array<QString, 5>;

    void connectControls();
    void dispatch(Command command);

    // Reactions to the controls.
    void inputChanged(Command command);
    void optionClicked(bool recompute);
    void invertOption(int box, bool recompute);
    void focusControl(int number);
    void toggleIgnoredRow(bool moveOn);
    void storeSettingsOrToggleRow();
    void storeSettings();

    // The five inputs and the options as a settings record and back.
    InputTexts inputTexts() const;
    void setInputTexts(const InputTexts &texts);
    RenameSettings storedInputs() const;
    void applyInputs(const RenameSettings &record);
    void rememberInputs();
    void restoreInputs();
    void checkInputs();
    void showIndicators();

    // Menus and dialogs.
    void showPopup(QMenu &menu);
    void showFilterMenu();
    void showProfileMenu();
    void toggleRememberList();
    void toggleResolveChains();
    void toggleCustomColours();
    void toggleUpperCase();
    void askCounterStart();
    void openFolder();
    void showStatusLine();
    void applyColours();

    // Adding files and folders to the list.
    void addFiles();
    void addFolder();
    QString addStartFolder() const;
    std::optional<AddedPaths> addWithProgress(const QStringList &paths, const QString &title);
    void noteAdded(const AddedPaths &added, const QString &skipped = {});

    // The rename run, undo and the profile commands.
    void renameFiles();
    void undoLastRun();
    void saveProfile();
    void deleteProfile();
    void renameProfile();
    void selectProfile(int slot);
    void markModified();
    void showProfileState();

    bool profileInUse() const;
    int selectedRow() const;
    int focusedControl() const;
    bool listHasFocus() const;

    FileList &list_;
    MainWindow &window_;
    Requester &requester_;
    QString settingsFolder_;
    NameEngine engine_;
    HelpWindows help_;
    StoredSettings settings_;
    InputMemory memory_;
    std::optional<Profiles> profiles_; // over settings_.records, remade when settings are applied
    int activeFilter_ = 0;
    // As chosen or read, "Filter ausschalten" (135) included, so that the
    // settings file gets back the value it held.
    int chosenFilter_ = 0;
    // After a run that failed entries only on old names of its own entries: the way out.
    QString ownNamesHint_;
    // What the last command did, shown before the summary until the next command.
    QString statusNote_;
    QString lastAddFolder_;      // where the last add dialog found its files
    bool addSubfolders_ = false; // the last choice of the folder dialog's check box
    bool adding_ = false;        // a long add lets events through; drops must wait
    std::optional<QStringList> pendingDrop_;
    bool patternsDirty_ = false;
    bool refreshing_ = false;
    bool menuChoice_ = false; // the command running was chosen in a popup menu
    std::unique_ptr<QMenu> filterMenu_;
    std::unique_ptr<QMenu> specialMenu_;
    std::unique_ptr<QMenu> profileMenu_;
    PopupPresenter presentPopup_;
    ProfileNameAsker askProfileName_;
    DialogPathChooser dialogChooser_;
    PathChooser *chooser_ = &dialogChooser_;
};

} // namespace namenswerk
