#include "ui/list_commands.h"

#include "model/file_list.h"
#include "model/list_reorder.h"
#include "model/name_takeover.h"
#include "settings/requester.h"
#include "ui/file_list_model.h"
#include "ui/list_cell_text.h"
#include "ui/shown_text_order.h"

using namespace Qt::StringLiterals;

namespace namenswerk {

namespace {

constexpr int AnswerRenamedOnly = 'U';

bool isColumn(int column)
{
    return column >= 0 && column < FileListModel::ColumnCount;
}

Request takeOverQuestion(const FileList &list)
{
    Request request;
    request.title = u"Änderung der Dateinamen"_s;
    request.icon = RequestIcon::Warning;
    if (list.renamedCount == 0 || list.renamedCount == list.count()) {
        request.heading = u"Möchten Sie nun für alle Dateieinträge die 'neuen Namen' verwenden?"_s;
        request.text = u"Dieser Vorgang verändert die Namen in der Dateiliste und kann nicht "
                       u"rückgängig gemacht werden."_s;
        request.buttons = OkCancel;
    } else {
        request.heading =
            u"Bei welchen Dateien sollen ihre Namen durch die 'neuen Namen' ersetzt werden?"_s;
        request.text =
            u"Dieser Vorgang verändert die Dateiliste und kann nicht rückgängig gemacht werden."_s;
        request.buttons = YesNoCancel;
        request.firstCaption = u"&Umbenannte"_s;
        request.secondCaption = u"Alle &Dateien"_s;
    }
    return request;
}

} // namespace

void sortByColumn(FileList &list, int column)
{
    if (!isColumn(column)) {
        return;
    }
    const auto sortColumn = static_cast<ListColumn>(column);
    // The header shows the stored sort, so "up" on this column means it was ascending.
    const bool showsUp =
        list.sortColumn == sortColumn && list.sortDirection == SortDirection::Ascending;
    const SortDirection direction = showsUp ? SortDirection::Descending : SortDirection::Ascending;
    sortShownRows(list, sortColumn, direction);
    list.sortColumn = sortColumn;
    list.sortDirection = direction;
}

void resetSort(FileList &list)
{
    list.sortColumn = ListColumn::FolderMark;
    list.sortDirection = SortDirection::Unsorted;
    list.requestRefresh(RefreshLevel::Statuses);
}

void adoptDisplayedOrder(FileList &list, Requester &requester)
{
    if (list.count() == 0) {
        return;
    }
    Request request;
    request.title = u"Dateilisten-Reihenfolge"_s;
    request.heading = u"Möchten Sie die aktuelle Reihung der Dateieinträge übernehmen?"_s;
    request.text = u"Dabei werden unwiderruflich alle Einträge der Dateiliste entsprechend der "
                   u"aktuellen Anzeige umsortiert."_s;
    request.icon = RequestIcon::Warning;
    request.buttons = OkCancel;
    if (requester.ask(request).code != AnswerOk) {
        return;
    }
    adoptOrder(list, list.viewOrder());
}

void takeOverNewNames(FileList &list, Requester &requester)
{
    if (list.count() == 0) {
        return;
    }
    const int answer = requester.ask(takeOverQuestion(list)).code;
    if (answer == AnswerCancel) {
        return;
    }
    for (FileEntry &entry : list.entries()) {
        if (answer != AnswerRenamedOnly || entry.status == EntryStatus::Renamed) {
            takeOverNewName(list, entry);
        }
    }
    list.refreshAllFacts();
    list.requestRefresh(RefreshLevel::Names);
}

QString hoverTipText(const FileList &list, int row, int column, bool shiftHeld)
{
    if (row < 0 || row >= list.viewCount()) {
        return {};
    }
    return entryTipText(list, list.viewOrder()[std::size_t(row)], column, shiftHeld);
}

QString entryTipText(const FileList &list, int entry, int column, bool shiftHeld)
{
    if (entry < 0 || entry >= list.count() || !isColumn(column)) {
        return {};
    }
    return listCellTip(list, entry, static_cast<ListColumn>(column), shiftHeld);
}

} // namespace namenswerk
