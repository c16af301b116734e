#include "app/program.h"

#include "app/command_line.h"
#include "engine/entry_facts.h"
#include "platform/desktop/keyboard_state.h"
#include "platform/desktop/single_instance.h"
#include "platform/file_system.h"
#include "platform/program_folders.h"
#include "platform/regular_file.h"
#include "rename/interrupted_run.h"
#include "settings/list_file.h"
#include "settings/settings_file.h"
#include "settings/startup_list_choice.h"
#include "ui/message_requester.h"

#include <QApplication>
#include <QComboBox>

#include <limits>

using namespace Qt::StringLiterals;

namespace namenswerk {

namespace {

// The welcome tip comes on the first start and then on every 16th.
constexpr int WelcomeInterval = 16;

Request welcomeTip()
{
    Request request;
    request.title = u"Willkommen"_s;
    request.heading = u"Namenswerk"_s;
    request.text = u"Diese Software dient zum schnellen Umbenennen \rmehrerer Dateien.\r\r"
                   u"Nicht vergessen, die F1-Taste bietet einige Hilfe..."_s;
    request.icon = RequestIcon::Information;
    request.buttons = OkOnly;
    return request;
}

// Return reads them all: a cut list must never look whole.
Request limitQuestion(int read, qsizetype total)
{
    Request request;
    request.title = u"Namenswerk"_s;
    request.text = u"Die Liste enthält %1 Einträge; gelesen wurden nur die ersten %2.\r\r"
                   u"Alle Einträge laden?"_s.arg(total)
                       .arg(read);
    request.icon = RequestIcon::Question;
    request.buttons = OkCancel;
    request.firstCaption = u"Alle &laden"_s;
    request.secondCaption = u"&Nur diese"_s;
    return request;
}

Request unreadableNotice(const QString &path)
{
    Request request;
    request.title = u"Namenswerk"_s;
    request.text = u"Nicht gefunden oder nicht lesbar:\r"_s + path;
    request.icon = RequestIcon::Warning;
    request.buttons = OkOnly;
    return request;
}

bool readable(const QString &path)
{
    QFile file(path);
    return platform::openRegularFile(file);
}

Requester &chosenRequester(Requester *given, std::unique_ptr<Requester> &own, QWidget &window)
{
    if (given) {
        return *given;
    }
    own = std::make_unique<MessageRequester>(&window);
    return *own;
}

} // namespace

StartupOptions startupOptions(const QStringList &arguments)
{
    StartupOptions options;
    options.settingsFolder = platform::settingsFolder();
    options.instanceName = qEnvironmentVariable("NAMENSWERK_INSTANCE_NAME");
    if (options.instanceName.isEmpty()) {
        options.instanceName = platform::SingleInstance::defaultServerName();
    }
    const CommandLine line = splitCommandLine(arguments.mid(1), platform::pathExists);
    options.firstArgument = line.listArgument;
    options.paths = line.paths;
    options.missingPaths = line.missingPaths;
    options.shiftAtStart = platform::shiftHeld();
    return options;
}

Program::Program(StartupOptions options, Requester *requester)
    : options_(std::move(options)), list_(readEntryFactsWithoutPicture), window_(list_),
      requester_(chosenRequester(requester, ownRequester_, window_)),
      controller_(
          std::make_unique<MainController>(list_, window_, requester_, options_.settingsFolder))
{
}

Program::~Program() = default;

void Program::start()
{
    // A run that died half-way left its journal; it becomes the record that
    // undo works from before anything else reads the settings.
    recoverInterruptedRun(options_.settingsFolder);
    const StoredSettings stored = readSettings(options_.settingsFolder);
    controller_->applySettings(stored);
    readList(stored.rememberList);
    takeCommandLinePaths();
    window_.inputField(control::NamePatternField)->setFocus();
    window_.show();
    window_.activateWindow();
    list_.requestRefresh(RefreshLevel::Names);
    controller_->refresh();
    showWelcomeTip(stored.startCount);
}

void Program::finish()
{
    controller_->saveSettings();
}

void Program::readList(bool rememberList)
{
    const ListFileChoice choice = chooseListFile(options_.firstArgument, rememberList,
                                                 options_.shiftAtStart, options_.settingsFolder);
    // A list file the user named must be heard of when it cannot be read;
    // the own list file may well be missing.
    if (options_.firstArgument.endsWith(u".lst"_s) && !readable(choice.path)) {
        tellUnreadable(options_.firstArgument);
        return;
    }
    readListFile(list_, choice.path, choice.hasFolderLine, choice.entryLimit);
    offerTheRest(choice);
}

void Program::offerTheRest(const ListFileChoice &choice)
{
    if (list_.count() < choice.entryLimit) {
        return;
    }
    const qsizetype total = countListFileEntries(choice.path, choice.hasFolderLine);
    if (total <= list_.count()) {
        return;
    }
    if (requester_.ask(limitQuestion(list_.count(), total)).code != u'L') {
        return;
    }
    list_.clear();
    readListFile(list_, choice.path, choice.hasFolderLine, std::numeric_limits<int>::max());
}

void Program::takeCommandLinePaths()
{
    for (const QString &path : options_.missingPaths) {
        tellUnreadable(path);
    }
    if (!options_.paths.isEmpty()) {
        controller_->dropFiles(options_.paths);
    }
}

void Program::tellUnreadable(const QString &path)
{
    requester_.ask(unreadableNotice(path));
}

void Program::showWelcomeTip(int startCount)
{
    if (startCount % WelcomeInterval == 0) {
        requester_.ask(welcomeTip());
    }
}

int runProgram(const StartupOptions &options)
{
    platform::SingleInstance instance(options.instanceName);
    if (!instance.tryBecomePrimary(options.paths)) {
        return 0;
    }
    Program program(options);
    MainController &controller = program.controller();
    // Paths from a later start count as a drop on the running window.
    QObject::connect(&instance, &platform::SingleInstance::raiseRequested, &controller,
                     [&controller](const QStringList &paths) {
                         if (!paths.isEmpty()) {
                             controller.dropFiles(paths);
                         }
                         controller.raiseWindow();
                     });
    // exit() rather than quit(): quit() first asks every window to close,
    // and closing the main window is itself the request to quit.
    QObject::connect(
        &controller, &MainController::quitRequested, qApp, [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);
    // Lets the tests of the built program end it the way the user would:
    // once it is up, or when a later start asks for its window.
    const QString testClose = qEnvironmentVariable("NAMENSWERK_TEST_CLOSE");
    if (testClose == u"raise"_s) {
        QObject::connect(&instance, &platform::SingleInstance::raiseRequested, &controller,
                         [&controller] { controller.execute(Command::Close); });
    }
    program.start();
    if (testClose == u"start"_s) {
        QMetaObject::invokeMethod(
            &controller, [&controller] { controller.execute(Command::Close); },
            Qt::QueuedConnection);
    }
    QApplication::exec();
    program.finish();
    return 0;
}

} // namespace namenswerk
