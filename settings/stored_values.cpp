#include "settings/stored_values.h"

#include <algorithm>
#include <limits>

namespace namenswerk {

// Only ASCII digits count: other scripts' digits never appear in a number this program wrote.
int asciiDigitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int value = -1;
    if (u >= u'0' && u <= u'9') {
        value = u - u'0';
    } else if (u >= u'a' && u <= u'z') {
        value = u - u'a' + 10;
    } else if (u >= u'A' && u <= u'Z') {
        value = u - u'A' + 10;
    }
    return value < base ? value : -1;
}

QString unquote(const QString &text)
{
    if (text.size() > 1 && text.startsWith(u'"') && text.endsWith(u'"')) {
        return text.sliced(1, text.size() - 2);
    }
    return text;
}

QString quoted(const QString &text)
{
    return u'"' + text + u'"';
}

int leadingNumber(QStringView text)
{
    qsizetype pos = 0;
    while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t')) {
        ++pos;
    }
    const bool negative = pos < text.size() && text[pos] == u'-';
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
        ++pos;
    }
    // One past the int range in either direction, so that clamping needs no overflow.
    constexpr std::int64_t limit = std::int64_t(std::numeric_limits<int>::max()) + 1;
    std::int64_t value = 0;
    for (int digit = 0; pos < text.size() && (digit = asciiDigitValue(text[pos], 10)) >= 0; ++pos) {
        value = std::min(limit, value * 10 + digit);
    }
    return int(std::clamp<std::int64_t>(negative ? -value : value, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

std::uint32_t leadingColor(QStringView text)
{
    std::uint32_t value = 0;
    for (qsizetype pos = 0, digit = 0;
         pos < text.size() && (digit = asciiDigitValue(text[pos], 16)) >= 0; ++pos) {
        value = (value << 4) | std::uint32_t(digit);
    }
    // Colours have 24 bits; longer digit runs keep their last six digits.
    return value & 0xFFFFFF;
}

QString colorText(std::uint32_t color)
{
    return QString::number(color, 16).toUpper();
}

QString GroupReader::raw(const QString &key, const QString &fallback) const
{
    return document_.value(group_, key, fallback);
}

int GroupReader::number(const QString &key, int fallback) const
{
    return document_.contains(group_, key) ? leadingNumber(raw(key)) : fallback;
}

bool GroupReader::bit(const QString &key, bool fallback) const
{
    return (number(key, fallback ? 1 : 0) & 1) != 0;
}

std::uint32_t GroupReader::color(const QString &key, std::uint32_t fallback) const
{
    const QString value = raw(key);
    return value.isEmpty() ? fallback : leadingColor(value);
}

} // namespace namenswerk
