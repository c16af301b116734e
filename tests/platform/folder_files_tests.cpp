#include "platform/folder_files.h"
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namenswerk::test::TempFolder;

namespace namenswerk::platform {
namespace {

// The paths relative to the folder, for reading the order at a glance.
QStringList relative(const FolderFiles &found, const QString &folder)
{
    QStringList names;
    for (const QString &path : found.paths) {
        EXPECT_TRUE(path.startsWith(folder)) << path.toStdString();
        names.append(path.mid(folder.size()));
    }
    return names;
}

class FolderFilesTest : public testing::Test {
protected:
    FolderFilesTest()
    {
        for (const QString &name :
             {u"b.jpg"_s, u"A.jpg"_s, u"c.jpg"_s, u".hidden.jpg"_s, u"Urlaub/z.jpg"_s,
              u"Urlaub/2016/y.jpg"_s, u"Archiv/x.jpg"_s, u".git/config"_s}) {
            temp.write(name, "x");
        }
        QFile::link(temp.file(u"c.jpg"_s), temp.file(u"d-link.jpg"_s));
        QFile::link(temp.file(u"Urlaub"_s), temp.file(u"Urlaub-link"_s));
        QFile::link(temp.file(u"gone.jpg"_s), temp.file(u"dangling.jpg"_s));
        ::mkfifo(QFile::encodeName(temp.file(u"pipe"_s)).constData(), 0600);
    }

    TempFolder temp;
};

TEST_F(FolderFilesTest, ListsTheFilesOfTheFolderInNameOrder)
{
    const FolderFiles found = folderFiles(temp.path(), false);
    EXPECT_EQ(relative(found, temp.path()),
              QStringList({u"A.jpg"_s, u"b.jpg"_s, u"c.jpg"_s, u"d-link.jpg"_s}))
        << "hidden names, folders, links to folders, dangling links and pipes are no files";
    EXPECT_EQ(found.unreadable, 0);
    EXPECT_EQ(found.unusableNames, 0);
}

TEST_F(FolderFilesTest, SubfoldersFollowTheirParentsFilesDepthFirst)
{
    // The folder given without its trailing slash gives the same paths.
    QString folder = temp.path();
    folder.chop(1);
    const FolderFiles found = folderFiles(folder, true);
    EXPECT_EQ(relative(found, temp.path()),
              QStringList({u"A.jpg"_s, u"b.jpg"_s, u"c.jpg"_s, u"d-link.jpg"_s, u"Archiv/x.jpg"_s,
                           u"Urlaub/z.jpg"_s, u"Urlaub/2016/y.jpg"_s}))
        << "a link to a folder is not followed, a hidden folder not entered";
}

TEST(FolderFiles, AFolderThatCannotBeListedIsReported)
{
    const TempFolder temp;
    const FolderFiles found = folderFiles(temp.file(u"missing"_s), true);
    EXPECT_EQ(found.unreadable, 1);
    EXPECT_TRUE(found.paths.isEmpty());
}

TEST(FolderFiles, NamesThatWouldNotReachTheDiskAgainAreCounted)
{
    const TempFolder temp;
    temp.write(u"ok.txt"_s, "x");
    const QByteArray invalid = QFile::encodeName(temp.path()) + "bad\xff.txt";
    const int fd = ::creat(invalid.constData(), 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
    const FolderFiles found = folderFiles(temp.path(), false);
    EXPECT_EQ(relative(found, temp.path()), QStringList({u"ok.txt"_s}));
    EXPECT_EQ(found.unusableNames, 1);
    ::unlink(invalid.constData()); // a name the temporary folder could not remove itself
}

} // namespace
} // namespace namenswerk::platform
