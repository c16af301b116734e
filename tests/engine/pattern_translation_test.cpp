#include "engine/pattern_translation.h"
#include "tests/support/printers.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namenswerk::FieldIndicator;
using namenswerk::PatternRecord;

namespace {

struct TranslationCase {
    QString pattern;
    char16_t letter;
    QString translated; // without the leading "^" and the end mark
    QString groupList;
    int groupCount;
    int error;
};

void PrintTo(const TranslationCase &c, std::ostream *out)
{
    *out << c.pattern.toStdString();
}

class PatternTranslation : public testing::TestWithParam<TranslationCase> {};

TEST_P(PatternTranslation, GivesPcrePatternAndGroupList)
{
    const TranslationCase &c = GetParam();
    const PatternRecord record = namenswerk::translatePattern(c.pattern, QChar(c.letter));
    EXPECT_EQ(record.translated, u'^' + c.translated + QChar(0x0008));
    EXPECT_EQ(record.groupList, c.groupList);
    EXPECT_EQ(record.groupCount, c.groupCount);
    EXPECT_EQ(record.error, c.error);
}

const QString Cut28 = u"abcdefghijklmnopqrstuvwxyz01"_s; // 28 characters

INSTANTIATE_TEST_SUITE_P(
    Dialect, PatternTranslation,
    testing::Values(
        TranslationCase{u""_s, u'n', u"(.*)"_s, u" <n1> = <*>"_s, 1, 0},
        TranslationCase{u"*"_s, u'e', u"(.*)"_s, u" <e1> = <*>"_s, 1, 0},
        TranslationCase{u"abc"_s, u'n', u"(abc)"_s, u" <n1> = <abc>"_s, 1, 0},
        TranslationCase{u"Bild (1)"_s, u'n', u"(Bild \\(1\\))"_s, u" <n1> = <Bild (1)>"_s, 1, 0},
        TranslationCase{u"<Bild> <\\d+>"_s, u'n', u"(Bild) (\\d+)"_s,
                        u" <n1> = <Bild>\n <n2> = <\\d+>"_s, 2, 0},
        TranslationCase{u"IMG_<\\d+>"_s, u'n', u"(IMG_(\\d+))"_s,
                        u" <n1> = <IMG_<\\d+>>\n <n2> = <\\d+>"_s, 2, 0},
        TranslationCase{u"<a<b>"_s, u'n', u"(a(b)"_s, QString(), 2, 2},
        TranslationCase{u"a>"_s, u'n', u"(a))"_s, QString(), 1, 2},
        TranslationCase{u"<?:=x><y>"_s, u'n', u"(?<=x)(y)"_s, u" <n1> = <y>"_s, 2, 0},
        TranslationCase{u"<?:!x><?=y><z>"_s, u'e', u"(?<!x)(?=y)(z)"_s, u" <e1> = <z>"_s, 3, 0},
        TranslationCase{u"<\\d+>x"_s, u'n', u"(\\d+)x"_s, u" <n1> = <\\d+>"_s, 1, 0},
        TranslationCase{u"<?:x>y"_s, u'n', u"(?>x)y"_s, QString(), 1, 0},
        TranslationCase{u"\\("_s, u'n', u"(\\\\()"_s, u" <n1> = <\\(>"_s, 1, 0},
        TranslationCase{u"<*>.<*?>"_s, u'n', u"(.*).(.*?)"_s, u" <n1> = <*>\n <n2> = <*?>"_s, 2, 0},
        TranslationCase{u"<\"test\"abc>"_s, u'n', u"(?<test>abc)"_s, u" <n1> = <\"test\"abc>"_s, 1,
                        0},
        TranslationCase{u"<\"x\"\\d+>-\\g\"x\""_s, u'n', u"(?<x>\\d+)-\\g<x>"_s,
                        u" <n1> = <\"x\"\\d+>"_s, 1, 0},
        // A group that is never closed still gets its number, with nothing to show.
        TranslationCase{u"<a>><b"_s, u'n', u"(a))(b"_s, u" <n1> = <a>\n <n2> = "_s, 2, 0},
        // 29 characters are shown whole, 30 are cut.
        TranslationCase{Cut28.first(27), u'n', u'(' + Cut28.first(27) + u')',
                        u" <n1> = <"_s + Cut28.first(27) + u'>', 1, 0},
        TranslationCase{Cut28, u'n', u'(' + Cut28 + u')',
                        u" <n1> = "_s + u'<' + Cut28.first(27) + u"...>", 1, 0},
        TranslationCase{u"<a><b><c><d><e><f><g><h><i><j>"_s, u'n',
                        u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)"_s,
                        u" <n1> = <a>\n <n2> = <b>\n <n3> = <c>\n <n4> = <d>\n <n5> = <e>\n"
                        u" <n6> = <f>\n <n7> = <g>\n <n8> = <h>\n <n9> = <i>\n<n10> = <j>"_s,
                        10, 0}));

TEST(PatternRecordUpdate, MalformedPatternGetsErrorTextAndNoGroups)
{
    const PatternRecord record = namenswerk::updatePatternRecord(u"<a<b>"_s, 1);
    EXPECT_EQ(record.error, 2);
    EXPECT_EQ(record.groupCount, 0);
    EXPECT_EQ(record.groupList, u"Es konnten keine Gruppen definiert werden, da kein gültiger "
                                u"regulärer Audruck vorliegt."_s);
    EXPECT_EQ(record.translated, u"^(a(b)\u0008"_s);
    EXPECT_EQ(namenswerk::patternIndicator(record),
              (FieldIndicator{FieldIndicator::State::Error,
                              u"Ungültiges Zeichen oder Token-Fehler\n"
                              u"An Stelle 1: '<a' wird nicht geschlossen."_s}));
}

// The error tooltip adds the first bracket without a partner, in the text
// as typed (a pattern that does not begin with "<" is wrapped in one group).
TEST(PatternRecordUpdate, TheErrorTooltipSaysWhere)
{
    const std::vector<std::pair<QString, QString>> cases{
        {u"a>"_s, u"An Stelle 2: '>' ohne öffnendes '<'."_s},
        {u"<a>>b"_s, u"An Stelle 4: '>' ohne öffnendes '<'."_s},
        {u"IMG_<\\d+"_s, u"An Stelle 5: '<\\d+' wird nicht geschlossen."_s},
        {u"<<a>"_s, u"An Stelle 1: '<' wird nicht geschlossen."_s},
        {u"ä<b"_s, u"An Stelle 2: '<b' wird nicht geschlossen."_s},
    };
    for (const auto &[pattern, where] : cases) {
        const PatternRecord record = namenswerk::updatePatternRecord(pattern, 0);
        ASSERT_NE(record.error, 0) << pattern.toStdString();
        EXPECT_EQ(namenswerk::patternIndicator(record).tooltip,
                  u"Ungültiges Zeichen oder Token-Fehler\n"_s + where)
            << pattern.toStdString();
    }
}

TEST(PatternRecordUpdate, IndexChoosesGroupLetter)
{
    EXPECT_EQ(namenswerk::updatePatternRecord(u"x"_s, 0).groupList, u" <n1> = <x>"_s);
    const PatternRecord extension = namenswerk::updatePatternRecord(u"x"_s, 1);
    EXPECT_EQ(extension.groupList, u" <e1> = <x>"_s);
    EXPECT_EQ(namenswerk::patternIndicator(extension), FieldIndicator{});
    EXPECT_EQ(namenswerk::patternIndicator(extension).tooltip, u"Ok."_s);
}

// Thousands of nested groups are listed like a few: every group from its
// "<" to the matching ">", the long ones cut.
TEST(PatternGroupList, DeeplyNestedGroupsAreListedInOrder)
{
    const int depth = 3000;
    const QString pattern = QString(depth, u'<') + u'a' + QString(depth, u'>');
    const PatternRecord record = namenswerk::translatePattern(pattern, u'n');
    EXPECT_EQ(record.error, 0);
    EXPECT_EQ(record.groupCount, depth);
    const QStringList lines = record.groupList.split(u'\n');
    ASSERT_EQ(lines.size(), depth);
    EXPECT_EQ(lines.front(), u" <n1> = "_s + QString(28, u'<') + u"...>"_s);
    EXPECT_EQ(lines[depth - 2], u"<n2999> = <<a>>"_s);
    EXPECT_EQ(lines.back(), u"<n3000> = <a>"_s);
}

} // namespace
