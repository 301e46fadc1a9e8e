// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/ResponseDialog.h"

#include "model/UserPrompts.h"
#include "ui/Cp1252Text.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

ResponseDialog::ResponseDialog(const CResponseScale& scale, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_userPrompts(prompts), m_useNotApplicable(new QCheckBox(tr("&Use N/A:"))),
      m_prompts(new QSpinBox) {
    setWindowTitle(tr("Response"));
    const kvrole::ResponseForm initial = kvrole::ResponseForm::fromScale(scale);
    m_useNotApplicable->setLayoutDirection(Qt::RightToLeft);
    m_useNotApplicable->setChecked(initial.useNotApplicable);
    m_prompts->setRange(kvrole::ResponseForm::minimumPrompts(), initial.maximumPrompts());
    m_prompts->setValue(initial.prompts);

    auto* top = new QFormLayout;
    top->addRow(m_useNotApplicable);
    auto* countLabel = new QLabel(tr("&No of Prompts:"));
    countLabel->setBuddy(m_prompts);
    top->addRow(countLabel, m_prompts);

    auto* group = new QGroupBox(tr("Prompts for possible replies:"));
    auto* boxes = new QFormLayout(group);
    const QStringList labels = {tr("N/&A:"), tr("&1:"), tr("&2:"), tr("&3:"), tr("&4:"), tr("&5:"), tr("&6:")};
    for (int index = 0; index < kvrole::ResponseForm::kBoxes; ++index) {
        auto* edit = new QLineEdit(ui::fromCp1252(initial.boxes[static_cast<std::size_t>(index)]));
        auto* label = new QLabel(labels[index]);
        label->setBuddy(edit);
        boxes->addRow(label, edit);
        m_boxes[static_cast<std::size_t>(index)] = edit;
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ResponseDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group);
    layout->addWidget(buttons);

    connect(m_useNotApplicable, &QCheckBox::toggled, this, [this] {
        kvrole::ResponseForm current = form();
        current.setUseNotApplicable(m_useNotApplicable->isChecked());
        m_prompts->setMaximum(current.maximumPrompts());
        m_prompts->setValue(current.prompts);
        updateEnabling();
    });
    connect(m_prompts, &QSpinBox::valueChanged, this, [this] { updateEnabling(); });
    updateEnabling();
    resize(360, sizeHint().height());
}

kvrole::ResponseForm ResponseDialog::form() const {
    kvrole::ResponseForm result;
    result.useNotApplicable = m_useNotApplicable->isChecked();
    result.prompts = m_prompts->value();
    for (int index = 0; index < kvrole::ResponseForm::kBoxes; ++index) {
        result.boxes[static_cast<std::size_t>(index)] = ui::toCp1252(m_boxes[static_cast<std::size_t>(index)]->text());
    }
    return result;
}

void ResponseDialog::updateEnabling() {
    const kvrole::ResponseForm current = form();
    for (int index = 0; index < kvrole::ResponseForm::kBoxes; ++index) {
        m_boxes[static_cast<std::size_t>(index)]->setEnabled(current.boxEnabled(index));
    }
}

void ResponseDialog::accept() {
    static const char* const kBoxNames[kvrole::ResponseForm::kBoxes] = {"N/A", "1", "2", "3", "4", "5", "6"};
    std::vector<ui::TypedText> labels;
    for (int index = 0; index < kvrole::ResponseForm::kBoxes; ++index) {
        QLineEdit* box = m_boxes[static_cast<std::size_t>(index)];
        labels.push_back({box->text(), tr("Prompt %1").arg(QString::fromLatin1(kBoxNames[index])), box});
    }
    if (!ui::textsFit(m_userPrompts, labels)) {
        return;
    }
    // A number box left empty or holding something else is no number at all.
    bool isNumber = false;
    const int typed = m_prompts->cleanText().toInt(&isNumber);
    kvrole::ResponseForm current = form();
    current.prompts = isNumber ? typed : 0;
    if (const std::optional<std::string> problem = current.problem()) {
        m_userPrompts.message(*problem);
        m_prompts->setFocus();
        return;
    }
    m_prompts->setValue(current.prompts);
    QDialog::accept();
}
