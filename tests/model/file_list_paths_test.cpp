#include "model/file_list.h"
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <QDir>

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

// Facts are not the point here: every path is "missing".
FileList listWithoutDisk()
{
    return FileList([](const QString &) { return FileFacts{}; });
}

struct LineCase {
    const char *label;
    QString currentFolder; // empty: no folder line, the first entry decides
    bool hasFolderLine;
    QStringList lines;
    QString expectedCurrent;
    QStringList expectedFolders;
    QStringList expectedNames;
};

class AddPathLine : public testing::TestWithParam<LineCase> {};

TEST_P(AddPathLine, SplitsFolderAndName)
{
    const LineCase &c = GetParam();
    FileList list = listWithoutDisk();
    list.currentFolder = c.currentFolder;
    for (const QString &line : c.lines) {
        list.addPathLine(line, c.hasFolderLine);
    }
    EXPECT_EQ(list.currentFolder, c.expectedCurrent);
    ASSERT_EQ(list.count(), c.expectedNames.size());
    for (int i = 0; i < list.count(); ++i) {
        EXPECT_EQ(list.at(i).folder, c.expectedFolders.at(i)) << "entry " << i;
        EXPECT_EQ(list.at(i).oldName, c.expectedNames.at(i)) << "entry " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    PathForms, AddPathLine,
    testing::Values(LineCase{"drive paths, first one sets the folder",
                             u"./"_s,
                             false,
                             {u"C:\\a\\x.txt"_s, u"C:\\b\\y.txt"_s},
                             u"C:/a/"_s,
                             {u""_s, u"C:/b/"_s},
                             {u"x.txt"_s, u"y.txt"_s}},
                    LineCase{"absolute posix paths",
                             u"./"_s,
                             false,
                             {u"/home/u/x.jpg"_s, u"/home/u/y.jpg"_s, u"/tmp/z.jpg"_s},
                             u"/home/u/"_s,
                             {u""_s, u""_s, u"/tmp/"_s},
                             {u"x.jpg"_s, u"y.jpg"_s, u"z.jpg"_s}},
                    LineCase{"network path",
                             u"./"_s,
                             false,
                             {u"\\\\srv\\share\\a.txt"_s},
                             u"//srv/share/"_s,
                             {u""_s},
                             {u"a.txt"_s}},
                    LineCase{"with a folder line the first entry keeps its folder",
                             u"/data/"_s,
                             true,
                             {u"/other/a.txt"_s, u"/data/b.txt"_s},
                             u"/data/"_s,
                             {u"/other/"_s, u""_s},
                             {u"a.txt"_s, u"b.txt"_s}},
                    LineCase{"single backslash is relative and keeps its folder",
                             u"C:/a/"_s,
                             true,
                             {u"\\sub\\z.txt"_s, u"\\x.txt"_s},
                             u"C:/a/"_s,
                             {u"C:/a/sub/"_s, u"C:/a/"_s},
                             {u"z.txt"_s, u"x.txt"_s}},
                    LineCase{"bare names stay bare, backslashes become slashes",
                             u"C:/a/"_s,
                             true,
                             {u"y.txt"_s, u"sub\\a.txt"_s},
                             u"C:/a/"_s,
                             {u""_s, u""_s},
                             {u"y.txt"_s, u"sub/a.txt"_s}}),
    [](const testing::TestParamInfo<LineCase> &info) { return std::to_string(info.index); });

TEST(AddPathLine, ReadsFactsAtTheFullPath)
{
    test::TempFolder folder;
    folder.write(u"sub/hundred.bin"_s, QByteArray(100, 'x'));
    folder.write(u"small.bin"_s, QByteArray(63, 'x'));
    FileList list;
    list.currentFolder = folder.path();
    list.addPathLine(u"\\sub\\hundred.bin"_s, true);
    list.addPathLine(u"small.bin"_s, true);
    list.addPathLine(u"gone.bin"_s, true);
    list.addPathLine(u"\\sub"_s, true);
    EXPECT_EQ(list.at(0).fileSize64, 1);
    EXPECT_EQ(list.at(1).fileSize64, 0);
    EXPECT_NE(list.at(1).fileTime, 0);
    EXPECT_EQ(list.at(2).fileSize64, FileEntry::MissingSize);
    EXPECT_EQ(list.at(2).fileTime, 0);
    EXPECT_EQ(list.at(3).fileSize64, FileEntry::FolderSize);
}

TEST(AddDroppedFiles, ReplacesTheListAndMarksMixedFolders)
{
    FileList list = listWithoutDisk();
    list.addPathLine(u"/old/entry.txt"_s, false);
    list.addDroppedFiles({u"/p/a.jpg"_s, u"/q/b.jpg"_s, u"/p/c.jpg"_s});
    EXPECT_EQ(list.currentFolder, u"/p/"_s);
    EXPECT_TRUE(list.mixedFolders);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.at(0).folder, u""_s);
    EXPECT_EQ(list.at(1).folder, u"/q/"_s);
    EXPECT_EQ(list.at(2).folder, u""_s);
    EXPECT_EQ(list.refreshLevel, RefreshLevel::Names);

    list.addDroppedFiles({u"/r/d.jpg"_s});
    EXPECT_FALSE(list.mixedFolders);
    EXPECT_EQ(list.fullPath(0), u"/r/d.jpg"_s);
}

// Adding keeps what the list holds and skips what it already holds, however
// the path was written; the first added path gives an empty list its folder.
TEST(AddPaths, AppendsOnlyPathsTheListDoesNotHold)
{
    FileList list = listWithoutDisk();
    EXPECT_EQ(list.addPaths({u"/p/a.jpg"_s}).added, 1);
    EXPECT_EQ(list.currentFolder, u"/p/"_s);
    list.at(0).ignored = true;
    list.refreshLevel = RefreshLevel::None;

    const AddedPaths added =
        list.addPaths({u"/p/b.jpg"_s, u"/p/a.jpg"_s, u"/p//a.jpg"_s, u"/q/c.jpg"_s, u"/p/b.jpg"_s,
                       u"/p/sub/../b.jpg"_s, u"/p/a\\b.jpg"_s});
    EXPECT_EQ(added.added, 3);
    EXPECT_EQ(added.alreadyListed, 4);
    ASSERT_EQ(list.count(), 4);
    EXPECT_TRUE(list.at(0).ignored) << "entries already listed keep their marks";
    EXPECT_EQ(list.fullPath(1), u"/p/b.jpg"_s);
    EXPECT_EQ(list.at(1).folder, u""_s);
    EXPECT_EQ(list.at(2).folder, u"/q/"_s);
    EXPECT_EQ(list.at(3).oldName, u"a\\b.jpg"_s) << "a backslash is part of the name";
    EXPECT_TRUE(list.mixedFolders);
    EXPECT_EQ(list.refreshLevel, RefreshLevel::Names);

    list.refreshLevel = RefreshLevel::None;
    EXPECT_EQ(list.addPaths({u"/q/c.jpg"_s}).added, 0);
    EXPECT_EQ(list.refreshLevel, RefreshLevel::None) << "nothing added, nothing to recompute";
}

// A list file without a folder line keeps bare names relative to the working
// folder; the same file chosen by its whole path is not added again.
TEST(AddPaths, KnowsRelativeEntriesByTheirWholePath)
{
    FileList list = listWithoutDisk();
    list.currentFolder = u"./"_s;
    list.addPathLine(u"x.txt"_s, true);
    const QString working = QDir::currentPath();
    const AddedPaths added = list.addPaths({working + u"/x.txt"_s, working + u"/y.txt"_s});
    EXPECT_EQ(added.added, 1);
    EXPECT_EQ(added.alreadyListed, 1);
    EXPECT_EQ(list.fullPath(1), working + u"/y.txt"_s);
}

// A long add reports now and then and stops when told to, keeping what it added.
TEST(AddPaths, StopsWhenTheProgressSaysSo)
{
    FileList list = listWithoutDisk();
    QStringList paths;
    for (int number = 0; number < 1000; ++number) {
        paths.append(u"/p/%1.jpg"_s.arg(number));
    }
    std::vector<int> reported;
    const AddedPaths added = list.addPaths(paths, [&reported](int done) {
        reported.push_back(done);
        return reported.size() < 2;
    });
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_LT(reported[0], reported[1]);
    EXPECT_EQ(added.added, reported[1]);
    EXPECT_EQ(added.notReached, 1000 - reported[1]);
    EXPECT_EQ(list.count(), added.added);
    EXPECT_EQ(list.fullPath(list.count() - 1), paths[added.added - 1]);
}

TEST(FileFacts, HugeSizesStayPositive)
{
    EXPECT_EQ(sizeInUnits(100), 1);
    EXPECT_EQ(sizeInUnits(-1), -1);
    EXPECT_EQ(sizeInUnits(-2), -2);
    EXPECT_EQ(sizeInUnits(std::int64_t{200} << 30), std::numeric_limits<std::int32_t>::max());
}

TEST(RefreshAllFacts, SeesFilesThatAppearedOrVanished)
{
    test::TempFolder folder;
    FileList list;
    list.currentFolder = folder.path();
    list.addPathLine(u"later.txt"_s, true);
    EXPECT_EQ(list.at(0).fileSize64, FileEntry::MissingSize);
    folder.write(u"later.txt"_s, QByteArray(640, 'x'));
    list.refreshAllFacts();
    EXPECT_EQ(list.at(0).fileSize64, 10);
}

} // namespace
} // namespace namenswerk
