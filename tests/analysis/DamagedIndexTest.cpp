// SPDX-License-Identifier: GPL-3.0-or-later
// Stored indexes that point outside the framework are counted nowhere, and nothing is read outside
// an array, whatever a damaged or hand-made journal holds.
#include "analysis/ContentTree.h"
#include "analysis/FrequencyTable.h"
#include "analysis/ResultList.h"
#include "tests/analysis/ListHelpers.h"
#include "tests/analysis/TestJournals.h"

#include <gtest/gtest.h>

using namespace testjournals;

namespace {

// A sound journal, and the same journal with answers and questionnaires that point nowhere added.
struct Pair {
    JournalRecord sound;
    JournalRecord damaged;
};

Pair soundAndDamaged() {
    Pair pair{journalWithRole(2, 2), {}};
    answer(pair.sound, 0, {kClearStrength, kPriority, kNotConsistent, kNotNeeded});
    answer(pair.sound, 1, {kPriority, kNotConsistent, kClearStrength, kClearStrength});
    pair.damaged = pair.sound;
    auto& responses = pair.damaged.questionnaires[1].responses;
    responses.push_back({4, kClearStrength});  // behaviour beyond the framework
    responses.push_back({-1, kClearStrength}); // negative behaviour
    responses.push_back({1000000, 0});         // far beyond
    responses.push_back({0, 4});               // option at the option count
    responses.push_back({1, 6});               // option beyond the stored options
    responses.push_back({2, -1});              // negative option
    responses.push_back({3, 2147483647});
    for (const std::int32_t relationship : {6, -1, 1000}) {
        CPavexFeedback stray = questionnaire(relationship, {kClearStrength, kClearStrength, kPriority, kPriority});
        pair.damaged.questionnaires.push_back(stray);
    }
    return pair;
}

} // namespace

TEST(DamagedIndexes, AnswersAndQuestionnairesOutsideTheFrameworkCountInNoList) {
    const Pair pair = soundAndDamaged();
    const CPavexFramework& framework = pair.sound.framework;
    std::vector<CResultList> lists{
        CResultList::competencies(framework),   CResultList::behaviours(framework, -1),
        CResultList::behaviours(framework, 0),  CResultList::differences(framework, 0),
        CResultList::differences(framework, 1), CResultList::extraRequirements(framework, 0)};
    for (CResultList& list : lists) {
        CResultList damaged = list;
        list.refresh(pair.sound);
        damaged.refresh(pair.damaged);
        EXPECT_EQ(damaged.questionnairesPerGroup(), list.questionnairesPerGroup());
        for (std::size_t rank = 0; rank < list.size(); ++rank) {
            EXPECT_EQ(damaged.at(rank), list.at(rank));
        }
    }
}

TEST(DamagedIndexes, AnswersOutsideTheFrameworkCountNotInFrequencies) {
    const Pair pair = soundAndDamaged();
    for (std::int32_t b = 0; b < 4; ++b) {
        CFrequencyTable sound(b);
        CFrequencyTable damaged(b);
        sound.refresh(pair.sound);
        damaged.refresh(pair.damaged);
        for (int option = 0; option < kMaxOptions; ++option) {
            for (int g = 0; g < kRelationshipCount; ++g) {
                EXPECT_EQ(damaged.count(option, g), sound.count(option, g));
            }
        }
    }
}

TEST(DamagedIndexes, BehavioursOnMissingScalesOrCompetenciesAreCountedNowhereButListed) {
    JournalRecord journal = journalWithRole(1, 3);
    journal.framework.behaviours[0].scale = 5;
    journal.framework.behaviours[1].scale = -1;
    journal.framework.behaviours[2].competency = 7;
    journal.framework.scales[0].optionCount = 40; // more options than a scale holds
    answer(journal, 0, {kClearStrength, kClearStrength, kClearStrength});
    journal.questionnaires[0].responses.push_back({2, 39}); // within the option count, beyond the stored options

    CResultList behaviours = CResultList::behaviours(journal.framework, -1);
    behaviours.refresh(journal);
    EXPECT_EQ(itemWithIndex(behaviours, 0).groupAnswers(0), 0);
    EXPECT_EQ(itemWithIndex(behaviours, 1).groupAnswers(0), 0);
    EXPECT_EQ(itemWithIndex(behaviours, 2).groupAnswers(0), 1);
    CFrequencyTable table(2);
    table.refresh(journal);
    EXPECT_EQ(table.optionCount(), kMaxOptions);
    EXPECT_EQ(table.answersInGroup(0), 1);

    CResultList competencies = CResultList::competencies(journal.framework);
    competencies.refresh(journal);
    EXPECT_EQ(competencies.at(0).groupAnswers(0), 0);

    ContentTree tree(journal, formatDateInCLocale);
    tree.build();
    tree.refreshAll();
    EXPECT_EQ(tree.landmarks().firstCompetency->childCount(), 2u); // not the one naming competency 7
    EXPECT_EQ(tree.landmarks().behaviours->childCount(), 3u);
}

TEST(DamagedIndexes, ActionsNamingMissingBehavioursHaveNoEffectOnMarks) {
    JournalRecord journal = journalWithRole(1, 1);
    CPavexAction action;
    action.behaviour = 1;
    journal.actions.push_back(action);
    answer(journal, 0, {kClearStrength});
    CResultList list = CResultList::behaviours(journal.framework, CResultList::kWithActions);
    list.refresh(journal);
    EXPECT_EQ(list.shownCount(), 0);
}
