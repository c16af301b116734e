#include "platform/file_facts.h"
#include "rename/interrupted_run.h"
#include "rename/recovery_record.h"
#include "rename/rename_journal.h"
#include "tests/rename/printers.h"
#include "tests/support/temp_folder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

TEST(RenameJournal, KeepsAnyNameExactly)
{
    test::TempFolder settings;
    const RenamedPair odd{u"tab\there%20\nline"_s, u"/abs/ü\r+?.txt"_s};
    {
        RenameJournal journal(settings.path(), u"/f o/"_s);
        ASSERT_TRUE(journal.isOpen());
        journal.pending({u"a"_s, u"b"_s});
        journal.renamed(&odd); // announces the next pair in the same write
        journal.renamed();
        journal.pending({u"c"_s, u"d"_s});
    }
    const JournalContents read = readJournal(journalFilePath(settings.path()));
    EXPECT_TRUE(read.complete);
    EXPECT_EQ(read.folder, u"/f o/"_s);
    EXPECT_EQ(read.renamed, (std::vector{RenamedPair{u"a"_s, u"b"_s}, odd}));
    EXPECT_EQ(read.pending, (RenamedPair{u"c"_s, u"d"_s}));
}

TEST(RenameJournal, ATornLastLineAndAFailedRenameDoNotCount)
{
    const QByteArray text = "Namenswerk rename journal 1\t%2Fx%2F\n"
                            "?\ta\tb\n" // failed: no confirmation follows
                            "?\tc\td\n"
                            "+\tc\td\n"
                            "+\te\tf"; // cut short by a kill
    const JournalContents read = parseJournal(text);
    EXPECT_EQ(read.folder, u"/x/"_s);
    EXPECT_EQ(read.renamed, (std::vector{RenamedPair{u"c"_s, u"d"_s}}));
    EXPECT_FALSE(read.pending);
    EXPECT_FALSE(parseJournal("Namenswerk rename jour").complete);
}

// A run keeps room reserved after its lines, which reads as zeros; a run
// killed while it stored lines may have stored a later byte before an
// earlier one. Nothing from the first zero byte on counts.
TEST(RenameJournal, NothingFromTheFirstUnwrittenByteOnCounts)
{
    const QByteArray start = "Namenswerk rename journal 1\t%2Fx%2F\n"
                             "?\ta\tb\n"
                             "+\ta\tb\n"
                             "?\tc\td\n";
    const QByteArray room(5000, '\0');
    struct Case {
        const char *label;
        QByteArray bytes;
    };
    const std::vector<Case> cases{
        {"reserved room after the lines", start + room},
        {"a confirmation stored only at its end", start + "\0\0\0\0d\n" + room},
        {"the next announcement stored before the confirmation",
         start + QByteArray(5, '\0') + "\n?\te\tf\n" + room},
        {"the room in blocks of its own", start + room + "?\te\tf\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        for (const qsizetype block : {qsizetype{7}, c.bytes.size()}) {
            JournalReader reader;
            for (qsizetype at = 0; at < c.bytes.size(); at += block) {
                reader.feed(
                    QByteArrayView(c.bytes).sliced(at, std::min(block, c.bytes.size() - at)));
            }
            const JournalContents read = reader.finish();
            EXPECT_TRUE(read.complete);
            EXPECT_EQ(read.renamed, (std::vector{RenamedPair{u"a"_s, u"b"_s}}));
            EXPECT_EQ(read.pending, (RenamedPair{u"c"_s, u"d"_s}));
        }
    }
}

// Another process reads a live run's journal as it stands, and a finished
// one holds its lines and nothing else.
TEST(RenameJournal, ReadsTheSameWhileTheRunGoesOnAndAfterwards)
{
    test::TempFolder settings;
    const QString path = journalFilePath(settings.path());
    std::vector<RenamedPair> pairs;
    for (int i = 0; i < 3000; ++i) {
        pairs.push_back({u"old_%1"_s.arg(i), u"new_%1"_s.arg(i)});
    }
    {
        RenameJournal journal(settings.path(), u"/x/"_s);
        journal.pending(pairs.front());
        for (std::size_t i = 0; i + 1 < pairs.size(); ++i) {
            journal.renamed(&pairs[i + 1]);
        }
        const JournalContents live = readJournal(path);
        EXPECT_EQ(live.renamed.size(), pairs.size() - 1);
        EXPECT_EQ(live.pending, pairs.back());
    }
    const QByteArray bytes = settings.read(u"Brindlewick.journal"_s);
    EXPECT_FALSE(bytes.contains('\0'));
    EXPECT_TRUE(bytes.endsWith('\n'));
    const JournalContents finished = parseJournal(bytes);
    EXPECT_EQ(finished.renamed.size(), pairs.size() - 1);
    EXPECT_EQ(finished.pending, pairs.back());
}

TEST(RenameJournal, AnOlderJournalIsNeverOverwritten)
{
    test::TempFolder settings;
    settings.write(u"Brindlewick.journal"_s, "older");
    RenameJournal journal(settings.path(), u"/x/"_s);
    EXPECT_FALSE(journal.isOpen());
    journal.remove();
    EXPECT_EQ(settings.read(u"Brindlewick.journal"_s), "older");
}

struct InterruptedFixture {
    test::TempFolder files;
    test::TempFolder settings;

    // A journal of a run that renamed a to b, then died renaming c to d.
    void leaveJournal()
    {
        files.write(u"b"_s);
        RenameJournal journal(settings.path(), files.path());
        journal.pending({u"a"_s, u"b"_s});
        journal.renamed();
        journal.pending({u"c"_s, u"d"_s});
    }
};

TEST(InterruptedRun, TheRenameInFlightCountsWhenTheDiskShowsItDone)
{
    InterruptedFixture fixture;
    fixture.leaveJournal();
    fixture.files.write(u"d"_s);
    const std::int64_t written =
        platform::pathFacts(journalFilePath(fixture.settings.path())).localTime;

    EXPECT_TRUE(recoverInterruptedRun(fixture.settings.path()));

    const RecoveryRecord record = readRecoveryRecord(fixture.settings.path());
    EXPECT_EQ(record.folder, fixture.files.path());
    EXPECT_EQ(record.magic, written);
    EXPECT_EQ(record.pairs,
              (std::vector{RenamedPair{u"a"_s, u"b"_s}, RenamedPair{u"c"_s, u"d"_s}}));
    EXPECT_FALSE(QFile::exists(journalFilePath(fixture.settings.path())));
}

TEST(InterruptedRun, TheRenameInFlightDoesNotCountWhileItsOldNameIsThere)
{
    InterruptedFixture fixture;
    fixture.leaveJournal();
    fixture.files.write(u"c"_s);
    fixture.files.write(u"d"_s);

    EXPECT_TRUE(recoverInterruptedRun(fixture.settings.path()));

    EXPECT_EQ(readRecoveryRecord(fixture.settings.path()).pairs,
              (std::vector{RenamedPair{u"a"_s, u"b"_s}}));
}

TEST(InterruptedRun, AJournalWithoutRenamesLeavesThePreviousRecord)
{
    test::TempFolder settings;
    ASSERT_TRUE(writeRecoveryRecord(settings.path(), {3, u"/x/"_s, {{u"p"_s, u"q"_s}}}));
    {
        RenameJournal journal(settings.path(), u"/y/"_s);
    }

    EXPECT_FALSE(recoverInterruptedRun(settings.path()));

    EXPECT_EQ(readRecoveryRecord(settings.path()).folder, u"/x/"_s);
    EXPECT_FALSE(QFile::exists(journalFilePath(settings.path())));
    EXPECT_FALSE(recoverInterruptedRun(settings.path()));
}

} // namespace
} // namespace namenswerk
