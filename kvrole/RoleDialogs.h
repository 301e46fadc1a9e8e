// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// The role editor's small editing dialogs: each shows values, and on OK the caller takes them back.

class RoleDetailsDialog : public QDialog {
public:
    RoleDetailsDialog(const QString& name, const QString& description, QWidget* parent = nullptr);
    QString name() const;
    QString description() const;
    QLineEdit* nameEdit() const { return m_name; }
    QPlainTextEdit* descriptionEdit() const { return m_description; }

private:
    QLineEdit* m_name;
    QPlainTextEdit* m_description;
};

class CompetencyDialog : public QDialog {
public:
    explicit CompetencyDialog(const QString& name, QWidget* parent = nullptr);
    QString name() const;
    QLineEdit* nameEdit() const { return m_name; }

private:
    QLineEdit* m_name;
};

class BehaviourDialog : public QDialog {
public:
    BehaviourDialog(const QString& statement, const QStringList& competencies, int competency,
                    QWidget* parent = nullptr);
    QString statement() const;
    // The chosen competency, or -1 when none is chosen.
    int competency() const;
    QPlainTextEdit* textEdit() const { return m_text; }
    QComboBox* competencyList() const { return m_competency; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* m_text;
    QComboBox* m_competency;
};

class OptionsDialog : public QDialog {
public:
    explicit OptionsDialog(bool confirmDelete, QWidget* parent = nullptr);
    bool confirmDelete() const;
    QCheckBox* confirmDeleteBox() const { return m_confirmDelete; }

private:
    QCheckBox* m_confirmDelete;
};

class AboutDialog : public QDialog {
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};
