// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CPavexDoc;
struct JournalRecord;
class UserPrompts;

// File Export Results: asks for a CSV file (replacing one only after asking) and writes the
// journal's figures into it, one row per behaviour in the order of the Behaviours ranking. False
// when cancelled or, after telling why, when the file cannot be written.
// With an earlier journal, the others' average then and now and the change follow the other columns.
bool exportResults(const CPavexDoc& journal, UserPrompts& prompts, const JournalRecord* earlier = nullptr);

namespace exporttext {
inline constexpr const char* kExportTitle = "Export Results";
inline constexpr const char* kCsvFilter = "CSV files (*.csv)";
} // namespace exporttext
