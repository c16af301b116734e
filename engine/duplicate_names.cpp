// The duplicate test of the status pass. Comparing every pair of ready
// entries takes minutes for a large list; a hash table finds the same groups
// in one pass.
//
// Two entries clash when their files would get the same path on disk, which
// the texts alone do not tell: a list may name one folder in two spellings
// ("./" and its absolute path, a symbolic link and its target), and a new
// name may carry a subfolder ("sub/z.txt" in one folder is "z.txt" in its
// subfolder). Each distinct folder is resolved once.

#include "engine/name_checks.h"
#include "platform/file_system.h"

#include <QDir>
#include <QHash>
#include <QHashFunctions>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

// Folders as the disk has them, numbered: every spelling of one folder gets
// the same number.
class DiskFolders {
public:
    explicit DiskFolders(const FileList &list)
        : currentFolder_(numberOf(list.currentFolder.isEmpty() ? u"."_s : list.currentFolder))
    {
    }

    // The folder an entry's file lies in.
    int entryFolder(const FileEntry &entry)
    {
        if (entry.folder.isEmpty()) {
            return currentFolder_;
        }
        const auto known = byEntryFolder_.constFind(entry.folder);
        if (known != byEntryFolder_.cend()) {
            return *known;
        }
        return byEntryFolder_[entry.folder] = numberOf(entry.folder);
    }

    // A subfolder that a new name names inside a folder. It is taken as
    // written ("a/../b" is "b"): it may not exist yet.
    int subfolder(int folder, QStringView path)
    {
        return numberOfDiskPath(QDir::cleanPath(paths_[std::size_t(folder)] + u'/' + path));
    }

private:
    int numberOf(const QString &folder)
    {
        QString disk = platform::resolvedPath(folder);
        if (disk.isEmpty()) {
            disk = QDir::cleanPath(QDir::current().absoluteFilePath(folder));
        }
        return numberOfDiskPath(disk);
    }

    int numberOfDiskPath(const QString &disk)
    {
        const auto known = byDiskPath_.constFind(disk);
        if (known != byDiskPath_.cend()) {
            return *known;
        }
        paths_.push_back(disk);
        return byDiskPath_[disk] = int(paths_.size()) - 1;
    }

    QHash<QString, int> byEntryFolder_;
    QHash<QString, int> byDiskPath_;
    std::vector<QString> paths_;
    int currentFolder_;
};

// Where a ready entry's file would go: a folder number and the file name in
// it, a part of the entry's new name.
struct Target {
    int folder = -1;
    qsizetype nameStart = 0;
};

Target targetOf(const FileEntry &entry, DiskFolders &folders)
{
    const int folder = folders.entryFolder(entry);
    // One leading separator means no folder, as in the rename run.
    const QStringView name =
        QStringView(entry.newName).sliced(entry.newName.startsWith(u'/') ? 1 : 0);
    const qsizetype separator = name.lastIndexOf(u'/');
    const qsizetype nameStart = name.data() - entry.newName.data() + separator + 1;
    if (separator < 0) {
        return {folder, nameStart};
    }
    return {folders.subfolder(folder, name.first(separator)), nameStart};
}

QStringView fileName(const FileEntry &entry, const Target &target)
{
    return QStringView(entry.newName).sliced(target.nameStart);
}

// Open addressing over entry indices: one allocation for the whole list,
// where a node per entry would cost more time and memory than the test
// itself. Each slot keeps part of the hash, so that most collisions are
// settled without reading another entry.
class TargetTable {
public:
    struct Slot {
        std::uint32_t hashBits = 0;
        int entry = -1; // the first ready entry with this target; -1 when free
    };

    TargetTable(const FileList &list, const std::vector<Target> &targets)
        : list_(list), targets_(targets),
          slots_(std::bit_ceil(2 * static_cast<std::size_t>(list.count()))),
          mask_(slots_.size() - 1)
    {
    }

    std::size_t hash(int index) const
    {
        const Target &target = targets_[std::size_t(index)];
        return qHashMulti(0, target.folder, fileName(list_.at(index), target));
    }

    // On a large list nearly every look-up misses the cache; asking for the
    // slot early lets several of those waits overlap.
    void prefetch(std::size_t hash) const { __builtin_prefetch(&slots_[hash & mask_]); }

    // The slot holding the first entry with the same target, or the free
    // slot where the entry belongs.
    Slot &find(int index, std::size_t hash)
    {
        const auto hashBits = static_cast<std::uint32_t>(hash >> 32);
        const Target &target = targets_[std::size_t(index)];
        const QStringView name = fileName(list_.at(index), target);
        const auto sameTarget = [&](const Slot &slot) {
            const Target &other = targets_[std::size_t(slot.entry)];
            return slot.hashBits == hashBits && other.folder == target.folder &&
                   fileName(list_.at(slot.entry), other) == name;
        };
        std::size_t at = hash & mask_;
        while (slots_[at].entry >= 0 && !sameTarget(slots_[at])) {
            at = (at + 1) & mask_;
        }
        Slot &slot = slots_[at];
        slot.hashBits = hashBits;
        return slot;
    }

private:
    const FileList &list_;
    const std::vector<Target> &targets_;
    std::vector<Slot> slots_;
    std::size_t mask_;
};

} // namespace

void markDuplicates(FileList &list)
{
    if (list.count() < 2) {
        return;
    }
    DiskFolders folders(list);
    std::vector<Target> targets(static_cast<std::size_t>(list.count()));
    TargetTable table(list, targets);
    // Entries go in batches: first every hash of the batch with its slot
    // requested, then the look-ups in list order.
    constexpr int Batch = 16;
    std::array<std::size_t, Batch> hashes{};
    for (int begin = 0; begin < list.count(); begin += Batch) {
        const int end = std::min(list.count(), begin + Batch);
        for (int index = begin; index < end; ++index) {
            FileEntry &entry = list.at(index);
            entry.newNameLength = static_cast<int>(entry.newName.size());
            if (entry.status == EntryStatus::Ok) {
                targets[std::size_t(index)] = targetOf(entry, folders);
                hashes[index - begin] = table.hash(index);
                table.prefetch(hashes[index - begin]);
            }
        }
        for (int index = begin; index < end; ++index) {
            FileEntry &entry = list.at(index);
            if (entry.status != EntryStatus::Ok) {
                continue;
            }
            TargetTable::Slot &slot = table.find(index, hashes[index - begin]);
            if (slot.entry < 0) {
                slot.entry = index;
                continue;
            }
            // The first member is marked once, when the second one turns up.
            FileEntry &first = list.at(slot.entry);
            if (first.status == EntryStatus::Ok) {
                first.status = EntryStatus::DuplicateName;
                --list.readyCount;
            }
            entry.status = EntryStatus::DuplicateName;
            --list.readyCount;
        }
    }
}

} // namespace namenswerk
