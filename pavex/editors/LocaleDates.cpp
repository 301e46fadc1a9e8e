// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/editors/LocaleDates.h"

#include "ui/Cp1252Text.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QStringList>

#include <cmath>

namespace {

const QDate kDayZero(1899, 12, 30);

// The short form with the century written out, so that a typed-back date cannot change century.
QString shortFormatWithCentury() {
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy"))) {
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    }
    return format;
}

OleDate toOleDate(const QDate& day, const QTime& time) {
    OleDate date;
    date.status = OleDate::Valid;
    const double days = static_cast<double>(kDayZero.daysTo(day));
    const double fraction = QTime(0, 0).secsTo(time) / 86400.0;
    // Before day zero the fraction counts away from zero, as the stored form has it.
    date.value = days >= 0 ? days + fraction : days - fraction;
    return date;
}

std::optional<QTime> timeOfDay(const OleDate& date) {
    const double whole = std::trunc(date.value);
    const int seconds = static_cast<int>(std::lround(std::fabs(date.value - whole) * 86400.0));
    if (seconds <= 0 || seconds >= 86400) {
        return std::nullopt;
    }
    return QTime(0, 0).addSecs(seconds);
}

} // namespace

std::string formatDateInUserLocale(const OleDate& date, DateStyle style) {
    const auto day = calendarDateOf(date);
    if (!day) {
        return {};
    }
    const QDate calendarDay(day->year, day->month, day->day);
    const QLocale::FormatType form = style == DateStyle::Long ? QLocale::LongFormat : QLocale::ShortFormat;
    return ui::toCp1252(QLocale().toString(calendarDay, form));
}

QString editableDate(const OleDate& date) {
    const auto day = calendarDateOf(date);
    if (!day) {
        return {};
    }
    const QLocale locale;
    QString text = locale.toString(QDate(day->year, day->month, day->day), shortFormatWithCentury());
    if (const auto time = timeOfDay(date)) {
        text += QLatin1Char(' ') + locale.toString(*time, QLocale::ShortFormat);
    }
    return text;
}

std::optional<OleDate> parseDateInUserLocale(const QString& typed) {
    const QString text = typed.simplified();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    const QLocale locale;
    const QStringList dateFormats = {shortFormatWithCentury(), locale.dateFormat(QLocale::ShortFormat),
                                     locale.dateFormat(QLocale::LongFormat), QStringLiteral("yyyy-MM-dd")};
    const QStringList timeFormats = {locale.timeFormat(QLocale::ShortFormat), locale.timeFormat(QLocale::LongFormat),
                                     QStringLiteral("HH:mm"), QStringLiteral("HH:mm:ss")};
    for (const QString& dateFormat : dateFormats) {
        const QDate day = locale.toDate(text, dateFormat);
        if (day.isValid()) {
            return toOleDate(day, QTime(0, 0));
        }
        for (const QString& timeFormat : timeFormats) {
            const QDateTime moment = locale.toDateTime(text, dateFormat + QLatin1Char(' ') + timeFormat);
            if (moment.isValid()) {
                return toOleDate(moment.date(), moment.time());
            }
        }
    }
    return std::nullopt;
}
