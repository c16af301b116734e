#pragma once

#include <QString>
#include <QStringView>

#include <array>

namespace namenswerk::platform {

// Upper- and lower-case form of every UTF-16 code unit, looked up instead of
// asking Qt for each character. Mapping one unit at a time keeps every string
// its length, so "ß" stays "ß" when upper-cased.
class CaseTables {
public:
    char16_t upper(char16_t unit) const { return upper_[unit]; }
    char16_t lower(char16_t unit) const { return lower_[unit]; }

    // A unit that has a distinct upper-case partner, or "ß", which has none
    // within one code unit but is a letter all the same.
    bool isLetter(char16_t unit) const
    {
        const char16_t small = lower(unit);
        return upper(small) != small || small == u'\u00DF';
    }

private:
    CaseTables(); // NOLINT(modernize-use-equals-delete): defined; only caseTables() makes one
    friend const CaseTables &caseTables();

    std::array<char16_t, 65536> upper_{};
    std::array<char16_t, 65536> lower_{};
};

// The tables, built on first use; safe to call from any thread.
const CaseTables &caseTables();

QString toUpperPerUnit(QStringView text);
QString toLowerPerUnit(QStringView text);

} // namespace namenswerk::platform
