#include "platform/open_folders.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>

using namespace Qt::StringLiterals;
using namenswerk::test::TempFolder;

namespace namenswerk::platform {
namespace {

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// Names are renamed inside their open folders and across them, never onto a
// name that is taken; a folder is opened once however often it is asked for.
TEST(OpenFolders, RenamesInsideAndAcrossOpenFoldersWithoutReplacing)
{
    const TempFolder folder;
    folder.write(u"a/one.jpg"_s, "one");
    folder.write(u"a/taken.jpg"_s, "taken");
    folder.write(u"b/keep.txt"_s);
    OpenFolders folders;
    const int a = folders.descriptorOf(encoded(folder.file(u"a"_s)));
    const int b = folders.descriptorOf(encoded(folder.file(u"b"_s)));
    ASSERT_GE(a, 0);
    ASSERT_GE(b, 0);
    EXPECT_EQ(folders.descriptorOf(encoded(folder.file(u"a"_s))), a);

    EXPECT_EQ(renameNoReplaceAt(a, "one.jpg", a, "taken.jpg"), EEXIST);
    EXPECT_EQ(renameNoReplaceAt(a, "missing.jpg", a, "new.jpg"), ENOENT);
    EXPECT_EQ(renameNoReplaceAt(a, "one.jpg", a, "two.jpg"), 0);
    EXPECT_EQ(renameNoReplaceAt(a, "two.jpg", b, "moved.jpg"), 0);
    EXPECT_EQ(folder.read(u"b/moved.jpg"_s), "one");
    EXPECT_EQ(folder.read(u"a/taken.jpg"_s), "taken");
}

// A folder that cannot be opened, and folders beyond the number kept open,
// answer -1, so that their paths serve instead.
TEST(OpenFolders, AnswersNoneWhereTheFolderCannotBeHeldOpen)
{
    const TempFolder folder;
    OpenFolders folders;
    EXPECT_EQ(folders.descriptorOf(encoded(folder.file(u"missing"_s))), -1);
    folder.write(u"file.txt"_s);
    EXPECT_EQ(folders.descriptorOf(encoded(folder.file(u"file.txt"_s))), -1);

    int opened = 0;
    for (int number = 0; number < 200; ++number) {
        const QString path = folder.file(u"f%1"_s.arg(number));
        QDir().mkpath(path);
        opened += folders.descriptorOf(encoded(path)) >= 0 ? 1 : 0;
    }
    EXPECT_GT(opened, 0);
    EXPECT_LT(opened, 200);
}

} // namespace
} // namespace namenswerk::platform
