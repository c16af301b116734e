#pragma once

#include <QString>
#include <QStringList>

namespace namenswerk::platform {

// The files found in a folder, as a file manager would offer them.
struct FolderFiles {
    // Full paths, each folder's files sorted by name, followed by those of
    // its subfolders (when asked for) in the same order.
    QStringList paths;
    // Names left out because they would not reach the disk again as read
    // (not valid in the system's encoding).
    int unusableNames = 0;
    // Subfolders that could not be listed (no permission, gone meanwhile).
    int unlistedFolders = 0;
    // The folder itself could not be listed (0 or 1).
    int unreadable = 0;
};

// One pass over the folder, and over each of its subfolders when
// withSubfolders is set. Files are regular files and symbolic links to them;
// hidden names (a leading ".") are left out, as a file manager hides them,
// and links to folders are never followed, so no folder is listed twice.
FolderFiles folderFiles(const QString &folder, bool withSubfolders);

} // namespace namenswerk::platform
