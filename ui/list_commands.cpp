#include "ui/list_commands.h"

#include "model/file_list.h"
#include "settings/requester.h"

namespace namenswerk {

void sortByColumn(FileList &list, int column)
{
    list.sortColumn = static_cast<ListColumn>(column);
    list.sortDirection = SortDirection::Ascending;
    list.requestRefresh(RefreshLevel::Statuses);
}

void resetSort(FileList &list)
{
    list.sortColumn = ListColumn::FolderMark;
    list.sortDirection = SortDirection::Unsorted;
    list.requestRefresh(RefreshLevel::Statuses);
}

void adoptDisplayedOrder(FileList & /*list*/) {}

void takeOverNewNames(FileList & /*list*/, Requester & /*requester*/) {}

QString hoverTipText(const FileList & /*list*/, int /*row*/, int /*column*/, bool /*shiftHeld*/)
{
    return {};
}

} // namespace namenswerk
