// The help texts are part of the user interface: every tab, line break and
// the hyphen-and-blank word breaks are shown exactly as written here.

#include "ui/help_texts.h"

#include "engine/pattern_translation.h"
#include "ui/control_ids.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <vector>

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

struct Page {
    QString heading;
    QString text;
};

const std::array<Page, ShortcutPageCount> &shortcutPages()
{
    static const std::array<Page, ShortcutPageCount> pages{{
        {u"Wichtige Tastenkombinationen:"_s,
         u"Enter\t  Eingabewerte merken\rStrg+c\t  Kopieren in Eingabefeldern\rStrg+v\t  "
         u"Einfügen in Eingabefeldern\rStrg+z\t  Eingabewert wiederherstellen\rEscape\t  "
         u"Programmende"_s},
        {u"Tastenkombinationen mit 'Strg':"_s,
         u"r\t  Auffrischen der Ausgabeliste\rw,m,n,g...\t  Sortieren der Ausgabeliste\ru\t  "
         u"Sortierung aufheben\rEnter\t  Umbenennen\r←\t  Umbenennen rückgängig machen\r"
         u"Shift+d\t  Dateien hinzufügen\rShift+a\t  Ordner hinzufügen"_s},
    }};
    return pages;
}

const std::array<Page, PatternReferencePageCount> &patternPages()
{
    static const std::array<Page, PatternReferencePageCount> pages{{
        {u"Ausdrücke für das Änderungsfeld"_s,
         u"<n>\t  Dateiname\r<e>\t  Dateierweiterung\r<n1>\t  Gruppe des regulären "
         u"Ausdrucks\r\t  ('F1' zeigt verfügbare Gruppen)\r<*>\t  Dateiname und "
         u"Erweiterung\r<d...>\t  Dateidatum (%d.%m.%yy %h.%ii)\r<a...>\t  Aufnahmedatum "
         u"(Exif, Video)\r<m:...>\t  Audio-Tag (<m:artist>, <m2:track>)\r<m:x=a:b>\t  "
         u"Text je nach Tag (<m:year=:o.J.>)\r<p...>\t  Bildgröße "
         u"(<px1>.<px3>-<py2>K)\r<c>\t  Zähler-Funktion\r\\...\\\t  in ein Verzeichnis "
         u"verschieben\r<n1=a:b>\t  Inhaltsabhängiger Text (<1=*:>)"_s},
        {u"Allgemeine Suchregeln"_s,
         u"  .\t  beliebiges Zeichen\r ?\t  null- oder einmaliges Auftreten\r +\t  ein- oder "
         u"mehrmaliges Auftreten\r *\t  beliebiges Auftreten\r *?\t  minimal erforderliches "
         u"Auftreten\ra|b\t  'a' oder 'b'\r[a-cx]\t  'a', 'b', 'c' oder 'x'\r[^a]\t  ein Zeichen "
         u"ungleich 'a'\r\\-?[1-3]\t  1, 2, 3, -1, -2 oder -3\r?=a, ?!a\t  Tracking (zurück mit "
         u"?:=, ?:!)"_s},
        {u"Wiederholungen und Gruppen"_s,
         u"{n}\t  n-maliges Auftreten\r{n,m}\t  n- bis m-maliges Auftreten\r{n,m}?\t  minimal "
         u"erforderliches Auftreten\r[0-9]{3}\t  '000', '001', ... '999'\r<>\t  "
         u"Gruppierung\r<\"test\">\t  Benannte Gruppe 'test'\r\\g\"test\"\t  Verweis auf Gruppe "
         u"'test'\r<hi>{2,3}\t  'hihi' oder 'hihihi'\r<mi>\\1\t  Gruppenbezug (ergibt "
         u"'mimi')\r\\\t  Funktionen (\\d, \\w, \\s, \\(, \\- etc.)"_s},
    }};
    return pages;
}

Request information(const QString &title, const QString &heading, const QString &text)
{
    return {title, heading, text, RequestIcon::Information, OkOnly, {}, {}, 0};
}

// ">" is the default button, so Enter keeps turning pages forward.
Request pageRequest(const QString &title, const Page &page)
{
    return {title,  page.heading, page.text, RequestIcon::Information, YesNoCancelDefaultNo,
            u"<"_s, u">"_s,       0};
}

QString caseSensitivityText(const QString &where)
{
    return u"Wenn diese Option aktiviert ist, wird die groß- und kleingeschriebene Form des "
           u"gleichen Buchstabens "_s +
           where + u" unterschiedlich behandelt."_s;
}

// Controls whose help never changes; a pair of controls may share one text.
struct FixedHelp {
    std::vector<int> controls;
    Request request;
};

const std::vector<FixedHelp> &fixedHelp()
{
    const QString options = u"Optionen"_s;
    const QString function = u"Information"_s;
    const QString replace = u"Suchen und Ersetzen"_s;
    static const std::vector<FixedHelp> table{
        {{control::FirstReplaceField, control::FinalReplaceField},
         information(
             replace, replace,
             u"Zeichenketten können durch andere ersetzt werden ('von>nach'), mehrere Texte werden "
             u"mit dem Pipe- symbol '|' getrennt ('one>eins|two>zwei').\r\rDer Suchmodus kann "
             u"durch vorangestellte Steuer- zeichen beeinflusst werden, etwa '*Suess>Süß'.\r  "
             u"\\abc\tGroß-/Kleinschreibung ignorieren\r  /abc\tGroß-/Kleinschreibung beachten\r  "
             u"*abc\tVarianten berücksichtigen (abc, Abc, ABC)"_s)},
        {{control::PatternCaseBox},
         information(options, u"Groß- und Kleinschreibung beachten"_s,
                     caseSensitivityText(u"für die regulären Ausdrücke"_s))},
        {{control::ReplaceCaseBox},
         information(options, u"Groß- und Kleinschreibung beachten"_s,
                     caseSensitivityText(u"beim Ersetzen von Texten"_s))},
        {{control::NameOnlyBox},
         information(options, u"Suchen und Ersetzen nur im Namensteil durchführen"_s,
                     u"Wenn diese Option aktiviert ist, werden keine Text- ersetzungen "
                     u"in der Dateierweiterung vorgenommen."_s)},
        {{control::ReplaceAllBox},
         information(options, u"Alle Vorkommnisse ersetzen"_s,
                     u"Mit dieser Option wird eingestellt, ob Textersetzungen nur bei "
                     u"der jeweils ersten Fundstelle oder bei allen Vor- kommnissen "
                     u"durchgeführt werden."_s)},
        {{control::NameCaseList, control::ExtensionCaseList},
         information(
             options, u"Schreibweise für den neuen Dateinamen"_s,
             u"Diese Option erlaubt, die Groß- und Kleinschreibung des neuen Dateinamens "
             u"anzupassen.\r\rBei einer Umwandlung in Großbuchstaben wird durch einen globalen "
             u"Schalter (Sonderfunktionen) bestimmt, ob alle anderen Zeichen in Kleinbuchstaben "
             u"gewandelt werden oder unverändert bleiben."_s)},
        {{control::FileDateBox},
         information(options, u"Dateidatum aktualisieren"_s,
                     u"Mit dieser Option wird eingestellt, ob das Dateidatum einer "
                     u"umbenannten Datei auf das aktuelle Datum gesetzt werden soll."_s)},
        {{control::RenameButton},
         information(function, u"Umbenennen"_s,
                     u"Die Funktion ('Strg+Enter') startet das Umbenennen der Dateien "
                     u"gemäß der Vorgaben.\r\rDer letzte Vorgang kann mit "
                     u"'Strg+Backspace' rückgängig gemacht werden."_s)},
        {{control::CloseButton},
         information(function, u"Schließen"_s,
                     u"Die Funktion ('Escape') schließt das Programm, ohne Dateien "
                     u"umzubenennen."_s)},
        {{control::ProfileButton},
         information(function, u"Profile"_s,
                     u"Die Funktion ('Strg+P') erlaubt es, Einstellungen in "
                     u"verschiedenen Profilen zu speichern."_s)},
        {{control::FilterButton},
         information(function, u"Ergebnisliste filtern"_s,
                     u"Die Funktion ('Strg+F') erlaubt es, die Dateiliste nach "
                     u"verschiedenen Kriterien zu filtern."_s)},
        {{control::SpecialButton},
         information(function, u"Sonderfunktionen"_s,
                     u"In diesem Menü ('Strg+O') befinden sich Funktionen für den "
                     u"fortgeschrittenen Benutzer."_s)},
    };
    return table;
}

// The overview pads its elements with blanks to a column, which lines up
// only to within a blank's width in a proportional font. Shown with a tab
// instead, every "=" and every explanation stands in one column.
QString overviewLineInColumns(const QString &line)
{
    const qsizetype tab = line.indexOf(u'\t');
    const QString element = tab < 0 ? line : line.left(tab);
    if (!element.endsWith(u" ="_s)) {
        return line;
    }
    QString shown = element.chopped(2);
    while (shown.endsWith(u' ')) {
        shown.chop(1);
    }
    return shown + u"\t="_s + (tab < 0 ? QString() : u' ' + line.mid(tab + 1));
}

QString overviewInColumns(const QString &overview)
{
    QStringList lines = overview.split(u"\r\n"_s);
    for (QString &line : lines) {
        line = overviewLineInColumns(line);
    }
    return lines.join(u"\r\n"_s);
}

// The heading speaks of one group or of several, by the number of "<".
Request groupHelp(const QString &heading, const PatternRecord &record)
{
    QString groups = record.groupList;
    return information(u"Reguläre Ausdrücke"_s, record.groupCount == 1 ? heading : heading + u'n',
                       groups.replace(u'\n', u'\r'));
}

} // namespace

Request shortcutOverviewPage(int page)
{
    return pageRequest(u"Tastenkürzel"_s, shortcutPages().at(static_cast<std::size_t>(page)));
}

Request patternReferencePage(int page)
{
    return pageRequest(u"Reguläre Ausdrücke"_s, patternPages().at(static_cast<std::size_t>(page)));
}

std::optional<Request> controlHelp(int controlId, const PatternRecord &namePattern,
                                   const PatternRecord &extensionPattern)
{
    if (controlId == control::NamePatternField) {
        return groupHelp(u"Dateinamen-Gruppe"_s, namePattern);
    }
    if (controlId == control::ExtensionPatternField) {
        return groupHelp(u"Dateierweiterung-Gruppe"_s, extensionPattern);
    }
    for (const FixedHelp &help : fixedHelp()) {
        if (std::ranges::find(help.controls, controlId) != help.controls.end()) {
            return help.request;
        }
    }
    return std::nullopt;
}

Request definitionOverviewRequest(const QString &overview)
{
    return information(u"Reguläre Ausdrücke"_s, u"Dateinamensänderungen"_s,
                       overviewInColumns(overview));
}

Request aboutBox()
{
    return information(u"Programm-Information"_s, u"  Namenswerk V3.5o\r  "_s + QString(13, u'—'),
                       u"Benennt viele Dateien auf einmal nach Regeln um."_s);
}

} // namespace namenswerk
