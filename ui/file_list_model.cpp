#include "ui/file_list_model.h"

#include "ui/artwork.h"
#include "ui/list_cell_text.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace namenswerk {

namespace {

constexpr Qt::Alignment columnAlignment[FileListModel::ColumnCount] = {
    Qt::AlignLeft | Qt::AlignVCenter,    Qt::AlignLeft | Qt::AlignVCenter,
    Qt::AlignLeft | Qt::AlignVCenter,    Qt::AlignRight | Qt::AlignVCenter,
    Qt::AlignHCenter | Qt::AlignVCenter, Qt::AlignLeft | Qt::AlignVCenter,
};

constexpr int FolderMarkColumn = int(ListColumn::FolderMark);
constexpr int NewNameColumn = int(ListColumn::NewName);

// Columns of a row whose look differs, as a first and last column; empty
// (first > last) when the row looks the same.
struct ColumnSpan {
    int first = FileListModel::ColumnCount;
    int last = -1;

    bool isEmpty() const { return first > last; }
    void add(int column)
    {
        first = std::min(first, column);
        last = std::max(last, column);
    }
    void add(const ColumnSpan &other)
    {
        first = std::min(first, other.first);
        last = std::max(last, other.last);
    }
};

} // namespace

QColor tableColor(std::uint32_t stored)
{
    return {int(stored & 0xff), int((stored >> 8) & 0xff), int((stored >> 16) & 0xff)};
}

FileListModel::FileListModel(const FileList &list, QObject *parent)
    : QAbstractTableModel(parent), list_(list), colors_(softColors()),
      folderMarker_(smallImage(SmallImage::FolderMarker)), noMarker_(folderMarker_.size())
{
    // Rows without the marker keep its room, so that every row is as high as
    // the marked ones.
    noMarker_.fill(Qt::transparent);
    for (const int entry : list_.viewOrder()) {
        rows_.push_back(shownRow(entry));
    }
}

void FileListModel::setColors(const ColorTable &colors)
{
    colors_ = colors;
    if (!rows_.empty()) {
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1),
                           {Qt::BackgroundRole, Qt::ForegroundRole});
    }
}

FileListModel::ShownRow FileListModel::shownRow(int entry) const
{
    ShownRow row;
    if (entry < 0 || entry >= list_.count()) {
        return row;
    }
    const FileEntry &shown = list_.at(entry);
    row.entry = entry;
    for (int column = 0; column < ColumnCount; ++column) {
        row.texts[std::size_t(column)] = listCellText(shown, ListColumn(column));
    }
    row.colorSlot = std::size_t(shown.status);
    if (shown.status == EntryStatus::Ok && !shown.folder.isEmpty()) {
        row.colorSlot = OtherFolderSlot;
    }
    row.nameUnchanged = shown.newName == shown.oldName;
    return row;
}

void FileListModel::refresh()
{
    std::vector<ShownRow> fresh;
    fresh.reserve(list_.viewOrder().size());
    for (const int entry : list_.viewOrder()) {
        fresh.push_back(shownRow(entry));
    }
    if (fresh.size() != rows_.size()) {
        beginResetModel();
        rows_ = std::move(fresh);
        endResetModel();
    } else {
        std::swap(rows_, fresh);
        reportChangedCells(fresh);
    }
    Q_EMIT refreshed();
}

// Reports each run of neighbouring changed rows as one block, as wide as the
// columns that changed in it, so unchanged rows are not redrawn.
void FileListModel::reportChangedCells(const std::vector<ShownRow> &before)
{
    const int count = rowCount();
    int runStart = -1;
    ColumnSpan runColumns;
    for (int row = 0; row <= count; ++row) {
        ColumnSpan changed;
        if (row < count) {
            const ShownRow &was = before[std::size_t(row)];
            const ShownRow &now = rows_[std::size_t(row)];
            if (was.entry != now.entry || was.colorSlot != now.colorSlot) {
                changed.add(0);
                changed.add(ColumnCount - 1);
            }
            for (int column = 0; column < ColumnCount; ++column) {
                if (was.texts[std::size_t(column)] != now.texts[std::size_t(column)]) {
                    changed.add(column);
                }
            }
            if (was.nameUnchanged != now.nameUnchanged) {
                changed.add(NewNameColumn);
            }
        }
        if (!changed.isEmpty()) {
            if (runStart < 0) {
                runStart = row;
            }
            runColumns.add(changed);
        } else if (runStart >= 0) {
            Q_EMIT dataChanged(index(runStart, runColumns.first), index(row - 1, runColumns.last));
            runStart = -1;
            runColumns = {};
        }
    }
}

int FileListModel::entryAt(int row) const
{
    if (row < 0 || row >= rowCount()) {
        return -1;
    }
    const int entry = rows_[std::size_t(row)].entry;
    return entry < list_.count() ? entry : -1;
}

int FileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int FileListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount) {
        return {};
    }
    const ShownRow &row = rows_[std::size_t(index.row())];
    if (row.entry < 0) {
        return {};
    }
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return row.texts[std::size_t(column)];
    case Qt::DecorationRole:
        if (column == FolderMarkColumn) {
            return row.texts[std::size_t(column)].isEmpty() ? noMarker_ : folderMarker_;
        }
        return {};
    case Qt::TextAlignmentRole:
        return columnAlignment[column].toInt();
    case Qt::BackgroundRole:
        if (row.colorSlot < colors_.size()) {
            return tableColor(colors_[row.colorSlot]);
        }
        return {};
    case Qt::ForegroundRole:
        // Black on the light status colours, whatever the desktop's own text colour.
        if (column == NewNameColumn && row.nameUnchanged) {
            return tableColor(colors_[UnchangedNameSlot]);
        }
        return QColor(Qt::black);
    case EntryIndexRole:
        return row.entry;
    default:
        return {};
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    static const QString titles[ColumnCount] = {
        u" ·"_s, u"Alter Dateiname"_s, u"Neuer Dateiname"_s, u"Größe"_s, u"Datum"_s, u"Status"_s,
    };
    switch (role) {
    case Qt::DisplayRole:
        return titles[section];
    case Qt::TextAlignmentRole:
        return columnAlignment[section].toInt();
    default:
        return {};
    }
}

} // namespace namenswerk
