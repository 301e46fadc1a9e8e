// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommentsDialog.h"

#include "DialogText.h"

#include "ui/Cp1252Text.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

CommentsDialog::CommentsDialog(const std::string& text, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_prompts(prompts) {
    setWindowTitle(QStringLiteral("Comments"));
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(QStringLiteral("Comments entered here will be given to the person being assessed.  Use "
                                           "them if you wish to clarify any of your answers or give additional "
                                           "information."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);
    m_editor = new QPlainTextEdit(toEditable(text), this);
    m_editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_editor->setTabChangesFocus(true);
    m_editor->setAccessibleName(QStringLiteral("Comments"));
    m_editor->setAccessibleDescription(note->text());
    m_editor->setMinimumSize(480, 240);
    layout->addWidget(m_editor, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // Return belongs to the editor; OK is reached with Tab or the mouse.
    for (QAbstractButton* button : buttons->buttons()) {
        if (auto* push = qobject_cast<QPushButton*>(button)) {
            push->setAutoDefault(false);
            push->setDefault(false);
        }
    }
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_editor->moveCursor(QTextCursor::End);
    m_editor->setFocus();
}

void CommentsDialog::accept() {
    if (ui::textsFit(m_prompts, {{m_editor->toPlainText(), QStringLiteral("Comments"), m_editor}})) {
        QDialog::accept();
    }
}

std::string CommentsDialog::text() const {
    return fromEditable(m_editor->toPlainText());
}
