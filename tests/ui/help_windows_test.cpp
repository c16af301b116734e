#include "engine/name_engine.h"
#include "tests/support/printers.h"
#include "tests/support/scripted_requester.h"
#include "ui/control_ids.h"
#include "ui/help_windows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;
using test::ScriptedRequester;

constexpr int Back = 'J';   // "<"
constexpr int Next = 'N';   // ">"
constexpr int Cancel = 'A'; // "Abbrechen", Escape, close box

// Every case of the tables below is known by its name.
template <typename Case>
requires requires(const Case &c)
{
    c.name;
}
void PrintTo(const Case &c, std::ostream *out)
{
    *out << c.name;
}

template <typename Case> std::string caseName(const testing::TestParamInfo<Case> &info)
{
    return info.param.name;
}

enum class Window { Shortcuts, Patterns };

struct Opening {
    Window window;
    std::vector<int> answers;
};

struct PagingCase {
    const char *name;
    std::vector<Opening> openings;
    std::vector<QString> headings; // of every page shown, in order
};

class HelpPaging : public testing::TestWithParam<PagingCase> {};

TEST_P(HelpPaging, TurnsAndRemembersPages)
{
    ScriptedRequester requester;
    HelpWindows help(requester);
    std::vector<QString> expectedTitles;
    for (const Opening &opening : GetParam().openings) {
        for (int answer : opening.answers) {
            requester.add(answer);
        }
        const bool shortcuts = opening.window == Window::Shortcuts;
        shortcuts ? help.showShortcutOverview() : help.showPatternReference();
        expectedTitles.insert(expectedTitles.end(), opening.answers.size(),
                              shortcuts ? u"Tastenkürzel"_s : u"Reguläre Ausdrücke"_s);
    }
    ASSERT_TRUE(requester.allAnswersUsed());
    std::vector<QString> headings;
    std::vector<QString> titles;
    for (const Request &shown : requester.asked) {
        headings.push_back(shown.heading);
        titles.push_back(shown.title);
        EXPECT_EQ(shown.buttons, 99);
        EXPECT_EQ(shown.firstCaption, u"<");
        EXPECT_EQ(shown.secondCaption, u">");
        EXPECT_EQ(shown.icon, RequestIcon::Information);
    }
    EXPECT_EQ(headings, GetParam().headings);
    EXPECT_EQ(titles, expectedTitles);
}

const QString Keys = u"Wichtige Tastenkombinationen:"_s;
const QString CtrlKeys = u"Tastenkombinationen mit 'Strg':"_s;
const QString Template = u"Ausdrücke für das Änderungsfeld"_s;
const QString General = u"Allgemeine Suchregeln"_s;
const QString Groups = u"Wiederholungen und Gruppen"_s;

INSTANTIATE_TEST_SUITE_P(
    Windows, HelpPaging,
    testing::Values(PagingCase{"OverviewPageCarriesOverToReference",
                               {{Window::Shortcuts, {Next, Cancel}}, {Window::Patterns, {Cancel}}},
                               {Keys, CtrlKeys, General}},
                    PagingCase{"ReferenceCyclesBothWays",
                               {{Window::Patterns, {Back, Back, Next, Next, Cancel}}},
                               {Template, Groups, General, Groups, Template}},
                    PagingCase{"OverviewButtonsBothSwitch",
                               {{Window::Shortcuts, {Back, Back, Next, Cancel}}},
                               {Keys, CtrlKeys, Keys, CtrlKeys}},
                    // The overview has no third page; it opens at its first then.
                    PagingCase{"OverviewAfterLastReferencePage",
                               {{Window::Patterns, {Back, Cancel}},
                                {Window::Shortcuts, {Cancel}},
                                {Window::Patterns, {Cancel}}},
                               {Template, Groups, Keys, Template}},
                    PagingCase{"AnyOtherAnswerCloses",
                               {{Window::Patterns, {Next, 0}}, {Window::Patterns, {Cancel}}},
                               {Template, General, General}}),
    caseName<PagingCase>);

struct PageText {
    const char *name;
    Window window;
    int turns; // ">" presses before the page
    QString heading;
    QString text;
};

class HelpPage : public testing::TestWithParam<PageText> {};

TEST_P(HelpPage, ShowsItsTextExactly)
{
    const PageText &page = GetParam();
    ScriptedRequester requester;
    for (int i = 0; i < page.turns; ++i) {
        requester.add(Next);
    }
    requester.add(Cancel);
    HelpWindows help(requester);
    page.window == Window::Shortcuts ? help.showShortcutOverview() : help.showPatternReference();
    ASSERT_EQ(requester.asked.size(), static_cast<std::size_t>(page.turns + 1));
    EXPECT_EQ(requester.asked.back().heading, page.heading);
    EXPECT_EQ(requester.asked.back().text, page.text);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, HelpPage,
    testing::Values(
        PageText{"Keys", Window::Shortcuts, 0, Keys,
                 u"Enter\t  Eingabewerte merken\rStrg+c\t  Kopieren in Eingabefeldern\rStrg+v\t  "
                 u"Einfügen in Eingabefeldern\rStrg+z\t  Eingabewert wiederherstellen\rEscape\t  "
                 u"Programmende"_s},
        PageText{"CtrlKeys", Window::Shortcuts, 1, CtrlKeys,
                 u"r\t  Auffrischen der Ausgabeliste\rw,m,n,g...\t  Sortieren der "
                 u"Ausgabeliste\ru\t  Sortierung aufheben\rEnter\t  Umbenennen\r\u2190\t  "
                 u"Umbenennen rückgängig machen\rShift+d\t  Dateien hinzufügen\rShift+a\t  "
                 u"Ordner hinzufügen"_s},
        PageText{"Template", Window::Patterns, 0, Template,
                 u"<n>\t  Dateiname\r<e>\t  Dateierweiterung\r<n1>\t  Gruppe des regulären "
                 u"Ausdrucks\r\t  ('F1' zeigt verfügbare Gruppen)\r<*>\t  Dateiname und "
                 u"Erweiterung\r<d...>\t  Dateidatum (%d.%m.%yy %h.%ii)\r<a...>\t  Aufnahmedatum "
                 u"(Exif, Video)\r<m:...>\t  Audio-Tag (<m:artist>, <m2:track>)\r<m:x=a:b>\t  "
                 u"Text je nach Tag (<m:year=:o.J.>)\r<p...>\t  Bildgröße "
                 u"(<px1>.<px3>-<py2>K)\r<c>\t  Zähler-Funktion\r\\...\\\t  in ein Verzeichnis "
                 u"verschieben\r<n1=a:b>\t  Inhaltsabhängiger Text (<1=*:>)"_s},
        PageText{"General", Window::Patterns, 1, General,
                 u"  .\t  beliebiges Zeichen\r ?\t  null- oder einmaliges Auftreten\r +\t  ein- "
                 u"oder mehrmaliges Auftreten\r *\t  beliebiges Auftreten\r *?\t  minimal "
                 u"erforderliches Auftreten\ra|b\t  'a' oder 'b'\r[a-cx]\t  'a', 'b', 'c' oder "
                 u"'x'\r[^a]\t  ein Zeichen ungleich 'a'\r\\-?[1-3]\t  1, 2, 3, -1, -2 oder "
                 u"-3\r?=a, ?!a\t  Tracking (zurück mit ?:=, ?:!)"_s},
        PageText{"Groups", Window::Patterns, 2, Groups,
                 u"{n}\t  n-maliges Auftreten\r{n,m}\t  n- bis m-maliges Auftreten\r{n,m}?\t  "
                 u"minimal erforderliches Auftreten\r[0-9]{3}\t  '000', '001', ... '999'\r<>\t  "
                 u"Gruppierung\r<\"test\">\t  Benannte Gruppe 'test'\r\\g\"test\"\t  Verweis auf "
                 u"Gruppe 'test'\r<hi>{2,3}\t  'hihi' oder 'hihihi'\r<mi>\\1\t  Gruppenbezug "
                 u"(ergibt 'mimi')\r\\\t  Funktionen (\\d, \\w, \\s, \\(, \\- etc.)"_s}),
    caseName<PageText>);

struct ContextCase {
    const char *name;
    int control;
    QString namePattern;
    QString title;
    QString heading;
    QString text;
};

class ContextHelp : public testing::TestWithParam<ContextCase> {};

TEST_P(ContextHelp, ExplainsTheFocusedControl)
{
    const ContextCase &c = GetParam();
    RenameSettings inputs;
    inputs.regFindname = c.namePattern;
    NameEngine engine;
    engine.setInputs(inputs);
    ScriptedRequester requester;
    requester.add('O');
    HelpWindows(requester).showContextHelp(c.control, engine, inputs);
    ASSERT_EQ(requester.asked.size(), 1U);
    const Request &shown = requester.asked.front();
    EXPECT_EQ(shown.title, c.title);
    EXPECT_EQ(shown.heading, c.heading);
    EXPECT_EQ(shown.text, c.text);
    EXPECT_EQ(shown.icon, RequestIcon::Information);
    EXPECT_EQ(shown.buttons, OkOnly);
}

const QString ReplaceHelp =
    u"Zeichenketten können durch andere ersetzt werden ('von>nach'), mehrere Texte werden mit dem "
    u"Pipe- symbol '|' getrennt ('one>eins|two>zwei').\r\rDer Suchmodus kann durch "
    u"vorangestellte Steuer- zeichen beeinflusst werden, etwa '*Suess>Süß'.\r  "
    u"\\abc\tGroß-/Kleinschreibung ignorieren\r  /abc\tGroß-/Kleinschreibung beachten\r  "
    u"*abc\tVarianten berücksichtigen (abc, Abc, ABC)"_s;

INSTANTIATE_TEST_SUITE_P(
    Controls, ContextHelp,
    testing::Values(
        ContextCase{"TwoNameGroups", control::NamePatternField, u"IMG_<\\d+>"_s,
                    u"Reguläre Ausdrücke"_s, u"Dateinamen-Gruppen"_s,
                    u" <n1> = <IMG_<\\d+>>\r <n2> = <\\d+>"_s},
        ContextCase{"OneNameGroup", control::NamePatternField, u"abc"_s, u"Reguläre Ausdrücke"_s,
                    u"Dateinamen-Gruppe"_s, u" <n1> = <abc>"_s},
        ContextCase{"MalformedNamePattern", control::NamePatternField, u"<a<b>"_s,
                    u"Reguläre Ausdrücke"_s, u"Dateinamen-Gruppen"_s,
                    u"Es konnten keine Gruppen definiert werden, da kein gültiger regulärer "
                    u"Audruck vorliegt."_s},
        ContextCase{"EmptyExtensionPattern",
                    control::ExtensionPatternField,
                    {},
                    u"Reguläre Ausdrücke"_s,
                    u"Dateierweiterung-Gruppe"_s,
                    u" <e1> = <*>"_s},
        ContextCase{"FirstReplaceList",
                    control::FirstReplaceField,
                    {},
                    u"Suchen und Ersetzen"_s,
                    u"Suchen und Ersetzen"_s,
                    ReplaceHelp},
        ContextCase{"FinalReplaceList",
                    control::FinalReplaceField,
                    {},
                    u"Suchen und Ersetzen"_s,
                    u"Suchen und Ersetzen"_s,
                    ReplaceHelp},
        ContextCase{"PatternCase",
                    control::PatternCaseBox,
                    {},
                    u"Optionen"_s,
                    u"Groß- und Kleinschreibung beachten"_s,
                    u"Wenn diese Option aktiviert ist, wird die groß- und kleingeschriebene Form "
                    u"des gleichen Buchstabens für die regulären Ausdrücke unterschiedlich "
                    u"behandelt."_s},
        ContextCase{"ReplaceCase",
                    control::ReplaceCaseBox,
                    {},
                    u"Optionen"_s,
                    u"Groß- und Kleinschreibung beachten"_s,
                    u"Wenn diese Option aktiviert ist, wird die groß- und kleingeschriebene Form "
                    u"des gleichen Buchstabens beim Ersetzen von Texten unterschiedlich "
                    u"behandelt."_s},
        ContextCase{"NameOnly",
                    control::NameOnlyBox,
                    {},
                    u"Optionen"_s,
                    u"Suchen und Ersetzen nur im Namensteil durchführen"_s,
                    u"Wenn diese Option aktiviert ist, werden keine Text- ersetzungen in der "
                    u"Dateierweiterung vorgenommen."_s},
        ContextCase{"ReplaceAll",
                    control::ReplaceAllBox,
                    {},
                    u"Optionen"_s,
                    u"Alle Vorkommnisse ersetzen"_s,
                    u"Mit dieser Option wird eingestellt, ob Textersetzungen nur bei der jeweils "
                    u"ersten Fundstelle oder bei allen Vor- kommnissen durchgeführt werden."_s},
        ContextCase{"ExtensionCase",
                    control::ExtensionCaseList,
                    {},
                    u"Optionen"_s,
                    u"Schreibweise für den neuen Dateinamen"_s,
                    u"Diese Option erlaubt, die Groß- und Kleinschreibung des neuen Dateinamens "
                    u"anzupassen.\r\rBei einer Umwandlung in Großbuchstaben wird durch einen "
                    u"globalen Schalter (Sonderfunktionen) bestimmt, ob alle anderen Zeichen in "
                    u"Kleinbuchstaben gewandelt werden oder unverändert bleiben."_s},
        ContextCase{"Rename",
                    control::RenameButton,
                    {},
                    u"Information"_s,
                    u"Umbenennen"_s,
                    u"Die Funktion ('Strg+Enter') startet das Umbenennen der Dateien gemäß der "
                    u"Vorgaben.\r\rDer letzte Vorgang kann mit 'Strg+Backspace' rückgängig "
                    u"gemacht werden."_s},
        ContextCase{"Special",
                    control::SpecialButton,
                    {},
                    u"Information"_s,
                    u"Sonderfunktionen"_s,
                    u"In diesem Menü ('Strg+O') befinden sich Funktionen für den "
                    u"fortgeschrittenen Benutzer."_s},
        ContextCase{"FileList",
                    control::FileListView,
                    {},
                    u"Programm-Information"_s,
                    u"  Namenswerk V3.5o\r  \u2014\u2014\u2014\u2014\u2014\u2014\u2014\u2014\u2014"
                    u"\u2014\u2014\u2014\u2014"_s,
                    u"Benennt viele Dateien auf einmal nach Regeln um."_s}),
    caseName<ContextCase>);

TEST(ContextHelpOthers, ControlsWithoutHelpAskNothing)
{
    ScriptedRequester requester; // any question would fail
    NameEngine engine;
    HelpWindows help(requester);
    for (int control : {int(control::NamePatternIcon), int(control::StatusLine),
                        int(control::MainWindow), int(control::NameCaseLabel), 99, -1}) {
        help.showContextHelp(control, engine, RenameSettings{});
    }
    EXPECT_TRUE(requester.asked.empty());
}

// The template field's help is the definition overview of the typed template.
TEST(ContextHelpOthers, TemplateFieldShowsTheDefinitionOverview)
{
    RenameSettings inputs;
    inputs.regReplace = u"Foto_<c4>"_s;
    NameEngine engine;
    engine.setInputs(inputs);
    ScriptedRequester requester;
    requester.add('O');
    HelpWindows(requester).showContextHelp(control::TemplateField, engine, inputs);
    ASSERT_EQ(requester.asked.size(), 1U);
    const Request &shown = requester.asked.front();
    EXPECT_EQ(shown.title, u"Reguläre Ausdrücke");
    EXPECT_EQ(shown.heading, u"Dateinamensänderungen");
    EXPECT_EQ(shown.icon, RequestIcon::Information);
    EXPECT_EQ(shown.buttons, OkOnly);
    // Shown with a tab in place of the blanks that pad the elements.
    EXPECT_EQ(shown.text, u"'Foto_'\t= 'Foto_'\r\n<c4>\t= <Zähler> ('0001',...)\r\n"_s);
}

} // namespace
} // namespace namenswerk
