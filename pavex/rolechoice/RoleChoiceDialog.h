// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Role.h"
#include "model/RoleLibrary.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class UserPrompts;

// "Choosing Your Role": the role profiles of the role folder by name; the one selected shows its
// description and its competencies with their behaviours. OK reads the chosen file once more.
class RoleChoiceDialog : public QDialog {
    Q_OBJECT
public:
    RoleChoiceDialog(const std::string& roleFolder, UserPrompts& prompts, QWidget* parent = nullptr);
    // Lists the roles of every folder together.
    RoleChoiceDialog(const std::vector<std::string>& roleFolders, UserPrompts& prompts, QWidget* parent = nullptr);

    // The role read on OK; nothing before.
    const std::optional<CRole>& chosenRole() const { return m_chosen; }

    QListWidget* roleList() const { return m_list; }
    QPlainTextEdit* descriptionBox() const { return m_description; }
    QTreeWidget* contentsTree() const { return m_tree; }
    QPushButton* okButton() const { return m_ok; }
    // The file behind each entry of the list, in list order.
    const std::vector<RoleLibrary::Entry>& entries() const { return m_entries; }

    void accept() override;

private:
    void showSelected();
    void clearShowing();

    UserPrompts& m_prompts;
    std::vector<RoleLibrary::Entry> m_entries;
    std::optional<CRole> m_chosen;
    QListWidget* m_list = nullptr;
    QPlainTextEdit* m_description = nullptr;
    QTreeWidget* m_tree = nullptr;
    QPushButton* m_ok = nullptr;
};

namespace rolechoicetext {
inline constexpr const char* kInstruction =
    "Click on the roles below until you find the one that is the best match for your job.  When the nearest "
    "role is selected press 'OK':";
inline constexpr const char* kUnreadable = "Sorry, these role profiles could not be read and are not listed:";
} // namespace rolechoicetext
