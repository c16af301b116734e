#include "rename/record_line.h"
#include "rename/recovery_record.h"
#include "settings/ini_document.h"
#include "settings/settings_file.h"
#include "tests/rename/printers.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

TEST(RecordLine, KeysHaveAtLeastFiveDigits)
{
    EXPECT_EQ(recordKey(1), u"00001"_s);
    EXPECT_EQ(recordKey(99'999), u"99999"_s);
    EXPECT_EQ(recordKey(100'000), u"100000"_s);
    EXPECT_EQ(recordKey(1'234'567), u"1234567"_s);
}

struct LineCase {
    QString line;
    std::optional<RenamedPair> pair;
};

class RecordLineParse : public testing::TestWithParam<LineCase> {};

TEST_P(RecordLineParse, SplitsTrimsAndUnquotes)
{
    EXPECT_EQ(parseRecordLine(GetParam().line), GetParam().pair);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RecordLineParse,
    testing::Values(LineCase{u"\"IMG_0001.JPG\" > \"2016/bild.jpg\""_s,
                             RenamedPair{u"IMG_0001.JPG"_s, u"2016/bild.jpg"_s}},
                    LineCase{u"\"a>b.txt\" > \"c.txt\""_s, RenamedPair{u"a>b.txt"_s, u"c.txt"_s}},
                    LineCase{u"  \" a \" >\"b\"  "_s, RenamedPair{u" a "_s, u"b"_s}},
                    LineCase{u"a.txt>b.txt"_s, RenamedPair{u"a.txt"_s, u"b.txt"_s}},
                    LineCase{u"\"a.txt\""_s, std::nullopt}));

TEST(RecordLine, PairsThatWouldNotComeBackDoNotFit)
{
    EXPECT_TRUE(fitsRecordLine({u"a>b \"c\".txt"_s, u"d.txt"_s}));
    EXPECT_TRUE(fitsRecordLine({u"\""_s, u"sub/\"x\""_s}));
    EXPECT_FALSE(fitsRecordLine({u"q\" > \"r"_s, u"s"_s}));
    EXPECT_FALSE(fitsRecordLine({u"line\nbreak"_s, u"s"_s}));
    EXPECT_FALSE(fitsRecordLine({u"a"_s, u"return\r"_s}));
}

TEST(RecoveryRecord, MoreThan99999LinesKeepUniqueKeysAndReadBack)
{
    test::TempFolder settings;
    RecoveryRecord record{1'700'000'000'000, u"/fotos/"_s, {}};
    for (int i = 0; i < 100'002; ++i) {
        record.pairs.push_back({u"f%1.jpg"_s.arg(i), u"g%1.jpg"_s.arg(i)});
    }
    ASSERT_TRUE(writeRecoveryRecord(settings.path(), record));

    const QByteArray text = settings.read(u"Brindlewick.ini"_s);
    EXPECT_TRUE(text.contains("\r\n99999=\"f99998.jpg\" > \"g99998.jpg\"\r\n"));
    EXPECT_TRUE(text.contains("\r\n100002=\"f100001.jpg\" > \"g100001.jpg\"\r\n"));
    const RecoveryRecord read = readRecoveryRecord(settings.path());
    EXPECT_EQ(read.magic, record.magic);
    EXPECT_EQ(read.folder, record.folder);
    EXPECT_EQ(read.pairs, record.pairs);
}

TEST(RecoveryRecord, ReplacesOnlyItsOwnGroup)
{
    test::TempFolder settings;
    settings.write(u"Brindlewick.ini"_s, "\xEF\xBB\xBF\r\n; note\r\n[recovery]\r\nMagic=5\r\n"
                                         "00000=\"/a/\"\r\n00001=\"x\" > \"y\"\r\n"
                                         "00002=\"z\" > \"w\"\r\n\r\n[Own]\r\nKey=kept\r\n");
    ASSERT_TRUE(writeRecoveryRecord(settings.path(), {7, u"/b/"_s, {{u"p"_s, u"q"_s}}}));

    EXPECT_EQ(settings.read(u"Brindlewick.ini"_s),
              "\xEF\xBB\xBF\r\n; note\r\n[Own]\r\nKey=kept\r\n\r\n[Recovery]\r\nMagic=7\r\n"
              "00000=\"/b/\"\r\n00001=\"p\" > \"q\"\r\n");
}

// Every pair is stored as its record line in UTF-8, a line break as a blank,
// text that is no Unicode as toUtf8() spells it.
TEST(RecoveryRecord, StoresEachPairAsItsRecordLine)
{
    test::TempFolder settings;
    const std::vector<RenamedPair> pairs{
        {u"plain.jpg"_s, u"sub/neu.jpg"_s},
        {u"a \"q\" > b"_s, u"/abs/\u00fc\u20ac.txt"_s},
        {u"two\r\nlines"_s, u"tab\there"_s},
        {u"lone "_s + QChar(0xD800), u"\U0001F600"_s},
    };
    ASSERT_TRUE(writeRecoveryRecord(settings.path(), {7, u"/b/"_s, pairs}));

    QByteArray expected = "\r\n[Recovery]\r\nMagic=7\r\n00000=\"/b/\"\r\n";
    for (std::size_t index = 0; index < pairs.size(); ++index) {
        QString line = recordLine(pairs[index]);
        line.replace(u'\r', u' ').replace(u'\n', u' ');
        expected += recordKey(int(index) + 1).toUtf8() + '=' + line.toUtf8() + "\r\n";
    }
    EXPECT_EQ(settings.read(u"Brindlewick.ini"_s), "\xEF\xBB\xBF" + expected);
}

TEST(RecoveryRecord, ReadingStopsAtTheFirstMissingLine)
{
    test::TempFolder settings;
    settings.write(u"Brindlewick.ini"_s, "[Recovery]\nMagic=9\n00000=\"/a/\"\n00001=\"1\" > \"2\"\n"
                                         "00002=\"3\" > \"4\"\n00003=\"5\" > \"6\"\n"
                                         "00005=\"7\" > \"8\"\n");
    const RecoveryRecord record = readRecoveryRecord(settings.path());
    EXPECT_EQ(record.magic, 9);
    EXPECT_EQ(record.pairs.size(), 3u);
}

TEST(RecoveryRecord, NothingWithoutAFolder)
{
    test::TempFolder settings;
    settings.write(u"Brindlewick.ini"_s, "[Recovery]\nMagic=9\n00001=\"1\" > \"2\"\n");
    EXPECT_TRUE(readRecoveryRecord(settings.path()).pairs.empty());
    test::TempFolder empty;
    EXPECT_TRUE(readRecoveryRecord(empty.path()).pairs.empty());
}

} // namespace
} // namespace namenswerk
