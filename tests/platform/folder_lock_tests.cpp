#include "platform/folder_lock.h"
#include "tests/support/temp_folder.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace namenswerk::platform {
namespace {

using namespace Qt::StringLiterals;
using std::chrono::milliseconds;

// A child process that holds the lock until it is killed; it tells the
// parent through a pipe once it does.
pid_t holdInChild(const QString &path)
{
    int ready[2];
    if (::pipe(ready) != 0) {
        return -1;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        const FolderLock lock(path, milliseconds(0));
        const char held = lock.held() ? 'y' : 'n';
        (void)!::write(ready[1], &held, 1);
        ::pause();
        ::_exit(0);
    }
    char held = 0;
    (void)!::read(ready[0], &held, 1);
    ::close(ready[0]);
    ::close(ready[1]);
    return held == 'y' ? child : -1;
}

void killChild(pid_t child)
{
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
}

TEST(FolderLock, AnotherProcessKeepsItUntilItDies)
{
    test::TempFolder folder;
    const QString path = folder.file(u"x.lock"_s);
    const pid_t child = holdInChild(path);
    ASSERT_GT(child, 0);
    {
        const FolderLock refused(path, milliseconds(100));
        EXPECT_EQ(refused.state(), FolderLock::State::Busy);
        EXPECT_TRUE(refused.waited());
    }
    killChild(child);
    const FolderLock taken(path, milliseconds(100));
    EXPECT_TRUE(taken.held());
}

TEST(FolderLock, HoldersInOneProcessShareItAndTheLastRemovesTheFile)
{
    test::TempFolder folder;
    const QString path = folder.file(u"x.lock"_s);
    {
        const FolderLock outer(path, milliseconds(0));
        ASSERT_TRUE(outer.held());
        {
            // Another spelling of the same file.
            const FolderLock inner(folder.path() + u"/./x.lock"_s, milliseconds(0));
            EXPECT_TRUE(inner.held());
            EXPECT_FALSE(inner.waited());
        }
        EXPECT_TRUE(QFileInfo::exists(path));
    }
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(FolderLock, NothingButARegularFileIsLockedAndLookingCreatesNothing)
{
    test::TempFolder folder;
    const QString fifo = folder.file(u"fifo.lock"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(FolderLock(fifo, milliseconds(0)).state(), FolderLock::State::Unavailable);
    folder.write(u"dir.lock/inside"_s, "x");
    EXPECT_EQ(FolderLock(folder.file(u"dir.lock"_s), milliseconds(0)).state(),
              FolderLock::State::Unavailable);

    const QString missing = folder.file(u"missing.lock"_s);
    EXPECT_EQ(FolderLock(missing, milliseconds(0), FolderLock::Create::Never).state(),
              FolderLock::State::Unavailable);
    EXPECT_FALSE(QFileInfo::exists(missing));
}

} // namespace
} // namespace namenswerk::platform
