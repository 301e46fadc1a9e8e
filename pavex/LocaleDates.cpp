#include "pavex/LocaleDates.h"

#include "ui/Cp1252Text.h"

#include <QDate>
#include <QLocale>

std::string formatDateInUserLocale(const OleDate& date, DateStyle style) {
    const auto day = calendarDateOf(date);
    if (!day) {
        return {};
    }
    const QDate calendarDay(day->year, day->month, day->day);
    const QLocale::FormatType form = style == DateStyle::Long ? QLocale::LongFormat : QLocale::ShortFormat;
    return ui::toCp1252(QLocale().toString(calendarDay, form));
}
