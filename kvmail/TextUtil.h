// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Space, tab, CR, LF, vertical tab and form feed: what trimming removes from mail texts.
inline bool isMailWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string trimmedMailText(std::string_view text);

// True when the text holds CR, LF or NUL, any of which would end or split a header line or a
// command line.
bool breaksHeaderLine(std::string_view text);

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);
