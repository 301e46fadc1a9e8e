// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class UserPrompts;

// "Create Web Questionnaire" in the journal program: the address the answers go to, and optionally
// a gateway, a subject and a message. Where to save is asked afterwards, in the save dialog.
class WebPageDialog : public QDialog {
    Q_OBJECT
public:
    explicit WebPageDialog(UserPrompts& prompts, QWidget* parent = nullptr);

    QLineEdit* emailEdit() const { return m_email; }
    QLineEdit* gatewayEdit() const { return m_gateway; }
    QLineEdit* subjectEdit() const { return m_subject; }
    QPlainTextEdit* messageEdit() const { return m_message; }

    void accept() override;

    static constexpr const char* kAddressNeeded = "Please type your e-mail address: the answers are mailed to it.";

private:
    UserPrompts& m_prompts;
    QLineEdit* m_email;
    QLineEdit* m_gateway;
    QLineEdit* m_subject;
    QPlainTextEdit* m_message;
};
