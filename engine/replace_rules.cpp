#include "engine/replace_rules.h"

#include "engine/value_separators.h"
#include "platform/case_tables.h"

#include <QStringTokenizer>

#include <algorithm>

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

// A replacement that lets a text grow past MaxLength keeps only its start, so
// that a runaway rule such as "a>aa" cannot blow up the names.
constexpr qsizetype MaxLength = 256;
constexpr qsizetype KeptLength = 240;

QString firstUnitUpper(QStringView text)
{
    QString result = text.toString();
    if (!result.isEmpty()) {
        result[0] = QChar(platform::caseTables().upper(result[0].unicode()));
    }
    return result;
}

// "*s>r": the all-upper, all-lower and capitalised spellings of the pair.
// The capitalised one is left out where it would only repeat another.
void addCaseVariants(std::vector<ReplaceRule> &rules, QStringView find, QStringView replace)
{
    if (find.isEmpty()) {
        return;
    }
    rules.push_back({platform::toUpperPerUnit(find), platform::toUpperPerUnit(replace), false});
    rules.push_back({platform::toLowerPerUnit(find), platform::toLowerPerUnit(replace), false});
    const QStringView tail = find.mid(1);
    if (!tail.isEmpty() && tail != platform::toUpperPerUnit(tail)) {
        rules.push_back({firstUnitUpper(find), firstUnitUpper(replace), false});
    }
}

void addPrefixedRule(std::vector<ReplaceRule> &rules, QStringView find, QStringView replace,
                     bool ignoreCase)
{
    if (!find.isEmpty()) {
        rules.push_back({find.toString(), replace.toString(), ignoreCase});
    }
}

// A backslash in a replacement is a folder separator, which the engine writes
// as "/"; a backslash in a search text is the character, as old names hold it.
QString replacementText(QStringView typed)
{
    QString text = typed.toString();
    text.replace(u'\\', u'/');
    return text;
}

void addFieldRules(std::vector<ReplaceRule> &rules, QStringView field, bool txtCase)
{
    const qsizetype arrow = field.indexOf(u'>');
    const QStringView find = arrow < 0 ? field : field.left(arrow);
    const QString replace = arrow < 0 ? QString() : replacementText(field.mid(arrow + 1));
    if (find.isEmpty()) {
        return;
    }
    switch (find.front().unicode()) {
    case u'\\':
        return addPrefixedRule(rules, find.mid(1), replace, true);
    case u'/':
        return addPrefixedRule(rules, find.mid(1), replace, false);
    case u'*':
        return addCaseVariants(rules, find.mid(1), replace);
    default:
        return addPrefixedRule(rules, find, replace, !txtCase);
    }
}

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

char16_t foldAscii(QChar c)
{
    const char16_t unit = c.unicode();
    return unit >= u'A' && unit <= u'Z' ? unit - u'A' + u'a' : unit;
}

// QString::indexOf with the rule's case sensitivity. Caseless search in Qt
// folds every character through the Unicode tables; where both texts are
// plain ASCII, folding only maps A-Z to a-z, which is much cheaper and finds
// the same places.
qsizetype indexOf(QStringView text, const ReplaceRule &rule, qsizetype from)
{
    if (!rule.ignoreCase || !isAscii(text) || !isAscii(rule.find)) {
        return text.indexOf(rule.find, from,
                            rule.ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
    }
    const auto sameFolded = [](QChar a, QChar b) { return foldAscii(a) == foldAscii(b); };
    const auto *const found = std::search(text.begin() + from, text.end(), rule.find.begin(),
                                          rule.find.end(), sameFolded);
    return found == text.end() ? -1 : found - text.begin();
}

// Every occurrence replaced, but only as far as the text can stay: once the
// result is past MaxLength the rest would be cut anyway, and building it
// would let a long replacement times many occurrences take time and memory
// without bound.
QString replacedUpToLimit(const QString &text, const ReplaceRule &rule, qsizetype at)
{
    QString result;
    qsizetype copied = 0;
    for (; at >= 0 && result.size() <= MaxLength; at = indexOf(text, rule, copied)) {
        result += QStringView(text).sliced(copied, at - copied);
        result += rule.replace;
        copied = at + rule.find.size();
    }
    if (result.size() <= MaxLength) {
        result += QStringView(text).sliced(copied);
    }
    return result;
}

void replaceOccurrences(QString &text, const ReplaceRule &rule, bool replaceAll)
{
    // Most rules miss most names: look before touching the string.
    const qsizetype at = indexOf(text, rule, 0);
    if (at < 0) {
        return;
    }
    // Most names hold a text once, and replacing that one occurrence needs
    // no second string.
    const qsizetype next = replaceAll ? indexOf(text, rule, at + rule.find.size()) : -1;
    if (next >= 0) {
        text = replacedUpToLimit(text, rule, at);
    } else {
        text.replace(at, rule.find.size(), rule.replace);
    }
}

void cutOverlong(QString &text)
{
    if (text.size() <= MaxLength) {
        return;
    }
    qsizetype kept = KeptLength;
    // Never leave half of a surrogate pair behind.
    if (text.at(kept - 1).isHighSurrogate()) {
        --kept;
    }
    text.truncate(kept);
    text.append(u"[...]"_s);
}

void applyRule(QString &text, const ReplaceRule &rule, bool replaceAll)
{
    replaceOccurrences(text, rule, replaceAll);
    cutOverlong(text);
}

} // namespace

ReplaceRules ReplaceRules::parse(const QString &listText, bool txtCase)
{
    ReplaceRules table;
    for (QStringView field : qTokenize(listText, u'|', Qt::SkipEmptyParts)) {
        addFieldRules(table.rules_, field, txtCase);
        if (table.count() >= Limit) {
            break;
        }
    }
    for (const ReplaceRule &rule : table.rules_) {
        table.acting_.push_back(rule);
        const QString marked = withValueSeparatorsMarked(rule.find);
        if (marked != rule.find) {
            table.acting_.push_back({marked, rule.replace, rule.ignoreCase});
        }
    }
    return table;
}

FieldIndicator ReplaceRules::indicator() const
{
    if (count() >= Limit) {
        return {FieldIndicator::State::Error,
                u"Achtung! Zu viele Suchtexte, einige werden ignoriert."_s};
    }
    if (count() >= WarningCount) {
        return {FieldIndicator::State::Warning, u"Warnung! Sehr viele Suchtexte vorhanden."_s};
    }
    return {};
}

void ReplaceRules::apply(QString &name, QString &extension, bool replaceAll, bool nameOnly) const
{
    for (const ReplaceRule &rule : acting_) {
        applyRule(name, rule, replaceAll);
        if (!nameOnly) {
            applyRule(extension, rule, replaceAll);
        }
    }
}

} // namespace namenswerk
