// Capture dates: the Exif, TIFF, HEIF item and movie box reader over a file's bytes.
//
// Input: the file's bytes.

#include "engine/capture_date.h"
#include "fuzz/fuzz_check.h"

#include <QBuffer>
#include <QByteArray>

#include <cstdint>

using namespace namenswerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Not copied: a read past the end lands right behind the fuzzer's buffer.
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    const CaptureDate date = captureDateFromHeader(device);
    FUZZ_CHECK(date.source != CaptureSource::None || date.date == 0);
    return 0;
}
