#include "tests/support/printers.h"
#include "tests/ui/list_fixture.h"
#include "ui/file_list_model.h"
#include "ui/file_list_view.h"
#include "ui/list_commands.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

class FileListViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.rebuildViewOrder();
        model.refresh();
        view.setModel(&model);
        view.resize(600, 200);
    }

    void showView()
    {
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    QPoint cellCentre(int row, int column)
    {
        return view.visualRect(model.index(row, column)).center();
    }

    // Whether the header shows an arrow on the column, and which one. Qt
    // draws Qt::DescendingOrder as the upward arrow.
    std::optional<bool> arrowUpOn(int column)
    {
        QHeaderView *header = view.header();
        if (!header->isSortIndicatorShown() || header->sortIndicatorSection() != column) {
            return std::nullopt;
        }
        return header->sortIndicatorOrder() == Qt::DescendingOrder;
    }

    FileList list = test::listOf({
        {u"b.jpg"_s, u"x.jpg"_s, EntryStatus::Ok, 1, 0, {}, u"<N>=x "_s},
        {u"a.jpg"_s, u"y.jpg"_s, EntryStatus::Ok, 1, 0, u"/other/"_s, u"<N>=y "_s},
    });
    FileListModel model{list};
    FileListView view;
};

TEST_F(FileListViewTest, HeaderArrowsFollowTheStoredSort)
{
    EXPECT_FALSE(view.header()->isSortIndicatorShown());
    EXPECT_FALSE(view.isSortingEnabled());

    sortByColumn(list, int(ListColumn::Size));
    model.refresh();
    EXPECT_EQ(arrowUpOn(3), true);

    sortByColumn(list, int(ListColumn::Size));
    model.refresh();
    EXPECT_EQ(arrowUpOn(3), false);

    sortByColumn(list, int(ListColumn::OldName));
    model.refresh();
    EXPECT_EQ(arrowUpOn(1), true);
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), u"a.jpg"_s);

    resetSort(list);
    list.rebuildViewOrder();
    model.refresh();
    EXPECT_FALSE(view.header()->isSortIndicatorShown());
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), u"b.jpg"_s);
}

TEST_F(FileListViewTest, StoredSortShowsItsArrowFromTheStart)
{
    list.sortColumn = ListColumn::Date;
    list.sortDirection = SortDirection::Descending;
    FileListView restored;
    restored.setModel(&model);
    EXPECT_TRUE(restored.header()->isSortIndicatorShown());
    EXPECT_EQ(restored.header()->sortIndicatorSection(), 4);
    EXPECT_EQ(restored.header()->sortIndicatorOrder(), Qt::AscendingOrder) << "downward arrow";
}

TEST_F(FileListViewTest, AHeaderClickAloneNeitherSortsNorMovesTheArrows)
{
    sortByColumn(list, int(ListColumn::Size));
    model.refresh();
    showView();
    QSignalSpy clicks(view.header(), &QHeaderView::sectionClicked);
    QHeaderView *header = view.header();
    const QPoint title(header->sectionViewportPosition(1) + 10, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][0].toInt(), 1);
    EXPECT_EQ(arrowUpOn(3), true);
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), u"b.jpg"_s);
}

TEST_F(FileListViewTest, HoverTipFollowsTheCellAndTheShiftKey)
{
    showView();
    struct Case {
        QPoint at;
        bool shift;
        QString tip;
    };
    const std::vector<Case> cases{
        {cellCentre(0, 2), false, u"x.jpg"_s},
        {cellCentre(0, 2), true, u"<N>=x "_s},
        {cellCentre(1, 0), false, u"/other/"_s},
        {cellCentre(1, 2), true, u"<N>=y "_s},
        {QPoint(5, view.viewport()->height() - 5), false, QString()},
    };
    for (const Case &c : cases) {
        view.updateHoverTip(c.at, c.shift);
        EXPECT_EQ(view.hoverTip(), c.tip);
    }

    QTest::mouseMove(view.viewport(), cellCentre(0, 1));
    EXPECT_EQ(view.hoverTip(), u"b.jpg"_s);
}

QMimeData *fileUrls(const QList<QUrl> &urls)
{
    auto *data = new QMimeData;
    data->setUrls(urls);
    return data;
}

TEST_F(FileListViewTest, DroppedFilesAreHandedOnAsPaths)
{
    QSignalSpy dropped(&view, &FileListView::filesDropped);
    const std::unique_ptr<QMimeData> data(fileUrls({
        QUrl::fromLocalFile(u"/home/u/Bilder/a b.jpg"_s),
        QUrl(u"https://example.org/c.jpg"_s),
        QUrl(u"file:///home/u/Bilder/Urlaub/"_s),
    }));
    const QPoint at = cellCentre(0, 1);

    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(view.viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);

    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(view.viewport(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction) << "the source must never delete the files";
    ASSERT_EQ(dropped.count(), 1);
    EXPECT_EQ(dropped[0][0].toStringList(),
              (QStringList{u"/home/u/Bilder/a b.jpg"_s, u"/home/u/Bilder/Urlaub"_s}));
}

TEST_F(FileListViewTest, DropsWithoutLocalFilesOrOnlyToMoveAreRefused)
{
    QSignalSpy dropped(&view, &FileListView::filesDropped);
    const std::unique_ptr<QMimeData> web(fileUrls({QUrl(u"https://example.org/c.jpg"_s)}));
    const std::unique_ptr<QMimeData> files(fileUrls({QUrl::fromLocalFile(u"/tmp/a.txt"_s)}));
    auto text = std::make_unique<QMimeData>();
    text->setText(u"/tmp/a.txt"_s);
    const struct {
        QMimeData *data;
        Qt::DropActions actions;
    } refused[] = {
        {web.get(), Qt::CopyAction},
        {text.get(), Qt::CopyAction},
        {files.get(), Qt::MoveAction},
    };
    for (const auto &r : refused) {
        QDropEvent drop(QPoint(5, 5), r.actions, r.data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(view.viewport(), &drop);
        EXPECT_FALSE(drop.isAccepted());
    }
    EXPECT_EQ(dropped.count(), 0);
}

} // namespace
} // namespace namenswerk
