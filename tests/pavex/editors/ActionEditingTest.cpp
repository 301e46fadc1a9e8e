// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/editors/ActionEditing.h"
#include "analysis/ContentTree.h"
#include "model/OleDate.h"
#include "model/ScriptedPrompts.h"
#include "pavex/editors/ActionDialog.h"
#include "pavex/editors/LocaleDates.h"
#include "tests/pavex/editors/TypedActions.h"
#include "tests/support/Samples.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> comboTexts(const QComboBox& box) {
    std::vector<std::string> texts;
    for (int i = 0; i < box.count(); ++i) {
        texts.push_back(box.itemText(i).toStdString());
    }
    return texts;
}

TEST(ActionDialog, ListsTheBehavioursAlphabeticallyWithTheActionsOwnBehaviourChosen) {
    CPavexFramework framework = samples::role().framework;
    framework.behaviours[0].statement = "zeal shown daily";
    framework.behaviours[1].statement = "Acts on feedback";
    framework.behaviours[2].statement = "Acts on feedback"; // the same words twice
    ScriptedPrompts prompts;
    CPavexAction action;
    action.behaviour = 2;
    ActionDialog dialog(framework, action, prompts);
    EXPECT_EQ(dialog.windowTitle(), "Development Action");
    EXPECT_EQ(comboTexts(*dialog.behaviourBox()),
              (std::vector<std::string>{"Acts on feedback", "Acts on feedback", "zeal shown daily"}));
    // Of two equal statements the one the action names is chosen, so OK keeps its behaviour.
    EXPECT_EQ(dialog.behaviourBox()->currentData().toInt(), 2);
    dialog.accept();
    EXPECT_EQ(dialog.action().behaviour, 2);

    action.behaviour = CPavexAction::kNoBehaviour;
    ActionDialog none(framework, action, prompts);
    EXPECT_EQ(none.behaviourBox()->currentIndex(), -1);
    none.accept();
    EXPECT_EQ(none.action().behaviour, CPavexAction::kNoBehaviour);
}

TEST(ActionDialog, HandsBackWhatWasTypedWithBlanksOnlyStoredAsUnspecified) {
    const CPavexFramework framework = samples::role().framework;
    ScriptedPrompts prompts;
    CPavexAction action = ActionEditing::newActionFor(1);
    ActionDialog dialog(framework, action, prompts);
    dialog.show();
    QTest::keyClicks(dialog.situationBox(), "Team meetings");
    QTest::keyClick(dialog.situationBox(), Qt::Key_Return);
    QTest::keyClicks(dialog.situationBox(), "Reviews");
    QTest::keyClicks(dialog.actionBox(), "   ");
    QTest::keyClicks(dialog.supportBox(), "Coach");
    QTest::keyClicks(dialog.measurementBox(), "Fewer surprises");
    dialog.completedBox()->click();
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const CPavexAction& edited = dialog.action();
    EXPECT_EQ(edited.behaviour, 1);
    EXPECT_EQ(edited.situation, "Team meetings\r\nReviews"); // Return is a new line, not OK
    EXPECT_EQ(edited.action, "<unspecified>");
    EXPECT_EQ(edited.support, "Coach");
    EXPECT_EQ(edited.measure, "Fewer surprises");
    EXPECT_EQ(edited.completed, 1);
    EXPECT_EQ(edited.doBy, action.doBy);
    EXPECT_TRUE(prompts.shown().empty());
}

TEST(ActionDialog, ADoByTextThatIsNoDateIsRefusedAndTheDialogStaysOpen) {
    const CPavexFramework framework = samples::role().framework;
    ScriptedPrompts prompts;
    ActionDialog dialog(framework, ActionEditing::newActionFor(0), prompts);
    dialog.show();
    dialog.doByBox()->setText("next Tuesday-ish");
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text, "Please enter a date and/or time.");

    dialog.doByBox()->setText("2027-03-14");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(editableDate(dialog.action().doBy), editableDate(*parseDateInUserLocale("2027-03-14")));
}

class ActionEditingTest : public ::testing::Test {
protected:
    ActionEditingTest() : m_doc(samples::journal("")), m_tree(m_doc, formatDateInCLocale) {
        m_tree.build();
        m_editing.setActionEditor(m_typed.editor());
    }

    std::vector<std::string> actionLabels() const {
        std::vector<std::string> labels;
        const ContentNode& actions = *m_tree.landmarks().actions;
        for (std::size_t i = 0; i < actions.childCount(); ++i) {
            labels.push_back(actions.child(i).label());
        }
        return labels;
    }

    CPavexDoc m_doc;
    ContentTree m_tree;
    ScriptedPrompts m_prompts;
    ActionEditing m_editing{m_doc, m_tree, m_prompts, nullptr};
    TypedActions m_typed;
};

TEST_F(ActionEditingTest, ANewActionProposesTheBehaviourAndADateNinetyDaysAheadAndJoinsTheTree) {
    m_typed.text = "Ask for feedback\r\nevery week";
    ASSERT_TRUE(m_editing.newAction(1));
    ASSERT_EQ(m_typed.offered.size(), 1u);
    EXPECT_EQ(m_typed.offered[0].behaviour, 1);
    EXPECT_EQ(m_typed.offered[0].doBy, oledate::todayPlusDays(90));
    EXPECT_EQ(m_typed.offered[0].completed, 0);
    EXPECT_EQ(m_doc.actions.back().action, "Ask for feedback\r\nevery week");
    EXPECT_TRUE(m_doc.modified);
    EXPECT_EQ(actionLabels().back(), "Ask for feedback");

    m_typed.text.reset(); // cancelled
    m_doc.modified = false;
    EXPECT_FALSE(m_editing.newAction(1));
    EXPECT_EQ(m_doc.actions.size(), 3u);
    EXPECT_FALSE(m_doc.modified);
}

TEST_F(ActionEditingTest, EditingRelabelsTheNodeAndDeletingAsksFirst) {
    m_typed.text = "Plan the week\r\nwith the team";
    ASSERT_TRUE(m_editing.editAction(0));
    EXPECT_EQ(actionLabels().front(), "Plan the week");
    m_prompts.queueAnswer(false);
    EXPECT_FALSE(m_editing.deleteAction(0));
    EXPECT_EQ(actionLabels().size(), 2u);
    m_prompts.queueAnswer(true);
    ASSERT_TRUE(m_editing.deleteAction(0));
    EXPECT_EQ(m_prompts.shown().back().caption, "Delete action");
    EXPECT_EQ(actionLabels(), std::vector<std::string>{"Read a book"});
    EXPECT_FALSE(m_editing.editAction(5));
    EXPECT_FALSE(m_editing.deleteAction(5));
}

TEST_F(ActionEditingTest, AFullJournalIsToldBeforeTheDialogOpens) {
    m_doc.actions.resize(static_cast<std::size_t>(kMaxActions), m_doc.actions[0]);
    m_typed.text = "One more";
    EXPECT_FALSE(m_editing.newAction(0));
    EXPECT_TRUE(m_typed.offered.empty());
    ASSERT_EQ(m_prompts.shown().size(), 1u);
    EXPECT_EQ(m_prompts.shown()[0].text, journaltext::kTooManyActions);
}

} // namespace
