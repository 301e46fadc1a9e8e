// SPDX-License-Identifier: GPL-3.0-or-later
#include "AutopilotGuide.h"

#include <algorithm>

namespace {

// Refuses re-entry while a command the guide started runs its own dialogs.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : m_busy(busy) { m_busy = true; }
    ~BusyScope() { m_busy = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& m_busy;
};

const AutopilotStep& stepAt(int step) {
    return autopilotSteps()[static_cast<std::size_t>(step)];
}

} // namespace

AutopilotGuide::AutopilotGuide(CPavexDoc& journal, AutopilotCommands& commands)
    : m_journal(&journal), m_commands(commands) {}

void AutopilotGuide::rebind(CPavexDoc& journal) {
    m_journal = &journal;
    if (isShown()) {
        m_journal->autopilotShown = 1;
        showCurrentStep();
    }
}

GuideRect AutopilotGuide::placeWindow(const GuideRect& mainClientArea, GuideSize ownSize,
                                      const std::vector<GuideRect>& screens) {
    const GuideRect placed =
        placeGuideWindow(GuideRect::fromStored(m_journal->autopilotWindow), mainClientArea, ownSize, screens);
    m_journal->autopilotWindow = placed.toStored();
    return placed;
}

void AutopilotGuide::windowShown(AutopilotDisplay& display) {
    m_display = &display;
    m_journal->autopilotShown = 1;
    showCurrentStep();
}

void AutopilotGuide::windowHidden(const GuideRect& rect) {
    m_journal->autopilotWindow = rect.toStored();
    m_journal->autopilotShown = 0;
    m_display = nullptr;
}

int AutopilotGuide::step() const {
    return clampedAutopilotStep(m_journal->autopilotPage);
}

GuideStepView AutopilotGuide::view() const {
    const int current = step();
    const AutopilotStep& row = stepAt(current);
    return {current, row.text, current > 0, row.nextEnabled, row.doIt != GuideAction::None};
}

bool AutopilotGuide::previous() {
    if (!available() || !view().previousEnabled) {
        return false;
    }
    moveTo(previousApplicable(step()));
    return true;
}

bool AutopilotGuide::next() {
    if (!available() || !view().nextEnabled) {
        return false;
    }
    moveTo(nextApplicable(step()));
    return true;
}

bool AutopilotGuide::doIt() {
    if (!available() || !view().doItEnabled) {
        return false;
    }
    const BusyScope busy(m_busy);
    run(stepAt(step()).doIt);
    if (followUp()) {
        presentCurrent();
    }
    return true;
}

bool AutopilotGuide::showCurrentStep() {
    if (!available()) {
        return false;
    }
    moveTo(step());
    return true;
}

bool AutopilotGuide::applies(int step) const {
    return conditionHolds(stepAt(step).condition, *m_journal);
}

// The last step applies always, so the search ends there at the latest.
int AutopilotGuide::nextApplicable(int from) const {
    int step = from;
    do {
        ++step;
    } while (step < kAutopilotLastStep && !applies(step));
    return std::min(step, kAutopilotLastStep);
}

// Step 0 applies always.
int AutopilotGuide::previousApplicable(int from) const {
    int step = from;
    do {
        --step;
    } while (step > 0 && !applies(step));
    return std::max(step, 0);
}

bool AutopilotGuide::available() const {
    return isShown() && !m_busy;
}

void AutopilotGuide::moveTo(int step) {
    const BusyScope busy(m_busy);
    m_journal->autopilotPage = step;
    presentCurrent();
}

// Shows the stored step and runs its show action; when the follow-up finds the step no longer
// applies it stores a later one, which is shown in turn. Every round moves strictly forward and the
// last step always applies, so the loop ends there at the latest.
void AutopilotGuide::presentCurrent() {
    while (m_display) {
        m_display->showStep(view());
        run(stepAt(step()).onShow);
        if (!followUp()) {
            break;
        }
    }
}

// After any action: the focus back to the guide and the current step tested again. True when it no
// longer applied and the next applicable step has been stored, to be shown.
bool AutopilotGuide::followUp() {
    if (!m_display) {
        return false;
    }
    m_display->takeFocus();
    const int current = step();
    if (applies(current)) {
        return false;
    }
    m_journal->autopilotPage = nextApplicable(current);
    return true;
}

void AutopilotGuide::run(GuideAction action) {
    switch (action) {
    case GuideAction::None:
        return;
    case GuideAction::Options:
        return m_commands.openOptions();
    case GuideAction::SelfAssessment:
        return m_commands.startSelfAssessment();
    case GuideAction::NewQuestionnaire:
        return m_commands.newFeedbackQuestionnaire();
    case GuideAction::Save:
        return m_commands.saveJournal();
    case GuideAction::ChooseRole:
        return m_commands.chooseRole();
    case GuideAction::MergeRequest:
        return m_commands.mergeCompletedFeedback();
    case GuideAction::RequestingFeedback:
        m_commands.requestFeedback();
        return m_commands.selectLandmark(GuideLandmark::Results);
    case GuideAction::SelectResults:
        return m_commands.selectLandmark(GuideLandmark::Results);
    case GuideAction::SelectCompetencies:
        return m_commands.selectLandmark(GuideLandmark::Competencies);
    case GuideAction::SelectFirstCompetency:
        return m_commands.selectLandmark(GuideLandmark::FirstCompetency);
    case GuideAction::SelectFirstBehaviour:
        return m_commands.selectLandmark(GuideLandmark::FirstBehaviour);
    case GuideAction::BehavioursAtTop:
        m_commands.selectLandmark(GuideLandmark::Behaviours);
        return m_commands.scrollContentView(ScrollEdge::Top);
    case GuideAction::BehavioursAtBottom:
        m_commands.selectLandmark(GuideLandmark::Behaviours);
        return m_commands.scrollContentView(ScrollEdge::Bottom);
    case GuideAction::SelectDifferences:
        return m_commands.selectLandmark(GuideLandmark::Differences);
    case GuideAction::SelectExtraRequirements:
        return m_commands.selectLandmark(GuideLandmark::ExtraRequirements);
    case GuideAction::SelectFirstNamedQuestionnaire: {
        const auto& questionnaires = m_journal->questionnaires;
        const auto named =
            std::find_if(questionnaires.begin(), questionnaires.end(),
                         [](const CPavexFeedback& questionnaire) { return !questionnaire.assessor.empty(); });
        if (named != questionnaires.end()) {
            m_commands.selectQuestionnaire(static_cast<std::size_t>(named - questionnaires.begin()));
        }
        return;
    }
    case GuideAction::SelectBehaviours:
        return m_commands.selectLandmark(GuideLandmark::Behaviours);
    case GuideAction::SelectDevelopmentAreas:
        return m_commands.selectLandmark(GuideLandmark::DevelopmentAreas);
    case GuideAction::SelectWithoutActions:
        return m_commands.selectLandmark(GuideLandmark::WithoutActions);
    case GuideAction::SelectActions:
        return m_commands.selectLandmark(GuideLandmark::Actions);
    }
}
