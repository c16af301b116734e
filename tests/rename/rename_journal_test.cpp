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

// A claim line counts for the pair in flight only: a confirmation or the
// next pair ends it. Journals from before claims have none.
TEST(RenameJournal, AClaimBelongsToThePairInFlight)
{
    struct Case {
        const char *label;
        QByteArray lines;
        bool claimed;
    };
    const Case cases[] = {
        {"claimed", "?\ta\tb\n!\ta\tb\n", true},
        {"confirmed", "?\ta\tb\n!\ta\tb\n+\ta\tb\n", false},
        {"next pair", "?\ta\tb\n!\ta\tb\n?\tc\td\n", false},
        {"other pair", "?\ta\tb\n!\tc\td\n", false},
        {"torn", "?\ta\tb\n!\ta\tb", false},
        {"no claims", "?\ta\tb\n", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        const QByteArray text = "Namenswerk rename journal 1\t%2Fx%2F\n" + c.lines;
        const JournalContents read = parseJournal(text);
        EXPECT_EQ(read.claimed.has_value(), c.claimed);
        if (c.claimed) {
            EXPECT_EQ(read.claimed, read.pending);
        }
    }

    test::TempFolder settings;
    {
        RenameJournal journal(settings.path(), u"/x/"_s);
        const RenamedPair next{u"c d"_s, u"e"_s};
        journal.pending({u"a"_s, u"b"_s});
        journal.renamed(&next);
        journal.claiming();
    }
    const JournalContents read = readJournal(journalFilePath(settings.path()));
    EXPECT_EQ(read.claimed, (RenamedPair{u"c d"_s, u"e"_s}));
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

// A run killed between the claim of c's new name and the rename: the empty
// claim goes with recovery, and nothing else does.
TEST(InterruptedRun, RecoveryRemovesAClaimTheRunLeftBehind)
{
    struct Case {
        const char *label;
        bool claimInJournal;
        bool oldNameThere;
        QByteArray atNewName;
        bool newNameStays;
    };
    const Case cases[] = {
        {"claim left", true, true, "", false},
        {"written into meanwhile", true, true, "theirs", true},
        {"renamed, the file empty", true, false, "", true},
        {"no claim announced", false, true, "", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        InterruptedFixture fixture;
        fixture.leaveJournal();
        if (c.claimInJournal) {
            QFile journal(journalFilePath(fixture.settings.path()));
            ASSERT_TRUE(journal.open(QIODevice::Append));
            journal.write("!\tc\td\n");
        }
        if (c.oldNameThere) {
            fixture.files.write(u"c"_s, "C");
        }
        fixture.files.write(u"d"_s, c.atNewName);

        EXPECT_TRUE(leftoverRunRecord(fixture.settings.path()));
        EXPECT_TRUE(fixture.files.exists(u"d"_s)); // a look writes nothing
        EXPECT_TRUE(recoverInterruptedRun(fixture.settings.path()));

        EXPECT_EQ(fixture.files.exists(u"d"_s), c.newNameStays);
        EXPECT_EQ(fixture.files.read(u"d"_s), c.atNewName);
        EXPECT_EQ(fixture.files.read(u"c"_s), c.oldNameThere ? "C" : "");
        EXPECT_EQ(readRecoveryRecord(fixture.settings.path()).pairs.size(),
                  c.oldNameThere ? 1U : 2U);
    }
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
