// From one keystroke in "Datei&name:" to the list showing the new names:
// the change event, the full recomputation, the model update and the
// repaint of the visible rows, on the offscreen platform. The engine's
// recomputation alone is measured in the same rounds as the baseline. The
// heap the list and its computed names take is printed per entry.
// `--million` adds the run at 1,000,000 entries.

#include "bench/window_bench_support.h"
#include "model/file_list.h"
#include "ui/main_controller.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <malloc.h>
#include <vector>

using namespace Qt::StringLiterals;
using namespace namenswerk;

namespace {

// CPU time of this thread: the machine may be shared, and waiting for a core
// says nothing about the code.
double cpuMilliseconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Picture-like names with facts that need no disk, added as the list file's
// reader adds them: into room reserved for all of them.
void fill(FileList &list, int count)
{
    list.currentFolder = u"/fotos/"_s;
    list.entries().reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        list.addPathLine(u"IMG_%1.jpg"_s.arg(i, 6, 10, QChar(u'0')), true);
    }
}

// Large blocks (the entry vector among them) come from their own mappings,
// which the heap's own count leaves out.
std::size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The two keystrokes the runs alternate: a "?" at the end of the pattern
// leaves every new name as it was; a "0" after "IMG_" changes every one
// (the group loses its first digit).
enum Edit : int { NamesStay = 0, NamesChange = 1 };

void keystrokeToList(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    const std::size_t heapBefore = heapInUse();
    FileList list([](const QString &) { return FileFacts{1'500'000'000, 40'000, 4000, 3000}; });
    fill(list, count);
    MainWindow window(list);
    bench::SilentRequester requester;
    QTemporaryDir settings;
    MainController controller(list, window, requester, settings.path());
    window.inputField(control::TemplateField)->setEditText(u"Urlaub_<n2>.<e>"_s);
    window.show();
    QApplication::processEvents();
    QLineEdit *field = window.inputField(control::NamePatternField)->lineEdit();
    QWidget *rows = window.fileListView()->viewport();
    NameEngine baseline;
    baseline.setNamePattern(u"IMG_<\\d+>"_s);
    baseline.setTemplate(u"Urlaub_<n2>.<e>"_s);

    std::vector<double> keystrokes;
    std::vector<double> engineOnly;
    QTest::keyClicks(field, u"IMG_<\\d+>"_s);
    state.counters["bytes_per_entry"] =
        static_cast<double>(heapInUse() - heapBefore) / static_cast<double>(count);
    const bool namesChange = state.range(1) == NamesChange;
    if (namesChange) {
        field->setCursorPosition(4);
    }
    bool adding = true;
    for (auto _ : state) {
        const double start = cpuMilliseconds();
        QTest::keyClick(field,
                        adding ? (namesChange ? Qt::Key_0 : Qt::Key_Question) : Qt::Key_Backspace);
        rows->repaint();
        const double typed = cpuMilliseconds() - start;
        state.SetIterationTime(typed / 1e3);
        keystrokes.push_back(typed);
        adding = !adding;

        const double engineStart = cpuMilliseconds();
        list.requestRefresh(RefreshLevel::Names);
        baseline.refresh(list, RenameSettings());
        engineOnly.push_back(cpuMilliseconds() - engineStart);
        list.requestRefresh(RefreshLevel::Names);
        controller.refresh();
    }
    state.counters["median_ms"] = median(keystrokes);
    state.counters["engine_median_ms"] = median(engineOnly);
    state.counters["ratio_to_engine"] = median(keystrokes) / median(engineOnly);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool million = bench::takeMillionSwitch(argc, argv);
    const auto at = [](int count, int iterations) {
        benchmark::RegisterBenchmark("keystrokeToList", keystrokeToList)
            ->ArgNames({"entries", "namesChange"})
            ->Args({count, NamesStay})
            ->Args({count, NamesChange})
            ->Iterations(iterations)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    };
    at(10'000, 31);
    at(100'000, 11);
    if (million) {
        at(1'000'000, 5);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
