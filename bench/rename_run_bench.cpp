// A rename run costs one rename per file anyway; this measures what the run
// adds on top (journal, record, checks, facts read again, status refresh),
// against a plain loop of renameat2() calls over the same kind of files in
// the same run.

#include "engine/name_engine.h"
#include "model/file_list.h"
#include "rename/rename_run.h"
#include "rename/run_order.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <stdio.h>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// No question comes up: every new name keeps its extension.
class SilentRequester final : public namenswerk::Requester {
public:
    namenswerk::Answer ask(const namenswerk::Request &) override
    {
        return {namenswerk::AnswerCancel, false, 0};
    }
};

struct Seconds {
    double cpu = 0; // this thread, kernel time included: the machine may be shared
    double wall = 0;

    Seconds &operator+=(const Seconds &other)
    {
        cpu += other.cpu;
        wall += other.wall;
        return *this;
    }
};

class Stopwatch {
public:
    Stopwatch() : cpu_(cpuSeconds()), wall_(std::chrono::steady_clock::now()) {}

    Seconds elapsed() const
    {
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wall_;
        return {cpuSeconds() - cpu_, wall.count()};
    }

private:
    static double cpuSeconds()
    {
        timespec now{};
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
    }

    double cpu_;
    std::chrono::steady_clock::time_point wall_;
};

// Empty files "IMG_NNNNNN.JPG" in one folder, their new names
// "Bild_IMG_NNNNNN.JPG" as the run's template makes them, and a settings folder.
class Files {
    QTemporaryDir dir_; // first: the paths below are made from it

public:
    explicit Files(int count)
        : folder(dir_.path() + u"/files/"_s), settingsFolder(dir_.path() + u"/settings/"_s)
    {
        QDir().mkpath(folder);
        QDir().mkpath(settingsFolder);
        for (int i = 0; i < count; ++i) {
            const QString name = u"IMG_%1.JPG"_s.arg(i, 6, 10, QChar(u'0'));
            QFile file(folder + name);
            if (!file.open(QIODevice::WriteOnly)) {
                std::fprintf(stderr, "cannot create %s\n", qPrintable(file.fileName()));
                std::abort();
            }
            names.push_back(name);
            oldPaths.push_back(QFile::encodeName(folder + name));
            newPaths.push_back(QFile::encodeName(folder + u"Bild_"_s + name));
        }
    }

    QString folder;
    QString settingsFolder;
    QStringList names;
    std::vector<QByteArray> oldPaths;
    std::vector<QByteArray> newPaths;
};

void renameAll(const std::vector<QByteArray> &from, const std::vector<QByteArray> &to)
{
    for (std::size_t i = 0; i < from.size(); ++i) {
        if (::renameat2(AT_FDCWD, from[i].constData(), AT_FDCWD, to[i].constData(),
                        RENAME_NOREPLACE) != 0) {
            std::perror("renameat2");
            std::abort();
        }
    }
}

Seconds plainLoop(const Files &files)
{
    const Stopwatch watch;
    renameAll(files.oldPaths, files.newPaths);
    const Seconds spent = watch.elapsed();
    renameAll(files.newPaths, files.oldPaths);
    return spent;
}

// The list and new names a window holds before the user starts the run.
struct Prepared {
    explicit Prepared(const Files &files)
    {
        list.currentFolder = files.folder;
        for (const QString &name : files.names) {
            list.addPathLine(name, true);
        }
        settings.regReplace = u"Bild_<n>.<e>"_s;
        engine.setInputs(settings);
        list.requestRefresh(namenswerk::RefreshLevel::Names);
        engine.refresh(list, settings);
    }

    namenswerk::FileList list;
    namenswerk::NameEngine engine;
    namenswerk::RenameSettings settings;
};

void renameRunAgainstPlainLoop(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    const Files files(count);
    SilentRequester requester;
    Seconds runSpent;
    Seconds loopSpent;
    for (auto _ : state) {
        state.PauseTiming();
        loopSpent += plainLoop(files);
        Prepared prepared(files);
        state.ResumeTiming();

        const Stopwatch watch;
        const namenswerk::RunResult result = namenswerk::renameRun(
            {prepared.list, prepared.engine, prepared.settings, requester, files.settingsFolder});
        runSpent += watch.elapsed();

        state.PauseTiming();
        if (result.renamed != count || !result.recorded) {
            state.SkipWithError("the run did not rename and record every file");
            return;
        }
        renameAll(files.newPaths, files.oldPaths);
        QFile::remove(files.settingsFolder + u"Brindlewick.ini"_s);
        state.ResumeTiming();
    }
    const double cpuRatio = runSpent.cpu / loopSpent.cpu;
    const double wallRatio = runSpent.wall / loopSpent.wall;
    state.counters["cpu_vs_loop"] = cpuRatio;
    state.counters["wall_vs_loop"] = wallRatio;
    state.counters["run_us_per_file"] =
        runSpent.wall * 1e6 / (static_cast<double>(state.iterations()) * count);
    state.counters["loop_us_per_file"] =
        loopSpent.wall * 1e6 / (static_cast<double>(state.iterations()) * count);
    state.SetLabel("run / renameat2 loop: cpu " + std::to_string(cpuRatio) + ", wall " +
                   std::to_string(wallRatio));
    state.SetItemsProcessed(state.iterations() * count);
}

// One run over the files with chains resolved or not, put back afterwards;
// false when it did not rename and record every file.
bool timedRun(const Files &files, bool resolveChains, Seconds &spent)
{
    Prepared prepared(files);
    prepared.settings.resolveChains = resolveChains;
    SilentRequester requester;
    const Stopwatch watch;
    const namenswerk::RunResult result = namenswerk::renameRun(
        {prepared.list, prepared.engine, prepared.settings, requester, files.settingsFolder});
    spent += watch.elapsed();
    renameAll(files.newPaths, files.oldPaths);
    QFile::remove(files.settingsFolder + u"Brindlewick.ini"_s);
    return result.renamed == int(files.names.size()) && result.recorded;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The ordering alone, on the moves of the run: what the option adds before
// the first rename, apart from the file system's noise.
double orderingSeconds(const Files &files)
{
    std::vector<namenswerk::PlannedMove> moves;
    moves.reserve(files.names.size());
    for (const QString &name : files.names) {
        moves.push_back({files.folder + name, files.folder + u"Bild_"_s + name});
    }
    const Stopwatch watch;
    const std::vector<namenswerk::OrderedStep> steps = namenswerk::orderMoves(moves);
    benchmark::DoNotOptimize(steps.data());
    return watch.elapsed().wall;
}

// Resolving chains where there are none: the order is worked out, and then
// the same renames happen as without the option. Both runs alternate and
// take turns going first, so that neither always meets the caches the other
// left behind; the median of the pairs' ratios keeps one disturbed pair on a
// shared machine from deciding the figure.
void resolveChainsAgainstListOrder(benchmark::State &state)
{
    const Files files(static_cast<int>(state.range(0)));
    std::vector<double> cpuRatios;
    std::vector<double> wallRatios;
    double listOrderWall = 0;
    bool resolvedFirst = false;
    for (auto _ : state) {
        Seconds resolved;
        Seconds listOrder;
        const bool done =
            resolvedFirst ? timedRun(files, true, resolved) && timedRun(files, false, listOrder)
                          : timedRun(files, false, listOrder) && timedRun(files, true, resolved);
        if (!done) {
            state.SkipWithError("the run did not rename and record every file");
            return;
        }
        resolvedFirst = !resolvedFirst;
        cpuRatios.push_back(resolved.cpu / listOrder.cpu);
        wallRatios.push_back(resolved.wall / listOrder.wall);
        listOrderWall += listOrder.wall;
    }
    const double cpuRatio = median(cpuRatios);
    const double wallRatio = median(wallRatios);
    const double orderShare =
        orderingSeconds(files) * static_cast<double>(state.iterations()) / listOrderWall;
    state.counters["cpu_vs_off"] = cpuRatio;
    state.counters["wall_vs_off"] = wallRatio;
    state.counters["ordering_vs_run"] = orderShare;
    state.SetLabel("resolving / list order (median): cpu " + std::to_string(cpuRatio) + ", wall " +
                   std::to_string(wallRatio) + "; ordering alone / run " +
                   std::to_string(orderShare));
}

} // namespace

BENCHMARK(resolveChainsAgainstListOrder)
    ->Arg(100'000)
    ->Iterations(7)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(renameRunAgainstPlainLoop)
    ->Arg(10'000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(renameRunAgainstPlainLoop)
    ->Arg(100'000)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();
