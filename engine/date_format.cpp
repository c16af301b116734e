#include "engine/date_format.h"

#include "engine/civil_time.h"
#include "engine/mask_fields.h"

using namespace Qt::StringLiterals;

namespace namenswerk {

namespace {

QString padded(int value, int width)
{
    return QString::number(value).rightJustified(width, u'0');
}

QString twoDigits(int value)
{
    return padded(value, 2);
}

// A locale that knows no name for a field shows the field's own picture, so
// the user sees what went missing instead of an empty gap.
QString nameOr(const QString &name, const QString &picture)
{
    return name.isEmpty() ? picture : name;
}

// Abbreviations are stored without their full stop; the "%MMM." field adds
// one itself where the name really was shortened.
QString withoutFullStop(QString name)
{
    if (name.endsWith(u'.')) {
        name.chop(1);
    }
    return name;
}

// The names are asked for as the bare words, as on a calendar sheet ("März",
// not an inflected form that only reads right next to a day number).
QString fullMonthName(const QLocale &locale, int month)
{
    return nameOr(locale.standaloneMonthName(month, QLocale::LongFormat), u"MMMM"_s);
}

QString shortMonthName(const QLocale &locale, int month)
{
    return nameOr(withoutFullStop(locale.standaloneMonthName(month, QLocale::ShortFormat)),
                  u"MMM"_s);
}

QString fullDayName(const QLocale &locale, int weekday)
{
    return nameOr(locale.standaloneDayName(weekday, QLocale::LongFormat), u"dddd"_s);
}

QString shortDayName(const QLocale &locale, int weekday)
{
    return nameOr(withoutFullStop(locale.standaloneDayName(weekday, QLocale::ShortFormat)),
                  u"ddd"_s);
}

void applyGeneralFields(MaskFields &text, const CivilTime &civil)
{
    text.replace("%YYYY", [&] { return padded(civil.year, 4); });
    text.replace("%YY", [&] { return twoDigits(civil.year % 100); });
    text.replace("%MM", [&] { return twoDigits(civil.month); });
    text.replace("%DD", [&] { return twoDigits(civil.day); });
    text.replace("%HH", [&] { return twoDigits(civil.hour); });
    text.replace("%II", [&] { return twoDigits(civil.minute); });
    text.replace("%SS", [&] { return twoDigits(civil.second); });
}

void applyWeekFields(MaskFields &text, std::int64_t date)
{
    int week = 0;
    const auto weekNumber = [&] {
        if (week == 0) {
            week = isoWeek(date);
        }
        return week;
    };
    text.replace("%WW", [&] { return twoDigits(weekNumber()); });
    text.replace("%W", [&] { return QString::number(weekNumber()); });
}

void applyMonthFields(MaskFields &text, const CivilTime &civil, const QLocale &locale)
{
    // All name fields begin with "%MMM"; the numeric ones need no locale.
    if (text.contains("%MMM")) {
        const QString fullName = fullMonthName(locale, civil.month);
        const QString shortName = shortMonthName(locale, civil.month);
        const bool longMonth = fullName.size() > 3;
        text.replace("%MMMM", [&]() -> const QString & { return fullName; });
        text.replace("%MMM.", [&] { return longMonth ? shortName + u'.' : shortName; });
        text.replace("%MMM", [&]() -> const QString & { return shortName; });
    }
    text.replace("%MM", [&] { return twoDigits(civil.month); });
    text.replace("%M", [&] { return QString::number(civil.month); });
}

void applyDayFields(MaskFields &text, const CivilTime &civil, const QLocale &locale)
{
    text.replace("%DDDD", [&] { return fullDayName(locale, civil.weekday); });
    text.replace("%DDD", [&] { return shortDayName(locale, civil.weekday); });
    text.replace("%DD", [&] { return twoDigits(civil.day); });
    text.replace("%D", [&] { return QString::number(civil.day); });
}

void applyTimeFields(MaskFields &text, const CivilTime &civil)
{
    text.replace("%H", [&] { return QString::number(civil.hour); });
    text.replace("%I", [&] { return QString::number(civil.minute); });
    text.replace("%S", [&] { return QString::number(civil.second); });
}

} // namespace

QString formatDateMask(const QString &mask, std::int64_t date, const QLocale &locale)
{
    // Every field starts with "%", and no replacement brings one in.
    if (!mask.contains(u'%')) {
        return mask;
    }
    const CivilTime civil = splitDate(date);
    MaskFields text(mask);
    applyWeekFields(text, date);
    applyMonthFields(text, civil, locale);
    applyDayFields(text, civil, locale);
    applyGeneralFields(text, civil);
    applyTimeFields(text, civil);
    return text.take();
}

QString formatGeneralDate(const QString &mask, std::int64_t date)
{
    if (!mask.contains(u'%')) {
        return mask;
    }
    MaskFields text(mask);
    applyGeneralFields(text, splitDate(date));
    return text.take();
}

QString listDateText(std::int64_t date)
{
    if (date == 0) {
        return u"✕"_s;
    }
    return formatGeneralDate(u"%dd.%mm.%yyyy %hh:%ii"_s, date);
}

} // namespace namenswerk
