#include "engine/template_expansion.h"

#include "engine/date_format.h"
#include "engine/entry_matcher.h"
#include "engine/file_name_split.h"
#include "engine/value_separators.h"
#include "model/file_entry.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <optional>

namespace namenswerk {

namespace {

// Numbers are written straight into the text that receives them: a
// recomputation formats several for every entry.
QLatin1StringView decimalText(qint64 value, char (&digits)[24])
{
    const char *end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    return {std::begin(digits), end};
}

void appendNumber(QString &out, qint64 value)
{
    char digits[24];
    out += decimalText(value, digits);
}

// The last `width` characters of the number, with zeros in front up to that width.
void appendLastDigits(QString &out, qint64 value, int width)
{
    char digits[24];
    const QLatin1StringView text = decimalText(value, digits).right(width);
    out.resize(out.size() + std::max<qsizetype>(0, width - text.size()), u'0');
    out += text;
}

void appendPictureText(QString &out, int value, int form)
{
    switch (form) {
    case 1:
        return appendNumber(out, value / 1000);
    case 2:
        return appendNumber(out, (static_cast<qint64>(value) + 511) >> 10);
    case 7:
        return appendNumber(out, value);
    default:
        return appendLastDigits(out, value, form);
    }
}

QChar partLetter(bool extension)
{
    return extension ? u'E' : u'N';
}

// One element of the trace: "<C>=0001 ".
void addTrace(QString *trace, QStringView label, QStringView value)
{
    if (trace) {
        *trace += label % u'=' % value % u' ';
    }
}

// The trace element of a name or extension token: "<N2>=0001 ", "<E?>=jpg ".
void addPartTrace(QString *trace, const TemplateToken &token, QChar letter, QStringView mark,
                  QStringView value)
{
    if (!trace) {
        return;
    }
    char digits[24];
    const QLatin1StringView number =
        token.arg == 0 ? QLatin1StringView() : decimalText(token.arg, digits);
    *trace += u'<' % letter % number % mark % u'=' % value % u' ';
}

QStringView withoutTrailingDotsAndBlanks(QStringView name)
{
    // No file system keeps them reliably.
    while (!name.isEmpty() && (name.back() == u'.' || name.back() == u' ')) {
        name.chop(1);
    }
    return name;
}

// QString::trimmed() without a second string.
void trimInPlace(QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace()) {
        --end;
    }
    qsizetype start = 0;
    while (start < end && text.at(start).isSpace()) {
        ++start;
    }
    text.truncate(end);
    text.remove(0, start);
}

} // namespace

QString pictureTokenText(int value, int form)
{
    QString text;
    appendPictureText(text, value, form);
    return text;
}

TemplateExpander::TemplateExpander(const TargetTemplate &targetTemplate, int counterStart)
    : template_(targetTemplate), counter_(counterStart - 1)
{
}

EntryStatus TemplateExpander::expand(const FileEntry &entry, EntryMatcher &matcher, QString &name,
                                     QString &extension, QString *trace)
{
    if (!matcher.matchEntry(name, extension)) {
        return EntryStatus::Filter;
    }
    ++counter_;
    counterGivenBack_ = false;
    entryTags_ = nullptr;
    if (template_.tokens().empty()) {
        name = QStringLiteral("-");
        extension.clear();
        if (trace) {
            *trace = QStringLiteral("-");
        }
        return EntryStatus::SearchError;
    }
    result_.resize(0); // keeps the capacity
    if (trace) {
        trace->resize(0);
    }
    for (const TemplateToken &token : template_.tokens()) {
        appendToken(token, entry, matcher, name, extension, trace);
    }
    takeParts(name, extension);
    if (trace) {
        trimInPlace(*trace);
    }
    return EntryStatus::Ok;
}

// The new name part, with the folder in front when there is one, and the
// extension of the expanded text.
void TemplateExpander::takeParts(QString &name, QString &extension) const
{
    const QStringView result = result_;
    const qsizetype separator = lastFolderSeparator(result);
    const SplitNameView parts = splitFileNameView(result.sliced(separator + 1));
    name.resize(0);
    if (separator > 0) {
        // A single leading separator alone means "no folder" and is dropped.
        name += result.first(separator + 1);
    }
    name += withoutTrailingDotsAndBlanks(parts.name);
    extension.resize(0);
    extension += parts.extension;
}

void TemplateExpander::appendToken(const TemplateToken &token, const FileEntry &entry,
                                   const EntryMatcher &matcher, QStringView name,
                                   QStringView extension, QString *trace)
{
    const bool ofExtension =
        token.kind == TemplateToken::Extension || token.kind == TemplateToken::ExtensionCondition;
    const int part = ofExtension ? 1 : 0;
    // The whole part or one of its groups; a group the expression does not
    // have contributes nothing, not even a trace entry.
    const auto partOrGroup = [&]() -> std::optional<QStringView> {
        if (token.arg > matcher.groupCount(part)) {
            return std::nullopt;
        }
        if (token.arg == 0) {
            return ofExtension ? extension : name;
        }
        return matcher.groupView(part, token.arg);
    };
    // Tokens that only add text to the name trace what they added.
    const qsizetype start = result_.size();
    const auto added = [&] { return QStringView(result_).sliced(start); };
    switch (token.kind) {
    case TemplateToken::Literal:
        result_ += token.text;
        if (trace) {
            *trace += u'\'' % token.text % u"' ";
        }
        return;
    case TemplateToken::Name:
    case TemplateToken::Extension:
        if (const auto value = partOrGroup()) {
            result_ += *value;
            addPartTrace(trace, token, partLetter(ofExtension), u">", *value);
        }
        return;
    case TemplateToken::NameCondition:
    case TemplateToken::ExtensionCondition: {
        const auto tested = partOrGroup();
        if (tested && ((token.cond == u"*" && !tested->isEmpty()) || token.cond == *tested)) {
            result_ += token.text;
            addPartTrace(trace, token, partLetter(ofExtension), u"?>", token.text);
        }
        return;
    }
    case TemplateToken::Date:
        result_ += formatDateMask(token.text, entry.fileTime);
        addTrace(trace, u"<D>", added());
        return;
    case TemplateToken::CaptureDate: {
        // Without a date in the file the modification date stands in, and
        // the trace says which one the name used.
        const CaptureDate captured = captureDate ? captureDate(entry) : CaptureDate{};
        const bool found = captured.source != CaptureSource::None;
        result_ += formatDateMask(token.text, found ? captured.date : entry.fileTime);
        if (trace) {
            *trace += u"<A>=" % added() % u" (" % captureSourceText(captured.source) % u") ";
        }
        return;
    }
    case TemplateToken::AudioTag:
    case TemplateToken::AudioTagCondition:
        appendAudioTag(token, entry, trace);
        return;
    case TemplateToken::Counter:
        appendCounter(token, entry);
        addTrace(trace, u"<C>", added());
        return;
    case TemplateToken::Picture: {
        const bool height = token.arg < 0;
        // A size not read (yet) is no size.
        const int value = std::max(0, height ? entry.pictureHeight : entry.pictureWidth);
        appendPictureText(result_, value, height ? -token.arg : token.arg);
        addTrace(trace, height ? u"<Py>" : u"<Px>", added());
        return;
    }
    }
}

// A tag's "/" and "\" stay characters of the name (marked, so the checks
// refuse them); the width pads numbers and never cuts them.
void TemplateExpander::appendAudioTag(const TemplateToken &token, const FileEntry &entry,
                                      QString *trace)
{
    static const AudioTags none;
    if (entryTags_ == nullptr) {
        entryTags_ = audioTags ? &audioTags(entry) : &none;
    }
    const AudioTagField field = audioTagFieldOf(token);
    QString value = entryTags_->value(field);
    if (!value.isEmpty()) {
        value = value.rightJustified(audioTagWidthOf(token), u'0');
    }
    const QStringView name = audioTagFieldName(field);
    if (token.kind == TemplateToken::AudioTagCondition) {
        if ((token.cond == u"*" && !value.isEmpty()) || token.cond == value) {
            result_ += token.text;
            if (trace) {
                *trace += u"<M:" % name % u"?>=" % token.text % u' ';
            }
        }
        return;
    }
    const QString marked = withValueSeparatorsMarked(value);
    result_ += marked;
    if (trace) {
        *trace += u"<M:" % name % u">=" % marked % u" (" %
                  audioTagSourceText(entryTags_->source(field)) % u") ";
    }
}

void TemplateExpander::appendCounter(const TemplateToken &token, const FileEntry &entry)
{
    const int width = token.arg == 0 ? 3 : token.arg;
    if (!entry.ignored) {
        appendLastDigits(result_, counter_, width);
        return;
    }
    // An ignored entry gives its number back to the next one, once however
    // many counter elements the template has.
    if (!counterGivenBack_) {
        --counter_;
        counterGivenBack_ = true;
    }
    result_.resize(result_.size() + std::max(0, width), u'0');
}

} // namespace namenswerk
