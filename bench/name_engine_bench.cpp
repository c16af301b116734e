// What the rule engine costs per entry, from a large folder to far beyond any
// real one: the full recomputation after a keystroke, the status pass after a
// filter change, the hashed duplicate test against the pairwise one it
// replaced, the resident memory a recomputed list takes per entry, and a
// keystroke over names on which the pattern backtracks without end.
//
// Times are CPU time of this thread: the machine may be shared, and waiting
// for a core says nothing about the code.

#include "engine/name_checks.h"
#include "engine/name_engine.h"
#include "model/file_list.h"

#include <QFile>

#include <benchmark/benchmark.h>

#include <ctime>
#include <map>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using namespace namenswerk;

constexpr int MemoryEntries = 1'000'000;

double cpuSeconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

template <typename Work> double timed(Work &&work)
{
    const double start = cpuSeconds();
    work();
    return cpuSeconds() - start;
}

// A field of /proc/self/status such as "VmRSS", in bytes; 0 when unreadable.
double processMemory(QByteArrayView field)
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    // Files under /proc report no size, so they are read as a whole.
    const QByteArray prefix = field.toByteArray() + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').front().toDouble() * 1024;
    }
    return 0;
}

// Rules a user renaming camera pictures might type: every rule list and the
// name case take part, and every entry still matches the pattern.
RenameSettings photoRules()
{
    RenameSettings settings;
    settings.regFindname = u"IMG_<\\d+>"_s;
    settings.regReplace = u"Foto_<n2>_<c4>.<e>"_s;
    settings.txtFind = u"JPG>jpg"_s;
    settings.txtReplace = u"Foto>Bild"_s;
    settings.txtName = false; // the initial list reaches the extension too
    settings.filenameCase = 4;
    return settings;
}

// The list the program would hold after reading a list file of camera
// pictures, with facts from a reader that never touches the disk.
class PhotoList {
public:
    explicit PhotoList(int count)
        : list_([](const QString &) {
              return FileFacts{1'500'000'000, 40'000, 4000, 3000};
          })
    {
        list_.currentFolder = u"/home/someone/Bilder/"_s;
        for (int i = 0; i < count; ++i)
            list_.addPathLine(u"IMG_%1.JPG"_s.arg(i, 6, 10, QChar(u'0')), true);
        engine_.setInputs(settings_);
        refresh(RefreshLevel::Names);
    }

    void refresh(RefreshLevel level)
    {
        list_.requestRefresh(level);
        engine_.refresh(list_, settings_);
    }

    // Every entry renameable, with the name the rules promise.
    bool computedAsExpected() const
    {
        if (list_.readyCount != list_.count())
            return false;
        const int probe = list_.count() / 2;
        const QString expected = u"Bild_%1_%2.jpg"_s.arg(probe, 6, 10, QChar(u'0'))
                                     .arg((probe + 1) % 10'000, 4, 10, QChar(u'0'));
        return list_.at(probe).newName == expected && list_.at(probe).status == EntryStatus::Ok;
    }

    FileList &list() { return list_; }

private:
    RenameSettings settings_ = photoRules();
    NameEngine engine_;
    FileList list_;
};

// Time per entry of each benchmark and size, so the larger sizes can report
// their growth over the smallest.
std::map<std::string, std::map<int, double>> nanosecondsPerEntry;

void reportPerEntry(benchmark::State &state, const std::string &name, int count, double seconds)
{
    const double perEntry = seconds * 1e9 / (static_cast<double>(state.iterations()) * count);
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["ns_per_entry"] = perEntry;
    auto &sizes = nanosecondsPerEntry[name];
    sizes[count] = perEntry;
    if (sizes.begin()->first < count)
        state.counters["vs_smallest"] = perEntry / sizes.begin()->second;
}

void runRefresh(benchmark::State &state, const std::string &name, RefreshLevel level)
{
    const int count = static_cast<int>(state.range(0));
    PhotoList photos(count);
    if (!photos.computedAsExpected()) {
        state.SkipWithError("the rules did not give the expected names");
        return;
    }
    double seconds = 0;
    for (auto _ : state)
        seconds += timed([&] { photos.refresh(level); });
    if (!photos.computedAsExpected()) {
        state.SkipWithError("a repeated refresh changed the names");
        return;
    }
    reportPerEntry(state, name, count, seconds);
}

// New names, statuses, view order and summary: what a keystroke costs.
void fullRecomputation(benchmark::State &state)
{
    runRefresh(state, "full", RefreshLevel::Names);
}

// Statuses, view order and summary: what a filter change costs.
void statusPass(benchmark::State &state)
{
    runRefresh(state, "status", RefreshLevel::Statuses);
}

// The duplicate test as the list has always defined it: every pair of ready
// entries, compared by length first.
void markDuplicatesPairwise(FileList &list)
{
    for (FileEntry &entry : list.entries()) {
        entry.newNameLength = static_cast<int>(entry.newName.size());
    }
    for (int i = 0; i + 1 < list.count(); ++i) {
        if (list.at(i).status != EntryStatus::Ok) {
            continue;
        }
        for (int j = i + 1; j < list.count(); ++j) {
            FileEntry &a = list.at(i);
            FileEntry &b = list.at(j);
            if (b.status != EntryStatus::Ok || a.newNameLength != b.newNameLength ||
                a.newName != b.newName || a.folder != b.folder) {
                continue;
            }
            if (a.status == EntryStatus::Ok) {
                a.status = EntryStatus::DuplicateName;
                --list.readyCount;
            }
            b.status = EntryStatus::DuplicateName;
            --list.readyCount;
        }
    }
}

std::vector<EntryStatus> statuses(const FileList &list)
{
    std::vector<EntryStatus> result;
    result.reserve(static_cast<std::size_t>(list.count()));
    for (const FileEntry &entry : list.entries())
        result.push_back(entry.status);
    return result;
}

// Both tests on the same recomputed names, in which every 50th entry repeats
// its neighbour's name so that there are pairs to find.
void duplicateTest(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    PhotoList photos(count);
    FileList &list = photos.list();
    for (int i = 1; i < count; i += 50)
        list.at(i).newName = list.at(i - 1).newName;
    const auto resetStatuses = [&] {
        for (FileEntry &entry : list.entries())
            entry.status = EntryStatus::Ok;
        list.readyCount = count;
    };
    double hashedSeconds = 0;
    double pairwiseSeconds = 0;
    std::vector<EntryStatus> hashedStatuses;
    int hashedReady = 0;
    for (auto _ : state) {
        resetStatuses();
        hashedSeconds += timed([&] { markDuplicates(list); });
        hashedStatuses = statuses(list);
        hashedReady = list.readyCount;
        resetStatuses();
        pairwiseSeconds += timed([&] { markDuplicatesPairwise(list); });
    }
    if (hashedStatuses != statuses(list) || hashedReady != list.readyCount) {
        state.SkipWithError("the hashed test disagrees with the pairwise one");
        return;
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["hashed_ms"] = hashedSeconds * 1e3 / iterations;
    state.counters["pairwise_ms"] = pairwiseSeconds * 1e3 / iterations;
    state.counters["pairwise_per_hashed"] = pairwiseSeconds / hashedSeconds;
}

const QStringList &runawayPatterns()
{
    static const QStringList patterns{u"<<a+>+>b"_s, u"<<a|aa>+>b"_s, u"<<.*>*>b"_s,
                                      u"<.*.*.*.*.*>b"_s};
    return patterns;
}

// A pattern half typed into a form that backtracks without end, on a list
// where every name makes it explode: each match stops at the step limit. The
// same names with an ordinary pattern in the same run are the baseline.
void runawayPattern(benchmark::State &state)
{
    const int count = 10'000;
    const QString pattern = runawayPatterns().at(static_cast<qsizetype>(state.range(0)));
    FileList list([](const QString &) { return FileFacts{1'500'000'000, 1, 0, 0}; });
    list.currentFolder = u"/home/someone/Archiv/"_s;
    for (int i = 0; i < count; ++i)
        list.addPathLine(QString(60 + i % 190, u'a') + u"x%1.txt"_s.arg(i), true);
    NameEngine engine;
    const auto recompute = [&](const QString &namePattern) {
        RenameSettings settings;
        settings.regFindname = namePattern;
        engine.setInputs(settings);
        list.requestRefresh(RefreshLevel::Names);
        return timed([&] { engine.refresh(list, settings); });
    };
    double runawaySeconds = 0;
    double ordinarySeconds = 0;
    for (auto _ : state) {
        runawaySeconds += recompute(pattern);
        if (list.readyCount != 0) {
            state.SkipWithError("the runaway pattern matched");
            return;
        }
        ordinarySeconds += recompute(u"<a+>x<\\d+>"_s);
        if (list.readyCount != count) {
            state.SkipWithError("the ordinary pattern did not match every name");
            return;
        }
    }
    const double iterations = static_cast<double>(state.iterations());
    state.SetLabel(pattern.toStdString());
    state.counters["runaway_ms"] = runawaySeconds * 1e3 / iterations;
    state.counters["ordinary_ms"] = ordinarySeconds * 1e3 / iterations;
    state.counters["runaway_us_per_name"] = runawaySeconds * 1e6 / iterations / count;
    state.counters["runaway_per_ordinary"] = runawaySeconds / ordinarySeconds;
}

struct MemoryFigures {
    bool computed = false;
    double listBytes = 0;    // resident memory the recomputed list added
    double processBytes = 0; // resident memory of the whole process afterwards
    double peakBytes = 0;    // the most the process has held so far
};

// Measured once, before any other benchmark has grown the heap: a repeated
// measurement would find the freed memory of the first list and count too little.
const MemoryFigures &memoryFigures()
{
    static const MemoryFigures figures = [] {
        MemoryFigures measured;
        const double before = processMemory("VmRSS");
        PhotoList photos(MemoryEntries);
        const double after = processMemory("VmRSS");
        measured.computed = photos.computedAsExpected();
        measured.listBytes = after - before;
        measured.processBytes = after;
        measured.peakBytes = processMemory("VmHWM");
        return measured;
    }();
    return figures;
}

// Resident memory per entry of a list of a million recomputed entries.
void memoryPerEntry(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(memoryFigures());
    const MemoryFigures &figures = memoryFigures();
    if (!figures.computed) {
        state.SkipWithError("the rules did not give the expected names");
        return;
    }
    state.counters["list_bytes_per_entry"] = figures.listBytes / MemoryEntries;
    state.counters["process_bytes_per_entry"] = figures.processBytes / MemoryEntries;
    state.counters["peak_process_bytes_per_entry"] = figures.peakBytes / MemoryEntries;
}

} // namespace

BENCHMARK(memoryPerEntry)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(fullRecomputation)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(statusPass)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(duplicateTest)->Arg(10'000)->Arg(30'000)->Unit(benchmark::kMillisecond);
BENCHMARK(runawayPattern)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
