// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PasswordDialog.h"

#include "model/UserPrompts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ui {

namespace {
QString fromLatin(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

PasswordDialog::PasswordDialog(QWidget* parent, const QString& context)
    : QDialog(parent), m_entry(new QLineEdit(this)) {
    setWindowTitle(fromLatin(kSecurityCheckCaption));
    auto* prompt = new QLabel(fromLatin(kPasswordPrompt), this);
    prompt->setBuddy(m_entry);
    m_entry->setEchoMode(QLineEdit::Password);
    // Asks input methods not to learn, suggest or show the password.
    m_entry->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    if (!context.isEmpty()) {
        auto* fileName = new QLabel(context, this);
        fileName->setTextFormat(Qt::PlainText);
        fileName->setObjectName(QStringLiteral("passwordContext"));
        layout->addWidget(fileName);
    }
    layout->addWidget(m_entry);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_entry->setMinimumWidth(260);
    m_entry->setFocus();
}

QString PasswordDialog::password() const {
    return m_entry->text();
}

} // namespace ui
