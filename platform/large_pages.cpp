#include "platform/large_pages.h"

#include <climits>
#include <cstdint>
#include <malloc.h>
#include <memory>
#include <sys/mman.h>
#include <unistd.h>

namespace namenswerk::platform {

namespace {

// Address space the heap takes at once; memory is used only where touched.
constexpr int HeapReach = 1 << 30;
// The largest blocks the heap may hand out itself (the allocator's limit).
constexpr int LargestHeapBlock = 32 * 1024 * 1024;
// The allocator's own default.
constexpr int DefaultTopPad = 128 * 1024;
constexpr std::size_t ProbeSize = std::size_t{64} * 1024;

} // namespace

void preferLargePages()
{
    // Large blocks, which would each get a mapping of their own, come from
    // the heap as well, and freed memory stays for the next allocations
    // instead of being returned and touched afresh.
    ::mallopt(M_MMAP_THRESHOLD, LargestHeapBlock);
    ::mallopt(M_TRIM_THRESHOLD, INT_MAX);
    // The heap's next growth reaches far ahead, as one region that can be
    // marked for large pages as a whole: a region added by a later growth
    // would come without the mark.
    ::mallopt(M_TOP_PAD, HeapReach);
    {
        const auto probe = std::make_unique_for_overwrite<char[]>(ProbeSize);
        const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        const auto at = reinterpret_cast<std::uintptr_t>(probe.get());
        char *start = probe.get() + (page - at % page) % page;
        const auto end = reinterpret_cast<std::uintptr_t>(::sbrk(0));
        const auto from = reinterpret_cast<std::uintptr_t>(start);
        // Only where the block came from the heap's end (an allocator of a
        // sanitizer, for one, works elsewhere).
        if (end > from && end - from <= std::uintptr_t{2} * HeapReach) {
            ::madvise(start, end - from, MADV_HUGEPAGE);
        }
    }
    ::mallopt(M_TOP_PAD, DefaultTopPad);
}

} // namespace namenswerk::platform
