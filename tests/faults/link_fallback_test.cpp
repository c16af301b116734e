#include "platform/no_replace_rename.h"
#include "tests/faults/disk_manifest.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string_view>

namespace namenswerk::platform {
namespace {

using namespace Qt::StringLiterals;

int refuseNoReplace(const char *, const char *)
{
    return EINVAL;
}

template <int Error> int failLink(const char *, const char *)
{
    return Error;
}

// Drops every name but the old one, as a file system that keeps it busy.
int unlinkAllButOld(const char *path)
{
    return std::string_view(path).ends_with("/old") ? EBUSY : (::unlink(path) == 0 ? 0 : errno);
}

int unlinkNothing(const char *)
{
    return EROFS;
}

int claimNothing(const char *)
{
    return ENOSPC;
}

struct StepFault {
    const char *label;
    int (*link)(const char *, const char *);
    int (*unlink)(const char *);
    int error;
    bool leavesSecondName; // the fault leaves the file under both names
    int (*claim)(const char *);
};

// Where the file system cannot refuse to replace and the link path (or,
// without hard links, the claim) fails as well, the move is refused and the
// file stays as it was (at worst under a second name it also has): nothing
// is lost, nothing replaced. The run turns every refusal into status 13, so
// the faults are played at the level of the move.
TEST(LinkFallback, AFailingLinkPathTouchesNothing)
{
    const std::vector<StepFault> faults{
        {"other device", failLink<EXDEV>, nullptr, EXDEV, false, nullptr},
        {"too many links", failLink<EMLINK>, nullptr, EMLINK, false, nullptr},
        {"disk full", failLink<ENOSPC>, nullptr, ENOSPC, false, nullptr},
        {"no hard links, no room for a claim", failLink<EPERM>, nullptr, ENOSPC, false,
         claimNothing},
        {"old name stays", nullptr, unlinkAllButOld, EBUSY, false, nullptr},
        {"no name can go", nullptr, unlinkNothing, EROFS, true, nullptr},
    };
    for (const StepFault &fault : faults) {
        SCOPED_TRACE(fault.label);
        const test::TempFolder folder;
        folder.write(u"old"_s, "the file");
        folder.write(u"other"_s, "another file");
        RenameSteps steps = systemRenameSteps();
        steps.rename = refuseNoReplace;
        if (fault.link) {
            steps.link = fault.link;
        }
        if (fault.unlink) {
            steps.unlink = fault.unlink;
        }
        if (fault.claim) {
            steps.claim = fault.claim;
        }

        const RenameResult result =
            renameNoReplace(folder.file(u"old"_s), folder.file(u"new"_s), steps);
        EXPECT_EQ(result.status, RenameStatus::Failed);
        EXPECT_EQ(result.error, fault.error);

        test::DiskManifest expected{{"old", test::contentHash("the file")},
                                    {"other", test::contentHash("another file")}};
        if (fault.leavesSecondName) {
            expected.emplace("new", test::contentHash("the file"));
        }
        EXPECT_EQ(test::diskManifest(folder.path()), expected);
        EXPECT_FALSE(renameNoReplace(folder.file(u"old"_s), folder.file(u"other"_s), steps).ok());
        EXPECT_EQ(folder.read(u"other"_s), "another file");
    }
}

} // namespace
} // namespace namenswerk::platform
