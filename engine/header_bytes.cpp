#include "engine/header_bytes.h"

#include <QIODevice>
#include <QtEndian>

namespace namenswerk {

bool HeaderBytes::contains(std::int64_t offset, std::int64_t count) const
{
    return offset >= blockStart_ && offset - blockStart_ + count <= block_.size();
}

const uchar *HeaderBytes::at(std::int64_t offset, std::int64_t count)
{
    if (offset < 0 || count > BlockSize) {
        return nullptr;
    }
    if (!contains(offset, count)) {
        // Seeking past the end is refused by some devices and silently
        // allowed by others; neither would deliver anything.
        if (device_.isSequential() || offset >= device_.size() || !device_.seek(offset)) {
            return nullptr;
        }
        block_ = device_.read(BlockSize);
        blockStart_ = offset;
        if (!contains(offset, count)) {
            return nullptr;
        }
    }
    return reinterpret_cast<const uchar *>(block_.constData()) + (offset - blockStart_);
}

const uchar *HeaderBytes::checked(std::int64_t offset, std::int64_t count)
{
    const uchar *bytes = ok_ ? at(offset, count) : nullptr;
    ok_ = bytes != nullptr;
    return bytes;
}

bool HeaderBytes::has(std::int64_t offset, std::int64_t count)
{
    return at(offset, count) != nullptr;
}

std::uint32_t HeaderBytes::u8(std::int64_t offset)
{
    const uchar *bytes = checked(offset, 1);
    return bytes ? *bytes : 0;
}

template <typename T> std::uint32_t HeaderBytes::number(std::int64_t offset, ByteOrder order)
{
    const uchar *bytes = checked(offset, sizeof(T));
    if (!bytes) {
        return 0;
    }
    return order == ByteOrder::Big ? qFromBigEndian<T>(bytes) : qFromLittleEndian<T>(bytes);
}

std::uint32_t HeaderBytes::u16(std::int64_t offset, ByteOrder order)
{
    return number<quint16>(offset, order);
}

std::uint32_t HeaderBytes::u32(std::int64_t offset, ByteOrder order)
{
    return number<quint32>(offset, order);
}

bool HeaderBytes::matches(std::int64_t offset, QByteArrayView expected)
{
    const uchar *bytes = checked(offset, expected.size());
    return bytes != nullptr && QByteArrayView(bytes, expected.size()) == expected;
}

} // namespace namenswerk
