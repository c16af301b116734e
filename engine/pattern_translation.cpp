#include "engine/pattern_translation.h"

#include <QStringList>

#include <vector>

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

// Group texts this long are cut in the group list, so that a long pattern
// keeps the help window readable.
constexpr qsizetype GroupTextLimit = 30;
constexpr qsizetype GroupTextKept = 28;

// A pattern that does not open a group is one group as a whole.
QString wrapped(const QString &pattern)
{
    if (pattern.startsWith(u'<')) {
        return pattern;
    }
    return u'<' + pattern + u'>';
}

// Where a "<" stands and where its matching ">" does; close is -1 when the
// group is never closed.
struct GroupBounds {
    qsizetype open = 0;
    qsizetype close = -1;
};

// Every group in the order of its "<", paired in one pass: a stack of the
// groups still open, so that deeply nested patterns cost no more than flat ones.
std::vector<GroupBounds> pairGroups(QStringView text)
{
    std::vector<GroupBounds> groups;
    std::vector<std::size_t> open;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'<') {
            open.push_back(groups.size());
            groups.push_back({i, -1});
        } else if (text[i] == u'>' && !open.empty()) {
            groups[open.back()].close = i;
            open.pop_back();
        }
    }
    return groups;
}

QString groupLine(QChar letter, int number, QStringView group)
{
    const QString shown = group.size() >= GroupTextLimit
                              ? group.first(GroupTextKept).toString() + u"...>"
                              : group.toString();
    const QString name = u'<' + QString(letter) + QString::number(number);
    return name.rightJustified(4, u' ') + u"> = " + shown;
}

// Look-arounds and atomic groups capture nothing, so they get no number and
// the numbers shown stay those PCRE gives.
QString groupList(QStringView text, QChar letter)
{
    QStringList lines;
    int number = 0;
    for (const GroupBounds &bounds : pairGroups(text)) {
        // From the "<" to its ">", both included; empty when never closed.
        const QStringView group = bounds.close < 0
                                      ? QStringView()
                                      : text.sliced(bounds.open, bounds.close - bounds.open + 1);
        if (group.size() > 1 && group[1] == u'?') {
            continue;
        }
        lines += groupLine(letter, ++number, group);
    }
    return lines.join(u'\n');
}

// The quote marks of group names have become "<" marks; every second one
// closes the name.
void pairNameMarks(QString &text)
{
    bool closing = false;
    for (QChar &c : text) {
        if (c != u'<') {
            continue;
        }
        if (closing) {
            c = u'>';
        }
        closing = !closing;
    }
}

QString toPcreSyntax(QString text)
{
    // Group names are parked on line feeds while the brackets change meaning.
    text.replace(u'"', u'\n');
    // Parentheses occur in file names, so they stand for themselves.
    text.replace(u"("_s, u"\\("_s);
    text.replace(u")"_s, u"\\)"_s);
    text.replace(u"<*>"_s, u"(.*)"_s);
    text.replace(u"<*?>"_s, u"(.*?)"_s);
    text.replace(u'<', u'(');
    text.replace(u'>', u')');
    text.replace(u'\n', u'<');
    pairNameMarks(text);
    text.replace(u"(<"_s, u"(?<"_s);
    text.replace(u"?:="_s, u"?<="_s);
    text.replace(u"?:!"_s, u"?<!"_s);
    // The dialect has no plain non-capturing group; "?:" opens an atomic one.
    text.replace(u"?:"_s, u"?>"_s);
    return text;
}

} // namespace

PatternRecord translatePattern(const QString &pattern, QChar letter)
{
    PatternRecord record;
    if (pattern.isEmpty() || pattern == u"*") {
        record.groupCount = 1;
        record.groupList = u" <"_s + letter + u"1> = <*>";
        record.translated = u"^(.*)"_s + PatternEndMark;
        return record;
    }
    const QString text = wrapped(pattern);
    record.groupCount = static_cast<int>(text.count(u'<'));
    if (text.count(u'>') != record.groupCount) {
        record.error = PatternErrorUnbalanced;
    } else {
        record.groupList = groupList(text, letter);
    }
    // Kept even when malformed; it is simply never compiled then.
    record.translated = u'^' + toPcreSyntax(text) + PatternEndMark;
    return record;
}

PatternRecord updatePatternRecord(const QString &fieldText, int index)
{
    PatternRecord record = translatePattern(fieldText, index == 0 ? u'n' : u'e');
    if (record.error != 0) {
        record.groupList = u"Es konnten keine Gruppen definiert werden, da kein gültiger "
                           u"regulärer Audruck vorliegt."_s;
        record.groupCount = 0;
        // Found in the text as typed: wrapping adds one bracket of each kind,
        // so the numbers differ there too and some bracket has no partner.
        if (const std::optional<InputFault> fault = firstUnpairedBracket(fieldText)) {
            record.faultLine = namenswerk::faultLine(fieldText, *fault);
        }
    }
    return record;
}

FieldIndicator patternIndicator(const PatternRecord &record)
{
    if (record.error != 0) {
        QString tooltip = u"Ungültiges Zeichen oder Token-Fehler"_s;
        if (!record.faultLine.isEmpty()) {
            tooltip += u'\n' + record.faultLine;
        }
        return {FieldIndicator::State::Error, tooltip};
    }
    return {FieldIndicator::State::Ok, u"Ok."_s};
}

} // namespace namenswerk
