#include "rename/run_questions.h"
#include "settings/settings_file.h"
#include "tests/rename/printers.h"
#include "tests/rename/run_fixture.h"

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

struct WarningCase {
    const char *label;
    QStringList files;
    QString templateText;
    QString heading;
    QString text;
    int buttons;
    QString secondCaption;
};

void PrintTo(const WarningCase &c, std::ostream *os)
{
    *os << c.label;
}

class ExtensionWarning : public testing::TestWithParam<WarningCase> {};

TEST_P(ExtensionWarning, AsksWithItsTextsAndRenamesNothingOnCancel)
{
    const WarningCase &c = GetParam();
    test::RunFixture fixture;
    fixture.addFiles(c.files);
    fixture.compute(c.templateText);
    fixture.requester.add(AnswerCancel);

    const RunResult result = fixture.run();

    ASSERT_EQ(fixture.requester.asked.size(), 1u);
    const Request &asked = fixture.requester.asked.front();
    EXPECT_EQ(asked.title, u"Warnung"_s);
    EXPECT_EQ(asked.heading, c.heading);
    EXPECT_EQ(asked.text, c.text);
    EXPECT_EQ(asked.icon, RequestIcon::Question);
    EXPECT_EQ(asked.buttons, c.buttons);
    EXPECT_EQ(asked.firstCaption, u"&Umbenennen"_s);
    EXPECT_EQ(asked.secondCaption, c.secondCaption);
    EXPECT_EQ(result.end, RunEnd::Declined);
    EXPECT_EQ(fixture.filesOnDisk(), c.files);
    EXPECT_FALSE(fixture.settingsFolder.exists(u"Brindlewick.ini"_s));
}

const QString LossText = u" oder stattdessen der aktiven Konfiguration die Standard-\r"
                         u"erweiterung hinzugefügt werden?"_s;

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtensionWarning,
    testing::Values(WarningCase{"every extension lost, several files",
                                {u"a.txt"_s, u"b.txt"_s},
                                u"<n>"_s,
                                u"Ihre Einstellungen führen zum Verlust der Dateierweiterungen."_s,
                                u"Sollen die Dateien dennoch umbenannt werden"_s + LossText,
                                YesNoCancel,
                                u"&Einstellung ändern"_s},
                    WarningCase{"every extension lost, one file",
                                {u"a.txt"_s},
                                u"<n>"_s,
                                u"Ihre Einstellungen führen zum Verlust der Dateierweiterungen."_s,
                                u"Soll die Datei dennoch umbenannt werden"_s + LossText,
                                YesNoCancel,
                                u"&Einstellung ändern"_s},
                    WarningCase{"some extensions empty although the template takes them",
                                {u"a.txt"_s, u"b"_s},
                                u"x_<n>.<e>"_s,
                                u"Die Erweiterungen einiger Dateien werden leer bleiben."_s,
                                u"Sollen die Dateien dennoch umbenannt werden?"_s,
                                YesCancel,
                                {}},
                    WarningCase{"the one extension empty",
                                {u"b"_s},
                                u"x_<n>.<e>"_s,
                                u"Die Erweiterungen der Dateien werden leer bleiben."_s,
                                u"Soll die Datei dennoch umbenannt werden?"_s,
                                YesCancel,
                                {}}),
    [](const testing::TestParamInfo<WarningCase> &param) { return std::to_string(param.index); });

TEST(ExtensionWarning, NoneWhenEveryNewNameKeepsItsExtension)
{
    test::RunFixture fixture;
    fixture.addFiles({u"a.txt"_s});
    fixture.compute(u"x_<n>.<e>"_s);
    EXPECT_EQ(fixture.run().renamed, 1); // the scripted requester would throw if asked
    EXPECT_TRUE(fixture.requester.asked.empty());
}

TEST(ExtensionWarning, RenameAnswerGoesOn)
{
    test::RunFixture fixture;
    fixture.addFiles({u"a.txt"_s});
    fixture.compute(u"<n>_x"_s);
    fixture.requester.add(AnswerRename);
    EXPECT_EQ(fixture.run().renamed, 1);
    EXPECT_EQ(fixture.filesOnDisk(), QStringList{u"a_x"_s});
}

TEST(ExtensionWarning, ChangingTheSettingGivesTheTemplateItsExtensionAndRenamesNothing)
{
    test::RunFixture fixture;
    fixture.addFiles({u"a.txt"_s, u"b.txt"_s});
    fixture.compute(u"<n>"_s);
    fixture.requester.add(AnswerChangeSetting);

    const RunResult result = fixture.run();

    EXPECT_EQ(result.end, RunEnd::TemplateChanged);
    EXPECT_EQ(result.changedTemplate, u"<n>.<e>"_s);
    EXPECT_EQ(fixture.settings.regReplace, u"<n>.<e>"_s);
    EXPECT_EQ(fixture.memory.remembered(0).regReplace, u"<n>.<e>"_s);
    EXPECT_EQ(fixture.memory.slot(), 1);
    EXPECT_EQ(fixture.filesOnDisk(), (QStringList{u"a.txt"_s, u"b.txt"_s}));
    ASSERT_EQ(fixture.list.refreshLevel, RefreshLevel::Names);
    fixture.engine.refresh(fixture.list, fixture.settings);
    EXPECT_EQ(fixture.list.at(0).newName, u"a.txt"_s);
}

TEST(ExtensionWarning, ChangedTemplates)
{
    EXPECT_EQ(templateWithExtension(u"<n>"_s), u"<n>.<e>"_s);
    EXPECT_EQ(templateWithExtension(u"<n>."_s), u"<n>.<e>"_s);
    EXPECT_EQ(templateWithExtension(u"*"_s), u"*.*"_s);
    EXPECT_EQ(templateWithExtension(u"*."_s), u"*.*"_s);
}

} // namespace
} // namespace namenswerk
