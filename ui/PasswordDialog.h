#pragma once

#include <QDialog>

class QLineEdit;

namespace ui {

// The "Security Check" prompt for a protected file: one masked entry, OK and Cancel.
class PasswordDialog : public QDialog {
public:
    explicit PasswordDialog(QWidget* parent = nullptr);

    QString password() const;
    QLineEdit* entry() const { return m_entry; }

private:
    QLineEdit* m_entry;
};

} // namespace ui
