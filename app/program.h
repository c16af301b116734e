#pragma once

#include "model/file_list.h"
#include "settings/startup_list_choice.h"
#include "ui/main_controller.h"
#include "ui/main_window.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace namenswerk {

class Requester;

// What a start depends on outside the program. Tests give their own folders
// and socket, so they never touch the user's.
struct StartupOptions {
    QString settingsFolder;   // holds the settings file and the remembered list
    QString instanceName;     // socket of the one-running-program check
    QString firstArgument;    // a list file or number from the command line; empty when none
    QStringList paths;        // files and folders from the command line, taken as a drop
    QStringList missingPaths; // path arguments that name nothing
    bool shiftAtStart = false;
};

// The options of a real start: the platform's settings folder (the variable
// NAMENSWERK_SETTINGS_DIR moves it), the user's socket (NAMENSWERK_INSTANCE_NAME
// moves it), the command line sorted into list argument and paths, and the
// Shift key now.
StartupOptions startupOptions(const QStringList &arguments);

// The running program: its list, window and controller, from the start-up
// to the settings saved at the end.
class Program {
public:
    // requester: asks the user; null for the program's own dialog.
    explicit Program(StartupOptions options, Requester *requester = nullptr);
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;
    Program(Program &&) = delete;
    Program &operator=(Program &&) = delete;

    // Settings, list file, input checks, the window shown with the focus in
    // "Datei&name:", the first new names, and the welcome tip on every 16th start.
    void start();
    // Saves the settings and, when the list is remembered, the list.
    void finish();

    FileList &list() { return list_; }
    MainWindow &window() { return window_; }
    MainController &controller() { return *controller_; }

private:
    void readList(bool rememberList);
    void offerTheRest(const ListFileChoice &choice);
    void takeCommandLinePaths();
    void tellUnreadable(const QString &path);
    void showWelcomeTip(int startCount);

    StartupOptions options_;
    FileList list_;
    MainWindow window_;
    std::unique_ptr<Requester> ownRequester_;
    Requester &requester_;
    std::unique_ptr<MainController> controller_;
};

// The whole run: a later start only raises the running window; the first
// one starts, runs the event loop until the user closes it, and saves.
// Always 0.
int runProgram(const StartupOptions &options);

} // namespace namenswerk
