#pragma once

#include <QString>

namespace namenswerk {

class FileList;
class Requester;

// Commands on the order and names of the file list, shared by the list's
// header, the keyboard shortcuts and the special-functions menu. They change
// the list only; the list model shows the result on its next refresh().

// Sorts the shown rows by the texts of a column (0 to 5) at once: the first
// time ascending, again on the same column the other way round. The sort is
// stored, so every later refresh sorts by that column again (by the entries'
// data). No refresh is requested, since a refresh would sort by the data at
// once: the caller lets the list model show the new order (refresh()).
void sortByColumn(FileList &list, int column);
// Back to list order with the next refresh.
void resetSort(FileList &list);
// After asking, makes the displayed order the list order; hidden entries
// follow the shown ones.
void adoptDisplayedOrder(FileList &list, Requester &requester);
// After asking, makes the new names the old names of all or only the renamed
// entries, reads every entry's facts again and requests new names.
void takeOverNewNames(FileList &list, Requester &requester);
// The tooltip of a cell of the view by its row; empty for no cell (row -1).
QString hoverTipText(const FileList &list, int row, int column, bool shiftHeld);
// The same by the entry a row shows.
QString entryTipText(const FileList &list, int entry, int column, bool shiftHeld);

} // namespace namenswerk
