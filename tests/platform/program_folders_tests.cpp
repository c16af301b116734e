#include "platform/file_system.h"
#include "platform/program_folders.h"
#include "tests/platform/scoped_environment.h"
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namenswerk::test::ScopedEnvironment;
using namenswerk::test::TempFolder;

namespace namenswerk::platform {
namespace {

TEST(ProgramFolder, IsTheFolderOfTheRunningProgram)
{
    const QString folder = programFolder();
    EXPECT_TRUE(folder.endsWith(u'/'));
    EXPECT_TRUE(QFileInfo::exists(folder + u"platform_tests"_s)) << folder.toStdString();
}

TEST(SettingsFolderBeside, KeepsTheSettingsBesideAPortableProgram)
{
    const TempFolder program;
    program.write(u"portable"_s);
    const QString withoutSlash = program.path().chopped(1);
    EXPECT_EQ(settingsFolderBeside(withoutSlash), program.path());
}

// As an installed program run by root: the folder is writable, yet no place for settings.
TEST(SettingsFolderBeside, MovesToTheUserConfigurationWhenTheProgramIsNotPortable)
{
    const TempFolder program;
    const TempFolder config;
    const ScopedEnvironment home("XDG_CONFIG_HOME", QFile::encodeName(config.path()));

    EXPECT_EQ(settingsFolderBeside(program.path()), config.file(u"namenswerk/"_s));
}

TEST(SettingsFolderBeside, MovesToTheUserConfigurationWhenTheProgramFolderIsClosed)
{
    const TempFolder config;
    const ScopedEnvironment home("XDG_CONFIG_HOME", QFile::encodeName(config.path()));

    const QString folder = settingsFolderBeside(config.file(u"no/such/program/"_s));

    EXPECT_EQ(folder, config.file(u"namenswerk/"_s));
    EXPECT_TRUE(isFolder(folder));
}

class SettingsFolder : public testing::Test {
protected:
    void TearDown() override { setSettingsFolderOverride(QString()); }

    TempFolder temp;
};

TEST_F(SettingsFolder, FollowsTheEnvironmentAndCreatesTheFolder)
{
    const ScopedEnvironment named("NAMENSWERK_SETTINGS_DIR",
                                  QFile::encodeName(temp.file(u"from-environment"_s)));

    EXPECT_EQ(settingsFolder(), temp.file(u"from-environment/"_s));
    EXPECT_TRUE(isFolder(temp.file(u"from-environment"_s)));
}

TEST_F(SettingsFolder, PrefersTheOverrideToTheEnvironment)
{
    const ScopedEnvironment named("NAMENSWERK_SETTINGS_DIR",
                                  QFile::encodeName(temp.file(u"from-environment"_s)));
    setSettingsFolderOverride(temp.file(u"override"_s));

    EXPECT_EQ(settingsFolder(), temp.file(u"override/"_s));
    setSettingsFolderOverride(QString());
    EXPECT_EQ(settingsFolder(), temp.file(u"from-environment/"_s));
}

TEST_F(SettingsFolder, FollowsTheProgramFolderRuleWhenNothingIsSet)
{
    const ScopedEnvironment named("NAMENSWERK_SETTINGS_DIR", QByteArray());
    const ScopedEnvironment home("XDG_CONFIG_HOME", QFile::encodeName(temp.path()));
    // The test program is built without the marker.
    EXPECT_EQ(settingsFolder(), temp.file(u"namenswerk/"_s));
}

} // namespace
} // namespace namenswerk::platform
