#include "pavex/options/EncryptionChoice.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

EncryptionChoice::EncryptionChoice(bool encrypted, QLineEdit* passwordBox, QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 0);
    m_box = new QCheckBox(QString::fromLatin1(optiontext::kEncrypt), this);
    m_box->setChecked(encrypted);
    m_note = new QLabel(QString::fromLatin1(optiontext::kEncryptNote), this);
    m_note->setWordWrap(true);
    m_note->setContentsMargins(20, 0, 0, 0); // under the box's text, as it explains the box
    layout->addWidget(m_box);
    layout->addWidget(m_note);
    connect(passwordBox, &QLineEdit::textChanged, this, &EncryptionChoice::followPassword);
    followPassword(passwordBox->text());
}

bool EncryptionChoice::encrypts() const {
    return m_box->isEnabled() && m_box->isChecked();
}

void EncryptionChoice::followPassword(const QString& password) {
    m_box->setEnabled(!password.isEmpty());
    if (password.isEmpty()) {
        m_box->setChecked(false);
    }
}
