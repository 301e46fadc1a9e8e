// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ResultList.h"

#include <algorithm>
#include <utility>

CResultList::CResultList(Kind kind, int selector, std::vector<CScoreItem> items)
    : m_kind(kind), m_selector(selector), m_items(std::move(items)) {
    m_order.resize(m_items.size());
    sort();
}

CResultList CResultList::competencies(const CPavexFramework& framework) {
    std::vector<CScoreItem> items;
    items.reserve(framework.competencies.size());
    for (std::size_t c = 0; c < framework.competencies.size(); ++c) {
        items.emplace_back(framework.competencies[c].name, static_cast<std::int32_t>(c));
    }
    return CResultList(Kind::Competencies, 0, std::move(items));
}

namespace {
std::vector<CScoreItem> behaviourItems(const CPavexFramework& framework, int competency) {
    std::vector<CScoreItem> items;
    for (std::size_t b = 0; b < framework.behaviours.size(); ++b) {
        const CBehaviour& behaviour = framework.behaviours[b];
        if (competency < 0 || behaviour.competency == competency) {
            items.emplace_back(behaviour.statement, static_cast<std::int32_t>(b));
        }
    }
    return items;
}
} // namespace

CResultList CResultList::behaviours(const CPavexFramework& framework, int selector) {
    return CResultList(Kind::Behaviours, selector, behaviourItems(framework, selector));
}

CResultList CResultList::differences(const CPavexFramework& framework, int selector) {
    return CResultList(Kind::Differences, selector, behaviourItems(framework, -1));
}

CResultList CResultList::extraRequirements(const CPavexFramework& framework, int selector) {
    return CResultList(Kind::ExtraRequirements, selector, behaviourItems(framework, -1));
}

CountingMode CResultList::countingMode() const {
    switch (m_kind) {
    case Kind::Differences:
        return CountingMode::Differences;
    case Kind::ExtraRequirements:
        return CountingMode::ExtraRequirements;
    default:
        return CountingMode::Averages;
    }
}

bool CResultList::includes(const CPavexFeedback& questionnaire) const {
    if (!journalfacts::countsInResults(questionnaire)) {
        return false;
    }
    const bool oneGroup = (m_kind == Kind::Differences || m_kind == Kind::ExtraRequirements) && m_selector != 0;
    return !oneGroup || questionnaire.relationship == 0 || questionnaire.relationship == m_selector;
}

bool CResultList::passesDevelopmentFilter(std::int32_t behaviour) const {
    if (m_kind != Kind::Behaviours) {
        return true;
    }
    switch (m_selector) {
    case kDevelopmentAreas:
        return m_facts.marked(behaviour) || m_facts.hasActions(behaviour);
    case kWithActions:
        return m_facts.hasActions(behaviour);
    case kWithoutActions:
        return m_facts.marked(behaviour) && !m_facts.hasActions(behaviour);
    default:
        return true;
    }
}

bool CResultList::countsFor(const CScoreItem& item, std::int32_t behaviour, const CPavexFramework& framework) const {
    if (m_kind == Kind::Competencies) {
        return framework.behaviours[behaviour].competency == item.index();
    }
    return behaviour == item.index() && passesDevelopmentFilter(behaviour);
}

void CResultList::beginRefresh(const JournalRecord& journal) {
    m_facts.update(journal);
    const bool behaviourItems = hasBehaviourItems();
    for (CScoreItem& item : m_items) {
        item.reset();
        if (behaviourItems) {
            item.setDevelopment(m_facts.marked(item.index()), m_facts.hasActions(item.index()));
        }
    }
    m_questionnaires.fill(0);
}

void CResultList::mapBehavioursToItems(const CPavexFramework& framework) {
    const std::size_t behaviourCount = framework.behaviours.size();
    m_itemOfBehaviour.assign(behaviourCount, -1);
    if (m_kind == Kind::Competencies) {
        // Competency items are made in index order, but an item's index is trusted over its position.
        std::vector<std::int32_t> itemOfCompetency;
        for (std::size_t p = 0; p < m_items.size(); ++p) {
            const auto competency = static_cast<std::size_t>(m_items[p].index());
            if (competency >= itemOfCompetency.size()) {
                itemOfCompetency.resize(competency + 1, -1);
            }
            itemOfCompetency[competency] = static_cast<std::int32_t>(p);
        }
        for (std::size_t b = 0; b < behaviourCount; ++b) {
            const std::int32_t competency = framework.behaviours[b].competency;
            if (competency >= 0 && static_cast<std::size_t>(competency) < itemOfCompetency.size()) {
                m_itemOfBehaviour[b] = itemOfCompetency[competency];
            }
        }
        return;
    }
    for (std::size_t p = 0; p < m_items.size(); ++p) {
        const std::int32_t behaviour = m_items[p].index();
        if (static_cast<std::size_t>(behaviour) < behaviourCount && passesDevelopmentFilter(behaviour)) {
            m_itemOfBehaviour[behaviour] = static_cast<std::int32_t>(p);
        }
    }
}

void CResultList::refresh(const JournalRecord& journal) {
    beginRefresh(journal);
    if (!journal.questionnaires.empty()) {
        const CPavexFramework& framework = journal.framework;
        mapBehavioursToItems(framework);
        m_isTouched.assign(m_items.size(), 0);
        for (const CPavexFeedback& questionnaire : journal.questionnaires) {
            if (!includes(questionnaire)) {
                continue;
            }
            const int group = questionnaire.relationship;
            for (const CResponse& response : questionnaire.responses) {
                const auto answer = journalfacts::checkAnswer(framework, response);
                if (!answer) {
                    continue;
                }
                const std::int32_t position = m_itemOfBehaviour[answer->behaviour];
                if (position < 0) {
                    continue;
                }
                m_items[position].addAnswer(group, answer->score, answer->scaleMaximum, answer->scaleIndex,
                                            answer->axisTop);
                if (m_isTouched[position] == 0) {
                    m_isTouched[position] = 1;
                    m_touched.push_back(static_cast<std::size_t>(position));
                }
            }
            // Ending the questionnaire changes nothing on an item it added no answer to.
            for (const std::size_t position : m_touched) {
                m_items[position].endQuestionnaire(group);
                m_isTouched[position] = 0;
            }
            m_touched.clear();
            ++m_questionnaires[group];
        }
    }
    sort();
}

void CResultList::refreshPlain(const JournalRecord& journal) {
    beginRefresh(journal);
    if (!journal.questionnaires.empty()) {
        const CPavexFramework& framework = journal.framework;
        for (const CPavexFeedback& questionnaire : journal.questionnaires) {
            if (!includes(questionnaire)) {
                continue;
            }
            const int group = questionnaire.relationship;
            for (CScoreItem& item : m_items) {
                for (const CResponse& response : questionnaire.responses) {
                    const auto answer = journalfacts::checkAnswer(framework, response);
                    if (answer && countsFor(item, answer->behaviour, framework)) {
                        item.addAnswer(group, answer->score, answer->scaleMaximum, answer->scaleIndex, answer->axisTop);
                    }
                }
                item.endQuestionnaire(group);
            }
            ++m_questionnaires[group];
        }
    }
    sort();
}

double CResultList::keyOf(const CScoreItem& item) const {
    switch (m_kind) {
    case Kind::Differences:
        return item.difference(m_selector);
    case Kind::ExtraRequirements:
        return item.extraRequirement(m_selector);
    default:
        return item.overallAverage();
    }
}

void CResultList::sort() {
    for (CScoreItem& item : m_items) {
        item.setSortKey(keyOf(item));
    }
    // Ties keep descending index order on every refresh, not the order an earlier refresh left.
    for (std::size_t p = 0; p < m_order.size(); ++p) {
        m_order[p] = p;
    }
    std::stable_sort(m_order.begin(), m_order.end(),
                     [this](std::size_t a, std::size_t b) { return m_items[a].index() > m_items[b].index(); });
    std::stable_sort(m_order.begin(), m_order.end(),
                     [this](std::size_t a, std::size_t b) { return m_items[a].sortKey() > m_items[b].sortKey(); });
}

int CResultList::shownCount() const {
    int shown = 0;
    for (std::size_t rank = 0; rank < m_order.size(); ++rank) {
        const CScoreItem& item = at(rank);
        bool holds = false;
        switch (countingMode()) {
        case CountingMode::Averages:
            holds = item.overallAverage() >= 0.0;
            break;
        case CountingMode::Differences:
            holds = item.difference(0) > CScoreItem::kShownThreshold;
            break;
        case CountingMode::ExtraRequirements:
            holds = item.extraRequirement(0) > CScoreItem::kShownThreshold;
            break;
        }
        if (!holds) {
            break;
        }
        ++shown;
    }
    return shown;
}
