#include "platform/case_tables.h"

#include <QChar>

#include <algorithm>

namespace namenswerk::platform {

namespace {

// A form that would need a surrogate pair cannot stand in for one unit.
char16_t withinOneUnit(char32_t mapped, char16_t original)
{
    return mapped <= 0xFFFF ? static_cast<char16_t>(mapped) : original;
}

template <typename Map> QString mapPerUnit(QStringView text, Map map)
{
    QString result(text.size(), Qt::Uninitialized);
    std::transform(text.begin(), text.end(), result.begin(),
                   [&map](QChar unit) { return QChar(map(unit.unicode())); });
    return result;
}

} // namespace

CaseTables::CaseTables()
{
    for (std::size_t unit = 0; unit < upper_.size(); ++unit) {
        const auto code = static_cast<char16_t>(unit);
        upper_[unit] = withinOneUnit(QChar::toUpper(char32_t{code}), code);
        lower_[unit] = withinOneUnit(QChar::toLower(char32_t{code}), code);
    }
}

const CaseTables &caseTables()
{
    static const CaseTables tables;
    return tables;
}

QString toUpperPerUnit(QStringView text)
{
    const CaseTables &tables = caseTables();
    return mapPerUnit(text, [&tables](char16_t unit) { return tables.upper(unit); });
}

QString toLowerPerUnit(QStringView text)
{
    const CaseTables &tables = caseTables();
    return mapPerUnit(text, [&tables](char16_t unit) { return tables.lower(unit); });
}

} // namespace namenswerk::platform
