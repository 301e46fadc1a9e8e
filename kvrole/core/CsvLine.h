// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvrole {

// One line of a behaviours file: a statement and, optionally, its competency's name.
struct CsvFields {
    std::string statement;
    std::string competency;
    bool operator==(const CsvFields&) const = default;
};

// Splits a line (without its line end) into its first two fields. A field is quoted (it starts
// with a double quote after any leading white space, may hold commas, and a doubled quote stands
// for one quote) or plain (it runs to the next comma; trailing spaces are kept). Anything after
// the second field is ignored.
CsvFields splitCsvLine(std::string_view line);

// The lines of a text file, read as the platform's text mode would: CR LF, LF and a lone CR each
// end a line. A line longer than `pieceLength` characters is handed on in pieces of that length,
// each as a line of its own.
inline constexpr std::size_t kCsvPieceLength = 1022;
std::vector<std::string_view> csvLines(std::string_view text, std::size_t pieceLength = kCsvPieceLength);

} // namespace kvrole
