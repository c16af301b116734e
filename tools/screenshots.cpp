// Starts the program on a small sample list that shows every status and
// saves pictures of the main window, its popup menus and its dialogs.
// Usage: screenshots [folder]   (default ./screenshots)

#include "app/program.h"
#include "ui/commands.h"
#include "ui/control_ids.h"
#include "ui/main_controller.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using namespace namenswerk;

namespace {

// Old names of the sample and, for the statuses no rule of this sample
// gives, the status they are shown with.
// Fields in the order the table below reads them, not packed: ten rows.
struct SampleFile { // NOLINT(clang-analyzer-optin.performance.Padding)
    QString name;
    bool onDisk = true;
    EntryStatus shownAs = EntryStatus::None;
    bool ignored = false;
};

const SampleFile sampleFiles[] = {
    {u"IMG_0001.jpg"_s},
    {u"IMG_0002.jpg"_s},
    {u"extra/IMG_0003.jpg"_s},
    {u"IMG_0004.jpg"_s},
    {u"IMG_0004.jpeg"_s},
    {u"IMG_0005.jpg"_s, true, EntryStatus::None, true},
    {u"IMG_0006.jpg"_s, false},
    {u"notiz.txt"_s},
    {u"IMG_0007.jpg"_s, true, EntryStatus::EmptyName},
    {u"IMG_0008.jpg"_s, true, EntryStatus::InvalidName},
    {u"IMG_0009.jpg"_s, true, EntryStatus::Renamed},
    {u"IMG_0010.jpg"_s, true, EntryStatus::RenameFailed},
    {u"IMG_0011.jpg"_s, true, EntryStatus::SearchError},
    {u"IMG_0012.jpg"_s, true, EntryStatus::TokenError},
    {u"IMG_0013.jpg"_s, true, EntryStatus::RegexError},
    {u"IMG_0014.jpg"_s, true, EntryStatus::None},
};

// A settings file with the sample's rules; the start count 0 brings the
// welcome tip.
const char sampleSettings[] = "[Global]\r\nFilebuffer=0\r\nName=Urlaub\r\n"
                              "RegFindname=\"IMG_<\\d+>\"\r\nRegFindext=\"*\"\r\n"
                              "RegReplace=\"Urlaub_<n2>.jpg\"\r\nRegReplace-1=\"<n>.<e>\"\r\n"
                              "[Profile A]\r\nActive=1\r\nName=Fotos\r\n"
                              "[Profile B]\r\nActive=1\r\nName=Urlaub\r\n";

QString writeSample(const QString &folder)
{
    QStringList lines;
    for (const SampleFile &file : sampleFiles) {
        const QString path = folder + file.name;
        if (file.onDisk) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile out(path);
            out.open(QIODevice::WriteOnly);
            out.write(QByteArray(1000 * (lines.size() + 1), 'x'));
        }
        lines.append(path);
    }
    QFile settings(folder + u"Brindlewick.ini"_s);
    settings.open(QIODevice::WriteOnly);
    settings.write(QByteArrayView(sampleSettings).toByteArray());
    QString listPath = folder + u"beispiel.lst"_s;
    QFile list(listPath);
    list.open(QIODevice::WriteOnly);
    list.write(lines.join(u'\n').toUtf8());
    return listPath;
}

// Gives the statuses that the sample's rules cannot produce side by side.
void markSampleStatuses(Program &program)
{
    FileList &list = program.list();
    for (int index = 0; index < list.count(); ++index) {
        const SampleFile &file = sampleFiles[index];
        list.at(index).ignored = file.ignored;
        if (index >= 8) {
            list.at(index).status = file.shownAs;
        }
    }
    list.requestRefresh(RefreshLevel::Statuses);
    program.controller().refresh();
}

void save(const QPixmap &picture, const QString &path)
{
    if (picture.save(path)) {
        QTextStream(stdout) << path << Qt::endl;
    } else {
        QTextStream(stderr) << "cannot write " << path << Qt::endl;
    }
}

// Saves the next modal dialog that opens, then closes it as Escape would.
// Gives up after two seconds.
QPointer<QTimer> saveNextDialog(const QString &path)
{
    QPointer<QTimer> poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll = poll.data(), path, tries] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog && ++*tries < 40) {
            return;
        }
        poll->deleteLater();
        if (!dialog) {
            QTextStream(stderr) << "no dialog for " << path << Qt::endl;
            return;
        }
        save(dialog->grab(), path);
        dialog->reject();
    });
    poll->start(50);
    return poll;
}

// Saves each page of a paged help window: after a page is saved its ">"
// button turns to the next one; the last page is closed as Escape would.
QPointer<QTimer> saveDialogPages(const QStringList &paths)
{
    QPointer<QTimer> poll = new QTimer;
    auto page = std::make_shared<qsizetype>(0);
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll = poll.data(), paths, page, tries] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (++*tries >= 40) {
                QTextStream(stderr) << "no dialog for " << paths.at(*page) << Qt::endl;
                poll->deleteLater();
            }
            return;
        }
        *tries = 0;
        save(dialog->grab(), paths.at(*page));
        if (++*page == paths.size()) {
            poll->deleteLater();
            dialog->reject();
            return;
        }
        for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
            if (button->isVisible() && button->text() == u">") {
                button->click();
                return;
            }
        }
    });
    poll->start(50);
    return poll;
}

// Calls `act` with the next modal window once it is open and active.
// Gives up after two seconds.
QPointer<QTimer> onNextModal(const std::function<void(QWidget &)> &act)
{
    QPointer<QTimer> poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll = poll.data(), act, tries] {
        QWidget *modal = QApplication::activeModalWidget();
        if ((!modal || !modal->isVisible()) && ++*tries < 40) {
            return;
        }
        poll->deleteLater();
        if (modal && modal->isVisible()) {
            act(*modal);
        } else {
            QTextStream(stderr) << "no modal window" << Qt::endl;
        }
    });
    poll->start(50);
    return poll;
}

// The part of the screen that holds both windows, so the picture shows
// where one stands over the other.
void saveScreenAround(const QWidget &front, const QWidget &back, const QString &path)
{
    const QRect both =
        front.frameGeometry().united(back.frameGeometry()).adjusted(-10, -10, 10, 10);
    save(front.screen()->grabWindow(0, both.x(), both.y(), both.width(), both.height()), path);
}

void waitUntilDone(const QPointer<QTimer> &poll)
{
    while (poll) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void saveWindow(Program &program, QSize size, const QString &path)
{
    program.window().resize(size);
    QApplication::processEvents();
    save(program.window().grab(), path);
}

void saveMenu(QMenu &menu, const QString &path)
{
    menu.popup(QPoint(40, 40));
    QApplication::processEvents();
    save(menu.grab(), path);
    menu.hide();
}

// Saving under a name a profile has brings the overwrite question over the
// profile window; the picture shows both, then both are cancelled.
void saveProfileQuestion(MainController &controller, const QString &path)
{
    QPointer<QTimer> question;
    const QPointer<QTimer> poll = onNextModal([&question, path](QWidget &profileWindow) {
        auto *name = profileWindow.findChild<QComboBox *>();
        name->setEditText(u"Fotos"_s);
        question = onNextModal([&profileWindow, path](QWidget &dialog) {
            saveScreenAround(dialog, profileWindow, path);
            qobject_cast<QDialog *>(&dialog)->reject();
        });
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(name, &enter);
    });
    controller.execute(Command::SaveProfile);
    waitUntilDone(poll);
    waitUntilDone(question);
}

// A list file longer than the limit brings the question whether to read it
// all; a program of its own starts on it.
void saveLimitQuestion(const QString &path)
{
    QTemporaryDir folder;
    StartupOptions options;
    options.settingsFolder = folder.path() + u'/';
    options.instanceName = folder.filePath(u"instance"_s);
    options.firstArgument = folder.filePath(u"lang.lst"_s);
    QFile settings(options.settingsFolder + u"Brindlewick.ini"_s);
    settings.open(QIODevice::WriteOnly);
    settings.write("[Global]\r\nFilebuffer=1\r\n");
    settings.close();
    QFile list(options.firstArgument);
    list.open(QIODevice::WriteOnly);
    for (int i = 1; i <= 10'000; ++i) {
        list.write(QStringLiteral("%1/IMG_%2.jpg\n")
                       .arg(folder.path())
                       .arg(i, 5, 10, QChar(u'0'))
                       .toUtf8());
    }
    list.close();
    Program program(options);
    const QPointer<QTimer> poll = saveNextDialog(path);
    program.start();
    waitUntilDone(poll);
}

// The window with the case lists on their longest entries.
void saveLongestEntries(Program &program, const QString &path)
{
    MainWindow &window = program.window();
    window.caseList(control::NameCaseList)->setCurrentIndex(3);
    window.caseList(control::ExtensionCaseList)->setCurrentIndex(2);
    saveWindow(program, {720, 552}, path);
    window.caseList(control::NameCaseList)->setCurrentIndex(0);
    window.caseList(control::ExtensionCaseList)->setCurrentIndex(0);
}

// The help windows, the definition overview, the about box, the profile
// window and the list in the fixed palette.
template <typename In> void saveHelpAndProfiles(Program &program, const In &in)
{
    MainController &controller = program.controller();
    MainWindow &window = program.window();
    window.inputField(control::TemplateField)->setEditText(u"Urlaub_<n2>_<c3>.<e>"_s);
    QApplication::setActiveWindow(&window);
    window.inputField(control::TemplateField)->setFocus();
    QApplication::processEvents();
    QPointer<QTimer> poll = saveNextDialog(in(u"help-definition-overview.png"_s));
    controller.execute(Command::ContextHelp);
    waitUntilDone(poll);
    poll = saveDialogPages({in(u"help-shortcuts-1.png"_s), in(u"help-shortcuts-2.png"_s)});
    controller.execute(Command::ShortcutOverview);
    waitUntilDone(poll);
    poll = saveDialogPages(
        {in(u"help-patterns-1.png"_s), in(u"help-patterns-2.png"_s), in(u"help-patterns-3.png"_s)});
    controller.execute(Command::PatternReference);
    waitUntilDone(poll);
    poll = saveNextDialog(in(u"help-about.png"_s));
    controller.execute(Command::About);
    waitUntilDone(poll);

    QApplication::setActiveWindow(&window);
    window.inputField(control::FirstReplaceField)->setFocus();
    QApplication::processEvents();
    poll = saveNextDialog(in(u"help-replace-lists.png"_s));
    controller.execute(Command::ContextHelp);
    waitUntilDone(poll);

    poll = saveNextDialog(in(u"profile-save.png"_s));
    controller.execute(Command::SaveProfile);
    waitUntilDone(poll);
    saveProfileQuestion(controller, in(u"profile-overwrite-question.png"_s));
    controller.execute(Command::CustomColours);
    saveWindow(program, {720, 552}, in(u"main-fixed-colours.png"_s));
}

} // namespace

int main(int argc, char **argv)
{
    // On a display (such as Xvfb) the pictures show the real window system;
    // without one they are drawn offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QString target =
        QDir(QApplication::arguments().value(1, u"screenshots"_s)).absolutePath();
    QDir().mkpath(target);
    const auto in = [&target](const QString &name) -> QString { return target + u'/' + name; };

    QTemporaryDir folder;
    StartupOptions options;
    options.settingsFolder = folder.path() + u'/';
    options.instanceName = folder.filePath(u"instance"_s);
    options.firstArgument = writeSample(options.settingsFolder);

    Program program(options);
    saveNextDialog(in(u"requester-welcome.png"_s));
    program.start();
    markSampleStatuses(program);

    saveWindow(program, {720, 552}, in(u"main-720x552.png"_s));
    saveWindow(program, {1100, 700}, in(u"main-1100x700.png"_s));
    saveWindow(program, {720, 552}, in(u"main-720x552-after-wider.png"_s));
    saveLongestEntries(program, in(u"main-720x552-longest-entries.png"_s));
    MainController &controller = program.controller();
    saveMenu(controller.filterMenu(), in(u"menu-filter.png"_s));
    saveMenu(controller.specialMenu(), in(u"menu-special.png"_s));
    controller.setPopupPresenter(
        [&](QMenu &menu, const QPoint &) { saveMenu(menu, in(u"menu-profile.png"_s)); });
    controller.execute(Command::ShowProfileMenu);

    const QPointer<QTimer> counter = saveNextDialog(in(u"requester-counter-start.png"_s));
    controller.execute(Command::CounterStart);
    waitUntilDone(counter);
    // New names without extensions make the rename run warn first.
    program.window().inputField(control::TemplateField)->setEditText(u"Urlaub_<n2>"_s);
    const QPointer<QTimer> warning = saveNextDialog(in(u"requester-rename-warning.png"_s));
    controller.execute(Command::RenameFiles);
    waitUntilDone(warning);

    saveHelpAndProfiles(program, in);
    saveLimitQuestion(in(u"requester-limit.png"_s));
    return 0;
}
