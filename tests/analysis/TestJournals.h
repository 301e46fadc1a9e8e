// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/PavexDoc.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// Journals made to measure for the statistics' tests and benchmarks.
namespace testjournals {

// Options of the default scale (maximum 2).
inline constexpr std::int32_t kNotNeeded = 0;     // value -1
inline constexpr std::int32_t kPriority = 1;      // value 0
inline constexpr std::int32_t kNotConsistent = 2; // value 1
inline constexpr std::int32_t kClearStrength = 3; // value 2
inline constexpr std::int32_t kSkip = -100;       // in answer lists: no answer to that behaviour

// The default role's wording and scale, with `competencies` competencies named "C0", "C1", ... each of
// `perCompetency` behaviours "B0", "B1", ... in competency order.
JournalRecord journalWithRole(int competencies, int perCompetency);

// A questionnaire answering behaviour k with options[k], skipping kSkip entries.
CPavexFeedback questionnaire(std::int32_t relationship, const std::vector<std::int32_t>& options,
                             const std::string& assessor = "Someone");
// Appends such a questionnaire to the journal.
void answer(JournalRecord& journal, std::int32_t relationship, const std::vector<std::int32_t>& options);

// Adds a scale with the given option values and maximum; returns its index.
std::int32_t addScale(JournalRecord& journal, std::initializer_list<std::int32_t> values, std::int32_t maximum);

// 256 behaviours in 16 competencies on one scale, 32 questionnaires answering all of them.
JournalRecord maximalJournal(std::uint32_t seed);

// A journal of random shape and answers: several scales (some with maximum 0 or below, some values
// negative), excluded questionnaires, marks and actions. With `damaged`, stored indexes also point
// outside the framework: answers to missing behaviours, options beyond their scale, relationships
// outside the six groups, behaviours on missing scales or competencies.
JournalRecord randomJournal(std::uint32_t seed, bool damaged);

} // namespace testjournals
