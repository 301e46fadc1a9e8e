// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Archive.h"
#include "Limits.h"

#include <cstdint>
#include <string>
#include <vector>

struct CResponse {
    std::int32_t behaviour = 0; // kept as stored, guard before use
    std::int32_t option = 0;    // kept as stored, guard before use
    bool operator==(const CResponse&) const = default;
};

// One completed questionnaire.
class CPavexFeedback {
public:
    std::string assessor;
    std::int32_t relationship = 0; // kept as stored, guard before use
    std::string details;
    OleDate date;
    std::int32_t useInResults = 1;
    std::vector<CResponse> responses;

    // Equal as the duplicate check of a request merge sees them: every field but use-in-results.
    bool sameAnswersAs(const CPavexFeedback& other) const;
    // The same respondent, relationship, date and details, whatever the answers.
    bool sameHeadingAs(const CPavexFeedback& other) const;

    void store(ArchiveWriter& out) const;
    bool load(ArchiveReader& in);

    bool operator==(const CPavexFeedback&) const = default;
};
