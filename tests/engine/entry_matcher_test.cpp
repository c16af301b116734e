#include "engine/entry_matcher.h"
#include "tests/support/printers.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namenswerk::EntryMatcher;

namespace {

EntryMatcher compiled(const QString &namePattern, const QString &extensionPattern,
                      bool regCase = false)
{
    return EntryMatcher::compile(namenswerk::updatePatternRecord(namePattern, 0),
                                 namenswerk::updatePatternRecord(extensionPattern, 1), regCase);
}

QStringList groups(const EntryMatcher &matcher, int index)
{
    QStringList texts;
    for (int n = 1; n <= matcher.groupCount(index); ++n)
        texts += matcher.group(index, n);
    return texts;
}

struct MatchCase {
    QString namePattern;
    QString extensionPattern;
    bool regCase;
    QString name;
    QString extension;
    bool matched;
    QStringList nameGroups; // only checked when matched
    QStringList extensionGroups;
};

void PrintTo(const MatchCase &c, std::ostream *out)
{
    *out << QString(c.namePattern + u" | " + c.extensionPattern + u" on " + c.name + u" . " +
                    c.extension)
                .toStdString();
}

class EntryMatching : public testing::TestWithParam<MatchCase> {};

TEST_P(EntryMatching, MatchesWholePartsAndFillsGroups)
{
    const MatchCase &c = GetParam();
    EntryMatcher matcher = compiled(c.namePattern, c.extensionPattern, c.regCase);
    ASSERT_TRUE(matcher.ok());
    EXPECT_EQ(matcher.matchEntry(c.name, c.extension), c.matched);
    if (c.matched) {
        EXPECT_EQ(groups(matcher, 0), c.nameGroups);
        EXPECT_EQ(groups(matcher, 1), c.extensionGroups);
    }
}

const QString Emoji = u"\U0001F600"_s;

INSTANTIATE_TEST_SUITE_P(
    Dialect, EntryMatching,
    testing::Values(
        MatchCase{u""_s, u""_s, false, u"Foto"_s, u"jpg"_s, true, {u"Foto"_s}, {u"jpg"_s}},
        MatchCase{u"*"_s, u"*"_s, false, u"Foto"_s, u""_s, true, {u"Foto"_s}, {u""_s}},
        MatchCase{u"*"_s, u"jpg"_s, false, u"Foto"_s, u""_s, false, {}, {}},
        MatchCase{u"abc"_s, u""_s, false, u"ABC"_s, u"txt"_s, true, {u"ABC"_s}, {u"txt"_s}},
        MatchCase{u"abc"_s, u""_s, true, u"ABC"_s, u"txt"_s, false, {}, {}},
        MatchCase{u"*"_s, u"JPG"_s, false, u"a"_s, u"jpg"_s, true, {u"a"_s}, {u"jpg"_s}},
        MatchCase{u"ärger"_s, u""_s, false, u"ÄRGER"_s, u""_s, true, {u"ÄRGER"_s}, {u""_s}},
        // The whole part has to match, from its first to its last character.
        MatchCase{u"abc"_s, u""_s, false, u"abcd"_s, u""_s, false, {}, {}},
        MatchCase{u"abc"_s, u""_s, false, u"xabc"_s, u""_s, false, {}, {}},
        MatchCase{u"<\\d+>x"_s, u""_s, false, u"12x"_s, u""_s, true, {u"12"_s}, {u""_s}},
        MatchCase{u"<\\d+>x"_s, u""_s, false, u"12xy"_s, u""_s, false, {}, {}},
        MatchCase{u"Bild (1)"_s,
                  u""_s,
                  false,
                  u"Bild (1)"_s,
                  u"png"_s,
                  true,
                  {u"Bild (1)"_s},
                  {u"png"_s}},
        MatchCase{u"Bild (1)"_s, u""_s, false, u"Bild 1"_s, u"png"_s, false, {}, {}},
        MatchCase{u"<Bild> <\\d+>"_s,
                  u""_s,
                  false,
                  u"bild 12"_s,
                  u""_s,
                  true,
                  {u"bild"_s, u"12"_s},
                  {u""_s}},
        MatchCase{u"IMG_<\\d+>"_s,
                  u"<j>p<e?>g"_s,
                  false,
                  u"IMG_0042"_s,
                  u"jpg"_s,
                  true,
                  {u"IMG_0042"_s, u"0042"_s},
                  {u"j"_s, u""_s}},
        // Look-arounds take no number, so the listed group numbers are PCRE's.
        MatchCase{u"x<?:=x><y>"_s, u""_s, false, u"xy"_s, u""_s, true, {u"xy"_s, u"y"_s}, {u""_s}},
        MatchCase{u"<a+>a"_s, u""_s, false, u"aaa"_s, u""_s, true, {u"aa"_s}, {u""_s}},
        // An atomic group never gives back what it took.
        MatchCase{u"<?:a+>a"_s, u""_s, false, u"aaa"_s, u""_s, false, {}, {}},
        // A quoted name after \g calls the named group's pattern again.
        MatchCase{
            u"<\"x\"\\d+>-\\g\"x\""_s, u""_s, false, u"12-345"_s, u""_s, true, {u"12"_s}, {u""_s}},
        MatchCase{u"<\"x\"\\d+>-\\g\"x\""_s, u""_s, false, u"12-ab"_s, u""_s, false, {}, {}},
        MatchCase{u"<a>|<b>"_s, u""_s, false, u"b"_s, u""_s, true, {u""_s, u"b"_s}, {u""_s}},
        MatchCase{u"<*>"_s, u""_s, false, Emoji + u"x", u""_s, true, {Emoji + u"x"}, {u""_s}},
        // Line breaks are ordinary characters of a name.
        MatchCase{u""_s, u""_s, false, u"a\nb"_s, u""_s, true, {u"a\nb"_s}, {u""_s}},
        // A name that is not valid UTF-16 matches nothing, not even everything.
        MatchCase{u"*"_s, u"*"_s, false, u"a"_s + QChar(0xD800) + u"b", u"txt"_s, false, {}, {}},
        MatchCase{u"*"_s, u"*"_s, false, u"ab"_s, QString(QChar(0xDC00)), false, {}, {}}));

TEST(EntryMatcherCompile, FailsForMalformedOrUncompilablePatterns)
{
    for (const auto &[name, extension] :
         std::initializer_list<std::pair<QString, QString>>{{u"<a<b>"_s, u""_s},
                                                            {u""_s, u"a>"_s},
                                                            {u"[abc"_s, u""_s},
                                                            {u""_s, u"["_s},
                                                            {u"\\("_s, u""_s},
                                                            {u"<a>\\g\"nowhere\""_s, u""_s}}) {
        EntryMatcher matcher = compiled(name, extension);
        EXPECT_FALSE(matcher.ok()) << name.toStdString() << " | " << extension.toStdString();
        EXPECT_FALSE(matcher.matchEntry(u"a", u"b"));
        EXPECT_EQ(matcher.groupCount(0), 0);
        EXPECT_EQ(matcher.group(0, 1), QString());
    }
    EXPECT_FALSE(EntryMatcher().ok());
}

TEST(EntryMatcherGroups, OutOfRangeAndFilteredEntriesGiveEmptyGroups)
{
    EntryMatcher matcher = compiled(u"<a>-<b>?"_s, u"*"_s);
    ASSERT_TRUE(matcher.matchEntry(u"a-", u"txt"));
    EXPECT_EQ(matcher.groupCount(0), 2);
    EXPECT_EQ(matcher.group(0, 1), u"a"_s);
    EXPECT_EQ(matcher.group(0, 2), QString()); // took no part
    EXPECT_EQ(matcher.group(0, 3), QString());
    EXPECT_EQ(matcher.group(0, 0), QString());
    EXPECT_EQ(matcher.group(2, 1), QString());
    EXPECT_EQ(matcher.group(1, 1), u"txt"_s);

    EXPECT_FALSE(matcher.matchEntry(u"c-", u"txt"));
    EXPECT_EQ(matcher.group(0, 1), QString());
    EXPECT_EQ(matcher.group(1, 1), QString());
}

TEST(EntryMatcherGroups, GroupsBelongToTheLastEntry)
{
    EntryMatcher matcher = compiled(u"<*>_<\\d+>"_s, u""_s);
    const QString longName = QString(300, u'x') + u"_7";
    ASSERT_TRUE(matcher.matchEntry(longName, u""));
    ASSERT_TRUE(matcher.matchEntry(u"short_12", u"jpg"));
    EXPECT_EQ(groups(matcher, 0), (QStringList{u"short"_s, u"12"_s}));
    EXPECT_EQ(groups(matcher, 1), QStringList{u"jpg"_s});
}

TEST(EntryMatcherLimits, RunawayBacktrackingEndsAsNoMatch)
{
    EntryMatcher matcher = compiled(u"<<a+>+>b"_s, u""_s);
    ASSERT_TRUE(matcher.ok());
    const QString runOfA(60, u'a');
    for (int i = 0; i < 50; ++i)
        EXPECT_FALSE(matcher.matchEntry(runOfA, u""));
    // Exploding entries leave ordinary ones matchable.
    EXPECT_TRUE(matcher.matchEntry(u"aaab", u""));
    EXPECT_EQ(matcher.group(0, 2), u"aaa"_s);
}

// A pattern that takes some thousand steps on a long name decides the same
// for that name whether or not names before it made the pattern explode.
// The exploding names need millions of steps each, far more than any
// limit a keystroke can afford, so that a budget lowered by each explosion
// would end below what the slow name needs.
TEST(EntryMatcherLimits, AMatchDoesNotDependOnTheNamesBeforeIt)
{
    const QString pattern = u"<*>a<*>b<*>c<*>d<*>"_s;
    const QString slow = u"abcd"_s + QString(100, u'a'); // about 5,500 steps to match
    // No "d", and every a, b and c a place where a group could end: some
    // 5,700,000 steps to fail.
    const QString exploding = u"abc"_s.repeated(80);

    EntryMatcher alone = compiled(pattern, u""_s);
    ASSERT_TRUE(alone.matchEntry(slow, u""));

    EntryMatcher afterOthers = compiled(pattern, u""_s);
    for (int i = 0; i < 40; ++i)
        EXPECT_FALSE(afterOthers.matchEntry(exploding, u""));
    EXPECT_TRUE(afterOthers.matchEntry(slow, u""));
    EXPECT_EQ(groups(afterOthers, 0), groups(alone, 0));
}

} // namespace
