// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Archive.h"

#include <ctime>

// Conversions between the files' dates (days since 1899-12-30) and the calendar.
namespace oledate {

inline constexpr double kUnixEpoch = 25569.0; // 1970-01-01 as a day number

// Local calendar time as a date; the fraction is the time of day.
OleDate fromLocalTime(const std::tm& local);
OleDate now();
// The local date with the time of day cleared, plus whole days.
OleDate todayPlusDays(int days);

} // namespace oledate
