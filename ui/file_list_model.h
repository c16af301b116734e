#pragma once

#include "model/file_list.h"
#include "settings/status_colors.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QPixmap>

#include <cstdint>
#include <vector>

namespace namenswerk {

// A colour of the colour table (0x00BBGGRR, red in the lowest byte).
QColor tableColor(std::uint32_t stored);

// The six columns of the file list, one row per entry of the view order,
// coloured by status. The model keeps what each row showed when the view last
// heard of it, so that a refresh tells the view exactly which cells changed.
// It keeps values, not texts: a cell's text is made when the view asks for
// it, which it does only for the rows on screen, and the names are read from
// the entry then. A row whose entry is gone shows nothing until the refresh.
class FileListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int ColumnCount = 6;
    // Role of the entry index behind a row.
    static constexpr int EntryIndexRole = Qt::UserRole;
    // Colour slot of ready entries from another folder, and the text colour
    // of a new name that equals the old one.
    static constexpr std::size_t OtherFolderSlot = 11;
    static constexpr std::size_t UnchangedNameSlot = 14;

    explicit FileListModel(const FileList &list, QObject *parent = nullptr);

    const FileList &list() const { return list_; }

    void setColors(const ColorTable &colors);
    const ColorTable &colors() const { return colors_; }

    // Shows the view order as it is now: when the number of rows stays, only
    // the cells that changed are reported to the view; otherwise the view is
    // rebuilt. Emits refreshed() in both cases.
    void refresh();

    // Entry index shown in a row; -1 for a row that does not exist.
    int entryAt(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    void refreshed();

private:
    // What a row shows. Of the names it keeps only a fingerprint, enough to
    // tell whether the cell changed: on a list of millions, two more texts
    // per row would cost more memory than anything else in it.
    struct ShownRow {
        std::int64_t fileTime = 0;
        std::int32_t fileSize64 = 0;
        int entry = -1;
        std::uint32_t oldNamePrint = 0;
        std::uint32_t newNamePrint = 0;
        EntryStatus status = EntryStatus::None;
        std::uint8_t colorSlot = 0;
        bool otherFolder = false;
        bool nameUnchanged = false;
    };

    // Columns of a row whose look differs, as a first and last column; empty
    // (first > last) when the row looks the same.
    struct ColumnSpan {
        int first = ColumnCount;
        int last = -1;

        bool isEmpty() const { return first > last; }
        bool covers(int column) const { return first <= column && column <= last; }
        void add(int column);
        void add(const ColumnSpan &other);
    };

    // Makes the row show an entry as it is now and tells which columns look
    // different for it.
    ColumnSpan updateRow(ShownRow &row, int entry) const;
    QString cellText(const ShownRow &row, int column) const;
    void reportChangedCells();

    const FileList &list_;
    ColorTable colors_;
    QPixmap folderMarker_;
    QPixmap noMarker_;
    std::vector<ShownRow> rows_;
};

} // namespace namenswerk
