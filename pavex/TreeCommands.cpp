// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/TreeCommands.h"

#include "pavex/editors/ActionCommands.h"
#include "pavex/editors/BehaviourJournalDialog.h"
#include "pavex/editors/QuestionnaireDetailsDialog.h"

TreeCommands::TreeCommands(CPavexDoc& doc, ContentTree& contents, UserPrompts& prompts, ActionCommands& actions,
                           QWidget* dialogParent)
    : m_doc(doc), m_contents(contents), m_prompts(prompts), m_actions(actions), m_dialogParent(dialogParent) {}

bool TreeCommands::edit(const ContentNode& node) {
    switch (node.kind()) {
    case NodeKind::Behaviour:
        return editBehaviourJournal(node.behaviour());
    case NodeKind::Questionnaire:
        return editQuestionnaire(node.position());
    case NodeKind::Action:
        return node.position() < m_doc.actions.size() && m_actions.editAction(node.position());
    case NodeKind::Other:
        break;
    }
    return false;
}

bool TreeCommands::editQuestionnaire(std::size_t index) {
    if (index >= m_doc.questionnaires.size()) {
        return false;
    }
    QuestionnaireDetailsDialog dialog(m_doc.questionnaires[index], m_prompts, m_dialogParent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    dialog.applyTo(m_doc.questionnaires[index]);
    m_doc.modified = true;
    m_contents.questionnaireChanged(index);
    return true;
}

bool TreeCommands::editBehaviourJournal(std::int32_t behaviour) {
    if (behaviour < 0 || static_cast<std::size_t>(behaviour) >= m_doc.framework.behaviours.size()) {
        return false;
    }
    BehaviourJournalDialog dialog(m_doc, behaviour, m_actions, m_dialogParent);
    return dialog.exec() == QDialog::Accepted;
}

bool TreeCommands::canRemove(const ContentNode& node) {
    return node.kind() == NodeKind::Questionnaire || node.kind() == NodeKind::Action;
}

bool TreeCommands::remove(const ContentNode& node) {
    // The node goes with its entry, so its place is taken first.
    const std::size_t index = node.position();
    switch (node.kind()) {
    case NodeKind::Questionnaire:
        if (!m_doc.deleteQuestionnaire(index, m_prompts)) {
            return false;
        }
        m_contents.questionnaireDeleted(index);
        return true;
    case NodeKind::Action:
        if (!m_doc.deleteAction(index, m_prompts)) {
            return false;
        }
        m_contents.actionDeleted(index);
        return true;
    case NodeKind::Behaviour:
    case NodeKind::Other:
        break;
    }
    return false;
}

bool TreeCommands::toggle(const ContentNode& node) {
    switch (node.kind()) {
    case NodeKind::Behaviour:
        return m_doc.toggleMark(node.behaviour());
    case NodeKind::Questionnaire:
        return m_doc.toggleUseInResults(node.position());
    case NodeKind::Action:
        return m_doc.toggleCompleted(node.position());
    case NodeKind::Other:
        break;
    }
    return false;
}
