#include "engine/date_format.h"
#include "tests/support/printers.h"

#include <QDate>
#include <QDateTime>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace namenswerk {
namespace {

// File dates are local wall-clock seconds, read as if they were UTC.
std::int64_t dateOf(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), QTimeZone::utc())
        .toSecsSinceEpoch();
}

const QLocale German(QLocale::German, QLocale::Germany);
const QLocale English(QLocale::English, QLocale::UnitedStates);

struct MaskCase {
    const char16_t *mask;
    std::int64_t date;
    const char *expected;
    const QLocale *locale = &German;
};

void PrintTo(const MaskCase &c, std::ostream *out)
{
    *out << QString::fromUtf16(c.mask).toStdString() << " @ " << c.date;
}

class DateMaskTest : public testing::TestWithParam<MaskCase> {};

TEST_P(DateMaskTest, ExpandsEveryField)
{
    const MaskCase &c = GetParam();
    EXPECT_EQ(formatDateMask(QString::fromUtf16(c.mask), c.date, *c.locale).toStdString(),
              c.expected);
}

const std::int64_t March7 = dateOf(2016, 3, 7, 14, 5, 9); // a Monday in week 10
const std::int64_t EarlyMarch7 = dateOf(2016, 3, 7, 4, 5, 9);
const std::int64_t May1 = dateOf(2016, 5, 1);
const std::int64_t June1 = dateOf(2016, 6, 1);

INSTANTIATE_TEST_SUITE_P(
    Fields, DateMaskTest,
    testing::ValuesIn(std::vector<MaskCase>{
        {u"%WW|%W", March7, "10|10"},
        {u"%WW|%W", dateOf(2016, 1, 4), "01|1"},
        {u"%MMMM", March7, "März"},
        {u"%MMM.", March7, "Mär."},
        {u"%MMM", March7, "Mär"},
        {u"%MM|%M", March7, "03|3"},
        {u"%MMMM|%MMM.|%MMM", May1, "Mai|Mai|Mai"},
        {u"%MMMM|%MMM.", June1, "Juni|Jun."},
        {u"%DDDD|%DDD", March7, "Montag|Mo"},
        {u"%DD|%D", March7, "07|7"},
        {u"%yyyy|%yy|%mm|%dd", March7, "2016|16|03|07"},
        {u"%hh:%ii:%ss|%H:%I:%S", EarlyMarch7, "04:05:09|4:5:9"},
        {u"%H:%I:%S", March7, "14:5:9"},
        {u"%yy", dateOf(2005, 1, 1), "05"},
        {u"%DDDD, %D. %MMMM %YYYY", March7, "Montag, 7. März 2016"},
        // Field names ignore case, so the lower-case "%mm" is already the month
        // of the numeric month field.
        {u"%DD.%MM.%YYYY|%dd.%mm.%yyyy", March7, "07.03.2016|07.03.2016"},
        {u"%ww|%mmmm|%mmm.|%dddd|%ddd|%h|%i|%s", March7, "10|März|Mär.|Montag|Mo|14|5|9"},
        // Fields are replaced one after another: the longest name first.
        {u"%MMMMM|%DDDDD", March7, "MärzM|MontagD"},
        {u"Foto %x 100% 50%%D", March7, "Foto %x 100% 50%7"},
        // Only ASCII letters spell a field; "ſ" merely folds to "s".
        {u"%ſ|%S", March7, "%ſ|9"},
        {u"ohne Feld", March7, "ohne Feld"},
        {u"", March7, ""},
        {u"%DDDD %DDD %MMMM %MMM. %MMM", March7, "Monday Mon March Mar. Mar", &English},
        {u"%MMM.|%MMM.", May1, "May|May", &English},
        {u"%MMM.", June1, "Jun.", &English},
        {u"%MMM.", dateOf(2016, 9, 1), "Sep."},
        // Past the end of signed 32-bit seconds.
        {u"%yyyy-%mm-%dd %hh:%ii:%ss %DDDD %W", dateOf(2040, 2, 29, 23, 59, 58),
         "2040-02-29 23:59:58 Mittwoch 9"},
        {u"%yyyy-%mm-%dd %DDDD", dateOf(2200, 1, 1), "2200-01-01 Mittwoch"},
        // A missing file has date 0.
        {u"%dd.%mm.%yyyy %hh:%ii:%ss %DDDD %W", 0, "01.01.1970 00:00:00 Donnerstag 1"},
        {u"%dd.%mm.%yyyy %hh:%ii:%ss %DDDD %W", -1, "31.12.1969 23:59:59 Mittwoch 1"},
        {u"%dd.%mm.%yyyy %hh:%ii:%ss", dateOf(1901, 12, 13, 20, 45, 52), "13.12.1901 20:45:52"},
        // Absurd time stamps are held at the years 0 and 9999.
        {u"%yyyy-%mm-%dd %hh:%ii:%ss", std::numeric_limits<std::int64_t>::max(),
         "9999-12-31 23:59:59"},
        {u"%yyyy-%mm-%dd %hh:%ii:%ss|%yy", std::numeric_limits<std::int64_t>::min(),
         "0000-01-01 00:00:00|00"},
    }));

struct WeekCase {
    int year, month, day;
    int week;
};

class IsoWeekTest : public testing::TestWithParam<WeekCase> {};

TEST_P(IsoWeekTest, DaysAroundNewYearBelongToTheWeekOfTheirThursday)
{
    const WeekCase &c = GetParam();
    for (const std::int64_t date :
         {dateOf(c.year, c.month, c.day), dateOf(c.year, c.month, c.day, 23, 59, 59)}) {
        EXPECT_EQ(formatDateMask(u"%W"_s, date, German), QString::number(c.week));
    }
}

INSTANTIATE_TEST_SUITE_P(YearBoundaries, IsoWeekTest,
                         testing::ValuesIn(std::vector<WeekCase>{
                             {2016, 1, 1, 53},
                             {2016, 1, 3, 53},
                             {2016, 1, 4, 1},
                             {2015, 12, 28, 53},
                             {2018, 12, 31, 1},
                             {2020, 12, 31, 53},
                             {2021, 1, 3, 53},
                             {2021, 1, 4, 1},
                             {2024, 12, 29, 52},
                             {2024, 12, 30, 1},
                             {2026, 12, 31, 53},
                             {2027, 1, 1, 53},
                             {1969, 12, 29, 1},
                             {1969, 12, 28, 52},
                             {2040, 12, 31, 1},
                         }));

TEST(IsoWeek, AgreesWithTheCalendarOnEveryDayOfACentury)
{
    for (QDate day(1950, 1, 1); day.year() < 2060; day = day.addDays(1)) {
        const std::int64_t noon = dateOf(day.year(), day.month(), day.day(), 12);
        ASSERT_EQ(formatDateMask(u"%W"_s, noon, German), QString::number(day.weekNumber()))
            << day.toString(Qt::ISODate).toStdString();
    }
}

TEST(GeneralDate, ExpandsOnlyItsOwnFieldsIgnoringCase)
{
    const std::int64_t date = dateOf(2016, 3, 7, 4, 5, 9);
    EXPECT_EQ(formatGeneralDate(u"%YYYY/%Yy/%Mm/%dD %HH:%iI:%sS"_s, date),
              u"2016/16/03/07 04:05:09"_s);
    EXPECT_EQ(formatGeneralDate(u"%W %H %D"_s, date), u"%W %H %D"_s);
}

TEST(ListDate, ShowsDayAndMinuteOrAMarkForNoDate)
{
    EXPECT_EQ(listDateText(0), u"✕"_s);
    EXPECT_EQ(listDateText(dateOf(2016, 3, 7, 14, 5, 9)), u"07.03.2016 14:05"_s);
    EXPECT_EQ(listDateText(dateOf(2040, 2, 29, 8, 1)), u"29.02.2040 08:01"_s);
    EXPECT_EQ(listDateText(-60), u"31.12.1969 23:59"_s);
}

} // namespace
} // namespace namenswerk
