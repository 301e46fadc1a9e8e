// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/core/RoleTransfer.h"

#include "RoleOutline.h"

#include "model/ScriptedPrompts.h"

#include <gtest/gtest.h>

using kvrole::ItemRef;
namespace transfer = kvrole::transfer;

namespace {

using Outline = RoleOutline;

Outline outline(const CPavexFramework& framework) {
    return outlineOf(framework);
}

CPavexFramework frameworkOf(const Outline& lines) {
    CPavexFramework framework = CRole::makeDefault().framework;
    appendOutline(framework, lines);
    return framework;
}

CPavexFramework withBehaviours(int count) {
    CPavexFramework framework = frameworkOf({"Full:"});
    for (int i = 0; i < count; ++i) {
        kvrole::editing::insertBehaviour(framework, i, 0, "s" + std::to_string(i));
    }
    return framework;
}

transfer::PasteOutcome pasteText(CPavexFramework& framework, ItemRef selected, std::string_view text,
                                 ScriptedPrompts& prompts) {
    return transfer::paste(framework, selected, transfer::parsePasteTable(text), prompts);
}

} // namespace

TEST(CopyText, ListsEachBehaviourWithItsCompetencyAndSkipsEmptyCompetenciesOnTheRoot) {
    const CPavexFramework framework = frameworkOf({"Empty:", "Lead:Sets goals,Listens"});
    EXPECT_EQ(transfer::copyText(framework, ItemRef::root()), "Lead\tSets goals\r\nLead\tListens\r\n");
    EXPECT_EQ(transfer::copyText(framework, ItemRef::competency(0)), "Empty\r\n");
    EXPECT_EQ(transfer::copyText(framework, ItemRef::competency(1)), "Lead\tSets goals\r\nLead\tListens\r\n");
    EXPECT_EQ(transfer::copyText(framework, ItemRef::behaviour(1)), "Listens\r\n");
}

TEST(CopyText, AnItemOutsideTheRoleCopiesNothing) {
    CPavexFramework framework = frameworkOf({"Lead:Sets goals,Listens"});
    framework.behaviours[1].competency = 7; // as a damaged file may hold
    for (const ItemRef item : {ItemRef::competency(-1), ItemRef::competency(1), ItemRef::behaviour(-1),
                               ItemRef::behaviour(2), ItemRef::behaviour(1)}) {
        EXPECT_EQ(transfer::copyText(framework, item), "") << item.value();
    }
    EXPECT_EQ(transfer::copyText(framework, ItemRef::behaviour(0)), "Sets goals\r\n");
}

TEST(CopyText, TurnsTabsAndLineBreaksInsideTextsIntoSpacesAndHoldsLongRolesWhole) {
    CPavexFramework framework = frameworkOf({"A\tB:x\r\ny"});
    EXPECT_EQ(transfer::copyText(framework, ItemRef::root()), "A B\tx  y\r\n");

    CPavexFramework large = withBehaviours(256);
    for (CBehaviour& behaviour : large.behaviours) {
        behaviour.statement = std::string(200, 'w');
    }
    EXPECT_EQ(transfer::copyText(large, ItemRef::root()).size(), 256u * (4 + 1 + 200 + 2));
}

TEST(PasteTable, ReadsCellsTrimsThemAndFillsEmptyReadCellsFromTheRowAbove) {
    const auto table = transfer::parsePasteTable("  A \t x \r\n\r\n\ty\nB\n \n");
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.columns, 2);
    EXPECT_EQ(table.rows[0][0], "A");
    EXPECT_EQ(table.rows[0][1], "x");
    EXPECT_EQ(table.rows[1][0], "A"); // filled down
    EXPECT_EQ(table.rows[1][1], "y");
    EXPECT_EQ(table.rows[2][0], "B");
    EXPECT_EQ(table.rows[2][1], ""); // not read, so not filled
}

TEST(PasteTable, StopsAtFourColumnsAndAt256Rows) {
    const auto wide = transfer::parsePasteTable("1\t2\t3\t4\t5\t6\nnext");
    ASSERT_EQ(wide.rows.size(), 2u);
    EXPECT_EQ(wide.columns, 4);
    EXPECT_EQ(wide.rows[0][3], "4");
    EXPECT_EQ(wide.rows[1][0], "next");

    std::string many;
    for (int i = 0; i < 300; ++i) {
        many += "line" + std::to_string(i) + "\n";
    }
    const auto table = transfer::parsePasteTable(many);
    ASSERT_EQ(table.rows.size(), 256u);
    EXPECT_EQ(table.rows.back()[0], "line255");
    EXPECT_TRUE(transfer::parsePasteTable(" \r\n  \n").rows.empty());
}

TEST(Paste, OneColumnGoesByTheSelectedItem) {
    ScriptedPrompts prompts;
    CPavexFramework framework = frameworkOf({"A:a1,a2", "B:b1"});
    EXPECT_TRUE(pasteText(framework, ItemRef::competency(0), "n1\nn2", prompts).pasted);
    EXPECT_EQ(outline(framework), (Outline{"A:a1,a2,n1,n2", "B:b1"}));

    framework = frameworkOf({"A:a1,a2", "B:b1"});
    const auto outcome = pasteText(framework, ItemRef::behaviour(1), "n1\nn2", prompts);
    EXPECT_EQ(outcome.expand, ItemRef::competency(0));
    EXPECT_EQ(outline(framework), (Outline{"A:a1,n1,n2,a2", "B:b1"}));

    framework = frameworkOf({"A:a1"});
    pasteText(framework, ItemRef::root(), "C\nD", prompts);
    EXPECT_EQ(outline(framework), (Outline{"A:a1", "C:", "D:"}));
    EXPECT_TRUE(prompts.shown().empty());
}

TEST(Paste, TwoColumnsFileStatementsUnderCompetenciesCreatedAfterTheSelection) {
    ScriptedPrompts prompts;
    CPavexFramework framework = frameworkOf({"A:a1", "B:b1"});
    pasteText(framework, ItemRef::behaviour(0), "X\tlonger statement\n\tsecond\nY\tthird\nX\tfourth", prompts);
    EXPECT_EQ(outline(framework), (Outline{"X:longer statement,second,fourth", "Y:third", "A:a1", "B:b1"}));

    // The longer column holds the statements, whichever side it is on.
    framework = frameworkOf({});
    pasteText(framework, ItemRef::root(), "a long statement\tName\n", prompts);
    EXPECT_EQ(outline(framework), (Outline{"Name:a long statement"}));

    // A line without a tab leaves its statement empty.
    framework = frameworkOf({});
    pasteText(framework, ItemRef::root(), "Name\tstatement\nAlone\n", prompts);
    EXPECT_EQ(outline(framework), (Outline{"Name:statement", "Alone:"}));
}

TEST(Paste, CopyOfTheRootPastedOnAnEmptyRoleRecreatesCompetenciesWithBehaviours) {
    ScriptedPrompts prompts;
    const CPavexFramework source = frameworkOf({"Empty:", "Lead:Sets clear goals,Listens", "Team:Shares credit"});
    CPavexFramework target = frameworkOf({});
    pasteText(target, ItemRef::root(), transfer::copyText(source, ItemRef::root()), prompts);
    EXPECT_EQ(outline(target), (Outline{"Lead:Sets clear goals,Listens", "Team:Shares credit"}));
}

TEST(Paste, RefusesAllOrNothingPastTheRolesLimits) {
    ScriptedPrompts prompts;
    CPavexFramework framework = withBehaviours(255);
    const CPavexFramework before = framework;
    EXPECT_FALSE(pasteText(framework, ItemRef::competency(0), "one\ntwo", prompts).pasted);
    EXPECT_EQ(framework, before);
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{std::string(transfer::kPasteDoesNotFit)}));
    EXPECT_TRUE(pasteText(framework, ItemRef::competency(0), "one", prompts).pasted);

    CPavexFramework competencies = frameworkOf({});
    competencies.competencies.resize(1023);
    EXPECT_FALSE(pasteText(competencies, ItemRef::root(), "X\nY", prompts).pasted);
    EXPECT_EQ(competencies.competencies.size(), 1023u);
}

TEST(MoveItem, BehavioursMoveBeforeTheTargetOrToTheEndOfACompetencyKeepingTheirFields) {
    CPavexFramework framework = frameworkOf({"A:a1,a2,a3", "B:b1"});
    framework.behaviours[0].description = "kept";
    framework.behaviours[0].marked = 1;
    framework.behaviours[0].reserved = "r";

    EXPECT_FALSE(transfer::moveItem(framework, ItemRef::behaviour(0), ItemRef::behaviour(1))); // the one below
    EXPECT_FALSE(transfer::moveItem(framework, ItemRef::behaviour(0), ItemRef::root()));
    EXPECT_EQ(outline(framework), (Outline{"A:a1,a2,a3", "B:b1"}));

    EXPECT_EQ(transfer::moveItem(framework, ItemRef::behaviour(0), ItemRef::behaviour(2)), ItemRef::behaviour(1));
    EXPECT_EQ(outline(framework), (Outline{"A:a2,a1,a3", "B:b1"}));

    EXPECT_EQ(transfer::moveItem(framework, ItemRef::behaviour(1), ItemRef::competency(1)), ItemRef::behaviour(3));
    EXPECT_EQ(outline(framework), (Outline{"A:a2,a3", "B:b1,a1"}));
    const CBehaviour& moved = framework.behaviours[3];
    EXPECT_EQ(moved.description, "kept");
    EXPECT_EQ(moved.marked, 1);
    EXPECT_EQ(moved.reserved, "r");
    EXPECT_TRUE(kvrole::editing::isOrdered(framework));
}

TEST(MoveItem, CompetenciesMoveInFrontOfTheTargetOrToTheEnd) {
    CPavexFramework framework = frameworkOf({"A:a1", "B:b1,b2", "C:"});
    EXPECT_FALSE(transfer::moveItem(framework, ItemRef::competency(0), ItemRef::competency(1))); // the next one
    EXPECT_FALSE(transfer::moveItem(framework, ItemRef::competency(0), ItemRef::behaviour(0)));  // its own

    EXPECT_EQ(transfer::moveItem(framework, ItemRef::competency(0), ItemRef::root()), ItemRef::competency(2));
    EXPECT_EQ(outline(framework), (Outline{"B:b1,b2", "C:", "A:a1"}));

    EXPECT_EQ(transfer::moveItem(framework, ItemRef::competency(2), ItemRef::behaviour(1)), ItemRef::competency(0));
    EXPECT_EQ(outline(framework), (Outline{"A:a1", "B:b1,b2", "C:"}));
    EXPECT_TRUE(kvrole::editing::isOrdered(framework));
}

TEST(CopyItem, CompetencyCopiesRespectTheTargetsLimits) {
    ScriptedPrompts prompts;
    const CPavexFramework source = frameworkOf({"Six:1,2,3,4,5,6"});
    CPavexFramework target = withBehaviours(250);
    EXPECT_EQ(transfer::copyItem(source, ItemRef::competency(0), target, ItemRef::root(), prompts),
              ItemRef::competency(1));
    EXPECT_EQ(target.behaviours.size(), 256u);

    CPavexFramework over = withBehaviours(251);
    EXPECT_FALSE(transfer::copyItem(source, ItemRef::competency(0), over, ItemRef::root(), prompts));
    EXPECT_EQ(over.behaviours.size(), 251u);

    CPavexFramework full = frameworkOf({});
    full.competencies.resize(1024);
    EXPECT_FALSE(transfer::copyItem(source, ItemRef::competency(0), full, ItemRef::root(), prompts));
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{std::string(transfer::kOverBehaviourLimit),
                                                         std::string(kvrole::kTooManyCompetencies)}));
}

TEST(CopyItem, BehaviourCopiesGoInFrontOfABehaviourOrAtTheEndOfACompetency) {
    ScriptedPrompts prompts;
    const CPavexFramework source = frameworkOf({"S:copied"});
    CPavexFramework target = frameworkOf({"A:a1,a2", "B:b1"});
    EXPECT_EQ(transfer::copyItem(source, ItemRef::behaviour(0), target, ItemRef::behaviour(1), prompts),
              ItemRef::behaviour(1));
    EXPECT_EQ(transfer::copyItem(source, ItemRef::behaviour(0), target, ItemRef::competency(1), prompts),
              ItemRef::behaviour(4));
    EXPECT_FALSE(transfer::copyItem(source, ItemRef::behaviour(0), target, ItemRef::root(), prompts));
    EXPECT_EQ(outline(target), (Outline{"A:a1,copied,a2", "B:b1,copied"}));

    CPavexFramework full = withBehaviours(256);
    EXPECT_FALSE(transfer::copyItem(source, ItemRef::behaviour(0), full, ItemRef::competency(0), prompts));
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{std::string(kvrole::kTooManyBehaviours)}));
}
