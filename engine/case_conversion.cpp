#include "engine/case_conversion.h"

#include "platform/case_tables.h"

#include <span>

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

using platform::CaseTables;
using Units = std::span<QChar>;

void lowerAll(Units units, const CaseTables &tables)
{
    for (QChar &unit : units) {
        unit = QChar(tables.lower(unit.unicode()));
    }
}

void upperAll(Units units, const CaseTables &tables)
{
    for (QChar &unit : units) {
        unit = QChar(tables.upper(unit.unicode()));
    }
}

void firstCharUpper(Units units, bool upper, const CaseTables &tables)
{
    upperAll(units.first(1), tables);
    if (upper) {
        lowerAll(units.subspan(1), tables);
    }
}

// Capitalises the first letter of the text, or of every word when everyWord
// is set; anything that is not a letter starts a new word.
void capitaliseLetters(Units units, bool upper, bool everyWord, const CaseTables &tables)
{
    bool capitalise = true;
    for (QChar &unit : units) {
        const char16_t code = unit.unicode();
        if (!tables.isLetter(code)) {
            capitalise = capitalise || everyWord;
            continue;
        }
        if (capitalise) {
            unit = QChar(tables.upper(tables.lower(code)));
        } else if (upper) {
            unit = QChar(tables.lower(code));
        }
        capitalise = false;
    }
}

bool changesText(int mode)
{
    return mode > static_cast<int>(CaseMode::Unchanged) && mode < CaseModeCount;
}

void convertInPlace(QString &text, int mode, bool upper)
{
    if (text.isEmpty() || !changesText(mode)) {
        return;
    }
    const CaseTables &tables = platform::caseTables();
    const Units units(text.data(), static_cast<std::size_t>(text.size()));
    switch (static_cast<CaseMode>(mode)) {
    case CaseMode::AllLower:
        return lowerAll(units, tables);
    case CaseMode::FirstCharUpper:
        return firstCharUpper(units, upper, tables);
    case CaseMode::FirstLetterUpper:
        return capitaliseLetters(units, upper, false, tables);
    case CaseMode::WordStartsUpper:
        return capitaliseLetters(units, upper, true, tables);
    case CaseMode::AllUpper:
        return upperAll(units, tables);
    case CaseMode::Unchanged:
        return;
    }
}

} // namespace

QString convertCase(QStringView text, int mode, bool upper)
{
    QString result = text.toString();
    convertInPlace(result, mode, upper);
    return result;
}

void applyCaseModes(QString &name, QString &extension, int filenameCase, int fileextCase,
                    bool upper)
{
    convertInPlace(name, filenameCase, upper);
    convertInPlace(extension, fileextCase, upper);
}

QString caseModeText(int mode, bool upper)
{
    switch (static_cast<CaseMode>(mode)) {
    case CaseMode::Unchanged:
        return u"Unverändert"_s;
    case CaseMode::AllLower:
        return u"Alles klein"_s;
    case CaseMode::FirstCharUpper:
        return upper ? u"Nur erstes Zeichen groß"_s : u"Erstes Zeichen groß"_s;
    case CaseMode::FirstLetterUpper:
        return upper ? u"Nur ersten Buchstaben groß"_s : u"Ersten Buchstaben groß"_s;
    case CaseMode::WordStartsUpper:
        return upper ? u"Nur Wortanfänge groß"_s : u"Wortanfänge groß"_s;
    case CaseMode::AllUpper:
        return u"Alles groß"_s;
    }
    return {};
}

} // namespace namenswerk
