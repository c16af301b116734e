#include "engine/civil_time.h"

#include <algorithm>
#include <chrono>

namespace namenswerk {

namespace {

using namespace std::chrono;

constexpr std::int64_t SecondsPerDay = 86400;

// Integer division and remainder that round towards minus infinity, so days
// before 1970 start at their midnight and weekdays stay in 0..6.
constexpr std::int64_t floorDiv(std::int64_t value, std::int64_t divisor)
{
    const std::int64_t quotient = value / divisor;
    return (value % divisor < 0) ? quotient - 1 : quotient;
}

constexpr std::int64_t floorMod(std::int64_t value, std::int64_t divisor)
{
    return value - floorDiv(value, divisor) * divisor;
}

constexpr std::int64_t dayNumber(year_month_day date)
{
    return sys_days{date}.time_since_epoch().count();
}

constexpr std::int64_t EarliestDate = dayNumber(year{0} / January / 1) * SecondsPerDay;
constexpr std::int64_t LatestDate = (dayNumber(year{9999} / December / 31) + 1) * SecondsPerDay - 1;

year_month_day dateOfDay(std::int64_t dayNo)
{
    return year_month_day{sys_days{days{dayNo}}};
}

} // namespace

std::int64_t clampDate(std::int64_t date)
{
    return std::clamp(date, EarliestDate, LatestDate);
}

CivilTime splitDate(std::int64_t date)
{
    date = clampDate(date);
    const std::int64_t dayNo = floorDiv(date, SecondsPerDay);
    const std::int64_t secondOfDay = date - dayNo * SecondsPerDay;
    const year_month_day ymd = dateOfDay(dayNo);

    CivilTime civil;
    civil.year = int(ymd.year());
    civil.month = int(unsigned(ymd.month()));
    civil.day = int(unsigned(ymd.day()));
    civil.hour = int(secondOfDay / 3600);
    civil.minute = int(secondOfDay / 60 % 60);
    civil.second = int(secondOfDay % 60);
    // Day 0 (1970-01-01) was a Thursday.
    civil.weekday = int(floorMod(dayNo + 3, 7)) + 1;
    return civil;
}

int isoWeek(std::int64_t date)
{
    date = clampDate(date);
    // d counts days so that d mod 7 is 0 on a Monday; d - r, read as a day
    // number since 1970, is the Thursday of the date's week.
    const std::int64_t d = floorDiv(date, SecondsPerDay) + 3;
    const std::int64_t r = floorMod(d, 7);
    const year thursdayYear = dateOfDay(d - r).year();
    const std::int64_t j = dayNumber(thursdayYear / January / day(unsigned(r + 5))) * SecondsPerDay;
    return int((d - (j / SecondsPerDay - 11)) / 7);
}

} // namespace namenswerk
