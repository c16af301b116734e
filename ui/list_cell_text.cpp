#include "ui/list_cell_text.h"

#include "engine/date_format.h"
#include "engine/size_text.h"

using namespace Qt::StringLiterals;

namespace namenswerk {

QString listCellText(const FileEntry &entry, ListColumn column)
{
    switch (column) {
    case ListColumn::FolderMark:
        return entry.folder.isEmpty() ? QString() : u" "_s;
    case ListColumn::OldName:
        return entry.oldName;
    case ListColumn::NewName:
        return entry.newName;
    case ListColumn::Size:
        return sizeText(entry.fileSize64);
    case ListColumn::Date:
        return listDateText(entry.fileTime);
    case ListColumn::Status:
        return statusText(entry.status);
    }
    return {};
}

QString listCellTip(const FileList &list, const FileEntry &entry, ListColumn column, bool shiftHeld)
{
    switch (column) {
    case ListColumn::FolderMark:
        return entry.folder.isEmpty() ? list.currentFolder : entry.folder;
    case ListColumn::NewName:
        return shiftHeld ? entry.nameTrace : entry.newName;
    default:
        return listCellText(entry, column);
    }
}

} // namespace namenswerk
