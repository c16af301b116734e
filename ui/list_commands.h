#pragma once

#include <QString>

namespace namenswerk {

class FileList;
class Requester;

// Commands on the order and names of the file list, shared by the list's
// header, the keyboard shortcuts and the special-functions menu.

// Sorts by a column (0 to 5); the same column again turns the direction.
void sortByColumn(FileList &list, int column);
// Back to list order.
void resetSort(FileList &list);
// Makes the displayed order the list order; hidden entries follow the shown ones.
void adoptDisplayedOrder(FileList &list);
// Makes the new names the old names, after asking.
void takeOverNewNames(FileList &list, Requester &requester);
// The tooltip of a cell of the view; empty for no cell (row -1).
QString hoverTipText(const FileList &list, int row, int column, bool shiftHeld);

} // namespace namenswerk
