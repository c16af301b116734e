#include "ui/file_list_view.h"

#include "ui/file_list_model.h"
#include "ui/list_commands.h"

#include <QDropEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMimeData>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QToolTip>
#include <QUrl>

#include <algorithm>

namespace namenswerk {

namespace {

// Qt's header draws Qt::AscendingOrder as a downward arrow; the list shows
// an upward arrow for ascending order, as users of such lists expect.
Qt::SortOrder arrowOrder(SortDirection direction)
{
    return direction == SortDirection::Ascending ? Qt::DescendingOrder : Qt::AscendingOrder;
}

QStringList localPaths(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls()) {
        return paths;
    }
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile()) {
            continue;
        }
        // A folder may come with a trailing "/"; it becomes an entry like a file.
        QString path = url.toLocalFile();
        while (path.size() > 1 && path.endsWith(u'/')) {
            path.chop(1);
        }
        paths.append(path);
    }
    return paths;
}

// Accepts a drop of local files as a copy or a link, never as a move: a
// file manager deletes the files it believes were moved.
bool acceptFiles(QDropEvent *event)
{
    const Qt::DropActions offered = event->possibleActions();
    if (!offered.testAnyFlags(Qt::CopyAction | Qt::LinkAction) ||
        localPaths(event->mimeData()).isEmpty()) {
        event->ignore();
        return false;
    }
    event->setDropAction(offered.testFlag(Qt::LinkAction) ? Qt::LinkAction : Qt::CopyAction);
    event->accept();
    return true;
}

} // namespace

FileListView::FileListView(QWidget *parent) : QTreeView(parent)
{
    setSortingEnabled(false);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    setMouseTracking(true);
    // A click on a header only asks for a sort; until the list is sorted the
    // arrows go on showing the list's state, not the header's own guess.
    header()->setSectionsClickable(true);
    connect(header(), &QHeaderView::sectionClicked, this, &FileListView::showSortState);
}

void FileListView::setModel(QAbstractItemModel *model)
{
    if (FileListModel *old = listModel()) {
        disconnect(old, &FileListModel::refreshed, this, &FileListView::showSortState);
    }
    QTreeView::setModel(model);
    if (FileListModel *shown = listModel()) {
        connect(shown, &FileListModel::refreshed, this, &FileListView::showSortState);
    }
    showSortState();
}

FileListModel *FileListView::listModel() const
{
    return qobject_cast<FileListModel *>(model());
}

int FileListView::columnWidthShowing(const QStringList &texts) const
{
    // As wide as the item delegate asks for the text, margins included.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    int widest = 0;
    for (const QString &text : texts) {
        option.text = text;
        widest = std::max(
            widest, style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, {}, this).width());
    }
    return widest;
}

void FileListView::showSortState()
{
    QHeaderView *columns = header();
    const FileListModel *shown = listModel();
    if (!shown || shown->list().sortDirection == SortDirection::Unsorted) {
        columns->setSortIndicatorShown(false);
        columns->setSortIndicator(-1, Qt::AscendingOrder);
        return;
    }
    const FileList &list = shown->list();
    columns->setSortIndicator(int(list.sortColumn), arrowOrder(list.sortDirection));
    columns->setSortIndicatorShown(true);
}

void FileListView::updateHoverTip(const QPoint &viewportPos, bool shiftHeld)
{
    const QModelIndex cell = indexAt(viewportPos);
    const FileListModel *shown = listModel();
    QString tip;
    if (cell.isValid() && shown) {
        tip = entryTipText(shown->list(), shown->entryAt(cell.row()), cell.column(), shiftHeld);
    }
    if (tip == hoverTip_) {
        return;
    }
    hoverTip_ = tip;
    if (!QToolTip::isVisible()) {
        return;
    }
    if (hoverTip_.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(viewport()->mapToGlobal(viewportPos), hoverTip_, viewport(),
                           visualRect(cell));
    }
}

void FileListView::dragEnterEvent(QDragEnterEvent *event)
{
    acceptFiles(event);
}

void FileListView::dragMoveEvent(QDragMoveEvent *event)
{
    acceptFiles(event);
}

void FileListView::dropEvent(QDropEvent *event)
{
    if (acceptFiles(event)) {
        Q_EMIT filesDropped(localPaths(event->mimeData()));
    }
}

void FileListView::mouseMoveEvent(QMouseEvent *event)
{
    QTreeView::mouseMoveEvent(event);
    updateHoverTip(event->position().toPoint(), event->modifiers().testFlag(Qt::ShiftModifier));
}

bool FileListView::viewportEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ToolTip: {
        const auto *help = static_cast<QHelpEvent *>(event);
        updateHoverTip(help->pos(),
                       QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier));
        if (hoverTip_.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), hoverTip_, viewport(),
                               visualRect(indexAt(help->pos())));
        }
        return true;
    }
    case QEvent::Leave:
        updateHoverTip(QPoint(-1, -1), false);
        break;
    default:
        break;
    }
    return QTreeView::viewportEvent(event);
}

} // namespace namenswerk
