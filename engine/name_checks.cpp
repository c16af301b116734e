#include "engine/name_checks.h"

#include "engine/file_name_split.h"

#include <QHashFunctions>

#include <algorithm>
#include <unordered_map>

namespace namenswerk {

bool isValidFileName(QStringView newName)
{
    const QStringView filePart = newName.mid(lastFolderSeparator(newName) + 1);
    if (filePart.isEmpty()) {
        return false;
    }
    static const QString forbidden = QStringLiteral("\"\\/:*?<>|");
    return std::none_of(filePart.begin(), filePart.end(),
                        [](QChar c) { return c.unicode() < 0x20 || forbidden.contains(c); });
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

void markDuplicates(FileList &list)
{
    if (list.count() < 2) {
        return;
    }
    // First entry of each (folder, new name) seen so far; -1 once it has been
    // marked, so later members only mark themselves.
    using Key = std::pair<QStringView, QStringView>;
    struct KeyHash {
        std::size_t operator()(const Key &key) const
        {
            return qHashMulti(0, key.first, key.second);
        }
    };
    std::unordered_map<Key, int, KeyHash> firstWithName;
    firstWithName.reserve(static_cast<std::size_t>(list.count()));
    for (int index = 0; index < list.count(); ++index) {
        FileEntry &entry = list.at(index);
        entry.newNameLength = static_cast<int>(entry.newName.size());
        if (entry.status != EntryStatus::Ok) {
            continue;
        }
        auto [slot, inserted] = firstWithName.try_emplace({entry.folder, entry.newName}, index);
        if (inserted) {
            continue;
        }
        int &first = slot->second;
        if (first >= 0) {
            list.at(first).status = EntryStatus::DuplicateName;
            --list.readyCount;
            first = -1;
        }
        entry.status = EntryStatus::DuplicateName;
        --list.readyCount;
    }
}

} // namespace namenswerk
