// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/editors/ActionDialog.h"

#include "model/TextRules.h"
#include "model/UserPrompts.h"
#include "pavex/editors/LocaleDates.h"
#include "questionnaire/DialogText.h"
#include "ui/Cp1252Text.h"
#include "ui/ScreenFit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

ActionDialog::ActionDialog(const CPavexFramework& framework, const CPavexAction& action, UserPrompts& prompts,
                           QWidget* parent)
    : QDialog(parent), m_action(action), m_prompts(prompts) {
    setWindowTitle(QStringLiteral("Development Action"));
    auto* outer = new QVBoxLayout(this);
    // A long form: at a large scale it scrolls, leaving OK and Cancel on the screen.
    auto* form = new QWidget;
    auto* layout = new QVBoxLayout(form);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* behaviourLabel = new QLabel(QStringLiteral("Be&haviour being developed:"), this);
    m_behaviour = new QComboBox(this);
    m_behaviour->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_behaviour->setMinimumContentsLength(40);
    behaviourLabel->setBuddy(m_behaviour);
    layout->addWidget(behaviourLabel);
    layout->addWidget(m_behaviour);
    fillBehaviours(framework);

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    m_situation =
        addQuestion(grid, 0, QStringLiteral("&Situation:"),
                    QStringLiteral("In what situations would it help you to use this behaviour?"), action.situation);
    m_actionText = addQuestion(
        grid, 2, QStringLiteral("&Action:"),
        QStringLiteral("What will you need to do to change or add this behaviour to your skills?"), action.action);
    m_support = addQuestion(grid, 4, QStringLiteral("Su&pport:"),
                            QStringLiteral("What support will you need from others?"), action.support);
    m_measurement = addQuestion(
        grid, 6, QStringLiteral("&Measurement:"),
        QStringLiteral("How will you know if you have been successful in developing this behaviour?"), action.measure);
    layout->addLayout(grid, 1);

    auto* bottom = new QHBoxLayout;
    auto* doByLabel = new QLabel(QStringLiteral("Do &by:"), this);
    m_doBy = new QLineEdit(editableDate(action.doBy), this);
    doByLabel->setBuddy(m_doBy);
    m_completed = new QCheckBox(QStringLiteral("&Completed"), this);
    m_completed->setChecked(action.completed != 0);
    bottom->addWidget(doByLabel);
    bottom->addWidget(m_doBy);
    bottom->addSpacing(24);
    bottom->addWidget(m_completed);
    bottom->addStretch(1);
    layout->addLayout(bottom);
    ui::addScrollingForm(*outer, form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    outer->addWidget(buttons);
    resize(580, 560);
    ui::fitToScreen(*this);
}

void ActionDialog::fillBehaviours(const CPavexFramework& framework) {
    const auto& behaviours = framework.behaviours;
    std::vector<std::size_t> order(behaviours.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return foldedLess(behaviours[a].statement, behaviours[b].statement);
    });
    for (const std::size_t index : order) {
        m_behaviour->addItem(toDisplay(behaviours[index].statement), static_cast<int>(index));
    }
    m_behaviour->setCurrentIndex(-1);
    const std::int32_t current = m_action.behaviour;
    if (current < 0 || static_cast<std::size_t>(current) >= behaviours.size()) {
        return;
    }
    // The entry carrying the action's own behaviour: it begins with that statement, and among
    // behaviours with the same statement it is the one the action names.
    m_behaviour->setCurrentIndex(m_behaviour->findData(static_cast<int>(current)));
}

QPlainTextEdit* ActionDialog::addQuestion(QGridLayout* grid, int row, const QString& caption, const QString& question,
                                          const std::string& text) {
    auto* label = new QLabel(caption, this);
    auto* prompt = new QLabel(question, this);
    prompt->setWordWrap(true);
    auto* box = new QPlainTextEdit(toEditable(text), this);
    // Return starts a new line; Tab moves on, so the dialog stays usable from the keyboard.
    box->setTabChangesFocus(true);
    box->setMinimumHeight(52);
    label->setBuddy(box);
    // The prompt is the question the box answers: readers hear it with the box.
    box->setAccessibleName(QString(caption).remove(QLatin1Char('&')).remove(QLatin1Char(':')).trimmed());
    box->setAccessibleDescription(question);
    grid->addWidget(label, row, 0, Qt::AlignTop);
    grid->addWidget(prompt, row, 1);
    grid->addWidget(box, row + 1, 0, 1, 2);
    return box;
}

void ActionDialog::accept() {
    if (!ui::textsFit(m_prompts, {{m_situation->toPlainText(), QStringLiteral("Situation"), m_situation},
                                  {m_actionText->toPlainText(), QStringLiteral("Action"), m_actionText},
                                  {m_support->toPlainText(), QStringLiteral("Support"), m_support},
                                  {m_measurement->toPlainText(), QStringLiteral("Measurement"), m_measurement}})) {
        return;
    }
    const std::optional<OleDate> doBy = parseDateInUserLocale(m_doBy->text());
    if (!doBy) {
        m_prompts.message(actiontext::kBadDate);
        m_doBy->setFocus();
        m_doBy->selectAll();
        return;
    }
    const int row = m_behaviour->currentIndex();
    m_action.behaviour = row >= 0 ? m_behaviour->itemData(row).toInt() : CPavexAction::kNoBehaviour;
    m_action.situation = fromEditable(m_situation->toPlainText());
    m_action.action = CPavexAction::normalisedActionText(fromEditable(m_actionText->toPlainText()));
    m_action.support = fromEditable(m_support->toPlainText());
    m_action.measure = fromEditable(m_measurement->toPlainText());
    m_action.doBy = *doBy;
    m_action.completed = m_completed->isChecked() ? 1 : 0;
    QDialog::accept();
}
