#include "platform/file_system.h"
#include "platform/no_replace_rename.h"
#include "tests/support/played_file_systems.h"
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <string_view>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namenswerk::test::TempFolder;

namespace namenswerk::platform {
namespace {

template <int Error> int refuse(const char *, const char *)
{
    return Error;
}

// A file system whose rename cannot refuse to replace: every move goes
// through link and unlink.
RenameSteps linkOnlySteps()
{
    RenameSteps steps = systemRenameSteps();
    steps.rename = refuse<EINVAL>;
    return steps;
}

struct RenameCase {
    const char *name;
    std::function<void(const TempFolder &)> prepare;
    QString from;
    QString to;
    RenameStatus status;
    int error;
    // "name=content" for files that must hold that content afterwards;
    // "name" alone for paths that must merely exist.
    QStringList present;
    QStringList absent;
};

void writeA(const TempFolder &temp)
{
    temp.write(u"a"_s, "A");
}

const RenameCase renameCases[] = {
    {"Plain", writeA, u"a"_s, u"b"_s, RenameStatus::Ok, 0, {u"b=A"_s}, {u"a"_s}},
    {"IntoSubfolder",
     [](const TempFolder &temp) {
         writeA(temp);
         createFolder(temp.file(u"2016"_s));
     },
     u"a"_s,
     u"2016/x.jpg"_s,
     RenameStatus::Ok,
     0,
     {u"2016/x.jpg=A"_s},
     {u"a"_s}},
    {"TargetTaken",
     [](const TempFolder &temp) {
         writeA(temp);
         temp.write(u"b"_s, "B");
     },
     u"a"_s,
     u"b"_s,
     RenameStatus::TargetExists,
     EEXIST,
     {u"a=A"_s, u"b=B"_s},
     {}},
    {"TargetIsDanglingLink",
     [](const TempFolder &temp) {
         writeA(temp);
         QFile::link(temp.file(u"nowhere"_s), temp.file(u"b"_s));
     },
     u"a"_s,
     u"b"_s,
     RenameStatus::TargetExists,
     EEXIST,
     {u"a=A"_s, u"b"_s},
     {u"nowhere"_s}},
    {"SameName", writeA, u"a"_s, u"a"_s, RenameStatus::TargetExists, EEXIST, {u"a=A"_s}, {}},
    {"SourceMissing",
     [](const TempFolder &) {},
     u"a"_s,
     u"b"_s,
     RenameStatus::SourceMissing,
     ENOENT,
     {},
     {u"b"_s}},
    {"TargetFolderMissing",
     writeA,
     u"a"_s,
     u"sub/b"_s,
     RenameStatus::Failed,
     ENOENT,
     {u"a=A"_s},
     {u"sub"_s}},
};

struct Mode {
    const char *name;
    RenameSteps (*steps)();
};

const Mode modes[] = {{"Direct", systemRenameSteps},
                      {"ViaLink", linkOnlySteps},
                      {"ViaClaim", test::claimOnlySteps},
                      {"CaseBlind", test::caseBlindSteps}};

class RenameNoReplace : public testing::TestWithParam<std::tuple<Mode, RenameCase>> {};

void expectFolderHolds(const TempFolder &temp, const RenameCase &c)
{
    for (const QString &entry : c.present) {
        const QString name = entry.section(u'=', 0, 0);
        EXPECT_TRUE(pathExists(temp.file(name))) << name.toStdString();
        if (entry.contains(u'=')) {
            EXPECT_EQ(temp.read(name), entry.section(u'=', 1).toUtf8()) << name.toStdString();
        }
    }
    for (const QString &name : c.absent) {
        EXPECT_FALSE(pathExists(temp.file(name))) << name.toStdString();
    }
}

TEST_P(RenameNoReplace, MovesOrRefusesWithoutReplacing)
{
    const auto &[mode, c] = GetParam();
    const TempFolder temp;
    c.prepare(temp);

    const RenameResult result = renameNoReplace(temp.file(c.from), temp.file(c.to), mode.steps());

    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.error, c.error);
    expectFolderHolds(temp, c);
}

INSTANTIATE_TEST_SUITE_P(Cases, RenameNoReplace,
                         testing::Combine(testing::ValuesIn(modes), testing::ValuesIn(renameCases)),
                         [](const auto &test) {
                             return std::string(std::get<0>(test.param).name) +
                                    std::get<1>(test.param).name;
                         });

TEST(RenameNoReplace, MovesAFolderInOneStep)
{
    const TempFolder temp;
    temp.write(u"d/f"_s, "F");

    EXPECT_TRUE(renameNoReplace(temp.file(u"d"_s), temp.file(u"e"_s)).ok());
    EXPECT_EQ(temp.read(u"e/f"_s), "F");
    EXPECT_FALSE(pathExists(temp.file(u"d"_s)));
}

// A folder can be neither linked nor moved onto a claimed file: it stays,
// and the claim goes again.
TEST(RenameNoReplace, LeavesAFolderAloneWhereItCannotMoveInOneStep)
{
    for (const Mode &mode : {modes[1], modes[2]}) {
        SCOPED_TRACE(mode.name);
        const TempFolder temp;
        temp.write(u"d/f"_s, "F");

        const RenameResult result =
            renameNoReplace(temp.file(u"d"_s), temp.file(u"e"_s), mode.steps());

        EXPECT_EQ(result.status, RenameStatus::Failed);
        EXPECT_EQ(temp.read(u"d/f"_s), "F");
        EXPECT_FALSE(pathExists(temp.file(u"e"_s)));
    }
}

TEST(RenameNoReplace, DropsTheNewLinkWhenTheOldNameCannotGo)
{
    const TempFolder temp;
    writeA(temp);
    RenameSteps steps = linkOnlySteps();
    steps.unlink = [](const char *path) {
        return std::string_view(path).ends_with("/a") ? EBUSY : (::unlink(path) == 0 ? 0 : errno);
    };

    const RenameResult result = renameNoReplace(temp.file(u"a"_s), temp.file(u"b"_s), steps);

    EXPECT_EQ(result.status, RenameStatus::Failed);
    EXPECT_EQ(result.error, EBUSY);
    EXPECT_EQ(temp.read(u"a"_s), "A");
    EXPECT_FALSE(pathExists(temp.file(u"b"_s)));
}

struct FallbackCase {
    const char *name;
    int (*rename)(const char *, const char *);
    RenameStatus status;
    int error;
};

class RenameRefusal : public testing::TestWithParam<FallbackCase> {};

// Only the answers that mean "cannot refuse to replace" lead to the link;
// any other refusal is final.
TEST_P(RenameRefusal, FallsBackOnlyWhereTheFileSystemCannotRefuse)
{
    const FallbackCase c = GetParam();
    const TempFolder temp;
    writeA(temp);
    RenameSteps steps = systemRenameSteps();
    steps.rename = c.rename;

    const RenameResult result = renameNoReplace(temp.file(u"a"_s), temp.file(u"b"_s), steps);

    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(temp.exists(u"b"_s), result.ok());
    EXPECT_EQ(temp.exists(u"a"_s), !result.ok());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RenameRefusal,
    testing::Values(FallbackCase{"Einval", refuse<EINVAL>, RenameStatus::Ok, 0},
                    FallbackCase{"Enosys", refuse<ENOSYS>, RenameStatus::Ok, 0},
                    FallbackCase{"Eopnotsupp", refuse<EOPNOTSUPP>, RenameStatus::Ok, 0},
                    FallbackCase{"Exdev", refuse<EXDEV>, RenameStatus::Failed, EXDEV},
                    FallbackCase{"Eacces", refuse<EACCES>, RenameStatus::Failed, EACCES}),
    [](const auto &test) { return std::string(test.param.name); });

} // namespace
} // namespace namenswerk::platform
