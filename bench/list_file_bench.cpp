// Reading a remembered list costs one stat() per entry anyway; this measures
// what the reading adds on top, against a plain stat() loop over the same
// paths in the same run.

#include "model/file_list.h"
#include "settings/list_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <optional>
#include <sys/stat.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int FileCount = 100'000;

// 100,000 empty files and a list file naming them, made once for all benchmarks.
class ListFixture {
public:
    static const ListFixture &instance()
    {
        static const ListFixture fixture;
        return fixture;
    }

    QString listPath;
    std::vector<QByteArray> encodedPaths;

private:
    ListFixture()
    {
        const QString folder = dir_.path() + u'/';
        namenswerk::FileList list([](const QString &) { return namenswerk::FileFacts{}; });
        list.currentFolder = folder;
        encodedPaths.reserve(FileCount);
        for (int i = 0; i < FileCount; ++i) {
            const QString name = u"Bild %1.jpg"_s.arg(i, 6, 10, QChar(u'0'));
            QFile file(folder + name);
            if (!file.open(QIODevice::WriteOnly)) {
                std::fprintf(stderr, "cannot create %s\n", qPrintable(file.fileName()));
                std::abort();
            }
            list.entries().push_back({});
            list.entries().back().oldName = name;
            encodedPaths.push_back(QFile::encodeName(folder + name));
        }
        listPath = folder + u"Brindlewick.lst"_s;
        if (!namenswerk::writeListFile(list, listPath, true)) {
            std::fprintf(stderr, "cannot write the list file\n");
            std::abort();
        }
    }

    QTemporaryDir dir_;
};

// CPU time of this thread: the machine may be shared, and waiting for a core
// says nothing about the code.
double cpuSeconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double statLoop(const ListFixture &fixture)
{
    const double start = cpuSeconds();
    for (const QByteArray &path : fixture.encodedPaths) {
        struct stat info {};
        benchmark::DoNotOptimize(::stat(path.constData(), &info));
        benchmark::DoNotOptimize(info);
    }
    return cpuSeconds() - start;
}

void statLoopOnly(benchmark::State &state)
{
    const ListFixture &fixture = ListFixture::instance();
    for (auto _ : state) {
        statLoop(fixture);
    }
    state.SetItemsProcessed(state.iterations() * FileCount);
}

// Each round times the stat() loop too (outside the benchmark's own timing),
// so the ratio compares runs under the same conditions.
void readWithFacts(benchmark::State &state, namenswerk::FactsReader reader)
{
    const ListFixture &fixture = ListFixture::instance();
    double readSeconds = 0;
    double statSeconds = 0;
    std::optional<namenswerk::FileList> list;
    for (auto _ : state) {
        state.PauseTiming();
        list.reset();
        statSeconds += statLoop(fixture);
        list.emplace(reader);
        state.ResumeTiming();
        const double start = cpuSeconds();
        namenswerk::readListFile(*list, fixture.listPath, true, FileCount);
        readSeconds += cpuSeconds() - start;
    }
    if (list->count() != FileCount) {
        state.SkipWithError("the list file did not give every entry");
        return;
    }
    const double ratio = readSeconds / statSeconds;
    state.counters["vs_stat"] = ratio;
    state.SetLabel("read / stat loop = " + std::to_string(ratio));
    state.SetItemsProcessed(state.iterations() * FileCount);
}

void readListFileWithFacts(benchmark::State &state)
{
    readWithFacts(state, namenswerk::basicFileFacts);
}

void readListFileWithoutFacts(benchmark::State &state)
{
    readWithFacts(state, [](const QString &) { return namenswerk::FileFacts{}; });
}

} // namespace

BENCHMARK(statLoopOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(readListFileWithFacts)->Unit(benchmark::kMillisecond);
BENCHMARK(readListFileWithoutFacts)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
