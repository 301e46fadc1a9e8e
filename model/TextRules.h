// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The order of every sorted list in the suite: bytes compared with ASCII letters folded to lower
// case. Sort with std::stable_sort so that equal texts keep their original order.
bool foldedLess(std::string_view a, std::string_view b);

// For text placed in an HTML page, in its text or a quoted attribute: & < > " ' become entities.
std::string htmlEscaped(std::string_view text);

// File extensions compare without regard to case: endsWithIgnoringCase("A.KVQ", ".kvq").
bool endsWithIgnoringCase(std::string_view text, std::string_view ending);
