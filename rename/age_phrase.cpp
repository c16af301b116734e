#include "rename/age_phrase.h"

#include "engine/civil_time.h"

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

constexpr std::int64_t SecondsPerDay = 86'400;

std::int64_t dayNumber(std::int64_t seconds)
{
    return seconds / SecondsPerDay - (seconds % SecondsPerDay < 0 ? 1 : 0);
}

QString countOf(std::int64_t count, const QString &unit)
{
    QString phrase = u"vor "_s % QString::number(count) % u' ' % unit;
    if (count != 1) {
        phrase += u'n';
    }
    return phrase;
}

} // namespace

QString agePhrase(std::int64_t then, std::int64_t now)
{
    const std::int64_t age = now - then;
    if (age >= 0 && age <= 59) {
        return u"soeben"_s;
    }
    if (age >= 60 && age <= 899) {
        return countOf(age / 60, u"Minute"_s);
    }
    if (age >= 900 && age <= 3599) {
        return countOf(age / 300 * 5, u"Minute"_s);
    }
    if (age >= 3600 && age <= 86'399) {
        return countOf(age / 3600, u"Stunde"_s);
    }
    switch (dayNumber(now) - dayNumber(then)) {
    case 1:
        return u"gestern"_s;
    case 2:
        return u"vorgestern"_s;
    default: {
        const CivilTime date = splitDate(clampDate(then));
        return u"am "_s % QString::number(date.day) % u". "_s % QString::number(date.month) % u'.';
    }
    }
}

} // namespace namenswerk
