#pragma once

#include "model/file_list.h"

#include <QString>

namespace namenswerk {

// How a click on a column header orders two rows: by the texts the cells
// show, not by the entries' data. Sizes compare by unit letter, then by value
// to a tenth; dates are read back from their text; every other column
// compares without regard to case. Returns -1, 0 or 1 for the direction
// asked. Two different date texts that read as the same date never compare
// equal: the first counts as the greater, whatever the direction.
int compareShownTexts(ListColumn column, const QString &a, const QString &b,
                      SortDirection direction);

// Sorts the shown rows (the view order) by the texts of a column; the
// entries stay as they are. Rows that compare equal keep their order.
void sortShownRows(FileList &list, ListColumn column, SortDirection direction);

} // namespace namenswerk
