// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QRadioButton;
class SailboatAnimation;

// The first thing the journal program shows: how to begin this session.
class WelcomeDialog : public QDialog {
    Q_OBJECT
public:
    enum class Choice { NewJournal, ReopenLast, OpenAnother };

    // Without a journal to reopen (no recent file), "Reopen the last reflectory" is disabled.
    explicit WelcomeDialog(bool lastJournalKnown, QWidget* parent = nullptr);

    Choice choice() const;
    QRadioButton* choiceButton(Choice which) const;
    SailboatAnimation* animation() const { return m_animation; }

private:
    SailboatAnimation* m_animation = nullptr;
    QRadioButton* m_newJournal = nullptr;
    QRadioButton* m_reopenLast = nullptr;
    QRadioButton* m_openAnother = nullptr;
};
