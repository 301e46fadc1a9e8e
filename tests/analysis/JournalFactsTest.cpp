// SPDX-License-Identifier: GPL-3.0-or-later
// Which behaviours are marked for development and which have actions, asked one at a time or all at once.
#include "analysis/JournalFacts.h"
#include "tests/analysis/TestJournals.h"

#include <gtest/gtest.h>

using namespace testjournals;

TEST(JournalFacts, MarksAndActionsOfTheFirstAndLastBehaviourCountAndIndexesOutsideHaveNone) {
    JournalRecord journal = journalWithRole(2, 2);
    const auto last = static_cast<std::int32_t>(journal.framework.behaviours.size()) - 1;
    journal.framework.behaviours.front().marked = 1;
    journal.framework.behaviours.back().marked = 1;
    for (const std::int32_t behaviour : {0, last, last + 1, -1, CPavexAction::kNoBehaviour}) {
        CPavexAction action;
        action.behaviour = behaviour;
        journal.actions.push_back(action);
    }
    journalfacts::DevelopmentFacts facts;
    facts.update(journal);

    for (std::int32_t behaviour = -2; behaviour <= last + 2; ++behaviour) {
        const bool expected = behaviour == 0 || behaviour == last;
        EXPECT_EQ(journalfacts::isMarked(journal.framework, behaviour), expected) << behaviour;
        EXPECT_EQ(journalfacts::hasActions(journal, behaviour), expected) << behaviour;
        EXPECT_EQ(facts.marked(behaviour), expected) << behaviour;
        EXPECT_EQ(facts.hasActions(behaviour), expected) << behaviour;
    }
}
