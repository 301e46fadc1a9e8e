// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/ContentTree.h"
#include "model/PavexDoc.h"
#include "pavex/editors/ActionCommands.h"

#include <functional>
#include <optional>

class QWidget;
class UserPrompts;

// The action commands on a journal: each runs the "Development Action" dialog or the delete
// question, changes the journal, marks it modified and keeps the contents tree's Actions branch in
// step.
class ActionEditing : public ActionCommands {
public:
    // Edits an action as the user would; nothing when they cancel. The default runs the dialog.
    using ActionEditor = std::function<std::optional<CPavexAction>(const CPavexAction& action)>;

    ActionEditing(CPavexDoc& doc, ContentTree& contents, UserPrompts& prompts, QWidget* dialogParent);

    void setActionEditor(ActionEditor editor) { m_edit = std::move(editor); }

    bool newAction(std::int32_t behaviour) override;
    bool editAction(std::size_t index) override;
    bool deleteAction(std::size_t index) override;

    // A new action's defaults: the behaviour proposed, do by today plus 90 days, not completed.
    static CPavexAction newActionFor(std::int32_t behaviour);

private:
    std::optional<CPavexAction> runDialog(const CPavexAction& action);

    CPavexDoc& m_doc;
    ContentTree& m_contents;
    UserPrompts& m_prompts;
    QWidget* m_dialogParent;
    ActionEditor m_edit;
};
