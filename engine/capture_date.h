#pragma once

#include <QString>

#include <cstdint>

class QIODevice;

namespace namenswerk {

// Where a capture date came from; the name trace shows it.
enum class CaptureSource : std::uint8_t {
    None,             // nothing in the file: the modification date stands in
    DateTimeOriginal, // Exif 0x9003
    CreateDate,       // Exif 0x9004 (DateTimeDigitized)
    DateTime,         // TIFF 0x0132
    MovieHeader,      // creation time of an ISO base media "mvhd" box
};

struct CaptureDate {
    std::int64_t date = 0; // local seconds since 1970, read as UTC like file dates
    CaptureSource source = CaptureSource::None;

    bool operator==(const CaptureDate &) const = default;
};

// Short text for the name trace: "Exif", "mvhd", "Datei" ...
QString captureSourceText(CaptureSource source);

// Reads the capture date from the header of a JPEG (APP1 Exif), a TIFF or
// TIFF-based raw file, or an MP4/MOV/3GP/HEIF box structure. Every read is
// bounded; a file that does not hold one yields source None.
CaptureDate captureDateFromHeader(QIODevice &device);

// The same for the file at path; only regular files are opened.
CaptureDate readCaptureDate(const QString &path);

} // namespace namenswerk
