// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/RoleDialogs.h"

#include "ui/Icons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

QDialogButtonBox* okCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QLabel* buddyLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

RoleDetailsDialog::RoleDetailsDialog(const QString& name, const QString& description, QWidget* parent)
    : QDialog(parent), m_name(new QLineEdit(name)), m_description(new QPlainTextEdit(description)) {
    setWindowTitle(tr("Role details"));
    m_description->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_description->setTabChangesFocus(true);
    auto* form = new QFormLayout;
    form->addRow(buddyLabel(tr("&Name:"), m_name), m_name);
    form->addRow(buddyLabel(tr("&Description:"), m_description), m_description);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));
    resize(420, 260);
}

QString RoleDetailsDialog::name() const {
    return m_name->text();
}

QString RoleDetailsDialog::description() const {
    return m_description->toPlainText();
}

CompetencyDialog::CompetencyDialog(const QString& name, QWidget* parent)
    : QDialog(parent), m_name(new QLineEdit(name)) {
    setWindowTitle(tr("Competency"));
    auto* form = new QFormLayout;
    form->addRow(buddyLabel(tr("&Name:"), m_name), m_name);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));
    resize(360, height());
}

QString CompetencyDialog::name() const {
    return m_name->text();
}

BehaviourDialog::BehaviourDialog(const QString& statement, const QStringList& competencies, int competency,
                                 QWidget* parent)
    : QDialog(parent), m_text(new QPlainTextEdit(statement)), m_competency(new QComboBox) {
    setWindowTitle(tr("Behaviour"));
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setTabChangesFocus(true);
    // A statement is one paragraph: Return confirms the dialog instead of starting a line.
    m_text->installEventFilter(this);
    m_competency->addItems(competencies);
    m_competency->setCurrentIndex(competency);
    auto* form = new QFormLayout;
    form->addRow(buddyLabel(tr("&Text:"), m_text), m_text);
    form->addRow(buddyLabel(tr("&Competency:"), m_competency), m_competency);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));
    resize(420, 220);
}

bool BehaviourDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString BehaviourDialog::statement() const {
    return m_text->toPlainText();
}

int BehaviourDialog::competency() const {
    return m_competency->currentIndex();
}

OptionsDialog::OptionsDialog(bool confirmDelete, QWidget* parent)
    : QDialog(parent), m_confirmDelete(new QCheckBox(tr("Confirm on &Delete:"))) {
    setWindowTitle(tr("Options"));
    m_confirmDelete->setLayoutDirection(Qt::RightToLeft); // the label stands before the box
    m_confirmDelete->setChecked(confirmDelete);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_confirmDelete, 0, Qt::AlignLeft);
    layout->addWidget(okCancel(this));
}

bool OptionsDialog::confirmDelete() const {
    return m_confirmDelete->isChecked();
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Reflectory Kitsmith"));
    auto* picture = new QLabel;
    picture->setPixmap(ui::programIcon(ui::Program::RoleEditor).pixmap(32, 32));
    auto* row = new QHBoxLayout;
    row->addWidget(picture, 0, Qt::AlignTop);
    row->addWidget(new QLabel(tr("Reflectory Kitsmith Version 1.2")), 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}
