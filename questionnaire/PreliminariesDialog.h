// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DialogFlavour.h"

#include <QDialog>

#include <string>

class QAbstractButton;
class QButtonGroup;
class QLineEdit;
class QPushButton;
class UserPrompts;

// Who is answering and in which relationship to the person being assessed.
class PreliminariesDialog : public QDialog {
    Q_OBJECT
public:
    // personLine: shown at the top in the reply program ("Person being assessed: ..."), may be empty.
    PreliminariesDialog(DialogFlavour flavour, const std::string& personLine, const DialogDecoration& decoration,
                        UserPrompts& prompts, QWidget* parent = nullptr);

    std::string assessorName() const;
    int relationship() const; // -1 until a relationship is chosen

    QLineEdit* nameEdit() const { return m_name; }
    QPushButton* okButton() const { return m_ok; }
    QAbstractButton* relationshipButton(int relationship) const;

    // OK: refused, with the message, while the name holds a character the files cannot keep.
    void accept() override;

private:
    UserPrompts& m_prompts;
    QString m_nameField;
    QLineEdit* m_name = nullptr;
    QButtonGroup* m_relationships = nullptr;
    QPushButton* m_ok = nullptr;
};
