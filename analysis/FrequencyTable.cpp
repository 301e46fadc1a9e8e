// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/FrequencyTable.h"

#include "analysis/JournalFacts.h"

#include <algorithm>

void CFrequencyTable::refresh(const JournalRecord& journal) {
    for (auto& row : m_counts) {
        row.fill(0);
    }
    m_answers.fill(0);
    const CResponseScale* scale = journalfacts::scaleOfBehaviour(journal.framework, m_behaviour);
    m_optionCount = scale != nullptr ? journalfacts::usableOptionCount(*scale) : 0;
    if (m_optionCount == 0) {
        return;
    }
    for (const CPavexFeedback& questionnaire : journal.questionnaires) {
        if (!journalfacts::countsInResults(questionnaire)) {
            continue;
        }
        const int group = questionnaire.relationship;
        for (const CResponse& response : questionnaire.responses) {
            if (response.behaviour == m_behaviour && response.option >= 0 && response.option < m_optionCount) {
                ++m_counts[response.option][group];
                ++m_answers[group];
            }
        }
    }
}

std::int32_t CFrequencyTable::count(int option, int group) const {
    if (option < 0 || option >= kMaxOptions || !journalfacts::isGroup(group)) {
        return 0;
    }
    return m_counts[option][group];
}

std::int32_t CFrequencyTable::answersInGroup(int group) const {
    return journalfacts::isGroup(group) ? m_answers[group] : 0;
}

std::int32_t CFrequencyTable::rowTotal(int option) const {
    std::int32_t total = 0;
    for (int g = 0; g < kRelationshipCount; ++g) {
        total += count(option, g);
    }
    return total;
}

std::int32_t CFrequencyTable::axisMaximum() const {
    std::int32_t largest = kMinimumAxis;
    for (int option = 0; option < kMaxOptions; ++option) {
        largest = std::max(largest, rowTotal(option));
    }
    return largest;
}
