// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/DateFormat.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace {

// Day numbers of the years 100-01-01 and 9999-12-31; beyond them no calendar date is defined.
constexpr double kFirstDay = -657434.0;
constexpr double kLastDay = 2958465.0;
// 1899-12-30 counted in days from 1970-01-01.
constexpr long long kDayZeroFromUnixEpoch = -25569;

// Civil date of a day count from 1970-01-01 (proleptic Gregorian calendar).
CalendarDate civilFromDays(long long days) {
    const long long z = days + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long dayOfEra = z - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    CalendarDate date;
    date.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    date.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
    // 1970-01-01 was a Thursday.
    date.weekday = static_cast<int>(((days % 7) + 7 + 4) % 7);
    return date;
}

constexpr std::array<const char*, 7> kWeekdays{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                               "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonths{"January", "February", "March",     "April",   "May",      "June",
                                              "July",    "August",   "September", "October", "November", "December"};

} // namespace

std::optional<CalendarDate> calendarDateOf(const OleDate& date) {
    if (date.status != OleDate::Valid || !std::isfinite(date.value) || date.value < kFirstDay ||
        date.value >= kLastDay + 1.0) {
        return std::nullopt;
    }
    // The whole part is the day, also before day 0, where the fraction still counts forward in time.
    const auto day = static_cast<long long>(std::trunc(date.value));
    return civilFromDays(day + kDayZeroFromUnixEpoch);
}

std::string formatDateInCLocale(const OleDate& date, DateStyle style) {
    const auto calendar = calendarDateOf(date);
    if (!calendar) {
        return {};
    }
    char text[64];
    if (style == DateStyle::Long) {
        std::snprintf(text, sizeof text, "%s, %s %02d, %d", kWeekdays[calendar->weekday], kMonths[calendar->month - 1],
                      calendar->day, calendar->year);
    } else {
        std::snprintf(text, sizeof text, "%02d/%02d/%02d", calendar->month, calendar->day, calendar->year % 100);
    }
    return text;
}
