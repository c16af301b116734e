// The duplicate test of the status pass. Comparing every pair of ready
// entries takes minutes for a large list; a hash table finds the same groups
// in one pass.

#include "engine/name_checks.h"

#include <QHashFunctions>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace namenswerk {

namespace {

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

    explicit TargetTable(const FileList &list)
        : list_(list), slots_(std::bit_ceil(2 * static_cast<std::size_t>(list.count()))),
          mask_(slots_.size() - 1)
    {
    }

    static std::size_t hash(const FileEntry &entry)
    {
        return qHashMulti(0, entry.folder, entry.newName);
    }

    // On a large list nearly every look-up misses the cache; asking for the
    // slot early lets several of those waits overlap.
    void prefetch(std::size_t hash) const { __builtin_prefetch(&slots_[hash & mask_]); }

    // The slot holding the first entry with the same folder and new name, or
    // the free slot where the entry belongs.
    Slot &find(const FileEntry &entry, std::size_t hash)
    {
        const auto hashBits = static_cast<std::uint32_t>(hash >> 32);
        const auto sameTarget = [&](const Slot &slot) {
            const FileEntry &other = list_.at(slot.entry);
            return slot.hashBits == hashBits && other.newName == entry.newName &&
                   other.folder == entry.folder;
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
    std::vector<Slot> slots_;
    std::size_t mask_;
};

} // namespace

void markDuplicates(FileList &list)
{
    if (list.count() < 2) {
        return;
    }
    TargetTable table(list);
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
                hashes[index - begin] = TargetTable::hash(entry);
                table.prefetch(hashes[index - begin]);
            }
        }
        for (int index = begin; index < end; ++index) {
            FileEntry &entry = list.at(index);
            if (entry.status != EntryStatus::Ok) {
                continue;
            }
            TargetTable::Slot &slot = table.find(entry, hashes[index - begin]);
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
