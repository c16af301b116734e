#include "settings/remember_settings.h"
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

TEST(RememberSettings, RecentTextGoesOnTop)
{
    struct Case {
        QStringList list;
        QString text;
        QStringList expected;
    };
    const QStringList nine{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s, u"9"_s};
    const std::vector<Case> cases{
        {{}, u"a"_s, {u"a"_s}},
        {{u"x"_s, u"y"_s}, u""_s, {u"x"_s, u"y"_s}},
        {{u"x"_s, u"y"_s, u"z"_s}, u"y"_s, {u"y"_s, u"x"_s, u"z"_s}},
        {{u"x"_s, u"X"_s}, u"x"_s, {u"x"_s, u"X"_s}},
        {nine, u"new"_s, QStringList{u"new"_s} + nine.first(8)},
        {nine, u"9"_s, QStringList{u"9"_s} + nine.first(8)},
    };
    for (const Case &c : cases) {
        QStringList list = c.list;
        addRecentText(list, c.text);
        EXPECT_EQ(list, c.expected) << c.text.toStdString();
    }
}

TEST(RememberSettings, WritesTheFileWithTheTextsOnTop)
{
    test::TempFolder folder;
    StoredSettings settings;
    settings.records[0].regFindname = u"IMG_<1:#>"_s;
    settings.inputLists.regFindname = {u"DSC"_s};
    ASSERT_TRUE(rememberSettings(folder.path(), settings));
    EXPECT_EQ(settings.inputLists.regFindname, (QStringList{u"IMG_<1:#>"_s, u"DSC"_s}));
    EXPECT_TRUE(settings.inputLists.regReplace.isEmpty());

    const StoredSettings read = readSettings(folder.path());
    EXPECT_EQ(read.records[0].regFindname, u"IMG_<1:#>"_s);
    EXPECT_EQ(read.inputLists.regFindname, settings.inputLists.regFindname);
}

} // namespace
} // namespace namenswerk
