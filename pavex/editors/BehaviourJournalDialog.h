// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/PavexDoc.h"

#include <QDialog>

#include <cstdint>
#include <optional>
#include <vector>

class ActionCommands;
class QCheckBox;
class QPushButton;
class QTreeWidget;

// "Behaviour development journal": one behaviour's development mark and its actions, which can be
// added, edited and deleted here. OK writes the mark back; actions changed here stay changed
// whichever way the dialog ends.
class BehaviourJournalDialog : public QDialog {
    Q_OBJECT
public:
    BehaviourJournalDialog(CPavexDoc& doc, std::int32_t behaviour, ActionCommands& actions, QWidget* parent = nullptr);

    QCheckBox* markedBox() const { return m_marked; }
    QTreeWidget* actionList() const { return m_list; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* editButton() const { return m_edit; }
    QPushButton* deleteButton() const { return m_delete; }
    // The journal index of the action on each row, top to bottom.
    const std::vector<std::size_t>& rowActions() const { return m_rowActions; }

    void accept() override;

protected:
    // The list's columns follow its width.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillRows(std::optional<std::size_t> selectAction);
    std::optional<std::size_t> selectedAction() const;
    void addAction();
    void editSelected();
    void deleteSelected();
    void sizeColumns();

    CPavexDoc& m_doc;
    std::int32_t m_behaviour;
    ActionCommands& m_actions;
    QCheckBox* m_marked = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    std::vector<std::size_t> m_rowActions;
};
