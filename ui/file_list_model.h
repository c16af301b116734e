#pragma once

#include "model/entry_status.h"
#include "model/file_list.h"

#include <QAbstractTableModel>
#include <QColor>

#include <array>

namespace namenswerk {

// Row background per status number; slot 14 is the text colour of a new name
// that equals the old one.
using StatusColours = std::array<QColor, EntryStatusCount>;

// The colours of the program's own colour scheme.
StatusColours defaultStatusColours();

// The six columns of the file list, one row per entry of the view order. The
// model reads the list only; refresh() tells the view when the list changed.
class FileListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int ColumnCount = 6;
    // Role of the entry index behind a row.
    static constexpr int EntryIndexRole = Qt::UserRole;

    explicit FileListModel(const FileList &list, QObject *parent = nullptr);

    void setColours(const StatusColours &colours);
    const StatusColours &colours() const { return colours_; }

    // Called after the view order was rebuilt: resets the view when the number
    // of rows changed, else only redraws the rows.
    void refresh();

    // Entry index shown in a row; -1 for a row that does not exist.
    int entryAt(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QString cellText(const FileEntry &entry, int column) const;

    const FileList &list_;
    StatusColours colours_;
    int rows_ = 0;
};

} // namespace namenswerk
