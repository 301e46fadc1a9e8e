// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/editors/BehaviourJournalDialog.h"

#include "analysis/PageTexts.h"
#include "pavex/editors/ActionCommands.h"
#include "pavex/editors/LocaleDates.h"
#include "questionnaire/DialogText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// One line of the list per action, however many lines its text has.
QString oneLine(const std::string& text) {
    return toDisplay(text).replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\n'), ' ');
}

} // namespace

BehaviourJournalDialog::BehaviourJournalDialog(CPavexDoc& doc, std::int32_t behaviour, ActionCommands& actions,
                                               QWidget* parent)
    : QDialog(parent), m_doc(doc), m_behaviour(behaviour), m_actions(actions) {
    setWindowTitle(QStringLiteral("Behaviour development journal"));
    const CBehaviour& shown = doc.framework.behaviours.at(static_cast<std::size_t>(behaviour));
    auto* layout = new QVBoxLayout(this);

    auto* statement = new QPlainTextEdit(toEditable(shown.statement), this);
    statement->setReadOnly(true);
    statement->setTabChangesFocus(true);
    statement->setMaximumHeight(64);
    statement->setAccessibleName(QStringLiteral("Behaviour"));
    layout->addWidget(statement);

    m_marked = new QCheckBox(QStringLiteral("&Marked for development"), this);
    m_marked->setChecked(shown.marked != 0);
    layout->addWidget(m_marked);

    auto* listLabel = new QLabel(QStringLiteral("Actions for this behaviour:"), this);
    layout->addWidget(listLabel);
    auto* middle = new QHBoxLayout;
    m_list = new QTreeWidget(this);
    listLabel->setBuddy(m_list);
    m_list->setAccessibleName(QStringLiteral("Actions for this behaviour"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setHeaderLabels({QStringLiteral("Action"), QStringLiteral("Date"), QStringLiteral("Done")});
    m_list->header()->setStretchLastSection(false);
    m_list->viewport()->installEventFilter(this);
    middle->addWidget(m_list, 1);

    auto* side = new QVBoxLayout;
    m_add = new QPushButton(QStringLiteral("&Add Action..."), this);
    m_edit = new QPushButton(QStringLiteral("&Edit Action"), this);
    m_delete = new QPushButton(QStringLiteral("&Delete Action"), this);
    for (QPushButton* button : {m_add, m_edit, m_delete}) {
        button->setAutoDefault(false);
        side->addWidget(button);
    }
    side->addStretch(1);
    middle->addLayout(side);
    layout->addLayout(middle, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);

    connect(m_add, &QPushButton::clicked, this, &BehaviourJournalDialog::addAction);
    connect(m_edit, &QPushButton::clicked, this, &BehaviourJournalDialog::editSelected);
    connect(m_delete, &QPushButton::clicked, this, &BehaviourJournalDialog::deleteSelected);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &BehaviourJournalDialog::editSelected);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    resize(560, 400);
    fillRows(std::nullopt);
    m_list->setFocus();
}

void BehaviourJournalDialog::fillRows(std::optional<std::size_t> selectAction) {
    m_list->clear();
    m_rowActions.clear();
    QTreeWidgetItem* toSelect = nullptr;
    for (std::size_t i = 0; i < m_doc.actions.size(); ++i) {
        const CPavexAction& action = m_doc.actions[i];
        if (action.behaviour != m_behaviour) {
            continue;
        }
        auto* row = new QTreeWidgetItem(m_list);
        row->setText(0, oneLine(action.action));
        row->setText(1, toDisplay(formatDateInUserLocale(action.doBy, DateStyle::Short)));
        row->setText(2, QString::fromLatin1(action.completed != 0 ? pagetext::kYes : pagetext::kNo));
        m_rowActions.push_back(i);
        if (toSelect == nullptr || selectAction == i) {
            toSelect = row;
        }
    }
    if (toSelect != nullptr) {
        m_list->setCurrentItem(toSelect);
    }
    sizeColumns();
}

std::optional<std::size_t> BehaviourJournalDialog::selectedAction() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    const int row = m_list->indexOfTopLevelItem(selected.front());
    if (row < 0 || static_cast<std::size_t>(row) >= m_rowActions.size()) {
        return std::nullopt;
    }
    return m_rowActions[static_cast<std::size_t>(row)];
}

void BehaviourJournalDialog::addAction() {
    if (m_actions.newAction(m_behaviour)) {
        fillRows(m_doc.actions.size() - 1);
    }
}

void BehaviourJournalDialog::editSelected() {
    const auto index = selectedAction();
    if (index && m_actions.editAction(*index)) {
        fillRows(*index);
    }
}

void BehaviourJournalDialog::deleteSelected() {
    const auto index = selectedAction();
    if (index && m_actions.deleteAction(*index)) {
        fillRows(std::nullopt);
    }
}

void BehaviourJournalDialog::accept() {
    CBehaviour& behaviour = m_doc.framework.behaviours.at(static_cast<std::size_t>(m_behaviour));
    behaviour.marked = m_marked->isChecked() ? 1 : 0;
    m_doc.modified = true;
    QDialog::accept();
}

bool BehaviourJournalDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list->viewport() && event->type() == QEvent::Resize) {
        sizeColumns();
    }
    return QDialog::eventFilter(watched, event);
}

void BehaviourJournalDialog::sizeColumns() {
    const int width = m_list->viewport()->width();
    m_list->setColumnWidth(0, width / 2 - 1);
    m_list->setColumnWidth(1, width / 3 - 1);
    m_list->setColumnWidth(2, width / 6 - 1);
}
