// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/editors/BehaviourJournalDialog.h"
#include "analysis/ContentTree.h"
#include "model/ScriptedPrompts.h"
#include "pavex/editors/ActionEditing.h"
#include "pavex/editors/LocaleDates.h"
#include "tests/pavex/editors/TypedActions.h"
#include "tests/support/Samples.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// Behaviour 2 of the sample journal with a second action, in a dialog whose action dialog is
// answered by the test.
class BehaviourJournalDialogTest : public ::testing::Test {
protected:
    BehaviourJournalDialogTest() : m_doc(samples::journal("")), m_tree(m_doc, formatDateInCLocale) {
        CPavexAction second = m_doc.actions[0];
        second.action = "Share the plan";
        second.completed = 1;
        m_doc.actions.push_back(second);
        m_tree.build();
        m_editing.setActionEditor(m_typed.editor());
        m_dialogHolder = std::make_unique<BehaviourJournalDialog>(m_doc, kBehaviour, m_editing);
    }

    std::vector<std::string> rowTexts(int column) const {
        std::vector<std::string> texts;
        for (int i = 0; i < dialog().actionList()->topLevelItemCount(); ++i) {
            texts.push_back(dialog().actionList()->topLevelItem(i)->text(column).toStdString());
        }
        return texts;
    }

    static constexpr std::int32_t kBehaviour = 2;
    CPavexDoc m_doc;
    ContentTree m_tree;
    ScriptedPrompts m_prompts;
    ActionEditing m_editing{m_doc, m_tree, m_prompts, nullptr};
    TypedActions m_typed;
    std::unique_ptr<BehaviourJournalDialog> m_dialogHolder;
    BehaviourJournalDialog& dialog() const { return *m_dialogHolder; }
};

TEST_F(BehaviourJournalDialogTest, ListsTheBehavioursActionsWithTheFirstSelected) {
    EXPECT_EQ(dialog().windowTitle(), "Behaviour development journal");
    EXPECT_EQ(rowTexts(0), (std::vector<std::string>{"Write goals down", "Share the plan"}));
    const std::string shortDate = formatDateInUserLocale(m_doc.actions[0].doBy, DateStyle::Short);
    EXPECT_EQ(rowTexts(1), (std::vector<std::string>{shortDate, shortDate}));
    EXPECT_EQ(rowTexts(2), (std::vector<std::string>{"No", "Yes"}));
    EXPECT_EQ(dialog().rowActions(), (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(dialog().actionList()->currentItem(), dialog().actionList()->topLevelItem(0));
    EXPECT_EQ(dialog().markedBox()->isChecked(), m_doc.framework.behaviours[kBehaviour].marked != 0);
}

TEST_F(BehaviourJournalDialogTest, CancelAfterTickingLeavesTheMarkAndOkWritesIt) {
    m_doc.framework.behaviours[kBehaviour].marked = 0;
    BehaviourJournalDialog cancelled(m_doc, kBehaviour, m_editing);
    cancelled.markedBox()->click();
    cancelled.reject();
    EXPECT_EQ(m_doc.framework.behaviours[kBehaviour].marked, 0);
    EXPECT_FALSE(m_doc.modified);

    BehaviourJournalDialog confirmed(m_doc, kBehaviour, m_editing);
    confirmed.markedBox()->click();
    confirmed.accept();
    EXPECT_EQ(m_doc.framework.behaviours[kBehaviour].marked, 1);
    EXPECT_TRUE(m_doc.modified);
}

TEST_F(BehaviourJournalDialogTest, AddEditAndDeleteChangeTheRowsAndTheTreesActions) {
    const ContentNode& actions = *m_tree.landmarks().actions;
    m_typed.text = "Coach a colleague";
    dialog().addButton()->click();
    EXPECT_EQ(rowTexts(0).back(), "Coach a colleague");
    EXPECT_EQ(m_doc.actions.back().behaviour, kBehaviour);
    EXPECT_EQ(actions.childCount(), 4u);
    EXPECT_EQ(dialog().actionList()->currentItem(), dialog().actionList()->topLevelItem(2));

    dialog().actionList()->setCurrentItem(dialog().actionList()->topLevelItem(1));
    m_typed.text = "Share the plan\r\nwith the team";
    dialog().editButton()->click();
    EXPECT_EQ(rowTexts(0)[1], "Share the plan with the team");
    EXPECT_EQ(actions.child(2).label(), "Share the plan");

    m_prompts.queueAnswer(true);
    dialog().deleteButton()->click();
    EXPECT_EQ(rowTexts(0), (std::vector<std::string>{"Write goals down", "Coach a colleague"}));
    EXPECT_EQ(actions.childCount(), 3u);
    EXPECT_EQ(actions.child(2).label(), "Coach a colleague");

    // The actions stay changed however the dialog ends.
    dialog().reject();
    EXPECT_EQ(m_doc.actions.size(), 3u);
}

TEST_F(BehaviourJournalDialogTest, EditAndDeleteDoNothingWithoutASelectedRow) {
    dialog().actionList()->clearSelection();
    m_typed.text = "Changed";
    dialog().editButton()->click();
    dialog().deleteButton()->click();
    EXPECT_EQ(m_doc.actions[0].action, "Write goals down");
    EXPECT_EQ(m_doc.actions.size(), 3u);
    EXPECT_TRUE(m_prompts.shown().empty());
}

} // namespace
