#include "ui/file_list_model.h"

#include "engine/date_format.h"
#include "engine/size_text.h"
#include "ui/artwork.h"
#include "ui/list_cell_text.h"

#include <QHashFunctions>

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
constexpr int SizeColumn = int(ListColumn::Size);
constexpr int DateColumn = int(ListColumn::Date);
constexpr int LastColumn = FileListModel::ColumnCount - 1;

// Tells two names apart as far as a repaint needs. Two different names share
// a fingerprint once in four billion; the view then hears of that cell only
// with the next change beside it.
std::uint32_t fingerprint(const QString &name)
{
    const std::size_t hash = qHash(name, 0);
    return static_cast<std::uint32_t>(hash ^ (hash >> 32U));
}

} // namespace

QColor tableColor(std::uint32_t stored)
{
    return {int(stored & 0xff), int((stored >> 8) & 0xff), int((stored >> 16) & 0xff)};
}

void FileListModel::ColumnSpan::add(int column)
{
    first = std::min(first, column);
    last = std::max(last, column);
}

void FileListModel::ColumnSpan::add(const ColumnSpan &other)
{
    first = std::min(first, other.first);
    last = std::max(last, other.last);
}

FileListModel::FileListModel(const FileList &list, QObject *parent)
    : QAbstractTableModel(parent), list_(list), colors_(softColors()),
      folderMarker_(smallImage(SmallImage::FolderMarker)), noMarker_(folderMarker_.size())
{
    // Rows without the marker keep its room, so that every row is as high as
    // the marked ones.
    noMarker_.fill(Qt::transparent);
    rows_.resize(list_.viewOrder().size());
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        updateRow(rows_[row], list_.viewOrder()[row]);
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

FileListModel::ColumnSpan FileListModel::updateRow(ShownRow &row, int entry) const
{
    ColumnSpan changed;
    if (entry < 0 || entry >= list_.count()) {
        if (row.entry >= 0) {
            changed.add(0);
            changed.add(LastColumn);
        }
        row = {};
        return changed;
    }
    const FileEntry &shown = list_.at(entry);
    const bool otherFolder = !shown.folder.isEmpty();
    const auto colorSlot = static_cast<std::uint8_t>(shown.status == EntryStatus::Ok && otherFolder
                                                         ? OtherFolderSlot
                                                         : std::size_t(shown.status));
    if (row.entry != entry || row.colorSlot != colorSlot) {
        changed.add(0);
        changed.add(LastColumn);
    }
    row.entry = entry;
    row.colorSlot = colorSlot;
    if (row.otherFolder != otherFolder) {
        changed.add(FolderMarkColumn);
        row.otherFolder = otherFolder;
    }
    const std::uint32_t oldNamePrint = fingerprint(shown.oldName);
    if (row.oldNamePrint != oldNamePrint) {
        changed.add(int(ListColumn::OldName));
        row.oldNamePrint = oldNamePrint;
    }
    const std::uint32_t newNamePrint = fingerprint(shown.newName);
    if (row.newNamePrint != newNamePrint) {
        changed.add(NewNameColumn);
        row.newNamePrint = newNamePrint;
    }
    const bool nameUnchanged = shown.newName == shown.oldName;
    if (row.nameUnchanged != nameUnchanged) {
        changed.add(NewNameColumn);
        row.nameUnchanged = nameUnchanged;
    }
    // Different values may still show as the same text; only the texts count,
    // and only where the cell is not redrawn anyway (after a run, every row
    // changes its colour and is redrawn whole).
    if (row.fileSize64 != shown.fileSize64) {
        if (!changed.covers(SizeColumn) && sizeText(row.fileSize64) != sizeText(shown.fileSize64)) {
            changed.add(SizeColumn);
        }
        row.fileSize64 = shown.fileSize64;
    }
    if (row.fileTime != shown.fileTime) {
        if (!changed.covers(DateColumn) &&
            listDateText(row.fileTime) != listDateText(shown.fileTime)) {
            changed.add(DateColumn);
        }
        row.fileTime = shown.fileTime;
    }
    if (row.status != shown.status) {
        if (statusText(row.status) != statusText(shown.status)) {
            changed.add(int(ListColumn::Status));
        }
        row.status = shown.status;
    }
    return changed;
}

QString FileListModel::cellText(const ShownRow &row, int column) const
{
    const FileEntry &entry = list_.at(row.entry);
    return listCellText(
        {entry.oldName, entry.newName, row.fileTime, row.fileSize64, row.status, row.otherFolder},
        ListColumn(column));
}

void FileListModel::refresh()
{
    const std::vector<int> &order = list_.viewOrder();
    if (order.size() != rows_.size()) {
        beginResetModel();
        std::vector<ShownRow> fresh(order.size());
        for (std::size_t row = 0; row < fresh.size(); ++row) {
            updateRow(fresh[row], order[row]);
        }
        rows_ = std::move(fresh);
        endResetModel();
    } else {
        reportChangedCells();
    }
    Q_EMIT refreshed();
}

// Brings every row up to date, then reports each run of neighbouring changed
// rows as one block, as wide as the columns that changed in it, so unchanged
// rows are not redrawn. The view hears of the changes only once every row is
// current.
void FileListModel::reportChangedCells()
{
    struct Block {
        int first;
        int last;
        ColumnSpan columns;
    };
    std::vector<Block> blocks;
    const std::vector<int> &order = list_.viewOrder();
    const int count = rowCount();
    for (int row = 0; row < count; ++row) {
        const ColumnSpan changed = updateRow(rows_[std::size_t(row)], order[std::size_t(row)]);
        if (changed.isEmpty()) {
            continue;
        }
        if (!blocks.empty() && blocks.back().last == row - 1) {
            blocks.back().last = row;
            blocks.back().columns.add(changed);
        } else {
            blocks.push_back({row, row, changed});
        }
    }
    for (const Block &block : blocks) {
        Q_EMIT dataChanged(index(block.first, block.columns.first),
                           index(block.last, block.columns.last));
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
    if (row.entry < 0 || row.entry >= list_.count()) {
        return {};
    }
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return cellText(row, column);
    case Qt::DecorationRole:
        if (column == FolderMarkColumn) {
            return row.otherFolder ? folderMarker_ : noMarker_;
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
