#include "engine/jpeg_segments.h"

namespace namenswerk {

namespace {

// Far more segments than stand before the image data in any real file.
constexpr int MaxSteps = 1024;
constexpr std::uint32_t FillByte = 0xFF;
constexpr std::uint32_t StartOfScan = 0xDA;
constexpr std::uint32_t EndOfImage = 0xD9;

} // namespace

std::optional<JpegSegment> JpegSegments::next()
{
    for (; steps_ < MaxSteps; ++steps_) {
        if (header_.u8(pos_) != 0xFF) {
            return std::nullopt;
        }
        const std::uint32_t marker = header_.u8(pos_ + 1);
        if (marker == FillByte) {
            ++pos_; // fill byte before a marker
            continue;
        }
        if (marker == StartOfScan || marker == EndOfImage) {
            return std::nullopt; // the image data begins: no header segment behind it
        }
        const std::uint32_t length = header_.u16(pos_ + 2, ByteOrder::Big);
        if (!header_.ok() || length < 2) {
            return std::nullopt;
        }
        const JpegSegment segment{marker, pos_, length};
        pos_ += std::int64_t{length} + 2;
        ++steps_;
        return segment;
    }
    return std::nullopt;
}

} // namespace namenswerk
