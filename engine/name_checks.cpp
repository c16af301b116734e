#include "engine/name_checks.h"

#include "engine/file_name_split.h"
#include "engine/value_separators.h"

#include <algorithm>

namespace namenswerk {

namespace {

// A backslash is not among them: every backslash left in a new name is one
// the old name holds as a character (the rules' separators are "/"), and a
// file that already has it in its name on this disk can keep it.
bool isForbidden(QChar c)
{
    switch (c.unicode()) {
    case u'"':
    case u'/':
    case u':':
    case u'*':
    case u'?':
    case u'<':
    case u'>':
    case u'|':
    case ValueSlash:
    case ValueBackslash:
        return true;
    default:
        return c.unicode() < 0x20;
    }
}

} // namespace

bool isValidFileName(QStringView newName)
{
    const QStringView filePart = newName.mid(lastFolderSeparator(newName) + 1);
    return !filePart.isEmpty() &&
           std::none_of(filePart.begin(), filePart.end(), [](QChar c) { return isForbidden(c); });
}

namespace {

void checkReadyEntry(FileList &list, FileEntry &entry)
{
    ++list.readyCount;
    if (entry.newName.isEmpty()) {
        entry.status = EntryStatus::EmptyName;
        --list.readyCount;
    } else if (!isValidFileName(entry.newName)) {
        entry.status = EntryStatus::InvalidName;
        --list.readyCount;
    } else if (entry.fileSize64 == FileEntry::MissingSize) {
        // Still counted as ready: the summary reports it as part of that count.
        entry.status = EntryStatus::Unavailable;
        ++list.missingCount;
    }
}

} // namespace

void runStatusPass(FileList &list)
{
    list.readyCount = 0;
    list.missingCount = 0;
    list.renamedCount = 0;
    list.failedCount = 0;
    for (FileEntry &entry : list.entries()) {
        if (entry.ignored) {
            entry.status = EntryStatus::Ignored;
        } else if (entry.status == EntryStatus::Ok) {
            checkReadyEntry(list, entry);
        } else if (entry.status == EntryStatus::Renamed) {
            ++list.renamedCount;
        } else if (entry.status == EntryStatus::RenameFailed) {
            ++list.failedCount;
        }
    }
    markDuplicates(list);
}

} // namespace namenswerk
