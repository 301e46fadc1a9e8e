// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/editors/ActionEditing.h"

#include "model/OleDate.h"
#include "model/UserPrompts.h"
#include "pavex/editors/ActionDialog.h"

namespace {
constexpr int kDaysToDoBy = 90;
} // namespace

ActionEditing::ActionEditing(CPavexDoc& doc, ContentTree& contents, UserPrompts& prompts, QWidget* dialogParent)
    : m_doc(doc), m_contents(contents), m_prompts(prompts), m_dialogParent(dialogParent),
      m_edit([this](const CPavexAction& action) { return runDialog(action); }) {}

CPavexAction ActionEditing::newActionFor(std::int32_t behaviour) {
    CPavexAction action;
    action.behaviour = behaviour;
    action.doBy = oledate::todayPlusDays(kDaysToDoBy);
    action.completed = 0;
    return action;
}

std::optional<CPavexAction> ActionEditing::runDialog(const CPavexAction& action) {
    ActionDialog dialog(m_doc.framework, action, m_prompts, m_dialogParent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.action();
}

bool ActionEditing::newAction(std::int32_t behaviour) {
    // The limit is told before anything is typed, not after.
    if (m_doc.actions.size() >= static_cast<std::size_t>(kMaxActions)) {
        m_prompts.message(journaltext::kTooManyActions);
        return false;
    }
    std::optional<CPavexAction> edited = m_edit(newActionFor(behaviour));
    if (!edited || !m_doc.addAction(std::move(*edited), m_prompts)) {
        return false;
    }
    m_doc.modified = true;
    m_contents.actionAdded();
    return true;
}

bool ActionEditing::editAction(std::size_t index) {
    if (index >= m_doc.actions.size()) {
        return false;
    }
    std::optional<CPavexAction> edited = m_edit(m_doc.actions[index]);
    if (!edited) {
        return false;
    }
    edited->action = CPavexAction::normalisedActionText(edited->action);
    m_doc.actions[index] = std::move(*edited);
    m_doc.modified = true;
    m_contents.actionChanged(index);
    return true;
}

bool ActionEditing::deleteAction(std::size_t index) {
    if (index >= m_doc.actions.size() || !m_doc.deleteAction(index, m_prompts)) {
        return false;
    }
    m_contents.actionDeleted(index);
    return true;
}
