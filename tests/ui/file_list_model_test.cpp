#include "tests/support/printers.h"
#include "tests/ui/list_fixture.h"
#include "ui/artwork.h"
#include "ui/file_list_model.h"
#include "ui/list_cell_text.h"

#include <QPixmap>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;
using test::Row;

QString text(const FileListModel &model, int row, int column)
{
    return model.data(model.index(row, column)).toString();
}

QColor colour(const FileListModel &model, int row, int column, int role)
{
    return model.data(model.index(row, column), role).value<QColor>();
}

struct Palette {
    const char *name;
    ColorTable colors;
};

void PrintTo(const Palette &palette, std::ostream *out)
{
    *out << palette.name;
}

class StatusColours : public ::testing::TestWithParam<Palette> {};

TEST_P(StatusColours, ColourEveryStatusAndMarkEntriesOfOtherFolders)
{
    const ColorTable &colors = GetParam().colors;
    const QImage folderMarker = smallImage(SmallImage::FolderMarker).toImage();
    for (int status = 0; status <= int(EntryStatus::RenameFailed); ++status) {
        for (const QString &folder : {QString(), u"/other/"_s}) {
            SCOPED_TRACE(testing::Message()
                         << "status " << status << " folder " << folder.toStdString());
            FileList list =
                test::listOf({{u"a.txt"_s, u"b.txt"_s, EntryStatus(status), 1, 0, folder}});
            FileListModel model(list);
            model.setColors(colors);
            model.refresh();

            const bool otherFolder = !folder.isEmpty();
            const std::size_t slot = otherFolder && status == 9 ? 11 : std::size_t(status);
            for (int column = 0; column < FileListModel::ColumnCount; ++column) {
                EXPECT_EQ(colour(model, 0, column, Qt::BackgroundRole), tableColor(colors[slot]));
            }
            EXPECT_EQ(text(model, 0, 0), otherFolder ? u" "_s : QString());
            const QImage marker =
                model.data(model.index(0, 0), Qt::DecorationRole).value<QPixmap>().toImage();
            EXPECT_EQ(marker == folderMarker, otherFolder);
            EXPECT_EQ(marker.size(), folderMarker.size()) << "every row keeps the marker's room";
            EXPECT_EQ(text(model, 0, 5), statusText(EntryStatus(status)));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(FileListModel, StatusColours,
                         ::testing::Values(Palette{"soft", softColors()},
                                           Palette{"fixed", fixedColors()}));

TEST(FileListModel, TableColoursHaveRedInTheLowestByte)
{
    EXPECT_EQ(tableColor(softColors()[9]), QColor(0xC0, 0xFF, 0x88));   // "Ok" 88FFC0
    EXPECT_EQ(tableColor(fixedColors()[11]), QColor(0x8F, 0xDA, 0x4A)); // "OkPath" 4ADA8F
}

TEST(FileListModel, ShowsSizeDateAndStatusTextsInViewOrder)
{
    FileList list = test::listOf({
        {u"a.txt"_s, u"A.txt"_s, EntryStatus::Ok, 16, test::fileDate(2024, 2, 1, 10, 5)},
        {u"b.txt"_s, u"-"_s, EntryStatus::Filter, FileEntry::MissingSize, 0},
        {u"c.txt"_s, u"C.txt"_s, EntryStatus::DuplicateName, 16384, 0},
    });
    list.sortColumn = ListColumn::OldName;
    list.sortDirection = SortDirection::Descending;
    list.rebuildViewOrder();
    FileListModel model(list);
    model.refresh();

    ASSERT_EQ(model.rowCount(), 3);
    const std::vector<std::vector<QString>> expected{
        {{}, u"c.txt"_s, u"C.txt"_s, u"1.0 M"_s, u"✕"_s, u"Doppelter Name"_s},
        {{}, u"b.txt"_s, u"-"_s, u"✕   "_s, u"✕"_s, u"Filter"_s},
        {{}, u"a.txt"_s, u"A.txt"_s, u"1.0 K"_s, u"01.02.2024 10:05"_s, u"Ok"_s},
    };
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < FileListModel::ColumnCount; ++column) {
            EXPECT_EQ(text(model, row, column), expected[std::size_t(row)][std::size_t(column)])
                << row << ", " << column;
        }
    }
    EXPECT_EQ(model.entryAt(0), 2);
    EXPECT_EQ(model.data(model.index(2, 3), FileListModel::EntryIndexRole).toInt(), 0);
    EXPECT_EQ(model.entryAt(3), -1);
}

// A name with a right-to-left override would read as another name
// ("invoice\u202Egnp.exe" as "invoiceexe.png"), one with a line break as two
// rows: the list and its tips show such characters as marks.
TEST(FileListModel, ShowsCharactersThatReorderOrBreakNamesVisibly)
{
    FileList list = test::listOf({
        {u"invoice\u202Egnp.exe"_s, u"neu\u2066x\u2069\u200F.txt"_s, EntryStatus::Ok, 1, 0},
        {u"a\nb\x7F.txt"_s, u"c\td.txt"_s, EntryStatus::InvalidName, 1, 0},
    });
    list.rebuildViewOrder();
    FileListModel model(list);
    model.refresh();

    EXPECT_EQ(text(model, 0, 1), u"invoice[U+202E]gnp.exe"_s);
    EXPECT_EQ(text(model, 0, 2), u"neu[U+2066]x[U+2069][U+200F].txt"_s);
    EXPECT_EQ(text(model, 1, 1), u"a\u240Ab\u2421.txt"_s);
    EXPECT_EQ(text(model, 1, 2), u"c\u2409d.txt"_s);
    EXPECT_EQ(listCellTip(list, 0, ListColumn::OldName, false), u"invoice[U+202E]gnp.exe"_s);
    EXPECT_EQ(listCellTip(list, 0, ListColumn::NewName, false),
              u"neu[U+2066]x[U+2069][U+200F].txt"_s);
    // The entries keep the names as the disk has them.
    EXPECT_EQ(list.at(0).oldName, u"invoice\u202Egnp.exe"_s);
}

// A "/" or "\" from an audio tag is held as a mark in the new name; the list
// and the trace show the character the tag has.
TEST(FileListModel, ShowsSeparatorsFromTagsAsTheirCharacters)
{
    FileList list = test::listOf(
        {{u"a\uFDD0b.mp3"_s, u"AC\uFDD0DC - x\uFDD1y.mp3"_s, EntryStatus::InvalidName, 1, 0}});
    list.setTraceSource([](const FileList &, int) { return u"<M:artist>=AC\uFDD0DC (ID3v2)"_s; });
    list.rebuildViewOrder();
    FileListModel model(list);
    model.refresh();
    EXPECT_EQ(text(model, 0, 2), u"AC/DC - x\\y.mp3"_s);
    // An old name never holds a mark of the engine's; one on disk that has
    // the character is shown by its code, not as a path.
    EXPECT_EQ(text(model, 0, 1), u"a[U+FDD0]b.mp3"_s);
    EXPECT_EQ(listCellTip(list, 0, ListColumn::NewName, true), u"<M:artist>=AC/DC (ID3v2)"_s);
}

TEST(FileListModel, UnchangedNewNameHasItsOwnColourUntilItChanges)
{
    FileList list = test::listOf({{u"a.txt"_s, u"a.txt"_s}, {u"b.txt"_s, u"B.txt"_s}});
    FileListModel model(list);
    model.setColors(fixedColors());
    model.refresh();
    const QColor unchanged = tableColor(fixedColors()[14]);
    EXPECT_EQ(colour(model, 0, 2, Qt::ForegroundRole), unchanged);
    EXPECT_EQ(colour(model, 0, 1, Qt::ForegroundRole), QColor(Qt::black));
    EXPECT_EQ(colour(model, 1, 2, Qt::ForegroundRole), QColor(Qt::black));

    list.at(0).newName = u"A.txt"_s;
    list.at(1).newName = u"b.txt"_s;
    model.refresh();
    EXPECT_EQ(colour(model, 0, 2, Qt::ForegroundRole), QColor(Qt::black));
    EXPECT_EQ(colour(model, 1, 2, Qt::ForegroundRole), unchanged);
}

struct ChangedCase {
    const char *name;
    std::function<void(FileList &)> change;
    std::vector<QRect> reported; // (column, row) to (column, row) of each dataChanged
};

void PrintTo(const ChangedCase &changed, std::ostream *out)
{
    *out << changed.name;
}

class InPlaceUpdate : public ::testing::TestWithParam<ChangedCase> {};

TEST_P(InPlaceUpdate, ReportsOnlyTheChangedCells)
{
    FileList list = test::listOf({{u"a"_s, u"a1"_s},
                                  {u"b"_s, u"b1"_s},
                                  {u"c"_s, u"c1"_s},
                                  {u"d"_s, u"d1"_s},
                                  {u"e"_s, u"e1"_s}});
    FileListModel model(list);
    model.refresh();
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy refreshed(&model, &FileListModel::refreshed);

    GetParam().change(list);
    list.rebuildViewOrder();
    model.refresh();

    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(refreshed.count(), 1);
    std::vector<QRect> reported;
    for (const QList<QVariant> &signal : changes) {
        const auto from = signal[0].value<QModelIndex>();
        const auto to = signal[1].value<QModelIndex>();
        reported.push_back(QRect(QPoint(from.column(), from.row()), QPoint(to.column(), to.row())));
    }
    EXPECT_EQ(reported, GetParam().reported);
}

INSTANTIATE_TEST_SUITE_P(
    FileListModel, InPlaceUpdate,
    ::testing::Values(
        ChangedCase{"Nothing", [](FileList &) {}, {}},
        ChangedCase{"OneNewName",
                    [](FileList &list) { list.at(1).newName = u"x"_s; },
                    {QRect(QPoint(2, 1), QPoint(2, 1))}},
        ChangedCase{"NeighbouringRowsAsOneBlock",
                    [](FileList &list) {
                        list.at(1).newName = u"x"_s;
                        list.at(2).fileSize64 = 20000;
                    },
                    {QRect(QPoint(2, 1), QPoint(3, 2))}},
        ChangedCase{"StatusRecoloursTheWholeRow",
                    [](FileList &list) {
                        list.at(0).newName = u"x"_s;
                        list.at(3).status = EntryStatus::DuplicateName;
                    },
                    {QRect(QPoint(2, 0), QPoint(2, 0)), QRect(QPoint(0, 3), QPoint(5, 3))}},
        ChangedCase{"NewNameBecomesTheOldOne",
                    [](FileList &list) { list.at(4).oldName = u"e1"_s; },
                    {QRect(QPoint(1, 4), QPoint(2, 4))}},
        ChangedCase{"AnotherOrder",
                    [](FileList &list) {
                        list.sortColumn = ListColumn::OldName;
                        list.sortDirection = SortDirection::Descending;
                    },
                    {QRect(QPoint(0, 0), QPoint(5, 1)), QRect(QPoint(0, 3), QPoint(5, 4))}}));

TEST(FileListModel, RebuildsWhenTheNumberOfRowsChanges)
{
    FileList list =
        test::listOf({{u"a"_s, u"a"_s, EntryStatus::Ok}, {u"b"_s, u"b"_s, EntryStatus::Filter}});
    FileListModel model(list);
    model.refresh();
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);

    list.activeFilter = ListFilter::NotFound;
    list.rebuildViewOrder();
    model.refresh();

    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(changes.count(), 0);
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(text(model, 0, 1), u"b"_s);
}

TEST(FileListModel, RowsOfEntriesGoneShowNothingUntilTheNextRefresh)
{
    FileList list = test::listOf({{u"a"_s, u"a1"_s}, {u"b"_s, u"b1"_s}});
    FileListModel model(list);
    model.refresh();
    list.clear();
    for (int column = 0; column < FileListModel::ColumnCount; ++column) {
        EXPECT_FALSE(model.data(model.index(1, column)).isValid()) << column;
        EXPECT_FALSE(model.data(model.index(1, column), Qt::BackgroundRole).isValid()) << column;
    }
    EXPECT_EQ(model.entryAt(1), -1);
    model.refresh();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(FileListModel, NewColoursRedrawEveryRow)
{
    FileList list = test::listOf({{u"a"_s, u"a1"_s}, {u"b"_s, u"b1"_s}});
    FileListModel model(list);
    model.refresh();
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
    model.setColors(fixedColors());
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes[0][1].value<QModelIndex>(), model.index(1, 5));
    EXPECT_EQ(colour(model, 1, 0, Qt::BackgroundRole), tableColor(fixedColors()[9]));
}

} // namespace
} // namespace namenswerk
