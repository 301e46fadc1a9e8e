// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/GraphContent.h"

#include "analysis/JournalFacts.h"
#include "analysis/PageTexts.h"

#include <utility>

RankingContent::RankingContent(const JournalRecord& journal, std::string title, CResultList list)
    : PageContent(journal, std::move(title)), m_list(std::move(list)) {}

namespace {
std::string statementOf(const JournalRecord& journal, std::int32_t behaviour) {
    const auto& behaviours = journal.framework.behaviours;
    return behaviour >= 0 && static_cast<std::size_t>(behaviour) < behaviours.size() ? behaviours[behaviour].statement
                                                                                     : std::string();
}
} // namespace

FrequencyContent::FrequencyContent(const JournalRecord& journal, std::int32_t behaviour)
    : PageContent(journal, pagetext::frequenciesTitle(statementOf(journal, behaviour))), m_table(behaviour) {}

void FrequencyContent::refresh() {
    m_table.refresh(journal());
    m_marked = journalfacts::isMarked(journal().framework, behaviour());
    m_hasActions = journalfacts::hasActions(journal(), behaviour());
}
