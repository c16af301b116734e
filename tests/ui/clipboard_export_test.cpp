#include "engine/name_engine.h"
#include "model/file_list.h"
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"
#include "ui/clipboard_export.h"

#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <vector>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

FileEntry entry(const QString &folder, const QString &oldName, const QString &newName,
                EntryStatus status, bool ignored = false)
{
    FileEntry made;
    made.folder = folder;
    made.oldName = oldName;
    made.newName = newName;
    made.status = status;
    made.ignored = ignored;
    return made;
}

struct ExportCase {
    const char *name;
    QString currentFolder;
    std::vector<FileEntry> entries;
    QString expected;
};

void PrintTo(const ExportCase &c, std::ostream *out)
{
    *out << c.name;
}

FileList listOf(const ExportCase &c)
{
    FileList list;
    list.currentFolder = c.currentFolder;
    list.entries() = c.entries;
    return list;
}

class RenameCommands : public testing::TestWithParam<ExportCase> {};

TEST_P(RenameCommands, ListEveryReadyEntryInListOrder)
{
    EXPECT_EQ(renameCommands(listOf(GetParam())), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, RenameCommands,
    testing::Values(
        ExportCase{"OneReadyEntry",
                   u"/f/"_s,
                   {entry({}, u"a.txt"_s, u"b.txt"_s, EntryStatus::Ok)},
                   u"Rename \"/f/a.txt\" \"/f/b.txt\"\r\n"_s},
        ExportCase{"OnlyReadyEntriesInListOrder",
                   u"/home/ute/Fotos/"_s,
                   {entry({}, u"IMG_1.jpg"_s, u"Urlaub/001.jpg"_s, EntryStatus::Ok),
                    entry({}, u"IMG_2.jpg"_s, u"002.jpg"_s, EntryStatus::Renamed),
                    entry({}, u"IMG_3.jpg"_s, u"000.jpg"_s, EntryStatus::Ignored, true),
                    entry({}, u"IMG_4.jpg"_s, u"002.jpg"_s, EntryStatus::DuplicateName),
                    entry(u"/mnt/karte"_s, u"b c.png"_s, u"Bild c.png"_s, EntryStatus::Ok)},
                   u"Rename \"/home/ute/Fotos/IMG_1.jpg\" \"/home/ute/Fotos/Urlaub/001.jpg\"\r\n"
                   u"Rename \"/mnt/karte/b c.png\" \"/mnt/karte/Bild c.png\"\r\n"_s},
        ExportCase{"NoFolderAtAll",
                   {},
                   {entry({}, u"a"_s, u"b"_s, EntryStatus::Ok)},
                   u"Rename \"a\" \"b\"\r\n"_s},
        ExportCase{"NothingReady",
                   u"/f/"_s,
                   {entry({}, u"a.txt"_s, u"a.txt"_s, EntryStatus::Renamed),
                    entry({}, u"b.txt"_s, u"-"_s, EntryStatus::Filter)},
                   {}}),
    [](const testing::TestParamInfo<ExportCase> &info) { return info.param.name; });

TEST(CopyRenameCommands, ExportsEntriesTheFilterHides)
{
    FileList list;
    list.currentFolder = u"/f/"_s;
    list.entries() = {entry({}, u"a.txt"_s, u"b.txt"_s, EntryStatus::Ok),
                      entry({}, u"c.txt"_s, u"d.txt"_s, EntryStatus::RenameFailed)};
    list.activeFilter = ListFilter::RenameResult;
    list.rebuildViewOrder();
    ASSERT_EQ(list.viewOrder(), std::vector<int>{1});

    copyRenameCommands(list);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"Rename \"/f/a.txt\" \"/f/b.txt\"\r\n");
}

// Names from archives made on Windows keep their backslashes in both paths;
// only the template's separator makes a folder.
TEST(CopyRenameCommands, KeepsBackslashesOfNames)
{
    test::TempFolder files;
    const QString path = files.write(u"notes\\todo.txt"_s);
    FileList list;
    list.addDroppedFiles({path});
    RenameSettings settings;
    settings.regReplace = u"Archiv\\<n>.<e>"_s;
    NameEngine engine;
    engine.setInputs(settings);
    engine.refresh(list, settings);

    copyRenameCommands(list);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"Rename \""_s + path + u"\" \""_s +
                                                        files.file(u"Archiv/notes\\todo.txt"_s) +
                                                        u"\"\r\n"_s);
}

TEST(CopyRenameCommands, EmptiesTheClipboardWhenNothingIsReady)
{
    QGuiApplication::clipboard()->setText(u"alt"_s);
    FileList list;
    list.entries() = {entry({}, u"a.txt"_s, u"b.txt"_s, EntryStatus::Renamed)};
    copyRenameCommands(list);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString());
}

} // namespace
} // namespace namenswerk
