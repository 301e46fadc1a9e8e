// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/ContentTree.h"
#include "model/PavexDoc.h"

#include <cstdint>

class ActionCommands;
class QWidget;
class UserPrompts;

// The explorer tree's Edit, Delete and Toggle on a node of the journal, and the development journal
// of one behaviour. Each returns true when the journal changed, so that the caller shows the
// selected node's page again; the branch labels are kept in step through the contents tree.
class TreeCommands {
public:
    TreeCommands(CPavexDoc& doc, ContentTree& contents, UserPrompts& prompts, ActionCommands& actions,
                 QWidget* dialogParent);

    // A behaviour's development journal, a questionnaire's details, an action's dialog.
    bool edit(const ContentNode& node);
    // Only questionnaires and actions can go.
    static bool canRemove(const ContentNode& node);
    // Asks first.
    bool remove(const ContentNode& node);
    bool toggle(const ContentNode& node);
    bool editBehaviourJournal(std::int32_t behaviour);

private:
    bool editQuestionnaire(std::size_t index);

    CPavexDoc& m_doc;
    ContentTree& m_contents;
    UserPrompts& m_prompts;
    ActionCommands& m_actions;
    QWidget* m_dialogParent;
};
