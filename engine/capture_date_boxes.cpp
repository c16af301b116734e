// HEIF keeps its Exif block as an item like the pictures themselves: "iinf"
// names each item's type, "iloc" says where its bytes are. Both are read
// within their boxes and a forged size or offset ends the search; it never
// makes it longer.

#include "engine/capture_date_boxes.h"

#include <array>

namespace namenswerk {

namespace {

constexpr auto Big = ByteOrder::Big;
// Far more boxes than any parent holds in a real file; it keeps a file of
// tiny boxes from being read to its end.
constexpr int MaxBoxes = 256;
// Items of one picture: a phone's tiled photo has some fifty.
constexpr std::uint32_t MaxItems = 1024;
constexpr std::int64_t FullBoxHeader = 4; // version and flags
constexpr std::int64_t TiffHeaderSize = 8;

struct Extent {
    std::int64_t offset = 0;
    std::int64_t length = 0;
};

// The widths "iloc" allows for offsets, lengths and indexes.
bool validWidth(std::uint32_t width)
{
    return width == 0 || width == 4 || width == 8;
}

std::uint64_t sizedNumber(HeaderBytes &header, std::int64_t pos, std::uint32_t width)
{
    if (width == 4) {
        return header.u32(pos, Big);
    }
    if (width == 8) {
        return std::uint64_t{header.u32(pos, Big)} << 32 | header.u32(pos + 4, Big);
    }
    return 0;
}

// The id of the first item of type "Exif". Only entries of versions 2 and 3
// name a type; older ones describe content by MIME text and never hold Exif.
std::optional<std::uint32_t> exifItem(HeaderBytes &header, const Box &iinf)
{
    const std::uint32_t version = header.u8(iinf.body());
    std::int64_t pos = iinf.body() + FullBoxHeader + (version == 0 ? 2 : 4); // past the count
    for (std::uint32_t step = 0; step < MaxItems && pos < iinf.end(); ++step) {
        const auto infe = readBox(header, pos, iinf.end());
        if (!infe) {
            return std::nullopt;
        }
        const std::uint32_t infeVersion = header.u8(infe->body());
        if (infe->type == fourCc("infe") && (infeVersion == 2 || infeVersion == 3)) {
            const std::int64_t idAt = infe->body() + FullBoxHeader;
            const std::uint32_t id =
                infeVersion == 2 ? header.u16(idAt, Big) : header.u32(idAt, Big);
            const std::int64_t typeAt = idAt + (infeVersion == 2 ? 2 : 4) + 2;
            if (header.u32(typeAt, Big) == fourCc("Exif") && header.ok() &&
                typeAt + 4 <= infe->end()) {
                return id;
            }
        }
        pos = infe->end();
    }
    return std::nullopt;
}

struct LocationWidths {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    std::uint32_t base = 0;
    std::uint32_t index = 0;

    std::int64_t extent() const { return std::int64_t{index} + offset + length; }
};

// The first extent of the item in "iloc" versions 0 to 2, when its bytes lie
// in this file (construction method 0); an Exif block fits in one extent.
std::optional<Extent> itemExtent(HeaderBytes &header, const Box &iloc, std::uint32_t item,
                                 std::int64_t fileSize)
{
    const std::uint32_t version = header.u8(iloc.body());
    std::int64_t pos = iloc.body() + FullBoxHeader;
    const std::uint32_t packed = header.u16(pos, Big);
    const LocationWidths widths{packed >> 12, (packed >> 8) & 15, (packed >> 4) & 15,
                                version > 0 ? packed & 15 : 0};
    if (version > 2 || !validWidth(widths.offset) || !validWidth(widths.length) ||
        !validWidth(widths.base) || !validWidth(widths.index)) {
        return std::nullopt;
    }
    const std::int64_t idWidth = version < 2 ? 2 : 4;
    const std::uint32_t count = version < 2 ? header.u16(pos + 2, Big) : header.u32(pos + 2, Big);
    pos += 2 + idWidth;
    for (std::uint32_t i = 0; i < count && i < MaxItems && header.ok() && pos < iloc.end(); ++i) {
        const std::uint32_t id = version < 2 ? header.u16(pos, Big) : header.u32(pos, Big);
        pos += idWidth;
        std::uint32_t method = 0;
        if (version > 0) {
            method = header.u16(pos, Big) & 15;
            pos += 2;
        }
        const std::uint32_t dataReference = header.u16(pos, Big);
        const std::uint64_t base = sizedNumber(header, pos + 2, widths.base);
        pos += 2 + widths.base;
        const std::uint32_t extents = header.u16(pos, Big);
        pos += 2;
        if (id != item) {
            pos += extents * widths.extent();
            continue;
        }
        const std::uint64_t offset = sizedNumber(header, pos + widths.index, widths.offset);
        const std::uint64_t length =
            sizedNumber(header, pos + widths.index + widths.offset, widths.length);
        const auto size = static_cast<std::uint64_t>(fileSize);
        if (!header.ok() || method != 0 || dataReference != 0 || extents == 0 ||
            pos + widths.extent() > iloc.end() || base > size || offset > size - base ||
            length > size - base - offset) {
            return std::nullopt;
        }
        return Extent{static_cast<std::int64_t>(base + offset), static_cast<std::int64_t>(length)};
    }
    return std::nullopt;
}

// The Exif block starts with the distance from its end to the TIFF header,
// usually over "Exif\0\0"; some writers leave the distance at 0 and the
// marker in place.
std::optional<std::int64_t> tiffInExifBlock(HeaderBytes &header, const Extent &block,
                                            std::int64_t fileSize)
{
    const std::int64_t length = block.length > 0 ? block.length : fileSize - block.offset;
    const std::int64_t skip = header.u32(block.offset, Big);
    if (!header.ok() || length < 4 + TiffHeaderSize || skip > length - 4 - TiffHeaderSize) {
        return std::nullopt;
    }
    std::int64_t tiff = block.offset + 4 + skip;
    static constexpr std::array<char, 6> marker{'E', 'x', 'i', 'f', '\0', '\0'};
    if (header.has(tiff, marker.size()) &&
        header.matches(tiff, QByteArrayView(marker.data(), marker.size()))) {
        tiff += std::int64_t{marker.size()};
    }
    return tiff;
}

} // namespace

std::optional<Box> readBox(HeaderBytes &header, std::int64_t pos, std::int64_t end)
{
    Box box;
    box.pos = pos;
    box.size = header.u32(pos, Big);
    box.type = header.u32(pos + 4, Big);
    if (box.size == 1) {
        const std::int64_t high = header.u32(pos + 8, Big);
        box.size = (high << 32) | header.u32(pos + 12, Big);
        box.header = 16;
    } else if (box.size == 0) {
        box.size = end - pos;
    }
    if (!header.ok() || box.size < box.header || box.size > end - pos) {
        return std::nullopt;
    }
    return box;
}

std::optional<Box> findBox(HeaderBytes &header, std::int64_t begin, std::int64_t end,
                           std::uint32_t type)
{
    std::int64_t pos = begin;
    for (int step = 0; step < MaxBoxes && pos < end; ++step) {
        const auto box = readBox(header, pos, end);
        if (!box || box->type == type) {
            return box;
        }
        pos = box->end();
    }
    return std::nullopt;
}

std::optional<std::int64_t> heifExifTiff(HeaderBytes &header, const Box &meta,
                                         std::int64_t fileSize)
{
    const std::int64_t children = meta.body() + FullBoxHeader;
    const auto iinf = findBox(header, children, meta.end(), fourCc("iinf"));
    const auto item = iinf ? exifItem(header, *iinf) : std::nullopt;
    const auto iloc = item ? findBox(header, children, meta.end(), fourCc("iloc")) : std::nullopt;
    const auto block = iloc ? itemExtent(header, *iloc, *item, fileSize) : std::nullopt;
    return block ? tiffInExifBlock(header, *block, fileSize) : std::nullopt;
}

} // namespace namenswerk
