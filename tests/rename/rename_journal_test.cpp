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
