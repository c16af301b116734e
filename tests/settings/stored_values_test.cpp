#include "settings/stored_values.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <limits>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

TEST(StoredValues, UnquoteRemovesOnlyEnclosingQuotes)
{
    const std::vector<std::pair<QString, QString>> cases{
        {u""_s, u""_s},           {u"\""_s, u"\""_s},         {u"\"\""_s, u""_s},
        {u"\"abc\""_s, u"abc"_s}, {u"\"a\"b\""_s, u"a\"b"_s}, {u"\"abc"_s, u"\"abc"_s},
        {u"abc\""_s, u"abc\""_s}, {u"abc"_s, u"abc"_s},       {u" \"abc\""_s, u" \"abc\""_s},
    };
    for (const auto &[text, expected] : cases) {
        EXPECT_EQ(unquote(text), expected) << text.toStdString();
        EXPECT_EQ(unquote(quoted(text)), text) << text.toStdString();
    }
}

TEST(StoredValues, LeadingNumber)
{
    constexpr int max = std::numeric_limits<int>::max();
    constexpr int min = std::numeric_limits<int>::min();
    const std::vector<std::pair<QString, int>> cases{
        {u"42"_s, 42},
        {u"-7"_s, -7},
        {u"+5"_s, 5},
        {u"  12abc"_s, 12},
        {u""_s, 0},
        {u"abc"_s, 0},
        {u"-"_s, 0},
        {u"1 2"_s, 1},
        {u"99999999999999999999"_s, max},
        {u"-2147483648"_s, min},
        {u"-99999999999"_s, min},
        {u"\u0663"_s, 0},
    };
    for (const auto &[text, expected] : cases) {
        EXPECT_EQ(leadingNumber(text), expected) << text.toStdString();
    }
}

TEST(StoredValues, Colors)
{
    const std::vector<std::pair<QString, std::uint32_t>> read{
        {u"F0F0F0"_s, 0xF0F0F0}, {u"f0f0f0"_s, 0xF0F0F0},   {u"FF"_s, 0xFF}, {u"ZZ"_s, 0},
        {u"12ZZ"_s, 0x12},       {u"1ABCDEF0"_s, 0xBCDEF0},
    };
    for (const auto &[text, expected] : read) {
        EXPECT_EQ(leadingColor(text), expected) << text.toStdString();
    }
    EXPECT_EQ(colorText(0xF0F0F0), u"F0F0F0"_s);
    EXPECT_EQ(colorText(0x0000FF), u"FF"_s);
    EXPECT_EQ(colorText(0), u"0"_s);
}

} // namespace
} // namespace namenswerk
