#include "model/file_list.h"
#include "model/name_takeover.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

struct TakeOverCase {
    const char *name;
    QString folder;
    QString oldName;
    QString newName;
    EntryStatus status;
    bool changed;
    QString folderAfter;
    QString oldNameAfter;
};

void PrintTo(const TakeOverCase &c, std::ostream *out)
{
    *out << c.name;
}

class NameTakeOver : public ::testing::TestWithParam<TakeOverCase> {};

TEST_P(NameTakeOver, TheEntryIsFoundWhereTheRenameRunPutsIt)
{
    const TakeOverCase &c = GetParam();
    FileList list([](const QString &) { return FileFacts{}; });
    list.currentFolder = u"/cur/"_s;
    FileEntry entry;
    entry.folder = c.folder;
    entry.oldName = c.oldName;
    entry.newName = c.newName;
    entry.status = c.status;
    // The rename run moves the file to its folder (or the current one) plus the new name.
    const QString target = (c.folder.isEmpty() ? list.currentFolder : c.folder) + c.newName;

    EXPECT_EQ(takeOverNewName(list, entry), c.changed);
    EXPECT_EQ(entry.folder, c.folderAfter);
    EXPECT_EQ(entry.oldName, c.oldNameAfter);
    if (c.changed) {
        EXPECT_EQ(list.fullPath(entry), target);
    }
}

INSTANTIATE_TEST_SUITE_P(
    FileList, NameTakeOver,
    ::testing::Values(
        TakeOverCase{
            "PlainName", {}, u"a.jpg"_s, u"b.jpg"_s, EntryStatus::Ok, true, {}, u"b.jpg"_s},
        TakeOverCase{"OtherFolder", u"/o/"_s, u"a.jpg"_s, u"b.jpg"_s, EntryStatus::Renamed, true,
                     u"/o/"_s, u"b.jpg"_s},
        TakeOverCase{
            "SameName", {}, u"a.jpg"_s, u"a.jpg"_s, EntryStatus::Ok, false, {}, u"a.jpg"_s},
        TakeOverCase{
            "Placeholder", {}, u"a.jpg"_s, u"-"_s, EntryStatus::SearchError, false, {}, u"a.jpg"_s},
        TakeOverCase{"PlaceholderOfAFilteredEntry", u"/o/"_s, u"a.jpg"_s, u"-"_s,
                     EntryStatus::Filter, false, u"/o/"_s, u"a.jpg"_s},
        TakeOverCase{"RenamedToADash", {}, u"a"_s, u"-"_s, EntryStatus::Renamed, true, {}, u"-"_s},
        TakeOverCase{
            "EmptyName", {}, u"a.jpg"_s, QString(), EntryStatus::EmptyName, false, {}, u"a.jpg"_s},
        TakeOverCase{"OnlyAFolder",
                     {},
                     u"a.jpg"_s,
                     u"Fotos/"_s,
                     EntryStatus::InvalidName,
                     false,
                     {},
                     u"a.jpg"_s},
        TakeOverCase{"IntoASubfolder",
                     {},
                     u"a.jpg"_s,
                     u"Fotos/x.jpg"_s,
                     EntryStatus::Renamed,
                     true,
                     u"/cur/Fotos/"_s,
                     u"x.jpg"_s},
        TakeOverCase{"IntoASubfolderOfAnotherFolder", u"/o/"_s, u"a.jpg"_s, u"2024/05/x.jpg"_s,
                     EntryStatus::Renamed, true, u"/o/2024/05/"_s, u"x.jpg"_s},
        // The engine writes the rules' separators as "/": a backslash left
        // in a new name came with the old one and is part of the file's name.
        TakeOverCase{"BackslashOfTheName",
                     {},
                     u"a.jpg"_s,
                     u"Fotos\\x.jpg"_s,
                     EntryStatus::Renamed,
                     true,
                     {},
                     u"Fotos\\x.jpg"_s},
        TakeOverCase{"BareNameWithItsSubfolder",
                     {},
                     u"sub/a.txt"_s,
                     u"sub/b.txt"_s,
                     EntryStatus::Renamed,
                     true,
                     u"/cur/sub/"_s,
                     u"b.txt"_s}));

} // namespace
} // namespace namenswerk
