// SPDX-License-Identifier: GPL-3.0-or-later
// The figures of one competency or behaviour: group averages, their mean, ranges, differences and
// extra requirements, and which answers count towards them.
#include "analysis/ResultList.h"
#include "tests/analysis/ListHelpers.h"
#include "tests/analysis/TestJournals.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace testjournals;

namespace {
constexpr int kSelf = 0;
constexpr int kManager = 1;
constexpr int kDirectReport = 2;
constexpr int kPeer = 3;
} // namespace

TEST(GroupAverages, OverallIsTheMeanOfGroupAveragesNotOfAnswers) {
    JournalRecord journal = journalWithRole(1, 1);
    for (int q = 0; q < 3; ++q) {
        answer(journal, kManager, {kClearStrength});
    }
    answer(journal, kPeer, {kPriority});
    CResultList list = CResultList::behaviours(journal.framework, CResultList::kAllBehaviours);
    list.refresh(journal);
    const CScoreItem& item = list.at(0);
    EXPECT_DOUBLE_EQ(item.groupAverage(kManager), 2.0);
    EXPECT_DOUBLE_EQ(item.groupAverage(kPeer), 0.0);
    EXPECT_DOUBLE_EQ(item.overallAverage(), 1.0);
    EXPECT_EQ(item.validGroups(), 2);
    EXPECT_EQ(list.questionnairesPerGroup()[kManager], 3);
    EXPECT_EQ(list.questionnairesPerGroup()[kPeer], 1);
}

TEST(NotNeededAnswers, LeaveTheGroupWithoutAnAverageAndCountNowhere) {
    JournalRecord journal = journalWithRole(1, 1);
    answer(journal, kSelf, {kNotNeeded});
    answer(journal, kSelf, {kNotNeeded});
    answer(journal, kManager, {kNotConsistent});
    CResultList list = CResultList::behaviours(journal.framework, CResultList::kAllBehaviours);
    list.refresh(journal);
    const CScoreItem& item = list.at(0);
    EXPECT_EQ(item.groupAverage(kSelf), -1.0);
    EXPECT_EQ(item.groupAnswers(kSelf), 0);
    EXPECT_EQ(item.lowestAverage(kSelf), -1.0);
    EXPECT_EQ(item.highestAverage(kSelf), -1.0);
    EXPECT_DOUBLE_EQ(item.overallAverage(), 1.0);
    // The questionnaires still count as included.
    EXPECT_EQ(list.questionnairesPerGroup()[kSelf], 2);
}

TEST(NotNeededAnswers, AnItemWithoutCountedAnswersHasNoOverallAndIsNotShown) {
    JournalRecord journal = journalWithRole(1, 2);
    answer(journal, kSelf, {kNotNeeded, kPriority});
    CResultList list = CResultList::behaviours(journal.framework, CResultList::kAllBehaviours);
    list.refresh(journal);
    EXPECT_EQ(itemWithIndex(list, 0).overallAverage(), -1.0);
    EXPECT_EQ(itemWithIndex(list, 0).scaleTag(), -1);
    EXPECT_EQ(list.shownCount(), 1);
    EXPECT_EQ(list.at(0).index(), 1);
}

TEST(ScaleMaximumZero, AnswersAreSummedButNeverMakeTheAverageValid) {
    JournalRecord journal = journalWithRole(1, 1);
    const std::int32_t flat = addScale(journal, {0, 1}, 0);
    journal.framework.behaviours[0].scale = flat;
    answer(journal, kSelf, {1});
    CResultList list = CResultList::behaviours(journal.framework, CResultList::kAllBehaviours);
    list.refresh(journal);
    const CScoreItem& item = list.at(0);
    EXPECT_EQ(item.groupSum(kSelf), 1);
    EXPECT_EQ(item.groupAnswers(kSelf), 1);
    EXPECT_EQ(item.groupAverage(kSelf), -1.0);
    EXPECT_EQ(item.overallAverage(), -1.0);
    EXPECT_EQ(item.axisMaximum(), 0);
    EXPECT_EQ(list.shownCount(), 0);
}

TEST(Ranges, SpanTheQuestionnaireAveragesOfEachGroup) {
    JournalRecord journal = journalWithRole(1, 2);
    answer(journal, kManager, {kClearStrength, kNotConsistent}); // 1.5 on the competency
    answer(journal, kManager, {kPriority, kNotNeeded});          // 0.0
    answer(journal, kManager, {kSkip, kSkip});                   // answers nothing: range untouched
    CResultList list = CResultList::competencies(journal.framework);
    list.refresh(journal);
    const CScoreItem& item = list.at(0);
    EXPECT_DOUBLE_EQ(item.lowestAverage(kManager), 0.0);
    EXPECT_DOUBLE_EQ(item.highestAverage(kManager), 1.5);
    EXPECT_DOUBLE_EQ(item.groupAverage(kManager), 1.0);
    EXPECT_EQ(item.lowestAverage(kPeer), -1.0);
}

// A stored scale maximum far above its options (2147483647 in a damaged or hostile role) would
// make every ranking page draw billions of grid lines; the axis stops at the highest option value
// or 100, whichever is higher, while validity still follows the stored maximum.
TEST(AxisMaximum, StopsAtTheHighestOptionValueOrOneHundred) {
    const auto axisOf = [](std::initializer_list<std::int32_t> values, std::int32_t maximum) {
        JournalRecord journal = journalWithRole(1, 1);
        journal.framework.behaviours[0].scale = addScale(journal, values, maximum);
        answer(journal, kSelf, {0});
        CResultList list = CResultList::behaviours(journal.framework, CResultList::kAllBehaviours);
        list.refresh(journal);
        EXPECT_EQ(list.shownCount(), 1);
        return list.at(0).axisMaximum();
    };
    EXPECT_EQ(axisOf({0, 1, 2}, 2147483647), 100);
    EXPECT_EQ(axisOf({0, 250, 5000}, 2147483647), 5000);
    EXPECT_EQ(axisOf({0, 25, 50, 75, 100}, 100), 100);
    EXPECT_EQ(axisOf({0, 1, 2}, 100), 100);
    EXPECT_EQ(axisOf({0, 1, 2}, 40), 40);
    EXPECT_EQ(axisOf({0, 1, 2}, 2), 2);
    // Options beyond the stored maximum do not lengthen the axis.
    EXPECT_EQ(axisOf({0, 1, 500}, 3), 3);
}

TEST(ScaleTag, NamesTheCommonScaleOrMarksAMixture) {
    JournalRecord journal = journalWithRole(1, 2);
    const std::int32_t other = addScale(journal, {0, 1, 2, 3}, 3);
    journal.framework.behaviours[1].scale = other;
    answer(journal, kSelf, {kClearStrength, 3});
    CResultList behaviours = CResultList::behaviours(journal.framework, CResultList::kAllBehaviours);
    behaviours.refresh(journal);
    EXPECT_EQ(itemWithIndex(behaviours, 0).scaleTag(), 0);
    EXPECT_EQ(itemWithIndex(behaviours, 1).scaleTag(), other);
    EXPECT_EQ(itemWithIndex(behaviours, 1).axisMaximum(), 3);
    CResultList competencies = CResultList::competencies(journal.framework);
    competencies.refresh(journal);
    EXPECT_EQ(competencies.at(0).scaleTag(), -2);
    EXPECT_EQ(competencies.at(0).axisMaximum(), 3);
}

TEST(Differences, AreTheSampleVarianceOfGroupAveragesOrTheDistanceToOneGroup) {
    CScoreItem item("x", 0);
    item.addAnswer(kSelf, 2, 2, 0, 2);
    item.endQuestionnaire(kSelf);
    item.addAnswer(kManager, 0, 2, 0, 2);
    item.endQuestionnaire(kManager);
    item.addAnswer(kPeer, 1, 2, 0, 2);
    item.endQuestionnaire(kPeer);
    // Mean 1.0; squares 1 + 1 + 0 over 3 - 1 groups.
    EXPECT_DOUBLE_EQ(item.difference(0), 1.0);
    EXPECT_DOUBLE_EQ(item.difference(kManager), 2.0);
    EXPECT_DOUBLE_EQ(item.difference(kPeer), 1.0);
    EXPECT_EQ(item.difference(kDirectReport), -1.0);
    EXPECT_EQ(item.difference(6), -1.0);
    EXPECT_EQ(item.difference(-1), -1.0);

    CScoreItem lonely("y", 1);
    lonely.addAnswer(kManager, 1, 2, 0, 2);
    EXPECT_EQ(lonely.difference(0), -1.0);
}

TEST(ExtraRequirements, CountOnlyWhereSelfHasNoAverage) {
    CScoreItem item("x", 0);
    item.addAnswer(kManager, 2, 2, 0, 2);
    item.addAnswer(kPeer, 1, 2, 0, 2);
    EXPECT_DOUBLE_EQ(item.extraRequirement(0), 3.0);
    EXPECT_DOUBLE_EQ(item.extraRequirement(kManager), 2.0);
    EXPECT_EQ(item.extraRequirement(kDirectReport), -1.0);
    EXPECT_EQ(item.extraRequirement(7), -1.0);

    item.addAnswer(kSelf, 0, 2, 0, 2);
    EXPECT_DOUBLE_EQ(item.extraRequirement(0), 0.0);
    EXPECT_EQ(item.extraRequirement(kManager), -1.0);
}

TEST(ScoreItem, HugeStoredScoresDoNotOverflowTheSums) {
    CScoreItem item("x", 0);
    for (int k = 0; k < 4; ++k) {
        item.addAnswer(kSelf, 2'000'000'000, 2'000'000'000, 0, 2'000'000'000);
    }
    item.endQuestionnaire(kSelf);
    EXPECT_DOUBLE_EQ(item.groupAverage(kSelf), 2e9);
    EXPECT_DOUBLE_EQ(item.highestAverage(kSelf), 2e9);
}
