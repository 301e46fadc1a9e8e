// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Texts that come into a role from outside in Unicode (a pasted table, a CSV file saved as UTF-8),
// taken line by line so that the person can be told which lines hold characters a role cannot keep
// before anything is stored.
namespace kvrole {

struct LineText {
    std::string cp1252;
    // The lines (numbered from 1) holding a character the code page lacks; in `cp1252` it is a '?'.
    std::vector<int> unfitLines;
};

// UTF-8 text in the files' code page. Lines end at LF, CR LF or a lone CR.
LineText fromUtf8ByLine(std::string_view utf8);

// A CSV file's bytes: a file in UTF-8 with characters beyond ASCII (as today's spreadsheets save
// it) is converted; anything else is already the files' code page and is taken as it is.
LineText csvText(std::string_view fileBytes);

// The question asked before such lines are stored with '?' in place of what they hold, e.g.
// "Lines 2 and 5 of the file hold characters ... Store them with "?" in their place?"
std::string unfitLinesQuestion(std::string_view source, const std::vector<int>& lines);

} // namespace kvrole
