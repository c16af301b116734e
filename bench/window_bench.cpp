// The window's long waits, as the user meets them on the offscreen platform:
// Ctrl+Enter on a list of ready files until the list shows the new statuses,
// against a plain loop of renameat2(RENAME_NOREPLACE) calls relative to the
// open folder in the same rounds; the start with a remembered list of 100,000
// real files until the window shows it; and "Ordner hinzufügen" on a folder of
// as many files until the window shows them, against that start (the same
// files, read from a list instead of the folder). `--million` adds runs at
// 1,000,000 files (some minutes).

#include "app/program.h"
#include "bench/window_bench_support.h"
#include "engine/entry_facts.h"
#include "model/file_list.h"
#include "settings/list_file.h"
#include "ui/file_list_view.h"
#include "ui/main_controller.h"
#include "ui/main_window.h"
#include "ui/path_chooser.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;
using namespace namenswerk;

namespace {

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "window_bench: %s\n", what);
    std::abort();
}

// Empty photos IMG_NNNNNN.JPG in one folder, with their new names
// photo_NNNNNN.jpg, and a settings folder.
class Photos {
    QTemporaryDir dir_;

public:
    explicit Photos(int count)
        : folder(dir_.path() + u"/files/"_s), settingsFolder(dir_.path() + u"/settings/"_s)
    {
        QDir().mkpath(folder);
        QDir().mkpath(settingsFolder);
        const int folderFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
        for (int number = 1; number <= count; ++number) {
            const QByteArray digits = QByteArray::number(number).rightJustified(6, '0');
            oldNames.push_back("IMG_" + digits + ".JPG");
            newNames.push_back("photo_" + digits + ".jpg");
            const int fd =
                ::openat(folderFd, oldNames.back().constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            if (fd < 0) {
                fail("cannot create the photos");
            }
            ::close(fd);
        }
        ::close(folderFd);
    }

    // Seconds for renaming every photo from one set of names to the other.
    double renameAll(const std::vector<QByteArray> &from, const std::vector<QByteArray> &to) const
    {
        const auto start = std::chrono::steady_clock::now();
        const int folderFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
        for (std::size_t i = 0; i < from.size(); ++i) {
            if (::renameat2(folderFd, from[i].constData(), folderFd, to[i].constData(),
                            RENAME_NOREPLACE) != 0) {
                fail("renameat2 failed");
            }
        }
        ::close(folderFd);
        return secondsSince(start);
    }

    QString folder;
    QString settingsFolder;
    std::vector<QByteArray> oldNames;
    std::vector<QByteArray> newNames;
};

void repaintList(MainWindow &window)
{
    window.fileListView()->viewport()->repaint();
}

void ctrlEnterUntilStatuses(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    const Photos photos(count);
    double runSeconds = 0;
    double loopSeconds = 0;
    for (auto _ : state) {
        loopSeconds += photos.renameAll(photos.oldNames, photos.newNames);
        photos.renameAll(photos.newNames, photos.oldNames);

        FileList list;
        list.currentFolder = photos.folder;
        for (const QByteArray &name : photos.oldNames) {
            list.addPathLine(QString::fromUtf8(name), true);
        }
        MainWindow window(list);
        bench::SilentRequester requester;
        MainController controller(list, window, requester, photos.settingsFolder);
        window.inputField(control::NamePatternField)->setEditText(u"IMG_<\\d+>"_s);
        window.inputField(control::TemplateField)->setEditText(u"photo_<n2>.jpg"_s);
        window.show();
        window.activateWindow();
        window.inputField(control::NamePatternField)->setFocus();
        list.requestRefresh(RefreshLevel::Names);
        controller.refresh();
        QApplication::processEvents();
        if (list.readyCount != count) {
            state.SkipWithError("not every file is ready");
            return;
        }

        const auto start = std::chrono::steady_clock::now();
        QWidget *focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : &window, Qt::Key_Return, Qt::ControlModifier);
        repaintList(window);
        const double spent = secondsSince(start);
        runSeconds += spent;
        state.SetIterationTime(spent);
        if (list.renamedCount != count) {
            state.SkipWithError("not every file was renamed");
            return;
        }
        photos.renameAll(photos.newNames, photos.oldNames);
        QFile::remove(photos.settingsFolder + u"Brindlewick.ini"_s);
    }
    state.counters["run_vs_loop"] = runSeconds / loopSeconds;
    state.counters["loop_ms"] = loopSeconds * 1e3 / static_cast<double>(state.iterations());
}

// Chooses one folder, without its subfolders.
class FolderChooser final : public PathChooser {
public:
    explicit FolderChooser(QString folder) : folder_(std::move(folder)) {}
    QStringList chooseFiles(const QString &) override { return {}; }
    std::optional<FolderChoice> chooseFolder(const QString &, bool) override
    {
        return FolderChoice{folder_, false};
    }

private:
    QString folder_;
};

// The photos as the remembered list of the settings folder.
void rememberPhotos(const Photos &photos)
{
    FileList remembered([](const QString &) { return FileFacts{}; });
    remembered.currentFolder = photos.folder;
    for (const QByteArray &name : photos.oldNames) {
        remembered.addPathLine(QString::fromUtf8(name), true);
    }
    if (!writeListFile(remembered, ownListFilePath(photos.settingsFolder), true)) {
        fail("cannot write the list file");
    }
}

// From the start of the program to the window showing the remembered list.
double startSeconds(const Photos &photos, int count, Requester &requester)
{
    const auto start = std::chrono::steady_clock::now();
    StartupOptions options;
    options.settingsFolder = photos.settingsFolder;
    options.instanceName = u"window_bench"_s;
    options.firstArgument = QString::number(count);
    Program program(options, &requester);
    program.start();
    QApplication::processEvents();
    repaintList(program.window());
    if (program.list().count() != count) {
        fail("the list was not read whole");
    }
    return secondsSince(start);
}

void startWithList(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    const Photos photos(count);
    rememberPhotos(photos);
    bench::SilentRequester requester;
    for (auto _ : state) {
        state.SetIterationTime(startSeconds(photos, count, requester));
    }
}

void addFolderUntilShown(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    const Photos photos(count);
    rememberPhotos(photos);
    bench::SilentRequester requester;
    FolderChooser chooser(photos.folder);
    double addSeconds = 0;
    double startSecondsSum = 0;
    double longestFreeze = 0;
    for (auto _ : state) {
        startSecondsSum += startSeconds(photos, count, requester);

        FileList list(readEntryFactsWithoutPicture);
        MainWindow window(list);
        MainController controller(list, window, requester, photos.settingsFolder);
        controller.setPathChooser(chooser);
        window.show();
        QApplication::processEvents();
        // The longest time the event loop went unserved: how long the
        // window stood frozen at worst.
        QTimer ticks;
        ticks.setInterval(10);
        auto lastTick = std::chrono::steady_clock::now();
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            longestFreeze = std::max(longestFreeze, secondsSince(lastTick));
            lastTick = std::chrono::steady_clock::now();
        });
        ticks.start();
        const auto start = std::chrono::steady_clock::now();
        controller.execute(Command::AddFolder);
        repaintList(window);
        const double spent = secondsSince(start);
        longestFreeze = std::max(longestFreeze, secondsSince(lastTick));
        addSeconds += spent;
        state.SetIterationTime(spent);
        if (list.count() != count) {
            state.SkipWithError("not every file was added");
            return;
        }
    }
    state.counters["add_vs_start"] = addSeconds / startSecondsSum;
    state.counters["freeze_vs_add"] =
        longestFreeze * static_cast<double>(state.iterations()) / addSeconds;
}

void registerAt(int count, int iterations)
{
    benchmark::RegisterBenchmark("ctrlEnterUntilStatuses", ctrlEnterUntilStatuses)
        ->Arg(count)
        ->Iterations(iterations)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("startWithList", startWithList)
        ->Arg(count)
        ->Iterations(iterations)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("addFolderUntilShown", addFolderUntilShown)
        ->Arg(count)
        ->Iterations(iterations)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool million = bench::takeMillionSwitch(argc, argv);
    registerAt(10'000, 3);
    registerAt(100'000, 3);
    if (million) {
        registerAt(1'000'000, 1);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
