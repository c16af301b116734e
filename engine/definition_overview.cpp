// The overview follows the template as typed, not as parsed: it is meant to
// help while the template is still being written, so an element the parser
// would reject is still shown, just without an explanation.

#include "engine/definition_overview.h"

#include "engine/audio_tags.h"
#include "engine/date_format.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <optional>

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

constexpr int ColumnWidth = 120;

// Long explanations are cut so that each stays on its own line.
constexpr qsizetype CutFrom = 30;
constexpr qsizetype CutKept = 28;

// Sample picture sizes for the examples of the picture tokens.
constexpr int SampleWidth = 1920;
constexpr int SampleHeight = 1080;

QString cut(const QString &text, QStringView tail)
{
    return text.size() >= CutFrom ? text.left(CutKept) + tail : text;
}

// Blanks fill the column and whatever does not fit is cut off, so that the
// tab after the column lines every explanation up.
QString fitColumn(const QString &text, const CharWidth &width)
{
    const int blank = std::max(1, width(u' '));
    const QString padded = text + QString(ColumnWidth / blank, u' ');
    int used = 0;
    qsizetype kept = 0;
    for (; kept < padded.size(); ++kept) {
        used += width(padded[kept]);
        if (used >= ColumnWidth) {
            break;
        }
    }
    return padded.left(kept);
}

// The leading decimal number of the text, none when it does not begin with a
// digit. Long digit runs are held at a bound instead of overflowing.
std::optional<int> leadingNumber(QStringView text)
{
    constexpr int Bound = 10'000'000;
    if (text.isEmpty() || !text.front().isDigit()) {
        return std::nullopt;
    }
    int value = 0;
    for (qsizetype i = 0; i < text.size() && text[i].isDigit(); ++i) {
        value = std::min(Bound, value * 10 + text[i].digitValue());
    }
    return value;
}

// Position of the ">" that closes the "<" at `open`, nesting counted; -1 when
// it is never closed.
qsizetype closingBracket(QStringView text, qsizetype open)
{
    int depth = 0;
    for (qsizetype i = open; i < text.size(); ++i) {
        if (text[i] == u'<') {
            ++depth;
        } else if (text[i] == u'>' && --depth == 0) {
            return i;
        }
    }
    return -1;
}

// The shorthands that stand for whole templates; none for a text that
// begins with "*" but is none of them.
std::optional<QString> spelledOut(const QString &field)
{
    if (!field.startsWith(u'*')) {
        return field;
    }
    if (field == u"*" || field == u"*.*") {
        return u"<n>.<e>"_s;
    }
    if (field == u"*.") {
        return u"<n>."_s;
    }
    return std::nullopt;
}

// What follows "= " in line `number` of a group list.
QString groupText(const QString &groups, int number)
{
    const QStringList lines = groups.split(u'\n');
    if (number > lines.size()) {
        return {};
    }
    const QString &line = lines.at(number - 1);
    const qsizetype mark = line.indexOf(u"= "_s);
    return mark < 0 ? QString() : line.mid(mark + 2);
}

QString groupExplanation(QStringView content, bool extension, const OverviewInputs &in)
{
    const QStringView digits = content.front().isDigit() ? content : content.mid(1);
    const int number = leadingNumber(digits).value_or(0);
    if (number == 0) {
        return cut(extension ? in.extensionPattern : in.namePattern, u"...");
    }
    return cut(groupText(extension ? in.extensionGroups : in.nameGroups, number), u"...>");
}

QString conditionPhrase(QStringView token)
{
    const QStringView compared = token.sliced(token.indexOf(u'=') + 1);
    const qsizetype colon = compared.indexOf(u':');
    if (colon < 0) {
        return u"''"_s;
    }
    const QStringView value = compared.first(colon);
    const QStringView output = compared.sliced(colon + 1).chopped(1);
    QString condition;
    if (value.isEmpty()) {
        condition = u" leer"_s;
    } else if (value == u"*") {
        condition = u" nicht leer"_s;
    } else {
        condition = u" = '"_s + value.toString() + u'\'';
    }
    return cut(u'\'' + output.toString() + u"' wenn"_s + condition, u"...");
}

QString pictureExplanation(QStringView content)
{
    const bool height = content.size() > 1 && content[1].toUpper() == u'Y';
    const int sample = height ? SampleHeight : SampleWidth;
    const int form = leadingNumber(content.mid(2)).value_or(0);
    QString example = QString::number(sample);
    if (form == 1) {
        example = QString::number(sample / 1000);
    } else if (form == 2) {
        example = QString::number((sample + 511) >> 10);
    } else if (form >= 3 && form <= 999999) {
        const int digits = std::min(form, 6);
        example = example.right(digits).rightJustified(digits, u'0');
    }
    return u"\t<Bild"_s + (height ? u"höhe"_s : u"breite"_s) + u"> ('"_s + example + u"')"_s;
}

QString counterExplanation(QStringView content, int counterStart)
{
    // Widths the template itself would not take are shown unpadded.
    const int written = leadingNumber(content.mid(1)).value_or(0);
    const int width = written <= 99 ? written : 0;
    const QString example = QString::number(counterStart).rightJustified(width, u'0');
    return u"\t<Zähler> ('"_s + example + u"',...)"_s;
}

QString dateExplanation(QStringView content, std::int64_t now)
{
    return u"\t<Datum> ('"_s + formatDateMask(content.mid(1).toString(), now) + u"')"_s;
}

QString captureDateExplanation(QStringView content, std::int64_t now)
{
    return u"\t<Aufnahmedatum> ('"_s + formatDateMask(content.mid(1).toString(), now) + u"')"_s;
}

// The tag's name as the user reads it; the example shows what a width does.
QString audioTagExplanation(QStringView token)
{
    static const std::array<QString, AudioTagFieldCount> labels{
        u"Interpret"_s,   u"Titel"_s, u"Album"_s,    u"Jahr"_s,
        u"Titelnummer"_s, u"Genre"_s, u"Kommentar"_s};
    constexpr int SampleTrack = 7;
    const QStringView content = token.sliced(1, token.size() - 2);
    const qsizetype colon = content.indexOf(u':');
    if (colon < 0) {
        return {};
    }
    const QStringView rest = content.sliced(colon + 1);
    const qsizetype equals = rest.indexOf(u'=');
    const auto field = audioTagField(equals < 0 ? rest : rest.first(equals));
    if (!field) {
        return {};
    }
    QString tag = u"\t<"_s + labels[static_cast<std::size_t>(*field)] + u'>';
    if (equals >= 0) {
        return tag + u' ' + conditionPhrase(token);
    }
    const int width = leadingNumber(content.sliced(1, colon - 1)).value_or(0);
    if (*field != AudioTagField::Track || width == 0) {
        return tag;
    }
    return tag + u" ('"_s + QString::number(SampleTrack).rightJustified(width, u'0') + u"')"_s;
}

// What a token inserts, by the letter after its "<"; nothing for a letter the
// template does not know.
QString explanation(QStringView token, const OverviewInputs &in)
{
    const QStringView content = token.sliced(1, token.size() - 2);
    if (content.isEmpty()) {
        return {};
    }
    const char16_t letter = content.front().toLower().unicode();
    if (content.front().isDigit() || letter == u'n' || letter == u'e') {
        if (token.contains(u'=')) {
            return u'\t' + conditionPhrase(token);
        }
        return u'\t' + groupExplanation(content, letter == u'e', in);
    }
    switch (letter) {
    case u'p':
        return pictureExplanation(content);
    case u'c':
        return counterExplanation(content, in.counterStart);
    case u'd':
        return dateExplanation(content, in.now);
    case u'a':
        return captureDateExplanation(content, in.now);
    case u'm':
        return audioTagExplanation(token);
    default:
        return {};
    }
}

} // namespace

QString definitionOverview(const OverviewInputs &inputs, const CharWidth &width)
{
    if (inputs.templateText.isEmpty()) {
        return u"Keine Definitionen für Änderungen vorhanden."_s;
    }
    const std::optional<QString> text = spelledOut(inputs.templateText);
    if (!text) {
        return u"Keine gültige Definition für Änderungen vorhanden."_s;
    }
    QString lines;
    qsizetype pos = 0;
    while (pos < text->size()) {
        if (text->at(pos) != u'<') {
            qsizetype next = text->indexOf(u'<', pos);
            if (next < 0) {
                next = text->size();
            }
            const QString quoted = u'\'' + text->mid(pos, next - pos) + u'\'';
            lines += fitColumn(quoted, width) + u" =\t"_s + quoted + u"\r\n"_s;
            pos = next;
            continue;
        }
        const qsizetype close = closingBracket(*text, pos);
        if (close < 0) {
            break; // an unclosed "<" ends the overview
        }
        const QStringView token = QStringView(*text).sliced(pos, close - pos + 1);
        lines +=
            fitColumn(token.toString(), width) + u" ="_s + explanation(token, inputs) + u"\r\n"_s;
        pos = close + 1;
    }
    return lines;
}

} // namespace namenswerk
