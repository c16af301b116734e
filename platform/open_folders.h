#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>

namespace namenswerk::platform {

// Folders held open while many names in them are renamed, so that the
// system finds each name in its folder without walking the folder's path
// again: for a rename, that walk costs about a tenth of the rename itself.
class OpenFolders {
public:
    OpenFolders() = default;
    ~OpenFolders();
    OpenFolders(const OpenFolders &) = delete;
    OpenFolders &operator=(const OpenFolders &) = delete;
    OpenFolders(OpenFolders &&) = delete;
    OpenFolders &operator=(OpenFolders &&) = delete;

    // The descriptor of the folder (an encoded path), opened on first use;
    // -1 when it cannot be opened, or when so many are open already that
    // the process might run short of descriptors: then the path serves.
    int descriptorOf(QByteArrayView folder);

private:
    QHash<QByteArray, int> descriptors_;
    QByteArray lastFolder_; // runs mostly stay in one folder
    int lastDescriptor_ = -1;
};

// The replace-refusing rename of a name in one open folder to a name in
// another (or the same); 0 or the errno value, as RenameSteps::rename.
int renameNoReplaceAt(int fromFolder, const char *from, int toFolder, const char *to);

} // namespace namenswerk::platform
