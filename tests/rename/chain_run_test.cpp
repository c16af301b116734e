#include "platform/file_system.h"
#include "rename/local_clock.h"
#include "rename/recovery_record.h"
#include "rename/run_order.h"
#include "tests/rename/printers.h"
#include "tests/rename/run_fixture.h"

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

using S = EntryStatus;
using Step = OrderedStep;

// Files whose new names are given directly, as a template would make them.
struct ChainFixture : test::RunFixture {
    ChainFixture() { settings.resolveChains = true; }
};

struct OrderCase {
    const char *what;
    std::vector<PlannedMove> moves;
    std::vector<OrderedStep> steps;
};

class MoveOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(MoveOrder, LetsEachTargetBeFreeInTime)
{
    const std::vector<OrderedStep> steps = orderMoves(GetParam().moves);
    ASSERT_EQ(steps.size(), GetParam().steps.size());
    for (std::size_t at = 0; at < steps.size(); ++at) {
        EXPECT_EQ(steps[at].move, GetParam().steps[at].move) << at;
        EXPECT_EQ(steps[at].kind, GetParam().steps[at].kind) << at;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MoveOrder,
    testing::Values(
        OrderCase{"independent moves keep the list order",
                  {{u"/a"_s, u"/x"_s}, {u"b"_s, u"y"_s}},
                  {{0, Step::Whole}, {1, Step::Whole}}},
        OrderCase{"a chain goes from its end",
                  {{u"a"_s, u"b"_s}, {u"b"_s, u"c"_s}, {u"c"_s, u"d"_s}},
                  {{2, Step::Whole}, {1, Step::Whole}, {0, Step::Whole}}},
        OrderCase{"a swap passes one through a temporary name",
                  {{u"a"_s, u"b"_s}, {u"b"_s, u"a"_s}},
                  {{0, Step::ToTemporary}, {1, Step::Whole}, {0, Step::FromTemporary}}},
        OrderCase{
            "a three-cycle",
            {{u"a"_s, u"b"_s}, {u"b"_s, u"c"_s}, {u"c"_s, u"a"_s}},
            {{0, Step::ToTemporary}, {2, Step::Whole}, {1, Step::Whole}, {0, Step::FromTemporary}}},
        OrderCase{"a chain met half-way waits for the part done",
                  {{u"b"_s, u"c"_s}, {u"a"_s, u"b"_s}, {u"c"_s, u"d"_s}},
                  {{2, Step::Whole}, {0, Step::Whole}, {1, Step::Whole}}},
        OrderCase{"two moves to one target end the walk without a cycle",
                  {{u"a"_s, u"b"_s}, {u"c"_s, u"b"_s}, {u"b"_s, u"z"_s}},
                  {{2, Step::Whole}, {0, Step::Whole}, {1, Step::Whole}}}),
    [](const testing::TestParamInfo<OrderCase> &info) { return std::to_string(info.index); });

TEST(ChainRun, ShiftsAThousandNumberedFilesByOne)
{
    ChainFixture fixture;
    std::vector<std::pair<QString, QString>> renames;
    for (int number = 1; number <= 1000; ++number) {
        renames.emplace_back(u"%1.jpg"_s.arg(number, 4, 10, QChar(u'0')),
                             u"%1.jpg"_s.arg(number + 1, 4, 10, QChar(u'0')));
    }
    fixture.plan(renames);

    const RunResult result = fixture.run();

    EXPECT_EQ(result.renamed, 1000);
    EXPECT_EQ(result.failed, 0);
    for (const auto &[from, to] : renames) {
        ASSERT_EQ(fixture.files.read(to), from.toUtf8());
    }
    EXPECT_FALSE(fixture.files.exists(u"0001.jpg"_s));
    // In the record in the order they happened: the last file first.
    const std::vector<RenamedPair> pairs = readRecoveryRecord(fixture.settingsFolder.path()).pairs;
    ASSERT_EQ(pairs.size(), 1000u);
    EXPECT_EQ(pairs.front(), (RenamedPair{u"1000.jpg"_s, u"1001.jpg"_s}));

    fixture.undoAll();
    for (const auto &[from, to] : renames) {
        ASSERT_EQ(fixture.files.read(from), from.toUtf8());
    }
}

struct RunCase {
    const char *what;
    std::vector<std::pair<QString, QString>> renames;
    QStringList after;
};

class ResolvedRun : public testing::TestWithParam<RunCase> {};

// Each file ends under its new name with its own content; undo brings back
// every old name, and no temporary name is left at any point.
TEST_P(ResolvedRun, RenamesEveryEntryAndUndoesIt)
{
    ChainFixture fixture;
    fixture.plan(GetParam().renames);
    for (const auto &[from, to] : GetParam().renames) {
        if (to.contains(u'/')) {
            fixture.requester.add(AnswerYes); // create the subfolder
        }
    }
    const QStringList before = fixture.filesOnDisk();

    const RunResult result = fixture.run();

    EXPECT_EQ(result.failed, 0);
    EXPECT_EQ(result.renamed, int(GetParam().renames.size()));
    EXPECT_EQ(fixture.filesOnDisk(), GetParam().after);
    for (const auto &[from, to] : GetParam().renames) {
        EXPECT_EQ(fixture.files.read(to), from.toUtf8()) << to.toStdString();
    }
    fixture.undoAll();
    EXPECT_EQ(fixture.filesOnDisk(), before);
    for (const auto &[from, to] : GetParam().renames) {
        EXPECT_EQ(fixture.files.read(from), from.toUtf8());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResolvedRun,
    testing::Values(
        RunCase{
            "swap", {{u"a.txt"_s, u"b.txt"_s}, {u"b.txt"_s, u"a.txt"_s}}, {u"a.txt"_s, u"b.txt"_s}},
        RunCase{"three-cycle",
                {{u"a.txt"_s, u"b.txt"_s}, {u"b.txt"_s, u"c.txt"_s}, {u"c.txt"_s, u"a.txt"_s}},
                {u"a.txt"_s, u"b.txt"_s, u"c.txt"_s}},
        RunCase{"chain into a subfolder",
                {{u"a.txt"_s, u"sub/a.txt"_s}, {u"b.txt"_s, u"a.txt"_s}},
                {u"a.txt"_s, u"sub/a.txt"_s}}),
    [](const testing::TestParamInfo<RunCase> &info) { return std::to_string(info.index); });

TEST(ChainRun, ChainIntoAnotherFolderOfTheList)
{
    ChainFixture fixture;
    fixture.files.write(u"sub/a.txt"_s, "sub a");
    fixture.plan({{u"a.txt"_s, u"sub/a.txt"_s}});
    fixture.list.addPathLine(fixture.files.path() + u"sub/a.txt"_s, true);
    fixture.compute(u"<n>_x.<e>"_s);
    fixture.list.at(0).newName = u"sub/a.txt"_s;
    fixture.list.at(1).newName = u"b.txt"_s;

    const RunResult result = fixture.run();

    EXPECT_EQ(result.failed, 0);
    EXPECT_EQ(fixture.files.read(u"sub/a.txt"_s), "a.txt");
    EXPECT_EQ(fixture.files.read(u"sub/b.txt"_s), "sub a");
}

// A file outside the run is never moved aside: the chain leading to it
// fails, the others go through.
TEST(ChainRun, ChainBlockedByAFileOutsideTheRunFailsOnlyThere)
{
    ChainFixture fixture;
    fixture.files.write(u"d.txt"_s, "outside");
    fixture.plan({{u"a.txt"_s, u"b.txt"_s},
                  {u"b.txt"_s, u"c.txt"_s},
                  {u"c.txt"_s, u"d.txt"_s},
                  {u"x.txt"_s, u"y.txt"_s},
                  {u"y.txt"_s, u"x.txt"_s}});

    const RunResult result = fixture.run();

    EXPECT_EQ(fixture.statuses(), (std::vector{S::RenameFailed, S::RenameFailed, S::RenameFailed,
                                               S::Renamed, S::Renamed}));
    EXPECT_EQ(result.failed, 3);
    EXPECT_EQ(fixture.files.read(u"d.txt"_s), "outside");
    EXPECT_EQ(fixture.files.read(u"a.txt"_s), "a.txt");
    EXPECT_EQ(fixture.files.read(u"x.txt"_s), "y.txt");
    EXPECT_EQ(fixture.filesOnDisk(), (QStringList{u"a.txt"_s, u"b.txt"_s, u"c.txt"_s, u"d.txt"_s,
                                                  u"x.txt"_s, u"y.txt"_s}));
}

TEST(ChainRun, WithTheOptionOffTheRunTellsWhatStoodInTheWay)
{
    ChainFixture fixture;
    fixture.settings.resolveChains = false;
    fixture.plan({{u"1.txt"_s, u"2.txt"_s}, {u"2.txt"_s, u"3.txt"_s}});

    const RunResult result = fixture.run();

    EXPECT_EQ(result.failed, 1);
    EXPECT_EQ(result.failedOnOwnNames, 1);
    EXPECT_EQ(fixture.statuses(), (std::vector{S::RenameFailed, S::Renamed}));
}

TEST(ChainRun, WithTheOptionOffAFileOutsideTheRunIsNoOwnName)
{
    ChainFixture fixture;
    fixture.settings.resolveChains = false;
    fixture.files.write(u"3.txt"_s, "outside");
    fixture.plan({{u"1.txt"_s, u"3.txt"_s}});

    const RunResult result = fixture.run();

    EXPECT_EQ(result.failed, 1);
    EXPECT_EQ(result.failedOnOwnNames, 0);
}

} // namespace
} // namespace namenswerk
