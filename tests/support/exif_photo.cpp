#include "tests/support/exif_photo.h"

#include <QtEndian>

namespace namenswerk::test {

QByteArray jpegWithCaptureDate(const QByteArray &exifDate)
{
    QByteArray tiff("II\x2A\0\x08\0\0\0", 8);
    const auto u16 = [&tiff](quint16 value) {
        char bytes[2];
        qToLittleEndian(value, bytes);
        tiff.append(bytes, 2);
    };
    const auto u32 = [&tiff](quint32 value) {
        char bytes[4];
        qToLittleEndian(value, bytes);
        tiff.append(bytes, 4);
    };
    // Directory of one entry behind the header; its text follows the directory.
    constexpr quint32 TextAt = 8 + 2 + 12 + 4;
    const QByteArray text = exifDate + '\0';
    u16(1);
    u16(0x9003); // DateTimeOriginal
    u16(2);      // ASCII
    u32(static_cast<quint32>(text.size()));
    u32(TextAt);
    u32(0); // no further directory
    tiff += text;

    QByteArray out("\xFF\xD8\xFF\xE1", 4);
    char length[2];
    qToBigEndian(static_cast<quint16>(2 + 6 + tiff.size()), length);
    out.append(length, 2);
    out += QByteArray("Exif\0\0", 6) + tiff;
    out += QByteArray("\xFF\xDA", 2);
    return out;
}

} // namespace namenswerk::test
