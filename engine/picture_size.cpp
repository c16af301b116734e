#include "engine/picture_size.h"

#include "engine/picture_formats.h"

#include <QFile>
#include <QFileInfo>
#include <QStringView>

#include <algorithm>
#include <iterator>

namespace namenswerk {

namespace {

// Files shorter than this are taken for no picture at all.
constexpr std::int64_t MinimumHeaderSize = 24;

struct KnownExtension {
    QStringView suffix;
    PictureExtension kind{};
};

constexpr KnownExtension KnownExtensions[] = {
    {u"jpeg", PictureExtension::Jpeg},    {u"jpg", PictureExtension::Jpeg},
    {u"jp2", PictureExtension::Jpeg2000}, {u"png", PictureExtension::Png},
    {u"bmp", PictureExtension::Bmp},      {u"tif", PictureExtension::Tiff},
    {u"tiff", PictureExtension::Tiff},    {u"pcx", PictureExtension::Pcx},
    {u"gif", PictureExtension::Gif},      {u"tga", PictureExtension::Tga},
};

bool isJpegStart(std::uint32_t magic)
{
    // Start-of-image followed by an APP0, APP1 or APP2 segment.
    const std::uint32_t firstSegment = magic & 0xFF;
    return (magic & 0xFFFFFF00) == 0xFFD8FF00 && firstSegment >= 0xE0 && firstSegment <= 0xE2;
}

// Formats without a four-byte signature, told apart by their first bytes.
// A plain "0A" or "00" start is common, so PCX and TGA are only tried when
// the name says so.
PictureSize sizeByLeadingBytes(HeaderBytes &header, std::uint32_t magic, PictureExtension extension)
{
    switch (magic >> 16) {
    case 0x424D: // "BM"
        return bitmapSize(header);
    case 0x4949: // "II"
        return tiffSize(header, ByteOrder::Little);
    case 0x4D4D: // "MM"
        return tiffSize(header, ByteOrder::Big);
    default:
        break;
    }
    const std::uint32_t first = magic >> 24;
    const std::uint32_t second = (magic >> 16) & 0xFF;
    const std::uint32_t third = (magic >> 8) & 0xFF;
    if (extension == PictureExtension::Pcx && first == 0x0A && second < 6) {
        return pcxSize(header);
    }
    if (extension == PictureExtension::Tga && first <= 1 && second < 2 && (third & 0xF4) == 0) {
        return targaSize(header);
    }
    return {};
}

} // namespace

PictureExtension pictureExtension(const QString &path)
{
    QString suffix = QFileInfo(path).suffix();
    for (QChar &unit : suffix) {
        unit = unit.toLower();
    }
    const auto *const known =
        std::find_if(std::begin(KnownExtensions), std::end(KnownExtensions),
                     [&](const KnownExtension &k) { return k.suffix == suffix; });
    return known == std::end(KnownExtensions) ? PictureExtension::None : known->kind;
}

PictureSize pictureSizeFromHeader(QIODevice &device, PictureExtension extension)
{
    HeaderBytes header(device);
    if (extension == PictureExtension::None || !header.has(0, MinimumHeaderSize)) {
        return {};
    }
    const std::uint32_t magic = header.u32(0, ByteOrder::Big);
    if (isJpegStart(magic)) {
        return jpegSize(header);
    }
    switch (magic) {
    case 0x89504E47: // "\x89PNG"
        return pngSize(header);
    case 0x47494638: // "GIF8"
        return gifSize(header);
    case 0x0000000C: // length of the JPEG 2000 signature box
        return jpeg2000Size(header);
    default:
        break;
    }
    if (extension < PictureExtension::Bmp) {
        return {};
    }
    return sizeByLeadingBytes(header, magic, extension);
}

PictureSize readPictureSize(const QString &path)
{
    const PictureExtension extension = pictureExtension(path);
    if (extension == PictureExtension::None || !QFileInfo(path).isFile()) {
        return {};
    }
    // Unbuffered, so a header read costs the block asked for and not the
    // device's larger read-ahead.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return {};
    }
    return pictureSizeFromHeader(file, extension);
}

} // namespace namenswerk
