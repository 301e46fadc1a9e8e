// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Action.h"
#include "model/Framework.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class UserPrompts;

// "Development Action": one action's behaviour, the four questions, the do-by date and whether it
// is done. OK checks the date and hands the edited action back; Cancel changes nothing.
class ActionDialog : public QDialog {
    Q_OBJECT
public:
    ActionDialog(const CPavexFramework& framework, const CPavexAction& action, UserPrompts& prompts,
                 QWidget* parent = nullptr);

    // The action as edited (valid once the dialog is accepted), with "<unspecified>" for an empty text.
    const CPavexAction& action() const { return m_action; }

    QComboBox* behaviourBox() const { return m_behaviour; }
    QPlainTextEdit* situationBox() const { return m_situation; }
    QPlainTextEdit* actionBox() const { return m_actionText; }
    QPlainTextEdit* supportBox() const { return m_support; }
    QPlainTextEdit* measurementBox() const { return m_measurement; }
    QLineEdit* doByBox() const { return m_doBy; }
    QCheckBox* completedBox() const { return m_completed; }

    void accept() override;

private:
    void fillBehaviours(const CPavexFramework& framework);
    QPlainTextEdit* addQuestion(class QGridLayout* grid, int row, const QString& caption, const QString& question,
                                const std::string& text);

    CPavexAction m_action;
    UserPrompts& m_prompts;
    QComboBox* m_behaviour = nullptr;
    QPlainTextEdit* m_situation = nullptr;
    QPlainTextEdit* m_actionText = nullptr;
    QPlainTextEdit* m_support = nullptr;
    QPlainTextEdit* m_measurement = nullptr;
    QLineEdit* m_doBy = nullptr;
    QCheckBox* m_completed = nullptr;
};

namespace actiontext {
inline constexpr const char* kBadDate = "Please enter a date and/or time.";
} // namespace actiontext
