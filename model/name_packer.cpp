#include "model/name_packer.h"

#include <algorithm>

namespace namenswerk {

namespace {

// Room for about a hundred names: the last one that does not fit wastes
// little, and a name kept long after its neighbours keeps little alive.
constexpr qsizetype BlockChars = 2048;
// Longer names go into a block of their own.
constexpr qsizetype LongestPacked = BlockChars / 16;

} // namespace

NamePacker &NamePacker::operator=(const NamePacker &other)
{
    if (this != &other) {
        release();
    }
    return *this;
}

QString NamePacker::pack(QStringView text)
{
    if (text.isEmpty() || text.size() > LongestPacked) {
        return text.toString();
    }
    // Every QString ends in a zero that is not part of its size.
    const qsizetype needed = text.size() + 1;
    if (block_.d_ptr() == nullptr || block_.size + needed > block_.constAllocatedCapacity()) {
        block_ = QString::DataPointer(QTypedArrayData<char16_t>::allocate(BlockChars));
    }
    char16_t *start = block_.data() + block_.size;
    std::copy(text.utf16(), text.utf16() + text.size(), start);
    start[text.size()] = u'\0';
    block_.size += needed;
    block_.ref();
    return QString(QString::DataPointer(block_.d_ptr(), start, text.size()));
}

} // namespace namenswerk
