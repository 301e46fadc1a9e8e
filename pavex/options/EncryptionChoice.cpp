// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/options/EncryptionChoice.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

EncryptionChoice::EncryptionChoice(bool encrypted, const QString& keptPassword, QLineEdit* passwordBox,
                                   QLineEdit* repeatBox, QWidget* parent)
    : QWidget(parent), m_password(passwordBox), m_repeat(repeatBox), m_keptPassword(keptPassword),
      // A first password protects nothing unless the journal is encrypted, so that is where it starts.
      m_wanted(encrypted || keptPassword.isEmpty()) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 0);
    m_box = new QCheckBox(QString::fromLatin1(optiontext::kEncrypt), this);
    m_note = new QLabel(QString::fromLatin1(optiontext::kEncryptNote), this);
    m_note->setWordWrap(true);
    m_note->setContentsMargins(20, 0, 0, 0); // under the box's text, as it explains the box
    layout->addWidget(m_box);
    layout->addWidget(m_note);
    connect(m_box, &QCheckBox::clicked, this, [this](bool ticked) { m_wanted = ticked; });
    connect(m_password, &QLineEdit::textChanged, this, &EncryptionChoice::followPassword);
    connect(m_repeat, &QLineEdit::textChanged, this, &EncryptionChoice::followPassword);
    followPassword();
}

bool EncryptionChoice::encrypts() const {
    return m_box->isEnabled() && m_box->isChecked();
}

void EncryptionChoice::followPassword() {
    // Boxes that differ change nothing on OK, so the journal keeps the password it has.
    const QString typed = m_password->text();
    const bool hasPassword = typed == m_repeat->text() ? !typed.isEmpty() : !m_keptPassword.isEmpty();
    m_box->setEnabled(hasPassword);
    m_box->setChecked(hasPassword && m_wanted);
}
