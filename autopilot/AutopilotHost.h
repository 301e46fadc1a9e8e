// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

// What the guide needs from the program around it: the commands its steps run, and the window that
// shows it. Both are implemented by the desktop program; tests implement them with recorders.

// Nodes of the explorer tree the guide selects. The tree finds them afresh each time: they change
// when a role is chosen or another journal is begun or opened.
enum class GuideLandmark {
    Results,
    Competencies,
    FirstCompetency,
    FirstBehaviour, // the first behaviour of the first competency that has any
    Behaviours,
    Differences,
    ExtraRequirements,
    DevelopmentAreas,
    WithoutActions,
    Actions,
};

enum class ScrollEdge { Top, Bottom };

class AutopilotCommands {
public:
    virtual ~AutopilotCommands() = default;

    // The program's own commands, run as the menus run them. Each reports its own errors; the guide
    // looks at the journal afterwards to see what changed.
    virtual void openOptions() = 0;
    // A questionnaire by "Self" about the person, straight into the questionnaire dialog.
    virtual void startSelfAssessment() = 0;
    virtual void newFeedbackQuestionnaire() = 0;
    virtual void saveJournal() = 0;
    virtual void chooseRole() = 0;
    virtual void mergeCompletedFeedback() = 0;
    // The "Requesting Feedback" dialog and the command chosen in it. The guide selects the Results
    // node afterwards.
    virtual void requestFeedback() = 0;

    // Nothing happens when the journal has no such node.
    virtual void selectLandmark(GuideLandmark landmark) = 0;
    // The node of the questionnaire at this index of the journal.
    virtual void selectQuestionnaire(std::size_t index) = 0;
    // The content view, showing the selected node's page.
    virtual void scrollContentView(ScrollEdge edge) = 0;
};

struct GuideStepView {
    int step = 0;
    std::string_view text;
    bool previousEnabled = false;
    bool nextEnabled = false;
    bool doItEnabled = false;
};

class AutopilotDisplay {
public:
    virtual ~AutopilotDisplay() = default;
    // The text box and the enabled state of "<<&Previous", "&Next >>" and "&Do It".
    virtual void showStep(const GuideStepView& view) = 0;
    // Back to the guide window after a command ran.
    virtual void takeFocus() = 0;
};
