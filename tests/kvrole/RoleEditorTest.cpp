// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/core/RoleEditor.h"

#include "model/ScriptedPrompts.h"

#include <gtest/gtest.h>

using kvrole::ItemRef;
using kvrole::RoleEditor;

namespace {

// A role with competencies A (behaviours a1, a2) and B (b1).
CRole twoCompetencyRole() {
    CRole role = CRole::makeDefault();
    role.name = "Lead";
    role.framework.competencies = {{"A", ""}, {"B", ""}};
    kvrole::editing::insertBehaviour(role.framework, 0, 0, "a1");
    kvrole::editing::insertBehaviour(role.framework, 1, 0, "a2");
    kvrole::editing::insertBehaviour(role.framework, 2, 1, "b1");
    return role;
}

std::vector<std::string> statementsWithCompetency(const CRole& role) {
    std::vector<std::string> result;
    for (const CBehaviour& behaviour : role.framework.behaviours) {
        result.push_back(role.framework.competencies[static_cast<std::size_t>(behaviour.competency)].name + "/" +
                         behaviour.statement);
    }
    return result;
}

} // namespace

TEST(ItemValues, NameTheRootCompetenciesAndBehaviours) {
    EXPECT_EQ(ItemRef::fromValue(0), ItemRef::root());
    EXPECT_EQ(ItemRef::fromValue(-1), ItemRef::competency(0));
    EXPECT_EQ(ItemRef::fromValue(3), ItemRef::behaviour(2));
    EXPECT_EQ(ItemRef::competency(4).value(), -5);
    EXPECT_EQ(ItemRef::behaviour(0).value(), 1);
}

TEST(NewCompetency, GoesFirstOnTheRootAndAfterTheSelectedCompetencyOtherwise) {
    ScriptedPrompts prompts;
    CRole role = twoCompetencyRole();
    RoleEditor editor(role, prompts);

    EXPECT_EQ(editor.newCompetency(ItemRef::root()), 0);
    EXPECT_EQ(role.framework.competencies[0].name, "");
    // A now 1 and B 2; their behaviours follow them.
    EXPECT_EQ(statementsWithCompetency(role), (std::vector<std::string>{"A/a1", "A/a2", "B/b1"}));

    EXPECT_EQ(editor.newCompetency(ItemRef::competency(1)), 2); // after A
    EXPECT_EQ(editor.newCompetency(ItemRef::behaviour(2)), 4);  // after B, b1's competency
    ASSERT_EQ(role.framework.competencies.size(), 5u);
    EXPECT_EQ(role.framework.competencies[1].name, "A");
    EXPECT_EQ(role.framework.competencies[3].name, "B");
    EXPECT_EQ(statementsWithCompetency(role), (std::vector<std::string>{"A/a1", "A/a2", "B/b1"}));
    EXPECT_TRUE(kvrole::editing::isOrdered(role.framework));
    EXPECT_TRUE(prompts.shown().empty());
}

TEST(NewBehaviour, GoesFirstInTheCompetencyOrAfterTheSelectedBehaviourAndNowhereOnTheRoot) {
    ScriptedPrompts prompts;
    CRole role = twoCompetencyRole();
    RoleEditor editor(role, prompts);

    EXPECT_EQ(editor.newBehaviour(ItemRef::competency(1)), 2);
    role.framework.behaviours[2].statement = "b0";
    EXPECT_EQ(editor.newBehaviour(ItemRef::behaviour(0)), 1);
    role.framework.behaviours[1].statement = "a1+";
    EXPECT_EQ(editor.newBehaviour(ItemRef::root()), std::nullopt);
    EXPECT_EQ(statementsWithCompetency(role), (std::vector<std::string>{"A/a1", "A/a1+", "A/a2", "B/b0", "B/b1"}));

    const CBehaviour& created = role.framework.behaviours[1];
    EXPECT_EQ(created.scale, 0);
    EXPECT_EQ(created.marked, 0);
    EXPECT_TRUE(created.description.empty());
    EXPECT_TRUE(created.reserved.empty());
}

TEST(NewBehaviour, AddsThe256thAndRefusesThe257th) {
    ScriptedPrompts prompts;
    CRole role = twoCompetencyRole();
    while (role.framework.behaviours.size() < 255) {
        kvrole::editing::insertBehaviour(role.framework, 0, 0, "x");
    }
    RoleEditor editor(role, prompts);
    EXPECT_TRUE(editor.newBehaviour(ItemRef::competency(0)).has_value());
    EXPECT_EQ(role.framework.behaviours.size(), 256u);
    EXPECT_EQ(editor.newBehaviour(ItemRef::competency(0)), std::nullopt);
    EXPECT_EQ(role.framework.behaviours.size(), 256u);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"You have reached the maximum number of behaviours"});
}

TEST(NewCompetency, IsRefusedWith1024Competencies) {
    ScriptedPrompts prompts;
    CRole role = CRole::makeDefault();
    role.framework.competencies.resize(1024);
    RoleEditor editor(role, prompts);
    EXPECT_EQ(editor.newCompetency(ItemRef::root()), std::nullopt);
    EXPECT_EQ(role.framework.competencies.size(), 1024u);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"You have reached the maximum number of competencies"});
}

TEST(Delete, AsksItsQuestionAndOnlyOkDeletes) {
    ScriptedPrompts prompts;
    CRole role = twoCompetencyRole();
    RoleEditor editor(role, prompts);

    prompts.queueAnswer(false);
    EXPECT_FALSE(editor.remove(ItemRef::competency(0), true));
    EXPECT_EQ(role.framework.competencies.size(), 2u);

    prompts.queueAnswer(true);
    EXPECT_TRUE(editor.remove(ItemRef::behaviour(1), true));
    prompts.queueAnswer(true);
    EXPECT_TRUE(editor.remove(ItemRef::competency(0), true));
    EXPECT_EQ(statementsWithCompetency(role), std::vector<std::string>{"B/b1"});
    EXPECT_EQ(role.framework.behaviours[0].competency, 0);

    prompts.queueAnswer(true);
    EXPECT_TRUE(editor.remove(ItemRef::root(), true));
    EXPECT_TRUE(role.framework.competencies.empty());
    EXPECT_TRUE(role.framework.behaviours.empty());
    EXPECT_EQ(prompts.texts(),
              (std::vector<std::string>{"Are you sure you want to delete the competency 'A' and its behaviours?",
                                        "Are you sure you want to delete the behaviour 'a2'?",
                                        "Are you sure you want to delete the competency 'A' and its behaviours?",
                                        "Are you sure you want to delete all competencies and all behaviours for "
                                        "the role 'Lead'?"}));
}

TEST(Delete, AsksNothingWhenConfirmationIsOff) {
    ScriptedPrompts prompts;
    CRole role = twoCompetencyRole();
    EXPECT_TRUE(RoleEditor(role, prompts).remove(ItemRef::competency(1), false));
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(role.framework.competencies.size(), 1u);
}

TEST(MoveBehaviour, PutsItLastInTheOtherCompetencyWithItsFieldsAndLeavesTheRestInPlace) {
    CRole role = twoCompetencyRole();
    role.framework.behaviours[0].description = "kept when moved";
    role.framework.behaviours[0].scale = 2;
    role.framework.behaviours[0].marked = 1;
    role.framework.behaviours[0].reserved = "r";
    EXPECT_EQ(kvrole::editing::moveBehaviour(role.framework, 0, 1), 2);
    EXPECT_EQ(statementsWithCompetency(role), (std::vector<std::string>{"A/a2", "B/b1", "B/a1"}));
    const CBehaviour& moved = role.framework.behaviours[2];
    EXPECT_EQ(moved.description, "kept when moved");
    EXPECT_EQ(moved.scale, 2);
    EXPECT_EQ(moved.marked, 1);
    EXPECT_EQ(moved.reserved, "r");

    EXPECT_EQ(kvrole::editing::moveBehaviour(role.framework, 2, 0), 1);
    EXPECT_EQ(statementsWithCompetency(role), (std::vector<std::string>{"A/a2", "A/a1", "B/b1"}));
}

TEST(Rename, StoresTheRoleNameCompetencyNameOrStatement) {
    ScriptedPrompts prompts;
    CRole role = twoCompetencyRole();
    RoleEditor editor(role, prompts);
    editor.rename(ItemRef::root(), "Manager");
    editor.rename(ItemRef::competency(1), "Bee");
    editor.rename(ItemRef::behaviour(0), "first");
    EXPECT_EQ(role.name, "Manager");
    EXPECT_EQ(role.framework.competencies[1].name, "Bee");
    EXPECT_EQ(role.framework.behaviours[0].statement, "first");
}

TEST(TreeKeys, PostTheCommandsOfTheirItem) {
    using K = kvrole::TreeKey;
    using C = kvrole::TreeCommand;
    using I = ItemRef::Kind;
    for (K key : {K::Tab, K::Right}) {
        EXPECT_EQ(kvrole::commandForKey(key, I::Root), C::NewCompetency);
        EXPECT_EQ(kvrole::commandForKey(key, I::Competency), C::NewBehaviour);
        EXPECT_EQ(kvrole::commandForKey(key, I::Behaviour), C::NewBehaviour);
    }
    for (K key : {K::Return, K::Insert}) {
        EXPECT_EQ(kvrole::commandForKey(key, I::Root), C::NewCompetency);
        EXPECT_EQ(kvrole::commandForKey(key, I::Competency), C::NewCompetency);
        EXPECT_EQ(kvrole::commandForKey(key, I::Behaviour), C::NewBehaviour);
    }
    EXPECT_EQ(kvrole::commandForKey(K::Delete, I::Root), C::None);
    EXPECT_EQ(kvrole::commandForKey(K::Delete, I::Behaviour), C::Delete);
}
