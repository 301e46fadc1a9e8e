// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/WebPageDialog.h"

#include "model/UserPrompts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QVBoxLayout>

WebPageDialog::WebPageDialog(UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_email(new QLineEdit), m_gateway(new QLineEdit), m_subject(new QLineEdit),
      m_message(new QPlainTextEdit) {
    setWindowTitle(tr("Create Web Questionnaire"));
    m_message->setTabChangesFocus(true);
    m_gateway->setPlaceholderText(tr("None: the page needs no server"));

    auto* lead = new QLabel(tr("The page asks your role's questions in any web browser, with nothing to install. "
                               "Respondents mail you the file it saves; merge it with Tools, Merge Feedback From "
                               "Mail. The page never holds your journal's password."));
    lead->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(tr("Your &e-mail address:"), m_email);
    form->addRow(tr("&Gateway address (optional):"), m_gateway);
    form->addRow(tr("&Subject:"), m_subject);
    form->addRow(tr("&Message:"), m_message);
    for (QWidget* field : {static_cast<QWidget*>(m_email), static_cast<QWidget*>(m_gateway),
                           static_cast<QWidget*>(m_subject), static_cast<QWidget*>(m_message)}) {
        if (auto* label = qobject_cast<QLabel*>(form->labelForField(field))) {
            label->setBuddy(field);
        }
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &WebPageDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lead);
    layout->addLayout(form);
    layout->addWidget(buttons);
    m_email->setFocus();
    resize(560, 360);
}

void WebPageDialog::accept() {
    static const QRegularExpression address(QStringLiteral("^[^\\s@]+@[^\\s@]+$"));
    if (!address.match(m_email->text().trimmed()).hasMatch()) {
        m_email->setFocus();
        m_email->selectAll();
        m_prompts.message(kAddressNeeded);
        return;
    }
    QDialog::accept();
}
