// Picture headers: the size reader is run over the bytes once for every kind
// of extension, since the extension decides which formats are tried.
//
// Input: the file's bytes.

#include "engine/picture_size.h"
#include "fuzz/fuzz_check.h"

#include <QBuffer>
#include <QByteArray>

#include <cstdint>

using namespace namenswerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Not copied: a read past the end lands right behind the fuzzer's buffer,
    // where AddressSanitizer sees it.
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (int kind = 0; kind <= static_cast<int>(PictureExtension::Tga); ++kind) {
        QBuffer device;
        device.setData(bytes);
        device.open(QIODevice::ReadOnly);
        const PictureSize picture = pictureSizeFromHeader(device, PictureExtension(kind));
        FUZZ_CHECK(picture.width >= 0 && picture.height >= 0);
        FUZZ_CHECK(kind != static_cast<int>(PictureExtension::None) || picture == PictureSize{});
    }
    return 0;
}
