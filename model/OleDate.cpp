// SPDX-License-Identifier: GPL-3.0-or-later
#include "OleDate.h"

#include <chrono>

namespace oledate {
namespace {

// Days from 1899-12-30 to the civil date (proleptic Gregorian).
double dayNumber(int year, unsigned month, unsigned day) {
    using namespace std::chrono;
    const sys_days date = year_month_day{std::chrono::year{year}, std::chrono::month{month}, std::chrono::day{day}};
    const sys_days epoch = year_month_day{std::chrono::year{1899}, December, std::chrono::day{30}};
    return static_cast<double>((date - epoch).count());
}

std::tm localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

} // namespace

OleDate fromLocalTime(const std::tm& local) {
    OleDate date;
    date.status = OleDate::Valid;
    const double days =
        dayNumber(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1), static_cast<unsigned>(local.tm_mday));
    const double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
    // Before the epoch the fraction counts away from zero, as the date format has it.
    date.value = days >= 0 ? days + seconds / 86400.0 : days - seconds / 86400.0;
    return date;
}

OleDate now() {
    return fromLocalTime(localNow());
}

OleDate todayPlusDays(int days) {
    std::tm local = localNow();
    local.tm_hour = local.tm_min = local.tm_sec = 0;
    OleDate date = fromLocalTime(local);
    date.value += days;
    return date;
}

} // namespace oledate
