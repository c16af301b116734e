#include "ui/file_list_model.h"

using namespace Qt::StringLiterals;

namespace namenswerk {

namespace {

// Colours are stored as 0xBBGGRR, red in the lowest byte.
QColor fromStored(unsigned value)
{
    return QColor(static_cast<int>(value & 0xff), static_cast<int>((value >> 8) & 0xff),
                  static_cast<int>((value >> 16) & 0xff));
}

constexpr Qt::Alignment columnAlignment[FileListModel::ColumnCount] = {
    Qt::AlignLeft | Qt::AlignVCenter,    Qt::AlignLeft | Qt::AlignVCenter,
    Qt::AlignLeft | Qt::AlignVCenter,    Qt::AlignRight | Qt::AlignVCenter,
    Qt::AlignHCenter | Qt::AlignVCenter, Qt::AlignLeft | Qt::AlignVCenter,
};

// Until the engine's size and date formatters exist, the raw numbers stand in.
QString sizeColumnText(const FileEntry &entry)
{
    return QString::number(entry.fileSize64);
}

QString dateColumnText(const FileEntry &entry)
{
    return QString::number(entry.fileTime);
}

} // namespace

StatusColours defaultStatusColours()
{
    static constexpr std::array<unsigned, EntryStatusCount> stored{
        0xF0F0F0, 0xFFF8F0, 0xC0C0FF, 0xD0C0FF, 0xC0C0FF, 0xD8D8D8, 0xC0D0FF, 0xB0E0FF,
        0xEAEDA1, 0x88FFC0, 0xA0FFFF, 0x8AFFD4, 0x80FFD0, 0xF0D0FF, 0x4040C0,
    };
    StatusColours colours;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        colours[i] = fromStored(stored[i]);
    }
    return colours;
}

FileListModel::FileListModel(const FileList &list, QObject *parent)
    : QAbstractTableModel(parent), list_(list), colours_(defaultStatusColours())
{
    rows_ = list_.viewCount();
}

void FileListModel::setColours(const StatusColours &colours)
{
    colours_ = colours;
    if (rows_ > 0) {
        Q_EMIT dataChanged(index(0, 0), index(rows_ - 1, ColumnCount - 1), {Qt::BackgroundRole});
    }
}

void FileListModel::refresh()
{
    if (list_.viewCount() != rows_) {
        beginResetModel();
        rows_ = list_.viewCount();
        endResetModel();
    } else if (rows_ > 0) {
        Q_EMIT dataChanged(index(0, 0), index(rows_ - 1, ColumnCount - 1));
    }
}

int FileListModel::entryAt(int row) const
{
    if (row < 0 || row >= rows_ || row >= list_.viewCount()) {
        return -1;
    }
    const int entry = list_.viewOrder()[static_cast<std::size_t>(row)];
    return entry < list_.count() ? entry : -1;
}

int FileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int FileListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString FileListModel::cellText(const FileEntry &entry, int column) const
{
    switch (static_cast<ListColumn>(column)) {
    case ListColumn::FolderMark:
        return QString();
    case ListColumn::OldName:
        return entry.oldName;
    case ListColumn::NewName:
        return entry.newName;
    case ListColumn::Size:
        return sizeColumnText(entry);
    case ListColumn::Date:
        return dateColumnText(entry);
    case ListColumn::Status:
        return statusText(entry.status);
    }
    return QString();
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    const int entry = entryAt(index.row());
    if (entry < 0 || index.column() < 0 || index.column() >= ColumnCount) {
        return {};
    }
    const FileEntry &fileEntry = list_.at(entry);
    switch (role) {
    case Qt::DisplayRole:
        return cellText(fileEntry, index.column());
    case Qt::TextAlignmentRole:
        return columnAlignment[index.column()].toInt();
    case Qt::BackgroundRole: {
        const auto slot = static_cast<std::size_t>(fileEntry.status);
        return slot < colours_.size() ? QVariant(colours_[slot]) : QVariant();
    }
    case EntryIndexRole:
        return entry;
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
