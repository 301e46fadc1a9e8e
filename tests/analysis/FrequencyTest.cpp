// SPDX-License-Identifier: GPL-3.0-or-later
// How often each response to a behaviour was given, and the axis the frequencies page draws.
#include "analysis/FrequencyTable.h"
#include "tests/analysis/TestJournals.h"

#include <gtest/gtest.h>

using namespace testjournals;

TEST(Frequencies, CountEveryIncludedAnswerByOptionAndGroupNotNeededToo) {
    JournalRecord journal = journalWithRole(1, 2);
    answer(journal, 0, {kNotNeeded, kPriority});
    answer(journal, 1, {kNotNeeded, kPriority});
    answer(journal, 1, {kClearStrength, kSkip});
    answer(journal, 5, {kClearStrength, kSkip});
    answer(journal, 2, {kPriority, kSkip});
    journal.questionnaires.back().useInResults = 0;

    CFrequencyTable table(0);
    table.refresh(journal);
    EXPECT_EQ(table.optionCount(), 4);
    EXPECT_EQ(table.count(kNotNeeded, 0), 1);
    EXPECT_EQ(table.count(kNotNeeded, 1), 1);
    EXPECT_EQ(table.count(kClearStrength, 1), 1);
    EXPECT_EQ(table.count(kClearStrength, 5), 1);
    EXPECT_EQ(table.count(kPriority, 2), 0); // left out of results
    EXPECT_EQ(table.answersInGroup(1), 2);
    EXPECT_EQ(table.answersInGroup(2), 0);
    EXPECT_EQ(table.rowTotal(kClearStrength), 2);
}

TEST(Frequencies, AxisRunsToTheLargestRowTotalButNeverBelowFive) {
    JournalRecord journal = journalWithRole(1, 1);
    answer(journal, 0, {kPriority});
    CFrequencyTable table(0);
    table.refresh(journal);
    EXPECT_EQ(table.axisMaximum(), 5);
    for (int q = 0; q < 6; ++q) {
        answer(journal, q % 6, {kNotConsistent});
    }
    table.refresh(journal);
    EXPECT_EQ(table.axisMaximum(), 6);
}

TEST(Frequencies, ShowOneRowPerOptionOfTheBehavioursScale) {
    JournalRecord journal = journalWithRole(1, 2);
    journal.framework.behaviours[1].scale = addScale(journal, {0, 1}, 1);
    journal.framework.behaviours[0].scale = 9; // no such scale
    answer(journal, 0, {0, 1});
    CFrequencyTable twoOptions(1);
    twoOptions.refresh(journal);
    EXPECT_EQ(twoOptions.optionCount(), 2);
    EXPECT_EQ(twoOptions.count(1, 0), 1);
    CFrequencyTable noScale(0);
    noScale.refresh(journal);
    EXPECT_EQ(noScale.optionCount(), 0);
    EXPECT_EQ(noScale.answersInGroup(0), 0);
    CFrequencyTable noBehaviour(7);
    noBehaviour.refresh(journal);
    EXPECT_EQ(noBehaviour.optionCount(), 0);
    EXPECT_EQ(noBehaviour.axisMaximum(), 5);
}
