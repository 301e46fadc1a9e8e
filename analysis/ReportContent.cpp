// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ReportContent.h"

#include "analysis/JournalFacts.h"

#include <cmath>

namespace reportcontent {

namespace {

bool isBlank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

bool hasUsableDate(const OleDate& date) {
    return date.status == OleDate::Valid && std::isfinite(date.value);
}

} // namespace

CoverFacts coverFacts(const JournalRecord& journal) {
    CoverFacts facts;
    for (const CPavexFeedback& questionnaire : journal.questionnaires) {
        if (!journalfacts::countsInResults(questionnaire)) {
            continue;
        }
        ++facts.questionnairesPerGroup[static_cast<std::size_t>(questionnaire.relationship)];
        if (!hasUsableDate(questionnaire.date)) {
            continue;
        }
        if (!facts.firstQuestionnaire || questionnaire.date.value < facts.firstQuestionnaire->value) {
            facts.firstQuestionnaire = questionnaire.date;
        }
        if (!facts.lastQuestionnaire || questionnaire.date.value > facts.lastQuestionnaire->value) {
            facts.lastQuestionnaire = questionnaire.date;
        }
    }
    return facts;
}

std::vector<CommentGroup> commentsByGroup(const JournalRecord& journal) {
    std::vector<CommentGroup> groups;
    for (int group = 0; group < kRelationshipCount; ++group) {
        CommentGroup comments{group, {}};
        for (const CPavexFeedback& questionnaire : journal.questionnaires) {
            if (journalfacts::countsInResults(questionnaire) && questionnaire.relationship == group &&
                !isBlank(questionnaire.details)) {
                comments.comments.push_back(questionnaire.details);
            }
        }
        if (!comments.comments.empty()) {
            groups.push_back(std::move(comments));
        }
    }
    return groups;
}

DevelopmentPlan developmentPlan(const JournalRecord& journal) {
    const std::size_t behaviourCount = journal.framework.behaviours.size();
    std::vector<std::vector<std::size_t>> actionsOf(behaviourCount);
    DevelopmentPlan plan;
    for (std::size_t position = 0; position < journal.actions.size(); ++position) {
        const std::int32_t behaviour = journal.actions[position].behaviour;
        if (behaviour >= 0 && static_cast<std::size_t>(behaviour) < behaviourCount) {
            actionsOf[static_cast<std::size_t>(behaviour)].push_back(position);
        } else {
            plan.unattached.push_back(position);
        }
    }
    for (std::size_t behaviour = 0; behaviour < behaviourCount; ++behaviour) {
        if (journal.framework.behaviours[behaviour].marked != 0 || !actionsOf[behaviour].empty()) {
            plan.areas.push_back({static_cast<std::int32_t>(behaviour), std::move(actionsOf[behaviour])});
        }
    }
    return plan;
}

} // namespace reportcontent
