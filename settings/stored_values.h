#pragma once

#include "settings/ini_document.h"

#include <QString>
#include <QStringView>

#include <cstdint>

namespace namenswerk {

// The text without its enclosing double quotes: only when it has more than one
// character and both starts and ends with one; otherwise the text unchanged.
QString unquote(const QString &text);
// The text enclosed in double quotes, as input texts are stored.
QString quoted(const QString &text);

// The decimal number at the start of a text (blanks and a sign may lead it),
// clamped to the int range; 0 when the text does not start with a number.
int leadingNumber(QStringView text);

// The value of an ASCII digit or letter in a base up to 36; -1 when it is none.
int asciiDigitValue(QChar c, int base);
// The hexadecimal digits at the start of a text as a 24-bit colour; 0 when the
// text does not start with one.
std::uint32_t leadingColor(QStringView text);
// A colour as upper-case hexadecimal digits without leading zeros or prefix.
QString colorText(std::uint32_t color);

// Reads one group's values in their stored encodings.
class GroupReader {
public:
    GroupReader(const IniDocument &document, QString group)
        : document_(document), group_(std::move(group))
    {
    }

    QString raw(const QString &key, const QString &fallback = {}) const;
    // An input text: unquoted; a missing key gives an empty text.
    QString text(const QString &key) const { return unquote(raw(key)); }
    // A key that is present reads as its leading number, even when that is 0;
    // only a missing key gives the fallback.
    int number(const QString &key, int fallback) const;
    // Bit 0 of the number.
    bool bit(const QString &key, bool fallback) const;
    // An empty or missing value gives the fallback.
    std::uint32_t color(const QString &key, std::uint32_t fallback) const;

private:
    const IniDocument &document_;
    QString group_;
};

// Writes one group's values in their stored encodings.
class GroupWriter {
public:
    GroupWriter(IniDocument &document, QString group)
        : document_(document), group_(std::move(group))
    {
    }

    void raw(const QString &key, const QString &value) { document_.setValue(group_, key, value); }
    void text(const QString &key, const QString &value) { raw(key, quoted(value)); }
    void number(const QString &key, std::int64_t value) { raw(key, QString::number(value)); }
    void flag(const QString &key, bool value) { number(key, value ? 1 : 0); }
    void color(const QString &key, std::uint32_t value) { raw(key, colorText(value)); }
    void remove(const QString &key) { document_.removeKey(group_, key); }

private:
    IniDocument &document_;
    QString group_;
};

} // namespace namenswerk
