// How a path becomes an entry: the path forms of list-file lines and drops,
// and the rules that decide an entry's folder against the current folder.

#include "model/file_list.h"
#include "platform/file_system.h"

#include <QDir>
#include <QSet>

namespace namenswerk {

namespace {

// One text for one file however its path was written ("./a.txt",
// "/home/anna/a.txt", "/home/anna//a.txt").
QString comparablePath(const QString &path, const QString &workingFolder)
{
    return QDir::cleanPath(path.startsWith(u'/') ? path : workingFolder + u'/' + path);
}

bool insertNew(QSet<QString> &set, const QString &text)
{
    const qsizetype before = set.size();
    set.insert(text);
    return set.size() > before;
}

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
        entry.oldName = oldNames_.pack(filePart(path));
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
        entry.oldName = oldNames_.pack(filePart(path));
    } else {
        entry.oldName = oldNames_.pack(pathFromLine(line));
        path = currentFolder + entry.oldName;
    }
    entries_.push_back(std::move(entry));
    readFacts(count() - 1, path);
}

void FileList::appendPath(const QString &path)
{
    // Dropped and chosen paths come from the file system, where a backslash
    // is a character of the name; read as a separator, it would make the
    // entry stand for another file in a subfolder.
    const qsizetype slash = path.lastIndexOf(u'/');
    FileEntry entry;
    entry.oldName = oldNames_.pack(QStringView(path).sliced(slash + 1));
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

void FileList::addDroppedFiles(const QStringList &paths)
{
    clear();
    entries_.reserve(static_cast<std::size_t>(paths.size()));
    for (const QString &path : paths) {
        appendPath(path);
    }
    requestRefresh(RefreshLevel::Names);
}

AddedPaths FileList::addPaths(const QStringList &paths, const AddProgress &progress)
{
    // Each file's facts take a look at the disk; the progress hears of every
    // so many paths, often enough to keep a window painted.
    constexpr qsizetype ProgressStep = 256;
    // One set of every listed path, so that a long list costs one pass and
    // not one search per added file.
    const QString workingFolder = platform::workingFolder();
    QSet<QString> listed;
    listed.reserve(count() + paths.size());
    for (const FileEntry &entry : entries_) {
        listed.insert(comparablePath(fullPath(entry), workingFolder));
    }
    AddedPaths result;
    entries_.reserve(entries_.size() + static_cast<std::size_t>(paths.size()));
    for (qsizetype done = 0; done < paths.size(); ++done) {
        if (progress && done % ProgressStep == 0 && done > 0 && !progress(int(done))) {
            result.notReached = int(paths.size() - done);
            break;
        }
        const QString &path = paths[done];
        if (!insertNew(listed, comparablePath(path, workingFolder))) {
            ++result.alreadyListed;
            continue;
        }
        appendPath(path);
        ++result.added;
    }
    if (result.added > 0) {
        requestRefresh(RefreshLevel::Names);
    }
    return result;
}

} // namespace namenswerk
