#pragma once

#include <cstdint>

namespace namenswerk {

// A file date broken into its calendar fields. File dates are local seconds
// since 1970 that are read as if they were UTC: no time-zone step anywhere.
struct CivilTime {
    int year = 1970;
    int month = 1; // 1 = January
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 4; // 1 = Monday ... 7 = Sunday
};

// Dates outside the years 0 to 9999 are held at those limits, so that a
// nonsensical time stamp on disk still gives a well-formed date.
std::int64_t clampDate(std::int64_t date);

CivilTime splitDate(std::int64_t date);

// ISO 8601 week number (1 to 53) of the date: the days around New Year belong
// to the week of their Thursday.
int isoWeek(std::int64_t date);

} // namespace namenswerk
