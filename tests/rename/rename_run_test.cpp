#include "platform/file_facts.h"
#include "platform/file_system.h"
#include "rename/local_clock.h"
#include "rename/recovery_record.h"
#include "rename/rename_journal.h"
#include "settings/ini_document.h"
#include "settings/settings_file.h"
#include "tests/rename/printers.h"
#include "tests/rename/run_fixture.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

using S = EntryStatus;

std::vector<RenamedPair> recordedPairs(const test::RunFixture &fixture)
{
    return readRecoveryRecord(fixture.settingsFolder.path()).pairs;
}

TEST(RenameRun, RenamesInListOrderAndRecordsTheRun)
{
    test::RunFixture fixture;
    fixture.settingsFolder.write(u"Brindlewick.ini"_s,
                                 "\xEF\xBB\xBF\r\n[Own]\r\nKey=kept\r\n"
                                 "[Recovery]\r\nMagic=1\r\n00000=\"/x/\"\r\n"
                                 "00001=\"a\" > \"b\"\r\n00002=\"c\" > \"d\"\r\n"
                                 "00003=\"e\" > \"f\"\r\n");
    fixture.addFiles({u"b.txt"_s, u"a.txt"_s});
    fixture.compute(u"x_<n>.<e>"_s);
    const std::int64_t before = currentLocalSeconds();

    const RunResult result = fixture.run();

    EXPECT_EQ(result.end, RunEnd::Renamed);
    EXPECT_EQ(result.renamed, 2);
    EXPECT_TRUE(result.recorded);
    EXPECT_EQ(fixture.statuses(), (std::vector{S::Renamed, S::Renamed}));
    EXPECT_EQ(fixture.list.at(0).fileSize64, FileEntry::MissingSize); // its old name is gone
    EXPECT_EQ(fixture.list.renamedCount, 2);
    EXPECT_EQ(fixture.filesOnDisk(), (QStringList{u"x_a.txt"_s, u"x_b.txt"_s}));
    EXPECT_EQ(fixture.files.read(u"x_a.txt"_s), "a.txt");

    const IniDocument stored = IniDocument::load(settingsFilePath(fixture.settingsFolder.path()));
    EXPECT_EQ(stored.value(u"Own"_s, u"Key"_s), u"kept"_s);
    EXPECT_EQ(stored.keys(u"Recovery"_s),
              (QStringList{u"Magic"_s, u"00000"_s, u"00001"_s, u"00002"_s}));
    const std::int64_t magic = stored.value(u"Recovery"_s, u"Magic"_s).toLongLong();
    EXPECT_GE(magic, before);
    EXPECT_LE(magic, currentLocalSeconds());
    EXPECT_EQ(stored.value(u"Recovery"_s, u"00000"_s), u'"' + fixture.files.path() + u'"');
    EXPECT_EQ(stored.value(u"Recovery"_s, u"00001"_s), u"\"b.txt\" > \"x_b.txt\""_s);
    EXPECT_EQ(stored.value(u"Recovery"_s, u"00002"_s), u"\"a.txt\" > \"x_a.txt\""_s);
    EXPECT_FALSE(QFile::exists(journalFilePath(fixture.settingsFolder.path())));
}

// Long runs are made in stretches on a second thread; a name taken after the
// list was computed stops that thread, and the run takes over that one entry
// alone, anywhere in a stretch and at its edges.
TEST(RenameRun, NamesTakenAfterThePlanFailAloneInALongRun)
{
    test::RunFixture fixture;
    constexpr int Files = 2000;
    QStringList names;
    for (int number = 0; number < Files; ++number) {
        names << u"f%1.txt"_s.arg(number, 4, 10, QChar(u'0'));
    }
    fixture.addFiles(names);
    fixture.compute(u"x_<n>.<e>"_s);
    auto taken = [](int number) { return number % 7 == 3 || number == 255 || number == 256; };
    for (int number = 0; number < Files; ++number) {
        if (taken(number)) {
            fixture.files.write(u"x_"_s + names[number], "taken");
        }
    }

    const RunResult result = fixture.run();

    std::vector<RenamedPair> expected;
    for (int number = 0; number < Files; ++number) {
        const QString newName = u"x_"_s + names[number];
        EXPECT_EQ(fixture.list.at(number).status, taken(number) ? S::RenameFailed : S::Renamed)
            << number;
        EXPECT_EQ(fixture.files.read(newName), taken(number) ? "taken" : names[number].toUtf8());
        if (taken(number)) {
            EXPECT_EQ(fixture.files.read(names[number]), names[number].toUtf8());
        } else {
            expected.push_back({names[number], newName});
        }
    }
    EXPECT_EQ(result.renamed, int(expected.size()));
    EXPECT_EQ(result.failed, Files - int(expected.size()));
    EXPECT_EQ(recordedPairs(fixture), expected);
    EXPECT_FALSE(QFile::exists(journalFilePath(fixture.settingsFolder.path())));
}

TEST(RenameRun, FirstRunWithoutSettingsFileStillRecords)
{
    test::RunFixture fixture;
    fixture.addFiles({u"a.txt"_s});
    fixture.compute(u"x_<n>.<e>"_s);
    ASSERT_FALSE(fixture.settingsFolder.exists(u"Brindlewick.ini"_s));

    EXPECT_TRUE(fixture.run().recorded);

    EXPECT_EQ(recordedPairs(fixture), (std::vector{RenamedPair{u"a.txt"_s, u"x_a.txt"_s}}));
}

TEST(RenameRun, LeavesASettingsFileItCannotReadAlone)
{
    test::RunFixture fixture;
    // Sparse: past the limit in size without the disk holding its bytes.
    const QString path = fixture.settingsFolder.write(u"Brindlewick.ini"_s, ";");
    ASSERT_TRUE(QFile::resize(path, IniDocument::MaxFileSize + 1));
    const QDateTime written = QFileInfo(path).lastModified();
    fixture.addFiles({u"a.txt"_s});
    fixture.compute(u"x_<n>.<e>"_s);

    const RunResult result = fixture.run();

    EXPECT_EQ(result.renamed, 1);
    EXPECT_FALSE(result.recorded);
    EXPECT_TRUE(result.journalKept);
    EXPECT_EQ(QFileInfo(path).size(), IniDocument::MaxFileSize + 1);
    EXPECT_EQ(QFileInfo(path).lastModified(), written);
    // The journal is all that is left of the run; the next start tries again.
    EXPECT_TRUE(QFile::exists(journalFilePath(fixture.settingsFolder.path())));
}

TEST(RenameRun, ASwapFailsOnBothEntriesAndKeepsThePreviousRecord)
{
    test::RunFixture fixture;
    fixture.addFiles({u"1_2.txt"_s, u"2_1.txt"_s});
    fixture.settings.regFindname = u"<*>_<*>"_s;
    fixture.compute(u"<n2>_<n1>.<e>"_s);
    const RecoveryRecord previous{42, u"/old/"_s, {{u"p"_s, u"q"_s}}};
    ASSERT_TRUE(writeRecoveryRecord(fixture.settingsFolder.path(), previous));
    const QByteArray settingsBefore = fixture.settingsFolder.read(u"Brindlewick.ini"_s);

    const RunResult result = fixture.run();

    EXPECT_EQ(result.failed, 2);
    EXPECT_FALSE(result.recorded);
    EXPECT_EQ(fixture.statuses(), (std::vector{S::RenameFailed, S::RenameFailed}));
    EXPECT_EQ(fixture.list.failedCount, 2);
    EXPECT_EQ(fixture.list.at(0).fileSize64, 0); // read again: still there
    EXPECT_NE(fixture.list.at(0).fileTime, 0);
    EXPECT_EQ(fixture.files.read(u"1_2.txt"_s), "1_2.txt");
    EXPECT_EQ(fixture.files.read(u"2_1.txt"_s), "2_1.txt");
    EXPECT_EQ(fixture.settingsFolder.read(u"Brindlewick.ini"_s), settingsBefore);
}

struct ChainCase {
    const char *label;
    QStringList order;
    std::vector<EntryStatus> statuses;
    QStringList onDisk;
};

void PrintTo(const ChainCase &c, std::ostream *os)
{
    *os << c.label;
}

class Chain : public testing::TestWithParam<ChainCase> {};

// a becomes b and b becomes c: only the storage order decides.
TEST_P(Chain, WorksWhenTheLastLinkGoesFirst)
{
    const ChainCase &c = GetParam();
    test::RunFixture fixture;
    fixture.addFiles(c.order);
    fixture.settings.txtFind = u"b>c|a>b"_s;
    fixture.compute(u"<n>.<e>"_s);

    fixture.run();

    EXPECT_EQ(fixture.statuses(), c.statuses);
    EXPECT_EQ(fixture.filesOnDisk(), c.onDisk);
}

INSTANTIATE_TEST_SUITE_P(Orders, Chain,
                         testing::Values(ChainCase{"b first",
                                                   {u"b.txt"_s, u"a.txt"_s},
                                                   {S::Renamed, S::Renamed},
                                                   {u"b.txt"_s, u"c.txt"_s}},
                                         ChainCase{"a first",
                                                   {u"a.txt"_s, u"b.txt"_s},
                                                   {S::RenameFailed, S::Renamed},
                                                   {u"a.txt"_s, u"c.txt"_s}}),
                         [](const testing::TestParamInfo<ChainCase> &param) {
                             return std::to_string(param.index);
                         });

TEST(RenameRun, FileDateIsTheRenameMinute)
{
    test::RunFixture fixture;
    fixture.addFiles({u"a.txt"_s, u"b.txt"_s});
    for (const QString &name : {u"a.txt"_s, u"b.txt"_s}) {
        ASSERT_TRUE(platform::setModificationTime(fixture.files.file(name), 1'000'000'000));
    }
    fixture.settings.fileDate = true;
    fixture.compute(u"x_<n>.<e>"_s);
    const std::int64_t before = currentLocalSeconds() / 60 * 60;

    fixture.run();

    for (const QString &name : {u"x_a.txt"_s, u"x_b.txt"_s}) {
        const std::int64_t date = platform::pathFacts(fixture.files.file(name)).localTime;
        EXPECT_EQ(date % 60, 0) << name.toStdString();
        EXPECT_GE(date, before);
        EXPECT_LE(date, currentLocalSeconds());
    }
}

TEST(RenameRun, ANameThatDoesNotSurviveEncodingIsNotTouched)
{
    test::RunFixture fixture;
    // A name with a byte that is no UTF-8, beside one that holds what it
    // decodes to: the list names the second one's text.
    const QByteArray folder = QFile::encodeName(fixture.files.path());
    const QByteArray broken = folder + "a\xFF.txt";
    const QByteArray decoded = folder + "a\xEF\xBF\xBD.txt";
    for (const QByteArray &path : {broken, decoded}) {
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    fixture.list.addPathLine(QFile::decodeName("a\xFF.txt"), true);
    fixture.compute(u"x_<n>.<e>"_s);
    ASSERT_EQ(fixture.list.at(0).status, S::Ok);

    fixture.run();

    EXPECT_EQ(fixture.statuses(), std::vector{S::RenameFailed});
    EXPECT_EQ(::access(broken.constData(), F_OK), 0);
    EXPECT_EQ(::access(decoded.constData(), F_OK), 0);
    EXPECT_FALSE(fixture.files.exists(u"x_a\uFFFD.txt"_s));
    ::unlink(broken.constData()); // the temporary folder cannot name it
}

TEST(RenameRun, NamesWithArrowsAndQuotesSurviveTheRecord)
{
    test::RunFixture fixture;
    fixture.addFiles({u"a>b.txt"_s, u"it's \"x\".txt"_s});
    fixture.compute(u"new <c1>.<e>"_s);

    fixture.run();

    EXPECT_EQ(recordedPairs(fixture),
              (std::vector{RenamedPair{u"a>b.txt"_s, u"new 1.txt"_s},
                           RenamedPair{u"it's \"x\".txt"_s, u"new 2.txt"_s}}));
}

TEST(RenameRun, EntriesOfOtherFoldersAreRecordedByTheirWholePaths)
{
    test::RunFixture fixture;
    test::TempFolder other;
    const QString here = fixture.files.write(u"a.txt"_s, "a");
    const QString there = other.write(u"b.txt"_s, "b");
    fixture.list.addDroppedFiles({here, there});
    fixture.compute(u"x_<n>.<e>"_s);

    fixture.run();

    EXPECT_EQ(recordedPairs(fixture),
              (std::vector{RenamedPair{u"a.txt"_s, u"x_a.txt"_s},
                           RenamedPair{other.file(u"b.txt"_s), other.file(u"x_b.txt"_s)}}));
    EXPECT_TRUE(other.exists(u"x_b.txt"_s));
}

TEST(RenameRun, AJournalLeftBehindBecomesTheRecordFirst)
{
    test::RunFixture fixture;
    {
        RenameJournal older(fixture.settingsFolder.path(), u"/older/"_s);
        older.pending({u"p"_s, u"q"_s});
        older.renamed();
    }
    fixture.addFiles({u"1_2.txt"_s, u"2_1.txt"_s});
    fixture.settings.regFindname = u"<*>_<*>"_s;
    fixture.compute(u"<n2>_<n1>.<e>"_s); // a swap: nothing is renamed

    fixture.run();

    const RecoveryRecord record = readRecoveryRecord(fixture.settingsFolder.path());
    EXPECT_EQ(record.folder, u"/older/"_s);
    EXPECT_EQ(record.pairs, (std::vector{RenamedPair{u"p"_s, u"q"_s}}));
    EXPECT_FALSE(QFile::exists(journalFilePath(fixture.settingsFolder.path())));
}

} // namespace
} // namespace namenswerk
