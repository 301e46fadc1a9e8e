// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Feedback.h"

#include <QDialog>

#include <array>

class QAbstractButton;
class QCheckBox;
class QLineEdit;
class UserPrompts;

// "Questionnaire Details": who answered, in which relationship, and whether the answers count in
// the results. The answers themselves are not touched.
class QuestionnaireDetailsDialog : public QDialog {
    Q_OBJECT
public:
    QuestionnaireDetailsDialog(const CPavexFeedback& questionnaire, UserPrompts& prompts, QWidget* parent = nullptr);

    // The dialog's values into the questionnaire: an empty name becomes "<anonymous>"; a stored
    // relationship no button stands for is kept unless one was chosen.
    void applyTo(CPavexFeedback& questionnaire) const;

    QLineEdit* nameEdit() const { return m_name; }
    QAbstractButton* relationshipButton(int relationship) const;
    QCheckBox* includeBox() const { return m_include; }

    // OK: refused, with the message, while the name holds a character the files cannot keep.
    void accept() override;

private:
    UserPrompts& m_prompts;
    QLineEdit* m_name = nullptr;
    std::array<QAbstractButton*, 6> m_relationships{};
    QCheckBox* m_include = nullptr;
};
