// Whole runs on file systems this machine does not have, played through the
// system calls of the renames; undo then works on the real disk.

#include "rename/local_clock.h"
#include "rename/recovery_record.h"
#include "tests/rename/printers.h"
#include "tests/rename/run_fixture.h"
#include "tests/support/played_file_systems.h"

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

using S = EntryStatus;

using PlayedRun = test::RunFixture;

struct Played {
    const char *label;
    platform::RenameSteps steps;
    bool resolveChains;
};

// Without a replace-refusing rename and without hard links every rename
// claims its target first: a taken name is still never replaced, a swap
// still passes through a temporary name, and no claim outlives the run.
TEST(ClaimedRun, RenamesWithoutReplacingAndLeavesNoClaim)
{
    const Played runs[] = {{"in list order", test::claimOnlySteps(), false},
                           {"chains resolved", test::claimOnlySteps(), true}};
    for (const Played &played : runs) {
        SCOPED_TRACE(played.label);
        PlayedRun run;
        run.steps = &played.steps;
        run.settings.resolveChains = played.resolveChains;
        run.plan({{u"a.txt"_s, u"x.txt"_s},
                  {u"b.txt"_s, u"taken.txt"_s},
                  {u"c.txt"_s, u"d.txt"_s},
                  {u"d.txt"_s, u"c.txt"_s}},
                 {u"taken.txt"_s});
        const QStringList before = run.filesOnDisk();

        const RunResult result = run.run();

        const S swapped = played.resolveChains ? S::Renamed : S::RenameFailed;
        EXPECT_EQ(run.statuses(), (std::vector{S::Renamed, S::RenameFailed, swapped, swapped}));
        EXPECT_EQ(run.files.read(u"x.txt"_s), "a.txt");
        EXPECT_EQ(run.files.read(u"taken.txt"_s), "taken.txt");
        EXPECT_EQ(run.files.read(u"c.txt"_s), played.resolveChains ? "d.txt" : "c.txt");
        EXPECT_EQ(run.filesOnDisk(),
                  (QStringList{u"b.txt"_s, u"c.txt"_s, u"d.txt"_s, u"taken.txt"_s, u"x.txt"_s}));
        EXPECT_TRUE(result.recorded);

        run.undoAll();
        EXPECT_EQ(run.filesOnDisk(), before);
        EXPECT_EQ(run.files.read(u"c.txt"_s), "c.txt");
    }
}

// Where letter case does not count, a new name that differs from the old
// one only in case is the file's own: the run takes it through a temporary
// name, records both steps, and undo brings the old spelling back. A name
// that another file has in another spelling stays that file's.
TEST(CaseOnlyRun, GoesThroughATemporaryNameAndComesUndone)
{
    const Played runs[] = {{"in list order", test::caseBlindSteps(), false},
                           {"chains resolved", test::caseBlindSteps(), true},
                           {"claims", test::withoutLinks(test::caseBlindSteps()), false}};
    for (const Played &played : runs) {
        SCOPED_TRACE(played.label);
        PlayedRun run;
        run.steps = &played.steps;
        run.settings.resolveChains = played.resolveChains;
        run.plan({{u"IMG_0001.JPG"_s, u"img_0001.jpg"_s},
                  {u"A.txt"_s, u"b.txt"_s},
                  {u"IMG_0002.JPG"_s, u"Img_0002.jpg"_s}},
                 {u"B.TXT"_s});
        const QStringList before = run.filesOnDisk();

        const RunResult result = run.run();

        EXPECT_EQ(run.statuses(), (std::vector{S::Renamed, S::RenameFailed, S::Renamed}));
        EXPECT_EQ(result.renamed, 2);
        EXPECT_EQ(run.filesOnDisk(),
                  (QStringList{u"A.txt"_s, u"B.TXT"_s, u"Img_0002.jpg"_s, u"img_0001.jpg"_s}));
        EXPECT_EQ(run.files.read(u"img_0001.jpg"_s), "IMG_0001.JPG");
        const RecoveryRecord record = readRecoveryRecord(run.settingsFolder.path());
        ASSERT_EQ(record.pairs.size(), 4U);
        EXPECT_EQ(record.pairs[0].oldName, u"IMG_0001.JPG"_s);
        EXPECT_EQ(record.pairs[0].newName, record.pairs[1].oldName);
        EXPECT_TRUE(record.pairs[0].newName.startsWith(u".namenswerk-"_s));
        EXPECT_EQ(record.pairs[1].newName, u"img_0001.jpg"_s);

        run.undoAll();
        EXPECT_EQ(run.filesOnDisk(), before);
        EXPECT_EQ(run.files.read(u"IMG_0002.JPG"_s), "IMG_0002.JPG");
    }
}

} // namespace
} // namespace namenswerk
