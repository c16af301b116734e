#include "ui/requester_buttons.h"

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

TEST(CaptionCode, IsTheUpperCasedLetterAfterTheFirstAmpersand)
{
    struct Case {
        QString caption;
        int code;
    };
    const std::vector<Case> cases{
        {u"&Deaktivieren"_s, 'D'}, {u"&Löschen"_s, 'L'}, {u"&Umbenannte"_s, 'U'},
        {u"Alle &Dateien"_s, 'D'}, {u"<"_s, 'J'},        {u"&öffnen"_s, 0xD6},
        {u"a&b&c"_s, 'B'},         {u"Ende&"_s, 'J'},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(captionCode(c.caption, 'J'), c.code) << c.caption.toStdString();
    }
}

TEST(RequesterButtons, FlagsDoNotChangeTheSet)
{
    const RequesterButtonRow row = requesterButtons(94 + 1024 + 2048, {}, u"&Nie"_s);
    ASSERT_EQ(row.buttons.size(), 2u);
    EXPECT_EQ(row.buttons[0].caption, u"OK"_s);
    EXPECT_EQ(row.buttons[0].code, 'O');
    EXPECT_EQ(row.buttons[1].caption, u"&Nie"_s);
    EXPECT_EQ(row.buttons[1].code, 'N');
    EXPECT_EQ(row.defaultIndex, 0);
}

} // namespace
} // namespace namenswerk
