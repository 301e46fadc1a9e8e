// SPDX-License-Identifier: GPL-3.0-or-later
// Which questionnaires and answers each list counts, how it sorts, and how many leading items it shows.
#include "analysis/ResultList.h"
#include "tests/analysis/ListHelpers.h"
#include "tests/analysis/TestJournals.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace testjournals;

namespace {
constexpr int kSelf = 0;
constexpr int kManager = 1;
constexpr int kPeer = 3;
constexpr int kCustomer = 4;

using Indexes = std::vector<std::int32_t>;
} // namespace

TEST(TieOrder, TheLaterItemComesFirstAmongEqualKeys) {
    JournalRecord journal = journalWithRole(3, 1);
    answer(journal, kSelf, {kNotConsistent, kClearStrength, kNotConsistent});
    CResultList list = CResultList::competencies(journal.framework);
    list.refresh(journal);
    EXPECT_EQ(rankedIndexes(list), (Indexes{1, 2, 0}));
}

TEST(TieOrder, HoldsOnEveryRefreshWhateverTheOrderBefore) {
    JournalRecord journal = journalWithRole(3, 1);
    answer(journal, kSelf, {kClearStrength, kNotConsistent, kPriority});
    CResultList list = CResultList::competencies(journal.framework);
    EXPECT_EQ(rankedIndexes(list), (Indexes{2, 1, 0}));
    list.refresh(journal);
    EXPECT_EQ(rankedIndexes(list), (Indexes{0, 1, 2}));
    journal.questionnaires[0].useInResults = 0;
    list.refresh(journal);
    EXPECT_EQ(rankedIndexes(list), (Indexes{2, 1, 0}));
}

TEST(AverageCutOff, ShowsItemsUntilTheFirstWithoutAnOverallAverage) {
    JournalRecord journal = journalWithRole(1, 4);
    answer(journal, kSelf, {kPriority, kNotNeeded, kClearStrength, kSkip});
    CResultList list = CResultList::behaviours(journal.framework, CResultList::kAllBehaviours);
    list.refresh(journal);
    EXPECT_EQ(rankedIndexes(list), (Indexes{2, 0, 3, 1}));
    // An overall average of exactly 0.0 is shown.
    EXPECT_EQ(list.shownCount(), 2);
}

TEST(DifferenceCutOff, NeedsTwoGroupsThatDisagree) {
    JournalRecord journal = journalWithRole(1, 3);
    answer(journal, kSelf, {kClearStrength, kClearStrength, kClearStrength});
    answer(journal, kManager, {kPriority, kClearStrength, kSkip});
    CResultList list = CResultList::differences(journal.framework, CResultList::kAllGroups);
    list.refresh(journal);
    EXPECT_DOUBLE_EQ(itemWithIndex(list, 0).difference(0), 2.0);
    EXPECT_DOUBLE_EQ(itemWithIndex(list, 1).difference(0), 0.0); // agreement: variance 0
    EXPECT_EQ(itemWithIndex(list, 2).difference(0), -1.0);       // one group only
    EXPECT_EQ(list.at(0).index(), 0);
    EXPECT_EQ(list.shownCount(), 1);
}

// In a list of Self and one group the difference over the counted groups is half the squared
// distance, so an item is shown when the two differ by more than the square root of 0.0002.
TEST(DifferenceCutOff, SelfAndOneGroupShowsDistancesAboveTheSquareRootOfTwoTenThousandths) {
    JournalRecord journal = journalWithRole(1, 2);
    const std::int32_t fine = addScale(journal, {0, 1}, 1);
    for (auto& behaviour : journal.framework.behaviours) {
        behaviour.scale = fine;
    }
    answer(journal, kSelf, {1, 1});
    // The manager differs from Self by 1/70 on behaviour 0 and by 1/71 on behaviour 1.
    CPavexFeedback manager;
    manager.relationship = kManager;
    for (int k = 0; k < 70; ++k) {
        manager.responses.push_back({0, k == 0 ? 0 : 1});
    }
    for (int k = 0; k < 71; ++k) {
        manager.responses.push_back({1, k == 0 ? 0 : 1});
    }
    journal.questionnaires.push_back(manager);
    // A peer who disagrees wildly must not matter to the Manager list.
    answer(journal, kPeer, {0, 0});

    ASSERT_GT(1.0 / 70, std::sqrt(0.0002));
    ASSERT_LT(1.0 / 71, std::sqrt(0.0002));
    CResultList list = CResultList::differences(journal.framework, kManager);
    list.refresh(journal);
    EXPECT_EQ(rankedIndexes(list), (Indexes{0, 1}));
    EXPECT_NEAR(list.at(0).sortKey(), 1.0 / 70, 1e-12);
    EXPECT_NEAR(list.at(1).sortKey(), 1.0 / 71, 1e-12);
    EXPECT_GT(list.at(1).sortKey(), CScoreItem::kShownThreshold); // the key alone would show it
    EXPECT_EQ(list.shownCount(), 1);
    EXPECT_EQ(list.questionnairesPerGroup()[kPeer], 0);
}

TEST(OneGroupLists, CountOnlySelfAndThatGroup) {
    JournalRecord journal = journalWithRole(1, 1);
    answer(journal, kSelf, {kClearStrength});
    answer(journal, kManager, {kPriority});
    answer(journal, kCustomer, {kNotConsistent});
    CResultList list = CResultList::differences(journal.framework, kCustomer);
    list.refresh(journal);
    EXPECT_EQ(list.questionnairesPerGroup(), (std::array<std::int32_t, 6>{1, 0, 0, 0, 1, 0}));
    EXPECT_EQ(list.at(0).groupAverage(kManager), -1.0);
    EXPECT_DOUBLE_EQ(list.at(0).sortKey(), 1.0);
    EXPECT_DOUBLE_EQ(list.at(0).difference(0), 0.5);
}

TEST(OneGroupLists, AreEmptyWithoutSelf) {
    JournalRecord journal = journalWithRole(1, 2);
    answer(journal, kManager, {kPriority, kClearStrength});
    for (int g = 1; g < kRelationshipCount; ++g) {
        CResultList list = CResultList::differences(journal.framework, g);
        list.refresh(journal);
        EXPECT_EQ(list.shownCount(), 0) << "group " << g;
    }
}

TEST(ExtraRequirementCutOff, WithoutSelfListsWhatOthersScoredAboveZero) {
    JournalRecord journal = journalWithRole(1, 3);
    answer(journal, kManager, {kPriority, kNotConsistent, kNotNeeded});
    answer(journal, kPeer, {kPriority, kClearStrength, kSkip});
    CResultList all = CResultList::extraRequirements(journal.framework, CResultList::kAllGroups);
    all.refresh(journal);
    EXPECT_EQ(all.shownCount(), 1);
    EXPECT_EQ(all.at(0).index(), 1);
    EXPECT_DOUBLE_EQ(all.at(0).sortKey(), 3.0);
    EXPECT_DOUBLE_EQ(itemWithIndex(all, 0).sortKey(), 0.0); // "Priority for action" from everyone

    CResultList peer = CResultList::extraRequirements(journal.framework, kPeer);
    peer.refresh(journal);
    EXPECT_EQ(peer.at(0).index(), 1);
    EXPECT_DOUBLE_EQ(peer.at(0).sortKey(), 2.0);
    EXPECT_EQ(peer.shownCount(), 1);
}

TEST(ExtraRequirementCutOff, ASelfAverageEverywhereEmptiesBothLists) {
    JournalRecord journal = journalWithRole(1, 2);
    answer(journal, kSelf, {kPriority, kNotConsistent});
    answer(journal, kManager, {kClearStrength, kClearStrength});
    for (const int selector : {0, kManager}) {
        CResultList list = CResultList::extraRequirements(journal.framework, selector);
        list.refresh(journal);
        EXPECT_EQ(list.shownCount(), 0) << "selector " << selector;
    }
}

TEST(UseInResults, AClearedQuestionnaireLeavesNoTraceInAnyList) {
    JournalRecord with = journalWithRole(2, 2);
    answer(with, kSelf, {kPriority, kNotConsistent, kClearStrength, kNotNeeded});
    answer(with, kManager, {kClearStrength, kClearStrength, kPriority, kNotConsistent});
    answer(with, kPeer, {kNotConsistent, kPriority, kPriority, kClearStrength});
    JournalRecord without = with;
    with.questionnaires[1].useInResults = 0;
    without.questionnaires.erase(without.questionnaires.begin() + 1);

    const auto same = [&](CResultList a, CResultList b) {
        a.refresh(with);
        b.refresh(without);
        ASSERT_EQ(a.size(), b.size());
        EXPECT_EQ(a.questionnairesPerGroup(), b.questionnairesPerGroup());
        EXPECT_EQ(a.shownCount(), b.shownCount());
        for (std::size_t rank = 0; rank < a.size(); ++rank) {
            EXPECT_EQ(a.at(rank), b.at(rank)) << "rank " << rank;
        }
    };
    const CPavexFramework& framework = with.framework;
    same(CResultList::competencies(framework), CResultList::competencies(framework));
    same(CResultList::behaviours(framework, -1), CResultList::behaviours(framework, -1));
    same(CResultList::behaviours(framework, 1), CResultList::behaviours(framework, 1));
    for (int g = 0; g < kRelationshipCount; ++g) {
        same(CResultList::differences(framework, g), CResultList::differences(framework, g));
        same(CResultList::extraRequirements(framework, g), CResultList::extraRequirements(framework, g));
    }
}

TEST(DevelopmentAreas, CountMarkedBehavioursAndThoseWithActions) {
    // 0 marked, 1 with an action, 2 marked with an action, 3 neither.
    JournalRecord journal = journalWithRole(1, 4);
    journal.framework.behaviours[0].marked = 1;
    journal.framework.behaviours[2].marked = 1;
    CPavexAction action;
    action.behaviour = 1;
    journal.actions.push_back(action);
    action.behaviour = 2;
    journal.actions.push_back(action);
    action.behaviour = -1;
    journal.actions.push_back(action);
    answer(journal, kSelf, {kClearStrength, kNotConsistent, kPriority, kClearStrength});

    const auto shown = [&](int selector) {
        CResultList list = CResultList::behaviours(journal.framework, selector);
        list.refresh(journal);
        Indexes indexes = rankedIndexes(list);
        indexes.resize(static_cast<std::size_t>(list.shownCount()));
        return indexes;
    };
    EXPECT_EQ(shown(CResultList::kDevelopmentAreas), (Indexes{0, 1, 2}));
    EXPECT_EQ(shown(CResultList::kWithActions), (Indexes{1, 2}));
    EXPECT_EQ(shown(CResultList::kWithoutActions), (Indexes{0}));

    CResultList list = CResultList::behaviours(journal.framework, CResultList::kWithActions);
    list.refresh(journal);
    EXPECT_EQ(list.size(), 4u); // filtered behaviours stay, without answers, at the end
    EXPECT_EQ(itemWithIndex(list, 3).overallAverage(), -1.0);
    EXPECT_TRUE(itemWithIndex(list, 0).marked());
    EXPECT_FALSE(itemWithIndex(list, 0).hasActions());
    EXPECT_TRUE(itemWithIndex(list, 2).marked());
    EXPECT_TRUE(itemWithIndex(list, 2).hasActions());
}
