#include "engine/definition_overview.h"
#include "engine/pattern_translation.h"
#include "tests/support/printers.h"

#include <QDateTime>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <vector>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

// Every character 10 pixels wide: the 120-pixel column holds 11 characters.
int evenWidth(QChar)
{
    return 10;
}

QString column(const QString &text)
{
    return text.leftJustified(11, u' ', true);
}

// One line of the overview in the even-width font.
QString line(const QString &element, const QString &explanation)
{
    return column(element) + u" ="_s + explanation + u"\r\n"_s;
}

OverviewInputs inputsFor(const QString &templateText, int counterStart = 1)
{
    OverviewInputs inputs;
    inputs.templateText = templateText;
    inputs.namePattern = u"IMG_<\\d+>"_s;
    inputs.extensionPattern = u"jpg"_s;
    inputs.nameGroups = translatePattern(inputs.namePattern, u'n').groupList;
    inputs.extensionGroups = translatePattern(inputs.extensionPattern, u'e').groupList;
    inputs.counterStart = counterStart;
    inputs.now = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9), QTimeZone::utc()).toSecsSinceEpoch();
    return inputs;
}

struct OverviewCase {
    QString templateText;
    QString expected;
    int counterStart = 1;
};

void PrintTo(const OverviewCase &c, std::ostream *out)
{
    *out << c.templateText.toStdString();
}

class DefinitionOverview : public testing::TestWithParam<OverviewCase> {};

TEST_P(DefinitionOverview, ExplainsEveryElement)
{
    const OverviewCase &c = GetParam();
    EXPECT_EQ(definitionOverview(inputsFor(c.templateText, c.counterStart), evenWidth), c.expected);
}

const QString LongPattern = u"Urlaub_<\\d{4}>-<\\d{2}>-<\\d{2}>_<.*>"_s;

INSTANTIATE_TEST_SUITE_P(
    Templates, DefinitionOverview,
    testing::Values(
        OverviewCase{u""_s, u"Keine Definitionen für Änderungen vorhanden."_s},
        OverviewCase{u"*.txt"_s, u"Keine gültige Definition für Änderungen vorhanden."_s},
        OverviewCase{u"*"_s, line(u"<n>"_s, u"\tIMG_<\\d+>"_s) + line(u"'.'"_s, u"\t'.'"_s) +
                                 line(u"<e>"_s, u"\tjpg"_s)},
        OverviewCase{u"*."_s, line(u"<n>"_s, u"\tIMG_<\\d+>"_s) + line(u"'.'"_s, u"\t'.'"_s)},
        OverviewCase{u"Foto_<c4>"_s, line(u"'Foto_'"_s, u"\t'Foto_'"_s) +
                                         line(u"<c4>"_s, u"\t<Zähler> ('0001',...)"_s)},
        // The example is only padded, never cut; without a width it is unpadded.
        OverviewCase{u"<c3><C>"_s,
                     line(u"<c3>"_s, u"\t<Zähler> ('12345',...)"_s) +
                         line(u"<C>"_s, u"\t<Zähler> ('12345',...)"_s),
                     12345},
        OverviewCase{u"<n1>_<2><N>.<E1><e><n7>"_s,
                     line(u"<n1>"_s, u"\t<IMG_<\\d+>>"_s) + line(u"'_'"_s, u"\t'_'"_s) +
                         line(u"<2>"_s, u"\t<\\d+>"_s) + line(u"<N>"_s, u"\tIMG_<\\d+>"_s) +
                         line(u"'.'"_s, u"\t'.'"_s) + line(u"<E1>"_s, u"\t<jpg>"_s) +
                         line(u"<e>"_s, u"\tjpg"_s) + line(u"<n7>"_s, u"\t"_s)},
        OverviewCase{u"<px3><py1><px2><PY6><px><pY4><px5><px0>"_s,
                     line(u"<px3>"_s, u"\t<Bildbreite> ('920')"_s) +
                         line(u"<py1>"_s, u"\t<Bildhöhe> ('1')"_s) +
                         line(u"<px2>"_s, u"\t<Bildbreite> ('2')"_s) +
                         line(u"<PY6>"_s, u"\t<Bildhöhe> ('001080')"_s) +
                         line(u"<px>"_s, u"\t<Bildbreite> ('1920')"_s) +
                         line(u"<pY4>"_s, u"\t<Bildhöhe> ('1080')"_s) +
                         line(u"<px5>"_s, u"\t<Bildbreite> ('01920')"_s) +
                         line(u"<px0>"_s, u"\t<Bildbreite> ('1920')"_s)},
        OverviewCase{u"<n1=*:gross><e=:ohne><2=07:Juli><n1=abc><n=x:abcdefghijklmnopqrstuvwxyz>"_s,
                     line(u"<n1=*:gross>"_s, u"\t'gross' wenn nicht leer"_s) +
                         line(u"<e=:ohne>"_s, u"\t'ohne' wenn leer"_s) +
                         line(u"<2=07:Juli>"_s, u"\t'Juli' wenn = '07'"_s) +
                         line(u"<n1=abc>"_s, u"\t''"_s) +
                         line(u"<n=x:abcdefghijklmnopqrstuvwxyz>"_s,
                              u"\t'abcdefghijklmnopqrstuvwxyz'..."_s)},
        OverviewCase{u"<d%yyyy-%mm-%dd %hh.%ii>"_s,
                     line(u"<d%yyyy-%mm-%dd %hh.%ii>"_s, u"\t<Datum> ('2024-03-05 14.07')"_s)},
        OverviewCase{u"<a%yyyy-%mm-%dd>"_s,
                     line(u"<a%yyyy-%mm-%dd>"_s, u"\t<Aufnahmedatum> ('2024-03-05')"_s)},
        OverviewCase{
            u"<m:artist><M:Title><m2:track><m3:track><m:year><m:artist=:Unbekannt>"
            u"<m:genre=Rock:R><m:album=*:x><m:artst>"_s,
            line(u"<m:artist>"_s, u"\t<Interpret>"_s) + line(u"<M:Title>"_s, u"\t<Titel>"_s) +
                line(u"<m2:track>"_s, u"\t<Titelnummer> ('07')"_s) +
                line(u"<m3:track>"_s, u"\t<Titelnummer> ('007')"_s) +
                line(u"<m:year>"_s, u"\t<Jahr>"_s) +
                line(u"<m:artist=:Unbekannt>"_s, u"\t<Interpret> 'Unbekannt' wenn leer"_s) +
                line(u"<m:genre=Rock:R>"_s, u"\t<Genre> 'R' wenn = 'Rock'"_s) +
                line(u"<m:album=*:x>"_s, u"\t<Album> 'x' wenn nicht leer"_s) +
                line(u"<m:artst>"_s, {})},
        // Backslashes are shown as typed; long literals are cut in the column only.
        OverviewCase{u"Urlaubsbilder\\\\<n>"_s,
                     line(u"'Urlaubsbilder\\\\'"_s, u"\t'Urlaubsbilder\\\\'"_s) +
                         line(u"<n>"_s, u"\tIMG_<\\d+>"_s)},
        // Elements the template does not know are listed without explanation.
        OverviewCase{u"x<>y<*><q>"_s, line(u"'x'"_s, u"\t'x'"_s) + line(u"<>"_s, {}) +
                                          line(u"'y'"_s, u"\t'y'"_s) + line(u"<*>"_s, {}) +
                                          line(u"<q>"_s, {})},
        // An unclosed "<" ends the overview.
        OverviewCase{u"a<n<e>"_s, line(u"'a'"_s, u"\t'a'"_s)}));

TEST(DefinitionOverviewGroups, LongTextsAreCut)
{
    OverviewInputs inputs = inputsFor(u"<n><n1>"_s);
    inputs.namePattern = LongPattern;
    inputs.nameGroups = translatePattern(LongPattern, u'n').groupList;
    EXPECT_EQ(definitionOverview(inputs, evenWidth),
              line(u"<n>"_s, u"\tUrlaub_<\\d{4}>-<\\d{2}>-<\\d{2..."_s) +
                  line(u"<n1>"_s, u"\t<Urlaub_<\\d{4}>-<\\d{2}>-<\\d{...>"_s));
}

// The column is filled with blanks and cut where the next character would
// reach 120 pixels, whatever the single widths.
TEST(DefinitionOverviewColumn, FollowsTheCharacterWidths)
{
    const CharWidth width = [](QChar c) { return c == u'W' ? 50 : c == u' ' ? 7 : 10; };
    const QString text = definitionOverview(inputsFor(u"<W><WWW>"_s), width);
    EXPECT_EQ(text, u"<W>        =\r\n<WW =\r\n"_s);
}

} // namespace
} // namespace namenswerk
