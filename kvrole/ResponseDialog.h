// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kvrole/core/ResponseForm.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QSpinBox;
class UserPrompts;

// Edits the response scale: whether it has an N/A option, the number of prompts and their labels.
class ResponseDialog : public QDialog {
public:
    ResponseDialog(const CResponseScale& scale, UserPrompts& prompts, QWidget* parent = nullptr);

    // The form as the user left it; apply it to the scale after OK.
    kvrole::ResponseForm form() const;

    QCheckBox* useNotApplicableBox() const { return m_useNotApplicable; }
    QSpinBox* promptCount() const { return m_prompts; }
    QLineEdit* box(int index) const { return m_boxes[static_cast<std::size_t>(index)]; }

    void accept() override;

private:
    void updateEnabling();

    UserPrompts& m_userPrompts;
    QCheckBox* m_useNotApplicable;
    QSpinBox* m_prompts;
    std::array<QLineEdit*, kvrole::ResponseForm::kBoxes> m_boxes{};
};
