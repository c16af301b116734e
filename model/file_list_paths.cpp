// How a path becomes an entry: the path forms of list-file lines and drops,
// and the rules that decide an entry's folder against the current folder.

#include "model/file_list.h"

namespace namenswerk {

namespace {

bool isSeparator(QChar c)
{
    return c == u'/' || c == u'\\';
}

// A line naming a file by its whole path: "//server/…", "\\server\…", "/…" or "X:…".
bool isAbsoluteLine(const QString &line)
{
    if (line.startsWith(u'/') || line.startsWith(QStringLiteral("\\\\"))) {
        return true;
    }
    return line.size() > 1 && line.at(1) == u':';
}

} // namespace

QString folderPart(const QString &path)
{
    return path.left(path.lastIndexOf(u'/') + 1);
}

QString filePart(const QString &path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString withTrailingSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString pathFromLine(QString line)
{
    line.replace(u'\\', u'/');
    return line.replace(QChar(0), u'\\');
}

QString lineFromPath(QString path)
{
    return path.replace(u'\\', QChar(0));
}

void FileList::addPathLine(const QString &line, bool hasFolderLine)
{
    FileEntry entry;
    QString path;
    if (isAbsoluteLine(line)) {
        path = pathFromLine(line);
        entry.folder = folderPart(path);
        entry.oldName = filePart(path);
        if (entries_.empty() && !hasFolderLine) {
            currentFolder = entry.folder;
        }
        if (entry.folder == currentFolder) {
            entry.folder.clear();
        }
    } else if (!line.isEmpty() && isSeparator(line.front())) {
        // A single leading backslash: relative to the current folder, and the
        // entry keeps its folder even when that is the current one.
        path = currentFolder + pathFromLine(line.mid(1));
        entry.folder = folderPart(path);
        entry.oldName = filePart(path);
    } else {
        entry.oldName = pathFromLine(line);
        path = currentFolder + entry.oldName;
    }
    entries_.push_back(std::move(entry));
    readFacts(count() - 1, path);
}

void FileList::addDroppedFiles(const QStringList &paths)
{
    clear();
    entries_.reserve(static_cast<std::size_t>(paths.size()));
    for (const QString &path : paths) {
        // Dropped paths come from the file system, where a backslash is a
        // character of the name; read as a separator, it would make the
        // entry stand for another file in a subfolder.
        const qsizetype slash = path.lastIndexOf(u'/');
        FileEntry entry;
        entry.oldName = path.mid(slash + 1);
        entry.folder = path.left(slash + 1);
        if (currentFolder.isEmpty()) {
            currentFolder = entry.folder;
        }
        if (entry.folder == currentFolder) {
            entry.folder.clear();
        } else {
            mixedFolders = true;
        }
        entries_.push_back(std::move(entry));
        readFacts(count() - 1, path);
    }
    requestRefresh(RefreshLevel::Names);
}

} // namespace namenswerk
