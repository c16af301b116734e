#include "tests/support/printers.h"
#include "tests/ui/list_fixture.h"
#include "ui/list_commands.h"
#include "ui/shown_text_order.h"

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;
using test::fileDate;
using test::Row;
using S = EntryStatus;

struct CompareCase {
    ListColumn column;
    QString a;
    QString b;
    SortDirection direction;
    int expected;
};

void PrintTo(const CompareCase &c, std::ostream *out)
{
    *out << "column " << int(c.column) << " '" << c.a.toStdString() << "' vs '" << c.b.toStdString()
         << "' direction " << int(c.direction);
}

class ShownTextComparison : public ::testing::TestWithParam<CompareCase> {};

TEST_P(ShownTextComparison, ComparesTheTextsOfTheColumn)
{
    const CompareCase &c = GetParam();
    EXPECT_EQ(compareShownTexts(c.column, c.a, c.b, c.direction), c.expected);
}

constexpr auto Up = SortDirection::Ascending;
constexpr auto Down = SortDirection::Descending;

INSTANTIATE_TEST_SUITE_P(
    ListSort, ShownTextComparison,
    ::testing::Values(
        // Sizes: the unit letter first, then the value; no letter ranks lowest.
        CompareCase{ListColumn::Size, u"0.9 M"_s, u"500.0 K"_s, Up, 1},
        CompareCase{ListColumn::Size, u"0.9 M"_s, u"500.0 K"_s, Down, -1},
        CompareCase{ListColumn::Size, u"1.0 T"_s, u"1023.9 G"_s, Up, 1},
        CompareCase{ListColumn::Size, u"9.0 K"_s, u"10.0 K"_s, Up, -1},
        CompareCase{ListColumn::Size, u"✕   "_s, u"0.0 K"_s, Up, -1},
        CompareCase{ListColumn::Size, u"✕   "_s, u"ᴰᴵᴿ   "_s, Up, 0},
        CompareCase{ListColumn::Size, u"1.0 K"_s, u"1.04 K"_s, Up, 0},
        CompareCase{ListColumn::Size, u"1.0 K"_s, u"1.06 K"_s, Up, -1},
        // Dates are read back, not compared as text.
        CompareCase{ListColumn::Date, u"01.02.2024 10:00"_s, u"31.01.2023 23:59"_s, Up, 1},
        CompareCase{ListColumn::Date, u"01.02.2024 10:00"_s, u"31.01.2023 23:59"_s, Down, -1},
        CompareCase{ListColumn::Date, u"01.02.2024 09:59"_s, u"01.02.2024 10:00"_s, Up, -1},
        CompareCase{ListColumn::Date, u"✕"_s, u"01.01.1970 00:00"_s, Up, -1},
        // Two texts of the same date: the first is the greater either way.
        CompareCase{ListColumn::Date, u"01.02.2024 10:00"_s, u"01.02.2024 10:00 "_s, Up, 1},
        CompareCase{ListColumn::Date, u"01.02.2024 10:00 "_s, u"01.02.2024 10:00"_s, Up, 1},
        CompareCase{ListColumn::Date, u"01.02.2024 10:00"_s, u"01.02.2024 10:00 "_s, Down, 1},
        CompareCase{ListColumn::Date, u"✕"_s, u"✕"_s, Down, 0},
        // Everything else without regard to case.
        CompareCase{ListColumn::OldName, u"abc"_s, u"ABC"_s, Up, 0},
        CompareCase{ListColumn::NewName, u"a"_s, u"B"_s, Up, -1},
        CompareCase{ListColumn::NewName, u"a"_s, u"B"_s, Down, 1},
        CompareCase{ListColumn::Status, u"Ok"_s, u"Filter"_s, Up, 1},
        CompareCase{ListColumn::FolderMark, QString(), u" "_s, Up, -1}));

struct SortCase {
    const char *name;
    ListColumn column;
    std::vector<Row> rows;
    QStringList ascending; // old names in the shown order
    QStringList descending;
};

void PrintTo(const SortCase &c, std::ostream *out)
{
    *out << c.name;
}

class HeaderSort : public ::testing::TestWithParam<SortCase> {};

TEST_P(HeaderSort, FirstClickAscendingSecondDescending)
{
    const SortCase &c = GetParam();
    FileList list = test::listOf(c.rows);
    const QStringList listOrder = test::listNames(list);

    sortByColumn(list, int(c.column));
    EXPECT_EQ(test::shownNames(list), c.ascending);
    EXPECT_EQ(list.sortColumn, c.column);
    EXPECT_EQ(list.sortDirection, SortDirection::Ascending);

    sortByColumn(list, int(c.column));
    EXPECT_EQ(test::shownNames(list), c.descending);
    EXPECT_EQ(list.sortDirection, SortDirection::Descending);

    EXPECT_EQ(test::listNames(list), listOrder) << "the entries stay in list order";
    EXPECT_EQ(list.refreshLevel, RefreshLevel::None);
}

INSTANTIATE_TEST_SUITE_P(
    ListSort, HeaderSort,
    ::testing::Values(
        SortCase{"FolderMarker",
                 ListColumn::FolderMark,
                 {{u"a"_s, {}, S::Ok, 1, 0, u"/x/"_s},
                  {u"b"_s, {}},
                  {u"c"_s, {}, S::Ok, 1, 0, u"/y/"_s}},
                 {u"b"_s, u"a"_s, u"c"_s},
                 {u"a"_s, u"c"_s, u"b"_s}},
        SortCase{"OldNameIgnoringCase",
                 ListColumn::OldName,
                 {{u"b.txt"_s, {}}, {u"A.txt"_s, {}}, {u"c.txt"_s, {}}},
                 {u"A.txt"_s, u"b.txt"_s, u"c.txt"_s},
                 {u"c.txt"_s, u"b.txt"_s, u"A.txt"_s}},
        SortCase{"NewNameIgnoringCase",
                 ListColumn::NewName,
                 {{u"p"_s, u"Zeta"_s}, {u"q"_s, u"alpha"_s}, {u"r"_s, u"Beta"_s}},
                 {u"q"_s, u"r"_s, u"p"_s},
                 {u"p"_s, u"r"_s, u"q"_s}},
        SortCase{"SizeByUnitThenValue",
                 ListColumn::Size,
                 {{u"500K"_s, {}, S::Ok, 8000},
                  {u"missing"_s, {}, S::Ok, FileEntry::MissingSize},
                  {u"1.5G"_s, {}, S::Ok, 25165824},
                  {u"9K"_s, {}, S::Ok, 144},
                  {u"folder"_s, {}, S::Ok, FileEntry::FolderSize},
                  {u"10K"_s, {}, S::Ok, 160},
                  {u"1M"_s, {}, S::Ok, 16384}},
                 {u"missing"_s, u"folder"_s, u"9K"_s, u"10K"_s, u"500K"_s, u"1M"_s, u"1.5G"_s},
                 {u"1.5G"_s, u"1M"_s, u"500K"_s, u"10K"_s, u"9K"_s, u"missing"_s, u"folder"_s}},
        SortCase{"DateReadBackFromItsText",
                 ListColumn::Date,
                 {{u"2024b"_s, {}, S::Ok, 1, fileDate(2024, 2, 1, 10, 0)},
                  {u"2023"_s, {}, S::Ok, 1, fileDate(2023, 1, 31, 23, 59)},
                  {u"none"_s, {}, S::Ok, 1, 0},
                  {u"2024a"_s, {}, S::Ok, 1, fileDate(2024, 2, 1, 9, 59)},
                  {u"1999"_s, {}, S::Ok, 1, fileDate(1999, 6, 15, 12, 0)}},
                 {u"none"_s, u"1999"_s, u"2023"_s, u"2024a"_s, u"2024b"_s},
                 {u"2024b"_s, u"2024a"_s, u"2023"_s, u"1999"_s, u"none"_s}},
        SortCase{"StatusByItsText",
                 ListColumn::Status,
                 {{u"ok"_s, {}, S::Ok},
                  {u"filter"_s, {}, S::Filter},
                  {u"renamed"_s, {}, S::Renamed},
                  {u"duplicate"_s, {}, S::DuplicateName},
                  {u"none"_s, {}, S::None}},
                 {u"none"_s, u"duplicate"_s, u"filter"_s, u"ok"_s, u"renamed"_s},
                 {u"renamed"_s, u"ok"_s, u"filter"_s, u"duplicate"_s, u"none"_s}}));

TEST(ListSort, AnotherColumnStartsAscendingAgain)
{
    FileList list = test::listOf({{u"b"_s, u"2"_s}, {u"a"_s, u"3"_s}, {u"c"_s, u"1"_s}});
    sortByColumn(list, int(ListColumn::OldName));
    sortByColumn(list, int(ListColumn::NewName));
    EXPECT_EQ(list.sortDirection, SortDirection::Ascending);
    EXPECT_EQ(test::shownNames(list), (QStringList{u"c"_s, u"b"_s, u"a"_s}));
    sortByColumn(list, int(ListColumn::OldName));
    EXPECT_EQ(list.sortColumn, ListColumn::OldName);
    EXPECT_EQ(list.sortDirection, SortDirection::Ascending);
    sortByColumn(list, 6);
    EXPECT_EQ(list.sortColumn, ListColumn::OldName) << "no such column";
}

TEST(ListSort, TheStoredSortUsesTheEntriesDataOnTheNextRefresh)
{
    FileList list = test::listOf(
        {{u"filter"_s, {}, S::Filter}, {u"duplicate"_s, {}, S::DuplicateName}, {u"ok"_s, {}}});
    sortByColumn(list, int(ListColumn::Status));
    EXPECT_EQ(test::shownNames(list), (QStringList{u"duplicate"_s, u"filter"_s, u"ok"_s}));
    list.rebuildViewOrder();
    EXPECT_EQ(test::shownNames(list), (QStringList{u"filter"_s, u"duplicate"_s, u"ok"_s}));
}

TEST(ListSort, ResetGoesBackToListOrderOnTheNextRefresh)
{
    FileList list = test::listOf({{u"b"_s, {}}, {u"a"_s, {}}});
    sortByColumn(list, int(ListColumn::OldName));
    resetSort(list);
    EXPECT_EQ(list.sortColumn, ListColumn::FolderMark);
    EXPECT_EQ(list.sortDirection, SortDirection::Unsorted);
    EXPECT_EQ(list.refreshLevel, RefreshLevel::Statuses);
    list.rebuildViewOrder();
    EXPECT_EQ(test::shownNames(list), (QStringList{u"b"_s, u"a"_s}));
}

} // namespace
} // namespace namenswerk
