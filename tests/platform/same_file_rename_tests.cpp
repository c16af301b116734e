// A move whose target name leads to the file itself: a name differing only
// in letter case where case does not count, or a second hard link.

#include "platform/file_system.h"
#include "platform/no_replace_rename.h"
#include "tests/support/played_file_systems.h"
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namenswerk::test::TempFolder;

namespace namenswerk::platform {
namespace {

int refuseNoReplace(const char *, const char *)
{
    return EINVAL;
}

struct Way {
    const char *label;
    RenameSteps steps;
};

// Each way of moving finds the name taken, and tells that by the file
// itself; nothing moves and no claim stays behind.
TEST(SameFileRename, ANameDifferingInCaseIsTheFileItselfWhereCaseIsIgnored)
{
    RenameSteps viaLink = test::caseBlindSteps();
    viaLink.rename = refuseNoReplace;
    const Way ways[] = {{"direct", test::caseBlindSteps()},
                        {"link", viaLink},
                        {"claim", test::withoutLinks(test::caseBlindSteps())}};
    for (const Way &way : ways) {
        SCOPED_TRACE(way.label);
        const TempFolder temp;
        temp.write(u"IMG_0001.JPG"_s, "picture");
        temp.write(u"b.txt"_s, "other");

        const RenameResult toOwnName =
            renameNoReplace(temp.file(u"IMG_0001.JPG"_s), temp.file(u"img_0001.jpg"_s), way.steps);
        EXPECT_EQ(toOwnName.status, RenameStatus::TargetIsSource);
        EXPECT_EQ(toOwnName.error, EEXIST);

        // Another file's name in another spelling is taken, not the file's own.
        EXPECT_EQ(
            renameNoReplace(temp.file(u"IMG_0001.JPG"_s), temp.file(u"B.TXT"_s), way.steps).status,
            RenameStatus::TargetExists);
        EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                  (QStringList{u"IMG_0001.JPG"_s, u"b.txt"_s}));
        EXPECT_EQ(temp.read(u"IMG_0001.JPG"_s), "picture");
    }
}

// The system's own calls on a disk that counts case: the same file under a
// second name is a hard link; the exact same name is just taken.
TEST(SameFileRename, ASecondHardLinkIsTheFileItself)
{
    const TempFolder temp;
    temp.write(u"a"_s, "A");
    ASSERT_EQ(::link(QFile::encodeName(temp.file(u"a"_s)).constData(),
                     QFile::encodeName(temp.file(u"b"_s)).constData()),
              0);

    EXPECT_EQ(renameNoReplace(temp.file(u"a"_s), temp.file(u"b"_s)).status,
              RenameStatus::TargetIsSource);
    EXPECT_EQ(renameNoReplace(temp.file(u"a"_s), temp.file(u"a"_s)).status,
              RenameStatus::TargetExists);
    EXPECT_EQ(temp.read(u"a"_s), "A");
    EXPECT_EQ(temp.read(u"b"_s), "A");
}

} // namespace
} // namespace namenswerk::platform
