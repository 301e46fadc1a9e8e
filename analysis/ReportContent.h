// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/PavexDoc.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a feedback report says besides the figures, as data: the cover's facts, the written comments
// and the development plan. Only questionnaires that count in the results are read.
namespace reportcontent {

struct CoverFacts {
    // Dates of the earliest and latest included questionnaire with a valid date.
    std::optional<OleDate> firstQuestionnaire;
    std::optional<OleDate> lastQuestionnaire;
    std::array<std::int32_t, kRelationshipCount> questionnairesPerGroup{};
};

CoverFacts coverFacts(const JournalRecord& journal);

// The comments of one relationship group, in journal order; never the assessors' names.
struct CommentGroup {
    int group = 0;
    std::vector<std::string> comments;
};

// Groups with at least one non-blank comment, Self first.
std::vector<CommentGroup> commentsByGroup(const JournalRecord& journal);

struct PlanArea {
    std::int32_t behaviour = 0;
    std::vector<std::size_t> actions; // positions in the journal's actions
};

struct DevelopmentPlan {
    // Behaviours marked for development or named by an action, in the role's order.
    std::vector<PlanArea> areas;
    // Actions that name no behaviour of the role.
    std::vector<std::size_t> unattached;
};

DevelopmentPlan developmentPlan(const JournalRecord& journal);

} // namespace reportcontent
