#include "model/file_list.h"
#include "settings/list_file.h"
#include "tests/support/temp_folder.h"

#include <QRandomGenerator>
#include <QStringEncoder>

#include <gtest/gtest.h>

#include <vector>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

FileList listWithoutDisk()
{
    return FileList([](const QString &) { return FileFacts{}; });
}

QByteArray utf8(const QString &text)
{
    return text.toUtf8();
}

QByteArray utf8WithMark(const QString &text)
{
    return "\xEF\xBB\xBF" + text.toUtf8();
}

QByteArray windows1252(const QString &text)
{
    QStringEncoder encode("Windows-1252");
    return encode(text);
}

QByteArray utf16WithoutMark(const QString &text)
{
    QStringEncoder encode(QStringConverter::Utf16LE);
    return encode(text);
}

QByteArray utf16WithMark(const QString &text)
{
    return "\xFF\xFE" + utf16WithoutMark(text);
}

struct Entry {
    QString folder;
    QString oldName;
    bool operator==(const Entry &) const = default;
};

void PrintTo(const Entry &entry, std::ostream *out)
{
    *out << '"' << entry.folder.toStdString() << "\" + \"" << entry.oldName.toStdString() << '"';
}

std::vector<Entry> entriesOf(const FileList &list)
{
    std::vector<Entry> entries;
    for (const FileEntry &entry : list.entries()) {
        entries.push_back({entry.folder, entry.oldName});
    }
    return entries;
}

struct ReadCase {
    const char *label;
    QByteArray bytes;
    bool hasFolderLine;
    int entryLimit;
    QString expectedFolder;
    std::vector<Entry> expectedEntries;
};

class ReadListFile : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadListFile, TakesFolderAndEntries)
{
    const ReadCase &c = GetParam();
    test::TempFolder folder;
    FileList list = listWithoutDisk();
    readListFile(list, folder.write(u"liste.lst"_s, c.bytes), c.hasFolderLine, c.entryLimit);
    EXPECT_EQ(list.currentFolder, c.expectedFolder);
    EXPECT_EQ(entriesOf(list), c.expectedEntries);
}

const std::vector<Entry> twoLocal = {{u""_s, u"ä.jpg"_s}, {u""_s, u"€ b.jpg"_s}};

INSTANTIATE_TEST_SUITE_P(
    EncodingsAndLineEnds, ReadListFile,
    testing::Values(ReadCase{"utf8 mark, CR LF", utf8WithMark(u"/fotos\r\nä.jpg\r\n€ b.jpg\r\n"_s),
                             true, 9999, u"/fotos/"_s, twoLocal},
                    ReadCase{"utf8 without mark, LF, no final line end",
                             utf8(u"/fotos/\nä.jpg\n€ b.jpg"_s), true, 9999, u"/fotos/"_s,
                             twoLocal},
                    ReadCase{"windows-1252, CR", windows1252(u"/fotos/\rä.jpg\r€ b.jpg\r"_s), true,
                             9999, u"/fotos/"_s, twoLocal},
                    ReadCase{"utf16 mark, CR LF",
                             utf16WithMark(u"/fotos/\r\nä.jpg\r\n€ b.jpg\r\n"_s), true, 9999,
                             u"/fotos/"_s, twoLocal},
                    ReadCase{"utf16 mark, mixed line ends",
                             utf16WithMark(u"/f/\na\rb\r\nc"_s),
                             true,
                             9999,
                             u"/f/"_s,
                             {{u""_s, u"a"_s}, {u""_s, u"b"_s}, {u""_s, u"c"_s}}},
                    ReadCase{"utf16 with half a code unit at the end",
                             utf16WithMark(u"/f/\r\na"_s) + 'x',
                             true,
                             9999,
                             u"/f/"_s,
                             {{u""_s, u"a"_s}}}));

INSTANTIATE_TEST_SUITE_P(
    FolderLineAndLimits, ReadListFile,
    testing::Values(
        ReadCase{"folder line with backslashes",
                 utf8(u"C:\\Fotos\r\nx.jpg\r\n"_s),
                 true,
                 9999,
                 u"C:/Fotos/"_s,
                 {{u""_s, u"x.jpg"_s}}},
        ReadCase{"folder line only", utf8(u"/fotos/\r\n"_s), true, 9999, u"/fotos/"_s, {}},
        ReadCase{"folder line only, no line end", utf8(u"/fotos/"_s), true, 9999, u"/fotos/"_s, {}},
        ReadCase{"over the limit",
                 utf8(u"/f/\na\nb\nc\nd\ne\n"_s),
                 true,
                 3,
                 u"/f/"_s,
                 {{u""_s, u"a"_s}, {u""_s, u"b"_s}, {u""_s, u"c"_s}}},
        ReadCase{"limit 0 reads nothing", utf8(u"/f/\na\n"_s), true, 0, u""_s, {}},
        ReadCase{"negative limit reads nothing", utf8(u"a\n"_s), false, -3, u""_s, {}},
        ReadCase{"empty folder line: nothing to read against",
                 utf8(u"\r\na\r\n"_s),
                 true,
                 9999,
                 u""_s,
                 {}},
        ReadCase{"empty file with folder line", {}, true, 9999, u""_s, {}},
        ReadCase{"empty file without folder line", {}, false, 9999, u"./"_s, {}},
        ReadCase{"drive paths of one folder set the current folder",
                 utf8(u"C:\\Listen\\a.jpg\r\nC:\\Listen\\b.jpg\r\nD:\\x\\c.jpg\r\n"_s),
                 false,
                 9999,
                 u"C:/Listen/"_s,
                 {{u""_s, u"a.jpg"_s}, {u""_s, u"b.jpg"_s}, {u"D:/x/"_s, u"c.jpg"_s}}},
        ReadCase{"bare names without folder line",
                 utf8(u"a.txt\nsub\\b.txt\n"_s),
                 false,
                 9999,
                 u"./"_s,
                 {{u""_s, u"a.txt"_s}, {u""_s, u"sub/b.txt"_s}}}));

INSTANTIATE_TEST_SUITE_P(LinesThatNameNoFile, ReadListFile,
                         testing::Values(ReadCase{"blank lines are skipped and not counted",
                                                  utf8(u"/f/\r\n\r\na\r\n\n\rb\r\nc\r\n"_s),
                                                  true,
                                                  2,
                                                  u"/f/"_s,
                                                  {{u""_s, u"a"_s}, {u""_s, u"b"_s}}},
                                         ReadCase{"a line with NUL is skipped",
                                                  QByteArray("/f/\na\0b\nc\n", 10),
                                                  true,
                                                  9999,
                                                  u"/f/"_s,
                                                  {{u""_s, u"c"_s}}},
                                         ReadCase{"an over-long line is skipped",
                                                  "/f/\n" + QByteArray(9000, 'x') + "\n" +
                                                      QByteArray(8000, 'y') + "\n",
                                                  true,
                                                  9999,
                                                  u"/f/"_s,
                                                  {{u""_s, QString(8000, u'y')}}},
                                         ReadCase{"a line ending in a separator names no file",
                                                  utf8(u"/f/\nsub/\nC:\\a\\\n/x/\nd\n"_s),
                                                  true,
                                                  2,
                                                  u"/f/"_s,
                                                  {{u""_s, u"d"_s}}},
                                         ReadCase{"utf16 without mark gives no entries",
                                                  utf16WithoutMark(u"/f/\r\na.txt\r\nb.txt\r\n"_s),
                                                  false,
                                                  9999,
                                                  u"./"_s,
                                                  {}}));

TEST(ReadListFile, LeavesListEmptyWhenFileCannotBeRead)
{
    test::TempFolder folder;
    folder.write(u"ordner.lst/x"_s);
    for (const QString &path : {folder.file(u"fehlt.lst"_s), folder.file(u"ordner.lst"_s)}) {
        FileList list = listWithoutDisk();
        readListFile(list, path, false, 9999);
        EXPECT_EQ(list.currentFolder, u""_s) << path.toStdString();
        EXPECT_EQ(list.count(), 0) << path.toStdString();
    }
}

struct HostileCase {
    const char *label;
    QByteArray (*bytes)();
    int entryLimit;
    int expectedCount; // -1: any number up to the limit
};

class HostileListFile : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileListFile, ReadsWithoutHarm)
{
    const HostileCase &c = GetParam();
    test::TempFolder folder;
    FileList list = listWithoutDisk();
    readListFile(list, folder.write(u"liste.lst"_s, c.bytes()), true, c.entryLimit);
    EXPECT_LE(list.count(), c.entryLimit);
    if (c.expectedCount >= 0) {
        EXPECT_EQ(list.count(), c.expectedCount);
    }
    for (const FileEntry &entry : list.entries()) {
        EXPECT_FALSE(entry.oldName.isEmpty());
        EXPECT_FALSE(entry.oldName.contains(QChar(0)));
    }
}

QByteArray binaryGarbage()
{
    QRandomGenerator random(4711);
    QByteArray bytes(1 << 20, Qt::Uninitialized);
    random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
    return bytes;
}

QByteArray oneHugeLine()
{
    return "/f/\n" + QByteArray(10 << 20, 'x') + "\nnach.txt\n";
}

QByteArray millionLines()
{
    QByteArray bytes = "/f/\n";
    for (int i = 0; i < 1'000'000; ++i) {
        bytes += "datei" + QByteArray::number(i) + ".txt\n";
    }
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(Inputs, HostileListFile,
                         testing::Values(HostileCase{"binary garbage", binaryGarbage, 9999, -1},
                                         HostileCase{"a 10 MB line", oneHugeLine, 9999, 1},
                                         HostileCase{"a million lines", millionLines, 9999, 9999}));

TEST(ReadListFile, StopsAtTheLimitInOrder)
{
    test::TempFolder folder;
    FileList list = listWithoutDisk();
    readListFile(list, folder.write(u"liste.lst"_s, millionLines()), true, 25);
    ASSERT_EQ(list.count(), 25);
    EXPECT_EQ(list.at(0).oldName, u"datei0.txt"_s);
    EXPECT_EQ(list.at(24).oldName, u"datei24.txt"_s);
}

// Whether entries were left out, and the text of the entries that were
// taken, depend on those lines alone, not on the first line left out.
TEST(ReadListFile, TellsWhetherTheLimitLeftEntriesOut)
{
    struct Case {
        int entryLimit;
        bool leftOut;
    };
    test::TempFolder folder;
    // Valid UTF-8 up to the third path line, which is Windows-1252.
    const QString path = folder.write(u"liste.lst"_s, "/f/\n\xC3\xA4.txt\n\nb.txt\n\xE4.txt\n");
    for (const Case c : {Case{1, true}, Case{2, true}, Case{3, false}, Case{7, false}}) {
        SCOPED_TRACE(c.entryLimit);
        FileList list = listWithoutDisk();
        EXPECT_EQ(readListFile(list, path, true, c.entryLimit), c.leftOut);
        ASSERT_EQ(list.count(), std::min(c.entryLimit, 3));
        EXPECT_EQ(list.at(0).oldName, c.leftOut ? u"\u00e4.txt"_s : u"\u00c3\u00a4.txt"_s);
    }
    EXPECT_EQ(countListFileEntries(path, true), 3);
    EXPECT_EQ(countListFileEntries(folder.file(u"fehlt.lst"_s), true), 0);
}

// The list a user built from three files in one folder and one from another.
FileList photoList()
{
    FileList list = listWithoutDisk();
    list.currentFolder = u"C:/Fotos/"_s;
    for (const QString &line : {u"C:\\Fotos\\a.jpg"_s, u"C:\\Fotos\\b.jpg"_s, u"C:\\Fotos\\c.jpg"_s,
                                u"D:\\Bilder\\d.jpg"_s}) {
        list.addPathLine(line, true);
    }
    return list;
}

TEST(WriteListFile, WritesFolderThenOneLinePerEntryInUtf16)
{
    test::TempFolder folder;
    const QString path = folder.write(u"Brindlewick.lst"_s, "alt");
    ASSERT_TRUE(writeListFile(photoList(), path, true));
    EXPECT_EQ(folder.read(u"Brindlewick.lst"_s),
              utf16WithMark(u"C:/Fotos/\r\na.jpg\r\nb.jpg\r\nc.jpg\r\nD:/Bilder/d.jpg\r\n"_s));
}

TEST(WriteListFile, LeavesThePreviousFileWhenNothingIsWritten)
{
    struct Case {
        const char *label;
        FileList list;
        bool rememberList;
    };
    const std::vector<Case> cases = {{"empty list", listWithoutDisk(), true},
                                     {"remember option off", photoList(), false}};
    for (const Case &c : cases) {
        test::TempFolder folder;
        const QString path = folder.write(u"Brindlewick.lst"_s, "vorher");
        EXPECT_FALSE(writeListFile(c.list, path, c.rememberList)) << c.label;
        EXPECT_EQ(folder.read(u"Brindlewick.lst"_s), "vorher") << c.label;
        EXPECT_FALSE(writeListFile(c.list, folder.file(u"neu.lst"_s), c.rememberList)) << c.label;
        EXPECT_FALSE(folder.exists(u"neu.lst"_s)) << c.label;
    }
}

TEST(WriteListFile, ReportsFailureWhenTheFolderIsMissing)
{
    test::TempFolder folder;
    EXPECT_FALSE(writeListFile(photoList(), folder.file(u"fehlt/Brindlewick.lst"_s), true));
    EXPECT_FALSE(folder.exists(u"fehlt"_s));
}

TEST(WriteListFile, KeepsEveryLineReadable)
{
    struct Case {
        const char *label;
        QString currentFolder;
        QStringList names;
        QString expectedText;
    };
    const std::vector<Case> cases = {
        {"names with line breaks are left out",
         u"/f/"_s,
         {u"a\nb.txt"_s, u"c.txt"_s, u"d\r"_s},
         u"/f/\r\nc.txt\r\n"_s},
        {"no current folder: the working folder", u""_s, {u"a.txt"_s}, u"./\r\na.txt\r\n"_s},
        {"a backslash of a name is written as NUL, a separator it would read as",
         u"/f\\g/"_s,
         {u"a\\b.txt"_s, u"\\c"_s},
         u"/f\0g/\r\na\0b.txt\r\n\0c\r\n"_s},
    };
    for (const Case &c : cases) {
        test::TempFolder folder;
        FileList list = listWithoutDisk();
        list.currentFolder = c.currentFolder;
        for (const QString &name : c.names) {
            list.entries().push_back({});
            list.entries().back().oldName = name;
        }
        ASSERT_TRUE(writeListFile(list, folder.file(u"x.lst"_s), true)) << c.label;
        EXPECT_EQ(folder.read(u"x.lst"_s), utf16WithMark(c.expectedText)) << c.label;
    }
}

TEST(ListFile, RoundTripKeepsEntriesAndReadsTheirFacts)
{
    test::TempFolder folder;
    folder.write(u"a.txt"_s, QByteArray(100, 'a'));
    folder.write(u"grüße 日本.txt"_s);
    const QString other = folder.write(u"unter/c.txt"_s);
    FileList written;
    written.currentFolder = folder.path();
    written.addPathLine(u"a.txt"_s, true);
    written.addPathLine(u"grüße 日本.txt"_s, true);
    written.addPathLine(other, true);
    written.addPathLine(u"fehlt.txt"_s, true);
    const QString path = folder.file(u"Brindlewick.lst"_s);
    ASSERT_TRUE(writeListFile(written, path, true));

    FileList read;
    readListFile(read, path, true, 9999);
    EXPECT_EQ(read.currentFolder, written.currentFolder);
    EXPECT_EQ(entriesOf(read), entriesOf(written));
    ASSERT_EQ(read.count(), 4);
    EXPECT_EQ(read.at(0).fileSize64, 1);
    EXPECT_EQ(read.at(2).fileSize64, 0);
    EXPECT_EQ(read.at(3).fileSize64, FileEntry::MissingSize);
}

TEST(ListFile, RoundTripKeepsBackslashesOfNames)
{
    // Names as unpacked from archives made on Windows, in a folder that has
    // one too, beside a subfolder named by a list line.
    test::TempFolder disk;
    const QString current = disk.file(u"Archiv\\alt"_s) + u'/';
    const QString other = disk.file(u"x\\y"_s) + u'/';
    disk.write(u"Archiv\\alt/Fotos\\2019\\IMG_1.jpg"_s, QByteArray(64, 'a'));
    disk.write(u"Archiv\\alt/sub/b.txt"_s, QByteArray(128, 'b'));
    disk.write(u"x\\y/notes\\todo.txt"_s, QByteArray(192, 'c'));
    FileList written;
    written.addDroppedFiles({current + u"Fotos\\2019\\IMG_1.jpg"_s, other + u"notes\\todo.txt"_s});
    written.addPathLine(u"sub\\b.txt"_s, true);
    ASSERT_EQ(written.at(2).oldName, u"sub/b.txt"_s);
    const QString path = disk.file(u"Brindlewick.lst"_s);
    ASSERT_TRUE(writeListFile(written, path, true));

    FileList read;
    readListFile(read, path, true, 9999);
    EXPECT_EQ(read.currentFolder, current);
    EXPECT_EQ(entriesOf(read), entriesOf(written));
    ASSERT_EQ(read.count(), 3);
    EXPECT_EQ(read.at(0).fileSize64, 1);
    EXPECT_EQ(read.at(1).fileSize64, 3);
    EXPECT_EQ(read.at(2).fileSize64, 2);
}

TEST(ListFile, RoundTripOfManyEntriesAcrossReadBlocks)
{
    test::TempFolder folder;
    FileList written = listWithoutDisk();
    written.currentFolder = u"/bilder/"_s;
    for (int i = 0; i < 5000; ++i) {
        written.addPathLine(u"Größe €%1 日本.jpg"_s.arg(i), true);
    }
    const QString path = folder.file(u"viele.lst"_s);
    ASSERT_TRUE(writeListFile(written, path, true));
    FileList read = listWithoutDisk();
    readListFile(read, path, true, 9999);
    EXPECT_EQ(entriesOf(read), entriesOf(written));
}

} // namespace
} // namespace namenswerk
