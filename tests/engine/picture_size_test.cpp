#include "engine/entry_facts.h"
#include "engine/name_engine.h"
#include "engine/picture_size.h"
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <tuple>

namespace namenswerk {

void PrintTo(const PictureSize &size, std::ostream *out)
{
    *out << size.width << " x " << size.height;
}

namespace {

using namespace Qt::StringLiterals;

// --- Byte builders for tiny picture headers ---------------------------------

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values) {
        out.append(static_cast<char>(v));
    }
    return out;
}

template <typename T> QByteArray big(T value)
{
    QByteArray out(sizeof(T), '\0');
    qToBigEndian(value, out.data());
    return out;
}

template <typename T> QByteArray little(T value)
{
    QByteArray out(sizeof(T), '\0');
    qToLittleEndian(value, out.data());
    return out;
}

QByteArray paddedTo(QByteArray data, qsizetype size)
{
    if (data.size() < size) {
        data.append(size - data.size(), '\0');
    }
    return data;
}

QByteArray png(quint32 width, quint32 height)
{
    return "\x89PNG\r\n\x1a\n"_ba + big<quint32>(13) + "IHDR" + big(width) + big(height) +
           bytes({8, 2, 0, 0, 0}) + big<quint32>(0);
}

QByteArray gif(quint16 width, quint16 height)
{
    return paddedTo("GIF89a"_ba + little(width) + little(height), 32);
}

QByteArray jpegSegment(int marker, const QByteArray &payload)
{
    return bytes({0xFF, marker}) + big(static_cast<quint16>(payload.size() + 2)) + payload;
}

QByteArray frameHeader(int marker, quint16 width, quint16 height)
{
    return jpegSegment(marker, bytes({8}) + big(height) + big(width) + bytes({1, 1, 0x11, 0}));
}

QByteArray jpeg(std::initializer_list<QByteArray> segments)
{
    QByteArray out = bytes({0xFF, 0xD8});
    for (const QByteArray &segment : segments) {
        out += segment;
    }
    return out + bytes({0xFF, 0xD9});
}

const QByteArray app0 = jpegSegment(0xE0, "JFIF\0"_ba + bytes({1, 2, 0, 0, 1, 0, 1, 0, 0}));
const QByteArray quantTable = jpegSegment(0xDB, QByteArray(65, '\1'));
// A table whose bytes would read as 1 x 2 if it were taken for a frame header.
const QByteArray huffmanTable = jpegSegment(0xC4, bytes({0x10, 0, 2, 0, 1, 0, 0, 0}));

QByteArray jp2(quint32 width, quint32 height, const QByteArray &imageHeaderType = "ihdr"_ba)
{
    const QByteArray signature = big<quint32>(12) + "jP  " + bytes({0x0D, 0x0A, 0x87, 0x0A});
    const QByteArray fileType = big<quint32>(20) + "ftyp" + "jp2 " + big<quint32>(0) + "jp2 ";
    const QByteArray imageHeader = big<quint32>(22) + imageHeaderType + big(height) + big(width) +
                                   big<quint16>(3) + bytes({7, 7, 0, 0});
    return signature + fileType + big<quint32>(8 + imageHeader.size()) + "jp2h" + imageHeader;
}

QByteArray bitmap(qint32 width, qint32 height)
{
    return paddedTo("BM"_ba + little<quint32>(54) + little<quint32>(0) + little<quint32>(54) +
                        little<quint32>(40) + little(width) + little(height) + little<quint16>(1) +
                        little<quint16>(24),
                    54);
}

QByteArray os2Bitmap(quint16 width, quint16 height)
{
    return "BM"_ba + little<quint32>(26) + little<quint32>(0) + little<quint32>(26) +
           little<quint32>(12) + little(width) + little(height) + little<quint16>(1) +
           little<quint16>(24);
}

struct TiffEntry {
    quint16 tag;
    quint16 type; // 3 short, 4 long
    quint32 value;
};

constexpr quint16 Short = 3;
constexpr quint16 Long = 4;

QByteArray tiff(bool bigEndian, quint32 directory, std::initializer_list<TiffEntry> entries,
                quint32 nextDirectory = 0, quint16 magic = 42)
{
    const auto u16 = [&](quint16 v) { return bigEndian ? big(v) : little(v); };
    const auto u32 = [&](quint32 v) { return bigEndian ? big(v) : little(v); };
    QByteArray out = (bigEndian ? "MM"_ba : "II"_ba) + u16(magic) + u32(directory);
    out = paddedTo(out, directory);
    out += u16(static_cast<quint16>(entries.size()));
    for (const TiffEntry &e : entries) {
        const QByteArray value =
            e.type == Short ? u16(static_cast<quint16>(e.value)) + u16(0) : u32(e.value);
        out += u16(e.tag) + u16(e.type) + u32(1) + value;
    }
    return paddedTo(out + u32(nextDirectory), 32);
}

QByteArray pcx(quint16 left, quint16 top, quint16 right, quint16 bottom)
{
    return paddedTo(
        bytes({0x0A, 5, 1, 8}) + little(left) + little(top) + little(right) + little(bottom), 128);
}

QByteArray targa(quint16 width, quint16 height, int imageType = 2)
{
    return paddedTo(bytes({0, 0, imageType}) + QByteArray(9, '\0') + little(width) +
                        little(height) + bytes({24, 0}),
                    32);
}

// --- Files of every known format, read by name from disk ---------------------

// The file name decides what the reader may try, as it does on disk.
struct PictureCase {
    const char *label;
    QString fileName;
    QByteArray content;
    PictureSize expected;
};

std::ostream &operator<<(std::ostream &out, const PictureCase &c)
{
    return out << c.label;
}

std::string caseName(const testing::TestParamInfo<PictureCase> &info)
{
    return info.param.label;
}

class PictureFileTest : public testing::TestWithParam<PictureCase> {};

TEST_P(PictureFileTest, ReadsSizeFromHeader)
{
    const test::TempFolder folder;
    const QString path = folder.write(GetParam().fileName, GetParam().content);
    EXPECT_EQ(readPictureSize(path), GetParam().expected);
}

// A little-endian TIFF whose first directory lies 600 bytes in, with the size
// tags behind four other entries.
const QByteArray tiffLateDirectory = tiff(false, 600,
                                          {{0xFE, Long, 0},
                                           {0xFF, Short, 1},
                                           {0xF0, Short, 9},
                                           {0xF1, Short, 9},
                                           {0x100, Short, 800},
                                           {0x101, Short, 600}});

INSTANTIATE_TEST_SUITE_P(
    Formats, PictureFileTest,
    testing::Values(
        PictureCase{"png", u"a.png"_s, png(640, 480), {640, 480}},
        PictureCase{"pngNamedJpg", u"a.jpg"_s, png(640, 480), {640, 480}},
        PictureCase{"pngNamedTxt", u"a.txt"_s, png(640, 480), {}},
        PictureCase{"pngWithoutExtension", u"png"_s, png(640, 480), {}},
        PictureCase{"pngUpperCaseExtension", u"A.PNG"_s, png(640, 480), {640, 480}},
        PictureCase{"pngWiderThan16Bits", u"a.png"_s, png(70000, 3), {70000, 3}},
        PictureCase{"fileOf23Bytes", u"a.png"_s, png(640, 480).left(23), {}},
        PictureCase{"fileOf24Bytes", u"a.png"_s, png(640, 480).left(24), {640, 480}},
        PictureCase{"gif", u"a.gif"_s, gif(320, 200), {320, 200}},
        PictureCase{"gifWidth40000", u"a.gif"_s, gif(40000, 10), {40000, 10}},
        PictureCase{"jpegApp0",
                    u"a.jpg"_s,
                    jpeg({app0, quantTable, frameHeader(0xC0, 1024, 768)}),
                    {1024, 768}},
        PictureCase{"jpegApp1LongerThanABlock",
                    u"a.jpeg"_s,
                    jpeg({jpegSegment(0xE1, QByteArray(5000, 'x')), quantTable,
                          frameHeader(0xC0, 4000, 3000)}),
                    {4000, 3000}},
        PictureCase{"jpegApp2",
                    u"a.jpg"_s,
                    jpeg({jpegSegment(0xE2, "ICC"_ba), frameHeader(0xC1, 9, 7)}),
                    {9, 7}},
        PictureCase{
            "jpegProgressive", u"a.jpg"_s, jpeg({app0, frameHeader(0xC2, 800, 600)}), {800, 600}},
        PictureCase{"jpegTableBeforeFrame",
                    u"a.jpg"_s,
                    jpeg({app0, huffmanTable, frameHeader(0xC0, 800, 600)}),
                    {800, 600}},
        PictureCase{"jpegWithoutAppSegment",
                    u"a.jpg"_s,
                    jpeg({quantTable, frameHeader(0xC0, 800, 600)}),
                    {}},
        PictureCase{"jp2", u"a.jp2"_s, jp2(1920, 1080), {1920, 1080}},
        PictureCase{"jp2WiderThan16Bits", u"a.jp2"_s, jp2(100000, 50), {100000, 50}},
        PictureCase{"bitmap", u"a.bmp"_s, bitmap(640, 480), {640, 480}},
        PictureCase{"bitmapTopDown", u"a.bmp"_s, bitmap(640, -480), {640, 480}},
        PictureCase{"bitmapOs2Header", u"a.bmp"_s, os2Bitmap(300, 200), {300, 200}},
        PictureCase{"bitmapNamedPng", u"a.png"_s, bitmap(640, 480), {}},
        PictureCase{"tiffLittleEndian",
                    u"a.tif"_s,
                    tiff(false, 8, {{0xFE, Long, 0}, {0x100, Short, 1200}, {0x101, Short, 900}}),
                    {1200, 900}},
        PictureCase{"tiffBigEndianLongValues",
                    u"a.tiff"_s,
                    tiff(true, 8, {{0x100, Long, 1200}, {0x101, Long, 70000}}),
                    {1200, 70000}},
        PictureCase{"tiffBigEndianWidth40000",
                    u"a.tif"_s,
                    tiff(true, 8, {{0x100, Short, 40000}, {0x101, Short, 5}}),
                    {40000, 5}},
        PictureCase{"tiffDirectoryBeyond64K",
                    u"a.tif"_s,
                    tiff(true, 70000, {{0x100, Short, 64}, {0x101, Short, 48}}),
                    {64, 48}},
        PictureCase{"tiffDirectoryAfterHeaderArea", u"a.tif"_s, tiffLateDirectory, {800, 600}},
        PictureCase{"tiffNamedGif",
                    u"a.gif"_s,
                    tiff(false, 8, {{0x100, Short, 12}, {0x101, Short, 34}}),
                    {12, 34}},
        PictureCase{"tiffNamedJpg",
                    u"a.jpg"_s,
                    tiff(false, 8, {{0x100, Short, 12}, {0x101, Short, 34}}),
                    {}},
        PictureCase{"pcx", u"a.pcx"_s, pcx(0, 0, 639, 479), {640, 480}},
        PictureCase{"pcxWithOrigin", u"a.pcx"_s, pcx(10, 20, 109, 69), {100, 50}},
        PictureCase{"pcxNamedBmp", u"a.bmp"_s, pcx(0, 0, 639, 479), {}},
        PictureCase{"targa", u"a.tga"_s, targa(256, 128), {256, 128}},
        PictureCase{"targaRunLength", u"a.tga"_s, targa(256, 128, 10), {256, 128}},
        PictureCase{"targaUnknownImageType", u"a.tga"_s, targa(256, 128, 0x20), {}},
        PictureCase{"targaNamedBmp", u"a.bmp"_s, targa(256, 128), {}}),
    caseName);

// --- Hostile and broken headers, read from memory ----------------------------

class HostileHeaderTest : public testing::TestWithParam<PictureCase> {};

TEST_P(HostileHeaderTest, NeverTrustsBytesItDidNotGet)
{
    QBuffer buffer;
    buffer.setData(GetParam().content);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_EQ(pictureSizeFromHeader(buffer, pictureExtension(GetParam().fileName)),
              GetParam().expected);
}

QByteArray manyEmptySegments(int count)
{
    QByteArray out;
    for (int i = 0; i < count; ++i) {
        out += jpegSegment(0xFE, {});
    }
    return out;
}

const QByteArray plainJpeg = jpeg({app0, frameHeader(0xC0, 800, 600)});
const QByteArray plainTiff = tiff(false, 8, {{0x100, Short, 12}, {0x101, Short, 34}});

INSTANTIATE_TEST_SUITE_P(
    Broken, HostileHeaderTest,
    testing::Values(
        PictureCase{"jpegSegmentLengthZero",
                    u"a.jpg"_s,
                    paddedTo(bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 0}), 32) + plainJpeg,
                    {}},
        PictureCase{"jpegSegmentLengthOne",
                    u"a.jpg"_s,
                    paddedTo(bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 1}), 32) + plainJpeg,
                    {}},
        PictureCase{"jpegSegmentPastEnd",
                    u"a.jpg"_s,
                    paddedTo(bytes({0xFF, 0xD8, 0xFF, 0xE0, 0xFF, 0xF0}), 32),
                    {}},
        PictureCase{
            "jpegFrameHeaderCutShort", u"a.jpg"_s, plainJpeg.left(plainJpeg.size() - 9), {}},
        PictureCase{"jpegFillBytesBeforeFrame",
                    u"a.jpg"_s,
                    jpeg({app0, bytes({0xFF, 0xFF}) + frameHeader(0xC0, 800, 600)}),
                    {800, 600}},
        PictureCase{"jpegTooManySegments",
                    u"a.jpg"_s,
                    jpeg({app0, manyEmptySegments(5000), frameHeader(0xC0, 800, 600)}),
                    {}},
        PictureCase{"tiffDirectoryAtOffsetZero", u"a.tif"_s, tiff(false, 0, {}), {}},
        PictureCase{"tiffDirectoryPastEnd",
                    u"a.tif"_s,
                    tiff(true, 8, {}).replace(4, 4, big<quint32>(0xFFFFFFF0u)),
                    {}},
        PictureCase{
            "tiffDirectoryPointingToItself", u"a.tif"_s, tiff(false, 8, {{0xFE, Long, 0}}, 8), {}},
        PictureCase{"tiffEntriesCutShort", u"a.tif"_s, plainTiff.left(8 + 2 + 12 + 6), {}},
        PictureCase{"tiffOnlyWidth", u"a.tif"_s, tiff(false, 8, {{0x100, Short, 12}}), {12, 0}},
        PictureCase{"tiffWrongMagic",
                    u"a.tif"_s,
                    tiff(false, 8, {{0x100, Short, 12}, {0x101, Short, 34}}, 0, 43),
                    {}},
        PictureCase{"tiffWidthBeyondInt",
                    u"a.tif"_s,
                    tiff(true, 8, {{0x100, Long, 0x80000000u}, {0x101, Short, 1}}),
                    {}},
        PictureCase{"pngWidthBeyondInt", u"a.png"_s, png(0x80000000u, 1), {}},
        PictureCase{
            "pngLargestInt", u"a.png"_s, png(0x7FFFFFFFu, 1), {std::numeric_limits<int>::max(), 1}},
        PictureCase{"bitmapMostNegativeHeight",
                    u"a.bmp"_s,
                    bitmap(1, std::numeric_limits<qint32>::min()),
                    {}},
        PictureCase{"bitmapNegativeWidth", u"a.bmp"_s, bitmap(-640, 480), {}},
        PictureCase{"bitmapHeightCutShort", u"a.bmp"_s, bitmap(640, 480).left(24), {}},
        PictureCase{"jp2FileTypeBoxPastEnd",
                    u"a.jp2"_s,
                    jp2(10, 10).replace(12, 4, big<quint32>(0xFFFFFF00u)),
                    {}},
        PictureCase{"jp2WithoutImageHeader", u"a.jp2"_s, jp2(10, 10, "xxxx"_ba), {}},
        PictureCase{"pcxCornersSwapped", u"a.pcx"_s, pcx(100, 0, 10, 10), {}},
        PictureCase{"targaCutShort", u"a.tga"_s, targa(256, 128).left(13), {}}),
    caseName);

// --- How much is read -----------------------------------------------------------

class CountingBuffer : public QBuffer {
public:
    qint64 delivered = 0;

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 n = QBuffer::readData(data, maxSize);
        delivered += n > 0 ? n : 0;
        return n;
    }
};

TEST(PictureSizeReading, ReadsOnlyTheBlocksThatHoldTheSize)
{
    constexpr qint64 block = 2048;
    const QByteArray largePng = png(640, 480) + QByteArray(100000, 'p');
    const QByteArray jpegWithLargeExif =
        jpeg({jpegSegment(0xE1, QByteArray(50000, 'e')), frameHeader(0xC0, 800, 600)}) +
        QByteArray(100000, 'j');

    for (const auto &[content, extension, limit] :
         {std::tuple{largePng, PictureExtension::Png, block},
          std::tuple{jpegWithLargeExif, PictureExtension::Jpeg, 2 * block}}) {
        CountingBuffer buffer;
        buffer.setData(content);
        buffer.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        EXPECT_NE(pictureSizeFromHeader(buffer, extension), PictureSize{});
        EXPECT_LE(buffer.delivered, limit);
    }
}

TEST(PictureSizeReading, NeverOpensWhatIsNoRegularFile)
{
    const test::TempFolder folder;
    // Opening a named pipe would wait for a writer that never comes.
    const QString pipe = folder.file(u"pipe.png"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(readPictureSize(pipe), PictureSize{});

    EXPECT_EQ(readPictureSize(folder.file(u"missing.png"_s)), PictureSize{});
    folder.write(u"dir.png/inside"_s);
    EXPECT_EQ(readPictureSize(folder.file(u"dir.png"_s)), PictureSize{});
}

// --- Facts of an entry ------------------------------------------------------------

TEST(EntryFacts, AddPictureSizeToSizeAndDate)
{
    const test::TempFolder folder;
    const QByteArray content = png(640, 480) + QByteArray(100, 'x');
    const FileFacts picture = readEntryFacts(folder.write(u"photo.png"_s, content));
    EXPECT_EQ(picture.fileSize64, content.size() >> 6);
    EXPECT_NE(picture.fileTime, 0);
    EXPECT_EQ(picture.pictureWidth, 640);
    EXPECT_EQ(picture.pictureHeight, 480);

    folder.write(u"album.png/inside.txt"_s);
    const FileFacts album = readEntryFacts(folder.file(u"album.png"_s));
    EXPECT_EQ(album.fileSize64, -2);
    EXPECT_EQ(album.pictureWidth, 0);
    EXPECT_EQ(album.pictureHeight, 0);

    const FileFacts missing = readEntryFacts(folder.file(u"gone.png"_s));
    EXPECT_EQ(missing.fileSize64, -1);
    EXPECT_EQ(missing.pictureWidth, 0);
}

// The window reads no picture at the start: a long list would open every
// file. The first template that asks for picture sizes reads them, once.
TEST(EntryFacts, PictureSizesWaitForATemplateThatAsksForThem)
{
    const test::TempFolder folder;
    folder.write(u"photo.png"_s, png(640, 480));
    folder.write(u"album.png/inside.txt"_s);
    FileList list(readEntryFactsWithoutPicture);
    list.currentFolder = folder.path();
    for (const QString &name : {u"photo.png"_s, u"album.png"_s, u"gone.png"_s}) {
        list.addPathLine(name, true);
    }
    NameEngine engine;
    RenameSettings settings;
    const auto namesFor = [&](const QString &templateText) {
        settings.regReplace = templateText;
        engine.setInputs(settings);
        list.requestRefresh(RefreshLevel::Names);
        engine.refresh(list, settings);
        QStringList names;
        for (const FileEntry &entry : list.entries()) {
            names.append(entry.newName);
        }
        return names;
    };

    EXPECT_EQ(namesFor(u"<n>_<c>.<e>"_s),
              (QStringList{u"photo_001.png"_s, u"album_002.png"_s, u"gone_003.png"_s}));
    for (const FileEntry &entry : list.entries()) {
        EXPECT_EQ(entry.pictureWidth, FileEntry::PictureUnread);
        EXPECT_EQ(entry.pictureHeight, FileEntry::PictureUnread);
    }

    EXPECT_EQ(namesFor(u"<n>_<px>x<py>.<e>"_s),
              (QStringList{u"photo_640x480.png"_s, u"album_0x0.png"_s, u"gone_0x0.png"_s}));
    // Read once: a changed file shows its new size only after its facts are read again.
    folder.write(u"photo.png"_s, png(800, 600));
    EXPECT_EQ(namesFor(u"<px>.<e>"_s).front(), u"640.png"_s);
    list.refreshAllFacts();
    EXPECT_EQ(namesFor(u"<px>.<e>"_s).front(), u"800.png"_s);
}

} // namespace
} // namespace namenswerk
