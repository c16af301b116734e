#include "tests/faults/disk_manifest.h"
#include "tests/rename/run_fixture.h"

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

// After a run, someone made new files at some of the old names. Undo skips
// exactly those pairs: the new files keep their content, the renamed files
// they block stay under their new names, every other file goes back.
TEST(UndoAfterRecreation, SkipsTheTakenNamesAndRestoresTheRest)
{
    constexpr int Files = 200;
    test::RunFixture run;
    QStringList names;
    for (int i = 0; i < Files; ++i) {
        names << u"IMG_%1.jpg"_s.arg(i, 4, 10, QChar(u'0'));
    }
    run.addFiles(names);
    const test::DiskManifest before = test::diskManifest(run.files.path());
    run.compute(u"Urlaub_<n>.<e>"_s);
    ASSERT_EQ(run.run().renamed, Files);

    test::DiskManifest expected = before;
    QStringList blocked;
    for (int i = 3; i < Files; i += 17) {
        const QByteArray name = names.at(i).toUtf8();
        const QByteArray content = "made again: " + name;
        ASSERT_TRUE(test::writeRawFile(run.files.path(), name, content));
        expected[name] = test::contentHash(content);
        expected.emplace("Urlaub_" + name, before.at(name));
        blocked << names.at(i);
    }

    run.requester.add(AnswerYes);
    const UndoResult undone = undoLastRun(run.settingsFolder.path(), run.requester, run.list);

    EXPECT_EQ(undone.skipped, blocked.size());
    EXPECT_EQ(undone.restored, Files - blocked.size());
    EXPECT_EQ(test::diskManifest(run.files.path()), expected);
}

} // namespace
} // namespace namenswerk
