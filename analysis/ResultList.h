// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/JournalFacts.h"
#include "analysis/ScoreItem.h"
#include "model/PavexDoc.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// How many leading items of a sorted list are shown.
enum class CountingMode {
    Averages = 0,         // while the overall average is 0.0 or more
    Differences = 1,      // while the difference over all groups is above the threshold
    ExtraRequirements = 2 // while the extra requirement over all groups is above the threshold
};

// The score items of one results page, sorted by the page's key.
class CResultList {
public:
    enum class Kind { Competencies, Behaviours, Differences, ExtraRequirements };

    // Selectors of the behaviour lists; 0 or more names one competency.
    static constexpr int kAllBehaviours = -1;
    static constexpr int kDevelopmentAreas = -2; // marked or with actions
    static constexpr int kWithActions = -3;
    static constexpr int kWithoutActions = -4; // marked, without actions
    // Selector of the difference and extra-requirement lists that compare Self with every group;
    // 1 to 5 compares Self with that group only.
    static constexpr int kAllGroups = 0;

    // The items are made here, once, from the framework as it stands.
    static CResultList competencies(const CPavexFramework& framework);
    static CResultList behaviours(const CPavexFramework& framework, int selector);
    static CResultList differences(const CPavexFramework& framework, int selector);
    static CResultList extraRequirements(const CPavexFramework& framework, int selector);

    Kind kind() const { return m_kind; }
    int selector() const { return m_selector; }
    CountingMode countingMode() const;
    bool hasBehaviourItems() const { return m_kind != Kind::Competencies; }

    // Recomputes every figure from the journal and sorts. Linear in the answers of the included
    // questionnaires plus the items.
    void refresh(const JournalRecord& journal);
    // The same figures computed item by item over every answer of every questionnaire; the yardstick
    // refresh() is tested and measured against.
    void refreshPlain(const JournalRecord& journal);

    std::size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    // Items in sorted order: highest key first; equal keys with the higher index first.
    const CScoreItem& at(std::size_t rank) const { return m_items[m_order[rank]]; }
    // How many leading items the counting mode shows.
    int shownCount() const;
    // Questionnaires of each group the last refresh included.
    const std::array<std::int32_t, kRelationshipCount>& questionnairesPerGroup() const { return m_questionnaires; }

    // The value this list sorts by.
    double keyOf(const CScoreItem& item) const;

private:
    CResultList(Kind kind, int selector, std::vector<CScoreItem> items);

    bool includes(const CPavexFeedback& questionnaire) const;
    // Whether an answer to this behaviour is added to this item.
    bool countsFor(const CScoreItem& item, std::int32_t behaviour, const CPavexFramework& framework) const;
    bool passesDevelopmentFilter(std::int32_t behaviour) const;
    void beginRefresh(const JournalRecord& journal);
    void mapBehavioursToItems(const CPavexFramework& framework);
    void sort();

    Kind m_kind;
    int m_selector;
    std::vector<CScoreItem> m_items;  // in ascending index order, as created
    std::vector<std::size_t> m_order; // positions into m_items, in sorted order
    std::array<std::int32_t, kRelationshipCount> m_questionnaires{};
    journalfacts::DevelopmentFacts m_facts;

    // Work space of refresh(), kept between refreshes to spare allocations.
    std::vector<std::int32_t> m_itemOfBehaviour; // position of the item an answer counts for, or -1
    std::vector<std::size_t> m_touched;          // items the current questionnaire added answers to
    std::vector<char> m_isTouched;
};
