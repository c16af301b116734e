#include "engine/case_conversion.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <vector>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

struct ConvertCase {
    QString text;
    int mode;
    bool upper;
    QString expected;
};

TEST(CaseConversion, ConvertsByMode)
{
    const std::vector<ConvertCase> cases = {
        {u"hELLO wORLD"_s, 0, true, u"hELLO wORLD"_s},
        {u"hELLO ÄRGER"_s, 1, false, u"hello ärger"_s},
        {u"1abc"_s, 2, true, u"1abc"_s},
        {u"1abc"_s, 2, false, u"1abc"_s},
        {u"hELLO"_s, 2, true, u"Hello"_s},
        {u"hELLO"_s, 2, false, u"HELLO"_s},
        {u"1abc"_s, 3, false, u"1Abc"_s},
        {u"1aBC dEF"_s, 3, true, u"1Abc def"_s},
        {u"1aBC dEF"_s, 3, false, u"1ABC dEF"_s},
        {u"éCOLE"_s, 3, true, u"École"_s},
        {u"ßa"_s, 3, false, u"ßa"_s},
        {u"ßa"_s, 3, true, u"ßa"_s},
        {u"ßA"_s, 3, true, u"ßa"_s},
        {u"hello_world 2nd o'neil"_s, 4, true, u"Hello_World 2Nd O'Neil"_s},
        {u"hello_world 2nd o'neil"_s, 4, false, u"Hello_World 2Nd O'Neil"_s},
        {u"hELLO wORLD"_s, 4, true, u"Hello World"_s},
        {u"hELLO wORLD"_s, 4, false, u"HELLO WORLD"_s},
        {u"fotos\\bild"_s, 4, false, u"Fotos\\Bild"_s},
        {u"fotos/bild"_s, 4, false, u"Fotos/Bild"_s},
        {u"straße"_s, 5, false, u"STRAßE"_s},
        {u"straße"_s, 5, true, u"STRAßE"_s},
        {u"hELLO"_s, 6, true, u"hELLO"_s},
        {u"hELLO"_s, -1, true, u"hELLO"_s},
        {QString(), 4, true, QString()},
        {QString(), 2, true, QString()},
    };
    for (const ConvertCase &c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " mode " + std::to_string(c.mode) +
                     (c.upper ? " upper" : ""));
        EXPECT_EQ(convertCase(c.text, c.mode, c.upper).toStdString(), c.expected.toStdString());
    }
}

TEST(CaseConversion, AppliesModesToNameAndExtension)
{
    QString name = u"mein bild"_s;
    QString extension = u"jpg"_s;
    applyCaseModes(name, extension, 4, 5, true);
    EXPECT_EQ(name, u"Mein Bild"_s);
    EXPECT_EQ(extension, u"JPG"_s);

    QString noExtension;
    applyCaseModes(name, noExtension, 1, 2, true);
    EXPECT_EQ(name, u"mein bild"_s);
    EXPECT_TRUE(noExtension.isNull());
}

TEST(CaseConversion, ItemTextsFollowTheUpperSwitch)
{
    const std::vector<std::pair<QString, QString>> texts = {
        {u"Unverändert"_s, u"Unverändert"_s},
        {u"Alles klein"_s, u"Alles klein"_s},
        {u"Erstes Zeichen groß"_s, u"Nur erstes Zeichen groß"_s},
        {u"Ersten Buchstaben groß"_s, u"Nur ersten Buchstaben groß"_s},
        {u"Wortanfänge groß"_s, u"Nur Wortanfänge groß"_s},
        {u"Alles groß"_s, u"Alles groß"_s},
    };
    ASSERT_EQ(static_cast<int>(texts.size()), CaseModeCount);
    for (int mode = 0; mode < CaseModeCount; ++mode) {
        EXPECT_EQ(caseModeText(mode, false), texts[mode].first);
        EXPECT_EQ(caseModeText(mode, true), texts[mode].second);
    }
    EXPECT_TRUE(caseModeText(CaseModeCount, true).isEmpty());
}

} // namespace
} // namespace namenswerk
