// Scanning a target template into tokens. The scanner keeps one of four
// states and reports any character that cannot stand where it stands as an
// error, so that a half-typed template never produces half-right names.

#include "engine/input_fault.h"
#include "engine/target_template.h"

#include <algorithm>
#include <optional>

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

enum class ScanState { Nothing, Literal, InBrackets, AfterBracket };

// Value of the leading decimal number of text; 0 when there is none or when it
// lies outside 0 to 99.
int leadingGroupNumber(QStringView text)
{
    int value = 0;
    qsizetype i = 0;
    for (; i < text.size() && text[i].isDigit() && value <= 99; ++i) {
        value = value * 10 + text[i].digitValue();
    }
    return value <= 99 ? value : 0;
}

// Picture tokens: "<px>" full width, "<px1>" thousands, "<px2>" kibi-units,
// "<px3>".."<px6>" the last digits; "y" in second place means the height.
int pictureArg(QStringView content)
{
    int form = 0;
    const QStringView digits = content.mid(2);
    for (qsizetype i = 0; i < digits.size() && digits[i].isDigit() && form < 100; ++i) {
        form = form * 10 + digits[i].digitValue();
    }
    form = form > 6 ? 6 : (form < 1 ? 7 : form);
    const bool height = content.size() > 1 && content[1].toUpper() == u'Y';
    return height ? -form : form;
}

// Text the template puts into new names: a backslash or a "/" typed there is
// a folder separator, which the engine writes as "/" so that it cannot be
// mistaken for a backslash that an old name holds as a character. A run of
// separators means one.
QString withFolderSeparators(QString text)
{
    text.replace(u'\\', u'/');
    while (text.contains(QStringView(u"//"))) {
        text.replace(QStringLiteral("//"), QStringLiteral("/"));
    }
    return text;
}

// "<m:artist>", "<m2:track>", "<m:artist=ABBA:text>": the field, a width
// for the numeric ones, and a condition in the manner of "<n1=value:text>"
// (value empty: the tag is empty; "*": it is not). The ":" right after the
// letter and its width keeps these apart from every other token, and a field
// name holds no "=" or ":", so where the condition begins is never in doubt.
std::optional<TemplateToken> audioTagElement(QStringView content)
{
    const qsizetype colon = content.indexOf(u':');
    if (colon < 0) {
        return std::nullopt;
    }
    const QStringView widthText = content.sliced(1, colon - 1);
    int width = 0;
    if (!widthText.isEmpty()) {
        if (widthText.size() != 1 || widthText[0].unicode() < u'1' ||
            widthText[0].unicode() > u'9') {
            return std::nullopt;
        }
        width = widthText[0].digitValue();
    }
    const QStringView rest = content.sliced(colon + 1);
    const qsizetype equals = rest.indexOf(u'=');
    const std::optional<AudioTagField> field =
        audioTagField(equals < 0 ? rest : rest.first(equals));
    if (!field || (width > 0 && !isNumericTagField(*field))) {
        return std::nullopt; // a width means nothing for a text
    }
    TemplateToken token{audioTagArg(*field, width), TemplateToken::AudioTag, {}, {}};
    if (equals < 0) {
        return token;
    }
    const QStringView condition = rest.sliced(equals + 1);
    const qsizetype outputColon = condition.indexOf(u':');
    if (outputColon < 0) {
        return std::nullopt;
    }
    token.kind = TemplateToken::AudioTagCondition;
    // Compared with the tag as it is, where "/" is a character.
    token.cond = condition.first(outputColon).toString();
    token.text = withFolderSeparators(condition.sliced(outputColon + 1).toString());
    return token;
}

} // namespace

namespace {

// The scanner's text, and for each of its characters the index of the
// field's character it stands for, so that a fault is shown where the user
// typed it.
struct NormalText {
    QString text;
    std::vector<qsizetype> origins;

    void append(QStringView part, qsizetype origin)
    {
        text += part;
        origins.insert(origins.end(), static_cast<std::size_t>(part.size()), origin);
    }
};

// One pass: a run of backslashes becomes one, "<*>" becomes "<n>.<e>" (no
// backslash stands in "<*>", so the order of the two does not matter).
NormalText normalizedWithOrigins(const QString &fieldText)
{
    NormalText normal;
    if (fieldText.isEmpty() || fieldText == u"*" || fieldText == u"*.*") {
        normal.append(u"<n>.<e>", 0);
        return normal;
    }
    if (fieldText == u"*.") {
        normal.append(u"<n>.", 0);
        return normal;
    }
    const QStringView field(fieldText);
    for (qsizetype i = 0; i < field.size();) {
        if (field[i] == u'\\') {
            normal.append(u"\\", i);
            while (i < field.size() && field[i] == u'\\') {
                ++i;
            }
        } else if (field.sliced(i).startsWith(u"<*>")) {
            normal.append(u"<n>.<e>", i);
            i += 3;
        } else {
            normal.append(field.sliced(i, 1), i);
            ++i;
        }
    }
    return normal;
}

} // namespace

QString normalizeTemplate(const QString &fieldText)
{
    return normalizedWithOrigins(fieldText).text;
}

class TargetTemplate::Parser {
public:
    explicit Parser(TargetTemplate &result) : result_(result) {}

    bool scan(const QString &text)
    {
        qsizetype pos = 0;
        for (; pos < text.size() && tokenCount() < MaxTokens; ++pos) {
            if (!step(text, pos)) {
                return false;
            }
        }
        if (pos < text.size()) {
            return fail(InputFault::Kind::TooManyTokens, pos, {});
        }
        if (state_ == ScanState::Literal) {
            const QString literal = text.mid(start_);
            addLiteral(literal);
            if (literal.endsWith(u'.')) {
                result_.flags_.set(TemplateUsesExtension);
            }
        }
        if (state_ == ScanState::InBrackets) {
            return fail(InputFault::Kind::Unclosed, start_ - 1, openElement(text, start_ - 1));
        }
        return true;
    }

    // Where scanning stopped, in the scanned text; none while it has not.
    const std::optional<InputFault> &fault() const { return fault_; }

private:
    bool fail(InputFault::Kind kind, qsizetype at, const QString &element)
    {
        fault_ = InputFault{kind, at, element};
        return false;
    }

    int tokenCount() const { return static_cast<int>(result_.tokens_.size()); }

    bool step(const QString &text, qsizetype pos)
    {
        const QChar c = text[pos];
        if (c == u'<') {
            if (state_ == ScanState::InBrackets) {
                return fail(InputFault::Kind::Unclosed, start_ - 1, openElement(text, start_ - 1));
            }
            if (state_ == ScanState::Literal) {
                addLiteral(text.mid(start_, pos - start_));
            }
            state_ = ScanState::InBrackets;
            start_ = pos + 1;
        } else if (c == u'>') {
            if (state_ == ScanState::Literal || state_ == ScanState::AfterBracket) {
                return fail(InputFault::Kind::StrayClose, pos, u">"_s);
            }
            if (state_ == ScanState::InBrackets && !addElement(text.mid(start_, pos - start_))) {
                return fail(InputFault::Kind::UnknownToken, start_ - 1,
                            text.mid(start_ - 1, pos - start_ + 2));
            }
            state_ = ScanState::AfterBracket;
            start_ = pos + 1;
        } else if (c == u'*') {
            if (pos == 0 || text[pos - 1] != u'=') {
                return fail(InputFault::Kind::NotAllowed, pos, u"*"_s);
            }
        } else if (c == u'|' || c == u'?') {
            return fail(InputFault::Kind::NotAllowed, pos, QString(c));
        } else if (state_ == ScanState::Nothing || state_ == ScanState::AfterBracket) {
            state_ = ScanState::Literal;
        }
        return true;
    }

    void addLiteral(const QString &literal)
    {
        if (literal.contains(u'.')) {
            result_.flags_.set(TemplateHasDot);
        }
        result_.tokens_.push_back({-1, TemplateToken::Literal, withFolderSeparators(literal), {}});
    }

    bool addElement(const QString &content)
    {
        const std::optional<TemplateToken> token = element(content);
        if (token) {
            result_.tokens_.push_back(*token);
        }
        return token.has_value();
    }

    std::optional<TemplateToken> element(const QString &content)
    {
        if (content.isEmpty()) {
            return std::nullopt;
        }
        const QChar first = content.front().toLower();
        TemplateToken token;
        QString rest = content.mid(1);
        if (first.isDigit()) {
            token.kind = TemplateToken::Name;
            rest = content;
        } else if (first == u'n') {
            token.kind = TemplateToken::Name;
        } else if (first == u'e') {
            token.kind = TemplateToken::Extension;
            result_.flags_.set(TemplateUsesExtension);
        } else if (first == u'c') {
            token.kind = TemplateToken::Counter;
        } else if (first == u'd') {
            token.kind = TemplateToken::Date;
            token.text = withFolderSeparators(rest);
        } else if (first == u'a') {
            token.kind = TemplateToken::CaptureDate;
            token.text = withFolderSeparators(rest);
        } else if (first == u'p') {
            return TemplateToken{pictureArg(content), TemplateToken::Picture, {}, {}};
        } else if (first == u'm') {
            return audioTagElement(content);
        } else {
            return std::nullopt;
        }
        token.arg = leadingGroupNumber(rest);
        if (token.kind == TemplateToken::Name || token.kind == TemplateToken::Extension) {
            makeConditional(token, rest);
        }
        return token;
    }

    // "<n1=a:b>": group 1, compared with "a", giving "b".
    static void makeConditional(TemplateToken &token, const QString &content)
    {
        const qsizetype colon = content.indexOf(u':');
        if (colon < 0) {
            return;
        }
        token.text = withFolderSeparators(content.mid(colon + 1));
        // The compared value stays as typed: it is compared with the text of
        // a name, where a backslash is a character.
        token.kind = token.kind == TemplateToken::Name ? TemplateToken::NameCondition
                                                       : TemplateToken::ExtensionCondition;
        const QStringView head = QStringView(content).left(colon);
        const qsizetype equals = head.indexOf(u'=');
        token.cond = equals < 0 ? QString() : head.mid(equals + 1).toString();
    }

    TargetTemplate &result_;
    ScanState state_ = ScanState::Nothing;
    qsizetype start_ = 0;
    std::optional<InputFault> fault_;
};

TargetTemplate TargetTemplate::parse(const QString &fieldText)
{
    const NormalText normal = normalizedWithOrigins(fieldText);
    const QString &text = normal.text;
    TargetTemplate result;
    std::optional<InputFault> fault;
    if (text.count(u'<') != text.count(u'>')) {
        result.error_ = true;
        // The scanner finds most such faults where they are; a lone ">" in
        // front is all it lets pass.
        TargetTemplate scratch;
        Parser probe(scratch);
        probe.scan(text);
        fault = probe.fault() ? probe.fault() : firstUnpairedBracket(text);
    } else {
        Parser parser(result);
        result.error_ = !parser.scan(text);
        fault = parser.fault();
    }
    if (result.error_ && fault) {
        fault->at = normal.origins[static_cast<std::size_t>(fault->at)];
        result.faultLine_ = faultLine(fieldText, *fault);
    }
    return result;
}

bool TargetTemplate::uses(TemplateToken::Kind kind) const
{
    return std::any_of(tokens_.begin(), tokens_.end(),
                       [kind](const TemplateToken &token) { return token.kind == kind; });
}

FieldIndicator TargetTemplate::indicator() const
{
    if (error_) {
        QString tooltip = QStringLiteral("Ungültiges Zeichen oder Token-Fehler.");
        if (!faultLine_.isEmpty()) {
            tooltip += u'\n' + faultLine_;
        }
        return {FieldIndicator::State::Error, tooltip};
    }
    if (!flags_.has(TemplateHasDot) || !flags_.has(TemplateUsesExtension)) {
        return {FieldIndicator::State::Warning,
                QStringLiteral("Definition der Dateierweiterung möglicherweise unvollständig.")};
    }
    return {};
}

} // namespace namenswerk
