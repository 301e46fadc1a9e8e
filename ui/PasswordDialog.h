// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

namespace ui {

// The "Security Check" prompt for a protected file: the prompt, the file's name below it when
// given, one masked entry, OK and Cancel.
class PasswordDialog : public QDialog {
public:
    explicit PasswordDialog(QWidget* parent = nullptr, const QString& context = {});

    QString password() const;
    QLineEdit* entry() const { return m_entry; }

private:
    QLineEdit* m_entry;
};

} // namespace ui
