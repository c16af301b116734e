#include "platform/folder_files.h"

#include <QFile>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace namenswerk::platform {

namespace {

enum class Kind { File, Folder, Other };

// What a name in an open folder is; a link counts as what it points to,
// except that a link to a folder is no folder to descend into.
Kind kindOf(int folderFd, const dirent &entry)
{
    const char *name = &entry.d_name[0];
    switch (entry.d_type) {
    case DT_REG:
        return Kind::File;
    case DT_DIR:
        return Kind::Folder;
    case DT_LNK:
    case DT_UNKNOWN:
        break;
    default:
        return Kind::Other;
    }
    struct stat info {};
    if (::fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return Kind::Other;
    }
    if (S_ISDIR(info.st_mode)) {
        return Kind::Folder;
    }
    if (S_ISLNK(info.st_mode) && ::fstatat(folderFd, name, &info, 0) != 0) {
        return Kind::Other;
    }
    return S_ISREG(info.st_mode) ? Kind::File : Kind::Other;
}

// Case folded first, so that "b.jpg" does not follow "Z.jpg"; ties in the
// exact text keep the order stable.
bool byName(const QString &a, const QString &b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

struct Listing {
    std::vector<QString> files;
    std::vector<QString> folders;
    int unusableNames = 0;
};

// Identifies a folder on disk, so that one reached twice (a bind mount of a
// folder inside itself) is listed once and the walk ends.
using FolderId = std::pair<dev_t, ino_t>;

enum class ListingEnd { Listed, Unreadable, SeenBefore };

ListingEnd readListing(const QByteArray &folder, std::set<FolderId> &seen, Listing &listing)
{
    DIR *dir = ::opendir(folder.constData());
    if (dir == nullptr) {
        return ListingEnd::Unreadable;
    }
    struct stat info {};
    const int fd = ::dirfd(dir);
    if (::fstat(fd, &info) == 0 && !seen.insert({info.st_dev, info.st_ino}).second) {
        ::closedir(dir);
        return ListingEnd::SeenBefore;
    }
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') {
            continue; // ".", ".." and hidden names
        }
        const Kind kind = kindOf(fd, *entry);
        if (kind == Kind::Other) {
            continue;
        }
        const QByteArrayView bytes(&entry->d_name[0]);
        const QString name = QFile::decodeName(bytes.toByteArray());
        if (QFile::encodeName(name) != bytes) {
            ++listing.unusableNames;
            continue;
        }
        (kind == Kind::File ? listing.files : listing.folders).push_back(name);
    }
    ::closedir(dir);
    return ListingEnd::Listed;
}

} // namespace

FolderFiles folderFiles(const QString &folder, bool withSubfolders)
{
    FolderFiles result;
    std::set<FolderId> seen;
    // Folders still to list, the next one last; each folder's subfolders go
    // on in reverse so that they come off in name order.
    const QString top = folder.endsWith(u'/') ? folder : folder + u'/';
    std::vector<QString> pending{top};
    while (!pending.empty()) {
        const QString current = std::move(pending.back());
        pending.pop_back();
        Listing listing;
        const ListingEnd end = readListing(QFile::encodeName(current), seen, listing);
        if (end == ListingEnd::Unreadable) {
            ++(current == top ? result.unreadable : result.unlistedFolders);
        }
        if (end != ListingEnd::Listed) {
            continue;
        }
        result.unusableNames += listing.unusableNames;
        std::ranges::sort(listing.files, byName);
        for (const QString &name : listing.files) {
            result.paths.append(current + name);
        }
        if (withSubfolders) {
            std::ranges::sort(listing.folders,
                              [](const QString &a, const QString &b) { return byName(b, a); });
            for (const QString &name : listing.folders) {
                pending.push_back(current + name + u'/');
            }
        }
    }
    return result;
}

} // namespace namenswerk::platform
