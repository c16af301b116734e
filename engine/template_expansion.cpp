#include "engine/template_expansion.h"

#include "engine/date_format.h"
#include "engine/entry_matcher.h"
#include "engine/file_name_split.h"
#include "model/file_entry.h"

#include <optional>

namespace namenswerk {

namespace {

QString lastDigits(qint64 value, int width)
{
    return QString::number(value).right(width).rightJustified(width, u'0');
}

QChar partLetter(bool extension)
{
    return extension ? u'E' : u'N';
}

void addTrace(QString &trace, const QString &label, const QString &value)
{
    trace += label % u'=' % value % u' ';
}

// Drops trailing dots and blanks, which no file system keeps reliably.
void chopDotsAndBlanks(QString &name)
{
    qsizetype end = name.size();
    while (end > 0 && (name[end - 1] == u'.' || name[end - 1] == u' ')) {
        --end;
    }
    name.truncate(end);
}

} // namespace

QString pictureTokenText(int value, int form)
{
    switch (form) {
    case 1:
        return QString::number(value / 1000);
    case 2:
        return QString::number((static_cast<qint64>(value) + 511) >> 10);
    case 7:
        return QString::number(value);
    default:
        return lastDigits(value, form);
    }
}

TemplateExpander::TemplateExpander(const TargetTemplate &targetTemplate, int counterStart)
    : template_(targetTemplate), counter_(counterStart - 1)
{
}

EntryStatus TemplateExpander::expand(const FileEntry &entry, EntryMatcher &matcher, QString &name,
                                     QString &extension, QString &trace)
{
    if (!matcher.matchEntry(name, extension)) {
        return EntryStatus::Filter;
    }
    ++counter_;
    counterGivenBack_ = false;
    if (template_.tokens().empty()) {
        name = QStringLiteral("-");
        extension.clear();
        trace = QStringLiteral("-");
        return EntryStatus::SearchError;
    }
    QString result;
    trace.clear();
    for (const TemplateToken &token : template_.tokens()) {
        appendToken(token, entry, matcher, name, extension, result, trace);
    }
    const qsizetype separator = lastFolderSeparator(result);
    SplitName split = splitFileName(result);
    chopDotsAndBlanks(split.name);
    if (separator > 0) {
        // A single leading separator alone means "no folder" and is dropped.
        split.name.prepend(result.left(separator + 1).replace(u'\\', u'/'));
    }
    name = std::move(split.name);
    extension = std::move(split.extension);
    trace = trace.trimmed();
    return EntryStatus::Ok;
}

void TemplateExpander::appendToken(const TemplateToken &token, const FileEntry &entry,
                                   const EntryMatcher &matcher, const QString &name,
                                   const QString &extension, QString &result, QString &trace)
{
    const bool ofExtension =
        token.kind == TemplateToken::Extension || token.kind == TemplateToken::ExtensionCondition;
    const int part = ofExtension ? 1 : 0;
    // The whole part or one of its groups; a group the expression does not
    // have contributes nothing, not even a trace entry.
    const auto partOrGroup = [&]() -> std::optional<QString> {
        if (token.arg > matcher.groupCount(part)) {
            return std::nullopt;
        }
        return token.arg == 0 ? (ofExtension ? extension : name) : matcher.group(part, token.arg);
    };
    const auto label = [&](QStringView mark) -> QString {
        const QString number = token.arg == 0 ? QString() : QString::number(token.arg);
        return u'<' % partLetter(ofExtension) % number % mark;
    };
    switch (token.kind) {
    case TemplateToken::Literal:
        result += token.text;
        trace += u'\'' % token.text % u"' ";
        return;
    case TemplateToken::Name:
    case TemplateToken::Extension:
        if (const auto value = partOrGroup()) {
            result += *value;
            addTrace(trace, label(u">"), *value);
        }
        return;
    case TemplateToken::NameCondition:
    case TemplateToken::ExtensionCondition: {
        const auto tested = partOrGroup();
        if (tested && ((token.cond == u"*" && !tested->isEmpty()) || token.cond == *tested)) {
            result += token.text;
            addTrace(trace, label(u"?>"), token.text);
        }
        return;
    }
    case TemplateToken::Date: {
        const QString value = formatDateMask(token.text, entry.fileTime);
        result += value;
        addTrace(trace, QStringLiteral("<D>"), value);
        return;
    }
    case TemplateToken::Counter: {
        const QString value = counterText(token, entry);
        result += value;
        addTrace(trace, QStringLiteral("<C>"), value);
        return;
    }
    case TemplateToken::Picture: {
        const bool height = token.arg < 0;
        const QString value = pictureTokenText(height ? entry.pictureHeight : entry.pictureWidth,
                                               height ? -token.arg : token.arg);
        result += value;
        addTrace(trace, height ? QStringLiteral("<Py>") : QStringLiteral("<Px>"), value);
        return;
    }
    }
}

QString TemplateExpander::counterText(const TemplateToken &token, const FileEntry &entry)
{
    const int width = token.arg == 0 ? 3 : token.arg;
    if (!entry.ignored) {
        return lastDigits(counter_, width);
    }
    // An ignored entry gives its number back to the next one, once however
    // many counter elements the template has.
    if (!counterGivenBack_) {
        --counter_;
        counterGivenBack_ = true;
    }
    return QString(width, u'0');
}

} // namespace namenswerk
