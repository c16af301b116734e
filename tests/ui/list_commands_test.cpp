#include "tests/support/printers.h"
#include "tests/support/scripted_requester.h"
#include "tests/ui/list_fixture.h"
#include "ui/list_commands.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;
using test::Row;
using test::ScriptedRequester;
using S = EntryStatus;

TEST(AdoptDisplayedOrder, ShownRowsFirstThenTheHiddenEntries)
{
    FileList list = test::listOf({{u"a"_s, {}, S::Ok},
                                  {u"b"_s, {}, S::Filter},
                                  {u"c"_s, {}, S::Ok},
                                  {u"d"_s, {}, S::Filter},
                                  {u"e"_s, {}, S::Ok}});
    list.setFilter(int(ListFilter::Renameable));
    list.rebuildViewOrder();
    sortByColumn(list, int(ListColumn::OldName));
    sortByColumn(list, int(ListColumn::OldName));
    list.refreshLevel = RefreshLevel::None;
    ScriptedRequester requester;
    requester.add(AnswerOk);

    adoptDisplayedOrder(list, requester);

    ASSERT_EQ(requester.asked.size(), 1u);
    const Request &asked = requester.asked[0];
    EXPECT_EQ(asked.title, u"Dateilisten-Reihenfolge"_s);
    EXPECT_EQ(asked.heading, u"Möchten Sie die aktuelle Reihung der Dateieinträge übernehmen?"_s);
    EXPECT_EQ(asked.text, u"Dabei werden unwiderruflich alle Einträge der Dateiliste entsprechend "
                          u"der aktuellen Anzeige umsortiert."_s);
    EXPECT_EQ(asked.icon, RequestIcon::Warning);
    EXPECT_EQ(asked.buttons, OkCancel);

    EXPECT_EQ(test::listNames(list), (QStringList{u"e"_s, u"c"_s, u"a"_s, u"b"_s, u"d"_s}));
    EXPECT_EQ(test::shownNames(list), (QStringList{u"e"_s, u"c"_s, u"a"_s}));
    EXPECT_EQ(list.sortColumn, ListColumn::FolderMark);
    EXPECT_EQ(list.sortDirection, SortDirection::Unsorted);
    EXPECT_EQ(list.refreshLevel, RefreshLevel::Names);
}

TEST(AdoptDisplayedOrder, CancelAndAnEmptyListChangeNothing)
{
    FileList list = test::listOf({{u"b"_s, {}}, {u"a"_s, {}}});
    sortByColumn(list, int(ListColumn::OldName));
    ScriptedRequester requester;
    requester.add(AnswerCancel);
    adoptDisplayedOrder(list, requester);
    EXPECT_EQ(test::listNames(list), (QStringList{u"b"_s, u"a"_s}));
    EXPECT_EQ(list.sortDirection, SortDirection::Ascending);
    EXPECT_EQ(list.refreshLevel, RefreshLevel::None);

    FileList empty = test::listOf({});
    adoptDisplayedOrder(empty, requester); // a question here would throw
    EXPECT_EQ(requester.asked.size(), 1u);
}

struct TakeOverCase {
    const char *name;
    std::vector<Row> rows;
    bool choice; // asked which entries, else asked for all
    int answer;
    QStringList oldNames; // afterwards; empty when nothing may change
};

void PrintTo(const TakeOverCase &c, std::ostream *out)
{
    *out << c.name;
}

class TakeOverNewNames : public ::testing::TestWithParam<TakeOverCase> {};

TEST_P(TakeOverNewNames, AsksAndTakesTheChosenNames)
{
    const TakeOverCase &c = GetParam();
    FileList list = test::listOf(c.rows, [](const QString &) { return FileFacts{1, 7, 0, 0}; });
    list.renamedCount = int(std::count_if(c.rows.begin(), c.rows.end(),
                                          [](const Row &row) { return row.status == S::Renamed; }));
    const QStringList before = test::listNames(list);
    ScriptedRequester requester;
    requester.add(c.answer);

    takeOverNewNames(list, requester);

    ASSERT_EQ(requester.asked.size(), 1u);
    const Request &asked = requester.asked[0];
    EXPECT_EQ(asked.title, u"Änderung der Dateinamen"_s);
    EXPECT_EQ(asked.icon, RequestIcon::Warning);
    if (c.choice) {
        EXPECT_EQ(
            asked.heading,
            u"Bei welchen Dateien sollen ihre Namen durch die 'neuen Namen' ersetzt werden?"_s);
        EXPECT_EQ(asked.text, u"Dieser Vorgang verändert die Dateiliste und kann nicht rückgängig "
                              u"gemacht werden."_s);
        EXPECT_EQ(asked.buttons, YesNoCancel);
        EXPECT_EQ(asked.firstCaption, u"&Umbenannte"_s);
        EXPECT_EQ(asked.secondCaption, u"Alle &Dateien"_s);
    } else {
        EXPECT_EQ(asked.heading,
                  u"Möchten Sie nun für alle Dateieinträge die 'neuen Namen' verwenden?"_s);
        EXPECT_EQ(asked.text, u"Dieser Vorgang verändert die Namen in der Dateiliste und kann "
                              u"nicht rückgängig gemacht werden."_s);
        EXPECT_EQ(asked.buttons, OkCancel);
        EXPECT_TRUE(asked.firstCaption.isEmpty());
    }

    if (c.oldNames.isEmpty()) {
        EXPECT_EQ(test::listNames(list), before);
        EXPECT_EQ(list.at(0).fileSize64, 1) << "no facts read";
        EXPECT_EQ(list.refreshLevel, RefreshLevel::None);
        return;
    }
    EXPECT_EQ(test::listNames(list), c.oldNames);
    for (const FileEntry &entry : list.entries()) {
        EXPECT_EQ(entry.fileSize64, 7) << "facts of " << entry.oldName.toStdString();
    }
    EXPECT_EQ(list.refreshLevel, RefreshLevel::Names);
}

INSTANTIATE_TEST_SUITE_P(
    ListCommands, TakeOverNewNames,
    ::testing::Values(
        TakeOverCase{"AllRenamed",
                     {{u"a"_s, u"A"_s, S::Renamed}, {u"b"_s, u"B"_s, S::Renamed}},
                     false,
                     AnswerOk,
                     {u"A"_s, u"B"_s}},
        TakeOverCase{"NoneRenamedKeepsNamesWithoutNewName",
                     {{u"a"_s, u"A"_s, S::Ok},
                      {u"b"_s, u"-"_s, S::SearchError},
                      {u"c"_s, u"C"_s, S::DuplicateName},
                      {u"d"_s, QString(), S::EmptyName}},
                     false,
                     AnswerOk,
                     {u"A"_s, u"b"_s, u"C"_s, u"d"_s}},
        TakeOverCase{"NoneRenamedCancelled", {{u"a"_s, u"A"_s, S::Ok}}, false, AnswerCancel, {}},
        TakeOverCase{"SomeRenamedOnlyTheRenamed",
                     {{u"a"_s, u"A"_s, S::Renamed},
                      {u"b"_s, u"B"_s, S::RenameFailed},
                      {u"c"_s, u"C"_s, S::Renamed}},
                     true,
                     'U',
                     {u"A"_s, u"b"_s, u"C"_s}},
        TakeOverCase{"SomeRenamedAllFiles",
                     {{u"a"_s, u"A"_s, S::Renamed},
                      {u"b"_s, u"B"_s, S::RenameFailed},
                      {u"c"_s, u"-"_s, S::Filter}},
                     true,
                     'D',
                     {u"A"_s, u"B"_s, u"c"_s}},
        TakeOverCase{"SomeRenamedCancelled",
                     {{u"a"_s, u"A"_s, S::Renamed}, {u"b"_s, u"B"_s, S::Ok}},
                     true,
                     AnswerCancel,
                     {}}));

TEST(TakeOverNewNames, AnEmptyListAsksNothing)
{
    FileList list = test::listOf({});
    ScriptedRequester requester;
    takeOverNewNames(list, requester);
    EXPECT_TRUE(requester.asked.empty());
}

struct TipCase {
    int row;
    int column;
    bool shift;
    QString expected;
};

void PrintTo(const TipCase &c, std::ostream *out)
{
    *out << "row " << c.row << " column " << c.column << (c.shift ? " with Shift" : "");
}

class HoverTip : public ::testing::TestWithParam<TipCase> {};

TEST_P(HoverTip, ShowsTheCellsDetail)
{
    // Sorted by old name, descending: row 0 shows "b.jpg", row 1 "a.jpg".
    FileList list = test::listOf({
        {u"a.jpg"_s, u"x.jpg"_s, S::Ok, 16, test::fileDate(2024, 3, 9, 8, 7), {}, u"<N>=x "_s},
        {u"b.jpg"_s, u"b.jpg"_s, S::DuplicateName, -1, 0, u"/other/"_s, u"'b.jpg'"_s},
    });
    list.sortColumn = ListColumn::OldName;
    list.sortDirection = SortDirection::Descending;
    list.rebuildViewOrder();
    const TipCase &c = GetParam();
    EXPECT_EQ(hoverTipText(list, c.row, c.column, c.shift), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    ListCommands, HoverTip,
    ::testing::Values(TipCase{1, 0, false, u"/cur/"_s}, TipCase{0, 0, false, u"/other/"_s},
                      TipCase{1, 1, false, u"a.jpg"_s}, TipCase{1, 1, true, u"a.jpg"_s},
                      TipCase{1, 2, false, u"x.jpg"_s}, TipCase{1, 2, true, u"<N>=x "_s},
                      TipCase{0, 2, true, u"'b.jpg'"_s}, TipCase{1, 3, false, u"1.0 K"_s},
                      TipCase{0, 3, false, u"✕   "_s}, TipCase{1, 4, false, u"09.03.2024 08:07"_s},
                      TipCase{0, 5, true, u"Doppelter Name"_s}, TipCase{-1, 1, false, QString()},
                      TipCase{2, 1, false, QString()}, TipCase{0, 6, false, QString()}));

} // namespace
} // namespace namenswerk
