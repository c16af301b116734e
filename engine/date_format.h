#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>

namespace namenswerk {

// Expands the date fields a user writes into a date token of the target
// template: ISO week (%WW, %W), month (%MMMM, %MMM., %MMM, %MM, %M), weekday
// (%DDDD, %DDD), day (%DD, %D), the general fields of formatGeneralDate and
// hour, minute and second without leading zero (%H, %I, %S). Field names
// ignore case and are replaced in exactly that order, so "%mm" is the month.
// Names come from the given locale.
QString formatDateMask(const QString &mask, std::int64_t date,
                       const QLocale &locale = QLocale::system());

// Expands %yyyy, %yy, %mm, %dd, %hh, %ii and %ss (ignoring case) into the
// year, the year within its century, month, day, hour, minute and second.
QString formatGeneralDate(const QString &mask, std::int64_t date);

// The text of the date column: "✕" for a missing date.
QString listDateText(std::int64_t date);

} // namespace namenswerk
