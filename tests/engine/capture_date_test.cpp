#include "engine/capture_date.h"
#include "engine/date_format.h"
#include "engine/name_engine.h"
#include "tests/support/temp_folder.h"

#include <QBuffer>
#include <QDateTime>
#include <QFileInfo>
#include <QTimeZone>
#include <QtEndian>

#include <gtest/gtest.h>

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

// An MP4 with a big media box before the movie box, as cameras write it.
QByteArray movie(const char *brand, quint64 created, bool version1)
{
    Bytes header(false);
    header.out += char(version1 ? 1 : 0);
    header.out += QByteArray(3, '\0');
    if (version1) {
        header.u32(created >> 32).u32(created & 0xFFFFFFFFu).u32(0).u32(0);
    } else {
        header.u32(static_cast<quint32>(created)).u32(0);
    }
    header.out += QByteArray(80, '\0');
    const QByteArray ftyp = box("ftyp", QByteArray(brand, 4) + QByteArray(4, '\0'));
    return ftyp + box("mdat", QByteArray(5000, 'x')) +
           box("moov", box("trak", QByteArray(12, 't')) + box("mvhd", header.out));
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

// --- The token in the engine -------------------------------------------------

struct Photos {
    test::TempFolder folder;
    FileList list;
    NameEngine engine;
    RenameSettings settings;

    explicit Photos(const QString &templateText)
    {
        settings.regReplace = templateText;
        list.currentFolder = folder.path();
        engine.setInputs(settings);
    }
    QStringList names()
    {
        list.requestRefresh(RefreshLevel::Names);
        engine.refresh(list, settings);
        QStringList result;
        for (const FileEntry &entry : list.entries()) {
            result << entry.newName;
        }
        return result;
    }
};

TEST(CaptureDateToken, NamesPhotosAndFallsBackToTheModificationDate)
{
    Photos photos(u"<a%yyyy-%mm-%dd %hh.%ii.%ss>.<e>"_s);
    photos.folder.write(u"a.jpg"_s, jpeg(tiff(true, allThree, exifBoth)));
    photos.folder.write(u"b.txt"_s, "no date inside");
    photos.list.addPathLine(u"a.jpg"_s, true);
    photos.list.addPathLine(u"b.txt"_s, true);
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
    const QString path = photos.folder.write(u"a.jpg"_s, jpeg(tiff(true, allThree)));
    photos.list.addPathLine(u"a.jpg"_s, true);
    EXPECT_EQ(photos.names(), QStringList{u"2022"_s});
    // Same size and time on disk, other content: the cached date stays, so
    // the file was not read again.
    QByteArray other = jpeg(tiff(true, {{Changed, june1}}));
    const QDateTime time = QFileInfo(path).lastModified();
    photos.folder.write(u"a.jpg"_s, other);
    QFile touched(path);
    touched.open(QIODevice::ReadWrite);
    touched.setFileTime(time, QFileDevice::FileModificationTime);
    touched.close();
    EXPECT_EQ(photos.names(), QStringList{u"2022"_s});
    photos.engine.forgetFileContents(); // Ctrl+R
    EXPECT_EQ(photos.names(), QStringList{u"2023"_s});
}

TEST(CaptureDateToken, TemplatesWithoutItReadNothing)
{
    Photos photos(u"<n>-<d%yyyy>.<e>"_s);
    photos.folder.write(u"a.jpg"_s, jpeg(tiff(true, allThree)));
    photos.list.addPathLine(u"a.jpg"_s, true);
    photos.names();
    EXPECT_EQ(photos.engine.captureDates().size(), 0);
}

} // namespace
} // namespace namenswerk
