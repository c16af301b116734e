#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>

class QIODevice;

namespace namenswerk {

enum class ByteOrder { Little, Big };

// Random access to the bytes of a file header, one block of 2048 bytes at a
// time: the block is refilled only when a read falls outside it, so a reader
// that hops through a file costs one block per hop.
//
// Every read is checked against the bytes the device actually delivered. A
// read that cannot be served marks the reader as failed and yields 0; callers
// read what they need and test ok() once, instead of testing every value.
class HeaderBytes {
public:
    static constexpr std::int64_t BlockSize = 2048;

    explicit HeaderBytes(QIODevice &device) : device_(device) {}

    // Whether count bytes from offset are there, without marking a failure.
    bool has(std::int64_t offset, std::int64_t count);
    bool ok() const { return ok_; }

    std::uint32_t u8(std::int64_t offset);
    std::uint32_t u16(std::int64_t offset, ByteOrder order);
    std::uint32_t u32(std::int64_t offset, ByteOrder order);
    bool matches(std::int64_t offset, QByteArrayView expected);

private:
    const uchar *at(std::int64_t offset, std::int64_t count);
    const uchar *checked(std::int64_t offset, std::int64_t count);
    bool contains(std::int64_t offset, std::int64_t count) const;
    template <typename T> std::uint32_t number(std::int64_t offset, ByteOrder order);

    QIODevice &device_;
    QByteArray block_;
    std::int64_t blockStart_ = 0;
    bool ok_ = true;
};

} // namespace namenswerk
