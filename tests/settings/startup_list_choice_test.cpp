#include "settings/startup_list_choice.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

constexpr int IntMax = std::numeric_limits<int>::max();
constexpr int IntMin = std::numeric_limits<int>::min();

TEST(ParseLeadingNumber, ReadsTheNumberATextBeginsWith)
{
    const std::vector<std::pair<QString, int>> cases = {
        {u"25"_s, 25},
        {u"  -3"_s, -3},
        {u"\t+7"_s, 7},
        {u"$1F"_s, 31},
        {u"$1f"_s, 31},
        {u"-$10"_s, -16},
        {u"%101"_s, 5},
        {u"%102"_s, 2},
        {u"12abc"_s, 12},
        {u"4 5"_s, 4},
        {u"007"_s, 7},
        {u""_s, 0},
        {u"abc"_s, 0},
        {u"$"_s, 0},
        {u"$G1"_s, 0},
        {u"%2"_s, 0},
        {u"- 5"_s, 0},
        {u"$-5"_s, 0},
        {u"１２"_s, 0}, // full-width digits are no digits here
        {u"2147483647"_s, IntMax},
        {u"2147483648"_s, IntMax},
        {u"-2147483648"_s, IntMin},
        {u"99999999999999999999999999"_s, IntMax},
        {u"-99999999999999999999999999"_s, IntMin},
        {u"$FFFFFFFFFFFFFFFFFFFF"_s, IntMax},
        {u"%" + QString(80, u'1'), IntMax},
    };
    for (const auto &[text, expected] : cases) {
        EXPECT_EQ(parseLeadingNumber(text), expected) << '"' << text.toStdString() << '"';
    }
}

struct ChoiceCase {
    QString argument;
    bool rememberList;
    bool shiftAtStart;
    ListFileChoice expected;
};

TEST(ChooseListFile, FollowsTheFirstArgumentAndTheRememberOption)
{
    const QString own = u"/opt/namenswerk/Brindlewick.lst"_s;
    const std::vector<ChoiceCase> cases = {
        // A list file of bare paths, whatever the options say.
        {u"/home/u/auswahl.lst"_s, false, false, {u"/home/u/auswahl.lst"_s, false, 9999}},
        {u"/home/u/auswahl.lst"_s, true, true, {u"/home/u/auswahl.lst"_s, false, 9999}},
        {u".lst"_s, true, false, {u".lst"_s, false, 9999}},
        // No argument: Shift inverts the remember option.
        {u""_s, true, false, {own, true, 9999}},
        {u""_s, true, true, {own, true, 0}},
        {u""_s, false, false, {own, true, 0}},
        {u""_s, false, true, {own, true, 9999}},
        // Upper-case ".LST" and other text count as the number 0.
        {u"auswahl.LST"_s, true, false, {own, true, 9999}},
        {u"auswahl.LST"_s, false, false, {own, true, 0}},
        {u"auswahl.lst "_s, false, true, {own, true, 9999}},
        {u"abc"_s, false, false, {own, true, 0}},
        // A number limits the own list, whatever the options say.
        {u"25"_s, false, false, {own, true, 25}},
        {u"25"_s, true, true, {own, true, 25}},
        {u"  -3"_s, true, false, {own, true, -3}},
        {u"$1F"_s, false, false, {own, true, 31}},
        {u"%101"_s, false, false, {own, true, 5}},
        {u"12abc"_s, false, false, {own, true, 12}},
        {u"99999999999"_s, false, false, {own, true, IntMax}},
    };
    for (const ChoiceCase &c : cases) {
        const ListFileChoice choice =
            chooseListFile(c.argument, c.rememberList, c.shiftAtStart, u"/opt/namenswerk/"_s);
        const std::string label = '"' + c.argument.toStdString() + "\" remember " +
                                  std::to_string(c.rememberList) + " shift " +
                                  std::to_string(c.shiftAtStart);
        EXPECT_EQ(choice.path, c.expected.path) << label;
        EXPECT_EQ(choice.hasFolderLine, c.expected.hasFolderLine) << label;
        EXPECT_EQ(choice.entryLimit, c.expected.entryLimit) << label;
    }
}

TEST(ChooseListFile, FindsTheOwnListFileWithOrWithoutTrailingSlash)
{
    for (const QString &folder : {u"/opt/namenswerk"_s, u"/opt/namenswerk/"_s}) {
        EXPECT_EQ(chooseListFile(u""_s, true, false, folder).path,
                  u"/opt/namenswerk/Brindlewick.lst"_s);
    }
}

} // namespace
} // namespace namenswerk
