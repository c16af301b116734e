#include "engine/target_template.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;
using Kind = TemplateToken::Kind;

TEST(TargetTemplate, ShorthandsAreSpelledOut)
{
    const std::vector<std::pair<QString, QString>> cases{
        {u""_s, u"<n>.<e>"_s},        {u"*"_s, u"<n>.<e>"_s},     {u"*.*"_s, u"<n>.<e>"_s},
        {u"*."_s, u"<n>."_s},         {u"x<*>"_s, u"x<n>.<e>"_s}, {u"a\\\\b<n>"_s, u"a\\b<n>"_s},
        {u"a\\\\\\\\b"_s, u"a\\b"_s},
    };
    for (const auto &[field, normal] : cases) {
        EXPECT_EQ(normalizeTemplate(field), normal) << field.toStdString();
    }
}

TEST(TargetTemplate, ParsesEveryKindOfElement)
{
    const TargetTemplate parsed =
        TargetTemplate::parse(u"F_<n2>-<E1><c5><d%yyyy><px3><py><n1=*:x><e=jpg:J><7>.<e>"_s);
    ASSERT_FALSE(parsed.hasError());
    const std::vector<TemplateToken> expected{
        {-1, Kind::Literal, u"F_"_s, {}},
        {2, Kind::Name, {}, {}},
        {-1, Kind::Literal, u"-"_s, {}},
        {1, Kind::Extension, {}, {}},
        {5, Kind::Counter, {}, {}},
        {0, Kind::Date, u"%yyyy"_s, {}},
        {3, Kind::Picture, {}, {}},
        {-7, Kind::Picture, {}, {}},
        {1, Kind::NameCondition, u"x"_s, u"*"_s},
        {0, Kind::ExtensionCondition, u"J"_s, u"jpg"_s},
        {7, Kind::Name, {}, {}},
        {-1, Kind::Literal, u"."_s, {}},
        {0, Kind::Extension, {}, {}},
    };
    EXPECT_EQ(parsed.tokens(), expected);
}

TEST(TargetTemplate, NumbersAboveTheLimitsAreClamped)
{
    EXPECT_EQ(TargetTemplate::parse(u"<n100>"_s).tokens().front().arg, 0);
    EXPECT_EQ(TargetTemplate::parse(u"<px9>"_s).tokens().front().arg, 6);
    EXPECT_EQ(TargetTemplate::parse(u"<PY0>"_s).tokens().front().arg, -7);
    EXPECT_EQ(TargetTemplate::parse(u"<px2>"_s).tokens().front().arg, 2);
}

// The tooltip keeps its text and adds where the fault is, counted in the
// characters the user typed, and the element at fault.
TEST(TargetTemplate, RejectsMalformedTemplatesAndSaysWhere)
{
    const std::vector<std::pair<QString, QString>> cases{
        {u"<n>|x"_s, u"An Stelle 4: '|' ist hier nicht erlaubt."_s},
        {u"<n>?"_s, u"An Stelle 4: '?' ist hier nicht erlaubt."_s},
        {u"a*b"_s, u"An Stelle 2: '*' ist hier nicht erlaubt."_s},
        {u"<d%d"_s, u"An Stelle 1: '<d%d' wird nicht geschlossen."_s},
        {u"<>"_s, u"An Stelle 1: unbekanntes Token '<>'."_s},
        {u"<n>-<x>"_s, u"An Stelle 5: unbekanntes Token '<x>'."_s},
        {u"<n<e>>"_s, u"An Stelle 1: '<n' wird nicht geschlossen."_s},
        {u"a>b<"_s, u"An Stelle 2: '>' ohne öffnendes '<'."_s},
        {u"<n>>"_s, u"An Stelle 4: '>' ohne öffnendes '<'."_s},
        {u">x"_s, u"An Stelle 1: '>' ohne öffnendes '<'."_s},
        {u"x<n"_s, u"An Stelle 2: '<n' wird nicht geschlossen."_s},
        // Positions in the text as typed, before shorthands are spelled out.
        {u"a\\\\b|"_s, u"An Stelle 5: '|' ist hier nicht erlaubt."_s},
        {u"<*>|"_s, u"An Stelle 4: '|' ist hier nicht erlaubt."_s},
        {u"\U0001F600|"_s, u"An Stelle 2: '|' ist hier nicht erlaubt."_s},
        {u"<d%Y-%m-%d_%H.%M.%S_Uhr"_s,
         u"An Stelle 1: '<d%Y-%m-%d_%H.%M.%S_…' wird nicht geschlossen."_s},
    };
    for (const auto &[text, where] : cases) {
        const TargetTemplate parsed = TargetTemplate::parse(text);
        EXPECT_TRUE(parsed.hasError()) << text.toStdString();
        EXPECT_EQ(parsed.indicator().state, FieldIndicator::State::Error);
        EXPECT_EQ(parsed.indicator().tooltip, u"Ungültiges Zeichen oder Token-Fehler.\n"_s + where)
            << text.toStdString() << " gave " << parsed.indicator().tooltip.toStdString();
    }
}

TEST(TargetTemplate, AudioTagTokens)
{
    using F = AudioTagField;
    const TargetTemplate parsed = TargetTemplate::parse(
        u"<m:artist><M2:Track><m9:year><m:artist=:Unbekannt><m:genre=Rock:R\\x><m:album=*:a:b>"
        u"<m:title=AC/DC:x>"_s);
    ASSERT_FALSE(parsed.hasError());
    const std::vector<TemplateToken> expected{
        {audioTagArg(F::Artist, 0), Kind::AudioTag, {}, {}},
        {audioTagArg(F::Track, 2), Kind::AudioTag, {}, {}},
        {audioTagArg(F::Year, 9), Kind::AudioTag, {}, {}},
        {audioTagArg(F::Artist, 0), Kind::AudioTagCondition, u"Unbekannt"_s, {}},
        {audioTagArg(F::Genre, 0), Kind::AudioTagCondition, u"R/x"_s, u"Rock"_s},
        {audioTagArg(F::Album, 0), Kind::AudioTagCondition, u"a:b"_s, u"*"_s},
        {audioTagArg(F::Title, 0), Kind::AudioTagCondition, u"x"_s, u"AC/DC"_s},
    };
    EXPECT_EQ(parsed.tokens(), expected);
    EXPECT_EQ(audioTagFieldOf(expected[1]), F::Track);
    EXPECT_EQ(audioTagWidthOf(expected[1]), 2);
    EXPECT_TRUE(parsed.readsAudioTags());
    EXPECT_FALSE(TargetTemplate::parse(u"<n>.<e>"_s).readsAudioTags());
    // Unknown fields, widths outside 1 to 9 or on texts, a condition without
    // its text, no ":" after the letter.
    for (const QString &text :
         {u"<m:artst>"_s, u"<m>"_s, u"<m:>"_s, u"<m2:artist>"_s, u"<m0:track>"_s, u"<m10:track>"_s,
          u"<mx:track>"_s, u"<m:artist=x>"_s, u"<m:artist:x>"_s, u"<martist>"_s,
          u"<m:artist=?:x>"_s, u"<m: artist>"_s}) {
        EXPECT_TRUE(TargetTemplate::parse(text).hasError()) << text.toStdString();
    }
}

TEST(TargetTemplate, HundredElementsAreTooMany)
{
    QString text;
    for (int i = 0; i < 50; ++i) {
        text += u"<n>-"_s;
    }
    EXPECT_TRUE(TargetTemplate::parse(text).hasError());
    EXPECT_TRUE(
        TargetTemplate::parse(text).indicator().tooltip.endsWith(u": mehr als 99 Elemente."_s));
    EXPECT_FALSE(TargetTemplate::parse(text.chopped(1)).hasError()); // 99 elements
}

TEST(TargetTemplate, IndicatorTellsWhetherTheExtensionIsDefined)
{
    using State = FieldIndicator::State;
    const std::vector<std::pair<QString, State>> cases{
        {u"<n>"_s, State::Warning}, {u"<n>.txt"_s, State::Warning},
        {u"<n>."_s, State::Ok},     {u"<n>.<e>"_s, State::Ok},
        {u"*"_s, State::Ok},        {u"abc"_s, State::Warning},
        {u"a.<e1>"_s, State::Ok},   {u"<n>.<e=x:y>"_s, State::Ok},
    };
    for (const auto &[text, state] : cases) {
        EXPECT_EQ(TargetTemplate::parse(text).indicator().state, state) << text.toStdString();
    }
    EXPECT_EQ(TargetTemplate::parse(u"<n>"_s).indicator().tooltip,
              u"Definition der Dateierweiterung möglicherweise unvollständig."_s);
    const ExtensionFlags none = TargetTemplate::parse(u"<n>_x"_s).flags();
    EXPECT_FALSE(none.has(TemplateHasDot));
    EXPECT_FALSE(none.has(TemplateUsesExtension));
}

} // namespace
} // namespace namenswerk
