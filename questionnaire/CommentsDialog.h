#pragma once

#include <QDialog>

#include <string>

class QPlainTextEdit;

// Free comments for the person being assessed.
class CommentsDialog : public QDialog {
    Q_OBJECT
public:
    explicit CommentsDialog(const std::string& text, QWidget* parent = nullptr);

    std::string text() const;
    QPlainTextEdit* editor() const { return m_editor; }

private:
    QPlainTextEdit* m_editor = nullptr;
};
