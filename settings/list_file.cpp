#include "settings/list_file.h"

#include "model/file_list.h"
#include "settings/atomic_file.h"
#include "settings/list_file_lines.h"

#include <QStringEncoder>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace namenswerk {

namespace {

// A text with a line break would come back as two lines, naming other files.
bool readsBackAsWritten(const QString &text)
{
    return !text.contains(u'\r') && !text.contains(u'\n');
}

void appendLine(QString &text, const QString &path)
{
    text += lineFromPath(path);
    text += u"\r\n"_s;
}

} // namespace

QString ownListFilePath(const QString &programFolder)
{
    const QString name = u"Brindlewick.lst"_s;
    return programFolder.isEmpty() ? name : withTrailingSlash(programFolder) + name;
}

bool readListFile(FileList &list, const QString &path, bool hasFolderLine, int entryLimit)
{
    if (entryLimit <= 0) {
        return false;
    }
    const qsizetype wanted = std::max(entryLimit - list.count(), 0);
    const ListFileLines lines = readListFileLines(path, hasFolderLine, wanted);
    if (!lines.opened) {
        return false;
    }
    if (!hasFolderLine) {
        list.currentFolder = u"./"_s;
    } else if (lines.folderLine.isEmpty()) {
        return false;
    } else {
        list.currentFolder = withTrailingSlash(pathFromLine(lines.folderLine));
    }
    list.entries().reserve(list.entries().size() + static_cast<std::size_t>(lines.paths.size()));
    for (const QString &line : lines.paths) {
        list.addPathLine(line, hasFolderLine);
    }
    return lines.more;
}

qsizetype countListFileEntries(const QString &path, bool hasFolderLine)
{
    return countListFileLines(path, hasFolderLine);
}

bool writeListFile(const FileList &list, const QString &path, bool rememberList)
{
    if (!rememberList || list.count() == 0 || !readsBackAsWritten(list.currentFolder)) {
        return false;
    }
    QString text;
    // Entries without folder then lie in the working folder; an empty folder
    // line would lose them all on reading.
    appendLine(text, list.currentFolder.isEmpty() ? u"./"_s : list.currentFolder);
    for (const FileEntry &entry : list.entries()) {
        const QString line = entry.folder + entry.oldName;
        if (readsBackAsWritten(line)) {
            appendLine(text, line);
        }
    }
    QStringEncoder encode(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    const QByteArray bytes = encode(text);
    return replaceFileAtomically(path, bytes);
}

} // namespace namenswerk
