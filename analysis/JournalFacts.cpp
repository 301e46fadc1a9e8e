// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/JournalFacts.h"

#include <algorithm>

namespace journalfacts {

int usableOptionCount(const CResponseScale& scale) {
    return std::clamp(scale.optionCount, 0, kMaxOptions);
}

std::int32_t axisTopOf(const CResponseScale& scale) {
    std::int32_t ceiling = kAxisCeiling;
    const int options = usableOptionCount(scale);
    for (int option = 0; option < options; ++option) {
        ceiling = std::max(ceiling, scale.values[option]);
    }
    return std::min(scale.maximum, ceiling);
}

const CResponseScale* scaleOfBehaviour(const CPavexFramework& framework, std::int32_t behaviour) {
    if (behaviour < 0 || static_cast<std::size_t>(behaviour) >= framework.behaviours.size()) {
        return nullptr;
    }
    const std::int32_t scale = framework.behaviours[behaviour].scale;
    if (scale < 0 || static_cast<std::size_t>(scale) >= framework.scales.size()) {
        return nullptr;
    }
    return &framework.scales[scale];
}

std::optional<CheckedAnswer> checkAnswer(const CPavexFramework& framework, const CResponse& response) {
    const CResponseScale* scale = scaleOfBehaviour(framework, response.behaviour);
    if (scale == nullptr || response.option < 0 || response.option >= usableOptionCount(*scale)) {
        return std::nullopt;
    }
    return CheckedAnswer{response.behaviour, response.option,   scale->values[response.option],
                         scale->maximum,     axisTopOf(*scale), framework.behaviours[response.behaviour].scale};
}

bool isMarked(const CPavexFramework& framework, std::int32_t behaviour) {
    return behaviour >= 0 && static_cast<std::size_t>(behaviour) < framework.behaviours.size() &&
           framework.behaviours[behaviour].marked != 0;
}

bool hasActions(const JournalRecord& journal, std::int32_t behaviour) {
    if (behaviour < 0 || static_cast<std::size_t>(behaviour) >= journal.framework.behaviours.size()) {
        return false;
    }
    return std::any_of(journal.actions.begin(), journal.actions.end(),
                       [behaviour](const CPavexAction& action) { return action.behaviour == behaviour; });
}

void DevelopmentFacts::update(const JournalRecord& journal) {
    const auto& behaviours = journal.framework.behaviours;
    m_marked.assign(behaviours.size(), 0);
    m_hasActions.assign(behaviours.size(), 0);
    for (std::size_t b = 0; b < behaviours.size(); ++b) {
        m_marked[b] = behaviours[b].marked != 0 ? 1 : 0;
    }
    for (const CPavexAction& action : journal.actions) {
        if (action.behaviour >= 0 && static_cast<std::size_t>(action.behaviour) < behaviours.size()) {
            m_hasActions[action.behaviour] = 1;
        }
    }
}

} // namespace journalfacts
