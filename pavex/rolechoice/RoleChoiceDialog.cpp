// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/rolechoice/RoleChoiceDialog.h"

#include "model/RoleFile.h"
#include "model/SuiteFile.h"
#include "model/UserPrompts.h"
#include "questionnaire/DialogText.h"
#include "ui/Icons.h"
#include "ui/ScreenFit.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

RoleChoiceDialog::RoleChoiceDialog(const std::string& roleFolder, UserPrompts& prompts, QWidget* parent)
    : RoleChoiceDialog(std::vector<std::string>{roleFolder}, prompts, parent) {}

RoleChoiceDialog::RoleChoiceDialog(const std::vector<std::string>& roleFolders, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_prompts(prompts) {
    setWindowTitle(QStringLiteral("Choosing Your Role"));
    auto* layout = new QVBoxLayout(this);
    auto* instruction = new QLabel(QString::fromLatin1(rolechoicetext::kInstruction), this);
    instruction->setWordWrap(true);
    layout->addWidget(instruction);

    auto* grid = new QGridLayout;
    auto* listLabel = new QLabel(QStringLiteral("Role:"), this);
    m_list = new QListWidget(this);
    listLabel->setBuddy(m_list);
    m_list->setAccessibleName(QStringLiteral("Role"));
    auto* descriptionLabel = new QLabel(QStringLiteral("Role description:"), this);
    m_description = new QPlainTextEdit(this);
    m_description->setReadOnly(true);
    m_description->setTabChangesFocus(true);
    descriptionLabel->setBuddy(m_description);
    m_description->setAccessibleName(QStringLiteral("Role description"));
    auto* treeLabel = new QLabel(QStringLiteral("Competencies and behaviours required for role:"), this);
    m_tree = new QTreeWidget(this);
    m_tree->setHeaderHidden(true);
    // Readers see the header even when hidden: it names the column instead of numbering it.
    m_tree->setHeaderLabels({QStringLiteral("Competencies and behaviours")});
    m_tree->setAccessibleName(QStringLiteral("Competencies and behaviours required for role"));
    treeLabel->setBuddy(m_tree);
    grid->addWidget(listLabel, 0, 0);
    grid->addWidget(m_list, 1, 0);
    grid->addWidget(descriptionLabel, 0, 1);
    grid->addWidget(m_description, 1, 1);
    grid->addWidget(treeLabel, 2, 0, 1, 2);
    grid->addWidget(m_tree, 3, 0, 1, 2);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);
    grid->setRowStretch(1, 2);
    grid->setRowStretch(3, 3);
    layout->addLayout(grid, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    RoleLibrary::Listing listing = RoleLibrary::list(roleFolders);
    m_entries = std::move(listing.roles);
    for (const RoleLibrary::Entry& entry : m_entries) {
        auto* item = new QListWidgetItem(toDisplay(entry.name), m_list);
        item->setToolTip(QString::fromStdString(entry.path));
    }
    // Without a current entry set once, the list makes its first entry current when it gets the
    // focus, which would show and offer a role the user never selected.
    m_list->setCurrentIndex(QModelIndex());
    // With no current entry the list has no focus mark of its own: its frame shows the focus.
    m_list->setStyleSheet(QStringLiteral("QListWidget:focus { border: 2px solid palette(highlight); }"));
    connect(m_list, &QListWidget::currentRowChanged, this, &RoleChoiceDialog::showSelected);
    m_list->setFocus();
    resize(660, 480);
    ui::fitToScreen(*this);

    if (!listing.problems.empty()) {
        std::string text = rolechoicetext::kUnreadable;
        for (const std::string& problem : listing.problems) {
            text += "\n" + problem;
        }
        // Told once the dialog is up, so the message stands in front of the list it is about.
        QTimer::singleShot(0, this, [this, text] { m_prompts.message(text); });
    }
}

void RoleChoiceDialog::clearShowing() {
    m_description->clear();
    m_tree->clear();
    m_ok->setEnabled(false);
}

void RoleChoiceDialog::showSelected() {
    clearShowing();
    const int row = m_list->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= m_entries.size()) {
        return;
    }
    std::string problem;
    const std::optional<RoleLibrary::Showing> showing = RoleLibrary::show(m_entries[row].path, &problem);
    if (!showing) {
        m_prompts.message(problem);
        return;
    }
    m_description->setPlainText(toEditable(showing->description));
    const QIcon competencyIcon = ui::icon(ui::Icon::Competency);
    const QIcon behaviourIcon = ui::icon(ui::Icon::Behaviour);
    for (const auto& competency : showing->competencies) {
        auto* competencyItem = new QTreeWidgetItem(m_tree, {toDisplay(competency.name)});
        competencyItem->setIcon(0, competencyIcon);
        for (const std::string& behaviour : competency.behaviours) {
            auto* behaviourItem = new QTreeWidgetItem(competencyItem, {toDisplay(behaviour)});
            behaviourItem->setIcon(0, behaviourIcon);
        }
    }
    m_tree->expandAll();
    m_ok->setEnabled(true);
}

void RoleChoiceDialog::accept() {
    const int row = m_list->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= m_entries.size()) {
        return;
    }
    const std::string& path = m_entries[static_cast<std::size_t>(row)].path;
    CRole role;
    const ReadOutcome outcome = RoleFile::read(path, role);
    if (!outcome.ok()) {
        // The file changed since it was shown: say so and let the user choose again.
        m_prompts.message(SuiteFile::readFailureMessage(path, outcome));
        clearShowing();
        return;
    }
    m_chosen = std::move(role);
    QDialog::accept();
}
