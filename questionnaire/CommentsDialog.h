// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <string>

class QPlainTextEdit;
class UserPrompts;

// Free comments for the person being assessed.
class CommentsDialog : public QDialog {
    Q_OBJECT
public:
    CommentsDialog(const std::string& text, UserPrompts& prompts, QWidget* parent = nullptr);

    std::string text() const;
    QPlainTextEdit* editor() const { return m_editor; }
    // OK: refused, with the message, while the comments hold a character the files cannot keep.
    void accept() override;

private:
    UserPrompts& m_prompts;
    QPlainTextEdit* m_editor = nullptr;
};
