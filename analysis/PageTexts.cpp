// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/PageTexts.h"

#include "analysis/JournalFacts.h"

namespace pagetext {

namespace {
std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}
} // namespace

std::string competencyRankingTitle() {
    return "Competencies ranked by average score";
}

std::string behaviourRankingTitle() {
    return "Behaviours ranked by average score";
}

std::string competencyBehavioursTitle(const std::string& competencyName) {
    return "Behaviours for " + quoted(competencyName) + " ranked by average score";
}

std::string developmentAreasTitle() {
    return "Behaviours marked for development ranked by average score";
}

std::string developmentAreasWithActionsTitle() {
    return "Behaviours marked for development with actions ranked by average scores";
}

std::string developmentAreasWithoutActionsTitle() {
    return "Behaviours marked for development without actions ranked by average score";
}

std::string differencesTitle(const JournalRecord& journal, int group) {
    if (group == 0) {
        return "Behaviours ranked by differences between Self and all other scores";
    }
    return "Behaviours ranked by differences between Self and " + groupLabel(journal, group) + " scores";
}

std::string extraRequirementsTitle(const JournalRecord& journal, int group) {
    const std::string head = "Behaviours where Self scored " + quoted(firstOptionLabel(journal));
    if (group == 0) {
        return head + " and somebody differed";
    }
    return head + " and a " + groupLabel(journal, group) + " differed";
}

std::string frequenciesTitle(const std::string& behaviourStatement) {
    return "Frequencies of each response to " + quoted(behaviourStatement);
}

std::string groupLabel(const JournalRecord& journal, std::int32_t group) {
    return journalfacts::isGroup(group) ? journal.relationshipLabels[group] : std::string();
}

std::string firstOptionLabel(const JournalRecord& journal) {
    return journal.framework.scales.empty() ? std::string() : journal.framework.scales.front().labels[0];
}

} // namespace pagetext
