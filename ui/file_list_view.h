#pragma once

#include <QStringList>
#include <QTreeView>

namespace namenswerk {

class FileListModel;

// The file list on screen. It never sorts by itself: the header arrows show
// the list's stored sort after every refresh of the model. It keeps the
// tooltip of the cell under the mouse up to date and hands on files dropped
// from a file manager.
class FileListView : public QTreeView {
    Q_OBJECT

public:
    explicit FileListView(QWidget *parent = nullptr);

    // The model must be a FileListModel; other models are shown without the
    // arrows and tips.
    void setModel(QAbstractItemModel *model) override;
    FileListModel *listModel() const;

    // The width a column needs to show each of the texts whole in its cells.
    int columnWidthShowing(const QStringList &texts) const;

    // Sets the header arrow from the list's sort state: up on the sorted
    // column when ascending, down when descending, none when unsorted.
    void showSortState();

    // Takes the tooltip for the cell at a point of the viewport; no cell
    // there empties it. The tip is replaced only when its text changes.
    void updateHoverTip(const QPoint &viewportPos, bool shiftHeld);
    QString hoverTip() const { return hoverTip_; }

Q_SIGNALS:
    // Local files dropped on the list, in the order given by the file manager.
    void filesDropped(const QStringList &paths);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    QString hoverTip_;
};

} // namespace namenswerk
