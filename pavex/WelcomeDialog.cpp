// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/WelcomeDialog.h"

#include "pavex/SailboatAnimation.h"
#include "ui/Icons.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

WelcomeDialog::WelcomeDialog(bool lastJournalKnown, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("PAVEX"));
    setWindowIcon(ui::programIcon(ui::Program::Journal));

    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(QStringLiteral("A wise sailor knows how to avoid the rocks"), this);
    caption->setAlignment(Qt::AlignCenter);
    layout->addWidget(caption);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(2, 2, 2, 2);
    m_animation = new SailboatAnimation(frame);
    frameLayout->addWidget(m_animation);
    layout->addWidget(frame);

    auto* question = new QGroupBox(QStringLiteral("What do you want do?"), this);
    auto* choices = new QVBoxLayout(question);
    m_newJournal = new QRadioButton(QStringLiteral("&Start a new reflectory"), question);
    m_reopenLast = new QRadioButton(QStringLiteral("&Reopen the last reflectory"), question);
    m_openAnother = new QRadioButton(QStringLiteral("&Open another reflectory"), question);
    choices->addWidget(m_newJournal);
    choices->addWidget(m_reopenLast);
    choices->addWidget(m_openAnother);
    m_newJournal->setChecked(true);
    m_reopenLast->setEnabled(lastJournalKnown);
    layout->addWidget(question);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

WelcomeDialog::Choice WelcomeDialog::choice() const {
    if (m_reopenLast->isChecked()) {
        return Choice::ReopenLast;
    }
    if (m_openAnother->isChecked()) {
        return Choice::OpenAnother;
    }
    return Choice::NewJournal;
}

QRadioButton* WelcomeDialog::choiceButton(Choice which) const {
    switch (which) {
    case Choice::NewJournal:
        return m_newJournal;
    case Choice::ReopenLast:
        return m_reopenLast;
    case Choice::OpenAnother:
        return m_openAnother;
    }
    return m_newJournal;
}
