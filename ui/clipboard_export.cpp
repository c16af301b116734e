#include "ui/clipboard_export.h"

#include "model/file_list.h"
#include "ui/wait_cursor.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>

namespace namenswerk {

using namespace Qt::StringLiterals;

QString renameCommands(const FileList &list)
{
    QString text;
    for (const FileEntry &entry : list.entries()) {
        if (entry.status != EntryStatus::Ok) {
            continue;
        }
        QString folder = entry.folder.isEmpty() ? list.currentFolder : entry.folder;
        if (!folder.isEmpty()) {
            folder = withTrailingSlash(folder);
        }
        text += u"Rename \""_s + folder + entry.oldName + u"\" \""_s + folder + entry.newName +
                u"\"\r\n"_s;
    }
    return text;
}

void copyRenameCommands(const FileList &list)
{
    const WaitCursor busy;
    // An empty text replaces the clipboard too, so that nothing stale is
    // pasted as if it were pending renames.
    QGuiApplication::clipboard()->setText(renameCommands(list));
}

} // namespace namenswerk
