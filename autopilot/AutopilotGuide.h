// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AutopilotHost.h"
#include "AutopilotSteps.h"
#include "GuidePlacement.h"
#include "model/PavexDoc.h"

#include <vector>

// The Autopilot: walks the person through their journal one step at a time, from choosing a role to
// entering development actions. The step reached, the window's rectangle and whether the window is
// up are kept in the journal and saved with it; none of them marks the journal modified, so the
// guide's own movement never counts as an unsaved change.
//
// The window exists only while it is shown. The program tells the guide when it comes and goes
// (placeWindow, windowShown, windowHidden) and forwards the window's buttons (previous, next, doIt).
class AutopilotGuide {
public:
    AutopilotGuide(CPavexDoc& journal, AutopilotCommands& commands);
    AutopilotGuide(const AutopilotGuide&) = delete;
    AutopilotGuide& operator=(const AutopilotGuide&) = delete;

    CPavexDoc& journal() const { return *m_journal; }
    // Another journal took the old one's place (New, Open). While the window is up, the new
    // journal's shown flag is set and its own step is shown.
    void rebind(CPavexDoc& journal);

    // Where the window goes as it is shown; the rectangle is stored in the journal.
    GuideRect placeWindow(const GuideRect& mainClientArea, GuideSize ownSize, const std::vector<GuideRect>& screens);
    // The window is up: the shown flag is set and the current step shown.
    void windowShown(AutopilotDisplay& display);
    // The window is going: its screen rectangle is stored and the shown flag cleared.
    void windowHidden(const GuideRect& rect);
    bool isShown() const { return m_display != nullptr; }

    // The current step, 0 to 25, whatever the journal stores.
    int step() const;
    // The current step's text and which buttons it enables.
    GuideStepView view() const;

    // The window's buttons. Each returns false, doing nothing, when its button is disabled, the
    // window is hidden or a command the guide started is still running.
    bool previous();
    bool next();
    bool doIt();
    // Shows the current step again (what it selects included) and moves on if it no longer applies.
    bool showCurrentStep();

private:
    bool applies(int step) const;
    int nextApplicable(int from) const;
    int previousApplicable(int from) const;
    bool available() const;
    void moveTo(int step);
    void presentCurrent();
    bool followUp();
    void run(GuideAction action);

    CPavexDoc* m_journal;
    AutopilotCommands& m_commands;
    AutopilotDisplay* m_display = nullptr;
    bool m_busy = false;
};
