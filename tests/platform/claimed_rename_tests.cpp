// The third way of a move that must not replace: where neither a
// replace-refusing rename nor a hard link is to be had, the target name is
// claimed with an empty file of the move's own, and the file is moved onto it.

#include "platform/file_system.h"
#include "platform/no_replace_rename.h"
#include "tests/support/played_file_systems.h"
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namenswerk::test::TempFolder;

namespace namenswerk::platform {
namespace {

template <int Error> int refuseTwo(const char *, const char *)
{
    return Error;
}

template <int Error> int refuseOne(const char *)
{
    return Error;
}

// Another program writes into the claim before the move reaches it.
int claimThenIntrude(const char *path)
{
    if (const int error = systemRenameSteps().claim(path)) {
        return error;
    }
    QFile intruder(QFile::decodeName(path));
    return intruder.open(QIODevice::WriteOnly) && intruder.write("theirs") == 6 ? 0 : EIO;
}

struct ClaimFault {
    const char *label;
    int (*claim)(const char *);
    int (*replace)(const char *, const char *);
    RenameStatus status;
    int error;
    QByteArray target; // what is at "b" afterwards; empty for nothing
};

// Whatever fails, the file keeps its name and content, and nothing but the
// move's own empty claim is ever replaced or removed.
TEST(ClaimedRename, AFailingStepLeavesTheFileAndNoClaim)
{
    const ClaimFault faults[] = {
        {"claim refused", refuseOne<ENOSPC>, nullptr, RenameStatus::Failed, ENOSPC, {}},
        {"move refused", nullptr, refuseTwo<EACCES>, RenameStatus::Failed, EACCES, {}},
        {"claim taken over", claimThenIntrude, nullptr, RenameStatus::TargetExists, EEXIST,
         "theirs"},
    };
    for (const ClaimFault &fault : faults) {
        SCOPED_TRACE(fault.label);
        const TempFolder temp;
        temp.write(u"a"_s, "A");
        RenameSteps steps = test::claimOnlySteps();
        if (fault.claim) {
            steps.claim = fault.claim;
        }
        if (fault.replace) {
            steps.replace = fault.replace;
        }

        const RenameResult result = renameNoReplace(temp.file(u"a"_s), temp.file(u"b"_s), steps);

        EXPECT_EQ(result.status, fault.status);
        EXPECT_EQ(result.error, fault.error);
        EXPECT_EQ(temp.read(u"a"_s), "A");
        EXPECT_EQ(temp.exists(u"b"_s), !fault.target.isEmpty());
        EXPECT_EQ(temp.read(u"b"_s), fault.target);
    }
}

// Only a link refused for want of hard links leads to the claim; any other
// refusal is final, as it would be for the rename itself.
TEST(ClaimedRename, FollowsOnlyALinkTheFileSystemCannotMake)
{
    struct LinkAnswer {
        const char *label;
        int (*link)(const char *, const char *);
        RenameStatus status;
    };
    const LinkAnswer answers[] = {
        {"EPERM", refuseTwo<EPERM>, RenameStatus::Ok},
        {"EOPNOTSUPP", refuseTwo<EOPNOTSUPP>, RenameStatus::Ok},
        {"ENOSYS", refuseTwo<ENOSYS>, RenameStatus::Ok},
        {"EXDEV", refuseTwo<EXDEV>, RenameStatus::Failed},
        {"EMLINK", refuseTwo<EMLINK>, RenameStatus::Failed},
        {"ENOSPC", refuseTwo<ENOSPC>, RenameStatus::Failed},
    };
    for (const LinkAnswer &answer : answers) {
        SCOPED_TRACE(answer.label);
        const TempFolder temp;
        temp.write(u"a"_s, "A");
        RenameSteps steps = test::claimOnlySteps();
        steps.link = answer.link;

        EXPECT_EQ(renameNoReplace(temp.file(u"a"_s), temp.file(u"b"_s), steps).status,
                  answer.status);
        EXPECT_EQ(temp.read(answer.status == RenameStatus::Ok ? u"b"_s : u"a"_s), "A");
        EXPECT_FALSE(temp.exists(answer.status == RenameStatus::Ok ? u"a"_s : u"b"_s));
    }
}

// The caller hears of the claim before it exists, so that it can note the
// claim where it outlives a kill; the other two ways make no claim.
TEST(ClaimedRename, AnnouncesTheClaimBeforeMakingIt)
{
    struct Way {
        const char *label;
        RenameSteps steps;
        int notices;
    };
    RenameSteps linkOnly = systemRenameSteps();
    linkOnly.rename = refuseTwo<EINVAL>;
    const Way ways[] = {{"direct", systemRenameSteps(), 0},
                        {"link", linkOnly, 0},
                        {"claim", test::claimOnlySteps(), 1}};
    for (const Way &way : ways) {
        SCOPED_TRACE(way.label);
        const TempFolder temp;
        temp.write(u"a"_s, "A");
        int notices = 0;
        bool claimAlreadyThere = false;
        const auto notice = [&] {
            ++notices;
            claimAlreadyThere = temp.exists(u"b"_s);
        };

        EXPECT_TRUE(renameNoReplace(temp.file(u"a"_s), temp.file(u"b"_s), way.steps, notice).ok());
        EXPECT_EQ(notices, way.notices);
        EXPECT_FALSE(claimAlreadyThere);
        EXPECT_EQ(temp.read(u"b"_s), "A");
    }
}

// Only what a claim leaves is removed: an empty regular file, and not the
// file that was to be renamed under another spelling or as another link.
TEST(ClaimedRename, RemovesOnlyAnEmptyFileAsAClaim)
{
    const TempFolder temp;
    temp.write(u"claim"_s);
    temp.write(u"content"_s, "x");
    temp.write(u"folder/inside"_s);
    temp.write(u"renamed"_s);
    temp.write(u"RENAMED"_s);
    QFile::link(temp.file(u"claim"_s), temp.file(u"link"_s));
    ASSERT_EQ(::link(QFile::encodeName(temp.file(u"renamed"_s)).constData(),
                     QFile::encodeName(temp.file(u"second"_s)).constData()),
              0);
    const QString renamed = temp.file(u"renamed"_s);

    EXPECT_TRUE(removeEmptyClaim(temp.file(u"claim"_s), renamed));
    EXPECT_FALSE(temp.exists(u"claim"_s));
    for (const QString &name :
         {u"content"_s, u"folder"_s, u"link"_s, u"missing"_s, u"RENAMED"_s, u"second"_s}) {
        EXPECT_FALSE(removeEmptyClaim(temp.file(name), renamed)) << name.toStdString();
    }
    EXPECT_EQ(temp.read(u"content"_s), "x");
    EXPECT_TRUE(pathExists(temp.file(u"link"_s)));
    EXPECT_TRUE(temp.exists(u"folder/inside"_s));
    EXPECT_TRUE(temp.exists(u"RENAMED"_s));
    EXPECT_TRUE(temp.exists(u"second"_s));
}

} // namespace
} // namespace namenswerk::platform
