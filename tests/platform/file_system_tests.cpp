#include "platform/file_facts.h"
#include "platform/file_system.h"
#include "tests/platform/scoped_environment.h"
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namenswerk::test::ScopedEnvironment;
using namenswerk::test::TempFolder;

namespace namenswerk::platform {
namespace {

TEST(CreateFolder, CreatesExactlyOneLevel)
{
    const TempFolder temp;
    EXPECT_TRUE(createFolder(temp.file(u"2016"_s)));
    EXPECT_TRUE(isFolder(temp.file(u"2016"_s)));

    EXPECT_FALSE(createFolder(temp.file(u"2016"_s))) << "an existing folder is not created again";
    EXPECT_FALSE(createFolder(temp.file(u"a/b"_s)));
    EXPECT_FALSE(pathExists(temp.file(u"a"_s))) << "the missing level above stays missing";
}

TEST(PathExists, CountsEverythingThatHasTheName)
{
    const TempFolder temp;
    temp.write(u"file"_s, "x");
    createFolder(temp.file(u"folder"_s));
    QFile::link(temp.file(u"gone"_s), temp.file(u"dangling"_s));

    EXPECT_TRUE(pathExists(temp.file(u"file"_s)));
    EXPECT_TRUE(pathExists(temp.file(u"folder"_s)));
    EXPECT_TRUE(pathExists(temp.file(u"folder/"_s)));
    EXPECT_TRUE(pathExists(temp.file(u"dangling"_s)));
    EXPECT_FALSE(pathExists(temp.file(u"gone"_s)));
    EXPECT_FALSE(pathExists(QString()));
    EXPECT_FALSE(isFolder(temp.file(u"file"_s)));
}

struct ModificationCase {
    const char *zone;
    std::int64_t localSeconds;
    std::int64_t utcSeconds;
};

class SetModificationTime : public testing::TestWithParam<ModificationCase> {};

TEST_P(SetModificationTime, StoresTheLocalTimeAsTheMatchingInstant)
{
    const ModificationCase c = GetParam();
    const ScopedEnvironment zone("TZ", c.zone);
    const TempFolder temp;
    const QString path = temp.write(u"bild.jpg"_s, "x");

    ASSERT_TRUE(setModificationTime(path, c.localSeconds));
    EXPECT_EQ(QFileInfo(path).lastModified().toSecsSinceEpoch(), c.utcSeconds);
    EXPECT_EQ(pathFacts(path).localTime, c.localSeconds);
}

INSTANTIATE_TEST_SUITE_P(Zones, SetModificationTime,
                         testing::Values(
                             // 2016-03-05 08:00:00 in winter time, one hour ahead of UTC.
                             ModificationCase{"Europe/Berlin", 1457164800, 1457164800 - 3600},
                             // 2040-06-15 12:34:56 in summer time: beyond 32-bit seconds.
                             ModificationCase{"Europe/Berlin", 2223376496, 2223376496 - 7200},
                             // 1999-12-31 23:59:00, five hours behind UTC.
                             ModificationCase{"America/New_York", 946684740,
                                              946684740 + 5 * 3600}));

TEST(SetModificationTime, FailsForAMissingFile)
{
    const TempFolder temp;
    EXPECT_FALSE(setModificationTime(temp.file(u"gone"_s), 1457164800));
}

} // namespace
} // namespace namenswerk::platform
