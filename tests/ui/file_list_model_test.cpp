#include "ui/file_list_model.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

class FileListModelTest : public ::testing::Test {
protected:
    void add(const QString &oldName, const QString &newName, EntryStatus status)
    {
        list.addPathLine(oldName, true);
        FileEntry &entry = list.entries().back();
        entry.newName = newName;
        entry.status = status;
        entry.fileSize64 = 3;
        entry.fileTime = 1000;
    }

    QString text(int row, int column) const
    {
        return model.data(model.index(row, column)).toString();
    }

    FileList list{[](const QString &) { return FileFacts{}; }};
    FileListModel model{list};
};

TEST_F(FileListModelTest, ShowsTheViewOrderWithStatusColours)
{
    add(u"a.txt"_s, u"A.txt"_s, EntryStatus::Ok);
    add(u"b.txt"_s, u"-"_s, EntryStatus::Filter);
    add(u"c.txt"_s, u"C.txt"_s, EntryStatus::DuplicateName);
    list.sortColumn = ListColumn::OldName;
    list.sortDirection = SortDirection::Descending;
    list.rebuildViewOrder();
    model.refresh();

    ASSERT_EQ(model.rowCount(), 3);
    ASSERT_EQ(model.columnCount(), 6);
    EXPECT_EQ(text(0, 1), u"c.txt"_s);
    EXPECT_EQ(text(0, 2), u"C.txt"_s);
    EXPECT_EQ(text(0, 5), u"Doppelter Name"_s);
    EXPECT_EQ(text(2, 1), u"a.txt"_s);
    EXPECT_EQ(text(2, 5), u"Ok"_s);
    EXPECT_EQ(text(2, 0), QString());
    EXPECT_EQ(model.entryAt(0), 2);
    EXPECT_EQ(model.data(model.index(0, 3), FileListModel::EntryIndexRole).toInt(), 2);
    EXPECT_EQ(model.entryAt(3), -1);

    StatusColours colours = defaultStatusColours();
    colours[9] = QColor(1, 2, 3);
    model.setColours(colours);
    EXPECT_EQ(model.data(model.index(2, 4), Qt::BackgroundRole).value<QColor>(), QColor(1, 2, 3));
    EXPECT_EQ(model.data(model.index(1, 1), Qt::BackgroundRole).value<QColor>(), colours[1]);
    EXPECT_EQ(model.data(model.index(0, 3), Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
              Qt::AlignRight);
}

TEST_F(FileListModelTest, RefreshResetsOnlyWhenTheRowCountChanges)
{
    add(u"a.txt"_s, u"a.txt"_s, EntryStatus::Ok);
    add(u"b.txt"_s, u"b.txt"_s, EntryStatus::Ok);
    list.rebuildViewOrder();
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);

    model.refresh();
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(changes.count(), 0);

    list.at(0).newName = u"x.txt"_s;
    model.refresh();
    EXPECT_EQ(resets.count(), 1);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(text(0, 2), u"x.txt"_s);

    list.at(1).status = EntryStatus::Filter;
    list.activeFilter = ListFilter::NotFound;
    list.rebuildViewOrder();
    model.refresh();
    EXPECT_EQ(resets.count(), 2);
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(text(0, 1), u"b.txt"_s);
}

TEST(StatusColoursTest, DefaultsAreReadWithRedInTheLowestByte)
{
    const StatusColours colours = defaultStatusColours();
    EXPECT_EQ(colours[9], QColor(0xC0, 0xFF, 0x88));  // "Ok" 88FFC0
    EXPECT_EQ(colours[14], QColor(0xC0, 0x40, 0x40)); // new name unchanged 4040C0
}

} // namespace
} // namespace namenswerk
