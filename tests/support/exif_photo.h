#pragma once

#include <QByteArray>

namespace namenswerk::test {

// The head of a JPEG as a camera writes it: start of image, an Exif block
// whose TIFF directory holds the date as DateTimeOriginal ("2015:08:14
// 09:21:33"), and the start of the image data.
QByteArray jpegWithCaptureDate(const QByteArray &exifDate);

} // namespace namenswerk::test
