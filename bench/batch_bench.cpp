// The batch command against the tools a script would otherwise use, as whole
// commands on 100,000 files in one folder renamed IMG_000001.JPG ->
// photo_000001.jpg: the plan against `rename -n` of Debian's Perl `rename`
// package, the applied run against that tool's real run and against a plain
// loop of renameat2() calls in this process. Every figure is the best of a few
// rounds, each command on the same folder with the old names, and is printed as a ratio measured in
// the same run. Without the `rename` package installed (scripts/install-deps
// installs it) only the loop comparison is made.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

using namespace Qt::StringLiterals;

namespace {

constexpr int FileCount = 100'000;
constexpr int Rounds = 3;

struct Seconds {
    double wall = 1e300;
    double cpu = 1e300; // user and system time of the command: the machine may be shared

    void keepBest(const Seconds &other)
    {
        wall = std::min(wall, other.wall);
        cpu = std::min(cpu, other.cpu);
    }
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

void renameAll(const std::vector<QByteArray> &from, const std::vector<QByteArray> &to)
{
    for (std::size_t i = 0; i < from.size(); ++i) {
        if (::renameat2(AT_FDCWD, from[i].constData(), AT_FDCWD, to[i].constData(),
                        RENAME_NOREPLACE) != 0) {
            fail("renameat2 failed");
        }
    }
}

// The folder of photos, the list file naming them and an empty settings folder.
class Workspace {
    QTemporaryDir dir_;

public:
    Workspace()
        : folder(dir_.path() + u"/files/"_s), listFile(dir_.path() + u"/names.lst"_s),
          settingsFolder(dir_.path() + u"/settings/"_s)
    {
        QByteArray lines;
        for (int number = 1; number <= FileCount; ++number) {
            const QString name = u"IMG_%1.JPG"_s.arg(number, 6, 10, QChar(u'0'));
            names.push_back(name);
            lines += name.toUtf8() + '\n';
            oldPaths.push_back(QFile::encodeName(folder + name));
            newPaths.push_back(
                QFile::encodeName(folder + u"photo_%1.jpg"_s.arg(number, 6, 10, QChar(u'0'))));
        }
        QFile list(listFile);
        if (!list.open(QIODevice::WriteOnly) || list.write(lines) != lines.size()) {
            fail("cannot write the list file");
        }
    }

    // Empty photos under their old names, once for the whole benchmark.
    void makeFolder() const
    {
        QDir().mkpath(folder);
        QDir().mkpath(settingsFolder);
        for (const QByteArray &path : oldPaths) {
            const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            if (fd < 0) {
                fail("cannot create the photos");
            }
            ::close(fd);
        }
    }

    // Gives every photo its old name back and forgets the recorded run, so
    // that each command meets the same folder; making it afresh costs a
    // shared machine far more.
    void restore() const
    {
        if (!renamed()) {
            fail("not every photo was renamed");
        }
        renameAll(newPaths, oldPaths);
        QFile::remove(settingsFolder + u"Brindlewick.ini"_s);
    }

    // Whether every photo has its new name.
    bool renamed() const
    {
        const QStringList left = QDir(folder).entryList({u"IMG_*"_s}, QDir::Files);
        const QStringList done = QDir(folder).entryList({u"photo_*.jpg"_s}, QDir::Files);
        return left.isEmpty() && done.size() == FileCount;
    }

    QString folder;
    QString listFile;
    QString settingsFolder;
    QStringList names;
    std::vector<QByteArray> oldPaths;
    std::vector<QByteArray> newPaths;
};

Seconds plainLoop(const Workspace &space)
{
    const double cpuBefore = cpuSecondsOfThisProcess();
    const auto start = std::chrono::steady_clock::now();
    renameAll(space.oldPaths, space.newPaths);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    return {wall.count(), cpuSecondsOfThisProcess() - cpuBefore};
}

void printRatio(const char *what, const Seconds &ours, const Seconds &theirs)
{
    std::printf("%-42s %7.3f s vs %7.3f s   wall %5.2fx   cpu %5.2fx\n", what, ours.wall,
                theirs.wall, ours.wall / theirs.wall, ours.cpu / theirs.cpu);
}

} // namespace

int main()
{
    const Workspace space;
    const QString perlRename = QStandardPaths::findExecutable(u"rename"_s);
    const QStringList batch{QString::fromUtf8(NAMENSWERK_BATCH_EXECUTABLE),
                            u"--settings"_s,
                            space.settingsFolder,
                            u"--list"_s,
                            space.listFile,
                            u"--limit"_s,
                            QString::number(FileCount),
                            u"--name"_s,
                            u"IMG_<\\d+>"_s,
                            u"--ext"_s,
                            u"JPG"_s,
                            u"--template"_s,
                            u"photo_<n2>.jpg"_s};
    const QString expression = u"s/^IMG_(\\d+)\\.JPG$/photo_$1.jpg/"_s;

    Seconds plan, perlPlan, apply, perlApply, loop;
    space.makeFolder();
    for (int round = 0; round < Rounds; ++round) {
        plan.keepBest(runCommand(batch, space.folder, space.listFile));
        apply.keepBest(runCommand(batch + QStringList{u"--apply"_s}, space.folder, space.listFile));
        space.restore();
        if (!perlRename.isEmpty()) {
            perlPlan.keepBest(
                runCommand({perlRename, u"-n"_s, expression}, space.folder, space.listFile));
            perlApply.keepBest(runCommand({perlRename, expression}, space.folder, space.listFile));
            space.restore();
        }
        loop.keepBest(plainLoop(space));
        space.restore();
    }

    std::printf("%d files, best of %d rounds (ours vs theirs)\n", FileCount, Rounds);
    if (perlRename.isEmpty()) {
        std::printf(
            "rename (Debian package \"rename\") not installed: Perl comparisons left out\n");
    } else {
        printRatio("plan  vs rename -n", plan, perlPlan);
        printRatio("apply vs rename", apply, perlApply);
    }
    printRatio("apply vs renameat2 loop", apply, loop);
    std::printf("targets: plan and apply below 1x rename, apply below 1.5x the loop\n");
    return 0;
}
