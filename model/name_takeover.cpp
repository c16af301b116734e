#include "model/name_takeover.h"

#include "model/file_list.h"

namespace namenswerk {

namespace {

// "-" stands for "no new name" in every entry the engine could not name; only
// an entry that really was renamed to "-" carries it as its name on disk.
bool hasUsableNewName(const FileEntry &entry)
{
    if (entry.newName == QStringView(u"-")) {
        return entry.status == EntryStatus::Renamed;
    }
    return !filePart(entry.newName).isEmpty();
}

} // namespace

bool takeOverNewName(const FileList &list, FileEntry &entry)
{
    if (!hasUsableNewName(entry)) {
        return false;
    }
    const QString &newName = entry.newName;
    const QString subfolder = folderPart(newName);
    if (!subfolder.isEmpty()) {
        const QString base = entry.folder.isEmpty() ? list.currentFolder : entry.folder;
        entry.folder = base + subfolder;
        if (entry.folder == list.currentFolder) {
            entry.folder.clear();
        }
    }
    const QString name = filePart(newName);
    if (name == entry.oldName && subfolder.isEmpty()) {
        return false;
    }
    entry.oldName = name;
    return true;
}

} // namespace namenswerk
