#include "platform/no_replace_rename.h"
#include "tests/faults/disk_manifest.h"
#include "tests/faults/target_intruder.h"
#include "tests/rename/run_fixture.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;
using test::DiskManifest;

QByteArray oldName(int i)
{
    return "file_" + QByteArray::number(i).rightJustified(5, '0') + ".dat";
}

QByteArray newName(int i)
{
    return "renamed_" + oldName(i);
}

std::vector<QByteArray> targetNames(int count)
{
    std::vector<QByteArray> names;
    for (int i = 0; i < count; ++i) {
        names.push_back(newName(i));
    }
    return names;
}

// What the folder must hold after a run: each original under the name its
// outcome says and every file the intruder made. A name given twice means
// one file took another's place.
DiskManifest expectedAfterRun(const DiskManifest &before, const std::vector<bool> &moved,
                              const test::TargetIntruder &intruder)
{
    DiskManifest expected;
    for (std::size_t i = 0; i < moved.size(); ++i) {
        const QByteArray &hash = before.at(oldName(int(i)));
        expected.emplace(moved[i] ? newName(int(i)) : oldName(int(i)), hash);
    }
    for (const QByteArray &name : intruder.made()) {
        const bool free =
            expected.emplace(name, test::contentHash(intruder.contentFor(name))).second;
        EXPECT_TRUE(free) << "a moved file and the intruder's share " << name.toStdString();
    }
    return expected;
}

DiskManifest withIntruderFiles(DiskManifest manifest, const test::TargetIntruder &intruder)
{
    for (const QByteArray &name : intruder.made()) {
        manifest.emplace(name, test::contentHash(intruder.contentFor(name)));
    }
    return manifest;
}

// Another program keeps creating the new names while 10,000 files are
// renamed: every file the run could not move stays where it was, every file
// of the other program keeps its content, and undo brings back exactly the
// files the run moved.
TEST(TargetsAppearing, NoFileIsLostOrReplacedWhileTheRunMeetsTakenNames)
{
    constexpr int Files = 10'000;
    test::RunFixture run;
    QStringList names;
    for (int i = 0; i < Files; ++i) {
        names << QString::fromLatin1(oldName(i));
    }
    run.addFiles(names);
    run.compute(u"renamed_<n>.<e>"_s);
    ASSERT_EQ(run.list.readyCount, Files);
    const DiskManifest before = test::diskManifest(run.files.path());
    ASSERT_EQ(before.size(), std::size_t(Files));

    test::TargetIntruder intruder(run.files.path(), targetNames(Files), 8);
    intruder.start();
    const RunResult result = run.run();
    intruder.stop();

    EXPECT_GT(result.failed, 0);
    EXPECT_EQ(result.renamed + result.failed, Files);
    RecordProperty("TakenMidway", result.failed);
    RecordProperty("IntruderFiles", int(intruder.made().size()));
    EXPECT_TRUE(result.recorded);
    std::vector<bool> moved;
    for (const FileEntry &entry : run.list.entries()) {
        ASSERT_TRUE(entry.status == EntryStatus::Renamed ||
                    entry.status == EntryStatus::RenameFailed)
            << entry.oldName.toStdString() << ' ' << int(entry.status);
        moved.push_back(entry.status == EntryStatus::Renamed);
    }
    EXPECT_EQ(test::diskManifest(run.files.path()), expectedAfterRun(before, moved, intruder));

    run.requester.add(AnswerYes);
    const UndoResult undone = undoLastRun(run.settingsFolder.path(), run.requester, run.list);
    EXPECT_EQ(undone.restored, result.renamed);
    EXPECT_EQ(undone.skipped, 0);
    EXPECT_EQ(test::diskManifest(run.files.path()), withIntruderFiles(before, intruder));
}

int refuseNoReplace(const char *, const char *)
{
    return EINVAL;
}

// The same race where the file system cannot refuse to replace and every
// move is a link and an unlink. (The run always uses the system's calls;
// the moves are made here as the run makes them.)
TEST(TargetsAppearing, TheLinkFallbackNeverReplacesANameTakenMidway)
{
    constexpr int Files = 3'000;
    test::TempFolder folder;
    for (int i = 0; i < Files; ++i) {
        ASSERT_TRUE(test::writeRawFile(folder.path(), oldName(i), oldName(i)));
    }
    const DiskManifest before = test::diskManifest(folder.path());
    platform::RenameSteps steps = platform::systemRenameSteps();
    steps.rename = refuseNoReplace;

    test::TargetIntruder intruder(folder.path(), targetNames(Files), 21);
    intruder.start();
    std::vector<bool> moved;
    for (int i = 0; i < Files; ++i) {
        const platform::RenameResult result =
            platform::renameNoReplace(folder.file(QString::fromLatin1(oldName(i))),
                                      folder.file(QString::fromLatin1(newName(i))), steps);
        ASSERT_TRUE(result.ok() || result.status == platform::RenameStatus::TargetExists)
            << oldName(i).toStdString() << " error " << result.error;
        moved.push_back(result.ok());
    }
    intruder.stop();

    const auto refused = std::count(moved.begin(), moved.end(), false);
    EXPECT_NE(refused, 0);
    RecordProperty("TakenMidway", int(refused));
    EXPECT_EQ(test::diskManifest(folder.path()), expectedAfterRun(before, moved, intruder));
}

} // namespace
} // namespace namenswerk
