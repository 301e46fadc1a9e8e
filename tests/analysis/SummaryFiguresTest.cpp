// SPDX-License-Identifier: GPL-3.0-or-later
// The figures a feedback report leads with (others' average, Self value, spread, strengths,
// priorities, blind spots, hidden strengths) and the report's cover facts, comments and plan.
#include "analysis/SummaryFigures.h"
#include "analysis/ReportContent.h"
#include "analysis/ResultList.h"
#include "tests/analysis/TestJournals.h"

#include <gtest/gtest.h>

using namespace testjournals;
using namespace summaryfigures;

namespace {

constexpr int kSelf = 0;
constexpr int kManager = 1;
constexpr int kDirectReport = 2;
constexpr int kPeer = 3;

CResultList rankedBehaviours(const JournalRecord& journal) {
    CResultList list = CResultList::behaviours(journal.framework, CResultList::kAllBehaviours);
    list.refresh(journal);
    return list;
}

const CScoreItem& itemOf(const CResultList& list, int behaviour) {
    for (std::size_t rank = 0; rank < list.size(); ++rank) {
        if (list.at(rank).index() == behaviour) {
            return list.at(rank);
        }
    }
    throw std::out_of_range("no such behaviour");
}

std::vector<std::int32_t> behavioursOf(const std::vector<BehaviourFigures>& rows) {
    std::vector<std::int32_t> behaviours;
    for (const BehaviourFigures& row : rows) {
        behaviours.push_back(row.behaviour);
    }
    return behaviours;
}

} // namespace

TEST(OthersAverage, IsTheMeanOfEveryOtherAnswerNotOfGroupAverages) {
    JournalRecord journal = journalWithRole(1, 1);
    answer(journal, kManager, {kClearStrength});
    answer(journal, kManager, {kClearStrength});
    answer(journal, kManager, {kClearStrength});
    answer(journal, kPeer, {kPriority});
    answer(journal, kPeer, {kNotNeeded});
    answer(journal, kSelf, {kPriority});
    const CResultList list = rankedBehaviours(journal);
    const CScoreItem& item = itemOf(list, 0);
    // Three 2s and one 0; the not-needed answer and Self count nowhere.
    EXPECT_DOUBLE_EQ(othersAverage(item), 1.5);
    EXPECT_DOUBLE_EQ(selfValue(item), 0.0);
    // Groups Self 0, Manager 2, Peer 0.
    EXPECT_DOUBLE_EQ(groupSpread(item), 2.0);
}

TEST(OthersAverage, HasNoValueWithoutOtherAnswersAndSelfIsTheMeanOfSeveral) {
    JournalRecord journal = journalWithRole(1, 2);
    answer(journal, kSelf, {kClearStrength, kNotNeeded});
    answer(journal, kSelf, {kNotConsistent, kNotNeeded});
    answer(journal, kManager, {kNotNeeded, kNotNeeded});
    const CResultList list = rankedBehaviours(journal);
    EXPECT_EQ(othersAverage(itemOf(list, 0)), -1.0);
    EXPECT_DOUBLE_EQ(selfValue(itemOf(list, 0)), 1.5);
    EXPECT_DOUBLE_EQ(groupSpread(itemOf(list, 0)), 0.0);
    EXPECT_EQ(selfValue(itemOf(list, 1)), -1.0);
    EXPECT_EQ(groupSpread(itemOf(list, 1)), -1.0);
}

TEST(OthersAverage, LeavesOutAnsweredQuestionnairesThatAreNotUsedInResults) {
    JournalRecord journal = journalWithRole(1, 1);
    answer(journal, kManager, {kClearStrength});
    answer(journal, kPeer, {kPriority});
    journal.questionnaires.back().useInResults = 0;
    EXPECT_DOUBLE_EQ(othersAverage(itemOf(rankedBehaviours(journal), 0)), 2.0);
}

TEST(Summary, TakesTheFiveHighestAndFiveLowestWithoutRepeatingAStrength) {
    JournalRecord journal = journalWithRole(1, 12);
    // Behaviour b gets ceil(b/2) "Clear strength" answers out of six, the rest "Priority for action":
    // pairs of behaviours share an average.
    for (int q = 0; q < 6; ++q) {
        std::vector<std::int32_t> options;
        for (int b = 0; b < 12; ++b) {
            options.push_back(q * 2 < b ? kClearStrength : kPriority);
        }
        answer(journal, kDirectReport, options);
    }
    const Summary summary = summarise(rankedBehaviours(journal), journal.framework);
    EXPECT_EQ(summary.rated, 12u);
    EXPECT_EQ(behavioursOf(summary.strengths), (std::vector<std::int32_t>{11, 10, 9, 8, 7}));
    // Equal figures keep the ranking's order: the later behaviour first.
    EXPECT_EQ(behavioursOf(summary.priorities), (std::vector<std::int32_t>{0, 2, 1, 4, 3}));
}

TEST(Summary, WithFewRatedBehavioursPrioritiesHoldOnlyWhatIsNotAStrength) {
    JournalRecord journal = journalWithRole(1, 7);
    answer(journal, kManager,
           {kPriority, kNotConsistent, kClearStrength, kPriority, kNotConsistent, kNotNeeded, kSkip});
    answer(journal, kSelf, {kPriority, kPriority, kPriority, kPriority, kPriority, kPriority, kClearStrength});
    const Summary summary = summarise(rankedBehaviours(journal), journal.framework);
    // Behaviours 5 (not needed by the manager) and 6 (Self only) are left out.
    EXPECT_EQ(summary.rated, 5u);
    EXPECT_EQ(summary.strengths.size(), 5u);
    EXPECT_TRUE(summary.priorities.empty());
}

TEST(Summary, DisagreementsNeedOneScalePointEitherWayAndSortByTheWidestGap) {
    JournalRecord journal = journalWithRole(1, 5);
    answer(journal, kSelf, {kClearStrength, kClearStrength, kNotConsistent, kPriority, kPriority});
    answer(journal, kManager, {kPriority, kNotConsistent, kNotConsistent, kClearStrength, kPriority});
    answer(journal, kPeer, {kPriority, kNotConsistent, kNotConsistent, kClearStrength, kNotConsistent});
    const Summary summary = summarise(rankedBehaviours(journal), journal.framework);
    // Gaps Self - others: 2, 1, 0, -2, -0.5.
    EXPECT_EQ(behavioursOf(summary.blindSpots), (std::vector<std::int32_t>{0, 1}));
    EXPECT_EQ(behavioursOf(summary.hiddenStrengths), (std::vector<std::int32_t>{3}));
    EXPECT_DOUBLE_EQ(summary.blindSpots.front().gap(), 2.0);
    // A threshold of half a point also takes behaviour 4.
    const Summary wider = summarise(rankedBehaviours(journal), journal.framework, 0.5);
    EXPECT_EQ(behavioursOf(wider.hiddenStrengths), (std::vector<std::int32_t>{3, 4}));
}

TEST(Summary, IsEmptyForAJournalWithoutQuestionnairesOrWithOnlySelf) {
    JournalRecord journal = journalWithRole(2, 3);
    EXPECT_EQ(summarise(rankedBehaviours(journal), journal.framework).rated, 0u);
    answer(journal, kSelf, {kClearStrength, kPriority, kPriority, kClearStrength, kPriority, kPriority});
    const Summary summary = summarise(rankedBehaviours(journal), journal.framework);
    EXPECT_EQ(summary.rated, 0u);
    EXPECT_TRUE(summary.strengths.empty());
    EXPECT_TRUE(summary.blindSpots.empty());
}

TEST(ReportContent, CoverCountsIncludedQuestionnairesPerGroupWithTheirDateRange) {
    JournalRecord journal = journalWithRole(1, 1);
    answer(journal, kPeer, {kPriority});
    journal.questionnaires.back().date = OleDate{OleDate::Valid, 45000.0};
    answer(journal, kPeer, {kPriority});
    journal.questionnaires.back().date = OleDate{OleDate::Valid, 44000.0};
    answer(journal, kManager, {kPriority});
    journal.questionnaires.back().date = OleDate{OleDate::Valid, 43000.0};
    journal.questionnaires.back().useInResults = 0;
    answer(journal, kSelf, {kPriority});
    journal.questionnaires.back().date = OleDate{OleDate::Null, 0.0};
    const reportcontent::CoverFacts facts = reportcontent::coverFacts(journal);
    EXPECT_EQ(facts.questionnairesPerGroup, (std::array<std::int32_t, 6>{1, 0, 0, 2, 0, 0}));
    ASSERT_TRUE(facts.firstQuestionnaire && facts.lastQuestionnaire);
    EXPECT_EQ(facts.firstQuestionnaire->value, 44000.0);
    EXPECT_EQ(facts.lastQuestionnaire->value, 45000.0);
}

TEST(ReportContent, CommentsAreGroupedByRelationshipWithoutNamesOrBlanks) {
    JournalRecord journal = journalWithRole(1, 1);
    journal.questionnaires.push_back(questionnaire(kPeer, {kPriority}, "Alex"));
    journal.questionnaires.back().details = "Peer one";
    journal.questionnaires.push_back(questionnaire(kSelf, {kPriority}, "Me"));
    journal.questionnaires.back().details = "Mine";
    journal.questionnaires.push_back(questionnaire(kPeer, {kPriority}, "Blake"));
    journal.questionnaires.back().details = " \r\n";
    journal.questionnaires.push_back(questionnaire(kPeer, {kPriority}, "Casey"));
    journal.questionnaires.back().details = "Peer two";
    journal.questionnaires.push_back(questionnaire(kManager, {kPriority}, "Dana"));
    journal.questionnaires.back().details = "Excluded";
    journal.questionnaires.back().useInResults = 0;
    const auto groups = reportcontent::commentsByGroup(journal);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].group, kSelf);
    EXPECT_EQ(groups[0].comments, (std::vector<std::string>{"Mine"}));
    EXPECT_EQ(groups[1].group, kPeer);
    EXPECT_EQ(groups[1].comments, (std::vector<std::string>{"Peer one", "Peer two"}));
}

TEST(ReportContent, PlanListsMarkedOrActedOnBehavioursInRoleOrderThenUnattachedActions) {
    JournalRecord journal = journalWithRole(1, 4);
    journal.framework.behaviours[2].marked = 1;
    const auto addAction = [&](std::int32_t behaviour) {
        CPavexAction action;
        action.behaviour = behaviour;
        journal.actions.push_back(action);
    };
    addAction(3);
    addAction(CPavexAction::kNoBehaviour);
    addAction(3);
    addAction(99);
    const reportcontent::DevelopmentPlan plan = reportcontent::developmentPlan(journal);
    ASSERT_EQ(plan.areas.size(), 2u);
    EXPECT_EQ(plan.areas[0].behaviour, 2);
    EXPECT_TRUE(plan.areas[0].actions.empty());
    EXPECT_EQ(plan.areas[1].behaviour, 3);
    EXPECT_EQ(plan.areas[1].actions, (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(plan.unattached, (std::vector<std::size_t>{1, 3}));
}
