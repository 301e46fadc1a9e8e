#pragma once

#include "analysis/DateFormat.h"

// Dates in the long and short forms of the user's locale, as the desktop shows them.
std::string formatDateInUserLocale(const OleDate& date, DateStyle style);
