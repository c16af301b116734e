#include "engine/picture_formats.h"

#include "engine/jpeg_segments.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>

namespace namenswerk {

namespace {

constexpr auto Big = ByteOrder::Big;
constexpr auto Little = ByteOrder::Little;

// Dimensions are read at their full width (up to 32 bits, unsigned unless
// the format says otherwise). One that does not fit an int is no dimension
// any format allows, so the whole header is distrusted rather than clamped:
// a clamped number would end up in file names as if it were real.
PictureSize checkedSize(const HeaderBytes &header, std::uint32_t width, std::uint32_t height)
{
    constexpr auto largest = static_cast<std::uint32_t>(std::numeric_limits<int>::max());
    if (!header.ok() || width > largest || height > largest) {
        return {};
    }
    return {static_cast<int>(width), static_cast<int>(height)};
}

// Start-of-frame markers: C0 to CF except the table and extension markers
// C4, C8 and CC.
bool isFrameHeader(std::uint32_t marker)
{
    return (marker & 0xF0) == 0xC0 && (marker == 0xC0 || (marker & 0x03) != 0);
}

constexpr std::uint32_t TiffMagic = 42;
constexpr std::uint32_t TiffWidthTag = 0x100;
constexpr std::uint32_t TiffLengthTag = 0x101;
constexpr std::uint32_t TiffLongType = 4;
constexpr std::int64_t TiffEntrySize = 12;
// As many directory entries as one block holds; the size tags come early in
// any real directory, and a forged count cannot make the walk longer.
constexpr std::uint32_t MaxTiffEntries = (HeaderBytes::BlockSize - 2) / TiffEntrySize;

constexpr std::uint32_t BitmapCoreHeaderSize = 12;

} // namespace

PictureSize jpegSize(HeaderBytes &header)
{
    JpegSegments segments(header);
    while (const auto segment = segments.next()) {
        if (isFrameHeader(segment->marker)) {
            const std::uint32_t height = header.u16(segment->pos + 5, Big);
            const std::uint32_t width = header.u16(segment->pos + 7, Big);
            return checkedSize(header, width, height);
        }
    }
    return {};
}

PictureSize jpeg2000Size(HeaderBytes &header)
{
    // The header box is looked for where it usually lies, directly behind the
    // file type box. Its first child must be the image header; anything else
    // there would yield a size made of unrelated bytes.
    const std::int64_t headerBox = 12 + std::int64_t{header.u32(12, Big)};
    if (!header.matches(headerBox + 12, "ihdr")) {
        return {};
    }
    const std::uint32_t height = header.u32(headerBox + 16, Big);
    const std::uint32_t width = header.u32(headerBox + 20, Big);
    return checkedSize(header, width, height);
}

PictureSize pngSize(HeaderBytes &header)
{
    const std::uint32_t width = header.u32(16, Big);
    const std::uint32_t height = header.u32(20, Big);
    return checkedSize(header, width, height);
}

PictureSize gifSize(HeaderBytes &header)
{
    const std::uint32_t width = header.u16(6, Little);
    const std::uint32_t height = header.u16(8, Little);
    return checkedSize(header, width, height);
}

PictureSize bitmapSize(HeaderBytes &header)
{
    // The old 12-byte header holds unsigned 16-bit sizes; every later header
    // holds signed 32-bit ones, with a negative height for rows stored
    // top-down. A negative width means nothing.
    if (header.u32(14, Little) == BitmapCoreHeaderSize) {
        const std::uint32_t width = header.u16(18, Little);
        const std::uint32_t height = header.u16(20, Little);
        return checkedSize(header, width, height);
    }
    const auto width = static_cast<std::int32_t>(header.u32(18, Little));
    const auto height = static_cast<std::int32_t>(header.u32(22, Little));
    if (width < 0 || height == std::numeric_limits<std::int32_t>::min()) {
        return {};
    }
    return checkedSize(header, static_cast<std::uint32_t>(width),
                       static_cast<std::uint32_t>(std::abs(height)));
}

PictureSize tiffSize(HeaderBytes &header, ByteOrder order)
{
    // Only the first directory describes the main picture; the chain of
    // further directories is never followed.
    if (header.u16(2, order) != TiffMagic) {
        return {};
    }
    const std::int64_t directory = header.u32(4, order);
    const std::uint32_t count = std::min(header.u16(directory, order), MaxTiffEntries);
    std::optional<std::uint32_t> width;
    std::optional<std::uint32_t> height;
    for (std::uint32_t i = 0; i < count && header.ok() && !(width && height); ++i) {
        const std::int64_t entry = directory + 2 + i * TiffEntrySize;
        const std::uint32_t tag = header.u16(entry, order);
        if (tag != TiffWidthTag && tag != TiffLengthTag) {
            continue;
        }
        // Either size may be stored as a 16-bit or a 32-bit value; the
        // value field starts with it in the file's byte order.
        const bool isLong = header.u16(entry + 2, order) == TiffLongType;
        const std::uint32_t value =
            isLong ? header.u32(entry + 8, order) : header.u16(entry + 8, order);
        (tag == TiffWidthTag ? width : height) = value;
    }
    return checkedSize(header, width.value_or(0), height.value_or(0));
}

PictureSize pcxSize(HeaderBytes &header)
{
    // The picture spans its window from the lower to the upper corner, both
    // included.
    const std::uint32_t left = header.u16(4, Little);
    const std::uint32_t top = header.u16(6, Little);
    const std::uint32_t right = header.u16(8, Little);
    const std::uint32_t bottom = header.u16(10, Little);
    if (right < left || bottom < top) {
        return {};
    }
    return checkedSize(header, right - left + 1, bottom - top + 1);
}

PictureSize targaSize(HeaderBytes &header)
{
    const std::uint32_t width = header.u16(12, Little);
    const std::uint32_t height = header.u16(14, Little);
    return checkedSize(header, width, height);
}

} // namespace namenswerk
