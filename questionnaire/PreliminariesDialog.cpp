// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreliminariesDialog.h"

#include "DialogText.h"

#include "ui/Cp1252Text.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

PreliminariesDialog::PreliminariesDialog(DialogFlavour flavour, const std::string& personLine,
                                         const DialogDecoration& decoration, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_prompts(prompts) {
    const bool reply = flavour == DialogFlavour::Reply;
    setWindowTitle(reply ? QStringLiteral("Reflectory Request") : QStringLiteral("Questionnaire Preliminaries"));
    if (!decoration.windowIcon.isNull()) {
        setWindowIcon(decoration.windowIcon);
    }

    auto* layout = new QVBoxLayout(this);
    if (reply) {
        auto* person = new QLineEdit(toDisplay(personLine), this);
        person->setReadOnly(true);
        // The only place that says who is being rated: reachable with Tab and read with its name.
        person->setFocusPolicy(Qt::StrongFocus);
        person->setAccessibleName(QStringLiteral("Person being assessed"));
        person->setObjectName(QStringLiteral("personLine"));
        layout->addWidget(person);
    }

    auto* top = new QHBoxLayout;
    auto* information = new QLabel(
        QStringLiteral("Please enter the details below before starting the questionnaire.\n\n"
                       "The questionnaire should be completed without a break.  You will not be able to save your "
                       "responses until all questions are answered.  It will take about 20 minutes."),
        this);
    information->setWordWrap(true);
    top->addWidget(information, 1);
    if (!decoration.cornerPicture.isNull()) {
        auto* picture = new QLabel(this);
        picture->setPixmap(decoration.cornerPicture);
        picture->setAlignment(Qt::AlignTop | Qt::AlignRight);
        top->addWidget(picture, 0, Qt::AlignTop);
    }
    layout->addLayout(top);

    auto* form = new QGridLayout;
    m_nameField = reply ? QStringLiteral("Your name") : QStringLiteral("Assessor name");
    auto* nameLabel = new QLabel(reply ? QStringLiteral("Your name:") : QStringLiteral("Assessor &name:"), this);
    m_name = new QLineEdit(this);
    nameLabel->setBuddy(m_name);
    form->addWidget(nameLabel, 0, 0);
    form->addWidget(m_name, 0, 1);
    // A titled group, so that readers hear which question the choices answer.
    auto* group = new QGroupBox(QStringLiteral("Reporting relationship"), this);
    auto* radios = new QVBoxLayout(group);
    m_relationships = new QButtonGroup(this);
    for (int i = 0; i < 6; ++i) {
        auto* radio = new QRadioButton(QString::fromLatin1(kRelationshipCaptions[i]), group);
        m_relationships->addButton(radio, i);
        radios->addWidget(radio);
    }
    form->addWidget(group, 1, 0, 1, 2);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setEnabled(false);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_relationships, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) {
            m_ok->setEnabled(true);
        }
    });
    m_name->setFocus();
}

void PreliminariesDialog::accept() {
    if (ui::textsFit(m_prompts, {{m_name->text(), m_nameField, m_name}})) {
        QDialog::accept();
    }
}

std::string PreliminariesDialog::assessorName() const {
    return fromDisplay(m_name->text());
}

int PreliminariesDialog::relationship() const {
    return m_relationships->checkedId();
}

QAbstractButton* PreliminariesDialog::relationshipButton(int relationship) const {
    return m_relationships->button(relationship);
}
