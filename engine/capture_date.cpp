// Capture dates from the headers of photos and videos. The reader walks the
// same bounded HeaderBytes blocks as the picture size reader: a forged offset
// or count ends the walk, it never makes it longer. JPEG, TIFF and HEIF all
// keep their dates in TIFF directories; only where those start differs.

#include "engine/capture_date.h"

#include "engine/capture_date_boxes.h"
#include "engine/civil_time.h"
#include "engine/header_bytes.h"
#include "engine/jpeg_segments.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTimeZone>

#include <array>
#include <chrono>
#include <optional>

namespace namenswerk {

namespace {

constexpr std::uint32_t ExifIfdTag = 0x8769;
constexpr std::uint32_t DateTimeTag = 0x0132;
constexpr std::uint32_t DateTimeOriginalTag = 0x9003;
constexpr std::uint32_t CreateDateTag = 0x9004;
constexpr std::uint32_t AsciiType = 2;
constexpr std::int64_t EntrySize = 12;
constexpr std::uint32_t MaxEntries = (HeaderBytes::BlockSize - 2) / EntrySize;
constexpr int DateTextSize = 19; // "YYYY:MM:DD HH:MM:SS"
// Seconds between 1904-01-01 (the epoch of movie headers) and 1970-01-01.
constexpr std::int64_t MovieEpochOffset = 2082844800;

// Days since 1970 of a proleptic Gregorian date.
std::int64_t daysFromCivil(int y, unsigned m, unsigned d)
{
    using namespace std::chrono;
    return sys_days{year{y} / month{m} / day{d}}.time_since_epoch().count();
}

// "2024:05:17 14:03:59"; cameras without a clock write blanks or zeros.
std::optional<std::int64_t> exifDate(HeaderBytes &header, std::int64_t offset)
{
    std::array<int, 6> fields{};
    static constexpr std::array<int, 6> starts{0, 5, 8, 11, 14, 17};
    static constexpr std::array<int, 6> widths{4, 2, 2, 2, 2, 2};
    for (std::size_t f = 0; f < fields.size(); ++f) {
        for (int i = 0; i < widths[f]; ++i) {
            const std::uint32_t c = header.u8(offset + starts[f] + i);
            if (c < '0' || c > '9') {
                return std::nullopt;
            }
            fields[f] = fields[f] * 10 + static_cast<int>(c - '0');
        }
    }
    const auto [year, month, day, hour, minute, second] = fields;
    if (!header.ok() || year == 0 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 ||
        minute > 59 || second > 60) {
        return std::nullopt;
    }
    return daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 86400 +
           std::int64_t{hour} * 3600 + std::int64_t{minute} * 60 + second;
}

struct TiffDates {
    std::optional<std::int64_t> original;
    std::optional<std::int64_t> created;
    std::optional<std::int64_t> changed;
    std::int64_t exifIfd = 0;
};

// Reads the date tags of one directory; base is where the TIFF header starts.
void readDirectory(HeaderBytes &header, std::int64_t base, std::int64_t dir, ByteOrder order,
                   TiffDates &dates)
{
    const std::uint32_t count = header.u16(base + dir, order);
    if (!header.ok()) {
        return;
    }
    for (std::uint32_t i = 0; i < count && i < MaxEntries; ++i) {
        const std::int64_t entry = base + dir + 2 + i * EntrySize;
        const std::uint32_t tag = header.u16(entry, order);
        const std::uint32_t type = header.u16(entry + 2, order);
        const std::uint32_t value = header.u32(entry + 8, order);
        if (!header.ok()) {
            return;
        }
        if (tag == ExifIfdTag) {
            dates.exifIfd = value;
            continue;
        }
        if (type != AsciiType || header.u32(entry + 4, order) < DateTextSize) {
            continue;
        }
        const auto date = exifDate(header, base + value);
        if (tag == DateTimeOriginalTag) {
            dates.original = date;
        } else if (tag == CreateDateTag) {
            dates.created = date;
        } else if (tag == DateTimeTag) {
            dates.changed = date;
        }
    }
}

CaptureDate tiffCaptureDate(HeaderBytes &header, std::int64_t base)
{
    const std::uint32_t mark = header.u16(base, ByteOrder::Big);
    const ByteOrder order = mark == 0x4949 ? ByteOrder::Little : ByteOrder::Big;
    if (!header.ok() || (mark != 0x4949 && mark != 0x4D4D)) {
        return {};
    }
    TiffDates dates;
    readDirectory(header, base, header.u32(base + 4, order), order, dates);
    if (dates.exifIfd > 0) {
        TiffDates exif;
        readDirectory(header, base, dates.exifIfd, order, exif);
        dates.original = exif.original;
        dates.created = exif.created;
    }
    if (dates.original) {
        return {*dates.original, CaptureSource::DateTimeOriginal};
    }
    if (dates.created) {
        return {*dates.created, CaptureSource::CreateDate};
    }
    if (dates.changed) {
        return {*dates.changed, CaptureSource::DateTime};
    }
    return {};
}

CaptureDate jpegCaptureDate(HeaderBytes &header)
{
    JpegSegments segments(header);
    while (const auto segment = segments.next()) {
        const std::int64_t content = segment->pos + 4;
        if (segment->marker == 0xE1 && header.has(content, 6) &&
            header.matches(content, QByteArrayView("Exif\0\0", 6))) {
            return tiffCaptureDate(header, content + 6);
        }
    }
    return {};
}

// Local time of a UTC instant, in the program's "local seconds read as UTC".
std::int64_t utcToLocal(std::int64_t utc)
{
    const QDateTime instant = QDateTime::fromSecsSinceEpoch(utc, QTimeZone::utc());
    return utc + QTimeZone::systemTimeZone().offsetFromUtc(instant);
}

CaptureDate movieHeaderDate(HeaderBytes &header, std::int64_t pos)
{
    const std::uint32_t version = header.u8(pos);
    std::int64_t created = 0;
    if (version == 1) {
        const std::int64_t high = header.u32(pos + 4, ByteOrder::Big);
        created = (high << 32) | header.u32(pos + 8, ByteOrder::Big);
    } else {
        created = header.u32(pos + 4, ByteOrder::Big);
    }
    // Zero is what recorders write when they had no clock.
    if (!header.ok() || created <= 0 || created > (std::int64_t{1} << 40)) {
        return {};
    }
    return {clampDate(utcToLocal(created - MovieEpochOffset)), CaptureSource::MovieHeader};
}

// A HEIF picture's Exif item first; then the movie header, which video files
// and picture sequences have. The Exif search has a reader of its own, so
// that a broken item leaves the movie header readable.
CaptureDate boxCaptureDate(HeaderBytes &header, QIODevice &device)
{
    const std::int64_t fileSize = device.size();
    HeaderBytes items(device);
    if (const auto meta = findBox(items, 0, fileSize, fourCc("meta"))) {
        if (const auto tiff = heifExifTiff(items, *meta, fileSize)) {
            const CaptureDate date = tiffCaptureDate(items, *tiff);
            if (date.source != CaptureSource::None) {
                return date;
            }
        }
    }
    // The walk hops over box bodies, so a large "mdat" before "moov" costs one block.
    const auto moov = findBox(header, 0, fileSize, fourCc("moov"));
    const auto mvhd =
        moov ? findBox(header, moov->body(), moov->end(), fourCc("mvhd")) : std::nullopt;
    return mvhd ? movieHeaderDate(header, mvhd->body()) : CaptureDate{};
}

} // namespace

QString captureSourceText(CaptureSource source)
{
    switch (source) {
    case CaptureSource::DateTimeOriginal:
        return QStringLiteral("Exif DateTimeOriginal");
    case CaptureSource::CreateDate:
        return QStringLiteral("Exif CreateDate");
    case CaptureSource::DateTime:
        return QStringLiteral("Exif DateTime");
    case CaptureSource::MovieHeader:
        return QStringLiteral("mvhd");
    case CaptureSource::None:
        break;
    }
    return QStringLiteral("Änderungsdatum");
}

CaptureDate captureDateFromHeader(QIODevice &device)
{
    HeaderBytes header(device);
    if (!header.has(0, 12)) {
        return {};
    }
    const std::uint32_t magic = header.u32(0, ByteOrder::Big);
    if ((magic >> 16) == 0xFFD8) {
        return jpegCaptureDate(header);
    }
    // TIFF ("II*\0", "MM\0*") and the raw kinds that change its magic
    // number: Olympus "IIRO"/"IISR", Panasonic "IIU\0".
    if ((magic >> 16) == 0x4949 || (magic >> 16) == 0x4D4D) {
        return tiffCaptureDate(header, 0);
    }
    if (header.u32(4, ByteOrder::Big) == fourCc("ftyp")) {
        return boxCaptureDate(header, device);
    }
    return {};
}

CaptureDate readCaptureDate(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return {};
    }
    return captureDateFromHeader(file);
}

} // namespace namenswerk
