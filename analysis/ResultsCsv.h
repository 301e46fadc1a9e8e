// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/PavexDoc.h"

#include <string>
#include <string_view>

// A journal's results as CSV for spreadsheets: RFC 4180 (fields quoted where needed, CR LF between
// records), UTF-8 behind a byte-order mark. Headers use the journal's own relationship labels and
// terms. Every figure comes from the statistics behind the result pages.
namespace resultscsv {

// One row per behaviour in the order of the Behaviours ranking: competency, behaviour, the overall
// average, per relationship group its average, lowest and highest questionnaire average and how
// many answers its average counts, the Self answer's label, whether the behaviour is marked for
// development and its number of actions. Empty cells where there is no value.
// With an earlier journal of the same person, each row ends with the others' average then and now and
// the change, after the columns above, so that sheets built on them still read.
std::string behaviours(const JournalRecord& journal, const JournalRecord* earlier = nullptr);

// One row per answer of every questionnaire used in the results: assessor, relationship, date
// (ISO 8601), competency, behaviour, the chosen option's label and value. Answers whose indexes
// lie outside the framework count nowhere in the results and are left out here too.
std::string responses(const JournalRecord& journal);

// One field as RFC 4180 writes it, from Windows-1252 text. Text that a spreadsheet would take for
// a formula (starting with = + - @, a tab or a carriage return) gets a leading apostrophe, so that
// a name typed by a respondent can never run as one.
std::string textField(std::string_view windows1252);

} // namespace resultscsv
