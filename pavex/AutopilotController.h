// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "autopilot/AutopilotGuide.h"
#include "pavex/AutopilotWindow.h"

#include <QObject>
#include <QPointer>

class CMainFrame;

// Runs the guide in the journal program: the main window's commands for the guide's steps, and the
// guide's window, shown and hidden as the View menu and the toolbar ask.
class AutopilotController : public QObject, public AutopilotCommands {
    Q_OBJECT
public:
    explicit AutopilotController(CMainFrame& frame);
    ~AutopilotController() override;

    AutopilotGuide& guide() { return m_guide; }
    // Null while the guide is hidden.
    AutopilotWindow* window() const { return m_window; }
    bool isShown() const { return m_window != nullptr; }

    // Shows the window, beside the main window once that is on screen; nothing when it is up.
    void show();
    void hide();
    void setShown(bool shown);
    // The main window's journal was begun or opened afresh.
    void journalReplaced();
    // Stores where the window is now in the journal, as hiding it would, so that a save keeps it.
    void recordPlace();

    void openOptions() override;
    void startSelfAssessment() override;
    void newFeedbackQuestionnaire() override;
    void saveJournal() override;
    void chooseRole() override;
    void mergeCompletedFeedback() override;
    void requestFeedback() override;
    void selectLandmark(GuideLandmark landmark) override;
    void selectQuestionnaire(std::size_t index) override;
    void scrollContentView(ScrollEdge edge) override;

signals:
    void shownChanged(bool shown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showNow();

    CMainFrame& m_frame;
    AutopilotGuide m_guide;
    QPointer<AutopilotWindow> m_window;
    bool m_waitingForFrame = false;
};
