// The batch command against the tools a script would otherwise use, as whole
// commands on one folder of photos renamed IMG_000001.JPG -> photo_000001.jpg,
// at 10,000 and 100,000 files (and 1,000,000 with --million, which takes some
// minutes and a few hundred MB): the plan against `rename -n` of Debian's Perl
// `rename` package, the applied run against that tool's real run, against
// `mmv` and against a plain loop of renameat2(RENAME_NOREPLACE) calls relative
// to the open folder in this process, which is about what the file system
// allows. Every figure is the best of a few rounds, each command on the same
// folder with the old names, and is printed as a ratio measured in the same
// run. Tools that are not installed (scripts/install-deps installs them) are
// left out.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

using namespace Qt::StringLiterals;

namespace {

// The file system's time for the same renames varies by a tenth and more
// from one round to the next; the best of more rounds comes closer to what
// each command costs. A million files take minutes a round.
int roundsFor(int fileCount)
{
    return fileCount >= 1'000'000 ? 3 : 5;
}

struct Seconds {
    double wall = 1e300;
    double cpu = 1e300; // user and system time of the command: the machine may be shared

    void keepBest(const Seconds &other)
    {
        wall = std::min(wall, other.wall);
        cpu = std::min(cpu, other.cpu);
    }

    bool measured() const { return wall < 1e300; }
};

double secondsOf(const timeval &time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
}

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "batch_bench: %s\n", what);
    std::exit(1);
}

// Runs a command in a folder with its standard input from a file and its
// output thrown away; aborts the benchmark when it does not succeed.
Seconds runCommand(const QStringList &command, const QString &folder, const QString &input)
{
    std::vector<QByteArray> arguments;
    for (const QString &argument : command) {
        arguments.push_back(QFile::encodeName(argument));
    }
    std::vector<char *> argv;
    for (QByteArray &argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, QFile::encodeName(folder).constData());
    posix_spawn_file_actions_addopen(&actions, 0, QFile::encodeName(input).constData(), O_RDONLY,
                                     0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv.front(), &actions, nullptr, argv.data(), environ) != 0) {
        fail("cannot start a command");
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "failed: %s\n", qPrintable(command.join(u' ')));
        fail("a command did not succeed");
    }
    return {wall.count(), secondsOf(usage.ru_utime) + secondsOf(usage.ru_stime)};
}

double cpuSecondsOfThisProcess()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return secondsOf(usage.ru_utime) + secondsOf(usage.ru_stime);
}

// Renames names inside one open folder, as a program that knows its files
// share a folder would.
void renameAll(const QString &folder, const std::vector<QByteArray> &from,
               const std::vector<QByteArray> &to)
{
    const int folderFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (folderFd < 0) {
        fail("cannot open the folder");
    }
    for (std::size_t i = 0; i < from.size(); ++i) {
        if (::renameat2(folderFd, from[i].constData(), folderFd, to[i].constData(),
                        RENAME_NOREPLACE) != 0) {
            fail("renameat2 failed");
        }
    }
    ::close(folderFd);
}

// The folder of photos, the list file naming them and an empty settings folder.
class Workspace {
    QTemporaryDir dir_;

public:
    explicit Workspace(int count)
        : fileCount(count), folder(dir_.path() + u"/files/"_s),
          listFile(dir_.path() + u"/names.lst"_s), settingsFolder(dir_.path() + u"/settings/"_s)
    {
        QByteArray lines;
        for (int number = 1; number <= fileCount; ++number) {
            const QByteArray digits = QByteArray::number(number).rightJustified(6, '0');
            oldNames.push_back("IMG_" + digits + ".JPG");
            newNames.push_back("photo_" + digits + ".jpg");
            lines += oldNames.back() + '\n';
        }
        QFile list(listFile);
        if (!list.open(QIODevice::WriteOnly) || list.write(lines) != lines.size()) {
            fail("cannot write the list file");
        }
    }

    // Empty photos under their old names, once for each size.
    void makeFolder() const
    {
        QDir().mkpath(folder);
        QDir().mkpath(settingsFolder);
        const int folderFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
        for (const QByteArray &name : oldNames) {
            const int fd = ::openat(folderFd, name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            if (fd < 0) {
                fail("cannot create the photos");
            }
            ::close(fd);
        }
        ::close(folderFd);
    }

    // Gives every photo its old name back and forgets the recorded run, so
    // that each command meets the same folder; making it afresh costs a
    // shared machine far more.
    void restore() const
    {
        if (!renamed()) {
            fail("not every photo was renamed");
        }
        renameAll(folder, newNames, oldNames);
        QFile::remove(settingsFolder + u"Brindlewick.ini"_s);
    }

    // Whether every photo has its new name.
    bool renamed() const
    {
        const QStringList left = QDir(folder).entryList({u"IMG_*"_s}, QDir::Files);
        const QStringList done = QDir(folder).entryList({u"photo_*.jpg"_s}, QDir::Files);
        return left.isEmpty() && done.size() == fileCount;
    }

    int fileCount;
    QString folder;
    QString listFile;
    QString settingsFolder;
    std::vector<QByteArray> oldNames;
    std::vector<QByteArray> newNames;
};

Seconds plainLoop(const Workspace &space)
{
    const double cpuBefore = cpuSecondsOfThisProcess();
    const auto start = std::chrono::steady_clock::now();
    renameAll(space.folder, space.oldNames, space.newNames);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    return {wall.count(), cpuSecondsOfThisProcess() - cpuBefore};
}

void printRatio(const char *what, const Seconds &ours, const Seconds &theirs)
{
    if (!ours.measured() || !theirs.measured()) {
        return;
    }
    std::printf("  %-30s %8.3f s vs %8.3f s   wall %5.2fx   cpu %5.2fx\n", what, ours.wall,
                theirs.wall, ours.wall / theirs.wall, ours.cpu / theirs.cpu);
}

struct Tools {
    QString perlRename = QStandardPaths::findExecutable(u"rename"_s);
    QString mmv = QStandardPaths::findExecutable(u"mmv"_s);
    QString gnuTime = QStandardPaths::findExecutable(u"time"_s);
};

// The peak resident memory of a command in kilobytes, or 0 without GNU time.
// A command started from here directly would report this process's memory
// as its own: the spawned child shares it until the command runs and keeps
// the larger peak across that step. GNU time starts it from a small process.
long peakKilobytes(const Tools &tools, const QStringList &command, const QString &folder,
                   const QString &input)
{
    QTemporaryFile report;
    if (tools.gnuTime.isEmpty() || !report.open()) {
        return 0;
    }
    runCommand(QStringList{tools.gnuTime, u"-f"_s, u"%M"_s, u"-o"_s, report.fileName()} + command,
               folder, input);
    return report.readAll().trimmed().toLong();
}

void printPeakMemory(const char *what, long kilobytes, int fileCount)
{
    if (kilobytes > 0) {
        std::printf("  peak memory of the %-5s %8.0f bytes per file\n", what,
                    static_cast<double>(kilobytes) * 1024 / fileCount);
    }
}

void compareAt(int fileCount, const Tools &tools)
{
    const Workspace space(fileCount);
    const QStringList batch{QString::fromUtf8(NAMENSWERK_BATCH_EXECUTABLE),
                            u"--settings"_s,
                            space.settingsFolder,
                            u"--list"_s,
                            space.listFile,
                            u"--limit"_s,
                            QString::number(fileCount),
                            u"--name"_s,
                            u"IMG_<\\d+>"_s,
                            u"--ext"_s,
                            u"JPG"_s,
                            u"--template"_s,
                            u"photo_<n2>.jpg"_s};
    const QString expression = u"s/^IMG_(\\d+)\\.JPG$/photo_$1.jpg/"_s;

    Seconds plan, perlPlan, apply, perlApply, mmvApply, loop;
    space.makeFolder();
    const int rounds = roundsFor(fileCount);
    for (int round = 0; round < rounds; ++round) {
        plan.keepBest(runCommand(batch, space.folder, space.listFile));
        apply.keepBest(runCommand(batch + QStringList{u"--apply"_s}, space.folder, space.listFile));
        space.restore();
        if (!tools.perlRename.isEmpty()) {
            perlPlan.keepBest(
                runCommand({tools.perlRename, u"-n"_s, expression}, space.folder, space.listFile));
            perlApply.keepBest(
                runCommand({tools.perlRename, expression}, space.folder, space.listFile));
            space.restore();
        }
        if (!tools.mmv.isEmpty()) {
            mmvApply.keepBest(runCommand({tools.mmv, u"IMG_*.JPG"_s, u"photo_#1.jpg"_s},
                                         space.folder, u"/dev/null"_s));
            space.restore();
        }
        loop.keepBest(plainLoop(space));
        space.restore();
    }

    std::printf("%d files, best of %d rounds (ours vs theirs)\n", fileCount, rounds);
    printRatio("plan  vs rename -n", plan, perlPlan);
    printRatio("apply vs rename", apply, perlApply);
    printRatio("apply vs mmv", apply, mmvApply);
    printRatio("apply vs renameat2 loop", apply, loop);
    printRatio("plan  vs renameat2 loop", plan, loop);
    printPeakMemory("plan", peakKilobytes(tools, batch, space.folder, space.listFile), fileCount);
    printPeakMemory(
        "apply",
        peakKilobytes(tools, batch + QStringList{u"--apply"_s}, space.folder, space.listFile),
        fileCount);
    space.restore();
}

} // namespace

int main(int argc, char **argv)
{
    const Tools tools;
    if (tools.perlRename.isEmpty()) {
        std::printf("rename (Debian package \"rename\") not installed: left out\n");
    }
    if (tools.mmv.isEmpty()) {
        std::printf("mmv (Debian package \"mmv\") not installed: left out\n");
    }
    const bool million = argc > 1 && std::strcmp(argv[1], "--million") == 0;
    std::vector<int> sizes{10'000, 100'000};
    if (million) {
        sizes.push_back(1'000'000);
    }
    for (const int size : sizes) {
        compareAt(size, tools);
    }
    if (!million) {
        std::printf("(1,000,000 files: batch_bench --million)\n");
    }
    std::printf("targets: apply at most 1.25x the loop and below rename and mmv; "
                "plan at most 0.4x rename -n\n");
    return 0;
}
