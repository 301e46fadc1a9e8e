// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/Command.h"
#include "tools/JsonFields.h"

#include "analysis/ProgressComparison.h"

#include <string>

// kvtool compare EARLIER.kva LATER.kva [--password-earlier P] [--password P]: what changed between two
// rounds of feedback, as JSON.
Command compareCommand();

// The figures of the Progress pages, in the shape of the results: one entry a page.
Json comparisonToJson(const progress::Comparison& comparison, const std::string& branchLabel,
                      const JournalRecord& earlier, const JournalRecord& later);

// Reads both journals and refuses a pair that cannot be compared, with the reason.
struct ComparedJournals {
    JournalRecord earlier;
    JournalRecord later;
};
ComparedJournals readComparedJournals(const std::string& earlierPath, const std::optional<std::string>& earlierPassword,
                                      const std::string& laterPath, const std::optional<std::string>& laterPassword);
