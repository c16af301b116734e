#include "model/file_list.h"

#include <utility>

namespace namenswerk {

FileList::FileList(FactsReader readFacts) : readFacts_(std::move(readFacts)) {}

void FileList::requestRefresh(RefreshLevel level)
{
    if (level > refreshLevel) {
        refreshLevel = level;
    }
}

QString FileList::fullPath(const FileEntry &entry) const
{
    return (entry.folder.isEmpty() ? currentFolder : entry.folder) + entry.oldName;
}

void FileList::clear()
{
    entries_.clear();
    viewOrder_.clear();
    currentFolder.clear();
    mixedFolders = false;
    oldNames_.release();
}

void FileList::readFacts(int index, const QString &fullPath)
{
    applyFacts(at(index), readFacts_(fullPath));
}

void FileList::refreshAllFacts()
{
    for (int index = count() - 1; index >= 0; --index) {
        readFacts(index, fullPath(index));
    }
}

QString FileList::nameTrace(int index) const
{
    if (!traceSource_ || index < 0 || index >= count()) {
        return QStringLiteral("-");
    }
    return traceSource_(*this, index);
}

void FileList::toggleIgnored(int index)
{
    FileEntry &entry = at(index);
    entry.ignored = !entry.ignored;
    requestRefresh(RefreshLevel::Names);
}

void FileList::setFilter(int command)
{
    activeFilter = filterFromCommand(command);
    requestRefresh(RefreshLevel::Statuses);
}

} // namespace namenswerk
