// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/DateFormat.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

constexpr long long kDayZeroFromUnixEpoch = -25569; // 1899-12-30

OleDate day(double value) {
    OleDate date;
    date.value = value;
    return date;
}

} // namespace

// Every day of three centuries, and so every month end and leap day, against the C library's calendar.
TEST(DateFormat, EveryDayFrom1900To2199MatchesTheCLibrarysCalendar) {
    for (long long ole = 2; ole < 109575 + 36525; ++ole) {
        const std::time_t seconds = static_cast<std::time_t>((ole + kDayZeroFromUnixEpoch) * 86400);
        std::tm expected{};
        ASSERT_NE(gmtime_r(&seconds, &expected), nullptr);
        const auto calendar = calendarDateOf(day(static_cast<double>(ole) + 0.75));
        ASSERT_TRUE(calendar.has_value()) << ole;
        ASSERT_EQ(calendar->year, expected.tm_year + 1900) << ole;
        ASSERT_EQ(calendar->month, expected.tm_mon + 1) << ole;
        ASSERT_EQ(calendar->day, expected.tm_mday) << ole;
        ASSERT_EQ(calendar->weekday, expected.tm_wday) << ole;
    }
}

TEST(DateFormat, TheCalendarRunsFromTheYear100ToTheYear9999) {
    EXPECT_EQ(formatDateInCLocale(day(-657434.0), DateStyle::Long), "Friday, January 01, 100");
    EXPECT_EQ(formatDateInCLocale(day(2958465.99), DateStyle::Long), "Friday, December 31, 9999");
    for (const double outside : {-657434.01, 2958466.0}) {
        EXPECT_FALSE(calendarDateOf(day(outside)).has_value()) << outside;
    }
}
