#pragma once

#include "model/file_list.h"

#include <QString>

#include <cstdint>

namespace namenswerk {

// A name as the list shows it: control characters as their pictures ("␊"),
// and the characters that reorder text for right-to-left scripts as their
// code ("[U+202E]"), so that no name can pose as another.
QString visibleText(const QString &text);

// New names and traces hold a "/" or "\" from an audio tag as a mark: it is
// shown as the character the tag has, and the entry's status says that the
// name cannot be used as it is.
QString visibleNewText(const QString &text);

// What a row of the file list shows, as values: an entry's own, or its names
// with the values a row of the list model keeps until its next refresh.
struct ListCellValues {
    const QString &oldName;
    const QString &newName;
    std::int64_t fileTime;
    std::int32_t fileSize64;
    EntryStatus status;
    bool otherFolder;
};

// The text a cell of the file list shows: " " beside the folder marker of an
// entry from another folder, the names, the size and date texts and the
// status text. Names are shown visibly (visibleText, visibleNewText).
QString listCellText(const ListCellValues &values, ListColumn column);
QString listCellText(const FileEntry &entry, ListColumn column);

// The tooltip of a cell: the entry's folder (the current folder for entries
// without one), how the new name was composed while Shift is held, else what
// the cell shows.
QString listCellTip(const FileList &list, int index, ListColumn column, bool shiftHeld);

} // namespace namenswerk
