// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "autopilot/AutopilotHost.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The guide's modeless window: a picture, "&Hide", the step's text and the three buttons that move
// through the steps. It shows what the guide gives it and forwards its buttons; hiding it, by its
// button or by closing it, is asked of whoever shows it.
class AutopilotWindow : public QDialog, public AutopilotDisplay {
    Q_OBJECT
public:
    explicit AutopilotWindow(QWidget* parent = nullptr);

    void showStep(const GuideStepView& view) override;
    void takeFocus() override;

    int shownStep() const { return m_step; }
    QPlainTextEdit* textBox() const { return m_text; }
    QPushButton* hideButton() const { return m_hide; }
    QPushButton* previousButton() const { return m_previous; }
    QPushButton* nextButton() const { return m_next; }
    QPushButton* doItButton() const { return m_doIt; }

signals:
    void hideRequested();
    void previousRequested();
    void nextRequested();
    void doItRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_hide = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_doIt = nullptr;
    int m_step = -1;
};
