// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/DateFormat.h"

#include <QString>

#include <optional>

// Dates in the long and short forms of the user's locale, as the desktop shows them.
std::string formatDateInUserLocale(const OleDate& date, DateStyle style);

// A date as a one-line box holds it for editing: the locale's short form with a four-digit year,
// followed by the time of day when there is one. Empty for a date without a day.
QString editableDate(const OleDate& date);
// What the user typed in such a box: the editable form, the locale's short or long form, or an ISO
// date (yyyy-MM-dd), each with or without a time. Nothing when the text is no date.
std::optional<OleDate> parseDateInUserLocale(const QString& text);
