#include "engine/replace_rules.h"
#include "tests/support/printers.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

namespace namenswerk {

// Found by the test framework to show rules readably in failure messages.
void PrintTo(const ReplaceRule &rule, std::ostream *out)
{
    *out << '{' << rule.find.toStdString() << " > " << rule.replace.toStdString()
         << (rule.ignoreCase ? ", ignore case}" : "}");
}

namespace {

using namespace Qt::StringLiterals;

struct ParseCase {
    QString list;
    bool txtCase;
    std::vector<ReplaceRule> rules;
};

TEST(ReplaceRulesParse, BuildsRulesFromFields)
{
    const std::vector<ParseCase> cases = {
        {u"one>eins|two>zwei"_s, false, {{u"one"_s, u"eins"_s, true}, {u"two"_s, u"zwei"_s, true}}},
        {u"abc"_s, false, {{u"abc"_s, {}, true}}},
        {u"abc"_s, true, {{u"abc"_s, {}, false}}},
        {u"a>b>c"_s, true, {{u"a"_s, u"b>c"_s, false}}},
        {u"|a>b||c>|"_s, true, {{u"a"_s, u"b"_s, false}, {u"c"_s, {}, false}}},
        {u"\\abc>x"_s, true, {{u"abc"_s, u"x"_s, true}}},
        {u"/abc>x"_s, false, {{u"abc"_s, u"x"_s, false}}},
        // Only the first character is a prefix.
        {u"//a>x"_s, true, {{u"/a"_s, u"x"_s, false}}},
        {u"*a>b"_s, false, {{u"A"_s, u"B"_s, false}, {u"a"_s, u"b"_s, false}}},
        {u"*Suess>Süß"_s,
         true,
         {{u"SUESS"_s, u"SÜß"_s, false},
          {u"suess"_s, u"süß"_s, false},
          {u"Suess"_s, u"Süß"_s, false}}},
        {u"*ABC>x"_s, false, {{u"ABC"_s, u"X"_s, false}, {u"abc"_s, u"x"_s, false}}},
        {u"*aB1"_s, false, {{u"AB1"_s, {}, false}, {u"ab1"_s, {}, false}}},
        {u"*bild>foto"_s,
         false,
         {{u"BILD"_s, u"FOTO"_s, false},
          {u"bild"_s, u"foto"_s, false},
          {u"Bild"_s, u"Foto"_s, false}}},
        {u">x"_s, false, {}},
        {u"|"_s, false, {}},
        {u"||"_s, false, {}},
        {QString(), false, {}},
        {u"\\"_s, false, {}},
        {u"/>x"_s, false, {}},
        {u"*"_s, false, {}},
        {u"*>x"_s, false, {}},
    };
    for (const ParseCase &c : cases) {
        SCOPED_TRACE(c.list.toStdString());
        const ReplaceRules table = ReplaceRules::parse(c.list, c.txtCase);
        EXPECT_EQ(table.rules(), c.rules);
        EXPECT_EQ(table.count(), static_cast<int>(c.rules.size()));
    }
}

// n plain pairs "k1>v|k2>v|...", optionally followed by one more field.
QString pairs(int n, const QString &tail = {})
{
    QStringList fields;
    for (int i = 1; i <= n; ++i)
        fields << u"k%1>v"_s.arg(i);
    if (!tail.isEmpty())
        fields << tail;
    return fields.join(u'|');
}

struct LimitCase {
    QString list;
    int count;
    FieldIndicator::State state;
    QString lastFind;
};

TEST(ReplaceRulesParse, StopsReadingAtTheLimitAndReportsIt)
{
    using State = FieldIndicator::State;
    const std::vector<LimitCase> cases = {
        {pairs(89), 89, State::Ok, u"k89"_s},
        {pairs(90), 90, State::Warning, u"k90"_s},
        {pairs(99), 99, State::Warning, u"k99"_s},
        {pairs(100), 100, State::Error, u"k100"_s},
        {pairs(120), 100, State::Error, u"k100"_s},
        {pairs(99, u"*Abc>x"_s), 102, State::Error, u"Abc"_s},
        {pairs(98, u"*ab>x|z>y"_s), 101, State::Error, u"Ab"_s},
        // Empty fields do not count towards the limit.
        {u"||"_s + pairs(99) + u"||"_s + u"last>x"_s, 100, State::Error, u"last"_s},
    };
    for (const LimitCase &c : cases) {
        SCOPED_TRACE(c.count);
        const ReplaceRules table = ReplaceRules::parse(c.list, false);
        ASSERT_EQ(table.count(), c.count);
        EXPECT_EQ(table.rules().back().find, c.lastFind);
        EXPECT_EQ(table.indicator().state, c.state);
    }
}

TEST(ReplaceRulesParse, IndicatorTexts)
{
    EXPECT_EQ(ReplaceRules::parse(pairs(89), false).indicator().tooltip, u"Ok."_s);
    EXPECT_EQ(ReplaceRules::parse(pairs(90), false).indicator().tooltip,
              u"Warnung! Sehr viele Suchtexte vorhanden."_s);
    EXPECT_EQ(ReplaceRules::parse(pairs(100), false).indicator().tooltip,
              u"Achtung! Zu viele Suchtexte, einige werden ignoriert."_s);
}

struct ApplyCase {
    QString list;
    bool txtCase;
    bool replaceAll;
    bool nameOnly;
    QString name;
    QString extension;
    QString newName;
    QString newExtension;
};

QString repeated(QChar unit, int n)
{
    return QString(n, unit);
}

TEST(ReplaceRulesApply, RewritesNameAndExtension)
{
    const QString cut = repeated(u'b', 240) + u"[...]"_s;
    const std::vector<ApplyCase> cases = {
        {u"one>eins|two>zwei"_s, false, true, true, u"one two"_s, {}, u"eins zwei"_s, {}},
        {u"abc"_s, false, true, true, u"abcXabc"_s, {}, u"X"_s, {}},
        {u"abc"_s, false, false, true, u"abcXabc"_s, {}, u"Xabc"_s, {}},
        {u"abc>x"_s, false, true, true, u"ABC"_s, {}, u"x"_s, {}},
        {u"ä>ae"_s, false, true, true, u"Ä"_s, {}, u"ae"_s, {}},
        {u"/abc>x"_s, false, true, true, u"ABC abc"_s, {}, u"ABC x"_s, {}},
        {u"abc>x"_s, true, true, true, u"ABC abc"_s, {}, u"ABC x"_s, {}},
        {u"\\abc>x"_s, true, true, true, u"ABC abc"_s, {}, u"x x"_s, {}},
        {u"a>b"_s, false, false, true, u"aaa"_s, {}, u"baa"_s, {}},
        {u"a>aa"_s, false, true, true, u"a"_s, {}, u"aa"_s, {}},
        {u"aa>a"_s, false, true, true, u"aaaaa"_s, {}, u"aaa"_s, {}},
        {u"a>b|b>c"_s, false, true, true, u"ab"_s, {}, u"cc"_s, {}},
        {u"*Suess>Süß"_s,
         false,
         true,
         true,
         u"Suess SUESS suess sUESS"_s,
         {},
         u"Süß SÜß süß sUESS"_s,
         {}},
        {u"txt>doc"_s, false, true, true, u"txt"_s, u"txt"_s, u"doc"_s, u"txt"_s},
        {u"txt>doc"_s, false, true, false, u"txt"_s, u"txt"_s, u"doc"_s, u"doc"_s},
        {u"x>y"_s, false, true, false, u"abc"_s, u"x"_s, u"abc"_s, u"y"_s},
        // Growing past 256 characters keeps the first 240 and marks the cut.
        {u"a>"_s + repeated(u'b', 300), false, true, false, u"a"_s, u"a"_s, cut, cut},
        {u"a>"_s + repeated(u'b', 256), false, true, true, u"a"_s, {}, repeated(u'b', 256), {}},
        {u"a>"_s + repeated(u'b', 257),
         false,
         true,
         true,
         u"a"_s,
         {},
         repeated(u'b', 240) + u"[...]"_s,
         {}},
        // A cut inside a surrogate pair drops the whole pair.
        {u"a>"_s + repeated(u'b', 239) + u"\U0001F600"_s + repeated(u'b', 20),
         false,
         true,
         true,
         u"a"_s,
         {},
         repeated(u'b', 239) + u"[...]"_s,
         {}},
        // Many occurrences of a long replacement end the same way, and the
        // occurrences behind the cut no longer matter.
        {u"a>"_s + repeated(u'b', 5000),
         false,
         true,
         true,
         repeated(u'a', 255),
         {},
         repeated(u'b', 240) + u"[...]"_s,
         {}},
        {u"\\A>bc"_s, false, true, true, u"aXAXa"_s, {}, u"bcXbcXbc"_s, {}},
        // Later rules see the cut text.
        {u"a>"_s + repeated(u'b', 300) + u"|b>c"_s,
         false,
         true,
         true,
         u"a"_s,
         {},
         repeated(u'c', 240) + u"[...]"_s,
         {}},
    };
    for (const ApplyCase &c : cases) {
        SCOPED_TRACE(c.list.left(40).toStdString() + " on " + c.name.toStdString());
        const ReplaceRules table = ReplaceRules::parse(c.list, c.txtCase);
        QString name = c.name;
        QString extension = c.extension;
        table.apply(name, extension, c.replaceAll, c.nameOnly);
        EXPECT_EQ(name.toStdString(), c.newName.toStdString());
        EXPECT_EQ(extension.toStdString(), c.newExtension.toStdString());
    }
}

} // namespace
} // namespace namenswerk
