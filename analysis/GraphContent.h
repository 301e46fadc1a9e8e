// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/FrequencyTable.h"
#include "analysis/PageContent.h"
#include "analysis/ResultList.h"

// A ranked list of competencies or behaviours.
class RankingContent final : public PageContent {
public:
    RankingContent(const JournalRecord& journal, std::string title, CResultList list);

    PageKind kind() const override { return PageKind::Ranking; }
    void refresh() override { m_list.refresh(journal()); }

    const CResultList& list() const { return m_list; }
    CountingMode countingMode() const { return m_list.countingMode(); }
    // Behaviour rows carry a development mark; competency rows do not.
    bool rowsCarryMarks() const { return m_list.hasBehaviourItems(); }

private:
    CResultList m_list;
};

// The response frequencies of one behaviour.
class FrequencyContent final : public PageContent {
public:
    FrequencyContent(const JournalRecord& journal, std::int32_t behaviour);

    PageKind kind() const override { return PageKind::Frequencies; }
    void refresh() override;

    std::int32_t behaviour() const { return m_table.behaviour(); }
    const CFrequencyTable& table() const { return m_table; }
    // The development mark shown below the chart, as of the last refresh.
    bool marked() const { return m_marked; }
    bool hasActions() const { return m_hasActions; }

private:
    CFrequencyTable m_table;
    bool m_marked = false;
    bool m_hasActions = false;
};
