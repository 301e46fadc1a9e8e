// SPDX-License-Identifier: GPL-3.0-or-later
#include "autopilot/AutopilotGuide.h"
#include "model/JournalFile.h"
#include "tests/support/Samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// Records every command the guide runs; a test may give a command an effect on the journal.
class ScriptedCommands : public AutopilotCommands {
public:
    std::vector<std::string> calls;
    std::map<std::string, std::function<void()>> effects;

    void openOptions() override { record("options"); }
    void startSelfAssessment() override { record("self-assessment"); }
    void newFeedbackQuestionnaire() override { record("new questionnaire"); }
    void saveJournal() override { record("save"); }
    void chooseRole() override { record("choose role"); }
    void mergeCompletedFeedback() override { record("merge"); }
    void requestFeedback() override { record("requesting feedback"); }
    void selectLandmark(GuideLandmark landmark) override { record("select " + nameOf(landmark)); }
    void selectQuestionnaire(std::size_t index) override { record("select questionnaire " + std::to_string(index)); }
    void scrollContentView(ScrollEdge edge) override {
        record(edge == ScrollEdge::Top ? "scroll to top" : "scroll to bottom");
    }

private:
    void record(const std::string& call) {
        calls.push_back(call);
        if (const auto effect = effects.find(call); effect != effects.end()) {
            effect->second();
        }
    }

    static std::string nameOf(GuideLandmark landmark) {
        switch (landmark) {
        case GuideLandmark::Results:
            return "Results";
        case GuideLandmark::Competencies:
            return "Competencies";
        case GuideLandmark::FirstCompetency:
            return "first competency";
        case GuideLandmark::FirstBehaviour:
            return "first behaviour";
        case GuideLandmark::Behaviours:
            return "Behaviours";
        case GuideLandmark::Differences:
            return "Differences";
        case GuideLandmark::ExtraRequirements:
            return "Extra Requirements";
        case GuideLandmark::DevelopmentAreas:
            return "Development Areas";
        case GuideLandmark::WithoutActions:
            return "Without Actions";
        case GuideLandmark::Actions:
            return "Actions";
        }
        return "?";
    }
};

class RecordingDisplay : public AutopilotDisplay {
public:
    std::vector<GuideStepView> shown;
    int focusTaken = 0;

    void showStep(const GuideStepView& view) override { shown.push_back(view); }
    void takeFocus() override { ++focusTaken; }

    std::vector<int> stepsShown() const {
        std::vector<int> steps;
        for (const GuideStepView& view : shown) {
            steps.push_back(view.step);
        }
        return steps;
    }
};

CPavexFeedback questionnaire(std::int32_t relationship, const std::string& assessor, std::int32_t useInResults = 1) {
    CPavexFeedback feedback;
    feedback.relationship = relationship;
    feedback.assessor = assessor;
    feedback.useInResults = useInResults;
    return feedback;
}

// Role, name, a Self questionnaire and a named manager's, one action; saved.
CPavexDoc completeJournal() {
    CPavexDoc doc;
    doc.chooseRole(samples::role());
    doc.person = "Alex Example";
    doc.questionnaires = {questionnaire(0, "Self"), questionnaire(1, "Morgan")};
    doc.actions.resize(1);
    return doc;
}

class AutopilotGuideTest : public ::testing::Test {
protected:
    void show() { m_guide.windowShown(m_display); }

    // Presses Next until it is refused; the steps the guide stood on, the first included.
    std::vector<int> walkForward() {
        std::vector<int> steps{m_guide.step()};
        while (m_guide.next()) {
            steps.push_back(m_guide.step());
        }
        return steps;
    }

    std::vector<int> walkBackward() {
        std::vector<int> steps{m_guide.step()};
        while (m_guide.previous()) {
            steps.push_back(m_guide.step());
        }
        return steps;
    }

    void chooseRoleOnRequest() {
        m_commands.effects["choose role"] = [this] { m_guide.journal().chooseRole(samples::role()); };
    }

    CPavexDoc m_doc;
    ScriptedCommands m_commands;
    RecordingDisplay m_display;
    AutopilotGuide m_guide{m_doc, m_commands};
};

} // namespace

TEST_F(AutopilotGuideTest, NewJournalStartsAtTheIntroductionAndNextGoesToChoosingARole) {
    show();
    ASSERT_EQ(m_display.stepsShown(), std::vector<int>{0});
    const GuideStepView intro = m_display.shown.back();
    EXPECT_FALSE(intro.previousEnabled);
    EXPECT_TRUE(intro.nextEnabled);
    EXPECT_FALSE(intro.doItEnabled);
    EXPECT_EQ(m_doc.autopilotShown, 1);

    EXPECT_TRUE(m_guide.next());
    EXPECT_EQ(m_guide.step(), 2);
    EXPECT_EQ(m_doc.autopilotPage, 2);
    EXPECT_TRUE(m_display.shown.back().doItEnabled);
    EXPECT_TRUE(m_display.shown.back().previousEnabled);
}

TEST_F(AutopilotGuideTest, ChoosingTheRoleByDoItMovesOnToTheNameOrToTheSelfAssessmentWhenNamed) {
    chooseRoleOnRequest();
    m_doc.autopilotPage = 2;
    show();
    EXPECT_TRUE(m_guide.doIt());
    EXPECT_EQ(m_commands.calls, std::vector<std::string>{"choose role"});
    EXPECT_EQ(m_display.stepsShown(), (std::vector<int>{2, 4}));
    EXPECT_EQ(m_display.focusTaken, 3); // after showing 2, after the command, after showing 4

    CPavexDoc named;
    named.person = "Alex Example";
    named.autopilotPage = 2;
    m_guide.rebind(named);
    EXPECT_EQ(m_display.stepsShown(), (std::vector<int>{2, 4, 2}));
    EXPECT_TRUE(m_guide.doIt());
    EXPECT_EQ(m_guide.step(), 5);
    EXPECT_EQ(named.autopilotPage, 5);
}

TEST_F(AutopilotGuideTest, ACommandThatChangesNothingLeavesTheGuideWhereItWas) {
    m_doc.chooseRole(samples::role());
    m_doc.autopilotPage = 4;
    show();
    EXPECT_TRUE(m_guide.doIt());
    EXPECT_EQ(m_commands.calls, std::vector<std::string>{"options"});
    EXPECT_EQ(m_guide.step(), 4);
    EXPECT_EQ(m_display.stepsShown(), std::vector<int>{4});
    EXPECT_EQ(m_display.focusTaken, 2);

    m_commands.effects["options"] = [this] { m_doc.person = "Alex Example"; };
    m_commands.effects["self-assessment"] = [this] { m_doc.questionnaires.push_back(questionnaire(0, "Self")); };
    EXPECT_TRUE(m_guide.doIt());
    EXPECT_EQ(m_guide.step(), 5);
    EXPECT_TRUE(m_guide.doIt());
    EXPECT_EQ(m_guide.step(), 6);
}

TEST_F(AutopilotGuideTest, JournalWithRoleNameAndOnlyASelfQuestionnaireGoesFromTheStartToAskingOthers) {
    m_doc.chooseRole(samples::role());
    m_doc.person = "Alex Example";
    m_doc.questionnaires = {questionnaire(0, "Self")};
    show();
    EXPECT_TRUE(m_guide.next());
    EXPECT_EQ(m_guide.step(), 6);
    EXPECT_EQ(m_display.stepsShown(), (std::vector<int>{0, 6}));
}

TEST_F(AutopilotGuideTest, RequestingFeedbackSelectsResultsAndStaysWhileNoOtherQuestionnaireArrived) {
    m_doc.chooseRole(samples::role());
    m_doc.person = "Alex Example";
    m_doc.questionnaires = {questionnaire(0, "Self")};
    m_doc.autopilotPage = 6;
    show();
    EXPECT_TRUE(m_guide.doIt());
    EXPECT_EQ(m_commands.calls, (std::vector<std::string>{"requesting feedback", "select Results"}));
    EXPECT_EQ(m_guide.step(), 6);

    m_commands.effects["requesting feedback"] = [this] { m_doc.questionnaires.push_back(questionnaire(3, "Sam")); };
    EXPECT_TRUE(m_guide.doIt());
    EXPECT_EQ(m_guide.step(), 7);
}

TEST_F(AutopilotGuideTest, SavedJournalSkipsBothSaveSteps) {
    m_doc = completeJournal();
    show();
    EXPECT_EQ(walkForward(), (std::vector<int>{0, 7, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 24}));

    m_doc.modified = true;
    m_doc.autopilotPage = 0;
    EXPECT_TRUE(m_guide.showCurrentStep());
    EXPECT_EQ(walkForward(),
              (std::vector<int>{0, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}));
}

TEST_F(AutopilotGuideTest, OneIncludedQuestionnaireSkipsTheComparisonsBetweenAssessors) {
    m_doc = completeJournal();
    m_doc.questionnaires[0].useInResults = 0;
    m_doc.autopilotPage = 15;
    show();
    EXPECT_EQ(walkForward(), (std::vector<int>{15, 18, 19, 20, 21, 22, 24}));
    EXPECT_EQ(walkBackward(), (std::vector<int>{24, 22, 21, 20, 19, 18, 15, 14, 13, 12, 11, 10, 8, 7, 0}));
}

TEST_F(AutopilotGuideTest, WithoutActionsTheLastStepFollowsSavingAndNextIsRefusedThere) {
    m_doc = completeJournal();
    m_doc.actions.clear();
    m_doc.modified = true;
    m_doc.autopilotPage = 22;
    show();
    EXPECT_EQ(walkForward(), (std::vector<int>{22, 23, 25}));
    EXPECT_FALSE(m_display.shown.back().nextEnabled);
    EXPECT_FALSE(m_guide.next());
    EXPECT_EQ(m_guide.step(), 25);

    // Saving from step 23 passes straight on to the last step.
    m_commands.effects["save"] = [this] { m_doc.modified = false; };
    m_doc.autopilotPage = 23;
    EXPECT_TRUE(m_guide.showCurrentStep());
    EXPECT_TRUE(m_guide.doIt());
    EXPECT_EQ(m_guide.step(), 25);
    EXPECT_TRUE(m_guide.previous());
    EXPECT_EQ(m_guide.step(), 22);
}

TEST_F(AutopilotGuideTest, NextIsRefusedWhileNoRoleIsChosenAndOnceTheJournalIsComplete) {
    m_doc.autopilotPage = 3;
    show();
    EXPECT_EQ(m_guide.step(), 3);
    EXPECT_FALSE(m_display.shown.back().nextEnabled);
    EXPECT_FALSE(m_display.shown.back().doItEnabled);
    EXPECT_FALSE(m_guide.next());
    EXPECT_FALSE(m_guide.doIt());
    EXPECT_EQ(m_guide.step(), 3);
    EXPECT_TRUE(m_guide.previous());
    EXPECT_EQ(m_guide.step(), 2);

    CPavexDoc complete = completeJournal();
    complete.autopilotPage = 24;
    m_guide.rebind(complete);
    EXPECT_EQ(m_guide.step(), 24);
    EXPECT_FALSE(m_display.shown.back().nextEnabled);
    EXPECT_FALSE(m_guide.next());
}

TEST_F(AutopilotGuideTest, RemovingTheLastActionAtTheEndTurnsTheGuideToTheReminder) {
    m_doc = completeJournal();
    m_doc.autopilotPage = 24;
    m_commands.effects["select Actions"] = [this] { m_doc.actions.clear(); };
    show();
    EXPECT_EQ(m_display.stepsShown(), (std::vector<int>{24, 25}));
}

TEST_F(AutopilotGuideTest, ButtonsFollowTheStepTable) {
    const std::vector<int> withDoIt{1, 2, 4, 5, 6, 7, 8, 9, 19, 23};
    const std::vector<int> withoutNext{3, 24, 25};
    for (int step = 0; step < kAutopilotStepCount; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        m_doc.autopilotPage = step;
        const GuideStepView view = m_guide.view();
        EXPECT_EQ(view.previousEnabled, step > 0);
        EXPECT_EQ(view.doItEnabled, std::find(withDoIt.begin(), withDoIt.end(), step) != withDoIt.end());
        EXPECT_EQ(view.nextEnabled, std::find(withoutNext.begin(), withoutNext.end(), step) == withoutNext.end());
    }
}

TEST_F(AutopilotGuideTest, EachResultStepShowsItsPage) {
    m_doc = completeJournal();
    m_doc.modified = true;
    const std::map<int, std::vector<std::string>> pages{
        {10, {"select Results"}},
        {11, {"select Competencies"}},
        {12, {"select first competency"}},
        {13, {"select first behaviour"}},
        {14, {"select Behaviours", "scroll to top"}},
        {15, {"select Behaviours", "scroll to bottom"}},
        {16, {"select Differences"}},
        {17, {"select Extra Requirements"}},
        {18, {"select questionnaire 1"}},
        {19, {"select Behaviours"}},
        {20, {"select Development Areas"}},
        {21, {"select Without Actions"}},
        {22, {"select Actions"}},
        {23, {}},
        {24, {"select Actions"}},
    };
    m_doc.questionnaires[0].assessor.clear();
    show();
    for (const auto& [step, calls] : pages) {
        SCOPED_TRACE("step " + std::to_string(step));
        m_commands.calls.clear();
        m_doc.autopilotPage = step;
        EXPECT_TRUE(m_guide.showCurrentStep());
        EXPECT_EQ(m_guide.step(), step);
        EXPECT_EQ(m_commands.calls, calls);
    }

    m_commands.calls.clear();
    m_doc.autopilotPage = 19;
    EXPECT_TRUE(m_guide.showCurrentStep());
    EXPECT_TRUE(m_guide.doIt());
    EXPECT_EQ(m_commands.calls, (std::vector<std::string>{"select Behaviours", "select Competencies"}));
}

TEST_F(AutopilotGuideTest, MovingThroughTheGuideNeverMarksTheJournalModified) {
    m_doc = completeJournal();
    m_guide.placeWindow({0, 0, 800, 600}, {200, 150}, {{0, 0, 1920, 1080}});
    show();
    walkForward();
    walkBackward();
    m_doc.autopilotPage = 19;
    EXPECT_TRUE(m_guide.showCurrentStep());
    EXPECT_TRUE(m_guide.doIt());
    m_guide.windowHidden({5, 6, 205, 156});
    EXPECT_FALSE(m_doc.modified);
    EXPECT_EQ(m_doc.autopilotShown, 0);
}

TEST_F(AutopilotGuideTest, ReopenedJournalResumesAtItsStepAndPlace) {
    m_doc = completeJournal();
    m_doc.autopilotPage = 12;
    show();
    m_guide.windowHidden({40, 50, 260, 230});
    m_doc.autopilotShown = 1; // as if saved while the guide was up

    CPavexDoc reopened;
    ASSERT_TRUE(JournalFile::decode(JournalFile::encode(m_doc), reopened).ok());
    ScriptedCommands commands;
    RecordingDisplay display;
    AutopilotGuide guide(reopened, commands);
    EXPECT_EQ(guide.placeWindow({0, 0, 1000, 700}, {220, 180}, {{0, 0, 1920, 1080}}), (GuideRect{40, 50, 260, 230}));
    guide.windowShown(display);
    EXPECT_EQ(display.stepsShown(), std::vector<int>{12});
    EXPECT_EQ(commands.calls, std::vector<std::string>{"select first competency"});
    EXPECT_FALSE(reopened.modified);
}

TEST_F(AutopilotGuideTest, StoredStepOutsideTheTableIsBroughtIntoIt) {
    m_doc.autopilotPage = 1000;
    EXPECT_EQ(m_guide.step(), 25);
    show();
    EXPECT_EQ(m_display.stepsShown(), std::vector<int>{25});
    EXPECT_EQ(m_doc.autopilotPage, 25);

    m_doc.autopilotPage = -7;
    EXPECT_EQ(m_guide.step(), 0);
    EXPECT_TRUE(m_guide.next());
    EXPECT_EQ(m_guide.step(), 2);
}

TEST_F(AutopilotGuideTest, ButtonsAreRefusedWhileHiddenOrWhileACommandItStartedRuns) {
    m_doc.autopilotPage = 2;
    EXPECT_FALSE(m_guide.next());
    EXPECT_FALSE(m_guide.doIt());
    EXPECT_FALSE(m_guide.showCurrentStep());
    EXPECT_EQ(m_doc.autopilotPage, 2);

    show();
    bool nestedNext = true;
    m_commands.effects["choose role"] = [this, &nestedNext] { nestedNext = m_guide.next(); };
    EXPECT_TRUE(m_guide.doIt());
    EXPECT_FALSE(nestedNext);
    EXPECT_EQ(m_guide.step(), 2);
}

TEST_F(AutopilotGuideTest, ACommandThatClosesTheGuideEndsItsWorkWithoutShowingAgain) {
    chooseRoleOnRequest();
    m_doc.autopilotPage = 2;
    show();
    const auto closeAfterChoosing = m_commands.effects["choose role"];
    m_commands.effects["choose role"] = [this, closeAfterChoosing] {
        closeAfterChoosing();
        m_guide.windowHidden({});
    };
    EXPECT_TRUE(m_guide.doIt());
    EXPECT_EQ(m_display.stepsShown(), std::vector<int>{2});
    EXPECT_EQ(m_display.focusTaken, 1);
    EXPECT_FALSE(m_guide.next()) << "the closed guide refuses its buttons";
}

TEST_F(AutopilotGuideTest, AnotherJournalTakesOverTheOpenWindowAtItsOwnStep) {
    show();
    CPavexDoc opened = completeJournal();
    opened.autopilotPage = 11;
    opened.autopilotShown = 0;
    m_guide.rebind(opened);
    EXPECT_EQ(&m_guide.journal(), &opened);
    EXPECT_EQ(m_display.stepsShown(), (std::vector<int>{0, 11}));
    EXPECT_EQ(opened.autopilotShown, 1);
    EXPECT_FALSE(opened.modified);

    m_guide.windowHidden({1, 2, 3, 4});
    CPavexDoc another;
    another.autopilotPage = 5;
    another.autopilotShown = 0;
    m_guide.rebind(another);
    EXPECT_EQ(m_display.shown.size(), 2u);
    EXPECT_EQ(another.autopilotShown, 0);
    EXPECT_EQ(another.autopilotWindow, (std::array<std::int32_t, 4>{}));
}
