#include "engine/capture_date.h"
#include "engine/date_format.h"
#include "engine/name_engine.h"
#include "tests/engine/folder_engine.h"

#include <QBuffer>
#include <QDateTime>
#include <QTimeZone>
#include <QtEndian>

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

namespace namenswerk {

void PrintTo(const CaptureDate &date, std::ostream *out)
{
    *out << date.date << " from " << captureSourceText(date.source).toStdString();
}

namespace {

using namespace Qt::StringLiterals;

// --- Byte builders for tiny photo and video headers -------------------------

using Tags = std::vector<std::pair<int, QByteArray>>; // tag number, date text

class Bytes {
public:
    explicit Bytes(bool little) : little_(little) {}
    Bytes &u16(int v)
    {
        char b[2];
        little_ ? qToLittleEndian<quint16>(v, b) : qToBigEndian<quint16>(v, b);
        out.append(b, 2);
        return *this;
    }
    Bytes &u32(quint32 v)
    {
        char b[4];
        little_ ? qToLittleEndian<quint32>(v, b) : qToBigEndian<quint32>(v, b);
        out.append(b, 4);
        return *this;
    }
    QByteArray out;

private:
    bool little_;
};

// A TIFF header whose first directory holds the ifd0 tags and, when exif is
// not empty, a pointer to an Exif directory holding those.
QByteArray tiff(bool little, const Tags &ifd0, const Tags &exif = {})
{
    const int n0 = static_cast<int>(ifd0.size()) + (exif.empty() ? 0 : 1);
    const int exifStart = 8 + 2 + 12 * n0 + 4;
    const int textStart = exifStart + (exif.empty() ? 0 : 2 + 12 * int(exif.size()) + 4);
    Bytes b(little);
    b.out = little ? "II" : "MM";
    b.u16(42).u32(8);
    QByteArray texts;
    const auto directory = [&](const Tags &tags, bool withExif) {
        b.u16(static_cast<int>(tags.size()) + (withExif ? 1 : 0));
        for (const auto &[tag, text] : tags) {
            b.u16(tag).u16(2).u32(text.size() + 1).u32(textStart + texts.size());
            texts += text + '\0';
        }
        if (withExif) {
            b.u16(0x8769).u16(4).u32(1).u32(exifStart);
        }
        b.u32(0);
    };
    directory(ifd0, !exif.empty());
    if (!exif.empty()) {
        directory(exif, false);
    }
    return b.out + texts;
}

QByteArray jpeg(const QByteArray &exifTiff)
{
    Bytes b(false);
    b.out = "\xFF\xD8";
    b.u16(0xFFE0).u16(16).out += QByteArray("JFIF\0\1\1\0\0\1\0\1\0\0", 14);
    if (!exifTiff.isNull()) {
        b.u16(0xFFE1).u16(static_cast<int>(exifTiff.size()) + 8).out +=
            QByteArray("Exif\0\0", 6) + exifTiff;
    }
    b.u16(0xFFC0).u16(11).out += QByteArray("\x08\x00\x10\x00\x20\x01\x01\x11\x00", 9);
    b.u16(0xFFDA);
    return b.out;
}

QByteArray box(const char *type, const QByteArray &body)
{
    Bytes b(false);
    b.u32(static_cast<quint32>(body.size()) + 8).out += QByteArray(type, 4) + body;
    return b.out;
}

QByteArray fullBox(const char *type, int version, const QByteArray &body)
{
    return box(type, char(version) + QByteArray(3, '\0') + body);
}

QByteArray movieHeader(quint64 created, bool version1)
{
    Bytes header(false);
    if (version1) {
        header.u32(created >> 32).u32(created & 0xFFFFFFFFu).u32(0).u32(0);
    } else {
        header.u32(static_cast<quint32>(created)).u32(0);
    }
    header.out += QByteArray(80, '\0');
    return fullBox("mvhd", version1 ? 1 : 0, header.out);
}

// An MP4 with a big media box before the movie box, as cameras write it.
QByteArray movie(const char *brand, quint64 created, bool version1)
{
    const QByteArray ftyp = box("ftyp", QByteArray(brand, 4) + QByteArray(4, '\0'));
    return ftyp + box("mdat", QByteArray(5000, 'x')) +
           box("moov", box("trak", QByteArray(12, 't')) + movieHeader(created, version1));
}

// A number of 0, 4 or 8 bytes, as "iloc" stores offsets and lengths.
QByteArray sized(int width, quint64 value)
{
    Bytes b(false);
    if (width == 4) {
        b.u32(static_cast<quint32>(value));
    } else if (width == 8) {
        b.u32(value >> 32).u32(value & 0xFFFFFFFFu);
    }
    return b.out;
}

// How a HEIF file describes its two items, a picture and the Exif block.
struct HeifLayout {
    const char *brand = "heic";
    int infeVersion = 2;
    int ilocVersion = 0;
    int offsetWidth = 4;
    int baseWidth = 0;
    int indexWidth = 0; // versions 1 and 2 only
    int method = 0;
    // The block's distance to the TIFF header spans "Exif\0\0"; without it
    // the distance is 0 and the marker stays.
    bool distanceOverMarker = true;
    std::optional<quint64> exifAt = std::nullopt; // forged place of the Exif item
    std::optional<quint64> exifLength = std::nullopt;
};

// A HEIF file: "ftyp", "meta" with the items' types and places, and "mdat"
// holding a picture and the Exif block.
QByteArray heif(const QByteArray &exifTiff, const HeifLayout &layout = {})
{
    const QByteArray picture(40, 'p');
    Bytes exif(false);
    exif.u32(layout.distanceOverMarker ? 6 : 0).out += QByteArray("Exif\0\0", 6) + exifTiff;
    const auto infe = [&](quint32 id, const char *type) {
        Bytes b(false);
        layout.infeVersion == 2 ? b.u16(static_cast<int>(id)) : b.u32(id);
        b.u16(0).out += QByteArray(type, 4) + '\0';
        return fullBox("infe", layout.infeVersion, b.out);
    };
    Bytes count(false);
    count.u16(2);
    const QByteArray iinf = fullBox("iinf", 0, count.out + infe(1, "hvc1") + infe(2, "Exif"));
    const auto iloc = [&](quint64 pictureAt, quint64 exifAt) {
        Bytes b(false);
        b.u16(layout.offsetWidth << 12 | 4 << 8 | layout.baseWidth << 4 | layout.indexWidth);
        layout.ilocVersion < 2 ? b.u16(2) : b.u32(2);
        const auto item = [&](quint32 id, quint64 at, quint64 length) {
            layout.ilocVersion < 2 ? b.u16(static_cast<int>(id)) : b.u32(id);
            if (layout.ilocVersion > 0) {
                b.u16(layout.method);
            }
            b.u16(0); // in this file
            const quint64 base = layout.baseWidth > 0 ? at / 2 : 0;
            b.out += sized(layout.baseWidth, base);
            b.u16(1);
            b.out += sized(layout.indexWidth, 0) + sized(layout.offsetWidth, at - base) +
                     sized(4, length);
        };
        item(1, pictureAt, picture.size());
        item(2, layout.exifAt.value_or(exifAt), layout.exifLength.value_or(exif.out.size()));
        return fullBox("iloc", layout.ilocVersion, b.out);
    };
    const QByteArray hdlr = fullBox("hdlr", 0, QByteArray(4, '\0') + "pict" + QByteArray(13, '\0'));
    const QByteArray ftyp =
        box("ftyp", QByteArray(layout.brand, 4) + QByteArray(4, '\0') + "mif1" + layout.brand);
    const auto file = [&](quint64 pictureAt, quint64 exifAt) -> QByteArray {
        return ftyp + fullBox("meta", 0, hdlr + iinf + iloc(pictureAt, exifAt)) +
               box("mdat", picture + exif.out);
    };
    const auto mdatBody = static_cast<quint64>(file(0, 0).indexOf("mdat") + 4);
    return file(mdatBody, mdatBody + picture.size());
}

std::int64_t utc(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc()).toSecsSinceEpoch();
}

// Movie headers hold UTC; names use local time like the file dates.
std::int64_t local(std::int64_t utcSeconds)
{
    return utcSeconds + QDateTime::fromSecsSinceEpoch(utcSeconds).offsetFromUtc();
}

CaptureDate readBytes(QByteArray data)
{
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return captureDateFromHeader(buffer);
}

constexpr int Original = 0x9003;
constexpr int Created = 0x9004;
constexpr int Changed = 0x0132;
const QByteArray may17 = "2024:05:17 14:03:59";
const QByteArray june1 = "2023:06:01 08:00:00";
const QByteArray july2 = "2022:07:02 09:30:00";
const std::int64_t May17 = utc(2024, 5, 17, 14, 3, 59);
const std::int64_t June1 = utc(2023, 6, 1, 8, 0, 0);
const std::int64_t July2 = utc(2022, 7, 2, 9, 30, 0);

struct SourceCase {
    const char *label;
    QByteArray data;
    CaptureDate expected;
};

class CaptureSources : public testing::TestWithParam<SourceCase> {};

TEST_P(CaptureSources, TakeTheFirstSourceThereIs)
{
    EXPECT_EQ(readBytes(GetParam().data), GetParam().expected);
}

using S = CaptureSource;
const Tags allThree{{Changed, july2}};
const Tags exifBoth{{Created, june1}, {Original, may17}};

INSTANTIATE_TEST_SUITE_P(
    Files, CaptureSources,
    testing::Values(
        SourceCase{"JpegOriginalBeforeTheOthers",
                   jpeg(tiff(true, allThree, exifBoth)),
                   {May17, S::DateTimeOriginal}},
        SourceCase{"JpegCreateDateWithoutOriginal",
                   jpeg(tiff(false, allThree, {{Created, june1}})),
                   {June1, S::CreateDate}},
        SourceCase{"JpegDateTimeAlone", jpeg(tiff(true, allThree)), {July2, S::DateTime}},
        SourceCase{"JpegWithoutExif", jpeg(QByteArray()), {}},
        SourceCase{"SubSecondsAndOffsetIgnored",
                   jpeg(tiff(true, {}, {{Original, may17 + ".123+02:00"}})),
                   {May17, S::DateTimeOriginal}},
        SourceCase{"BlankDateOfACameraWithoutClock",
                   jpeg(tiff(true, {{Changed, "    :  :     :  :  "}})),
                   {}},
        SourceCase{"ImpossibleMonth", jpeg(tiff(true, {{Changed, "2024:13:01 00:00:00"}})), {}},
        SourceCase{"BigEndianTiff", tiff(false, allThree, exifBoth), {May17, S::DateTimeOriginal}},
        SourceCase{"OlympusRawMagic",
                   [] {
                       QByteArray raw = tiff(true, allThree, exifBoth);
                       raw[2] = 'R';
                       raw[3] = 'O';
                       return raw;
                   }(),
                   {May17, S::DateTimeOriginal}},
        SourceCase{"Mp4Version0",
                   movie("isom", utc(2024, 5, 17, 12, 0, 0) + 2082844800, false),
                   {local(utc(2024, 5, 17, 12, 0, 0)), S::MovieHeader}},
        SourceCase{"QuickTimeVersion1",
                   movie("qt  ", 3800000000ULL, true),
                   {local(3800000000LL - 2082844800), S::MovieHeader}},
        SourceCase{"MovieWithoutClock", movie("3gp4", 0, false), {}},
        SourceCase{
            "HeicExifItem", heif(tiff(false, allThree, exifBoth)), {May17, S::DateTimeOriginal}},
        SourceCase{"HeifLongOffsetsFromABase",
                   heif(tiff(true, allThree, exifBoth), {.brand = "mif1",
                                                         .infeVersion = 3,
                                                         .ilocVersion = 1,
                                                         .offsetWidth = 8,
                                                         .baseWidth = 8,
                                                         .indexWidth = 4}),
                   {May17, S::DateTimeOriginal}},
        SourceCase{
            "HeifLocationsVersion2",
            heif(tiff(true, allThree, {{Created, june1}}), {.ilocVersion = 2, .baseWidth = 4}),
            {June1, S::CreateDate}},
        SourceCase{"AvifDateTimeAlone",
                   heif(tiff(true, allThree), {.brand = "avif"}),
                   {July2, S::DateTime}},
        SourceCase{"HeifExifMarkerWithoutDistance",
                   heif(tiff(false, allThree), {.distanceOverMarker = false}),
                   {July2, S::DateTime}},
        SourceCase{"HeifExifInItemDataIsNotRead",
                   heif(tiff(false, allThree), {.ilocVersion = 1, .method = 1}),
                   {}},
        SourceCase{"HeifSequenceWithoutExifDate",
                   heif(tiff(true, {})) +
                       box("moov", movieHeader(utc(2024, 5, 17, 12, 0, 0) + 2082844800, false)),
                   {local(utc(2024, 5, 17, 12, 0, 0)), S::MovieHeader}},
        SourceCase{"PlainText", QByteArray("just some text, no picture"), {}}),
    [](const auto &info) { return std::string(info.param.label); });

// Hostile headers end the walk without a date; none may hang or read outside.
TEST(CaptureDate, HostileHeadersYieldNothing)
{
    const QByteArray good = jpeg(tiff(true, allThree, exifBoth));
    std::vector<QByteArray> hostile;
    for (qsizetype cut : {3, 12, 30, 60, 100}) {
        hostile.push_back(good.left(cut));
    }
    // Exif directory pointing at itself, and text offsets far outside.
    Bytes loop(true);
    loop.out = "II";
    loop.u16(42).u32(8).u16(2).u16(0x8769).u16(4).u32(1).u32(8);
    loop.u16(Original).u16(2).u32(20).u32(0xFFFFFFF0).u32(0);
    hostile.push_back(loop.out);
    // A directory claiming 65535 entries.
    Bytes many(false);
    many.out = "MM";
    many.u16(42).u32(8).u16(0xFFFF);
    hostile.push_back(many.out + QByteArray(64, '\x01'));
    // Boxes of size 1 with a 64-bit size beyond the file, of size 7, and a moov loop.
    Bytes boxes(false);
    boxes.u32(16).out += "ftypisom";
    boxes.u32(0).u32(1).out += "moov";
    boxes.u32(0xFFFFFFFF).u32(0xFFFFFFFF);
    hostile.push_back(boxes.out);
    hostile.push_back(box("ftyp", "isom0000") + QByteArray("\0\0\0\x07mvhd", 8));
    hostile.push_back(box("ftyp", "isom0000") + box("moov", box("mvhd", QByteArray(2, '\1'))));
    for (const QByteArray &data : hostile) {
        EXPECT_EQ(readBytes(data).source, S::None) << data.toHex().toStdString();
    }
}

// Exif blocks of HEIF files cut short or placed where no file reaches; the
// reader neither finds a date nor reads outside the file.
TEST(CaptureDate, HostileHeifItemsYieldNothing)
{
    const QByteArray tiffDates = tiff(true, allThree, exifBoth);
    const QByteArray good = heif(tiffDates);
    ASSERT_EQ(readBytes(good).source, S::DateTimeOriginal);
    std::vector<QByteArray> hostile;
    for (const qsizetype cut :
         std::initializer_list<qsizetype>{20, 60, 120, 180, good.size() - tiffDates.size() + 20}) {
        hostile.push_back(good.left(cut));
    }
    const quint64 far = 0xFFFFFFF0u;
    hostile.push_back(heif(tiffDates, {.exifAt = far}));
    hostile.push_back(heif(tiffDates, {.exifLength = far}));
    hostile.push_back(heif(tiffDates, {.offsetWidth = 8, .exifAt = ~quint64{0}}));
    hostile.push_back(
        heif(tiffDates,
             {.ilocVersion = 1, .offsetWidth = 8, .baseWidth = 8, .exifAt = ~quint64{0} - 8}));
    hostile.push_back(heif(tiffDates, {.exifLength = 6}));  // no room for a TIFF header
    hostile.push_back(heif(tiffDates, {.offsetWidth = 2})); // no width "iloc" allows
    hostile.push_back(heif(tiffDates, {.ilocVersion = 3}));
    QByteArray distance = good;
    const qsizetype block = distance.indexOf(QByteArray("\0\0\0\x06"
                                                        "Exif",
                                                        8));
    ASSERT_GT(block, 0);
    distance.replace(block, 4, QByteArray("\xFF\xFF\xFF\xF0", 4));
    hostile.push_back(distance);
    QByteArray tinyEntry = good;
    const qsizetype entry = tinyEntry.indexOf("infe") - 4;
    tinyEntry.replace(entry, 4, QByteArray("\0\0\0\x07", 4));
    hostile.push_back(tinyEntry);
    for (const QByteArray &data : hostile) {
        EXPECT_EQ(readBytes(data).source, S::None) << data.toHex().toStdString();
    }
}

TEST(CaptureDate, ABrokenExifItemLeavesTheMovieHeader)
{
    const QByteArray broken = heif(tiff(true, allThree), {.exifAt = 0xFFFFFFF0u});
    const std::int64_t noon = utc(2024, 5, 17, 12, 0, 0);
    const QByteArray data = broken + box("moov", movieHeader(noon + 2082844800, false));
    EXPECT_EQ(readBytes(data), (CaptureDate{local(noon), S::MovieHeader}));
}

// --- The token in the engine -------------------------------------------------

using Photos = test::FolderEngine;

TEST(CaptureDateToken, NamesPhotosAndFallsBackToTheModificationDate)
{
    Photos photos(u"<a%yyyy-%mm-%dd %hh.%ii.%ss>.<e>"_s);
    photos.add(u"a.jpg"_s, jpeg(tiff(true, allThree, exifBoth)));
    photos.add(u"b.txt"_s, "no date inside");
    const QStringList names = photos.names();
    EXPECT_EQ(names[0], u"2024-05-17 14.03.59.jpg"_s);
    const FileEntry &b = photos.list.at(1);
    EXPECT_EQ(names[1], formatGeneralDate(u"%yyyy-%mm-%dd %hh.%ii.%ss"_s, b.fileTime) + u".txt"_s);
    EXPECT_TRUE(photos.list.nameTrace(0).contains(u"(Exif DateTimeOriginal)"_s));
    EXPECT_TRUE(photos.list.nameTrace(1).contains(u"(Änderungsdatum)"_s));
}

TEST(CaptureDateToken, ReadsEachFileOnceUntilItChangesOrRefresh)
{
    Photos photos(u"<a%yyyy>"_s);
    photos.add(u"a.jpg"_s, jpeg(tiff(true, allThree)));
    EXPECT_EQ(photos.names(), QStringList{u"2022"_s});
    // Same size and time on disk, other content: the cached date stays, so
    // the file was not read again.
    photos.rewriteUnnoticed(u"a.jpg"_s, jpeg(tiff(true, {{Changed, june1}})));
    EXPECT_EQ(photos.names(), QStringList{u"2022"_s});
    photos.engine.forgetFileContents(); // Ctrl+R
    EXPECT_EQ(photos.names(), QStringList{u"2023"_s});
}

TEST(CaptureDateToken, TemplatesWithoutItReadNothing)
{
    Photos photos(u"<n>-<d%yyyy>.<e>"_s);
    photos.add(u"a.jpg"_s, jpeg(tiff(true, allThree)));
    photos.names();
    EXPECT_EQ(photos.engine.captureDates().size(), 0);
}

} // namespace
} // namespace namenswerk
