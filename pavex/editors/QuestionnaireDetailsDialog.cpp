// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/editors/QuestionnaireDetailsDialog.h"

#include "questionnaire/DialogText.h"
#include "ui/Cp1252Text.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

QuestionnaireDetailsDialog::QuestionnaireDetailsDialog(const CPavexFeedback& questionnaire, UserPrompts& prompts,
                                                       QWidget* parent)
    : QDialog(parent), m_prompts(prompts) {
    setWindowTitle(QStringLiteral("Questionnaire Details"));
    auto* layout = new QVBoxLayout(this);

    auto* nameLabel = new QLabel(QStringLiteral("Assessor &name:"), this);
    m_name = new QLineEdit(toDisplay(questionnaire.assessor), this);
    nameLabel->setBuddy(m_name);
    layout->addWidget(nameLabel);
    layout->addWidget(m_name);

    // A titled group, so that readers hear which question the choices answer.
    auto* group = new QGroupBox(QStringLiteral("Reporting relationship"), this);
    auto* radios = new QVBoxLayout(group);
    for (std::size_t i = 0; i < m_relationships.size(); ++i) {
        auto* radio = new QRadioButton(QString::fromLatin1(kRelationshipCaptions[i]), group);
        radio->setChecked(questionnaire.relationship == static_cast<std::int32_t>(i));
        m_relationships[i] = radio;
        radios->addWidget(radio);
    }
    layout->addWidget(group);

    m_include = new QCheckBox(QStringLiteral("&Include in results"), this);
    m_include->setChecked(questionnaire.useInResults != 0);
    layout->addWidget(m_include);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(380);
    m_name->setFocus();
}

QAbstractButton* QuestionnaireDetailsDialog::relationshipButton(int relationship) const {
    return relationship >= 0 && relationship < static_cast<int>(m_relationships.size())
               ? m_relationships[static_cast<std::size_t>(relationship)]
               : nullptr;
}

void QuestionnaireDetailsDialog::accept() {
    if (ui::textsFit(m_prompts, {{m_name->text(), QStringLiteral("Assessor name"), m_name}})) {
        QDialog::accept();
    }
}

void QuestionnaireDetailsDialog::applyTo(CPavexFeedback& questionnaire) const {
    const std::string name = fromDisplay(m_name->text());
    questionnaire.assessor = name.empty() ? "<anonymous>" : name;
    for (std::size_t i = 0; i < m_relationships.size(); ++i) {
        if (m_relationships[i]->isChecked()) {
            questionnaire.relationship = static_cast<std::int32_t>(i);
        }
    }
    questionnaire.useInResults = m_include->isChecked() ? 1 : 0;
}
