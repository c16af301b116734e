#include "engine/mask_fields.h"

namespace namenswerk {

namespace {

char16_t asciiUpper(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - (u'a' - u'A')) : c;
}

std::uint32_t letterBit(char16_t upper)
{
    return (upper >= u'A' && upper <= u'Z') ? std::uint32_t(1) << (upper - u'A') : 0;
}

bool fieldAt(QStringView text, qsizetype pos, std::string_view field)
{
    if (text.size() - pos < qsizetype(field.size())) {
        return false;
    }
    for (const char wanted : field) {
        if (asciiUpper(text[pos++].unicode()) != char16_t(wanted)) {
            return false;
        }
    }
    return true;
}

} // namespace

MaskFields::MaskFields(QString mask) : text_(std::move(mask))
{
    noteFieldLetters();
}

bool MaskFields::contains(std::string_view field) const
{
    return field.size() >= 2 && (fieldLetters_ & letterBit(char16_t(field[1]))) != 0 &&
           find(field, 0) >= 0;
}

qsizetype MaskFields::find(std::string_view field, qsizetype from) const
{
    // Masks are short; a plain walk beats setting up a vectorised search.
    const QStringView text(text_);
    for (qsizetype pos = from; pos < text.size(); ++pos) {
        if (text[pos] == u'%' && fieldAt(text, pos, field)) {
            return pos;
        }
    }
    return -1;
}

void MaskFields::replaceWith(std::string_view field, const QString &replacement)
{
    QString result;
    result.reserve(text_.size() + replacement.size());
    qsizetype copied = 0;
    for (qsizetype pos = find(field, 0); pos >= 0; pos = find(field, copied)) {
        result += QStringView(text_).sliced(copied, pos - copied);
        result += replacement;
        copied = pos + qsizetype(field.size());
    }
    result += QStringView(text_).sliced(copied);
    text_ = std::move(result);
    noteFieldLetters();
}

void MaskFields::noteFieldLetters()
{
    const QStringView text(text_);
    fieldLetters_ = 0;
    for (qsizetype pos = 0; pos + 1 < text.size(); ++pos) {
        if (text[pos] == u'%') {
            fieldLetters_ |= letterBit(asciiUpper(text[pos + 1].unicode()));
        }
    }
}

} // namespace namenswerk
