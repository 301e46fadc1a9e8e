// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Archive.h"

#include <functional>
#include <optional>
#include <string>

// The two date forms the pages and dialogs show. The desktop programs format them in the user's
// locale; the command-line tool and the tests use the C locale's forms below.
enum class DateStyle {
    Long, // e.g. "Tuesday, March 14, 1995"
    Short // e.g. "03/14/95"
};

using DateFormatter = std::function<std::string(const OleDate& date, DateStyle style)>;

struct CalendarDate {
    int year = 0;
    int month = 0;   // 1..12
    int day = 0;     // 1..31
    int weekday = 0; // 0 Sunday .. 6 Saturday
};

// The calendar day of a stored date (its time of day ignored), or nothing for a null, invalid or
// unrepresentable date (outside the years 100 to 9999).
std::optional<CalendarDate> calendarDateOf(const OleDate& date);

// The C locale's forms: "Tuesday, March 14, 1995" and "03/14/95"; empty for a date without a day.
std::string formatDateInCLocale(const OleDate& date, DateStyle style);
