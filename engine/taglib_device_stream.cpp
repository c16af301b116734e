#include "engine/taglib_device_stream.h"

#include <QIODevice>

#include <algorithm>
#include <cstdint>

namespace namenswerk {

TagLibDeviceStream::TagLibDeviceStream(QIODevice &device, QByteArray fileName, std::int64_t budget)
    : device_(device), fileName_(std::move(fileName)), budget_(budget),
      size_(std::max<std::int64_t>(0, device.size()))
{
}

bool TagLibDeviceStream::isOpen() const
{
    return device_.isOpen();
}

TagLib::ByteVector TagLibDeviceStream::readBlock(unsigned long length)
{
    const std::int64_t wanted =
        std::min({static_cast<std::int64_t>(std::min<unsigned long>(length, INT32_MAX)),
                  size_ - position_, budget_ - bytesRead_});
    if (wanted <= 0 || !device_.seek(position_)) {
        return {};
    }
    TagLib::ByteVector block(static_cast<unsigned int>(wanted), '\0');
    const qint64 got = device_.read(block.data(), wanted);
    if (got <= 0) {
        return {};
    }
    block.resize(static_cast<unsigned int>(got));
    position_ += got;
    bytesRead_ += got;
    return block;
}

// Positions outside the file are kept as they are asked for: a read from
// there finds nothing, as it would in a file.
void TagLibDeviceStream::seek(long offset, Position p)
{
    std::int64_t base = 0;
    if (p == Current) {
        base = position_;
    } else if (p == End) {
        base = size_;
    }
    std::int64_t target = 0;
    if (__builtin_add_overflow(base, static_cast<std::int64_t>(offset), &target)) {
        target = offset < 0 ? 0 : INT64_MAX;
    }
    position_ = std::max<std::int64_t>(0, target);
}

} // namespace namenswerk
