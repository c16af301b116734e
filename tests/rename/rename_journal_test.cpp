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
